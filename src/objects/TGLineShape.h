#pragma once

#include "objects/TGPenObject.h"

#include <QList>

// Which line is drawn inside the box.
enum TLineStyle { stHorizontal, stVertical, stAngleSlopingUp, stAngleSlopingDown };

// A straight line with a pen: along the top or the left side of its box, or
// across it diagonally.
class TGLineShape : public TGPenObject
{
    Q_OBJECT
public:
    // A horizontal black line in a 10 x 10 box until placed.
    explicit TGLineShape(QObject *owner = nullptr);

    static const TPropertyList &properties();
    const TPropertyList &StoredProperties() const override { return properties(); }

    TLineStyle LineStyle() const { return m_lineStyle; }
    void SetLineStyle(TLineStyle value);

    void Paint(TCanvas &canvas) override;
    // Ticks the line style and the pen's thickness.
    void RefreshPopup() override;
    void PrintTo(TReport &report, double left, double top) override;

    // Horizontal lines span the card's width, vertical ones its height.
    void StretchToEdges();

protected:
    // "Style", "Color", "Line Thickness" and "Stretch To Edges".
    void AppendMenuItems() override;

private:

    TLineStyle m_lineStyle = stHorizontal;
    QList<QAction *> m_styleItems;
};
