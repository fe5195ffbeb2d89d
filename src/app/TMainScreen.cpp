#include "app/TMainScreen.h"

#include "app/CardClasses.h"
#include "app/TAboutBox.h"
#include "app/TBackgroundArtCommand.h"
#include "app/TCardDrops.h"
#include "app/TClipboardPaste.h"
#include "app/TCardArea.h"
#include "app/TCardExport.h"
#include "app/TCardSideCommands.h"
#include "app/TEditingCommands.h"
#include "app/TFileCommands.h"
#include "app/TMRUFileList.h"
#include "app/TMainMenus.h"
#include "app/TMainToolBar.h"
#include "app/TUndoHistory.h"
#include "design/TGBusinessCardPanel32.h"
#include "design/TGHandle.h"
#include "objects/TGQRCode.h"
#include "platform/AppRoutines.h"
#include "platform/CaseInsensitivePath.h"
#include "platform/FormPlacement.h"
#include "platform/HelpTopics.h"
#include "platform/UserDialogs.h"
#include "richtext/TRichTextEngine.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QUrl>
#include <QVBoxLayout>

TMainScreen::TMainScreen(QWidget *parent)
    : QMainWindow(parent),
      m_files(std::make_unique<TFileCommands>(*this)),
      m_export(std::make_unique<TCardExport>(*this))
{
    registerCardClasses();
    FormCreate();
}

TMainScreen::~TMainScreen()
{
    qApp->removeEventFilter(this);
    if (UserDialogs::parentWidget() == this)
        UserDialogs::setParentWidget(nullptr);
}

