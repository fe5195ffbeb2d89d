#include "app/TAboutBox.h"
#include "platform/HelpTopics.h"
#include "platform/THelpWindow.h"

#include <QFile>
#include <QLabel>
#include <QTest>
#include <QTextBrowser>

class TestHelp : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { InitKarvelloResources(); }
    void fixedTopicsHaveTheirOwnPages();
    void everyHelpPageLinksOnlyToPagesThatExist();
    void unknownTopicShowsContents();
    void registeredTopicOpensItsPage();
    void aboutBoxShowsVersionAndRealWordSize();
};

void TestHelp::fixedTopicsHaveTheirOwnPages()
{
    HelpTopic(1041);
    QCOMPARE(THelpWindow::existing()->CurrentPage(), QUrl("qrc:/help/support.html"));
    QCOMPARE(THelpWindow::existing()->CurrentTitle(), QStringLiteral("Technical support"));
    HelpTopic(911);
    QCOMPARE(THelpWindow::existing()->CurrentTitle(), QStringLiteral("Frequently asked questions"));
    HelpContents();
    QCOMPARE(THelpWindow::existing()->CurrentPage(), HelpContentsPage());
    QVERIFY(THelpWindow::existing()->windowTitle().startsWith("Karvello Help"));
}

void TestHelp::everyHelpPageLinksOnlyToPagesThatExist()
{
    const QStringList pages {"contents", "tools", "files", "layout", "faq", "support"};
    static const QRegularExpression link(QStringLiteral("href=\"([^\"#:]+)\""));
    for (const QString &page : pages) {
        QFile file(":/help/" + page + ".html");
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(page));
        const QString html = QString::fromUtf8(file.readAll());
        auto matches = link.globalMatch(html);
        while (matches.hasNext()) {
            const QString target = matches.next().captured(1);
            QVERIFY2(QFile::exists(":/help/" + target), qPrintable(page + " -> " + target));
        }
    }
}

void TestHelp::unknownTopicShowsContents()
{
    QCOMPARE(HelpTopicPage(424242), HelpContentsPage());
}

void TestHelp::registeredTopicOpensItsPage()
{
    RegisterHelpTopic(5001, "tools.html");
    QCOMPARE(HelpTopicPage(5001), QUrl("qrc:/help/tools.html"));
    RegisterHelpTopic(5002, "qrc:/help/files.html");
    HelpTopic(5002);
    QCOMPARE(THelpWindow::existing()->CurrentTitle(), QStringLiteral("Saving and opening"));
}

void TestHelp::aboutBoxShowsVersionAndRealWordSize()
{
    TAboutBox box;
    QCOMPARE(box.windowTitle(), QStringLiteral("About Karvello"));
    QCOMPARE(box.VersionLabel->text(), QStringLiteral("Version 3.3g"));
    QCOMPARE(box.BitsLabel->text(), QStringLiteral("%1-bit version").arg(QT_POINTER_SIZE * 8));
    QVERIFY(box.LinkPanel->text().contains(TAboutBox::WebSiteAddress()));
    QVERIFY(box.LinkPanel->text().contains(TAboutBox::BonusArtworkAddress()));
}

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
