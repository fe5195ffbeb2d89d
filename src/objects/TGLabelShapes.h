#pragma once

#include "design/TGGraphicControl.h"
#include "platform/Brush.h"
#include "platform/Pen.h"

#include <QList>

// Kinds of shape; the "square" kinds draw exactly like their rectangular
// partners (the box is not forced square).
enum TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };
QStringList shapeTypeNames();

// A closed shape (rectangle, rounded rectangle or ellipse) with an outline
// pen and a fill brush; a thick outline stays inside the box.
class TGLabelShapes : public TGGraphicControl
{
    Q_OBJECT
public:
    explicit TGLabelShapes(QObject *owner = nullptr);

    static const TPropertyList &properties();
    const TPropertyList &StoredProperties() const override { return properties(); }

    bool Transparent() const { return m_transparent; }
    // Also makes the brush clear (true) or solid (false).
    void SetTransparent(bool value);
    const TBrush &Brush() const { return m_brush; }
    void SetBrush(const TBrush &brush);
    const TPen &Pen() const { return m_pen; }
    void SetPen(const TPen &pen);
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

    void Loaded() override;
    void Paint(TCanvas &canvas) override;
    void RefreshPopup() override;
    void PrintTo(TReport &report, double left, double top) override;

private:
    void AppendMenuItems();
    void ChooseBackgroundColor();
    void ChooseLineColor();

    bool m_transparent = false;
    TBrush m_brush;
    TPen m_pen;
    int m_roundPerc = 25;
    TShapeType m_shape = stRectangle;
    QAction *m_transparentItem = nullptr;
    QList<QAction *> m_thicknessItems;
};
