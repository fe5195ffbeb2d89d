#include "app/TTemplateCommands.h"

#include "app/TFileCommands.h"
#include "app/TMainScreen.h"
#include "design/BackgroundArt.h"
#include "design/TGBusinessCardPanel32.h"
#include "design/TextFit.h"
#include "dialogs/TSelectPreviewTemplate.h"
#include "platform/AppRoutines.h"
#include "platform/CaseInsensitivePath.h"
#include "platform/FormPlacement.h"
#include "platform/IniFile.h"
#include "platform/UserDialogs.h"

#include <QFileInfo>

namespace {
const QString ChooserSection = QStringLiteral("Template Chooser");
const QString TemplateKey = QStringLiteral("Template");
const QString FontKey = QStringLiteral("Font");
} // namespace

TTemplateCommands::TTemplateCommands(TMainScreen &window) : m_window(window)
{
    const IniFile settings(SettingsFileName());
    m_lastTemplate = settings.readString(ChooserSection, TemplateKey, QString());
    m_lastFont = settings.readString(ChooserSection, FontKey, QString());
    window.SetCommandHandler(TMainCommand::NewFromTemplate, [this] { NewFromTemplateClick(); });
    window.SetCommandHandler(TMainCommand::WriteIni, [this] { WriteIniClick(); });
}

QString TTemplateCommands::BuildFromTemplate(TGBusinessCardPanel32 &panel, const QString &templateFile,
                                             const QString &fontName, QString *error)
{
    const QString name = panel.ReadTemplate(templateFile, error).trimmed();
    panel.SetAllTextFonts(fontName);
    if (name.isEmpty())
        return QString();
    const QString found = CaseInsensitivePath::findPath(ProgramSubFolder(QStringLiteral("bg")), name);
    const QString path = found.isEmpty() ? ProgramSubFolder(QStringLiteral("bg")) + name : found;
    panel.LoadBackground(path);
    panel.update();
    return path;
}

void TTemplateCommands::NewFromTemplateClick()
{
    if (!m_window.CheckSaveNeeded())
        return;
    TSelectPreviewTemplate chooser(ProgramSubFolder(QStringLiteral("kvlt")),
                                   ProgramSubFolder(QStringLiteral("bg")), &m_window);
    CenterForm(chooser);
    const SheetLayout &layout = m_window.Layout().Layout;
    chooser.SetCardSize(float(layout.Width), float(layout.Height));
    chooser.SetChoice(m_lastTemplate, m_lastFont);
    const bool confirmed = UserDialogs::runModal(chooser) == QDialog::Accepted;
    const QString file = chooser.TemplateFile();
    if (confirmed && !file.isEmpty()) {
        RememberChoice(QFileInfo(file).fileName(), chooser.FontName());
        // The user has already been asked about the changes.
        m_window.ClearChangesFlag();
        m_window.NewBlankClick();
        m_window.SetLoading(true);
        TGBusinessCardPanel32 &panel = *m_window.BusinessCardPanel;
        QString error;
        const QString background = BuildFromTemplate(panel, file, chooser.FontName(), &error);
        m_window.SetBackgroundPath(background);
        SheetLayoutSetting setting = m_window.Layout();
        setting.Layout.Portrait = panel.Portrait();
        m_window.SetLayout(setting);
        m_window.ApplyOrientation(panel.Portrait());
        if (!error.isEmpty())
            UserDialogs::current().error(error);
        else {
            if (!background.isEmpty() && !panel.HasColorPicture())
                Inform(BackgroundArt::NotLoadedMessage(background));
            TextFit::tellUser(panel);
        }
    }
    m_window.SetChangesMade(true);
    m_window.SetLoading(false);
}

void TTemplateCommands::RememberChoice(const QString &templateName, const QString &fontName)
{
    if (templateName == m_lastTemplate && fontName == m_lastFont)
        return;
    m_lastTemplate = templateName;
    m_lastFont = fontName;
    IniFile settings(SettingsFileName());
    settings.writeString(ChooserSection, TemplateKey, templateName);
    settings.writeString(ChooserSection, FontKey, fontName);
    settings.flush(); // a settings file that cannot be written only forgets it
}

void TTemplateCommands::WriteIniClick()
{
    const QString document = m_window.DocumentPath();
    const QString suggested = document.isEmpty()
                                  ? QStringLiteral("Template.KVLT")
                                  : QFileInfo(document).completeBaseName() + QStringLiteral(".KVLT");
    const QString file = UserDialogs::current().saveFileName(
        QStringLiteral("Save As"), ProgramSubFolder(QStringLiteral("kvlt")) + suggested,
        QStringLiteral("KVLT File (*.KVLT *.kvlt)"), QStringLiteral("KVLT"));
    if (file.isEmpty())
        return;
    const QString background = m_window.BackgroundPath().trimmed();
    QString error;
    if (!m_window.BusinessCardPanel->WriteTemplate(file, background, &error)) {
        UserDialogs::current().error(QStringLiteral("The template could not be written: ") + error);
        return;
    }
    Inform(QStringLiteral("Saved as ") + file);
}
