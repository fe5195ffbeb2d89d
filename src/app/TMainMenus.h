#pragma once

#include <QObject>

class QAction;
class QMenu;
class QMenuBar;

// The main window's menus with their captions, shortcuts and order. The
// window connects the items to its commands.
class TMainMenus : public QObject
{
    Q_OBJECT
public:
    TMainMenus(QMenuBar *bar, QObject *parent = nullptr);

    QMenu *FileMenu = nullptr;
    QAction *NewBlankItem = nullptr;
    QAction *NewFromTemplateItem = nullptr;
    QAction *OpenItem = nullptr;
    QAction *DeleteItem = nullptr;
    QAction *SaveItem = nullptr;
    QAction *SaveAsItem = nullptr;
    QAction *SaveAsBitmapItem = nullptr;
    QAction *SaveAsJpgItem = nullptr;
    QAction *PrintItem = nullptr;
    QAction *PreviewItem = nullptr;
    QAction *PrinterSetupItem = nullptr;
    QAction *FineTuningItem = nullptr;
    QAction *OutlineTestPageItem = nullptr;
    QAction *WriteIniItem = nullptr;
    QAction *ExitItem = nullptr;

    QMenu *EditMenu = nullptr;
    QAction *UndoItem = nullptr;
    QAction *RedoItem = nullptr;
    QAction *DefaultFontItem = nullptr;
    QAction *ChangeAllFontsItem = nullptr;
    QAction *PersonalInformationItem = nullptr;
    QAction *BackgroundArtItem = nullptr;
    QAction *SaveLayoutAsDefaultItem = nullptr;
    QAction *ChangeLayoutItem = nullptr;
    QAction *AddQRCodeItem = nullptr;

    QMenu *ViewMenu = nullptr;
    QAction *ZoomInItem = nullptr;
    QAction *ZoomOutItem = nullptr;

    QMenu *HelpMenu = nullptr;
    QAction *ContentsItem = nullptr;
    QAction *AboutItem = nullptr;
    QAction *ConfigurationItem = nullptr;
    QAction *TechnicalSupportItem = nullptr;
    QAction *FaqItem = nullptr;
    QAction *BonusArtworkItem = nullptr;
    QAction *WebSiteItem = nullptr;

    // The items that need a printer.
    QList<QAction *> PrinterItems() const;

private:
    void BuildFileMenu(QMenuBar *bar);
    void BuildEditMenu(QMenuBar *bar);
    void BuildViewMenu(QMenuBar *bar);
    void BuildHelpMenu(QMenuBar *bar);
};
