#include "objects/TGBaseLabel.h"

#include "design/RecordedDrawing.h"
#include "platform/Canvas.h"
#include "platform/PrintFonts.h"
#include "platform/ScreenMetrics.h"

#include <QTransform>

#include <algorithm>

QPicture TGBaseLabel::MakeMetafile(bool printText)
{
    return RecordedDrawing::recordCanvas(*this, printText, [this](TCanvas &canvas) { PaintTo(canvas); });
}

// Text prints as the screen drawing recorded and stretched over the label's
// box in inches; above the screen's resolution each copy of the text is set
// with the font's own advances, from the alignment point the screen has.
void TGBaseLabel::PrintTo(TReport &report, double left, double top)
{
    if (Width() < 1 || Height() < 1)
        return;
    RecordedDrawing::print(report, *this, left, top, MakeMetafile(RecordedDrawing::printText(report)));
}

// The main copy of the text: from its alignment point, as long as the
// longer of its screen and paper settings, across the line as far as the
// copy is drawn.
QList<QRectF> TGBaseLabel::TextRuns()
{
    RecalcLayout();
    const int ppi = ScreenMetrics::pixelsPerInch();
    const TFont font = ZoomedFont();
    const QString caption = ShownCaption();
    const QSize screen = Fonts::textExtent(font, ppi, caption);
    const qreal paper = Fonts::printTextWidth(font, ppi, caption);
    qreal anchor = 0;
    if (m_angle == 0 && LayoutAlignment() == taRightJustify)
        anchor = 1;
    else if (m_angle == 0 && LayoutAlignment() == taCenter)
        anchor = 0.5;
    const qreal paperLeft = anchor * (screen.width() - paper);
    const qreal start = std::min<qreal>(0, paperLeft);
    const qreal end = std::max<qreal>(screen.width(), paperLeft + paper);
    QTransform placement;
    placement.translate(m_layout.mainOrigin.x(), m_layout.mainOrigin.y());
    placement.rotate(-m_angle);
    const QRectF run = placement.mapRect(QRectF(start, 0, end - start, screen.height()));
    const QRectF drawn(m_layout.mainRect);
    if (m_angle == 0 || m_angle == 180)
        return {QRectF(run.left(), drawn.top(), run.width(), drawn.height())};
    return {QRectF(drawn.left(), run.top(), drawn.width(), run.height())};
}
