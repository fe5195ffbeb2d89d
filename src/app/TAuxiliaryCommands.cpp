#include "app/TAuxiliaryCommands.h"

#include "app/Preferences.h"
#include "app/TCardSideCommands.h"
#include "app/TMainScreen.h"
#include "design/TGBusinessCardPanel32.h"
#include "dialogs/ConfigurationReport.h"
#include "dialogs/TChangeFontAll.h"
#include "dialogs/TConfigurationInfo.h"
#include "dialogs/TPersonalInformation.h"
#include "dialogs/TSelectPreviewTemplate.h"
#include "platform/AppRoutines.h"
#include "platform/BuildInfo.h"
#include "platform/FormPlacement.h"
#include "platform/HelpTopics.h"
#include "platform/IniFile.h"
#include "platform/UserDialogs.h"

TAuxiliaryCommands::TAuxiliaryCommands(TMainScreen &window) : m_window(window)
{
    UserDialogs::setHelpHandler([](int topic) { HelpTopic(topic); });
    RegisterHelpTopic(TPersonalInformation::HelpTopicNumber, QStringLiteral("personal.html"));
    RegisterHelpTopic(TChangeFontAll::HelpTopicNumber, QStringLiteral("fonts.html"));
    RegisterHelpTopic(TSelectPreviewTemplate::HelpTopicNumber, QStringLiteral("templates.html"));
    window.SetCommandHandler(TMainCommand::ConfigurationInformation,
                             [this] { ConfigurationInformation1Click(); });
    window.SetCommandHandler(TMainCommand::PersonalInformation, [this] { PersonalInformation1Click(); });
    window.SetCommandHandler(TMainCommand::ChangeAllFonts, [this] { Changeallfontsto1Click(); });
}

TProgramFacts TAuxiliaryCommands::ProgramFacts()
{
    TProgramFacts facts;
    facts.ProductName = BuildInfo::ProductName();
    facts.VersionText = BuildInfo::VersionText();
    facts.BuildDate = BuildInfo::BuildDate();
    facts.SettingsFile = SettingsFileName();
    // As stored: what the settings file holds now, not what the window has in memory.
    const TPreferences stored = Preferences::Read(IniFile(facts.SettingsFile));
    facts.FontName = stored.DefaultFont.Name;
    facts.FontSize = stored.DefaultFont.Size;
    facts.Bold = stored.DefaultFont.Bold;
    facts.Italic = stored.DefaultFont.Italic;
    facts.Underline = stored.DefaultFont.Underline;
    facts.TopMarginNudge = stored.Nudges.TopMarginNudge;
    facts.LeftMarginNudge = stored.Nudges.LeftMarginNudge;
    facts.VerticalSpacing = stored.Nudges.VerticalSpacing;
    facts.HorizontalSpacing = stored.Nudges.HorizontalSpacing;
    return facts;
}

void TAuxiliaryCommands::ConfigurationInformation1Click()
{
    BusyCursor();
    const QStringList lines =
        ConfigurationReport::Lines(ProgramFacts(), SystemFacts::gather(), QDate::currentDate());
    NormalCursor();
    TConfigurationInfo dialog(lines, ProgramFolder(), &m_window);
    CenterForm(dialog);
    UserDialogs::runModal(dialog);
}

void TAuxiliaryCommands::PersonalInformation1Click()
{
    TPersonalInformation dialog(&m_window);
    dialog.SetValues(Preferences::ReadPersonalInformation());
    CenterForm(dialog);
    if (UserDialogs::runModal(dialog) != QDialog::Accepted)
        return;
    const QStringList values = dialog.Values();
    // The card panel gets the new values even when the file cannot be
    // written, but the user is told they will not last.
    if (!Preferences::WritePersonalInformation(values))
        UserDialogs::current().error(QStringLiteral("The personal information could not be saved in ")
                                     + SettingsFileName());
    m_window.BusinessCardPanel->SetPersonalInformation(values);
}

void TAuxiliaryCommands::Changeallfontsto1Click()
{
    TChangeFontAll dialog(&m_window);
    CenterForm(dialog);
    if (UserDialogs::runModal(dialog) != QDialog::Accepted)
        return;
    const QString name = dialog.SelectedFont();
    if (name.isEmpty())
        return;
    m_window.BusinessCardPanel->SetAllTextFonts(name);
    m_window.BusinessCardPanel->update();
    TCardSideCommands::ChangeHiddenSide(m_window, [&name](TGBusinessCardPanel32 &side) {
        side.SetAllTextFonts(name);
    });
}
