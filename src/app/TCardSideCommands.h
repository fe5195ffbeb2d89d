#pragma once

#include <QObject>

#include <functional>

class QAction;
class QPushButton;
class QWidget;
class TGBusinessCardPanel32;
class TMainScreen;

// The card's two sides in the main window: the View menu's "Front" and
// "Back" (Ctrl+Page Up, Ctrl+Page Down), the two-button switch above the
// card, and "Add Back" / "Remove Back" in the Edit menu. Showing a side is
// no change of the card; adding and removing the back are undo steps.
// Made by the window itself.
class TCardSideCommands : public QObject
{
    Q_OBJECT
public:
    explicit TCardSideCommands(TMainScreen &window);

    QAction *FrontItem = nullptr;
    QAction *BackItem = nullptr;
    QAction *AddBackItem = nullptr;
    QAction *RemoveBackItem = nullptr;
    QWidget *Switch = nullptr;
    QPushButton *FrontButton = nullptr;
    QPushButton *BackButton = nullptr;

    void ShowSide(bool back);
    void AddBack();
    // Asks first.
    void RemoveBack();

    // Runs `change` on the side that is not shown (when the card has two),
    // on a hidden panel, and keeps the result: commands that act on the
    // whole card, such as changing all fonts.
    static void ChangeHiddenSide(TMainScreen &window,
                                 const std::function<void(TGBusinessCardPanel32 &)> &change);

private:
    void UpdateItems();

    TMainScreen &m_window;
};
