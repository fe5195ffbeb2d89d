#include "design/stream/ComponentStreamWriter.h"

#include "design/stream/StreamError.h"
#include "platform/Windows1252.h"

#include <bit>
#include <limits>

namespace {

const QByteArray kSignature = QByteArrayLiteral("TPF0");

QByteArray ansiBytes(const QString &text)
{
    const auto bytes = Windows1252::encode(text);
    if (!bytes)
        throw StreamError(QStringLiteral("\"%1\" has characters outside Windows-1252").arg(text));
    return *bytes;
}

} // namespace

QByteArray ComponentStreamWriter::writeContainer(const std::vector<StreamRecord> &records)
{
    ComponentStreamWriter writer;
    writer.writeListStart();
    for (const StreamRecord &record : records)
        writer.writeRecord(record);
    writer.writeListEnd();
    return writer.data();
}

QByteArray ComponentStreamWriter::writeSingleRecord(const StreamRecord &record)
{
    ComponentStreamWriter writer;
    writer.writeRecord(record);
    return writer.data();
}

void ComponentStreamWriter::writeListStart()
{
    writeTag(StreamTag::List);
}

void ComponentStreamWriter::writeListEnd()
{
    writeTag(StreamTag::Null);
}

void ComponentStreamWriter::writeRecord(const StreamRecord &record)
{
    m_data.append(kSignature);
    writeShortString(record.className);
    writeShortString(record.name);
    writeProperties(record.properties);
    writeListEnd(); // no child components
}

void ComponentStreamWriter::writeProperties(const StreamProperties &properties)
{
    for (const auto &[name, value] : properties) {
        if (name.isEmpty())
            throw StreamError(QStringLiteral("A property needs a name"));
        writeShortString(name);
        writeValue(value);
    }
    writeListEnd();
}

void ComponentStreamWriter::writeValue(const StreamValue &value)
{
    if (value.isNull())
        throw StreamError(QStringLiteral("A null value cannot be stored"));
    writeTag(value.tag());
    switch (value.tag()) {
    case StreamTag::Int8: writeLittleEndian(static_cast<qint8>(value.toInteger())); break;
    case StreamTag::Int16: writeLittleEndian(static_cast<qint16>(value.toInteger())); break;
    case StreamTag::Int32: writeLittleEndian(static_cast<qint32>(value.toInteger())); break;
    case StreamTag::Int64: writeLittleEndian(static_cast<qint64>(value.toInteger())); break;
    case StreamTag::Extended: {
        const Extended80 number = value.toExtended();
        const auto &bytes = number.bytes();
        m_data.append(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size()));
        break;
    }
    case StreamTag::String: writeShortString(value.toText()); break;
    case StreamTag::Ident: writeShortString(value.toIdent()); break;
    case StreamTag::LString: writeAnsi(value.toText(), 4); break;
    case StreamTag::WString: {
        const QString text = value.toText();
        writeCount(text.size());
        for (const QChar c : text)
            writeLittleEndian(static_cast<quint16>(c.unicode()));
        break;
    }
    case StreamTag::UTF8String: {
        const QByteArray bytes = value.toText().toUtf8();
        writeCount(bytes.size());
        m_data.append(bytes);
        break;
    }
    case StreamTag::Binary: {
        const QByteArray bytes = value.toBinary();
        writeCount(bytes.size());
        m_data.append(bytes);
        break;
    }
    case StreamTag::Set:
        for (const QString &name : value.toSet()) {
            if (name.isEmpty())
                throw StreamError(QStringLiteral("A set element needs a name"));
            writeShortString(name);
        }
        writeListEnd();
        break;
    case StreamTag::List:
        for (const StreamValue &item : value.toList())
            writeValue(item);
        writeListEnd();
        break;
    case StreamTag::Collection:
        for (const StreamProperties &item : value.toCollection()) {
            writeListStart();
            writeProperties(item);
        }
        writeListEnd();
        break;
    case StreamTag::Single: writeLittleEndian(std::bit_cast<quint32>(value.toSingle())); break;
    case StreamTag::Currency: writeLittleEndian(value.toCurrency()); break;
    case StreamTag::Date: writeLittleEndian(std::bit_cast<quint64>(value.toDouble())); break;
    case StreamTag::False:
    case StreamTag::True:
    case StreamTag::Nil:
    case StreamTag::Null:
        break;
    }
}

void ComponentStreamWriter::writeTag(StreamTag tag)
{
    m_data.append(static_cast<char>(tag));
}

void ComponentStreamWriter::writeShortString(const QString &text)
{
    writeAnsi(text, 1);
}

void ComponentStreamWriter::writeAnsi(const QString &text, int lengthBytes)
{
    const QByteArray bytes = ansiBytes(text);
    if (lengthBytes == 1) {
        if (bytes.size() > 255)
            throw StreamError(QStringLiteral("\"%1...\" is too long for a short string").arg(text.left(40)));
        m_data.append(static_cast<char>(bytes.size()));
    } else {
        writeCount(bytes.size());
    }
    m_data.append(bytes);
}

void ComponentStreamWriter::writeCount(qsizetype count)
{
    if (count > std::numeric_limits<qint32>::max())
        throw StreamError(QStringLiteral("A value of %1 bytes is too large to store").arg(count));
    writeLittleEndian(static_cast<qint32>(count));
}

template<typename T> void ComponentStreamWriter::writeLittleEndian(T value)
{
    using Unsigned = std::make_unsigned_t<T>;
    auto bits = static_cast<Unsigned>(value);
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        m_data.append(static_cast<char>(bits & 0xFF));
        bits = static_cast<Unsigned>(bits >> 8);
    }
}
