#include "objects/TGPenObject.h"

#include "objects/ShapeMenus.h"
#include "platform/UserDialogs.h"

#include <QMenu>

TGPenObject::TGPenObject(QObject *owner) : TGGraphicControl(owner) {}

void TGPenObject::SetPen(const TPen &pen)
{
    m_pen = pen;
    Invalidate();
}

void TGPenObject::BuildMenu()
{
    TGGraphicControl::BuildMenu();
    AppendMenuItems();
}

void TGPenObject::AddThicknessMenu()
{
    m_thicknessItems = ShapeMenus::fillChoices(AddSubMenu("Line Thickness"), ShapeMenus::thicknessChoices(),
                                               this, [this](int width) {
                                                   TPen pen = m_pen;
                                                   pen.width = width;
                                                   SetPen(pen);
                                                   NotifyChanged();
                                               });
}

void TGPenObject::ChoosePenColor()
{
    const std::optional<TColor> color = UserDialogs::current().chooseColor(m_pen.color);
    if (!color)
        return;
    m_pen.color = *color;
    NotifyChanged();
    Invalidate();
}

void TGPenObject::RefreshPopup()
{
    TGGraphicControl::RefreshPopup();
    ShapeMenus::tick(m_thicknessItems, m_pen.width);
}
