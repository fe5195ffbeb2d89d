#include "design/RecoveryCopy.h"

#include "design/CardDocument.h"
#include "design/CardSides.h"
#include "design/ComponentStreamer.h"
#include "design/stream/ComponentStreamReader.h"
#include "design/stream/ComponentStreamWriter.h"
#include "design/stream/StreamError.h"
#include "platform/IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace RecoveryCopy {

namespace {

const QString Section = QStringLiteral("Recovery");
const QString DocumentPrefix = QStringLiteral("card-");

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

// The record of an object as a document holds it: the snapshot keeps the
// bounds at the zoom of the moment, a document those at zoom 1. Nothing
// else an object stores depends on the zoom.
QByteArray documentRecord(const CardSnapshot::Object &object)
{
    if (object.document.isEmpty() || object.document == object.bounds)
        return object.record;
    StreamRecord record = ComponentStreamReader::readSingleRecord(object.record);
    const QRect &d = object.document;
    for (auto &[name, value] : record.properties) {
        if (name == QLatin1String("Left"))
            value = StreamValue::integer(d.left());
        else if (name == QLatin1String("Top"))
            value = StreamValue::integer(d.top());
        else if (name == QLatin1String("Width"))
            value = StreamValue::integer(d.width());
        else if (name == QLatin1String("Height"))
            value = StreamValue::integer(d.height());
    }
    return ComponentStreamWriter::writeSingleRecord(record);
}

// The generation of a file of the copy ("card-7.BACK.KVE" is 7), or -1.
int generationOf(const QString &fileName)
{
    const QRegularExpression pattern(QStringLiteral("^card-(\\d+)\\."),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(fileName);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QStringList documentFiles(const QDir &folder)
{
    return folder.entryList({DocumentPrefix + QStringLiteral("*")}, QDir::Files);
}

bool writeManifest(const QString &path, const Manifest &manifest, QString *error)
{
    IniFile ini(path);
    ini.writeString(Section, QStringLiteral("Document"), manifest.document);
    ini.writeString(Section, QStringLiteral("Original"), manifest.original);
    ini.writeString(Section, QStringLiteral("Changed"),
                    manifest.changed.toUTC().toString(Qt::ISODateWithMs));
    ini.writeString(Section, QStringLiteral("Shown"),
                    manifest.backShown ? QStringLiteral("Back") : QStringLiteral("Front"));
    if (ini.flush())
        return true;
    setError(error, QStringLiteral("Unable to write %1: %2").arg(path, ini.errorString()));
    return false;
}

} // namespace

QByteArray ShownObjects(const CardSnapshot &card)
{
    QByteArray container("\x01", 1);
    for (const CardSnapshot::Object &object : card.objects)
        container += documentRecord(object);
    container += '\0';
    return container;
}

bool Write(const QString &folderPath, const Content &content, QString *error)
{
    QDir folder(folderPath);
    if (!folder.mkpath(QStringLiteral("."))) {
        setError(error, QStringLiteral("Unable to make the folder %1").arg(folderPath));
        return false;
    }
    int generation = 0;
    const QStringList before = documentFiles(folder);
    for (const QString &name : before)
        generation = std::max(generation, generationOf(name) + 1);

    const CardSnapshot &card = content.card;
    QByteArray shown;
    try {
        shown = ShownObjects(card);
    } catch (const StreamError &e) {
        setError(error, e.message());
        return false;
    }
    // The copy shows the card as it was on screen, turned as it was.
    SheetLayoutSetting layout = card.layout;
    layout.Layout.Portrait = card.portrait;
    const bool backShown = card.sides.BackShown();
    const CardDocument::Companion shownSide{layout, card.background};
    const CardDocument::Companion hiddenSide{layout, card.sides.HiddenBackground};
    const QByteArray empty = ComponentStreamer::WriteContainer({});
    const QByteArray hidden = card.sides.HiddenObjects.isEmpty() ? empty : card.sides.HiddenObjects;

    Manifest manifest;
    manifest.document = DocumentPrefix + QString::number(generation) + QStringLiteral(".KVL");
    manifest.original = content.original;
    manifest.changed = content.changed;
    manifest.backShown = backShown;
    const QString front = folder.filePath(manifest.document);
    const bool written = backShown
        ? CardDocument::WriteCardDocument(front, hidden, hiddenSide, error, content.contactList)
              && CardDocument::WriteCardDocument(CardSides::BackFileName(front), shown, shownSide, error)
        : CardDocument::WriteCardDocument(front, shown, shownSide, error, content.contactList)
              && (!card.sides.HasBack
                  || CardDocument::WriteCardDocument(CardSides::BackFileName(front), hidden, hiddenSide,
                                                     error));
    if (!written || !writeManifest(folder.filePath(ManifestName), manifest, error))
        return false;
    // The manifest names the new generation now; the older ones can go.
    for (const QString &name : before) {
        if (generationOf(name) != generation)
            folder.remove(name);
    }
    return true;
}

Found Read(const QString &folderPath)
{
    Found found;
    const QDir folder(folderPath);
    const QString manifestPath = folder.filePath(ManifestName);
    if (!QFileInfo(manifestPath).isFile())
        return found;
    found.exists = true;
    const IniFile ini(manifestPath);
    Manifest &m = found.manifest;
    m.document = ini.readString(Section, QStringLiteral("Document"));
    m.original = ini.readString(Section, QStringLiteral("Original"));
    m.changed = QDateTime::fromString(ini.readString(Section, QStringLiteral("Changed")), Qt::ISODateWithMs);
    m.backShown = ini.readString(Section, QStringLiteral("Shown")).compare(QLatin1String("Back"),
                                                                           Qt::CaseInsensitive) == 0;
    // Only a file of the copy's own folder is ever opened.
    if (generationOf(m.document) < 0 || m.document.contains(QLatin1Char('/'))) {
        found.error = QStringLiteral("%1 names no card").arg(manifestPath);
        return found;
    }
    found.front = folder.filePath(m.document);
    if (!QFileInfo(found.front).isFile()) {
        found.error = QStringLiteral("%1 is missing").arg(found.front);
        return found;
    }
    if (m.backShown && CardSides::FindBack(found.front).isEmpty()) {
        found.error = QStringLiteral("%1 is missing").arg(CardSides::BackFileName(found.front));
        return found;
    }
    if (!m.changed.isValid())
        m.changed = QFileInfo(manifestPath).lastModified();
    found.ok = true;
    return found;
}

} // namespace RecoveryCopy
