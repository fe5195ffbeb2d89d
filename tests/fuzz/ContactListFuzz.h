#pragma once

// What the contact-list targets share: the input read as Karvello reads a
// list file, and a refusal that must name the line at fault.

#include "FuzzSupport.h"

#include "design/ContactList.h"

// True with `list` read; false when the bytes are no text or the reader
// refused them (stopping the run when the refusal names no line).
template <typename Parse>
bool ReadContactList(const QByteArray &input, Parse parse, ContactList &list, const char *unnamedRefusal)
{
    QString text;
    if (!ContactLists::decode(input, text, nullptr))
        return false;
    QString error;
    if (parse(text, list, &error))
        return true;
    if (!error.startsWith(QLatin1String("Line ")))
        FuzzSupport::fail(unnamedRefusal, input);
    return false;
}
