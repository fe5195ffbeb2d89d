#include "app/ToolCard.h"

#include "app/CardClasses.h"
#include "app/ConsoleDialogs.h"
#include "app/ToolDataOptions.h"
#include "design/BackgroundArt.h"
#include "design/ComponentStreamer.h"
#include "platform/ScreenMetrics.h"
#include "richtext/TRichTextEngine.h"

#include <QFileInfo>

namespace ToolCommands {

namespace {
// Card documents hold screen pixels; the tool works at the common 96 per inch.
constexpr int kPixelsPerInch = 96;
} // namespace

ToolCard::ToolCard(QTextStream &err) : m_err(err)
{
    ScreenMetrics::setOverride(kPixelsPerInch);
    registerCardClasses();
    installComponentStreamer();
    m_previousDialogs = UserDialogs::install(std::make_unique<ConsoleDialogs>(err));
    panel = std::make_unique<TGBusinessCardPanel32>();
    panel->SetClipboardFileName(m_scratch.filePath(QStringLiteral("Clipbrd.tmp")));
    // Without a window the panel itself holds the rich-text engine.
    TRichTextEngine::CreateMaster(panel.get());
}

ToolCard::~ToolCard()
{
    panel.reset();
    UserDialogs::install(std::move(m_previousDialogs));
}

std::optional<CardDocument::Opened> ToolCard::open(const QString &path)
{
    if (!QFileInfo(path).isFile()) {
        m_err << "karvello-tool: " << path << ": no such file\n";
        return std::nullopt;
    }
    CardDocument::Opened opened = CardDocument::OpenCardDocument(*panel, path, SheetLayoutSetting());
    if (!opened.ok)
        return std::nullopt;
    if (!opened.backgroundFile.isEmpty() && !opened.backgroundLoaded)
        warnBackgroundNotLoaded(opened.backgroundFile);
    if (!ToolDataOptions::apply(*panel, m_err))
        return std::nullopt;
    return opened;
}

void ToolCard::warnBackgroundNotLoaded(const QString &fileName)
{
    m_err << "karvello-tool: warning: " << BackgroundArt::NotLoadedMessage(fileName) << '\n';
    m_err.flush();
}

} // namespace ToolCommands
