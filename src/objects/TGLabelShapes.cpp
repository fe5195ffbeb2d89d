#include "objects/TGLabelShapes.h"

#include "objects/ShapeMenus.h"
#include "platform/Canvas.h"
#include "platform/Numbers.h"
#include "platform/UserDialogs.h"

#include <QMenu>

#include <algorithm>

namespace {

// Identifiers of the enumeration as documents store them.
QStringList shapeTypeNames()
{
    return {"stRectangle", "stSquare", "stRoundRect", "stRoundSquare", "stEllipse", "stCircle"};
}

} // namespace

TGLabelShapes::TGLabelShapes(QObject *owner) : TGPenObject(owner)
{
    InitSize(25, 25);
}

const TPropertyList &TGLabelShapes::properties()
{
    using C = TGLabelShapes;
    static const TPropertyList list = TPropertyBuilder<C>(TGGraphicControl::properties())
        .boolean("Transparent", &C::Transparent, &C::SetTransparent)
        .brush("Brush", &C::Brush, &C::SetBrush)
        .pen("Pen", &C::Pen, &C::SetPen)
        .integer("RoundPerc", &C::RoundPerc, &C::SetRoundPerc, 25)
        .enumeration("Shape", shapeTypeNames(), &C::Shape, &C::SetShape, 0)
        .build();
    return list;
}

void TGLabelShapes::SetTransparent(bool value)
{
    m_transparent = value;
    m_brush.style = value ? bsClear : bsSolid;
    Invalidate();
}

void TGLabelShapes::SetBrush(const TBrush &brush)
{
    m_brush = brush;
    Invalidate();
}

void TGLabelShapes::SetRoundPerc(int value)
{
    if (value == m_roundPerc)
        return;
    m_roundPerc = value;
    Invalidate();
}

void TGLabelShapes::SetShape(TShapeType value)
{
    if (value == m_shape)
        return;
    m_shape = value;
    Invalidate();
}

int TGLabelShapes::ZoomedPenWidth() const
{
    const int width = Pen().width;
    if (Zoom() == 1.0f)
        return width;
    const int w = Numbers::roundHalfEven(double(width) * double(Zoom()));
    // A visible outline never vanishes when zoomed out.
    return (w <= 0 && width > 0) ? 1 : w;
}

QRect TGLabelShapes::DrawingRect(int w) const
{
    const int h = w / 2;
    // Corners (h, h) and (Width + h - w + 1, Height + h - w + 1), right and bottom exclusive.
    return QRect(h, h, Width() - w + 1, Height() - w + 1);
}

int TGLabelShapes::CornerSize() const
{
    // In extended precision, as the percentage was always computed.
    return static_cast<int>(m_roundPerc * 0.01L * std::max(Width(), Height()));
}

void TGLabelShapes::Paint(TCanvas &canvas)
{
    const int w = ZoomedPenWidth();
    canvas.setPen(TPen{Pen().color, w, psSolid, Pen().mode});
    canvas.setBrush(m_brush);
    const QRect r = DrawingRect(w);
    const int l = r.left(), t = r.top(), right = l + r.width(), bottom = t + r.height();
    switch (m_shape) {
    case stRectangle:
    case stSquare:
        canvas.rectangle(l, t, right, bottom);
        break;
    case stRoundRect:
    case stRoundSquare:
        canvas.roundRect(l, t, right, bottom, CornerSize(), CornerSize());
        break;
    case stEllipse:
    case stCircle:
        canvas.ellipse(l, t, right, bottom);
        break;
    }
}

void TGLabelShapes::Loaded()
{
    if (!m_loaded)
        m_roundedWhenLoaded = m_shape == stRoundRect || m_shape == stRoundSquare;
    m_loaded = true;
    TGPenObject::Loaded();
}

void TGLabelShapes::AppendMenuItems()
{
    AddMenuSeparator();
    AddMenuItem("Background Color", [this] { ChooseBackgroundColor(); });
    AddMenuItem("Line Color", [this] { ChoosePenColor(); });
    AddThicknessMenu();
    AddMenuSeparator();
    m_transparentItem = AddMenuItem("Transparent", [this] { SetTransparent(!m_transparent); });
    m_transparentItem->setCheckable(true);
    if (!m_roundedWhenLoaded)
        return;
    AddMenuSeparator();
    ShapeMenus::Choices rounding;
    for (int percent = 20; percent <= 80; percent += 10)
        rounding.append({QString::number(percent) + QStringLiteral(" %"), percent});
    const QList<QAction *> items = ShapeMenus::fillChoices(AddSubMenu("Degree of Rounding"), rounding, this,
                                                           [this](int percent) {
                                                               SetRoundPerc(percent);
                                                               NotifyChanged();
                                                           });
    for (QAction *item : items)
        item->setCheckable(false);
}

void TGLabelShapes::ChooseBackgroundColor()
{
    const std::optional<TColor> color = UserDialogs::current().chooseColor(m_brush.color);
    if (!color)
        return;
    m_brush.color = *color;
    NotifyChanged();
    SetTransparent(false);
    Invalidate();
}

void TGLabelShapes::RefreshPopup()
{
    TGPenObject::RefreshPopup();
    if (m_transparentItem)
        m_transparentItem->setChecked(m_transparent);
}
