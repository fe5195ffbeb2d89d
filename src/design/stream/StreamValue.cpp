#include "design/stream/StreamValue.h"

#include "design/stream/StreamError.h"
#include "platform/Windows1252.h"

#include <limits>

namespace {

bool fitsTag(qint64 value, StreamTag tag)
{
    switch (tag) {
    case StreamTag::Int8:
        return value >= std::numeric_limits<qint8>::min() && value <= std::numeric_limits<qint8>::max();
    case StreamTag::Int16:
        return value >= std::numeric_limits<qint16>::min() && value <= std::numeric_limits<qint16>::max();
    case StreamTag::Int32:
        return value >= std::numeric_limits<qint32>::min() && value <= std::numeric_limits<qint32>::max();
    case StreamTag::Int64:
        return true;
    default:
        return false;
    }
}

constexpr int kShortStringLimit = 255;

} // namespace

StreamValue::StreamValue(Kind kind, StreamTag tag, Payload payload)
    : m_kind(kind), m_tag(tag), m_payload(std::move(payload))
{
}

StreamValue StreamValue::list(std::vector<StreamValue> items)
{
    return StreamValue(Kind::List, StreamTag::List, std::move(items));
}

StreamValue StreamValue::integer(qint64 value)
{
    for (const StreamTag tag : {StreamTag::Int8, StreamTag::Int16, StreamTag::Int32}) {
        if (fitsTag(value, tag))
            return StreamValue(Kind::Integer, tag, value);
    }
    return StreamValue(Kind::Integer, StreamTag::Int64, value);
}

StreamValue StreamValue::integer(qint64 value, StreamTag tag)
{
    if (!fitsTag(value, tag))
        throw StreamError(QStringLiteral("The integer %1 does not fit tag %2").arg(value).arg(int(tag)));
    return StreamValue(Kind::Integer, tag, value);
}

StreamValue StreamValue::extended(const Extended80 &value)
{
    return StreamValue(Kind::Extended, StreamTag::Extended, value);
}

StreamValue StreamValue::extended(double value)
{
    return extended(Extended80::fromDouble(value));
}

StreamValue StreamValue::string(const QString &text)
{
    if (!Windows1252::canEncode(text))
        return StreamValue(Kind::String, StreamTag::WString, text);
    const StreamTag tag = text.size() <= kShortStringLimit ? StreamTag::String : StreamTag::LString;
    return StreamValue(Kind::String, tag, text);
}

StreamValue StreamValue::string(const QString &text, StreamTag tag)
{
    const bool ansi = tag == StreamTag::String || tag == StreamTag::LString;
    if (!ansi && tag != StreamTag::WString && tag != StreamTag::UTF8String)
        throw StreamError(QStringLiteral("Tag %1 is not a string tag").arg(int(tag)));
    if (ansi && !Windows1252::canEncode(text))
        throw StreamError(QStringLiteral("The text cannot be stored as ANSI characters"));
    if (tag == StreamTag::String && text.size() > kShortStringLimit)
        throw StreamError(QStringLiteral("A short string holds at most 255 characters"));
    return StreamValue(Kind::String, tag, text);
}

StreamValue StreamValue::ident(const QString &name)
{
    return StreamValue(Kind::Ident, StreamTag::Ident, name);
}

StreamValue StreamValue::boolean(bool value)
{
    return StreamValue(Kind::Boolean, value ? StreamTag::True : StreamTag::False, value);
}

StreamValue StreamValue::binary(const QByteArray &bytes)
{
    return StreamValue(Kind::Binary, StreamTag::Binary, bytes);
}

StreamValue StreamValue::set(const QStringList &names)
{
    return StreamValue(Kind::Set, StreamTag::Set, names);
}

StreamValue StreamValue::nil()
{
    return StreamValue(Kind::Nil, StreamTag::Nil, std::monostate{});
}

StreamValue StreamValue::collection(std::vector<StreamProperties> items)
{
    return StreamValue(Kind::Collection, StreamTag::Collection, std::move(items));
}

StreamValue StreamValue::single(float value)
{
    return StreamValue(Kind::Single, StreamTag::Single, value);
}

StreamValue StreamValue::currency(qint64 tenThousandths)
{
    return StreamValue(Kind::Currency, StreamTag::Currency, tenThousandths);
}

