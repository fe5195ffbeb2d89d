#include "app/TPrintShopCommands.h"

#include "app/TCardSidePanels.h"
#include "app/TMainMenus.h"
#include "app/TMainScreen.h"
#include "app/TMainToolBar.h"
#include "design/CardMerge.h"
#include "design/TGBusinessCardPanel32.h"
#include "design/TSafeAreaGuide.h"
#include "platform/AppRoutines.h"
#include "platform/FormPlacement.h"
#include "platform/IniFile.h"
#include "platform/UserDialogs.h"
#include "print/CardImageExport.h"
#include "print/TExportImageDialog.h"
#include "print/TPrintShopDialog.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSpinBox>
#include <QToolButton>

namespace {
const QString SettingsSection = QStringLiteral("Print Shop");
const QString ShowSafeAreaKey = QStringLiteral("ShowSafeArea");
} // namespace

TPrintShopCommands::TPrintShopCommands(TMainScreen &window) : m_window(window)
{
    AddMenuItems();
    AddToolButton();
}

void TPrintShopCommands::AddMenuItems()
{
    QMenu *file = m_window.Menus->FileMenu;
    const QList<QAction *> items = file->actions();
    const qsizetype jpg = items.indexOf(m_window.Menus->SaveAsJpgItem);
    QAction *before = jpg >= 0 && jpg + 1 < items.size() ? items.at(jpg + 1) : nullptr;
    ExportForPrintShopItem = new QAction(QStringLiteral("Export for Print Shop..."), file);
    ExportAsPngItem = new QAction(QStringLiteral("Export as PNG..."), file);
    file->insertAction(before, ExportForPrintShopItem);
    file->insertAction(before, ExportAsPngItem);
    connect(ExportForPrintShopItem, &QAction::triggered, this, &TPrintShopCommands::ExportForPrintShopClick);
    connect(ExportAsPngItem, &QAction::triggered, this, &TPrintShopCommands::ExportAsPngClick);
}

void TPrintShopCommands::AddToolButton()
{
    TMainToolBar *bar = m_window.ToolBar;
    SafeAreaButton = new QToolButton(bar);
    SafeAreaButton->setObjectName(QStringLiteral("safearea"));
    SafeAreaButton->setIcon(QIcon(QStringLiteral(":/icons/safearea.svg")));
    SafeAreaButton->setToolTip(QStringLiteral("Show the safe area\nText inside the dashed line is safe from the cutter"));
    SafeAreaButton->setCheckable(true);
    SafeAreaButton->setAutoRaise(true);
    SafeAreaButton->setFocusPolicy(Qt::NoFocus);
    // After the grid toggles.
    const QList<QAction *> actions = bar->actions();
    QAction *before = nullptr;
    for (qsizetype i = 0; i + 1 < actions.size(); ++i) {
        if (bar->widgetForAction(actions.at(i)) == bar->SnapToGrid)
            before = actions.at(i + 1);
    }
    bar->insertWidget(before, SafeAreaButton);
    SafeAreaGuide = new TSafeAreaGuide(m_window.BusinessCardPanel);
    // The guide is a way of working: it stays as the user last left it.
    const bool shown = IniFile(SettingsFileName()).readBool(SettingsSection, ShowSafeAreaKey, false);
    SafeAreaButton->setChecked(shown);
    ShowSafeArea(shown);
    connect(SafeAreaButton, &QToolButton::toggled, this, &TPrintShopCommands::SafeAreaClick);
}

void TPrintShopCommands::SafeAreaClick(bool down)
{
    SafeAreaButton->setChecked(down);
    ShowSafeArea(down);
    IniFile settings(SettingsFileName());
    settings.writeBool(SettingsSection, ShowSafeAreaKey, down);
    settings.flush();
}

void TPrintShopCommands::ShowSafeArea(bool shown)
{
    SafeAreaGuide->setVisible(shown);
    if (shown)
        SafeAreaGuide->raise();
}

PrintShopExport::Card TPrintShopCommands::CurrentCard() const
{
    PrintShopExport::Card card;
    card.Panel = m_window.BusinessCardPanel;
    const SheetLayout &layout = m_window.Layout().Layout;
    card.Size = card.Panel->Portrait() ? QSizeF(layout.Height, layout.Width) : QSizeF(layout.Width, layout.Height);
    card.BackgroundFile = m_window.BackgroundPath();
    // A card filled from a contact list is exported once per record.
    const CardMerge *merge = CardMerge::Find(card.Panel);
    card.OneCardPerRecord = merge && merge->Attached();
    return card;
}

