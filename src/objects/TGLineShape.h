#pragma once

#include "design/TGGraphicControl.h"
#include "platform/Pen.h"

#include <QList>

// Which line is drawn inside the box.
enum TLineStyle { stHorizontal, stVertical, stAngleSlopingUp, stAngleSlopingDown };
QStringList lineStyleNames();

// A straight line with a pen: along the top or the left side of its box, or
// across it diagonally.
class TGLineShape : public TGGraphicControl
{
    Q_OBJECT
public:
    explicit TGLineShape(QObject *owner = nullptr);

    static const TPropertyList &properties();
    const TPropertyList &StoredProperties() const override { return properties(); }

    TLineStyle LineStyle() const { return m_lineStyle; }
    void SetLineStyle(TLineStyle value);
    const TPen &Pen() const { return m_pen; }
    void SetPen(const TPen &pen);

    // Horizontal lines span the card's width, vertical ones its height.
    void StretchToEdges();

    void Loaded() override;
    void Paint(TCanvas &canvas) override;
    void RefreshPopup() override;
    void PrintTo(TReport &report, double left, double top) override;

private:
    void AppendMenuItems();

    TLineStyle m_lineStyle = stHorizontal;
    TPen m_pen;
    QList<QAction *> m_styleItems;
    QList<QAction *> m_thicknessItems;
};
