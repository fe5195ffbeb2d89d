#include "objects/TGPLabel.h"

#include "objects/ShapeMenus.h"
#include "objects/TGetLabelText.h"
#include "platform/UserDialogs.h"

#include <QAction>
#include <QDialog>
#include <QMenu>

void TGPLabel::BuildMenu()
{
    TGBaseLabel::BuildMenu();
    AppendTextItems();
}

void TGPLabel::AppendTextItems()
{
    AddMenuSeparator();
    QAction *text = AddMenuItem("Text", [this] { EditText(); });
    text->setData(TextItemTag);
    AddMenuSeparator();
    const ShapeMenus::Choices angles{{"No Rotation", 0}, {"90 Degrees", 90}, {"180 Degrees", 180}, {"270 Degrees", 270}};
    m_rotationItems = ShapeMenus::fillChoices(AddSubMenu("Rotation"), angles, this,
                                              [this](int angle) { SetAngle(angle); });
    m_hasRotationMenu = true;
}

void TGPLabel::RefreshPopup()
{
    TGBaseLabel::RefreshPopup();
    if (m_hasRotationMenu)
        ShapeMenus::tick(m_rotationItems, Angle());
}

void TGPLabel::ChooseFont()
{
    TGBaseLabel::ChooseFont();
    FitToText();
}

void TGPLabel::EditText()
{
    TGetLabelText dialog(Caption());
    if (UserDialogs::runModal(dialog) == QDialog::Accepted)
        TakeEditedText(dialog.Text());
}

void TGPLabel::TakeEditedText(const QString &text)
{
    SetCaption(text);
    FitToText();
    Invalidate();
}
