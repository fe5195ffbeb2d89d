#include "app/ToolDataOptions.h"

#include "design/ContactList.h"
#include "design/MergeCheck.h"
#include "design/TGBusinessCardPanel32.h"

#include <QFileInfo>

namespace ToolDataOptions {

namespace {

Options &options()
{
    static Options o;
    return o;
}

} // namespace

std::optional<Options> take(QStringList &arguments, QTextStream &err)
{
    Options o;
    QStringList rest;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &name = arguments.at(i);
        const bool takesValue = name == QLatin1String("--data") || name == QLatin1String("--records")
                                || name == QLatin1String("--record");
        if (takesValue && i + 1 >= arguments.size()) {
            err << "karvello-tool: " << name << " needs a value\n";
            return std::nullopt;
        }
        if (name == QLatin1String("--data")) {
            o.list = arguments.at(++i);
        } else if (name == QLatin1String("--records")) {
            const std::optional<RecordRange> range = CardMerge::ParseRange(arguments.at(++i));
            if (!range) {
                err << "karvello-tool: --records takes N-M, N- or N (records count from 1)\n";
                return std::nullopt;
            }
            o.records = *range;
        } else if (name == QLatin1String("--record")) {
            bool ok = false;
            o.record = arguments.at(++i).toInt(&ok);
            if (!ok || o.record < 1) {
                err << "karvello-tool: --record takes a record number from 1\n";
                return std::nullopt;
            }
        } else if (name == QLatin1String("--strict")) {
            o.strict = true;
        } else {
            rest << name;
        }
    }
    arguments = rest;
    return o;
}

const Options &current()
{
    return options();
}

void setCurrent(const Options &o)
{
    options() = o;
}

bool apply(TGBusinessCardPanel32 &panel, QTextStream &err)
{
    const Options &o = current();
    if (o.list.isEmpty())
        return true;
    auto list = std::make_shared<ContactList>();
    QString error;
    if (!ContactLists::read(o.list, *list, &error)) {
        err << "karvello-tool: " << o.list << ": " << error << '\n';
        return false;
    }
    if (o.record > list->size()) {
        err << "karvello-tool: " << o.list << " has " << list->size() << " records\n";
        return false;
    }
    CardMerge &merge = CardMerge::Of(panel);
    merge.Attach(std::move(list), QFileInfo(o.list).absoluteFilePath());
    merge.SetRecord(o.record - 1);
    return true;
}

bool check(TGBusinessCardPanel32 &panel, QTextStream &err)
{
    const MergeCheck::Findings findings = MergeCheck::run(panel, current().records);
    for (const QString &line : MergeCheck::describe(findings))
        err << "karvello-tool: warning: " << line << '\n';
    err.flush();
    return findings.empty() || !current().strict;
}

QString usage()
{
    return QStringLiteral("       (print, pdf: [--data LIST [--records N-M] [--strict]];"
                          " render: [--data LIST [--record N]])\n");
}

} // namespace ToolDataOptions
