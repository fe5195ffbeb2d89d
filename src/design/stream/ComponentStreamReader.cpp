#include "design/stream/ComponentStreamReader.h"

#include "design/stream/StreamError.h"
#include "platform/Windows1252.h"

#include <bit>

namespace {

const QByteArray kSignature = QByteArrayLiteral("TPF0");

// Counts one level of nesting for as long as a list or collection is read.
class DepthGuard
{
public:
    explicit DepthGuard(int &depth) : m_depth(depth) { ++m_depth; }
    ~DepthGuard() { --m_depth; }
    DepthGuard(const DepthGuard &) = delete;
    DepthGuard &operator=(const DepthGuard &) = delete;

private:
    int &m_depth;
};

} // namespace

ComponentStreamReader::ComponentStreamReader(const QByteArray &data) : m_data(data) {}

std::vector<StreamRecord> ComponentStreamReader::readContainer(const QByteArray &data)
{
    ComponentStreamReader reader(data);
    reader.readListStart();
    std::vector<StreamRecord> records;
    while (!reader.readListEnd()) {
        if (records.size() >= size_t(kMaxObjects))
            reader.fail(QStringLiteral("more than %1 objects").arg(kMaxObjects));
        records.push_back(reader.readRecord());
    }
    reader.expectEnd();
    return records;
}

StreamRecord ComponentStreamReader::readSingleRecord(const QByteArray &data)
{
    ComponentStreamReader reader(data);
    StreamRecord record = reader.readRecord();
    reader.expectEnd();
    return record;
}

void ComponentStreamReader::fail(const QString &message) const
{
    throw StreamError(QStringLiteral("Damaged component stream at byte %1: %2").arg(m_pos).arg(message));
}

void ComponentStreamReader::require(qsizetype bytes) const
{
    const qsizetype left = m_data.size() - m_pos;
    if (bytes > left)
        fail(QStringLiteral("%1 bytes needed but only %2 left").arg(bytes).arg(left));
}

quint8 ComponentStreamReader::peekByte() const
{
    require(1);
    return static_cast<quint8>(m_data[m_pos]);
}

quint8 ComponentStreamReader::readByte()
{
    const quint8 byte = peekByte();
    ++m_pos;
    return byte;
}

QByteArray ComponentStreamReader::readBytes(qsizetype count)
{
    require(count);
    const QByteArray bytes = m_data.mid(m_pos, count);
    m_pos += count;
    return bytes;
}

template<typename T> T ComponentStreamReader::readLittleEndian()
{
    using Unsigned = std::make_unsigned_t<T>;
    require(sizeof(T));
    Unsigned bits = 0;
    for (std::size_t i = sizeof(T); i-- > 0;)
        bits = static_cast<Unsigned>((bits << 8) | static_cast<quint8>(m_data[m_pos + qsizetype(i)]));
    m_pos += sizeof(T);
    return static_cast<T>(bits);
}

qsizetype ComponentStreamReader::readCount(int bytesPerUnit, qsizetype maximum)
{
    const qint32 count = readLittleEndian<qint32>();
    if (count < 0)
        fail(QStringLiteral("negative length %1").arg(count));
    require(qsizetype(count) * bytesPerUnit);
    if (count > maximum)
        fail(QStringLiteral("length %1 is above the limit of %2").arg(count).arg(maximum));
    return count;
}

QString ComponentStreamReader::readShortString()
{
    const quint8 length = readByte();
    return Windows1252::decode(readBytes(length));
}

QString ComponentStreamReader::readLongString()
{
    return Windows1252::decode(readBytes(readCount(1, kMaxStringLength)));
}

QString ComponentStreamReader::readWideString()
{
    const qsizetype count = readCount(2, kMaxStringLength);
    QString text(count, Qt::Uninitialized);
    for (qsizetype i = 0; i < count; ++i)
        text[i] = QChar(readLittleEndian<quint16>());
    return text;
}

void ComponentStreamReader::countValue()
{
    if (++m_values > kMaxValues)
        fail(QStringLiteral("more than %1 values").arg(kMaxValues));
}

void ComponentStreamReader::readListStart()
{
    const quint8 tag = readByte();
    if (tag != quint8(StreamTag::List))
        fail(QStringLiteral("a list was expected, found tag %1").arg(tag));
}

bool ComponentStreamReader::readListEnd()
{
    if (peekByte() != quint8(StreamTag::Null))
        return false;
    ++m_pos;
    return true;
}

void ComponentStreamReader::expectEnd() const
{
    if (!atEnd())
        fail(QStringLiteral("%1 unexpected bytes after the end").arg(m_data.size() - m_pos));
}

