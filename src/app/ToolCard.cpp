#include "app/ToolCard.h"

#include "app/CardClasses.h"
#include "app/ConsoleDialogs.h"
#include "app/ToolDataOptions.h"
#include "design/BackgroundArt.h"
#include "design/CardMerge.h"
#include "design/CardSides.h"
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
    back.reset();
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

bool ToolCard::openBack(const QString &frontPath, const CardDocument::Opened &front)
{
    back.reset();
    backBackground.clear();
    CardSides sides;
    QString error;
    if (!sides.OpenBack(frontPath, &error)) {
        m_err << CardDocument::UnableToOpenMessage(CardSides::FindBack(frontPath)) << " (" << error << ")\n";
        return false;
    }
    if (!sides.HasBack)
        return true;
    panel->SetPortrait(front.layout.Layout.Portrait);
    back = CardSides::MakePanel(nullptr, *panel, front.layout.Layout, sides.HiddenObjects,
                                sides.HiddenBackground, &error);
    if (!back) {
        m_err << CardDocument::UnableToOpenMessage(CardSides::FindBack(frontPath)) << " (" << error << ")\n";
        return false;
    }
    back->SetClipboardFileName(m_scratch.filePath(QStringLiteral("Clipbrd.tmp")));
    TRichTextEngine::CreateMaster(back.get());
    // A contact list fills the back as it fills the front.
    if (const CardMerge *merge = CardMerge::Find(panel.get()); merge && merge->Attached())
        CardMerge::Of(*back).Follow(*merge);
    if (!sides.HiddenBackground.isEmpty()) {
        if (back->HasColorPicture())
            backBackground = sides.HiddenBackground;
        else
            warnBackgroundNotLoaded(sides.HiddenBackground);
    }
    return true;
}

void ToolCard::warnBackgroundNotLoaded(const QString &fileName)
{
    m_err << "karvello-tool: warning: " << BackgroundArt::NotLoadedMessage(fileName) << '\n';
    m_err.flush();
}

} // namespace ToolCommands
