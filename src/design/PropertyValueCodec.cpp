#include "design/PropertyValueCodec.h"

#include "design/stream/StreamError.h"
#include "platform/Colors.h"

#include <limits>

namespace PropertyValueCodec {

namespace {

using T = TPropertyType;

QString suffixOf(TPropertyType type)
{
    switch (type) {
    case T::Picture:
    case T::Bitmap:
        return QStringLiteral(".Data");
    case T::Strings:
        return QStringLiteral(".Strings");
    default:
        return QString();
    }
}

[[noreturn]] void fail(const TPropertyDecl &decl, const QString &what)
{
    throw StreamError(QStringLiteral("Property %1: %2").arg(decl.name, what));
}

int toInt32(const TPropertyDecl &decl, qint64 value)
{
    if (value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max())
        fail(decl, QStringLiteral("%1 is out of range").arg(value));
    return int(value);
}

int ordinalOf(const TPropertyDecl &decl, const QString &ident)
{
    for (int i = 0; i < decl.identifiers.size(); ++i) {
        if (decl.identifiers.at(i).compare(ident, Qt::CaseInsensitive) == 0)
            return i;
    }
    fail(decl, QStringLiteral("unknown identifier %1").arg(ident));
}

StreamValue encodeSet(const TPropertyDecl &decl, uint bits)
{
    QStringList names;
    for (int i = 0; i < decl.identifiers.size() && i < 32; ++i) {
        if (bits & (1u << i))
            names << decl.identifiers.at(i);
    }
    return StreamValue::set(names);
}

uint decodeSet(const TPropertyDecl &decl, const StreamValue &value)
{
    uint bits = 0;
    for (const QString &name : value.toSet()) {
        const int i = ordinalOf(decl, name);
        if (i >= 32)
            fail(decl, QStringLiteral("set member %1 out of range").arg(name));
        bits |= 1u << i;
    }
    return bits;
}

StreamValue encodeStrings(const QStringList &lines)
{
    std::vector<StreamValue> items;
    items.reserve(lines.size());
    for (const QString &line : lines)
        items.push_back(StreamValue::string(line));
    return StreamValue::list(std::move(items));
}

QStringList decodeStrings(const StreamValue &value)
{
    QStringList lines;
    for (const StreamValue &item : value.toList())
        lines << item.toText();
    return lines;
}

// Colours and character sets: an identifier when the value has a name,
// otherwise an integer; both forms are read.
int decodeNamedInteger(const TPropertyDecl &decl, const StreamValue &value,
                       const std::function<std::optional<int>(const QString &)> &lookup)
{
    if (value.kind() != StreamValue::Kind::Ident)
        return toInt32(decl, value.toInteger());
    const std::optional<int> known = lookup(value.toIdent());
    if (!known)
        fail(decl, QStringLiteral("unknown identifier %1").arg(value.toIdent()));
    return *known;
}

StreamValue encodeNamedInteger(int value, const std::optional<QString> &name)
{
    return name ? StreamValue::ident(*name) : StreamValue::integer(value);
}

} // namespace

QString streamName(const TPropertyDecl &decl)
{
    return decl.name + suffixOf(decl.type);
}

const TPropertyDecl *findByStreamName(const TPropertyList &list, const QString &name)
{
    // Compared in place: a document names thousands of properties.
    const QStringView wanted(name);
    for (const TPropertyDecl &d : list) {
        const QString suffix = suffixOf(d.type);
        if (wanted.size() == d.name.size() + suffix.size() && wanted.startsWith(d.name, Qt::CaseInsensitive)
            && wanted.endsWith(suffix, Qt::CaseInsensitive))
            return &d;
    }
    return nullptr;
}

bool isEmptyValue(const TPropertyDecl &decl, const QVariant &value)
{
    switch (decl.type) {
    case T::Picture:
    case T::Bitmap:
        return value.toByteArray().isEmpty();
    case T::Strings:
        return value.toStringList().isEmpty();
    default:
        return false;
    }
}

StreamValue encode(const TPropertyDecl &decl, const QVariant &value)
{
    switch (decl.type) {
    case T::Integer:
        return StreamValue::integer(value.toInt());
    case T::Boolean:
        return StreamValue::boolean(value.toBool());
    case T::String:
        return StreamValue::string(value.toString());
    case T::Enum: {
        const int ordinal = value.toInt();
        if (ordinal < 0 || ordinal >= decl.identifiers.size())
            fail(decl, QStringLiteral("ordinal %1 has no identifier").arg(ordinal));
        return StreamValue::ident(decl.identifiers.at(ordinal));
    }
    case T::Set:
        return encodeSet(decl, value.toUInt());
    case T::Color:
        return encodeNamedInteger(value.toInt(), Colors::colorToIdent(TColor(value.toInt())));
    case T::Charset:
        return encodeNamedInteger(value.toInt(), PropertyIdents::charsetToIdent(value.toInt()));
    case T::Float:
        return StreamValue::extended(value.toDouble());
    case T::Picture:
    case T::Bitmap:
        return StreamValue::binary(value.toByteArray());
    case T::Strings:
        return encodeStrings(value.toStringList());
    }
    fail(decl, QStringLiteral("unknown property type"));
}

QVariant decode(const TPropertyDecl &decl, const StreamValue &value)
{
    switch (decl.type) {
    case T::Integer:
        return toInt32(decl, value.toInteger());
    case T::Boolean:
        return value.toBool();
    case T::String:
        return value.toText();
    case T::Enum:
        return ordinalOf(decl, value.toIdent());
    case T::Set:
        return decodeSet(decl, value);
    case T::Color:
        return decodeNamedInteger(decl, value, [](const QString &name) -> std::optional<int> {
            const std::optional<TColor> c = Colors::identToColor(name);
            return c ? std::optional<int>(int(*c)) : std::nullopt;
        });
    case T::Charset:
        return decodeNamedInteger(decl, value, PropertyIdents::identToCharset);
    case T::Float:
        return value.toDouble();
    case T::Picture:
    case T::Bitmap:
        return value.toBinary();
    case T::Strings:
        return decodeStrings(value);
    }
    fail(decl, QStringLiteral("unknown property type"));
}

} // namespace PropertyValueCodec
