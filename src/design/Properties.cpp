#include "design/Properties.h"

#include "platform/Brush.h"
#include "platform/Fonts.h"
#include "platform/Pen.h"

#include <array>

bool TPropertyDecl::mustWrite(const TGGraphicControl &object) const
{
    if (!storedDefault)
        return true;
    const QVariant value = get(object);
    switch (type) {
    case TPropertyType::Set:
        return value.toUInt() != storedDefault->toUInt();
    case TPropertyType::Float:
        return value.toDouble() != storedDefault->toDouble();
    case TPropertyType::Boolean:
        return value.toBool() != storedDefault->toBool();
    case TPropertyType::String:
        return value.toString() != storedDefault->toString();
    case TPropertyType::Integer:
    case TPropertyType::Enum:
    case TPropertyType::Color:
    case TPropertyType::Charset:
        return value.toInt() != storedDefault->toInt();
    default:
        return value != *storedDefault;
    }
}

const TPropertyDecl *findProperty(const TPropertyList &list, const QString &name)
{
    for (const TPropertyDecl &d : list) {
        if (d.name.compare(name, Qt::CaseInsensitive) == 0)
            return &d;
    }
    return nullptr;
}

namespace {

// Identifier names of an enumeration whose name function returns an empty
// string past its last value.
template <class F>
QStringList namesOf(F nameOf)
{
    QStringList names;
    for (int i = 0;; ++i) {
        const QString n = nameOf(i);
        if (n.isEmpty())
            return names;
        names << n;
    }
}

struct CharsetName {
    int code;
    const char *name;
};

constexpr std::array<CharsetName, 19> kCharsets{{
    {0, "ANSI_CHARSET"},       {1, "DEFAULT_CHARSET"},     {2, "SYMBOL_CHARSET"},
    {77, "MAC_CHARSET"},       {128, "SHIFTJIS_CHARSET"},  {129, "HANGEUL_CHARSET"},
    {130, "JOHAB_CHARSET"},    {134, "GB2312_CHARSET"},    {136, "CHINESEBIG5_CHARSET"},
    {161, "GREEK_CHARSET"},    {162, "TURKISH_CHARSET"},   {163, "VIETNAMESE_CHARSET"},
    {177, "HEBREW_CHARSET"},   {178, "ARABIC_CHARSET"},    {186, "BALTIC_CHARSET"},
    {204, "RUSSIAN_CHARSET"},  {222, "THAI_CHARSET"},      {238, "EASTEUROPE_CHARSET"},
    {255, "OEM_CHARSET"},
}};

template <class V>
TNestedMember<V> member(const char *name, TPropertyType type, std::optional<QVariant> def,
                        std::function<QVariant(const V &)> get,
                        std::function<void(V &, const QVariant &)> set, QStringList idents = {})
{
    return TNestedMember<V>{QString::fromLatin1(name), type, std::move(idents), std::move(def),
                            std::move(get), std::move(set)};
}

} // namespace

namespace PropertyIdents {

QStringList fontPitch() { return {"fpDefault", "fpVariable", "fpFixed"}; }
QStringList fontStyle() { return {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}; }

std::optional<QString> charsetToIdent(int charset)
{
    for (const CharsetName &c : kCharsets) {
        if (c.code == charset)
            return QString::fromLatin1(c.name);
    }
    return std::nullopt;
}

std::optional<int> identToCharset(const QString &ident)
{
    for (const CharsetName &c : kCharsets) {
        if (ident.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0)
            return c.code;
    }
    return std::nullopt;
}

} // namespace PropertyIdents