StreamRecord ComponentStreamReader::readRecord()
{
    if (readBytes(kSignature.size()) != kSignature)
        fail(QStringLiteral("the component signature \"TPF0\" is missing"));
    if ((peekByte() & 0xF0) == 0xF0)
        fail(QStringLiteral("inherited or inline components are not supported"));
    StreamRecord record;
    record.className = readShortString();
    if (record.className.isEmpty())
        fail(QStringLiteral("the component has no class name"));
    record.name = readShortString();
    record.properties = readProperties();
    if (!readListEnd())
        fail(QStringLiteral("component \"%1\" holds child components").arg(record.name));
    return record;
}

StreamProperties ComponentStreamReader::readProperties()
{
    StreamProperties properties;
    while (!readListEnd()) {
        QString name = readShortString();
        properties.emplace_back(std::move(name), readValue());
    }
    return properties;
}

StreamValue ComponentStreamReader::readValue()
{
    countValue();
    const quint8 tag = readByte();
    switch (static_cast<StreamTag>(tag)) {
    case StreamTag::Null:
        --m_pos;
        fail(QStringLiteral("a value is missing"));
    case StreamTag::List:
        return readList();
    case StreamTag::Collection:
        return readCollection();
    case StreamTag::Set:
        return readSet();
    default:
        if (tag > quint8(kLastStreamTag)) {
            --m_pos;
            fail(QStringLiteral("unknown value tag %1").arg(tag));
        }
        return readScalar(static_cast<StreamTag>(tag));
    }
}

StreamValue ComponentStreamReader::readList()
{
    const DepthGuard guard(m_depth);
    if (m_depth > kMaxDepth)
        fail(QStringLiteral("lists nested too deeply"));
    std::vector<StreamValue> items;
    while (!readListEnd())
        items.push_back(readValue());
    return StreamValue::list(std::move(items));
}

StreamValue ComponentStreamReader::readCollection()
{
    const DepthGuard guard(m_depth);
    if (m_depth > kMaxDepth)
        fail(QStringLiteral("collections nested too deeply"));
    std::vector<StreamProperties> items;
    while (!readListEnd()) {
        countValue();
        // An item may be preceded by its order index, which nothing here uses.
        const auto tag = static_cast<StreamTag>(peekByte());
        if (tag == StreamTag::Int8 || tag == StreamTag::Int16 || tag == StreamTag::Int32)
            readValue();
        readListStart();
        items.push_back(readProperties());
    }
    return StreamValue::collection(std::move(items));
}

StreamValue ComponentStreamReader::readSet()
{
    QStringList names;
    for (QString name = readShortString(); !name.isEmpty(); name = readShortString()) {
        countValue();
        names.append(name);
    }
    return StreamValue::set(names);
}

StreamValue ComponentStreamReader::readScalar(StreamTag tag)
{
    switch (tag) {
    case StreamTag::Int8: return StreamValue::integer(readLittleEndian<qint8>(), tag);
    case StreamTag::Int16: return StreamValue::integer(readLittleEndian<qint16>(), tag);
    case StreamTag::Int32: return StreamValue::integer(readLittleEndian<qint32>(), tag);
    case StreamTag::Int64: return StreamValue::integer(readLittleEndian<qint64>(), tag);
    case StreamTag::Extended: {
        Extended80::Bytes bytes;
        const QByteArray raw = readBytes(qsizetype(bytes.size()));
        std::copy(raw.begin(), raw.end(), bytes.begin());
        return StreamValue::extended(Extended80(bytes));
    }
    case StreamTag::String: return StreamValue::string(readShortString(), tag);
    case StreamTag::LString: return StreamValue::string(readLongString(), tag);
    case StreamTag::WString: return StreamValue::string(readWideString(), tag);
    case StreamTag::UTF8String: return StreamValue::string(QString::fromUtf8(readBytes(readCount(1, kMaxStringLength))), tag);
    case StreamTag::Ident: return StreamValue::ident(readShortString());
    case StreamTag::False: return StreamValue::boolean(false);
    case StreamTag::True: return StreamValue::boolean(true);
    case StreamTag::Nil: return StreamValue::nil();
    case StreamTag::Binary: return StreamValue::binary(readBytes(readCount(1, kMaxBinaryLength)));
    case StreamTag::Single: return StreamValue::single(std::bit_cast<float>(readLittleEndian<quint32>()));
    case StreamTag::Currency: return StreamValue::currency(readLittleEndian<qint64>());
    case StreamTag::Date: return StreamValue::date(std::bit_cast<double>(readLittleEndian<quint64>()));
    default:
        fail(QStringLiteral("unexpected value tag %1").arg(int(tag)));
    }
}
