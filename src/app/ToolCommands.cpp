#include "app/ToolCommands.h"

#include "app/CardClasses.h"
#include "app/ConsoleDialogs.h"
#include "app/ToolPrintCommand.h"
#include "design/CardDocument.h"
#include "design/ComponentStreamer.h"
#include "design/Properties.h"
#include "design/TGBusinessCardPanel32.h"
#include "design/stream/ComponentStreamReader.h"
#include "design/stream/StreamError.h"
#include "platform/ScreenMetrics.h"

#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QTemporaryDir>

#include <memory>
#include <optional>

namespace ToolCommands {

namespace {

constexpr int kFailed = 1;
constexpr int kBadArguments = 2;
// Card documents hold screen pixels; the tool works at the common 96 per inch.
constexpr int kPixelsPerInch = 96;

// A card panel with the program's classes, whose messages go to `err` and
// whose clipboard file is private, so the tool never touches the clipboard
// of a running program.
class ToolCard
{
public:
    explicit ToolCard(QTextStream &err)
    {
        ScreenMetrics::setOverride(kPixelsPerInch);
        registerCardClasses();
        installComponentStreamer();
        m_previousDialogs = UserDialogs::install(std::make_unique<ConsoleDialogs>(err));
        panel = std::make_unique<TGBusinessCardPanel32>();
        panel->SetClipboardFileName(m_scratch.filePath(QStringLiteral("Clipbrd.tmp")));
    }
    ~ToolCard()
    {
        panel.reset();
        UserDialogs::install(std::move(m_previousDialogs));
    }

    std::optional<CardDocument::Opened> open(const QString &path, QTextStream &err)
    {
        if (!QFileInfo(path).isFile()) {
            err << "karvello-tool: " << path << ": no such file\n";
            return std::nullopt;
        }
        CardDocument::Opened opened = CardDocument::OpenCardDocument(*panel, path, SheetLayoutSetting());
        if (!opened.ok)
            return std::nullopt;
        return opened;
    }

    std::unique_ptr<TGBusinessCardPanel32> panel;

private:
    QTemporaryDir m_scratch;
    std::unique_ptr<UserDialogs> m_previousDialogs;
};

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
        "       karvello-tool render FILE.KVL OUT.png|OUT.bmp|OUT.jpg\n"
        "       karvello-tool resave IN.KVL OUT.KVL\n") + ToolPrintCommand::usage();
}

int info(const QString &path, QTextStream &out, QTextStream &err)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        err << "karvello-tool: " << path << ": " << file.errorString() << '\n';
        return kFailed;
    }
    try {
        const std::vector<StreamRecord> records = ComponentStreamReader::readContainer(file.readAll());
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

int render(const QString &path, const QString &imagePath, QTextStream &err)
{
    const QByteArray format = imageFormatFor(imagePath);
    if (format.isEmpty()) {
        err << "karvello-tool: " << imagePath << ": the picture must end in .png, .bmp or .jpg\n";
        return kBadArguments;
    }
    ToolCard card(err);
    if (!card.open(path, err))
        return kFailed;
    QImageWriter writer(imagePath, format);
    if (format == "jpg")
        writer.setQuality(100);
    if (!writer.write(card.panel->RenderToBitmap())) {
        err << "karvello-tool: " << imagePath << ": " << writer.errorString() << '\n';
        return kFailed;
    }
    return 0;
}

int resave(const QString &path, const QString &targetPath, QTextStream &err)
{
    ToolCard card(err);
    const std::optional<CardDocument::Opened> opened = card.open(path, err);
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

int run(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    const QString command = arguments.value(0);
    int status = kBadArguments;
    if (command == QLatin1String("info") && arguments.size() == 2)
        status = info(arguments.at(1), out, err);
    else if (command == QLatin1String("render") && arguments.size() == 3)
        status = render(arguments.at(1), arguments.at(2), err);
    else if (command == QLatin1String("resave") && arguments.size() == 3)
        status = resave(arguments.at(1), arguments.at(2), err);
    else if (command == QLatin1String("print"))
        status = ToolPrintCommand::run(arguments.mid(1), err);
    else
        err << usage();
    out.flush();
    err.flush();
    return status;
}

} // namespace ToolCommands
