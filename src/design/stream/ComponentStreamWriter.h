#pragma once

#include "design/stream/StreamRecord.h"

#include <QByteArray>
#include <vector>

// Writes component streams: the container (list start, records, list end) or
// single records. Each value is written with its own tag, so values read from
// a stream are written back byte for byte. StreamError for what the format
// cannot hold: a null value among properties or list items (it would end the
// list early), an empty property or set name, or a short string (class,
// component, property and identifier names) longer than 255 bytes or with
// characters outside Windows-1252.
class ComponentStreamWriter
{
public:
    // 0x01, each record, 0x00.
    static QByteArray writeContainer(const std::vector<StreamRecord> &records);
    // "TPF0", class name, component name, properties, 0x00, 0x00.
    static QByteArray writeSingleRecord(const StreamRecord &record);

    void writeListStart();
    void writeListEnd();
    void writeRecord(const StreamRecord &record);
    void writeValue(const StreamValue &value);

    const QByteArray &data() const { return m_data; }

private:
    void writeTag(StreamTag tag);
    void writeProperties(const StreamProperties &properties);
    void writeShortString(const QString &text);
    void writeAnsi(const QString &text, int lengthBytes);
    void writeCount(qsizetype count);
    template<typename T> void writeLittleEndian(T value);

    QByteArray m_data;
};
