#include "app/TMainMenus.h"

#include <QMenu>
#include <QMenuBar>

TMainMenus::TMainMenus(QMenuBar *bar, QObject *parent) : QObject(parent)
{
    BuildFileMenu(bar);
    BuildEditMenu(bar);
    BuildViewMenu(bar);
    BuildHelpMenu(bar);
}

void TMainMenus::BuildFileMenu(QMenuBar *bar)
{
    FileMenu = bar->addMenu(QStringLiteral("&File"));
    NewBlankItem = FileMenu->addAction(QStringLiteral("&New - Blank"));
    NewBlankItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    NewFromTemplateItem = FileMenu->addAction(QStringLiteral("New - Select From Templates"));
    OpenItem = FileMenu->addAction(QStringLiteral("&Open"));
    OpenItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    DeleteItem = FileMenu->addAction(QStringLiteral("&Delete"));
    FileMenu->addSeparator();
    SaveItem = FileMenu->addAction(QStringLiteral("Save"));
    SaveItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    SaveAsItem = FileMenu->addAction(QStringLiteral("Save &As..."));
    SaveAsItem->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    SaveAsBitmapItem = FileMenu->addAction(QStringLiteral("Save As Bitmap"));
    SaveAsJpgItem = FileMenu->addAction(QStringLiteral("Save As JPG"));
    FileMenu->addSeparator();
    PrintItem = FileMenu->addAction(QStringLiteral("&Print"));
    PrintItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    PreviewItem = FileMenu->addAction(QStringLiteral("Pre&view"));
    FileMenu->addSeparator();
    PrinterSetupItem = FileMenu->addAction(QStringLiteral("Printer S&etup"));
    FineTuningItem = FileMenu->addAction(QStringLiteral("Printer Fine &Tuning"));
    OutlineTestPageItem = FileMenu->addAction(QStringLiteral("Print O&utline Test Page"));
    WriteIniItem = FileMenu->addAction(QStringLiteral("--------Write Ini------"));
    WriteIniItem->setVisible(false);
    FileMenu->addSeparator();
    ExitItem = FileMenu->addAction(QStringLiteral("E&xit"));
    ExitItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
}

void TMainMenus::BuildEditMenu(QMenuBar *bar)
{
    EditMenu = bar->addMenu(QStringLiteral("&Edit"));
    // The undo history gives them their step names and enables them.
    UndoItem = EditMenu->addAction(QStringLiteral("&Undo"));
    UndoItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    RedoItem = EditMenu->addAction(QStringLiteral("&Redo"));
    RedoItem->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y),
                            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    EditMenu->addSeparator();
    DefaultFontItem = EditMenu->addAction(QStringLiteral("&Default Font - "));
    ChangeAllFontsItem = EditMenu->addAction(QStringLiteral("Change all fonts to..."));
    PersonalInformationItem = EditMenu->addAction(QStringLiteral("&Personal Information"));
    BackgroundArtItem = EditMenu->addAction(QStringLiteral("&Set or Change Background Art"));
    EditMenu->addSeparator();
    SaveLayoutAsDefaultItem = EditMenu->addAction(QStringLiteral("Save Current Layout as Default"));
    ChangeLayoutItem = EditMenu->addAction(QStringLiteral("Change Business Card Layout"));
    EditMenu->addSeparator();
    AddQRCodeItem = EditMenu->addAction(QStringLiteral("Add QR Code"));
}

void TMainMenus::BuildViewMenu(QMenuBar *bar)
{
    ViewMenu = bar->addMenu(QStringLiteral("&View"));
    ZoomInItem = ViewMenu->addAction(QStringLiteral("Zoom &In"));
    // Ctrl+= is the same key as Ctrl++ without Shift on many keyboards.
    ZoomInItem->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus),
                              QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    ZoomOutItem = ViewMenu->addAction(QStringLiteral("Zoom &Out"));
    ZoomOutItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
}

void TMainMenus::BuildHelpMenu(QMenuBar *bar)
{
    HelpMenu = bar->addMenu(QStringLiteral("&Help"));
    ContentsItem = HelpMenu->addAction(QStringLiteral("&Contents"));
    AboutItem = HelpMenu->addAction(QStringLiteral("&About"));
    ConfigurationItem = HelpMenu->addAction(QStringLiteral("Configuration Information"));
    TechnicalSupportItem = HelpMenu->addAction(QStringLiteral("Technical Support"));
    FaqItem = HelpMenu->addAction(QStringLiteral("Frequently Asked Questions"));
    HelpMenu->addSeparator();
    BonusArtworkItem = HelpMenu->addAction(QStringLiteral("Visit the Bonus Artwork Web Page"));
    WebSiteItem = HelpMenu->addAction(QStringLiteral("Visit Our Internet Website"));
}

QList<QAction *> TMainMenus::PrinterItems() const
{
    return {PrintItem, PreviewItem, PrinterSetupItem, FineTuningItem, OutlineTestPageItem};
}
