#include "app/TPrintCommands.h"

#include "app/PrinterAvailable.h"
#include "app/TCardSidePanels.h"
#include "app/TMainScreen.h"
#include "design/CardMerge.h"
#include "design/TGBusinessCardPanel32.h"
#include "design/TextFit.h"
#include "platform/AppRoutines.h"
#include "platform/FormPlacement.h"
#include "platform/HelpTopics.h"
#include "platform/UserDialogs.h"
#include "print/PrinterChoice.h"
#include "print/TPrintFineTune.h"
#include "print/TPrintPipeline.h"
#include "report/TReport.h"

TPrintCommands::TPrintCommands(TMainScreen &window, std::unique_ptr<TReport> job)
    : m_window(window), m_job(job ? std::move(job) : PrinterChoice::CreateMainJob(PrinterAvailable(false))),
      m_pipeline(std::make_unique<TPrintPipeline>(*m_job))
{
    UserDialogs::setHelpHandler([](int topic) { HelpTopic(topic); });
    window.SetCommandHandler(TMainCommand::Print, [this] { mnuPrintClick(); });
    window.SetCommandHandler(TMainCommand::Preview, [this] { mnuPreviewClick(); });
    window.SetCommandHandler(TMainCommand::PrinterSetup, [this] { mnuPrinterSetupClick(); });
    window.SetCommandHandler(TMainCommand::PrinterFineTuning, [this] { mnuPrinterFineTuningClick(); });
    window.SetCommandHandler(TMainCommand::OutlineTestPage, [this] { mnuPrintOutlineTestPageClick(); });
}

TPrintCommands::~TPrintCommands() = default;

TPrintContext TPrintCommands::Context()
{
    TakeWindowSelection();
    TPrintContext context;
    m_sides = std::make_unique<TCardSidePanels>(m_window);
    context.Panel = m_sides->Front;
    context.BackPanel = m_sides->Back;
    context.BackBackgroundFile = m_sides->BackBackground;
    context.Window = &m_window;
    context.Layout = m_window.Layout().Layout;
    context.Nudges = m_window.Preferences().Nudges;
    context.BackgroundFile = m_sides->FrontBackground;
    context.DocumentPath = m_window.DocumentPath();
    context.DocumentFolder = ProgramSubFolder(QStringLiteral("saved"));
    context.Selection = &m_selection;
    context.ShowBottomMarginWarning = &m_window.Preferences().ShowBottomMarginWarning;
    context.SavePreferences = [this] { m_window.SavePreferences(); };
    context.RestorePlacement = [](QWidget &form) { RestoreFormPlacement(form); };
    context.SavePlacement = [](QWidget &form) { SaveFormPlacement(form); };
    return context;
}

void TPrintCommands::TakeWindowSelection()
{
    const auto &flags = m_window.CardPositions();
    for (int i = 0; i < int(flags.size()); ++i)
        m_selection.set(i, flags[i]);
}

void TPrintCommands::GiveWindowSelection()
{
    auto &flags = m_window.CardPositions();
    for (int i = 0; i < int(flags.size()); ++i)
        flags[i] = m_selection.test(i);
}

void TPrintCommands::mnuPrintClick()
{
    // A card filled from a list is checked record by record once the
    // records to print are chosen.
    const CardMerge *merge = CardMerge::Find(m_window.BusinessCardPanel);
    if (!merge || !merge->Attached())
        TextFit::tellUser(*m_window.BusinessCardPanel);
    TPrintContext context = Context();
    m_pipeline->mnuPrintClick(context);
    m_sides.reset();
    GiveWindowSelection();
}

void TPrintCommands::mnuPreviewClick()
{
    TPrintContext context = Context();
    m_pipeline->mnuPreviewClick(context);
    m_sides.reset();
}

void TPrintCommands::mnuPrintOutlineTestPageClick()
{
    TPrintContext context = Context();
    m_pipeline->mnuPrintOutlineTestPageClick(context);
    m_sides.reset();
}

void TPrintCommands::mnuPrinterSetupClick()
{
    m_pipeline->mnuPrinterSetupClick();
}

void TPrintCommands::mnuPrinterFineTuningClick()
{
    TPrintFineTune dialog(m_window.Preferences().Nudges, &m_window);
    CenterForm(dialog);
    if (UserDialogs::runModal(dialog) != QDialog::Accepted)
        return;
    m_window.Preferences().Nudges = dialog.Nudges();
    m_window.SavePreferences();
}
