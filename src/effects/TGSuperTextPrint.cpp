#include "effects/TGSuperText.h"

#include "design/TGBusinessCardPanel32.h"
#include "platform/Numbers.h"
#include "platform/ScreenMetrics.h"
#include "report/TReport.h"

// The glyphs go to the job as text and paths, never as pictures: the shadow
// is printed text, the face is the text's path made the clipping region
// (filled with the colour, texture tiles or gradient bands at the printer's
// resolution) and the outline is the same path stroked.
void TGSuperText::PrintTo(TReport &report, double x, double y)
{
    const EffectSurfaces::PrintState state = EffectSurfaces::PrintState::begin(report, x, y);
    m_layoutDirty = true;
    RunLayout();
    const int e = std::max(m_textRect.left(), m_shadowRect.left());
    const double ppi = ScreenMetrics::pixelsPerInch();

    report.setFont(m_font.name, m_font.size(ScreenMetrics::pixelsPerInch()));
    report.setFontBold(m_font.style & fsBold);
    report.setFontItalic(m_font.style & fsItalic);
    report.setFontUnderline(m_font.style & fsUnderline);

    const double left = x + Left() / ppi, top = y + Top() / ppi;
    const double right = x + (Left() + Width()) / ppi, bottom = y + (Top() + Height()) / ppi;
    if (!m_controlTransparent || m_borderStyle == bsSingle) {
        if (m_controlTransparent)
            report.setBrush(clWhite, bsClear);
        else
            report.setBrush(m_bgColor, bsSolid);
        report.setPen(clBlack, m_borderStyle == bsSingle ? psSolid : psClear, 1, pmCopy);
        report.rectangle(left, top, right, bottom);
    }

    report.setBrush(clWhite, bsClear);
    const QString s = FittedCaption(ZoomedFont(), Width() - e);
    if (s.isEmpty())
        return;
    // The text cursor is on the baseline, 0.88 of the font's size below the cell's top.
    const double baseline = 0.88 * report.fontHeightInches();
    const auto cursorAt = [&](QPoint origin) {
        report.setTextCursor(x + (Left() + origin.x()) / ppi, y + (Top() + origin.y()) / ppi + baseline);
    };

    if (m_shadowDepth > 0 && m_shadowOrientation != sdNone) {
        report.setFontColor(m_shadowColor);
        report.setTextBackground(bmTransparent);
        cursorAt(m_shadowOrigin);
        report.printText(s);
    }

    report.setFontColor(m_font.color);
    // The object's box in printer pixels from the sheet's corner, a little
    // larger on the left and top so that no glyph edge is left unfilled.
    const EffectSurfaces::PageBox box{Numbers::roundHalfEven((left - 0.03) * report.resolutionX()),
                                      Numbers::roundHalfEven((top - 0.03) * report.resolutionY()),
                                      Numbers::roundHalfEven(right * report.resolutionX()),
                                      Numbers::roundHalfEven(bottom * report.resolutionY())};
    if (m_surfaceType != stBrushTransparent) {
        report.setTextBackground(bmTransparent);
        report.beginPath();
        cursorAt(m_textOrigin);
        report.printText(s);
        report.endPath();
        report.selectPathAsClip();
        switch (m_surfaceType) {
        case stNormal:
            report.setBrush(m_font.color, bsSolid);
            report.fillRect(QRect(QPoint(box.left - state.printerOffset.x(), box.top - state.printerOffset.y()),
                                  QPoint(box.right - state.printerOffset.x() - 1,
                                         box.bottom - state.printerOffset.y() - 1)));
            break;
        case stBrushImage: {
            const auto *panel = qobject_cast<TGBusinessCardPanel32 *>(Panel());
            const bool composed = panel && panel->Preview() && state.colorCount <= 256;
            EffectSurfaces::printTiles(state, m_texture.image(), box, composed);
            break;
        }
        case stGradientFill:
            EffectSurfaces::printGradient(state, box, Numbers::truncate(0.25 * report.resolutionX()),
                                          Numbers::truncate(0.25 * report.resolutionY()), m_gradientFromColor,
                                          m_gradientToColor, m_fillDirection);
            break;
        case stBrushTransparent:
            break;
        }
        report.clearClip();
    }

    if (m_outline.style != psClear && m_outline.width > 0) {
        report.setBrush(m_font.color, bsClear);
        report.setPen(m_outline.color, m_outline.style, -m_outline.width, pmCopy);
        report.setTextBackground(bmTransparent);
        report.beginPath();
        cursorAt(m_textOrigin);
        report.printText(s);
        report.endPath();
        report.strokePath();
    }
}
