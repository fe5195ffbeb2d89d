#include "design/MergeCheck.h"

#include "design/TGBusinessCardPanel32.h"
#include "design/TextFit.h"

namespace {

// A long list would make an endless message; the rest is counted.
constexpr int MaxListed = 20;

bool isPersonal(const QString &field)
{
    return CardMerge::PersonalFieldNames().contains(ContactLists::normalizedName(field));
}

} // namespace

MergeCheck::Findings MergeCheck::run(TGBusinessCardPanel32 &panel, const RecordRange &range)
{
    Findings findings;
    CardMerge *merge = CardMerge::Find(&panel);
    if (!merge || !merge->Attached())
        return findings;
    findings.missingFields = merge->MissingFields();
    const CardMerge::RecordKeeper keep(merge);
    const bool raw = merge->RawFields();
    merge->SetRawFields(false);
    const auto [first, last] = merge->Span(range);
    for (int record = first; record <= last; ++record) {
        merge->SetRecord(record);
        for (const QString &line : TextFit::describe(TextFit::check(panel)))
            findings.overflows << QStringLiteral("Record %1: %2").arg(record + 1).arg(line);
    }
    merge->SetRawFields(raw);
    return findings;
}

QStringList MergeCheck::describe(const Findings &findings)
{
    QStringList lines;
    for (const QString &field : findings.missingFields)
        lines << (isPersonal(field)
                      ? QStringLiteral("The list has no field \"%1\"; the personal information is used.").arg(field)
                      : QStringLiteral("The list has no field \"%1\"; it stays empty.").arg(field));
    for (int i = 0; i < findings.overflows.size() && i < MaxListed; ++i)
        lines << findings.overflows.at(i);
    if (findings.overflows.size() > MaxListed)
        lines << QStringLiteral("... and %1 more.").arg(findings.overflows.size() - MaxListed);
    return lines;
}

QString MergeCheck::message(const Findings &findings)
{
    if (findings.empty())
        return QString();
    return QStringLiteral("Before printing, please check:\n\n") + describe(findings).join(QLatin1Char('\n'));
}
