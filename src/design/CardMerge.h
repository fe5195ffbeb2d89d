#pragma once

#include "design/ContactList.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <utility>

class TGBusinessCardPanel32;
class TGGraphicControl;

// Records n to m of a list, 1-based and inclusive as the user gives them;
// 0 for `last` runs to the end of the list.
struct RecordRange {
    int first = 1;
    int last = 0;
};

// The contact list a card is filled from and the record it shows. It lives
// on the card panel (made the first time it is asked for), so a card
// without a list costs nothing. Objects keep their raw text with fields;
// what they draw comes through `Shown` / `ShownRtf`.
//
// A field takes the record's value when the list has that field; the ten
// personal fields (Name ... Fax) otherwise take the personal information;
// any other field is empty while a list is attached and stays as written
// without one.
class CardMerge : public QObject
{
    Q_OBJECT
public:
    explicit CardMerge(TGBusinessCardPanel32 &panel);

    // The panel's merge, made on first use.
    static CardMerge &Of(TGBusinessCardPanel32 &panel);
    // The panel's merge if it has one.
    static CardMerge *Find(const TGBusinessCardPanel32 *panel);

    // What an object draws for its raw text (unchanged when there are no
    // fields, the object is on no card, or the raw fields are shown).
    static QString Shown(const TGGraphicControl &object, const QString &raw);
    static QByteArray ShownRtf(const TGGraphicControl &object, const QByteArray &raw);
    // The ten personal values of the record shown (for a contact-card QR
    // code); none without a list or with raw fields shown.
    static std::optional<QStringList> RecordPersonal(const TGGraphicControl &object);

    void Attach(std::shared_ptr<const ContactList> list, const QString &path);
    void Detach();
    // Takes the list, the record shown and the raw-fields toggle of
    // another card's merge (the other side of the same card).
    void Follow(const CardMerge &other);
    bool Attached() const { return bool(m_list); }
    const ContactList *List() const { return m_list.get(); }
    QString ListPath() const { return m_path; }

    // 0-based; kept within the list.
    int Record() const { return m_record; }
    void SetRecord(int record);
    int RecordCount() const { return m_list ? m_list->size() : 0; }

    bool RawFields() const { return m_raw; }
    void SetRawFields(bool raw);

    std::optional<QString> Value(const QString &name) const;

    // The 0-based records a range covers, within the list: [first, last],
    // empty (first > last) when none.
    std::pair<int, int> Span(const RecordRange &range) const;
    // "N-M", "N-" or "N" as a range; none when malformed.
    static std::optional<RecordRange> ParseRange(const QString &text);

    // Puts back the record shown when it goes (printing steps through
    // the records).
    class RecordKeeper
    {
    public:
        explicit RecordKeeper(CardMerge *merge) : m_merge(merge), m_record(merge ? merge->Record() : 0) {}
        ~RecordKeeper()
        {
            if (m_merge)
                m_merge->SetRecord(m_record);
        }
        RecordKeeper(const RecordKeeper &) = delete;
        RecordKeeper &operator=(const RecordKeeper &) = delete;

    private:
        CardMerge *m_merge;
        int m_record;
    };

    // The fields used by the card's objects, each once, in z-order.
    QStringList FieldsUsed() const;
    // Those of them the attached list lacks.
    QStringList MissingFields() const;

    // The names of the ten personal fields, as kvl.ini has them.
    static QStringList PersonalFieldNames();

signals:
    // The list, the record or the raw-fields toggle changed.
    void Changed();

private:
    void Refresh();

    TGBusinessCardPanel32 &m_panel;
    std::shared_ptr<const ContactList> m_list;
    QString m_path;
    int m_record = 0;
    bool m_raw = false;
};
