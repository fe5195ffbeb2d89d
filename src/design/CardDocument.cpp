#include "design/CardDocument.h"

#include "design/CardMerge.h"
#include "design/CompanionFile.h"
#include "design/ComponentStreamer.h"
#include "design/ContactList.h"
#include "design/TGBusinessCardPanel32.h"
#include "design/TGGraphicControl.h"
#include "design/TGHandle.h"
#include "design/stream/ComponentStreamReader.h"
#include "design/stream/StreamError.h"
#include "platform/AppRoutines.h"
#include "platform/CaseInsensitivePath.h"
#include "platform/PlainFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace CardDocument {

namespace {

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

// Replaces `path` only once the new content is completely on disk.
bool writeWhole(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        setError(error, QStringLiteral("Unable to write %1: %2").arg(path, file.errorString()));
        return false;
    }
    return true;
}

} // namespace

bool ObjectsAtZoomOne(TGBusinessCardPanel32 &panel, QByteArray *bytes, QString *error)
{
    const float zoom = panel.Zoom();
    if (zoom != 1.0f)
        panel.SetZoom(1.0f);
    bool ok = true;
    try {
        *bytes = ComponentStreamer::WriteContainer(panel.Objects());
    } catch (const StreamError &e) {
        setError(error, e.message());
        ok = false;
    }
    panel.ObjectsLoaded();
    if (zoom != 1.0f)
        panel.SetZoom(zoom);
    return ok;
}

namespace {

// Writing to the companion's existing spelling ("card.kve") replaces it
// instead of leaving a second companion beside it.
QString companionForWriting(const QString &path)
{
    const QString wanted = CompanionFileName(path);
    const QString existing = CaseInsensitivePath::findExisting(wanted);
    return existing.isEmpty() ? wanted : existing;
}

void clearCard(TGBusinessCardPanel32 &panel)
{
    panel.RemoveAllObjects();
    TGHandle *handle = panel.Handle();
    handle->ClearSelection();
    handle->move(panel.width() + 1, handle->y());
    panel.ClearBackground();
    panel.SetPortrait(false);
    if (CardMerge *merge = CardMerge::Find(&panel))
        merge->Detach();
}

// The list the companion names; a list that cannot be read leaves the
// card without one, and says why.
void attachContactList(TGBusinessCardPanel32 &panel, const QString &documentPath, Opened &opened)
{
    if (opened.contactList.isEmpty())
        return;
    // A name without a folder is beside the document.
    const QString path = QFileInfo(documentPath).absoluteDir().absoluteFilePath(opened.contactList);
    auto list = std::make_shared<ContactList>();
    QString error;
    if (!ContactLists::read(path, *list, &error)) {
        opened.contactListError = QStringLiteral("The contact list %1 could not be read. %2")
                                      .arg(QDir::toNativeSeparators(opened.contactList), error);
        Inform(opened.contactListError);
        return;
    }
    CardMerge::Of(panel).Attach(std::move(list), path);
}

bool loadHidden(TGBusinessCardPanel32 &panel, const QString &path, QString *error)
{
    const bool wasHidden = panel.isHidden();
    panel.hide();
    const bool ok = LoadFromFile(panel, path, error);
    if (!wasHidden)
        panel.show();
    return ok;
}

} // namespace

QString UnableToOpenMessage(const QString &path)
{
    return QStringLiteral("Unable to open ") + path
        + QStringLiteral(". Possibly corrupted, possibly not a KVL file");
}

QString CompanionFileName(const QString &path)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    const QString base = dot > 0 ? name.left(dot) : name;
    const QString folder = path.left(path.size() - name.size());
    return folder + base + QStringLiteral(".KVE");
}

bool SaveToFile(TGBusinessCardPanel32 &panel, const QString &path, QString *error)
{
    QByteArray bytes;
    return ObjectsAtZoomOne(panel, &bytes, error) && writeWhole(path, bytes, error);
}

bool LoadFromFile(TGBasePanel &panel, const QString &path, QString *error)
{
    if (!QFileInfo::exists(path))
        return true;
    QByteArray bytes;
    if (!PlainFile::read(path, ComponentStreamReader::kMaxDocumentBytes, bytes, error))
        return false;
    QList<TGGraphicControl *> read;
    if (!ComponentStreamer::Read(bytes, panel, {}, &read, error))
        return false;
    // Documents hold unzoomed coordinates; a zoomed card shows them scaled.
    for (TGGraphicControl *object : read)
        object->SetZoom(panel.Zoom());
    panel.ConnectObjects();
    panel.ObjectsLoaded();
    return true;
}

bool SaveCardDocument(TGBusinessCardPanel32 &panel, const QString &path,
                      const Companion &companion, QString *error)
{
    panel.DeleteObjectsOutside();
    // Both files are prepared before either is replaced.
    QByteArray objects;
    const CardMerge *merge = CardMerge::Find(&panel);
    const QString list = merge ? merge->ListPath() : QString();
    return ObjectsAtZoomOne(panel, &objects, error) && WriteCardDocument(path, objects, companion, error, list);
}

bool WriteCardDocument(const QString &path, const QByteArray &objects, const Companion &companion,
                       QString *error, const QString &contactList)
{
    const QByteArray ini = CompanionFile::Contents(companion, contactList, error);
    if (ini.isEmpty())
        return false;
    return writeWhole(path, objects, error) && writeWhole(companionForWriting(path), ini, error);
}

Opened OpenCardDocument(TGBusinessCardPanel32 &panel, const QString &path,
                        const SheetLayoutSetting &currentLayout)
{
    Opened opened;
    opened.layout = currentLayout;
    clearCard(panel);
    QString reason;
    if (!loadHidden(panel, path, &reason)) {
        panel.RemoveAllObjects();
        panel.SetCardOrientation(false, currentLayout.Layout, QString());
        opened.message = UnableToOpenMessage(path);
        Inform(opened.message);
        return opened;
    }
    opened.ok = true;
    const CompanionFile::ReadResult companion = CompanionFile::Read(CompanionFileName(path), currentLayout);
    opened.companionFound = companion.found;
    opened.companionIsIni = companion.isIni;
    opened.layout = companion.layout;
    opened.backgroundFile = companion.backgroundFile;
    const QString background = opened.backgroundFile.isEmpty()
        ? QString() : CaseInsensitivePath::findExisting(opened.backgroundFile);
    const bool portrait = companion.isIni && opened.layout.Layout.Portrait;
    panel.SetCardOrientation(portrait, opened.layout.Layout, background);
    opened.backgroundLoaded = !background.isEmpty() && panel.HasColorPicture();
    opened.contactList = companion.contactList;
    attachContactList(panel, path, opened);
    return opened;
}

} // namespace CardDocument
