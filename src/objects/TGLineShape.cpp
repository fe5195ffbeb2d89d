#include "objects/TGLineShape.h"

#include "design/TGBasePanel.h"
#include "objects/ShapeMenus.h"
#include "platform/Canvas.h"
#include "platform/Numbers.h"

#include <QMenu>

namespace {

// Identifiers of the enumeration as documents store them.
QStringList lineStyleNames()
{
    return {"stHorizontal", "stVertical", "stAngleSlopingUp", "stAngleSlopingDown"};
}

} // namespace

TGLineShape::TGLineShape(QObject *owner) : TGPenObject(owner)
{
    InitSize(10, 10);
}

const TPropertyList &TGLineShape::properties()
{
    using C = TGLineShape;
    static const TPropertyList list = TPropertyBuilder<C>(TGGraphicControl::properties())
        .enumeration("LineStyle", lineStyleNames(), &C::LineStyle, &C::SetLineStyle, 0)
        .pen("Pen", &C::Pen, &C::SetPen)
        .build();
    return list;
}

void TGLineShape::SetLineStyle(TLineStyle value)
{
    if (value == m_lineStyle)
        return;
    m_lineStyle = value;
    Invalidate();
}

void TGLineShape::StretchToEdges()
{
    TGBasePanel *panel = Panel();
    if (!panel)
        return;
    if (m_lineStyle == stHorizontal)
        SetBounds(0, Top(), panel->width(), Height());
    else if (m_lineStyle == stVertical)
        SetBounds(Left(), 0, Width(), panel->height());
    Invalidate();
}

void TGLineShape::Paint(TCanvas &canvas)
{
    TPen pen = Pen();
    if (Zoom() != 1.0f)
        pen.width = Numbers::roundHalfEven(double(pen.width) * double(Zoom()));
    canvas.setPen(pen);
    const int w = pen.width, h = w / 2;
    switch (m_lineStyle) {
    case stHorizontal:
        canvas.moveTo(h, h);
        canvas.lineTo(Width() + h - w + 1, h);
        break;
    case stVertical:
        canvas.moveTo(h, h);
        canvas.lineTo(h, h + Height() - w + 1);
        break;
    case stAngleSlopingUp:
        canvas.moveTo(Width(), 0);
        canvas.lineTo(0, Height());
        break;
    case stAngleSlopingDown:
        canvas.moveTo(0, 0);
        canvas.lineTo(Width(), Height());
        break;
    }
}

void TGLineShape::AppendMenuItems()
{
    AddMenuSeparator();
    const ShapeMenus::Choices styles{{"Horizontal", stHorizontal},
                                     {"Vertical", stVertical},
                                     {"Angled Sloping Up", stAngleSlopingUp},
                                     {"Angled Sloping Down", stAngleSlopingDown}};
    m_styleItems = ShapeMenus::fillChoices(AddSubMenu("Style"), styles, this, [this](int style) {
        NotifyChanged();
        SetLineStyle(TLineStyle(style));
    });
    AddMenuItem("Color", [this] { ChoosePenColor(); });
    AddThicknessMenu();
    AddMenuSeparator();
    AddMenuItem("Stretch To Edges", [this] { StretchToEdges(); });
}

void TGLineShape::RefreshPopup()
{
    TGPenObject::RefreshPopup();
    ShapeMenus::tick(m_styleItems, int(m_lineStyle));
}
