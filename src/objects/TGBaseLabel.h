#pragma once

#include "design/TGGraphicControl.h"
#include "objects/BorderStyle.h"
#include "objects/LabelLayout.h"
#include "platform/Fonts.h"

#include <QList>
#include <QPicture>
#include <QPoint>
#include <QRect>

class TGBusinessCardPanel32;

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
// Which way the shadow copy of the text goes; it never goes up.
enum TShadowDirection { sdNone, sdRight, sdLeft, sdDownRight, sdDownLeft, sdDown };
// Which way the highlight copy goes; it never goes down.
enum THighlightDirection { hdNone, hdright, hdLeft, hdUpRight, hdUpLeft, hdUp };

QStringList alignmentNames();
QStringList shadowDirectionNames();
QStringList highlightDirectionNames();

// One line of text in one font, with an optional drop shadow and highlight
// (copies of the text offset by a few pixels in their own colours, drawn
// behind it), turned in quarter turns, over an optional background and
// inside an optional border. The layout is measured at the screen's pixels
// per inch and kept until something that affects it changes, so repaints,
// prints and exports all draw the same geometry.
class TGBaseLabel : public TGGraphicControl
{
    Q_OBJECT
public:
    explicit TGBaseLabel(QObject *owner = nullptr);

    static const TPropertyList &properties();
    const TPropertyList &StoredProperties() const override { return properties(); }

    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment value);
    int DepthHighlight() const { return m_depthHighlight; }
    void SetDepthHighlight(int value);
    int DepthShadow() const { return m_depthShadow; }
    void SetDepthShadow(int value);
    THighlightDirection DirectionHighlight() const { return m_directionHighlight; }
    void SetDirectionHighlight(THighlightDirection value);
    TShadowDirection DirectionShadow() const { return m_directionShadow; }
    void SetDirectionShadow(TShadowDirection value);
    TColor colorHighlight() const { return m_colorHighlight; }
    void SetcolorHighlight(TColor value);
    TColor colorShadow() const { return m_colorShadow; }
    void SetcolorShadow(TColor value);
    // 0, 90, 180 or 270; other values are ignored.
    int Angle() const { return m_angle; }
    void SetAngle(int value);
    QString Caption() const { return m_caption; }
    void SetCaption(const QString &value);
    const TFont &Font() const { return m_font; }
    void SetFont(const TFont &value);
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool value);
    TColor BackColor() const { return m_backColor; }
    void SetBackColor(TColor value);
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle value);

    // Run-time layout state (label pixels).
    QPoint ShadowOffset() const { return m_shadowOffset; }
    QPoint HighlightOffset() const { return m_highlightOffset; }
    QPoint TextMargin() const { return m_layout.textMargin; }
    QRect MainRect() const { return m_layout.mainRect; }
    QRect ShadowRect() const { return m_layout.shadowRect; }
    QRect HighlightRect() const { return m_layout.highlightRect; }
    QPoint MainOrigin() const { return m_layout.mainOrigin; }
    QPoint ShadowOrigin() const { return m_layout.shadowOrigin; }
    QPoint HighlightOrigin() const { return m_layout.highlightOrigin; }
    bool LayoutDirty() const { return m_layoutDirty; }
    void SetLayoutDirty() { m_layoutDirty = true; }

    // Measures the text and places the copies; only when LayoutDirty.
    void RecalcLayout();
    // Draws the label with (0, 0) at its top-left corner onto any canvas
    // (the card, a bitmap export, a recording for printing).
    void PaintTo(TCanvas &canvas);
    void PaintTo(QPainter &painter);
    // A recording of PaintTo over Width x Height (printing stretches it).
    // (printText: with the text set for paper, see TCanvas).
    QPicture MakeMetafile(bool printText = false);
    // Grows the box so that the caption fits (angle 0 only; never shrinks).
    void FitToText();
    // The font at the object's zoom: Trunc(size x zoom) points.
    TFont ZoomedFont() const;

    void Paint(TCanvas &canvas) override;
    void BoundsChanged() override;
    void RefreshPopup() override;
    void ApplyFont(const TFont &font) override;
    void PrintTo(TReport &report, double left, double top) override;
    QList<QRectF> TextRuns() override;
    QString TextForMessages() const override { return ShownCaption(); }
    QStringList FieldNames() const override;
    void FieldsChanged() override;
    // The caption with its fields filled (design/CardMerge).
    QString ShownCaption() const;
    virtual void ChooseFont();
    // "3D Effects": the effects dialog; a change on OK.
    void EditEffects();
    void ChooseBackColor();

protected:
    // The card panel this label sits on (also before it is placed).
    TGBusinessCardPanel32 *CardPanel() const;
    // The alignment the text is laid out with.
    virtual TAlignment LayoutAlignment() const { return m_alignment; }

protected:
    void BuildMenu() override;

private:
    void AppendLabelItems();
    void EffectsChanged();
    static QPoint shadowOffset(TShadowDirection direction, int depth);
    static QPoint highlightOffset(THighlightDirection direction, int depth);

    TAlignment m_alignment = taLeftJustify;
    int m_depthHighlight = 0;
    int m_depthShadow = 0;
    THighlightDirection m_directionHighlight = hdUpLeft;
    TShadowDirection m_directionShadow = sdDownRight;
    TColor m_colorHighlight = clAqua;
    TColor m_colorShadow = clGray;
    int m_angle = 0;
    QString m_caption = QStringLiteral("Text");
    TFont m_font;
    bool m_transparent = true;
    TColor m_backColor = clWhite;
    TBorderStyle m_borderStyle = bsNone;

    QPoint m_shadowOffset;
    QPoint m_highlightOffset;
    TLabelLayout m_layout;
    bool m_layoutDirty = true;

    QList<QAction *> m_alignmentItems;
    QAction *m_transparentItem = nullptr;
    QAction *m_borderItem = nullptr;
};
