// Contact lists in CSV from elsewhere: any bytes are read or refused with a
// line number, every record has one value per field, and a list read is
// read the same once written back with every field quoted.

#include "ContactListFuzz.h"

#include "design/CsvReader.h"

namespace {

QString quoted(const QString &value)
{
    QString out = value;
    out.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + out + QLatin1Char('"');
}

QString written(const ContactList &list)
{
    QStringList lines;
    auto row = [](const QStringList &values) {
        QStringList fields;
        for (const QString &v : values)
            fields << quoted(v);
        return fields.join(QLatin1Char(','));
    };
    lines << row(list.fields);
    for (const QStringList &record : list.records)
        lines << row(record);
    return lines.join(QLatin1String("\r\n"));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::start();
    const QByteArray input = FuzzSupport::bytes(data, size);
    ContactList list;
    if (!ReadContactList(input, CsvReader::parse, list, "a refused list does not name the line"))
        return 0;
    for (const QStringList &record : list.records)
        if (record.size() != list.fields.size())
            FuzzSupport::fail("a record does not have one value per field", input);
    // Line breaks inside values are read as LF; the header's blanks are trimmed.
    ContactList again;
    if (!CsvReader::parse(written(list), again, nullptr) || again.records != list.records)
        FuzzSupport::fail("a list written back reads differently", input);
    return 0;
}
