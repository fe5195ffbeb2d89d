#include "design/CardSides.h"

#include "design/CardMerge.h"
#include "design/CompanionFile.h"
#include "design/ComponentStreamer.h"
#include "design/TGBusinessCardPanel32.h"
#include "design/TGGraphicControl.h"
#include "design/TGHandle.h"
#include "design/stream/ComponentStreamReader.h"
#include "design/stream/StreamError.h"
#include "design/stream/StreamRecord.h"
#include "platform/CaseInsensitivePath.h"
#include "platform/PlainFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace {

const QString BackMark = QStringLiteral(".BACK");

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

// Deletes a file and its companion, each found in any letter case; a file
// that is not there counts as deleted.
bool removeDocument(const QString &path, QString *error)
{
    for (const QString &wanted : {path, CardDocument::CompanionFileName(path)}) {
        const QString existing = CaseInsensitivePath::findExisting(wanted);
        if (existing.isEmpty())
            continue;
        QFile file(existing);
        if (!file.remove()) {
            setError(error, QStringLiteral("Unable to delete %1: %2").arg(existing, file.errorString()));
            return false;
        }
    }
    return true;
}

// A side that comes back onto the panel keeps the names its objects had,
// so that showing the other side and back changes nothing that is saved.
// Names that are missing or repeated leave the names given on reading.
void keepStoredNames(const QByteArray &objects, const QList<TGGraphicControl *> &read)
{
    std::vector<StreamRecord> records;
    try {
        records = ComponentStreamReader::readContainer(objects);
    } catch (const StreamError &) {
        return;
    }
    if (records.size() != size_t(read.size()))
        return;
    QSet<QString> names;
    for (const StreamRecord &record : records) {
        if (record.name.isEmpty() || names.contains(record.name))
            return;
        names.insert(record.name);
    }
    for (qsizetype i = 0; i < read.size(); ++i)
        read.at(i)->SetName(records.at(size_t(i)).name);
}

// A panel deletes its clipboard file when it goes; one made for a moment
// must not take the user's clipboard with it.
void giveOwnClipboard(TGBusinessCardPanel32 &panel)
{
    panel.SetClipboardFileName(QDir::temp().filePath(
        QStringLiteral("karvello-side-%1-%2.tmp")
            .arg(QCoreApplication::applicationPid())
            .arg(quintptr(&panel), 0, 16)));
}

// Reads a container into the panel, scaled to the panel's zoom.
bool readObjects(TGBusinessCardPanel32 &panel, const QByteArray &objects, QString *error)
{
    if (objects.isEmpty())
        return true;
    QList<TGGraphicControl *> read;
    if (!ComponentStreamer::Read(objects, panel, {}, &read, error)) {
        panel.RemoveAllObjects();
        return false;
    }
    for (TGGraphicControl *object : read)
        object->SetZoom(panel.Zoom());
    keepStoredNames(objects, read);
    panel.ConnectObjects();
    panel.ObjectsLoaded();
    return true;
}

} // namespace

QString CardSides::BackFileName(const QString &frontPath)
{
    const QString name = QFileInfo(frontPath).fileName();
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    const int at = frontPath.size() - name.size() + (dot > 0 ? dot : name.size());
    return frontPath.left(at) + BackMark + frontPath.mid(at);
}

QString CardSides::FindBack(const QString &frontPath)
{
    return CaseInsensitivePath::findExisting(BackFileName(frontPath));
}

QString CardSides::FrontOf(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot <= 0)
        return path;
    const QString base = name.left(dot);
    if (!base.endsWith(BackMark, Qt::CaseInsensitive) || base.size() == BackMark.size())
        return path;
    const QString folder = path.left(path.size() - name.size());
    const QString front = CaseInsensitivePath::findExisting(
        folder + base.left(base.size() - BackMark.size()) + name.mid(dot));
    return front.isEmpty() ? path : front;
}

bool CardSides::Capture(TGBusinessCardPanel32 &panel, QByteArray *objects, QString *error)
{
    return CardDocument::ObjectsAtZoomOne(panel, objects, error);
}

