#pragma once

#include "print/PrintShopExport.h"

#include <QObject>

class QAction;
class QToolButton;
class TMainScreen;
class TSafeAreaGuide;

// The print-shop commands of the main window: "Export for Print Shop..."
// and "Export as PNG..." in the File menu (after "Save As JPG"), and the
// tool-bar toggle that shows the card's safe area. Made beside the window;
// it adds its menu items and button itself.
class TPrintShopCommands : public QObject
{
    Q_OBJECT
public:
    explicit TPrintShopCommands(TMainScreen &window);

    QAction *ExportForPrintShopItem = nullptr;
    QAction *ExportAsPngItem = nullptr;
    QToolButton *SafeAreaButton = nullptr;
    TSafeAreaGuide *SafeAreaGuide = nullptr;

    void ExportForPrintShopClick();
    void ExportAsPngClick();
    void SafeAreaClick(bool down);

    // The card on the screen as the exports take it.
    PrintShopExport::Card CurrentCard() const;
    // "Jane-front.png" for "Jane.png" and "front".
    static QString SideFileName(const QString &path, const QString &side);
    // Beside the card document, or in the "saved" folder for a new card.
    QString SuggestedName(const QString &suffix) const;

private:
    void AddMenuItems();
    void AddToolButton();
    void ShowSafeArea(bool shown);

    TMainScreen &m_window;
};
