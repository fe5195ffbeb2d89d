#include "objects/TGMultiLineLabel.h"

#include "objects/TMultiLineTextEditor.h"
#include "platform/UserDialogs.h"

#include <QAction>
#include <QDialog>

void TGMultiLineLabel::BuildMenu()
{
    TGMultiLineBaseLabel::BuildMenu();
    AddMenuSeparator();
    AddMenuItem("Text", [this] { EditLines(); });
    m_wordWrapItem = AddMenuItem("Word Wrap", [this] {
        SetWordWrap(!WordWrap());
        m_wordWrapItem->setChecked(WordWrap());
    });
    m_wordWrapItem->setCheckable(true);
    m_wordWrapItem->setChecked(WordWrap());
}

void TGMultiLineLabel::RefreshPopup()
{
    TGMultiLineBaseLabel::RefreshPopup();
    if (m_wordWrapItem)
        m_wordWrapItem->setChecked(WordWrap());
}

void TGMultiLineLabel::EditLines()
{
    TMultiLineTextEditor editor(Font(), Items());
    if (UserDialogs::runModal(editor) != QDialog::Accepted)
        return;
    SetItems(editor.Lines());
    Invalidate();
    if (WordWrap())
        Rewrap();
    NotifyChanged();
}
