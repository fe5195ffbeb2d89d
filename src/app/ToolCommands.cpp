#include "app/ToolCommands.h"

#include "app/CardClasses.h"
#include "app/ConsoleDialogs.h"
#include "app/Preferences.h"
#include "app/TTemplateCommands.h"
#include "app/ToolCard.h"
#include "app/ToolDataOptions.h"
#include "app/ToolPdfCommand.h"
#include "app/ToolPrintCommand.h"
#include "design/CardDocument.h"
#include "design/CardSides.h"
#include "design/ComponentStreamer.h"
#include "design/Properties.h"
#include "design/SheetLayoutIni.h"
#include "design/TGBusinessCardPanel32.h"
#include "design/TextFit.h"
#include "design/stream/ComponentStreamReader.h"
#include "design/stream/StreamError.h"
#include "platform/PlainFile.h"
#include "print/CardImageExport.h"

#include <QFile>
#include <QFileInfo>
#include <QImageWriter>

namespace ToolCommands {

namespace {

QByteArray imageFormatFor(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png") || suffix == QLatin1String("bmp"))
        return suffix.toLatin1();
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
        return QByteArrayLiteral("jpg");
    return QByteArray();
}

void printRecord(const StreamRecord &record, QTextStream &out)
{
    out << record.className << ' ' << record.name << '\n';
    for (const auto &[name, value] : record.properties)
        out << "  " << name << " = " << value.describe() << '\n';
}

} // namespace

int infoOfOneSide(const QString &path, QTextStream &out, QTextStream &err);

QString usage()
{
    return QStringLiteral(
        "usage: karvello-tool info FILE.KVL\n"
        "       karvello-tool render FILE.KVL OUT.png|OUT.bmp|OUT.jpg [--dpi N] [--side front|back]\n"
        "       karvello-tool resave IN.KVL OUT.KVL\n"
        "       karvello-tool template TEMPLATE.KVLT OUT.KVL [--font NAME]\n")
        + ToolPrintCommand::usage() + ToolPdfCommand::usage() + ToolDataOptions::usage();
}

int info(const QString &path, QTextStream &out, QTextStream &err)
{
    // A card with a back lists each side under its own heading.
    const QString back = CardSides::FindBack(path);
    if (back.isEmpty() || back == path)
        return infoOfOneSide(path, out, err);
    out << "[Front] " << path << "\n\n";
    if (infoOfOneSide(path, out, err) != 0)
        return kFailed;
    out << "\n[Back] " << back << "\n\n";
    return infoOfOneSide(back, out, err);
}

int infoOfOneSide(const QString &path, QTextStream &out, QTextStream &err)
{
    QByteArray bytes;
    QString reason;
    if (!PlainFile::read(path, ComponentStreamReader::kMaxDocumentBytes, bytes, &reason)) {
        err << "karvello-tool: " << reason << '\n';
        return kFailed;
    }
    try {
        const std::vector<StreamRecord> records = ComponentStreamReader::readContainer(bytes);
        for (size_t i = 0; i < records.size(); ++i) {
            if (i > 0)
                out << '\n';
            printRecord(records[i], out);
        }
    } catch (const StreamError &e) {
        err << CardDocument::UnableToOpenMessage(path) << " (" << e.message() << ")\n";
        return kFailed;
    }
    return 0;
}

int render(const QString &path, const QString &imagePath, QTextStream &err, int dpi, bool back)
{
    const QByteArray format = imageFormatFor(imagePath);
    if (format.isEmpty()) {
        err << "karvello-tool: " << imagePath << ": the picture must end in .png, .bmp or .jpg\n";
        return kBadArguments;
    }
    ToolCard card(err);
    const std::optional<CardDocument::Opened> opened = card.open(path);
    if (!opened)
        return kFailed;
    if (back) {
        if (!card.openBack(path, *opened))
            return kFailed;
        if (!card.back) {
            err << "karvello-tool: " << path << ": the card has no back\n";
            return kFailed;
        }
    }
    TGBusinessCardPanel32 &panel = back ? *card.back : *card.panel;
    if (dpi > 0) {
        PrintShopExport::Card side = ToolPdfCommand::CardOf(card, *opened);
        if (back) {
            side.Panel = card.back.get();
            side.BackgroundFile = card.backBackground;
        }
        const QImage picture = CardImageExport::Render(side, dpi);
        QString error;
        if (picture.isNull() || !CardImageExport::WritePicture(picture, imagePath, format, &error)) {
            err << "karvello-tool: " << (error.isEmpty() ? imagePath + QStringLiteral(": the card could not be drawn") : error) << '\n';
            return kFailed;
        }
        return 0;
    }
    QImageWriter writer(imagePath, format);
    if (format == "jpg")
        writer.setQuality(100);
    if (!writer.write(panel.RenderToBitmap())) {
        err << "karvello-tool: " << imagePath << ": " << writer.errorString() << '\n';
        return kFailed;
    }
    return 0;
}

int renderWithOptions(const QStringList &arguments, QTextStream &err)
{
    int dpi = 0;
    bool back = false;
    for (int i = 3; i + 1 < arguments.size(); i += 2) {
        const QString &name = arguments.at(i);
        const QString &value = arguments.at(i + 1);
        if (name == QLatin1String("--dpi")) {
            bool ok = false;
            dpi = value.toInt(&ok);
            if (!ok || dpi < CardImageExport::MinDpi || dpi > CardImageExport::MaxDpi) {
                err << "karvello-tool: --dpi takes a whole number from " << CardImageExport::MinDpi << " to "
                    << CardImageExport::MaxDpi << '\n' << usage();
                return kBadArguments;
            }
        } else if (name == QLatin1String("--side") && (value == QLatin1String("front") || value == QLatin1String("back"))) {
            back = value == QLatin1String("back");
        } else {
            err << usage();
            return kBadArguments;
        }
    }
    return render(arguments.at(1), arguments.at(2), err, dpi, back);
}

int resave(const QString &path, const QString &targetPath, QTextStream &err)
{
    ToolCard card(err);
    const std::optional<CardDocument::Opened> opened = card.open(path);
    if (!opened)
        return kFailed;
    QString error;
    const CardDocument::Companion companion{opened->layout, opened->backgroundFile};
    CardSides sides;
    if (!sides.OpenBack(path, &error)) {
        err << CardDocument::UnableToOpenMessage(CardSides::FindBack(path)) << " (" << error << ")\n";
        return kFailed;
    }
    if (!sides.Save(*card.panel, targetPath, companion, &error)) {
        err << "karvello-tool: " << error << '\n';
        return kFailed;
    }
    return 0;
}

int fromTemplate(const QString &templatePath, const QString &targetPath, const QString &fontName,
                 QTextStream &err)
{
    if (!QFileInfo(templatePath).isFile()) {
        err << "karvello-tool: " << templatePath << ": no such file\n";
        return kFailed;
    }
    ToolCard card(err);
    TGBusinessCardPanel32 &panel = *card.panel;
    panel.SetPersonalInformation(Preferences::ReadPersonalInformation());
    SheetLayoutSetting layout = SheetLayoutIni::LoadLayoutPreferences(SheetLayoutSetting());
    panel.SetPortrait(false);
    panel.SetCardSize(layout.Layout);
    QString error;
    const QString background = TTemplateCommands::BuildFromTemplate(panel, templatePath, fontName, &error);
    if (!error.isEmpty()) {
        err << "karvello-tool: " << error << '\n';
        return kFailed;
    }
    if (!background.isEmpty() && !panel.HasColorPicture())
        card.warnBackgroundNotLoaded(background);
    layout.Layout.Portrait = panel.Portrait();
    panel.SetCardOrientation(panel.Portrait(), layout.Layout, background);
    TextFit::tellUser(panel);
    if (!CardDocument::SaveCardDocument(panel, targetPath, {layout, background}, &error)) {
        err << "karvello-tool: " << error << '\n';
        return kFailed;
    }
    return 0;
}

int run(const QStringList &givenArguments, QTextStream &out, QTextStream &err)
{
    QStringList arguments = givenArguments;
    const std::optional<ToolDataOptions::Options> data = ToolDataOptions::take(arguments, err);
    if (!data) {
        err.flush();
        return kBadArguments;
    }
    ToolDataOptions::setCurrent(*data);
    const QString command = arguments.value(0);
    int status = kBadArguments;
    if (command == QLatin1String("info") && arguments.size() == 2)
        status = info(arguments.at(1), out, err);
    else if (command == QLatin1String("render") && arguments.size() >= 3 && arguments.size() % 2 == 1)
        status = renderWithOptions(arguments, err);
    else if (command == QLatin1String("resave") && arguments.size() == 3)
        status = resave(arguments.at(1), arguments.at(2), err);
    else if (command == QLatin1String("template") && arguments.size() == 3)
        status = fromTemplate(arguments.at(1), arguments.at(2), QStringLiteral("Times New Roman"), err);
    else if (command == QLatin1String("template") && arguments.size() == 5
             && arguments.at(3) == QLatin1String("--font") && !arguments.at(4).trimmed().isEmpty())
        status = fromTemplate(arguments.at(1), arguments.at(2), arguments.at(4).trimmed(), err);
    else if (command == QLatin1String("pdf"))
        status = ToolPdfCommand::run(arguments.mid(1), err);
    else if (command == QLatin1String("print"))
        status = ToolPrintCommand::run(arguments.mid(1), err);
    else
        err << usage();
    out.flush();
    err.flush();
    return status;
}

} // namespace ToolCommands
