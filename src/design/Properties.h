#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <optional>
#include <type_traits>
#include <vector>

class TGGraphicControl;
struct TFont;
struct TPen;
struct TBrush;

// The stored properties of a design object class, declared once in stream
// order (base-class properties first). Streaming, cloning, the clipboard file
// and `karvello-tool info` all work from this list; no class writes its own
// streaming code.
//
// Nested values (font, pen, brush) are expanded when declared into one leaf
// property per member with a dotted name ("Pen.Width"), so readers and
// writers only ever see leaf properties.

// Leaf value kinds and the QVariant each carries:
//   Integer  int                 Boolean  bool
//   String   QString             Enum     int ordinal into `identifiers`
//   Set      uint, bit i = identifiers[i]
//   Color    int (a TColor)      Charset  int (identifier when it has a name)
//   Float    double (streamed as an 80-bit extended)
//   Picture  QByteArray: the graphic class short string followed by the
//            graphic's own stream (written as "<Name>.Data"; empty = no graphic)
//   Bitmap   QByteArray: the bitmap's own stream (empty = no bitmap)
//   Strings  QStringList
enum class TPropertyType { Integer, Boolean, String, Enum, Set, Color, Charset, Float,
                           Picture, Bitmap, Strings };

struct TPropertyDecl {
    QString name;                        // "Left", "Font.Height"
    TPropertyType type = TPropertyType::Integer;
    QStringList identifiers;             // Enum and Set value names
    std::optional<QVariant> storedDefault; // written only when different; none: always written
    QString group;                       // "Pen" for "Pen.Width"; empty for plain properties
    std::function<QVariant(const TGGraphicControl &)> get;
    std::function<void(TGGraphicControl &, const QVariant &)> set;

    // True when the writer must write this property for `object`.
    bool mustWrite(const TGGraphicControl &object) const;
};

using TPropertyList = std::vector<TPropertyDecl>;

// Looks a property up by name (letter case ignored); null when unknown.
const TPropertyDecl *findProperty(const TPropertyList &list, const QString &name);

// Identifier names of the platform's enumerations that nested values use.
namespace PropertyIdents {
QStringList fontPitch();  // fpDefault, fpVariable, fpFixed
QStringList fontStyle();  // fsBold, fsItalic, fsUnderline, fsStrikeOut
// Character sets: the name of a known code ("DEFAULT_CHARSET"), none otherwise.
std::optional<QString> charsetToIdent(int charset);
std::optional<int> identToCharset(const QString &ident);
} // namespace PropertyIdents

// One member of a nested value, operating on the whole value.
template <class V>
struct TNestedMember {
    QString name; // "Width"
    TPropertyType type;
    QStringList identifiers;
    std::optional<QVariant> storedDefault;
    std::function<QVariant(const V &)> get;
    std::function<void(V &, const QVariant &)> set;
};

// The member tables of the nested kinds, in stream order.
// Font: Charset, Color, Height, Name, Pitch (default fpDefault), Style (always).
const std::vector<TNestedMember<TFont>> &fontMembers();
// Pen: Color, Mode (default pmCopy), Style (default psSolid), Width (default 1).
const std::vector<TNestedMember<TPen>> &penMembers();
// Brush: Color (default clWhite), Style (default bsSolid).
const std::vector<TNestedMember<TBrush>> &brushMembers();

// Declares a class's properties in a few lines:
//
//   const TPropertyList &TGLineShape::properties() {
//       static const TPropertyList list = TPropertyBuilder<TGLineShape>(TGGraphicControl::properties())
//           .enumeration("LineStyle", lineStyleNames(), &TGLineShape::LineStyle, &TGLineShape::SetLineStyle, 0)
//           .pen("Pen", &TGLineShape::Pen, &TGLineShape::SetPen)
//           .build();
//       return list;
//   }
//
// Getters and setters are member function pointers or any callables taking
// the object (getters const). Enumerations may use any enum or integer type.
template <class T>
class TPropertyBuilder
{
public:
    explicit TPropertyBuilder(TPropertyList base = {}) : m_list(std::move(base)) {}

    template <class G, class S>
    TPropertyBuilder &integer(const QString &name, G get, S set, std::optional<int> def = {})
    { return plain(name, TPropertyType::Integer, {}, def, get, set, as<int>()); }

    template <class G, class S>
    TPropertyBuilder &boolean(const QString &name, G get, S set, std::optional<bool> def = {})
    { return plain(name, TPropertyType::Boolean, {}, def, get, set, as<bool>()); }

    template <class G, class S>
    TPropertyBuilder &string(const QString &name, G get, S set, std::optional<QString> def = {})
    { return plain(name, TPropertyType::String, {}, def, get, set, as<QString>()); }

    template <class G, class S>
    TPropertyBuilder &color(const QString &name, G get, S set, std::optional<int> def = {})
    { return plain(name, TPropertyType::Color, {}, def, get, set, as<int>()); }

    template <class G, class S>
    TPropertyBuilder &floating(const QString &name, G get, S set, std::optional<double> def = {})
    { return plain(name, TPropertyType::Float, {}, def, get, set, as<double>()); }

    // `def` is the declared default ordinal.
    template <class G, class S>
    TPropertyBuilder &enumeration(const QString &name, const QStringList &idents, G get, S set,
                                  std::optional<int> def = {})
    {
        TPropertyDecl d = decl(name, TPropertyType::Enum, idents, def);
        d.get = [get](const TGGraphicControl &o) { return QVariant(int(std::invoke(get, self(o)))); };
        d.set = [set](TGGraphicControl &o, const QVariant &v) {
            std::invoke(set, self(o), static_cast<valueOf<G>>(v.toInt()));
        };
        m_list.push_back(std::move(d));
        return *this;
    }

