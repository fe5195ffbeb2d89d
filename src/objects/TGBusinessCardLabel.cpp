#include "objects/TGBusinessCardLabel.h"

#include "design/TGBusinessCardPanel32.h"
#include "objects/TGetBCLabelText.h"
#include "platform/UserDialogs.h"

#include <QAction>
#include <QDialog>
#include <QMenu>

namespace {
constexpr int kPersonalValues = 10;
constexpr int kMaxCaption = 255;
} // namespace

const QStringList &TGBusinessCardLabel::PersonalInfoLabels()
{
    static const QStringList labels{"Name",      "Company",   "Title",   "Address 1", "Address 2",
                                    "Address 3", "Phone 1",   "Phone 2", "EMail",     "Fax"};
    return labels;
}

void TGBusinessCardLabel::BuildMenu()
{
    TGPLabel::BuildMenu();
    InsertPersonalInfoMenu();
    for (QAction *item : ObjectMenu()->actions()) {
        if (item->data().toInt() != TextItemTag)
            continue;
        // Only this object's own handler goes: the menu keeps its link to the item.
        QObject::disconnect(item, &QAction::triggered, this, nullptr);
        QObject::connect(item, &QAction::triggered, this, [this] {
            const TGPanelAction action(Panel(), QStringLiteral("Text"));
            EditCardText();
        });
    }
}

void TGBusinessCardLabel::InsertPersonalInfoMenu()
{
    if (m_personalInfoMenu || !CardPanel())
        return;
    QMenu *menu = ObjectMenu();
    m_personalInfoMenu = new QMenu("Personal Information", menu);
    QAction *first = menu->actions().value(0);
    menu->insertMenu(first, m_personalInfoMenu);
    menu->insertSeparator(first);
    RebuildPersonalInfoMenu();
}

QStringList TGBusinessCardLabel::PersonalValues() const
{
    QStringList values;
    TGBusinessCardPanel32 *panel = CardPanel();
    for (int i = 0; i < kPersonalValues; ++i)
        values << (panel ? panel->PersonalInformation(i) : QString());
    return values;
}

void TGBusinessCardLabel::RebuildPersonalInfoMenu()
{
    m_personalInfoMenu->clear();
    const QStringList values = PersonalValues();
    for (int i = 0; i < kPersonalValues; ++i) {
        const QString caption = PersonalInfoLabels().at(i) + QLatin1Char('\t') + values.at(i);
        QAction *item = m_personalInfoMenu->addAction(caption);
        QObject::connect(item, &QAction::triggered, this, [this, caption] { ChoosePersonalInfo(caption); });
    }
}

void TGBusinessCardLabel::RefreshPopup()
{
    TGPLabel::RefreshPopup();
    // A label loaded before it sat on a card gets its submenu now.
    InsertPersonalInfoMenu();
    if (m_personalInfoMenu)
        RebuildPersonalInfoMenu();
}

void TGBusinessCardLabel::ChoosePersonalInfo(const QString &entryCaption)
{
    const int tab = entryCaption.indexOf(QLatin1Char('\t'));
    SetCaption(entryCaption.mid(tab + 1).left(kMaxCaption));
    FitToText();
    NotifyChanged();
    Invalidate();
}

void TGBusinessCardLabel::EditCardText()
{
    TGetBCLabelText dialog(Caption(), PersonalValues());
    if (UserDialogs::runModal(dialog) == QDialog::Accepted)
        TakeEditedText(dialog.Text());
}
