// vCard files from elsewhere: any bytes are read or refused with a line
// number, and every contact read has one value per field, the ten personal
// fields first.

#include "FuzzSupport.h"

#include "design/ContactList.h"
#include "design/VCardReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::start();
    const QByteArray input = FuzzSupport::bytes(data, size);
    QString text;
    if (!ContactLists::decode(input, text, nullptr))
        return 0;
    ContactList list;
    QString error;
    if (!VCardReader::parse(text, list, &error)) {
        if (!error.startsWith(QLatin1String("Line ")))
            FuzzSupport::fail("a refused vCard does not name the line", input);
        return 0;
    }
    if (list.fields.mid(0, 10) != VCardReader::personalFields() || list.records.isEmpty())
        FuzzSupport::fail("a vCard list lacks the personal fields or its contacts", input);
    for (const QStringList &record : list.records)
        if (record.size() != list.fields.size())
            FuzzSupport::fail("a contact does not have one value per field", input);
    return 0;
}