const std::vector<TNestedMember<TFont>> &fontMembers()
{
    using T = TPropertyType;
    static const std::vector<TNestedMember<TFont>> members{
        member<TFont>("Charset", T::Charset, std::nullopt,
                      [](const TFont &f) { return QVariant(f.charset); },
                      [](TFont &f, const QVariant &v) { f.charset = v.toInt(); }),
        member<TFont>("Color", T::Color, std::nullopt,
                      [](const TFont &f) { return QVariant(int(f.color)); },
                      [](TFont &f, const QVariant &v) { f.color = TColor(v.toInt()); }),
        member<TFont>("Height", T::Integer, std::nullopt,
                      [](const TFont &f) { return QVariant(f.height); },
                      [](TFont &f, const QVariant &v) { f.height = v.toInt(); }),
        member<TFont>("Name", T::String, std::nullopt,
                      [](const TFont &f) { return QVariant(f.name); },
                      [](TFont &f, const QVariant &v) { f.name = v.toString(); }),
        member<TFont>("Pitch", T::Enum, QVariant(int(TFontPitch::fpDefault)),
                      [](const TFont &f) { return QVariant(int(f.pitch)); },
                      [](TFont &f, const QVariant &v) { f.pitch = TFontPitch(v.toInt()); },
                      PropertyIdents::fontPitch()),
        member<TFont>("Style", T::Set, std::nullopt,
                      [](const TFont &f) { return QVariant(uint(f.style)); },
                      [](TFont &f, const QVariant &v) { f.style = v.toUInt(); },
                      PropertyIdents::fontStyle()),
    };
    return members;
}

const std::vector<TNestedMember<TPen>> &penMembers()
{
    using T = TPropertyType;
    static const std::vector<TNestedMember<TPen>> members{
        member<TPen>("Color", T::Color, QVariant(int(clBlack)),
                     [](const TPen &p) { return QVariant(int(p.color)); },
                     [](TPen &p, const QVariant &v) { p.color = TColor(v.toInt()); }),
        member<TPen>("Mode", T::Enum, QVariant(int(pmCopy)),
                     [](const TPen &p) { return QVariant(int(p.mode)); },
                     [](TPen &p, const QVariant &v) { p.mode = TPenMode(v.toInt()); },
                     namesOf([](int i) { return Pens::modeIdent(TPenMode(i)); })),
        member<TPen>("Style", T::Enum, QVariant(int(psSolid)),
                     [](const TPen &p) { return QVariant(int(p.style)); },
                     [](TPen &p, const QVariant &v) { p.style = TPenStyle(v.toInt()); },
                     namesOf([](int i) { return Pens::styleIdent(TPenStyle(i)); })),
        member<TPen>("Width", T::Integer, QVariant(1),
                     [](const TPen &p) { return QVariant(p.width); },
                     [](TPen &p, const QVariant &v) { p.width = v.toInt(); }),
    };
    return members;
}

const std::vector<TNestedMember<TBrush>> &brushMembers()
{
    using T = TPropertyType;
    static const std::vector<TNestedMember<TBrush>> members{
        member<TBrush>("Color", T::Color, QVariant(int(clWhite)),
                       [](const TBrush &b) { return QVariant(int(b.color)); },
                       [](TBrush &b, const QVariant &v) { b.color = TColor(v.toInt()); }),
        member<TBrush>("Style", T::Enum, QVariant(int(bsSolid)),
                       [](const TBrush &b) { return QVariant(int(b.style)); },
                       [](TBrush &b, const QVariant &v) { b.style = TBrushStyle(v.toInt()); },
                       namesOf([](int i) { return Brushes::styleIdent(TBrushStyle(i)); })),
    };
    return members;
}

namespace {
std::vector<TGClassRegistry::Entry> &registry()
{
    static std::vector<TGClassRegistry::Entry> entries;
    return entries;
}
} // namespace

void TGClassRegistry::add(const QString &className, Factory create,
                          std::function<const TPropertyList &()> properties)
{
    for (Entry &e : registry()) {
        if (e.className.compare(className, Qt::CaseInsensitive) == 0) {
            e.create = std::move(create);
            e.properties = std::move(properties);
            return;
        }
    }
    registry().push_back(Entry{className, std::move(create), std::move(properties)});
}

const TGClassRegistry::Entry *TGClassRegistry::find(const QString &className)
{
    // Class names, like property names and identifiers, are read in any
    // letter case.
    for (const Entry &e : registry()) {
        if (e.className.compare(className, Qt::CaseInsensitive) == 0)
            return &e;
    }
    return nullptr;
}

QStringList TGClassRegistry::classNames()
{
    QStringList names;
    for (const Entry &e : registry())
        names << e.className;
    return names;
}

void TGClassRegistry::clear()
{
    registry().clear();
}
