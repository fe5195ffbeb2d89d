#include "app/ToolPrintCommand.h"

#include "app/Preferences.h"
#include "app/ToolCard.h"
#include "app/ToolDataOptions.h"
#include "design/TextFit.h"
#include "print/TCardSheetPrinter.h"
#include "report/PdfTarget.h"
#include "report/TReport.h"

#include <optional>

namespace ToolPrintCommand {

namespace {

using ToolCommands::kBadArguments;
using ToolCommands::kFailed;
using ToolCommands::kSucceeded;

struct Options {
    QString document;
    QString pdf;
    int sheets = 1;
    std::optional<QList<int>> positions; // 1-based
    std::optional<TSheetNudges> nudges;
    TDuplexFlip duplex = dfNone;
};

std::optional<QList<int>> numberList(const QString &text)
{
    QList<int> numbers;
    for (const QString &part : text.split(u',')) {
        bool ok = false;
        numbers << part.trimmed().toInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    return numbers;
}

std::optional<Options> parse(const QStringList &args)
{
    if (args.size() < 2 || args.size() % 2 != 0)
        return std::nullopt;
    Options o;
    o.document = args.at(0);
    o.pdf = args.at(1);
    for (int i = 2; i + 1 < args.size(); i += 2) {
        const QString &name = args.at(i);
        if (name == QLatin1String("--duplex")) {
            const QString &edge = args.at(i + 1);
            if (edge != QLatin1String("long") && edge != QLatin1String("short"))
                return std::nullopt;
            o.duplex = edge == QLatin1String("long") ? dfLongEdge : dfShortEdge;
            continue;
        }
        const std::optional<QList<int>> values = numberList(args.at(i + 1));
        if (!values)
            return std::nullopt;
        if (name == QLatin1String("--sheets") && values->size() == 1 && values->first() >= 1 && values->first() <= 99)
            o.sheets = values->first();
        else if (name == QLatin1String("--positions"))
            o.positions = values;
        else if (name == QLatin1String("--nudges") && values->size() == 4)
            o.nudges = TSheetNudges{values->at(0), values->at(1), values->at(2), values->at(3)};
        else
            return std::nullopt;
    }
    return o;
}

} // namespace

QString usage()
{
    return QStringLiteral("       karvello-tool print FILE.KVL OUT.pdf [--sheets N] [--positions 1,2,...]"
                          " [--nudges TOP,LEFT,VERTICAL,HORIZONTAL] [--duplex long|short]\n");
}

int run(const QStringList &arguments, QTextStream &err)
{
    const std::optional<Options> options = parse(arguments);
    if (!options) {
        err << "usage:" << usage().mid(6);
        return kBadArguments;
    }
    const Options &o = *options;
    ToolCommands::ToolCard card(err);
    const std::optional<CardDocument::Opened> opened = card.open(o.document);
    if (!opened)
        return kFailed;
    card.panel->SetPortrait(opened->layout.Layout.Portrait);
    // Once per record the checks cover every record; else the card as it is.
    const bool perRecord = !ToolDataOptions::current().list.isEmpty();
    if (!perRecord)
        TextFit::tellUser(*card.panel);
    else if (!ToolDataOptions::check(*card.panel, err))
        return kFailed;
    TCardSheetPrinter sheet;
    sheet.OneCardPerRecord = perRecord;
    sheet.Records = ToolDataOptions::current().records;
    sheet.Panel = card.panel.get();
    sheet.Geometry = TSheetGeometry::FromLayout(opened->layout.Layout,
                                                o.nudges ? *o.nudges : Preferences::LoadPreferences().Nudges);
    sheet.Copies = o.sheets;
    sheet.BackgroundFile = opened->backgroundLoaded ? opened->backgroundFile : QString();
    if (o.positions) {
        sheet.Selection.reset();
        for (int p : *o.positions) {
            if (p >= 1 && p <= MaxCardPositions)
                sheet.Selection.set(p - 1);
        }
    }
    if (o.duplex != dfNone) {
        // Each sheet of fronts is followed by its backs.
        if (!card.openBack(o.document, *opened))
            return kFailed;
        if (!card.back) {
            err << "karvello-tool: " << o.document << ": the card has no back\n";
            return kFailed;
        }
        if (!perRecord)
            TextFit::tellUser(*card.back);
        else if (!ToolDataOptions::check(*card.back, err))
            return kFailed;
        sheet.BackPanel = card.back.get();
        sheet.BackBackgroundFile = card.backBackground;
        sheet.Flip = o.duplex;
        sheet.BackOffset = DuplexLayout::BackOffset();
    }
    TReport job(std::make_unique<PdfTarget>(o.pdf));
    job.setPaperSize(opened->layout.Layout.Papersize);
    job.setOrientation(poPortrait);
    sheet.LoadBackGround();
    job.onBeforePrint = [&](TReport &j) { sheet.BeforePrintLabels(j); };
    job.onPrint = [&](TReport &j) { sheet.PrintLabels(j); };
    if (!job.run()) {
        err << "karvello-tool: " << o.pdf << ": the PDF file could not be written\n";
        return kFailed;
    }
    return kSucceeded;
}

} // namespace ToolPrintCommand