bool CardSides::Show(TGBusinessCardPanel32 &panel, const QByteArray &objects, const QString &background,
                     QString *error)
{
    const bool wasSuppressed = panel.SuppressChanges();
    panel.SetSuppressChanges(true);
    panel.Handle()->ClearSelection();
    panel.RemoveAllObjects();
    panel.ClearBackground();
    const QString file = background.isEmpty() ? QString() : CaseInsensitivePath::findExisting(background);
    if (!file.isEmpty())
        panel.LoadBackground(file);
    const bool ok = readObjects(panel, objects, error);
    panel.Handle()->ReleaseCapture();
    panel.SetSuppressChanges(wasSuppressed);
    panel.update();
    return ok;
}

bool CardSides::Swap(TGBusinessCardPanel32 &panel, QString &background, QString *error)
{
    QByteArray shown;
    if (!Capture(panel, &shown, error))
        return false;
    if (!Show(panel, HiddenObjects, HiddenBackground, error)) {
        Show(panel, shown, background);
        return false;
    }
    HiddenObjects = shown;
    std::swap(HiddenBackground, background);
    Shown = Shown == sdFront ? sdBack : sdFront;
    return true;
}

std::unique_ptr<TGBusinessCardPanel32> CardSides::MakePanel(QWidget *owner, const TGBusinessCardPanel32 &like,
                                                            const SheetLayout &layout,
                                                            const QByteArray &objects,
                                                            const QString &background, QString *error)
{
    auto panel = std::make_unique<TGBusinessCardPanel32>(owner);
    giveOwnClipboard(*panel);
    panel->hide();
    panel->SetSuppressChanges(true);
    panel->SetPreview(like.Preview());
    const QString file = background.isEmpty() ? QString() : CaseInsensitivePath::findExisting(background);
    panel->SetCardOrientation(like.Portrait(), layout, file);
    if (!readObjects(*panel, objects, error))
        return nullptr;
    return panel;
}

bool CardSides::Save(TGBusinessCardPanel32 &panel, const QString &frontPath,
                     const CardDocument::Companion &shown, QString *error) const
{
    if (!HasBack) {
        // Both files are written before the old back goes, so a failed save
        // leaves the card as it was on disk.
        return CardDocument::SaveCardDocument(panel, frontPath, shown, error)
            && removeDocument(BackFileName(frontPath), error);
    }
    panel.DeleteObjectsOutside();
    QByteArray shownObjects;
    if (!Capture(panel, &shownObjects, error))
        return false;
    const bool backShown = Shown == sdBack;
    // The front's companion names the contact list; the back's never does.
    const CardMerge *merge = CardMerge::Find(&panel);
    const QString list = merge ? merge->ListPath() : QString();
    const CardDocument::Companion hidden{shown.layout, HiddenBackground};
    const QByteArray &front = backShown ? HiddenObjects : shownObjects;
    const QByteArray &back = backShown ? shownObjects : HiddenObjects;
    // A back without objects still needs a valid (empty) container.
    const QByteArray backBytes = back.isEmpty() ? ComponentStreamer::WriteContainer({}) : back;
    const QByteArray frontBytes = front.isEmpty() ? ComponentStreamer::WriteContainer({}) : front;
    QString backPath = FindBack(frontPath);
    if (backPath.isEmpty())
        backPath = BackFileName(frontPath);
    return CardDocument::WriteCardDocument(frontPath, frontBytes, backShown ? hidden : shown, error, list)
        && CardDocument::WriteCardDocument(backPath, backBytes, backShown ? shown : hidden, error);
}

bool CardSides::OpenBack(const QString &frontPath, QString *error)
{
    HasBack = false;
    Shown = sdFront;
    HiddenObjects.clear();
    HiddenBackground.clear();
    const QString backPath = FindBack(frontPath);
    if (backPath.isEmpty())
        return true;
    QByteArray bytes;
    if (!PlainFile::read(backPath, ComponentStreamReader::kMaxDocumentBytes, bytes, error))
        return false;
    // Read once now, so that a damaged back fails the opening instead of
    // the first look at it.
    {
        TGBusinessCardPanel32 scratch;
        giveOwnClipboard(scratch);
        QList<TGGraphicControl *> read;
        if (!ComponentStreamer::Read(bytes, scratch, {}, &read, error))
            return false;
    }
    const CompanionFile::ReadResult companion =
        CompanionFile::Read(CardDocument::CompanionFileName(backPath), SheetLayoutSetting());
    HasBack = true;
    HiddenObjects = bytes;
    HiddenBackground = companion.backgroundFile;
    return true;
}