StreamValue StreamValue::date(double days)
{
    return StreamValue(Kind::Date, StreamTag::Date, days);
}

void StreamValue::expect(Kind kind) const
{
    if (m_kind != kind)
        throw StreamError(QStringLiteral("Expected %1 but found %2 %3")
                              .arg(kindName(kind), kindName(m_kind), describe()));
}

template<typename T> const T &StreamValue::get(Kind kind) const
{
    expect(kind);
    return std::get<T>(m_payload);
}

qint64 StreamValue::toInteger() const { return get<qint64>(Kind::Integer); }
bool StreamValue::toBool() const { return get<bool>(Kind::Boolean); }
QString StreamValue::toText() const { return get<QString>(Kind::String); }
QString StreamValue::toIdent() const { return get<QString>(Kind::Ident); }
QByteArray StreamValue::toBinary() const { return get<QByteArray>(Kind::Binary); }
QStringList StreamValue::toSet() const { return get<QStringList>(Kind::Set); }
Extended80 StreamValue::toExtended() const { return get<Extended80>(Kind::Extended); }
float StreamValue::toSingle() const { return get<float>(Kind::Single); }
qint64 StreamValue::toCurrency() const { return get<qint64>(Kind::Currency); }

const std::vector<StreamValue> &StreamValue::toList() const
{
    return get<std::vector<StreamValue>>(Kind::List);
}

const std::vector<StreamProperties> &StreamValue::toCollection() const
{
    return get<std::vector<StreamProperties>>(Kind::Collection);
}

double StreamValue::toDouble() const
{
    switch (m_kind) {
    case Kind::Extended:
        return std::get<Extended80>(m_payload).toDouble();
    case Kind::Single:
        return std::get<float>(m_payload);
    case Kind::Date:
        return std::get<double>(m_payload);
    case Kind::Currency:
        return static_cast<double>(std::get<qint64>(m_payload)) / 10000.0;
    case Kind::Integer:
        return static_cast<double>(std::get<qint64>(m_payload));
    default:
        expect(Kind::Extended);
        return 0;
    }
}

bool StreamValue::operator==(const StreamValue &other) const
{
    return m_kind == other.m_kind && m_payload == other.m_payload;
}

QString StreamValue::kindName(Kind kind)
{
    switch (kind) {
    case Kind::Null: return QStringLiteral("null");
    case Kind::List: return QStringLiteral("list");
    case Kind::Integer: return QStringLiteral("integer");
    case Kind::Extended: return QStringLiteral("extended float");
    case Kind::String: return QStringLiteral("string");
    case Kind::Ident: return QStringLiteral("identifier");
    case Kind::Boolean: return QStringLiteral("boolean");
    case Kind::Binary: return QStringLiteral("binary");
    case Kind::Set: return QStringLiteral("set");
    case Kind::Nil: return QStringLiteral("nil");
    case Kind::Collection: return QStringLiteral("collection");
    case Kind::Single: return QStringLiteral("single float");
    case Kind::Currency: return QStringLiteral("currency");
    case Kind::Date: return QStringLiteral("date");
    }
    return QString();
}

QString StreamValue::describe() const
{
    switch (m_kind) {
    case Kind::Null: return QStringLiteral("<null>");
    case Kind::Nil: return QStringLiteral("nil");
    case Kind::Integer: return QString::number(toInteger());
    case Kind::Boolean: return toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case Kind::String: return u'\'' + toText() + u'\'';
    case Kind::Ident: return toIdent();
    case Kind::Set: return u'[' + toSet().join(u',') + u']';
    case Kind::Binary: return QStringLiteral("<binary %1 bytes>").arg(toBinary().size());
    case Kind::Collection: return QStringLiteral("<collection of %1>").arg(toCollection().size());
    case Kind::Currency: return QString::number(toDouble(), 'f', 4);
    case Kind::Extended:
    case Kind::Single:
    case Kind::Date: return QString::number(toDouble(), 'g', 17);
    case Kind::List: {
        QStringList items;
        for (const StreamValue &item : toList())
            items.append(item.describe());
        return u'(' + items.join(QStringLiteral(", ")) + u')';
    }
    }
    return QString();
}
