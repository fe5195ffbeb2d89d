#pragma once

#include <QObject>

class CardMerge;
class QAction;
class QLabel;
class QToolBar;
class QToolButton;
class TMainScreen;

// Filling the card from a contact list: "Attach Contact List..." and
// "Detach Contact List" in the File menu, and the record bar (first,
// previous, "3 of 20", next, last, and the toggle that shows the raw
// fields), which is shown while a list is attached. Made beside the window
// (after the print commands, so its items come before "&Print").
class TContactListCommands : public QObject
{
    Q_OBJECT
public:
    explicit TContactListCommands(TMainScreen &window);

    QAction *AttachItem = nullptr;
    QAction *DetachItem = nullptr;
    QToolBar *RecordBar = nullptr;
    QToolButton *FirstButton = nullptr;
    QToolButton *PreviousButton = nullptr;
    QLabel *RecordLabel = nullptr;
    QToolButton *NextButton = nullptr;
    QToolButton *LastButton = nullptr;
    QToolButton *ShowFieldsButton = nullptr;

    // Asks for the list file and attaches it; a malformed list is named
    // with its line, and the card keeps what it had.
    void AttachClick();
    void DetachClick();
    // Attaches the list at `path`; false (with the message shown) when it
    // cannot be read.
    bool Attach(const QString &path);

private:
    void AddMenuItems();
    void AddRecordBar();
    QToolButton *AddButton(const QString &name, int icon, const QString &tip);
    void UpdateRecordBar();

    TMainScreen &m_window;
    CardMerge &m_merge;
};
