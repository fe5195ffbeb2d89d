#pragma once

#include "objects/TGPenObject.h"
#include "platform/Brush.h"

// Kinds of shape; the "square" kinds draw exactly like their rectangular
// partners (the box is not forced square).
enum TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };

// A closed shape (rectangle, rounded rectangle or ellipse) with an outline
// pen and a fill brush; a thick outline stays inside the box.
class TGLabelShapes : public TGPenObject
{
    Q_OBJECT
public:
    // 25 x 25 pixels, white and solid with a black outline, until placed.
    explicit TGLabelShapes(QObject *owner = nullptr);

    static const TPropertyList &properties();
    const TPropertyList &StoredProperties() const override { return properties(); }

    bool Transparent() const { return m_transparent; }
    // Also makes the brush clear (true) or solid (false).
    void SetTransparent(bool value);
    const TBrush &Brush() const { return m_brush; }
    void SetBrush(const TBrush &brush);
    int RoundPerc() const { return m_roundPerc; }
    void SetRoundPerc(int value);
    TShapeType Shape() const { return m_shape; }
    void SetShape(TShapeType value);

    // The outline pen width on screen at the current zoom, and the box the
    // outline is drawn through.
    int ZoomedPenWidth() const;
    QRect DrawingRect(int penWidth) const;
    // Width and height of the corner ellipse of a rounded shape.
    int CornerSize() const;

    // Notes whether the shape is rounded when first loaded: its menu, built
    // later, offers "Degree of Rounding" only then.
    void Loaded() override;
    void Paint(TCanvas &canvas) override;
    // Ticks "Transparent" and the pen's thickness.
    void RefreshPopup() override;
    void PrintTo(TReport &report, double left, double top) override;

protected:
    // "Background Color", "Line Color", "Line Thickness", "Transparent" and,
    // for a shape that is rounded when loaded, "Degree of Rounding".
    void AppendMenuItems() override;

private:
    void ChooseBackgroundColor();

    bool m_transparent = false;
    TBrush m_brush;
    int m_roundPerc = 25;
    TShapeType m_shape = stRectangle;
    QAction *m_transparentItem = nullptr;
    bool m_loaded = false;
    bool m_roundedWhenLoaded = false;
};
