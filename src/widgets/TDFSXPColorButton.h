#pragma once

#include "widgets/TColorArrayClass.h"
#include "widgets/TDFSColorButtonPaletteXP.h"

#include <QPoint>
#include <QPointer>
#include <QToolButton>

#include <functional>


// A flat button showing a swatch of its colour; a click drops down the
// colour palette (4 x 5 presets, an "other" cell and the colour dialog).
// With CycleColors a click on the face steps through the presets instead
// (the right 13 pixels still open the palette).
class TDFSXPColorButton : public QToolButton
{
    Q_OBJECT
public:
    explicit TDFSXPColorButton(QWidget *parent = nullptr);
    ~TDFSXPColorButton() override;

    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    bool ShowColorHints() const { return m_showColorHints; }
    void SetShowColorHints(bool value) { m_showColorHints = value; }
    QString OtherBtnCaption() const { return m_otherBtnCaption; }
    void SetOtherBtnCaption(const QString &value) { m_otherBtnCaption = value; }
    TColor OtherColor() const { return m_otherColor; }
    void SetOtherColor(TColor value) { m_otherColor = value; }
    bool CycleColors() const { return m_cycleColors; }
    void SetCycleColors(bool value) { m_cycleColors = value; }
    const TColorArrayClass &PaletteColors() const { return m_paletteColors; }
    void SetPaletteColors(const TColorArrayClass &value);
    const TColorArrayClass &CustomColors() const { return m_customColors; }
    void SetCustomColors(const TColorArrayClass &value) { m_customColors = value; }
    QString CustomColorsKey() const { return m_customColorsKey; }
    void SetCustomColorsKey(const QString &value) { m_customColorsKey = value; }

    // May rewrite the hint of a palette cell: sender, colour, column, row, text.
    std::function<void(TDFSXPColorButton *, TColor, int, int, QString &)> OnGetColorHintText;

    // Position of Color among the presets (1..20), 0 when it is none of them.
    int PaletteIndex() const { return m_paletteIndex; }
    // Selects preset p (0: OtherColor); ignored for the current position,
    // a negative one or one past the presets.
    void SelectPalettePosition(int position);

    // The click at a point of the button: cycles, or drops the palette down.
    void ClickAt(QPoint pos);
    // The open palette, null when none is open.
    TDFSColorButtonPaletteXP *Palette() const { return m_palette; }
    // The swatch shown on the face ((Width - 10) x (Height - 10)).
    const QPixmap &Swatch() const { return m_swatch; }

    // The preset table: RGB columns from left to right. A 16-colour screen
    // gets the device's solid colours instead.
    static TColorArrayClass DefaultPaletteColors(int screenColors = 0);

signals:
    // Raised after every change of Color.
    void ColorChange(TColor color);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void DropDown();
    void RebuildSwatch();
    int FindPaletteIndex(TColor color) const;

    TColor m_color = clBlack;
    bool m_showColorHints = true;
    QString m_otherBtnCaption = QStringLiteral("&Other");
    TColor m_otherColor = clBtnFace;
    bool m_cycleColors = false;
    TColorArrayClass m_paletteColors;
    TColorArrayClass m_customColors{8, 2};
    QString m_customColorsKey;
    int m_paletteIndex = 0;
    QPointer<TDFSColorButtonPaletteXP> m_palette;
    QPoint m_clickPos{-1, -1};
    QPixmap m_swatch;
};
