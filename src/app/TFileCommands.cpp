#include "app/TFileCommands.h"

#include "app/TMRUFileList.h"
#include "app/TMainScreen.h"
#include "app/TUndoHistory.h"
#include "app/WindowsCopy.h"
#include "design/CardDocument.h"
#include "design/CardMerge.h"
#include "design/CardSides.h"
#include "design/SheetLayoutIni.h"
#include "design/TGBusinessCardPanel32.h"
#include "platform/AppRoutines.h"
#include "platform/CaseInsensitivePath.h"
#include "platform/UserDialogs.h"

#include <QFile>
#include <QFileInfo>

namespace {

const QString CardFilter = QStringLiteral("KVL File (*.kvl)");

// Deletes one file; a file that is not there counts as deleted.
bool removeFile(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.exists() || file.remove())
        return true;
    *error = QStringLiteral("Unable to delete %1: %2").arg(path, file.errorString());
    return false;
}

} // namespace

QString TFileCommands::SuggestedCardName(const QString &folder)
{
    for (int number = 10001; number <= 99999; ++number) {
        const QString name = QStringLiteral("BC%1.KVL").arg(number % 10000, 4, 10, QLatin1Char('0'));
        if (CaseInsensitivePath::findEntry(folder, name).isEmpty())
            return name;
    }
    return QString();
}

bool TFileCommands::CheckCardExtension(const QString &path)
{
    if (QFileInfo(path).suffix().toUpper() == QLatin1String("KVL"))
        return true;
    Inform(QStringLiteral("Must be a KVL (Karvello) file"));
    return false;
}

bool TFileCommands::DeleteCardFiles(const QString &path)
{
    QString error;
    bool ok = removeFile(path, &error);
    // The companion may be spelled "card.kve" or "CARD.KVE" beside "card.KVL".
    const QString companion = CaseInsensitivePath::findExisting(
        CardDocument::CompanionFileName(path));
    if (ok && !companion.isEmpty())
        ok = removeFile(companion, &error);
    // The back goes with its front.
    const QString back = CardSides::FindBack(path);
    if (ok && !back.isEmpty() && back != path)
        ok = DeleteCardFiles(back);
    else if (!ok)
        UserDialogs::current().error(error);
    return ok;
}

QString TFileCommands::AskCardFile(const QString &caption) const
{
    return UserDialogs::current().openFileName(caption, ProgramSubFolder(QStringLiteral("saved")),
                                               CardFilter);
}

void TFileCommands::NewBlank()
{
    if (!m_screen.CheckSaveNeeded())
        return;
    m_screen.SetLoading(true);
    TGBusinessCardPanel32 &panel = *m_screen.BusinessCardPanel;
    panel.RemoveAllObjects();
    if (CardMerge *merge = CardMerge::Find(&panel))
        merge->Detach();
    m_screen.SetSides(CardSides());
    m_screen.SetBackgroundPath(QString());
    panel.ClearBackground();
    panel.update();
    m_screen.LoadLayoutPreferences();
    m_screen.ApplyOrientation(m_screen.Layout().Layout.Portrait);
    m_screen.SetDocumentPath(QString());
    m_screen.SetChangesMade(false);
    m_screen.History->Reset();
    m_screen.SetLoading(false);
    m_screen.SetRecovered(false);
}

void TFileCommands::Open()
{
    if (!m_screen.CheckSaveNeeded())
        return;
    const QString path = AskCardFile(QStringLiteral("Open Business Card"));
    if (path.isEmpty() || !CheckCardExtension(path))
        return;
    m_screen.OpenDocument(CardSides::FrontOf(path));
}

void TFileCommands::OpenPath(const QString &path)
{
    if (!m_screen.CheckSaveNeeded())
        return;
    if (!CheckCardExtension(path))
        return;
    if (!QFileInfo::exists(path)) {
        Inform(path + QStringLiteral(" no longer exists"));
        return;
    }
    m_screen.OpenDocument(CardSides::FrontOf(path));
}

void TFileCommands::Delete()
{
    const QString path = AskCardFile(QStringLiteral("Delete Business Card"));
    if (path.isEmpty() || !CheckCardExtension(path))
        return;
    if (Ask(QStringLiteral("Delete ") + path + QStringLiteral("?"), QStringLiteral("CONFIRM")))
        DeleteCardFiles(path);
}

void TFileCommands::Save()
{
    m_screen.BusinessCardPanel->DeleteObjectsOutside();
    if (m_screen.DocumentPath().isEmpty()) {
        UserDialogs::current().beep();
        return;
    }
    if (m_screen.SaveDocument(m_screen.DocumentPath()))
        m_screen.SetChangesMade(false);
}

void TFileCommands::SaveAs()
{
    m_screen.BusinessCardPanel->DeleteObjectsOutside();
    const QString folder = ProgramSubFolder(QStringLiteral("saved"));
    const QString current = m_screen.DocumentPath();
    const QString name = current.isEmpty() ? SuggestedCardName(folder) : QFileInfo(current).fileName();
    const QString path = UserDialogs::current().saveFileName(
        QStringLiteral("Save Business Card As"), folder + name,
        QStringLiteral("KVL File (*.KVL)"), QStringLiteral("KVL"));
    if (!path.isEmpty() && m_screen.SaveDocument(path)) {
        m_screen.SetDocumentPath(path);
        m_screen.SetChangesMade(false);
        m_screen.RecentFiles->Add(path);
        m_screen.RecentFiles->Save();
        OfferWindowsCopy(path);
    }
    m_screen.UpdateButtons();
}

void TFileCommands::OfferWindowsCopy(const QString &path)
{
    // Asked once per document, not at every later Save As of it.
    const QString document = QFileInfo(path).absoluteFilePath();
    if (m_windowsCopyOffered.contains(document) || !WindowsCopy::Needed(*m_screen.BusinessCardPanel))
        return;
    m_windowsCopyOffered.insert(document);
    const QString copy = WindowsCopy::PathFor(path);
    const QString question =
        QStringLiteral("This card holds PNG, GIF, TIFF, WebP or SVG pictures, which the Windows version "
                       "cannot open.\n\nAlso keep a copy that it can open, with those pictures as bitmaps "
                       "on white?\n\n%1")
            .arg(copy);
    if (!Ask(question, QStringLiteral("Save")))
        return;
    QString error;
    if (!WindowsCopy::Write(path, copy, &error))
        UserDialogs::current().error(QStringLiteral("Unable to save %1: %2").arg(copy, error));
}
