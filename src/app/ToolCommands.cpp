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

QString usage()
{
    return QStringLiteral(
        "usage: karvello-tool info FILE.KVL\n"
        "       karvello-tool render FILE.KVL OUT.png|OUT.bmp|OUT.jpg [--dpi N]\n"
        "       karvello-tool resave IN.KVL OUT.KVL\n"
        "       karvello-tool template TEMPLATE.KVLT OUT.KVL [--font NAME]\n")
        + ToolPrintCommand::usage() + ToolPdfCommand::usage() + ToolDataOptions::usage();
}

int info(const QString &path, QTextStream &out, QTextStream &err)
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

int render(const QString &path, const QString &imagePath, QTextStream &err, int dpi)
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
    if (dpi > 0) {
        const QImage picture = CardImageExport::Render(ToolPdfCommand::CardOf(card, *opened), dpi);
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
    if (!writer.write(card.panel->RenderToBitmap())) {
        err << "karvello-tool: " << imagePath << ": " << writer.errorString() << '\n';
        return kFailed;
    }
    return 0;
}

int renderAtDpi(const QString &path, const QString &imagePath, const QString &dpiText, QTextStream &err)
{
    bool ok = false;
    const int dpi = dpiText.toInt(&ok);
    if (!ok || dpi < CardImageExport::MinDpi || dpi > CardImageExport::MaxDpi) {
        err << "karvello-tool: --dpi takes a whole number from " << CardImageExport::MinDpi << " to "
            << CardImageExport::MaxDpi << '\n' << usage();
        return kBadArguments;
    }
    return render(path, imagePath, err, dpi);
}

int resave(const QString &path, const QString &targetPath, QTextStream &err)
{
    ToolCard card(err);
    const std::optional<CardDocument::Opened> opened = card.open(path);
    if (!opened)
        return kFailed;
    QString error;
    const CardDocument::Companion companion{opened->layout, opened->backgroundFile};
    if (!CardDocument::SaveCardDocument(*card.panel, targetPath, companion, &error)) {
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
    else if (command == QLatin1String("render") && arguments.size() == 3)
        status = render(arguments.at(1), arguments.at(2), err);
    else if (command == QLatin1String("render") && arguments.size() == 5 && arguments.at(3) == QLatin1String("--dpi"))
        status = renderAtDpi(arguments.at(1), arguments.at(2), arguments.at(4), err);
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
