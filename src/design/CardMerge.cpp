#include "design/CardMerge.h"

#include "design/CardFields.h"
#include "design/TGBusinessCardPanel32.h"
#include "design/TGGraphicControl.h"

#include <algorithm>

namespace {

TGBusinessCardPanel32 *cardPanel(const TGGraphicControl &object)
{
    return qobject_cast<TGBusinessCardPanel32 *>(object.Panel());
}

std::optional<QString> lookup(const TGBusinessCardPanel32 &panel, const CardMerge *merge, const QString &name)
{
    if (merge && merge->Attached())
        return merge->Value(name);
    const int personal = CardMerge::PersonalFieldNames().indexOf(ContactLists::normalizedName(name), 0);
    if (personal < 0)
        return std::nullopt;
    return panel.PersonalInformation(personal);
}

} // namespace

CardMerge::CardMerge(TGBusinessCardPanel32 &panel) : QObject(&panel), m_panel(panel)
{
    setObjectName(QStringLiteral("CardMerge"));
}

CardMerge &CardMerge::Of(TGBusinessCardPanel32 &panel)
{
    if (CardMerge *merge = Find(&panel))
        return *merge;
    return *new CardMerge(panel);
}

CardMerge *CardMerge::Find(const TGBusinessCardPanel32 *panel)
{
    return panel ? panel->findChild<CardMerge *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

QStringList CardMerge::PersonalFieldNames()
{
    // Normalised already: what normalizedName makes of the kvl.ini keys.
    return {QStringLiteral("name"),     QStringLiteral("company"),  QStringLiteral("title"),
            QStringLiteral("address1"), QStringLiteral("address2"), QStringLiteral("address3"),
            QStringLiteral("phone1"),   QStringLiteral("phone2"),   QStringLiteral("email"),
            QStringLiteral("fax")};
}

namespace {

// The text with its fields filled from the panel's record (or personal
// information); the raw text when it has none, is off a card, or the card
// shows its fields raw.
template <typename Text, typename HasFields, typename Fill>
Text filled(const TGGraphicControl &object, const Text &raw, HasFields hasFields, Fill fill)
{
    if (!hasFields(raw))
        return raw;
    const TGBusinessCardPanel32 *panel = cardPanel(object);
    if (!panel)
        return raw;
    const CardMerge *merge = CardMerge::Find(panel);
    if (merge && merge->RawFields())
        return raw;
    return fill(raw, [&](const QString &name) { return lookup(*panel, merge, name); });
}

} // namespace

QString CardMerge::Shown(const TGGraphicControl &object, const QString &raw)
{
    return filled(object, raw, CardFields::hasFields, CardFields::fill);
}

QByteArray CardMerge::ShownRtf(const TGGraphicControl &object, const QByteArray &raw)
{
    return filled(object, raw, CardFields::hasRtfFields, CardFields::fillRtf);
}

std::optional<QStringList> CardMerge::RecordPersonal(const TGGraphicControl &object)
{
    const CardMerge *merge = Find(cardPanel(object));
    if (!merge || !merge->Attached() || merge->m_raw)
        return std::nullopt;
    QStringList values;
    for (const QString &name : PersonalFieldNames())
        values << merge->Value(name).value_or(QString());
    return values;
}

std::optional<QString> CardMerge::Value(const QString &name) const
{
    if (m_list) {
        const int column = m_list->fieldIndex(name);
        if (column >= 0)
            return m_list->value(m_record, column);
    }
    const int personal = PersonalFieldNames().indexOf(ContactLists::normalizedName(name));
    if (personal >= 0)
        return m_panel.PersonalInformation(personal);
    if (m_list)
        return QString();
    return std::nullopt;
}

void CardMerge::Attach(std::shared_ptr<const ContactList> list, const QString &path)
{
    m_list = std::move(list);
    m_path = path;
    m_record = 0;
    Refresh();
}

void CardMerge::Detach()
{
    if (!m_list && m_path.isEmpty())
        return;
    m_list.reset();
    m_path.clear();
    m_record = 0;
    Refresh();
}

void CardMerge::Follow(const CardMerge &other)
{
    m_list = other.m_list;
    m_path = other.m_path;
    m_record = other.m_record;
    m_raw = other.m_raw;
    Refresh();
}

void CardMerge::SetRecord(int record)
{
    record = std::clamp(record, 0, std::max(0, RecordCount() - 1));
    if (record == m_record)
        return;
    m_record = record;
    Refresh();
}

void CardMerge::SetRawFields(bool raw)
{
    if (raw == m_raw)
        return;
    m_raw = raw;
    Refresh();
}

QStringList CardMerge::FieldsUsed() const
{
    QStringList used;
    QStringList keys;
    for (TGGraphicControl *object : m_panel.Objects())
        for (const QString &name : object->FieldNames())
            if (const QString key = ContactLists::normalizedName(name); !keys.contains(key)) {
                keys << key;
                used << name;
            }
    return used;
}

QStringList CardMerge::MissingFields() const
{
    QStringList missing;
    if (!m_list)
        return missing;
    for (const QString &name : FieldsUsed())
        if (m_list->fieldIndex(name) < 0)
            missing << name;
    return missing;
}

void CardMerge::Refresh()
{
    for (TGGraphicControl *object : m_panel.Objects())
        object->FieldsChanged();
    m_panel.update();
    emit Changed();
}

std::pair<int, int> CardMerge::Span(const RecordRange &range) const
{
    const int count = RecordCount();
    const int first = std::max(range.first, 1) - 1;
    const int last = range.last <= 0 ? count - 1 : std::min(range.last, count) - 1;
    return {first, last};
}

std::optional<RecordRange> CardMerge::ParseRange(const QString &text)
{
    const QStringList parts = text.trimmed().split(QLatin1Char('-'));
    if (parts.isEmpty() || parts.size() > 2)
        return std::nullopt;
    RecordRange range;
    bool ok = false;
    range.first = parts.at(0).trimmed().toInt(&ok);
    if (!ok || range.first < 1)
        return std::nullopt;
    if (parts.size() == 1) {
        range.last = range.first;
    } else if (!parts.at(1).trimmed().isEmpty()) {
        range.last = parts.at(1).trimmed().toInt(&ok);
        if (!ok || range.last < range.first)
            return std::nullopt;
    }
    return range;
}