void TMainScreen::FormCreate()
{
    InitKarvelloResources();
    setObjectName(QStringLiteral("MainScreen"));
    setWindowTitle(QStringLiteral("Karvello"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/karvello.svg")));
    setFont(QFont(QStringLiteral("Arial")));
    resize(720, 540);
    UserDialogs::setParentWidget(this);

    ToolBar = new TMainToolBar(this);
    ToolBar->PressTool(psPointing);
    addToolBar(Qt::TopToolBarArea, ToolBar);
    Menus = new TMainMenus(menuBar(), this);
    BuildCardArea();
    BuildBottomBar();
    ConnectToolBar();
    ConnectMenus();
    InstallBackgroundArtCommand(*this);
    InstallCardDrops(*this);
    InstallClipboardPaste(*BusinessCardPanel);
    History = new TUndoHistory(*this);
    // The window sees every key first, whichever of its controls has the focus.
    qApp->installEventFilter(this);

    m_loading = true;
    m_positions.fill(true);
    LoadPreferences();
    LoadLayoutPreferences();
    ReadPersonalInformation();
    SizeCardFromLayout();
    UpdateDefaultFontCaption();
    SetChangesMade(false);

    RecentFiles = new TMRUFileList(Menus->FileMenu, SettingsFileName(), QStringLiteral("MRU"),
                                   this);
    connect(RecentFiles, &TMRUFileList::FileClicked, this, &TMainScreen::RecentFileClicked);
    RecentFiles->Load();
    ensureProgramFolders();
    new TEditingCommands(*this);
    new TCardSideCommands(*this);
    Menus->WriteIniItem->setVisible(
        !CaseInsensitivePath::findEntry(ProgramFolder(), QStringLiteral("IAmDeveloping.dat"))
             .isEmpty());
}

void TMainScreen::BuildCardArea()
{
    BusinessCardPanel = new TGBusinessCardPanel32;
    BusinessCardPanel->setObjectName(QStringLiteral("BusinessCardPanel"));
    BusinessCardPanel->SetDrawOutline(true);
    BusinessCardPanel->SetShape(lsRectangle);
    // The one engine that renders every rich-text object of this window.
    TRichTextEngine::CreateMaster(this);
    auto *area = new TCardArea;
    area->SetCard(BusinessCardPanel);
    ScrollBox1 = new QScrollArea;
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    ScrollBox1->setWidgetResizable(true);
    ScrollBox1->setWidget(area);
    connect(BusinessCardPanel, &TGBasePanel::LabelChangedEvent, this,
            &TMainScreen::BusinessCardPanelLabelChangedEvent);
    connect(BusinessCardPanel, &TGBasePanel::DroppedObjectEvent, this,
            &TMainScreen::BusinessCardPanelDroppedObjectEvent);
}

void TMainScreen::BuildBottomBar()
{
    Panel1 = new QWidget;
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(40);
    Savebutton = new QPushButton(QStringLiteral("Save as"), Panel1);
    Savebutton->setDefault(true);
    Cancelbutton = new QPushButton(QStringLiteral("Cancel"), Panel1);
    connect(Savebutton, &QPushButton::clicked, this, &TMainScreen::SavebuttonClick);
    connect(Cancelbutton, &QPushButton::clicked, this, &TMainScreen::CancelbuttonClick);
    auto *buttons = new QHBoxLayout(Panel1);
    buttons->setContentsMargins(8, 4, 8, 4);
    buttons->addStretch();
    buttons->addWidget(Savebutton);
    buttons->addWidget(Cancelbutton);

    auto *central = new QWidget;
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ScrollBox1, 1);
    layout->addWidget(Panel1);
    setCentralWidget(central);
}

void TMainScreen::ConnectToolBar()
{
    connect(ToolBar, &TMainToolBar::ToolClicked, this, [this](TLPanelState state, bool down) {
        // A released drawing tool leaves the card in the selection state.
        const TLPanelState chosen = down ? state : psPointing;
        if (!down && state != psPointing)
            ToolBar->PressTool(psPointing);
        BusinessCardPanel->SetPanelState(chosen);
    });
    connect(ToolBar, &TMainToolBar::BackgroundArtClicked, this,
            [this] { RunCommand(TMainCommand::BackgroundArt); });
    connect(ToolBar, &TMainToolBar::ShowGridClicked, BusinessCardPanel,
            &TGBusinessCardPanel32::SetShowGrid);
    connect(ToolBar, &TMainToolBar::SnapToGridClicked, BusinessCardPanel,
            &TGBusinessCardPanel32::SetSnapToGrid);
    connect(ToolBar, &TMainToolBar::ZoomOutClicked, this, &TMainScreen::ZoomOut);
    connect(ToolBar, &TMainToolBar::ZoomInClicked, this, &TMainScreen::ZoomIn);
}

void TMainScreen::ConnectMenus()
{
    const TMainMenus &m = *Menus;
    connect(m.NewBlankItem, &QAction::triggered, this, &TMainScreen::NewBlankClick);
    connect(m.OpenItem, &QAction::triggered, this, &TMainScreen::OpenClick);
    connect(m.DeleteItem, &QAction::triggered, this, &TMainScreen::DeleteClick);
    connect(m.SaveItem, &QAction::triggered, this, &TMainScreen::SaveClick);
    connect(m.SaveAsItem, &QAction::triggered, this, &TMainScreen::SaveAsClick);
    connect(m.SaveAsBitmapItem, &QAction::triggered, this, &TMainScreen::SaveAsBitmapClick);
    connect(m.SaveAsJpgItem, &QAction::triggered, this, &TMainScreen::SaveAsJpgClick);
    connect(m.ExitItem, &QAction::triggered, this, &TMainScreen::ExitClick);
    connect(m.DefaultFontItem, &QAction::triggered, this, &TMainScreen::DefaultFontClick);
    connect(m.SaveLayoutAsDefaultItem, &QAction::triggered, this,
            &TMainScreen::SaveLayoutAsDefaultClick);
    connect(m.ChangeLayoutItem, &QAction::triggered, this, &TMainScreen::ChangeLayoutClick);
    connect(m.AddQRCodeItem, &QAction::triggered, this, [this] { TGQRCode::AddToCard(*BusinessCardPanel); });
    connect(m.ZoomInItem, &QAction::triggered, this, &TMainScreen::ZoomIn);
    connect(m.ZoomOutItem, &QAction::triggered, this, &TMainScreen::ZoomOut);
    connect(m.AboutItem, &QAction::triggered, this, &TMainScreen::AboutClick);
    connect(m.ContentsItem, &QAction::triggered, this, [] { HelpContents(); });
    connect(m.TechnicalSupportItem, &QAction::triggered, this, [] { HelpTopic(1041); });
    connect(m.FaqItem, &QAction::triggered, this, [] { HelpTopic(911); });
    connect(m.BonusArtworkItem, &QAction::triggered, this,
            [] { QDesktopServices::openUrl(QUrl(TAboutBox::BonusArtworkAddress())); });
    connect(m.WebSiteItem, &QAction::triggered, this,
            [] { QDesktopServices::openUrl(QUrl(TAboutBox::WebSiteAddress())); });
    ConnectCommandItem(m.NewFromTemplateItem, TMainCommand::NewFromTemplate);
    ConnectCommandItem(m.WriteIniItem, TMainCommand::WriteIni);
    ConnectCommandItem(m.PrintItem, TMainCommand::Print);
    ConnectCommandItem(m.PreviewItem, TMainCommand::Preview);
    ConnectCommandItem(m.PrinterSetupItem, TMainCommand::PrinterSetup);
    ConnectCommandItem(m.FineTuningItem, TMainCommand::PrinterFineTuning);
    ConnectCommandItem(m.OutlineTestPageItem, TMainCommand::OutlineTestPage);
    ConnectCommandItem(m.ChangeAllFontsItem, TMainCommand::ChangeAllFonts);
    ConnectCommandItem(m.PersonalInformationItem, TMainCommand::PersonalInformation);
    ConnectCommandItem(m.BackgroundArtItem, TMainCommand::BackgroundArt);
    ConnectCommandItem(m.ConfigurationItem, TMainCommand::ConfigurationInformation);
}

void TMainScreen::ConnectCommandItem(QAction *item, TMainCommand command)
{
    connect(item, &QAction::triggered, this, [this, command] { RunCommand(command); });
}

void TMainScreen::SetCommandHandler(TMainCommand command, std::function<void()> handler)
{
    m_commands.insert(int(command), std::move(handler));
}

void TMainScreen::RunCommand(TMainCommand command)
{
    const TGPanelAction action(BusinessCardPanel, TUndoHistory::CommandStepName(command));
    const auto it = m_commands.constFind(int(command));
    if (it != m_commands.constEnd() && *it)
        (*it)();
    else
        Inform(QStringLiteral("This command is not available in this version of Karvello."));
}

void TMainScreen::FormActivate()
{
    if (m_activated) {
        BusinessCardPanel->update();
        return;
    }
    m_activated = true;
    if (auto *editing = findChild<TEditingCommands *>())
        editing->SizeFirstWindow();
    RestoreFormPlacement(*this);
    show();
    QCoreApplication::processEvents();
    BusinessCardPanel->SetShape(lsRectangle);
    SizeCardFromLayout();
    BusinessCardPanel->show();
    QCoreApplication::processEvents();
    NormalCursor();
    const QStringList recent = RecentFiles->Items();
    if (!recent.isEmpty() && QFileInfo::exists(recent.constFirst()))
        OpenDocument(recent.constFirst());
    SetChangesMade(false);
    History->Reset();
    m_loading = false;
    // Printing never waits for an installed printer: without one the sheets
    // go into a PDF file, so the printer check has nothing to report here.
    m_printerAvailable = true;
    UpdateButtons();
}

void TMainScreen::BringForward()
{
    if (isMinimized())
        showNormal();
    else if (!isVisible())
        show();
    raise();
    activateWindow();
}

void TMainScreen::StoreChangesMade(bool value)
{
    if (value == m_changesMade)
        return;
    m_changesMade = value;
    emit ChangesMadeChanged(value);
}

void TMainScreen::ClearChangesFlag()
{
    StoreChangesMade(false);
}

void TMainScreen::SetRecovered(bool value)
{
    m_recovered = value;
    UpdateButtons();
}

void TMainScreen::SetChangesMade(bool value)
{
    if (value && History)
        History->ChangeReported();
    StoreChangesMade(value);
    Cancelbutton->setVisible(value);
    Savebutton->setVisible(value);
    Savebutton->setText(m_documentPath.isEmpty() ? QStringLiteral("Save As")
                                                 : QStringLiteral("Save"));
    Menus->SaveItem->setEnabled(!m_documentPath.isEmpty());
}

bool TMainScreen::CheckSaveNeeded()
{
    if (!m_changesMade)
        return true;
    const TAnswer answer =
        UserDialogs::current().askWithCancel(QStringLiteral("Save changes?"), QStringLiteral("Save"));
    if (answer == TAnswer::anCancel)
        return false;
    if (answer == TAnswer::anYes) {
        if (!m_documentPath.isEmpty()) {
            // Saved where it came from: the flag clears, the buttons stay.
            if (!SaveDocument(m_documentPath))
                return false;
            StoreChangesMade(false);
            return true;
        }
        SaveAsClick();
        if (m_changesMade)
            return false; // the user cancelled the dialog, or the save failed
    }
    SetChangesMade(false);
    return true;
}

void TMainScreen::UpdateButtons()
{
    Menus->SaveItem->setEnabled(!m_documentPath.isEmpty());
    QString title = m_documentPath.isEmpty()
        ? QStringLiteral("Karvello")
        : QStringLiteral("Karvello - ") + QFileInfo(m_documentPath).fileName();
    if (m_recovered)
        title += QStringLiteral(" (recovered)");
    setWindowTitle(title);
    for (QAction *item : Menus->PrinterItems())
        item->setEnabled(m_printerAvailable);
}

void TMainScreen::BusinessCardPanelLabelChangedEvent()
{
    if (!m_loading)
        SetChangesMade(true);
}

void TMainScreen::BusinessCardPanelDroppedObjectEvent()
{
    BusinessCardPanel->SetPanelState(psPointing);
    ToolBar->PressTool(psPointing);
}
