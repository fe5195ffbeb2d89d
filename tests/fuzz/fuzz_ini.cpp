// INI files from elsewhere: a card document's companion ".KVE" as "Open"
// reads it (written back, it must read the same), the same bytes as a card
// template (the card it makes must save), and the INI file itself, whose
// unchanged lines must survive a write.

#include "FuzzSupport.h"

#include "design/CardDocument.h"
#include "design/CompanionFile.h"
#include "design/ComponentStreamer.h"
#include "design/TGBusinessCardPanel32.h"
#include "design/stream/StreamError.h"
#include "platform/IniFile.h"

#include <QMap>

namespace {

// Everything a reader can see of an INI file, one section left out.
QMap<QString, QStringList> snapshot(const IniFile &ini, const QString &except)
{
    QMap<QString, QStringList> all;
    for (const QString &section : ini.sections())
        if (section.compare(except, Qt::CaseInsensitive) != 0)
            all.insert(section.toLower(), ini.readSectionValues(section));
    return all;
}

// A value holding a lone carriage return is written with a blank there.
QString oneLine(QString text)
{
    return text.replace(QLatin1Char('\r'), QLatin1Char(' '));
}

void companion(const QString &path)
{
    const SheetLayoutSetting current;
    const CompanionFile::ReadResult read = CompanionFile::Read(path, current);
    if (!read.isIni)
        return;
    const CardDocument::Companion stored{read.layout, read.backgroundFile};
    QString error;
    const QByteArray written = CompanionFile::Contents(stored, &error);
    if (written.isEmpty())
        FuzzSupport::fail("a companion could not be written", error.toUtf8());
    const CompanionFile::ReadResult again =
        CompanionFile::Read(FuzzSupport::writeScratch(QStringLiteral("again.KVE"), written), current);
    if (!again.isIni || !(again.layout == read.layout)
        || again.backgroundFile != oneLine(read.backgroundFile).trimmed())
        FuzzSupport::fail("a companion written back reads differently", written);
}

void cardTemplate(const QString &path, const QByteArray &input)
{
    static TGBusinessCardPanel32 *card = [] {
        auto *p = new TGBusinessCardPanel32;
        p->resize(336, 192);
        return p;
    }();
    QString error;
    card->ReadTemplate(path, &error);
    try {
        ComponentStreamer::WriteContainer(card->Objects());
    } catch (const StreamError &e) {
        FuzzSupport::fail("a card made from a template cannot be saved", input);
    }
    card->RemoveAllObjects();
}

void roundTrip(const QString &path, const QByteArray &input)
{
    const QString check = QStringLiteral("Fuzz Check");
    QMap<QString, QStringList> before;
    {
        IniFile ini(path);
        before = snapshot(ini, check);
        ini.writeString(check, QStringLiteral("Key"), QStringLiteral("Value \u00e9"));
        if (!ini.flush())
            return; // refused as unreadable or too large: nothing was written
    }
    const IniFile again(path);
    if (snapshot(again, check) != before || again.readString(check, QStringLiteral("Key")) != QStringLiteral("Value \u00e9"))
        FuzzSupport::fail("writing one key changed what the INI file holds", input);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::start();
    const QByteArray input = FuzzSupport::bytes(data, size);
    const QString path = FuzzSupport::writeScratch(QStringLiteral("card.KVE"), input);
    companion(path);
    cardTemplate(path, input);
    roundTrip(path, input);
    FuzzSupport::settle();
    return 0;
}
