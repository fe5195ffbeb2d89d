#include "platform/Canvas.h"

#include "platform/LargeTextCache.h"
#include "platform/PrintFonts.h"
#include "platform/SymbolFonts.h"

// Text output of TCanvas: the reference point, alignment, escapement and
// the opaque text cell.

QFont TCanvas::qFont() const
{
    return m_printText ? Fonts::toPrintQFont(m_font, m_pixelsPerInch) : Fonts::toQFont(m_font, m_pixelsPerInch);
}

TTextMetrics TCanvas::textMetrics() const { return Fonts::metrics(m_font, m_pixelsPerInch); }

QSize TCanvas::textExtent(const QString &text) const
{
    return Fonts::textExtent(m_font, m_pixelsPerInch, text);
}

// Where the top-left corner of the unrotated text cell lies relative to the
// reference point, by the alignment flags.
QPointF TCanvas::cellOffset(const QString &text) const
{
    // Measuring shapes the whole text, so it is done only for the
    // alignments that need the extent.
    int dx = 0;
    if ((m_textAlign & TA_CENTER) == TA_CENTER)
        dx = -(textExtent(text).width() / 2);
    else if (m_textAlign & TA_RIGHT)
        dx = -textExtent(text).width();
    int dy = 0;
    if ((m_textAlign & TA_BASELINE) == TA_BASELINE)
        dy = -textMetrics().ascent;
    else if (m_textAlign & TA_BOTTOM)
        dy = -textExtent(text).height();
    return QPointF(dx, dy);
}

// How far the paper line moves from the screen cell so that its alignment
// point stays put: none for the left end, half the difference in width for
// the centre, all of it for the right end.
qreal TCanvas::printShift(const QString &text) const
{
    if (!m_printText || (m_textAlign & (TA_RIGHT | TA_CENTER)) == 0)
        return 0;
    const qreal difference = textExtent(text).width() - Fonts::printTextWidth(m_font, m_pixelsPerInch, text);
    return (m_textAlign & TA_CENTER) == TA_CENTER ? difference / 2 : difference;
}

// The clip for a paper line: each end of the line that lay inside the clip
// on screen stays inside it on paper, however much longer the line got.
QRectF TCanvas::printClip(const QRect &clip, const QTransform &placement, const QPointF &cell,
                          const QString &text) const
{
    const int height = textExtent(text).height();
    const QRectF screen = placement.mapRect(QRectF(cell, QSizeF(textExtent(text).width(), height)));
    const QRectF paper = placement.mapRect(
        QRectF(cell + QPointF(printShift(text), 0),
               QSizeF(Fonts::printTextWidth(m_font, m_pixelsPerInch, text), height)));
    QRectF result(clip);
    if (screen.left() >= result.left() && paper.left() < result.left())
        result.setLeft(paper.left());
    if (screen.right() <= result.right() && paper.right() > result.right())
        result.setRight(paper.right());
    if (screen.top() >= result.top() && paper.top() < result.top())
        result.setTop(paper.top());
    if (screen.bottom() <= result.bottom() && paper.bottom() > result.bottom())
        result.setBottom(paper.bottom());
    return result;
}

static QTransform textPlacement(int x, int y, int escapement)
{
    QTransform placement;
    placement.translate(x, y);
    // Escapement turns counter-clockwise on the screen, where y runs down.
    placement.rotate(-escapement / 10.0);
    return placement;
}

void TCanvas::drawText(int x, int y, const QString &text, const QRect *clip)
{
    const bool opaque = backgroundMode() == bmOpaque;
    const QColor background = Colors::toQColor(backgroundColor());
    const QTransform placement = textPlacement(x, y, m_escapement);
    const QPointF cell = cellOffset(text);
    m_painter->save();
    if (clip) {
        const Qt::ClipOperation operation = m_painter->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip;
        if (m_printText)
            m_painter->setClipRect(printClip(*clip, placement, cell, text), operation);
        else
            m_painter->setClipRect(*clip, operation);
        if (opaque)
            m_painter->fillRect(*clip, background);
    }
    m_painter->setTransform(placement, true);
    if (opaque && !clip)
        m_painter->fillRect(QRectF(cell, QSizeF(textExtent(text))), background);
    const QFont font = qFont();
    m_painter->setFont(font);
    const QColor ink = Colors::toQColor(m_font.color);
    m_painter->setPen(ink);
    const QPointF baseline = cell + QPointF(printShift(text), textMetrics().ascent);
    const QString shown = SymbolFonts::displayText(m_font.name, text);
    // Text for paper is never cached: it is drawn once, and its outlines
    // must stay outlines in a PDF.
    if (m_printText || !LargeTextCache::draw(*m_painter, baseline, font, ink, shown))
        m_painter->drawText(baseline, shown);
    m_painter->restore();
}

void TCanvas::textOut(int x, int y, const QString &text) { drawText(x, y, text, nullptr); }

void TCanvas::textRect(const QRect &clip, int x, int y, const QString &text)
{
    drawText(x, y, text, &clip);
}

QPainterPath TCanvas::textPath(int x, int y, const QString &text) const
{
    QPainterPath path;
    path.addText(cellOffset(text) + QPointF(printShift(text), textMetrics().ascent), qFont(),
                 SymbolFonts::displayText(m_font.name, text));
    return textPlacement(x, y, m_escapement).map(path);
}
