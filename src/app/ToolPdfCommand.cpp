#include "app/ToolPdfCommand.h"

#include "app/ToolDataOptions.h"
#include "design/TextFit.h"

#include <optional>

namespace ToolPdfCommand {

namespace {

using ToolCommands::kBadArguments;
using ToolCommands::kFailed;
using ToolCommands::kSucceeded;

struct Arguments {
    QString document;
    QString pdf;
    PrintShopExport::Options options;
};

std::optional<Arguments> parse(const QStringList &args)
{
    if (args.size() < 2)
        return std::nullopt;
    Arguments a;
    a.document = args.at(0);
    a.pdf = args.at(1);
    for (int i = 2; i < args.size(); ++i) {
        const QString &name = args.at(i);
        if (name == QLatin1String("--crop-marks")) {
            a.options.CropMarks = true;
        } else if (name == QLatin1String("--bleed") && i + 1 < args.size()) {
            bool ok = false;
            const double bleed = args.at(++i).toDouble(&ok);
            if (!ok || !(bleed >= 0 && bleed <= PrintShopExport::MaxBleed))
                return std::nullopt;
            a.options.Bleed = bleed;
        } else {
            return std::nullopt;
        }
    }
    return a;
}

} // namespace

QString usage()
{
    return QStringLiteral("       karvello-tool pdf FILE.KVL OUT.pdf [--bleed INCHES] [--crop-marks]\n");
}

PrintShopExport::Card CardOf(ToolCommands::ToolCard &card, const CardDocument::Opened &opened)
{
    const SheetLayout &layout = opened.layout.Layout;
    card.panel->SetPortrait(layout.Portrait);
    PrintShopExport::Card result;
    result.Panel = card.panel.get();
    result.Size = layout.Portrait ? QSizeF(layout.Height, layout.Width) : QSizeF(layout.Width, layout.Height);
    result.BackgroundFile = opened.backgroundLoaded ? opened.backgroundFile : QString();
    return result;
}

int run(const QStringList &arguments, QTextStream &err)
{
    const std::optional<Arguments> parsed = parse(arguments);
    if (!parsed) {
        err << "usage:" << usage().mid(6);
        return kBadArguments;
    }
    ToolCommands::ToolCard card(err);
    const std::optional<CardDocument::Opened> opened = card.open(parsed->document);
    if (!opened)
        return kFailed;
    PrintShopExport::Card exported = CardOf(card, *opened);
    exported.OneCardPerRecord = !ToolDataOptions::current().list.isEmpty();
    exported.Records = ToolDataOptions::current().records;
    if (!exported.OneCardPerRecord)
        TextFit::tellUser(*card.panel);
    else if (!ToolDataOptions::check(*card.panel, err))
        return kFailed;
    if (PrintShopExport::TextOutsideSafeArea(*exported.Panel, exported.Size))
        err << "karvello-tool: warning: some text lies within 1/8 inch of the card's edge and may be cut off\n";
    // A card with a back is a second page.
    if (!card.openBack(parsed->document, *opened))
        return kFailed;
    PrintShopExport::Card back = exported;
    if (card.back) {
        back.Panel = card.back.get();
        back.BackgroundFile = card.backBackground;
        exported.Back = &back;
        if (!exported.OneCardPerRecord)
            TextFit::tellUser(*card.back);
        else if (!ToolDataOptions::check(*card.back, err))
            return kFailed;
        if (PrintShopExport::TextOutsideSafeArea(*back.Panel, back.Size))
            err << "karvello-tool: warning: some text on the back lies within 1/8 inch of the card's edge and may "
                   "be cut off\n";
    }
    QString error;
    if (!PrintShopExport::Write(exported, parsed->options, parsed->pdf, &error)) {
        err << "karvello-tool: " << error << '\n';
        return kFailed;
    }
    return kSucceeded;
}

} // namespace ToolPdfCommand