QString TPrintShopCommands::SideFileName(const QString &path, const QString &side)
{
    const QFileInfo info(path);
    const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    return info.dir().filePath(info.completeBaseName() + QLatin1Char('-') + side + suffix);
}

QString TPrintShopCommands::SuggestedName(const QString &suffix) const
{
    const QString document = m_window.DocumentPath();
    if (document.isEmpty())
        return QDir(ProgramSubFolder(QStringLiteral("saved"))).filePath(QStringLiteral("BusinessCard.") + suffix);
    const QFileInfo info(document);
    return info.dir().filePath(info.completeBaseName() + QLatin1Char('.') + suffix);
}

void TPrintShopCommands::ExportForPrintShopClick()
{
    const PrintShopExport::Card card = CurrentCard();
    TPrintShopDialog dialog(card.Size, m_window.Layout().UseMM, &m_window);
    dialog.SetOptions(PrintShopExport::Remembered());
    CenterForm(dialog);
    if (UserDialogs::runModal(dialog) != QDialog::Accepted)
        return;
    const PrintShopExport::Options options = dialog.Options();
    PrintShopExport::Remember(options);
    // A card with a back becomes two pages, front first.
    const TCardSidePanels sides(m_window);
    PrintShopExport::Card front = card;
    front.Panel = sides.Front;
    front.BackgroundFile = sides.FrontBackground;
    PrintShopExport::Card back = card;
    back.Panel = sides.Back;
    back.BackgroundFile = sides.BackBackground;
    if (sides.Back)
        front.Back = &back;
    const bool textOutside = PrintShopExport::TextOutsideSafeArea(*front.Panel, card.Size)
        || (sides.Back && PrintShopExport::TextOutsideSafeArea(*sides.Back, card.Size));
    if (textOutside && !Ask(PrintShopExport::SafeAreaWarning(), QStringLiteral("Export for Print Shop")))
        return;
    const QString path = UserDialogs::current().saveFileName(
        QStringLiteral("Export for Print Shop"), SuggestedName(QStringLiteral("pdf")),
        QStringLiteral("PDF File (*.pdf)"), QStringLiteral("pdf"));
    if (path.isEmpty())
        return;
    QString error;
    bool written = false;
    {
        BusyCursorScope busy;
        written = PrintShopExport::Write(front, options, path, &error);
    }
    if (!written)
        Inform(error);
}

void TPrintShopCommands::ExportAsPngClick()
{
    const PrintShopExport::Card card = CurrentCard();
    TExportImageDialog dialog(card.Size, &m_window);
    const CardImageExport::Settings remembered = CardImageExport::Remembered();
    dialog.DpiEdit->setValue(remembered.Dpi);
    dialog.TransparentCheck->setChecked(remembered.Transparent);
    CenterForm(dialog);
    if (UserDialogs::runModal(dialog) != QDialog::Accepted)
        return;
    const CardImageExport::Settings settings{dialog.DpiEdit->value(), dialog.TransparentCheck->isChecked()};
    CardImageExport::Remember(settings);
    const QString path = UserDialogs::current().saveFileName(
        QStringLiteral("Export as PNG"), SuggestedName(QStringLiteral("png")), QStringLiteral("PNG File (*.png)"),
        QStringLiteral("png"));
    if (path.isEmpty())
        return;
    QString error;
    bool written = false;
    {
        BusyCursorScope busy;
        // A card with a back gives "NAME-front.png" and "NAME-back.png".
        const TCardSidePanels sides(m_window);
        QList<std::pair<PrintShopExport::Card, QString>> pictures;
        PrintShopExport::Card side = card;
        side.Panel = sides.Front;
        side.BackgroundFile = sides.FrontBackground;
        pictures.append({side, sides.Back ? SideFileName(path, QStringLiteral("front")) : path});
        if (sides.Back) {
            side.Panel = sides.Back;
            side.BackgroundFile = sides.BackBackground;
            pictures.append({side, SideFileName(path, QStringLiteral("back"))});
        }
        written = true;
        for (const auto &[which, file] : pictures) {
            const QImage picture = CardImageExport::Render(which, settings.Dpi, settings.Transparent);
            written = !picture.isNull() && CardImageExport::WritePicture(picture, file, "png", &error);
            if (picture.isNull())
                error = QStringLiteral("The card could not be drawn at %1 dpi.").arg(settings.Dpi);
            if (!written)
                break;
        }
    }
    if (!written)
        Inform(error);
}
