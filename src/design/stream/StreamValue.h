#pragma once

#include "design/stream/Extended80.h"
#include "design/stream/StreamTag.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <utility>
#include <variant>
#include <vector>

class StreamValue;

// The properties of a record or of a collection item, in stream order.
using StreamProperties = std::vector<std::pair<QString, StreamValue>>;

// One typed value of a component stream. A value remembers the tag it was
// read with (or the tag chosen for it when built), so that writing it back
// gives the same bytes; comparison is by kind and content, so the integer 5
// read as a 32-bit integer equals the integer 5 built here, and a string
// equals any other string of the same text.
class StreamValue
{
public:
    enum class Kind {
        Null,       // Null
        List,       // List
        Integer,    // Int8, Int16, Int32, Int64
        Extended,   // Extended
        String,     // String, LString, WString, UTF8String
        Ident,      // Ident
        Boolean,    // False, True
        Binary,     // Binary
        Set,        // Set
        Nil,        // Nil
        Collection, // Collection
        Single,     // Single
        Currency,   // Currency
        Date,       // Date
    };

    StreamValue() = default; // Null

    static StreamValue list(std::vector<StreamValue> items);
    // Tag Int8, Int16, Int32 or Int64: the smallest that holds the value.
    static StreamValue integer(qint64 value);
    // An integer kept with a given integer tag; StreamError if it does not fit.
    static StreamValue integer(qint64 value, StreamTag tag);
    static StreamValue extended(const Extended80 &value);
    static StreamValue extended(double value);
    // Tag String up to 255 ANSI bytes, LString beyond, WString when the text
    // has characters outside Windows-1252.
    static StreamValue string(const QString &text);
    // A string kept with a given string tag; StreamError if tag String or
    // LString cannot hold the text.
    static StreamValue string(const QString &text, StreamTag tag);
    static StreamValue ident(const QString &name);
    static StreamValue boolean(bool value);
    static StreamValue binary(const QByteArray &bytes);
    static StreamValue set(const QStringList &names);
    static StreamValue nil();
    static StreamValue collection(std::vector<StreamProperties> items);
    static StreamValue single(float value);
    static StreamValue currency(qint64 tenThousandths);
    static StreamValue date(double days);

    Kind kind() const { return m_kind; }
    StreamTag tag() const { return m_tag; }
    bool isNull() const { return m_kind == Kind::Null; }

    // Checked accessors: StreamError naming the expected and the actual kind
    // when the value is of another kind, so a property stored with the wrong
    // type fails the read instead of turning into a default.
    qint64 toInteger() const;
    bool toBool() const;
    QString toText() const;  // String
    QString toIdent() const; // Ident
    QByteArray toBinary() const;
    QStringList toSet() const;
    Extended80 toExtended() const;
    float toSingle() const;
    qint64 toCurrency() const; // value times 10000
    // Extended, Single, Date, Currency (scaled) and Integer.
    double toDouble() const;
    const std::vector<StreamValue> &toList() const;
    const std::vector<StreamProperties> &toCollection() const;

    // A short readable form for diagnostics: 12, 'text', clWhite, True,
    // [fsBold,fsItalic], 2.5, (1, 2), <collection of 2>, <binary 40 bytes>.
    QString describe() const;
    static QString kindName(Kind kind);

    bool operator==(const StreamValue &other) const;

private:
    using Payload = std::variant<std::monostate, qint64, bool, double, float, QString, QByteArray,
                                 QStringList, Extended80, std::vector<StreamValue>,
                                 std::vector<StreamProperties>>;

    StreamValue(Kind kind, StreamTag tag, Payload payload);
    void expect(Kind kind) const;
    template<typename T> const T &get(Kind kind) const;

    Kind m_kind = Kind::Null;
    StreamTag m_tag = StreamTag::Null;
    Payload m_payload;
};
