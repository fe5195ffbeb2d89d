#include "platform/HelpTopics.h"

#include "platform/THelpWindow.h"

#include <QHash>

namespace {

const QString HelpFolder = QStringLiteral("qrc:/help/");

QHash<int, QString> &topics()
{
    // Topics that have their pages from the start; dialogs add theirs.
    static QHash<int, QString> table {
        {911, QStringLiteral("faq.html")},
        {1041, QStringLiteral("support.html")},
        {3101, QStringLiteral("layout.html")},
    };
    return table;
}

QUrl pageUrl(const QString &page)
{
    return QUrl(page.contains(QLatin1Char(':')) ? page : HelpFolder + page);
}

} // namespace

static void initResources()
{
    Q_INIT_RESOURCE(karvello);
}

void InitKarvelloResources()
{
    static const bool done = (initResources(), true);
    Q_UNUSED(done);
}

QUrl HelpContentsPage()
{
    return pageUrl(QStringLiteral("contents.html"));
}

QUrl HelpTopicPage(int topic)
{
    const auto it = topics().constFind(topic);
    return it == topics().constEnd() ? HelpContentsPage() : pageUrl(*it);
}

void RegisterHelpTopic(int topic, const QString &page)
{
    topics().insert(topic, page);
}

void HelpTopic(int topic)
{
    InitKarvelloResources();
    THelpWindow::instance().ShowPage(HelpTopicPage(topic));
}

void HelpContents()
{
    InitKarvelloResources();
    THelpWindow::instance().ShowPage(HelpContentsPage());
}
