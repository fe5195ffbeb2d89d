#include "platform/Canvas.h"

// Text output of TCanvas: the reference point, alignment, escapement and
// the opaque text cell.

QFont TCanvas::qFont() const { return Fonts::toQFont(m_font, m_pixelsPerInch); }

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
    m_painter->save();
    if (clip) {
        m_painter->setClipRect(*clip, m_painter->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
        if (opaque)
            m_painter->fillRect(*clip, background);
    }
    m_painter->setTransform(textPlacement(x, y, m_escapement), true);
    const QPointF cell = cellOffset(text);
    if (opaque && !clip)
        m_painter->fillRect(QRectF(cell, QSizeF(textExtent(text))), background);
    m_painter->setFont(qFont());
    m_painter->setPen(Colors::toQColor(m_font.color));
    m_painter->drawText(cell + QPointF(0, textMetrics().ascent), text);
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
    path.addText(cellOffset(text) + QPointF(0, textMetrics().ascent), qFont(), text);
    return textPlacement(x, y, m_escapement).map(path);
}
