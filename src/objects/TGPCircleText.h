#pragma once

#include "design/TGGraphicControl.h"
#include "objects/BorderStyle.h"
#include "objects/CircleTextLayout.h"
#include "platform/Fonts.h"

#include <QPicture>

class QAction;
class QPainter;

// Text written letter by letter along a quarter, half, three-quarter or
// full circle, starting at 12, 9, 6 or 3 o'clock and running clockwise.
// Each letter is turned to follow the arc or kept upright; mirrored text
// reads along the inside of the circle. The letter positions come from
// CircleTextLayout; rotated letters are canvas text with an escapement.
class TGPCircleText : public TGGraphicControl
{
    Q_OBJECT
public:
    explicit TGPCircleText(QObject *owner = nullptr);

    static const TPropertyList &properties();
    const TPropertyList &StoredProperties() const override { return properties(); }

    TDegrees StartingVector() const { return m_startingVector; }
    void SetStartingVector(TDegrees value);
    TDegrees Degrees() const { return m_degrees; }
    void SetDegrees(TDegrees value);
    const TFont &Font() const { return m_font; }
    void SetFont(const TFont &value);
    bool Mirror() const { return m_mirror; }
    void SetMirror(bool value);
    bool DrawLettersAngled() const { return m_drawLettersAngled; }
    void SetDrawLettersAngled(bool value);
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle value);
    bool ControlTransparent() const { return m_controlTransparent; }
    void SetControlTransparent(bool value);
    TColor BGColor() const { return m_bgColor; }
    void SetBGColor(TColor value);
    QString Caption() const { return m_caption; }
    // The caption with its fields filled (design/CardMerge).
    QString ShownCaption() const;
    QStringList FieldNames() const override;
    void SetCaption(const QString &value);

    // The font at the object's zoom: Trunc(size x zoom) points.
    TFont ZoomedFont() const;
    // Where the letters go at the current size, zoom and settings.
    CircleTextLayout::Result Layout() const;

    // Draws the object with (0, 0) at its top-left corner.
    void PaintTo(TCanvas &canvas);
    void PaintTo(QPainter &painter);
    // A recording of PaintTo over Width x Height; the letters stay text
    // (printText: each set for paper, centred on its anchor, see TCanvas).
    QPicture MakeMetafile(bool printText = false);

    // Takes the caption, font, look, size and arc of another circular text.
    void CopyCircleText(const TGPCircleText &source);
    // "Properties": the dialog edits a preview; Ok takes it back.
    void EditProperties();
    // "Font": the font dialog (outline fonts only).
    void ChooseFont();
    // "Background Color": the colour dialog; the box stops being transparent.
    void ChooseBackgroundColor();

    void Paint(TCanvas &canvas) override;
    void BoundsChanged() override;
    void RefreshPopup() override;
    void ApplyFont(const TFont &font) override;
    void PrintTo(TReport &report, double left, double top) override;

protected:
    void BuildMenu() override;

private:
    void Changed();

    TDegrees m_startingVector = dg180;
    TDegrees m_degrees = dg360;
    TFont m_font;
    bool m_mirror = false;
    bool m_drawLettersAngled = true;
    TBorderStyle m_borderStyle = bsNone;
    bool m_controlTransparent = true;
    TColor m_bgColor = clWhite;
    QString m_caption = QStringLiteral("ABC DEF GHI JKL");

    bool m_painting = false; // also set while another object is copied in
    QAction *m_borderItem = nullptr;
    QAction *m_transparentItem = nullptr;
};