    // A set as a bit mask: bit i stands for idents[i].
    template <class G, class S>
    TPropertyBuilder &setOf(const QString &name, const QStringList &idents, G get, S set,
                          std::optional<unsigned> def = {})
    {
        TPropertyDecl d = decl(name, TPropertyType::Set, idents, def);
        d.get = [get](const TGGraphicControl &o) { return QVariant(uint(std::invoke(get, self(o)))); };
        d.set = [set](TGGraphicControl &o, const QVariant &v) {
            std::invoke(set, self(o), static_cast<valueOf<G>>(v.toUInt()));
        };
        m_list.push_back(std::move(d));
        return *this;
    }

    template <class G, class S>
    TPropertyBuilder &picture(const QString &name, G get, S set)
    { return plain(name, TPropertyType::Picture, {}, std::optional<QByteArray>(), get, set, as<QByteArray>()); }

    template <class G, class S>
    TPropertyBuilder &bitmap(const QString &name, G get, S set)
    { return plain(name, TPropertyType::Bitmap, {}, std::optional<QByteArray>(), get, set, as<QByteArray>()); }

    template <class G, class S>
    TPropertyBuilder &strings(const QString &name, G get, S set)
    { return plain(name, TPropertyType::Strings, {}, std::optional<QStringList>(), get, set, as<QStringList>()); }

    template <class G, class S>
    TPropertyBuilder &font(const QString &name, G get, S set) { return nested<TFont>(name, fontMembers(), get, set); }
    template <class G, class S>
    TPropertyBuilder &pen(const QString &name, G get, S set) { return nested<TPen>(name, penMembers(), get, set); }
    template <class G, class S>
    TPropertyBuilder &brush(const QString &name, G get, S set) { return nested<TBrush>(name, brushMembers(), get, set); }

    // A nested value of any kind with its own member table.
    template <class V, class G, class S>
    TPropertyBuilder &nested(const QString &name, const std::vector<TNestedMember<V>> &members, G get, S set)
    {
        for (const TNestedMember<V> &m : members) {
            TPropertyDecl d = decl(name + QLatin1Char('.') + m.name, m.type, m.identifiers, std::nullopt);
            d.storedDefault = m.storedDefault;
            d.group = name;
            auto memberGet = m.get;
            auto memberSet = m.set;
            d.get = [get, memberGet](const TGGraphicControl &o) {
                return memberGet(static_cast<const V &>(std::invoke(get, self(o))));
            };
            d.set = [get, set, memberSet](TGGraphicControl &o, const QVariant &v) {
                V whole = std::invoke(get, self(o));
                memberSet(whole, v);
                std::invoke(set, self(o), whole);
            };
            m_list.push_back(std::move(d));
        }
        return *this;
    }

    // Anything the helpers above do not cover.
    TPropertyBuilder &add(TPropertyDecl d) { m_list.push_back(std::move(d)); return *this; }

    TPropertyList build() { return std::move(m_list); }

private:
    template <class X> struct Tag {};
    template <class X> static Tag<X> as() { return {}; }

    static const T &self(const TGGraphicControl &o) { return static_cast<const T &>(o); }
    static T &self(TGGraphicControl &o) { return static_cast<T &>(o); }

    // The value type a getter returns.
    template <class G> using valueOf = std::decay_t<std::invoke_result_t<G, const T &>>;

    template <class D>
    static TPropertyDecl decl(const QString &name, TPropertyType type, const QStringList &idents,
                              const std::optional<D> &def)
    {
        TPropertyDecl d;
        d.name = name;
        d.type = type;
        d.identifiers = idents;
        if (def)
            d.storedDefault = QVariant::fromValue(*def);
        return d;
    }
    static TPropertyDecl decl(const QString &name, TPropertyType type, const QStringList &idents,
                              std::nullopt_t)
    {
        return decl(name, type, idents, std::optional<int>());
    }

    template <class D, class G, class S, class X>
    TPropertyBuilder &plain(const QString &name, TPropertyType type, const QStringList &idents,
                            const std::optional<D> &def, G get, S set, Tag<X>)
    {
        TPropertyDecl d = decl(name, type, idents, def);
        d.get = [get](const TGGraphicControl &o) { return QVariant::fromValue(X(std::invoke(get, self(o)))); };
        d.set = [set](TGGraphicControl &o, const QVariant &v) { std::invoke(set, self(o), v.value<X>()); };
        m_list.push_back(std::move(d));
        return *this;
    }

    TPropertyList m_list;
};

// The object classes that card documents and the clipboard file may hold,
// by stream class name.
class TGClassRegistry
{
public:
    using Factory = std::function<TGGraphicControl *(QObject *owner)>;
    struct Entry {
        QString className;
        Factory create;
        std::function<const TPropertyList &()> properties;
    };

    // Registers (or replaces) a class. Registration order is kept.
    static void add(const QString &className, Factory create,
                    std::function<const TPropertyList &()> properties);
    template <class T>
    static void add(const QString &className)
    {
        add(className, [](QObject *owner) -> TGGraphicControl * { return new T(owner); },
            [] () -> const TPropertyList & { return T::properties(); });
    }

    // Null for a class that is not registered (exact name).
    static const Entry *find(const QString &className);
    static QStringList classNames();
    static void clear(); // tests only
};
