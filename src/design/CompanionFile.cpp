#include "design/CompanionFile.h"

#include "design/SheetLayoutIni.h"
#include "platform/CaseInsensitivePath.h"
#include "platform/IniFile.h"
#include "platform/PlainFile.h"
#include "platform/Windows1252.h"

#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>

namespace CompanionFile {

namespace {

const QString IniData = QStringLiteral("Ini Data");
const QString Background = QStringLiteral("Background");
// A section of its own, written only for a card filled from a list, so
// that every other companion stays as it was.
const QString ContactListSection = QStringLiteral("Contact List");
constexpr int kVersion = 2;

QByteArray readAll(const QString &path)
{
    QByteArray bytes;
    return PlainFile::read(path, IniFile::MaxFileBytes, bytes) ? bytes : QByteArray();
}

// Older companions were written in the ANSI code page; UTF-8 is taken when
// the bytes are valid UTF-8.
QString decodeText(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(bytes);
    return utf8.hasError() ? Windows1252::decode(bytes) : text;
}

QString firstLine(const QString &text)
{
    QString line = text.section(QLatin1Char('\n'), 0, 0);
    if (line.endsWith(QLatin1Char('\r')))
        line.chop(1);
    return line;
}

} // namespace

QByteArray Contents(const CardDocument::Companion &companion, QString *error)
{
    return Contents(companion, QString(), error);
}

QByteArray Contents(const CardDocument::Companion &companion, const QString &contactList, QString *error)
{
    // Written through IniFile so the rules of every other INI file of the
    // program apply, into a scratch file the caller then puts in place.
    QTemporaryDir scratch;
    const QString path = scratch.filePath(QStringLiteral("companion.ini"));
    {
        IniFile ini(path);
        ini.writeInteger(IniData, QStringLiteral("ISINI"), 1);
        ini.writeInteger(IniData, QStringLiteral("Version"), kVersion);
        ini.writeString(Background, QStringLiteral("File"), companion.backgroundFile);
        SheetLayoutIni::Write(ini, companion.layout, SheetLayoutIni::Store::CardDocument);
        if (!contactList.isEmpty())
            ini.writeString(ContactListSection, QStringLiteral("File"), contactList);
        if (!scratch.isValid() || !ini.flush()) {
            if (error)
                *error = ini.errorString();
            return QByteArray();
        }
    }
    return readAll(path);
}

ReadResult Read(const QString &path, const SheetLayoutSetting &current)
{
    ReadResult result;
    result.layout = current;
    const QString found = CaseInsensitivePath::findExisting(path);
    if (found.isEmpty())
        return result;
    result.found = true;
    const IniFile ini(found);
    if (ini.readBool(IniData, QStringLiteral("ISINI"), false)) {
        result.isIni = true;
        result.backgroundFile = ini.readString(Background, QStringLiteral("File"));
        result.layout = SheetLayoutIni::Read(ini, current, SheetLayoutIni::Store::CardDocument);
        result.contactList = ini.readString(ContactListSection, QStringLiteral("File"));
    } else {
        result.backgroundFile = firstLine(decodeText(readAll(found)));
    }
    return result;
}

} // namespace CompanionFile
