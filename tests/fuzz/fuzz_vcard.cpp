// vCard files from elsewhere: any bytes are read or refused with a line
// number, and every contact read has one value per field, the ten personal
// fields first.

#include "ContactListFuzz.h"

#include "design/VCardReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::start();
    const QByteArray input = FuzzSupport::bytes(data, size);
    ContactList list;
    if (!ReadContactList(input, VCardReader::parse, list, "a refused vCard does not name the line"))
        return 0;
    if (list.fields.mid(0, 10) != VCardReader::personalFields() || list.records.isEmpty())
        FuzzSupport::fail("a vCard list lacks the personal fields or its contacts", input);
    for (const QStringList &record : list.records)
        if (record.size() != list.fields.size())
            FuzzSupport::fail("a contact does not have one value per field", input);
    return 0;
}
