#include <QDir>
#include <QImage>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

// `cmake --install` of the build under a temporary DESTDIR, as a package
// installs it into /usr: the programs, the art and the help, the desktop
// entry, icons, document type, metadata and manual pages where desktops and
// `man` look for them; and the installed karvello-tool run by a user whose
// home holds settings and art, as a packaged copy is run.
class TestInstall : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void programsArtAndHelp();
    void desktopEntryIsValidAndNamesTheProgram();
    void iconsInTheHicolorTheme();
    void cardDocumentsHaveTheirOwnType();
    void manualPagesMetadataAndPackageDocuments();
    void programsHoldNoSourceOrBuildPath();
    void installedToolUsesTheUsersProgramFolder();
    void installedToolWarnsOfAMissingBackground();

private:
    QString installed(const QString &relative) const
    {
        return m_destdir.filePath(QStringLiteral("usr/") + relative);
    }
    struct Run {
        int status = -1;
        QString err;
    };
    // Runs the installed karvello-tool as a user whose home is `home`.
    Run runTool(const QString &home, const QStringList &arguments) const;
    QTemporaryDir m_destdir;
};

void TestInstall::initTestCase()
{
    QVERIFY(m_destdir.isValid());
    const QString build = qEnvironmentVariable("KARVELLO_BINARY_DIR");
    const QString cmake = QStandardPaths::findExecutable(QStringLiteral("cmake"));
    QVERIFY2(!cmake.isEmpty(), "cmake is not on the PATH");
    QProcess install;
    install.setProcessChannelMode(QProcess::MergedChannels);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DESTDIR"), m_destdir.path());
    install.setProcessEnvironment(environment);
    install.start(cmake, {QStringLiteral("--install"), build, QStringLiteral("--prefix"), QStringLiteral("/usr")});
    QVERIFY(install.waitForFinished(120000));
    QVERIFY2(install.exitStatus() == QProcess::NormalExit && install.exitCode() == 0,
             install.readAll().constData());
}

void TestInstall::programsArtAndHelp()
{
    for (const char *program : {"bin/karvello", "bin/karvello-tool"}) {
        const QFileInfo info(installed(program));
        QVERIFY2(info.isFile() && info.isExecutable(), program);
    }
    const QDir art(installed("share/karvello/art"));
    QVERIFY(art.entryList({"*.KVLT"}, QDir::Files).isEmpty()); // in their sub-folders
    QVERIFY(QDir(art.filePath("kvlt")).entryList({"*.KVLT"}, QDir::Files).size() >= 24);
    QVERIFY(QDir(art.filePath("bg")).entryList(QDir::Files).size() >= 16);
    QVERIFY(QDir(art.filePath("bmbrush")).entryList(QDir::Files).size() >= 16);
    QVERIFY(QDir(art.filePath("clipart")).entryList(QDir::Files).size() >= 30);
    QVERIFY(QFileInfo::exists(installed("share/doc/karvello/help/contents.html")));
}

void TestInstall::desktopEntryIsValidAndNamesTheProgram()
{
    const QString entry = installed("share/applications/karvello.desktop");
    QVERIFY(QFileInfo::exists(entry));

    const QString validate = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    QVERIFY2(!validate.isEmpty(), "desktop-file-validate is missing (scripts/deps.sh test installs it)");
    QProcess check;
    check.setProcessChannelMode(QProcess::MergedChannels);
    check.start(validate, {entry});
    QVERIFY(check.waitForFinished(30000));
    const QByteArray output = check.readAll();
    QVERIFY2(check.exitCode() == 0 && !output.contains("error"), output.constData());

    QSettings desktop(entry, QSettings::IniFormat);
    desktop.beginGroup(QStringLiteral("Desktop Entry"));
    // The file manager hands over one file; the program is found on the PATH.
    QCOMPARE(desktop.value("Exec").toString(), QStringLiteral("karvello %f"));
    QCOMPARE(desktop.value("Icon").toString(), QStringLiteral("karvello"));
    QVERIFY(desktop.value("MimeType").toString().contains("application/x-karvello-card"));
}

void TestInstall::iconsInTheHicolorTheme()
{
    QVERIFY(QFileInfo::exists(installed("share/icons/hicolor/scalable/apps/karvello.svg")));
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString path = installed(QStringLiteral("share/icons/hicolor/%1x%1/apps/karvello.png").arg(size));
        const QImage icon(path);
        QVERIFY2(!icon.isNull(), qPrintable(path));
        QCOMPARE(icon.size(), QSize(size, size));
    }
}

void TestInstall::cardDocumentsHaveTheirOwnType()
{
    QFile xml(installed("share/mime/packages/karvello.xml"));
    QVERIFY(xml.open(QIODevice::ReadOnly));
    // Qt reads the shared MIME package sources of every data folder.
    qputenv("XDG_DATA_DIRS", QFile::encodeName(installed("share")) + ":/usr/share");
    const QMimeDatabase types;
    for (const char *name : {"card.kvl", "CARD.KVL", "Card.Kvl"}) {
        QCOMPARE(types.mimeTypeForFile(QString::fromLatin1(name), QMimeDatabase::MatchExtension).name(),
                 QStringLiteral("application/x-karvello-card"));
    }
    QCOMPARE(types.mimeTypeForFile(QStringLiteral("Modern.KVLT"), QMimeDatabase::MatchExtension).name(),
             QStringLiteral("application/x-karvello-template"));
}

void TestInstall::manualPagesMetadataAndPackageDocuments()
{
    for (const char *page : {"share/man/man1/karvello.1.gz", "share/man/man1/karvello-tool.1.gz"})
        QVERIFY2(QFileInfo(installed(page)).size() > 500, page);
    QVERIFY(QFileInfo(installed("share/doc/karvello/changelog.gz")).size() > 100);
    QFile copyright(installed("share/doc/karvello/copyright"));
    QVERIFY(copyright.open(QIODevice::ReadOnly));
    QVERIFY(copyright.readLine().startsWith("Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/"));

    // Software centres find the program through the metadata's desktop entry.
    QFile metadata(installed("share/metainfo/org.example.Karvello.metainfo.xml"));
    QVERIFY(metadata.open(QIODevice::ReadOnly));
    QStringList elements;
    QString id, launchable;
    QXmlStreamReader xml(&metadata);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        elements << xml.name().toString();
        if (xml.name() == QLatin1String("id"))
            id = xml.readElementText();
        else if (xml.name() == QLatin1String("launchable"))
            launchable = xml.readElementText();
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(id, QStringLiteral("org.example.Karvello"));
    QVERIFY(QFileInfo::exists(installed("share/applications/" + launchable)));
    for (const char *needed : {"description", "caption", "content_rating", "release"})
        QVERIFY2(elements.contains(needed), needed);

    // One main category, so menus put the program in one place.
    // (Read by hand: QSettings takes ";" for the start of a comment.)
    QFile entry(installed("share/applications/karvello.desktop"));
    QVERIFY(entry.open(QIODevice::ReadOnly | QIODevice::Text));
    QStringList categories;
    while (!entry.atEnd()) {
        const QString line = QString::fromUtf8(entry.readLine()).trimmed();
        if (line.startsWith(QLatin1String("Categories=")))
            categories = line.mid(11).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    }
    QVERIFY(!categories.isEmpty());
    const QStringList mainCategories{"AudioVideo", "Audio", "Video", "Development", "Education", "Game",
                                     "Graphics", "Network", "Office", "Science", "Settings", "System",
                                     "Utility"};
    QCOMPARE(std::count_if(categories.begin(), categories.end(),
                           [&](const QString &c) { return mainCategories.contains(c); }),
             1);
}

void TestInstall::programsHoldNoSourceOrBuildPath()
{
    // A program away from its build finds its art under its prefix only.
    const QByteArray source = QFile::encodeName(qEnvironmentVariable("KARVELLO_TEST_SOURCE_DIR"));
    const QByteArray build = QFile::encodeName(qEnvironmentVariable("KARVELLO_BINARY_DIR"));
    QVERIFY(!source.isEmpty() && !build.isEmpty());
    for (const char *program : {"bin/karvello", "bin/karvello-tool"}) {
        QFile file(installed(program));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY2(!bytes.contains(source), program);
        QVERIFY2(!bytes.contains(build), program);
    }
}

TestInstall::Run TestInstall::runTool(const QString &home, const QStringList &arguments) const
{
    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home);
    environment.remove(QStringLiteral("XDG_DATA_HOME"));
    environment.remove(QStringLiteral("XDG_CONFIG_HOME"));
    tool.setProcessEnvironment(environment);
    tool.start(installed("bin/karvello-tool"), arguments);
    Run run;
    if (!tool.waitForFinished(60000))
        return run;
    run.status = tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
    run.err = QString::fromLocal8Bit(tool.readAllStandardError());
    return run;
}

namespace {

// A copy of a shipped template that names `background` instead of its own.
QByteArray templateNaming(const QString &shipped, const QByteArray &background)
{
    QFile file(shipped);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    QByteArray text = file.readAll();
    const int at = text.indexOf("Background File=");
    const int end = text.indexOf('\n', at);
    if (at < 0 || end < 0)
        return QByteArray();
    return text.left(at) + "Background File=" + background + "\r" + text.mid(end);
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

void TestInstall::installedToolUsesTheUsersProgramFolder()
{
    QTemporaryDir home;
    const QDir programFolder(home.filePath(".local/share/Karvello"));
    QVERIFY(writeFile(programFolder.filePath("kvl.ini"),
                      "[Personal]\r\nName=Jane Example\r\nCompany=Example Printing\r\n"));
    QImage sky(70, 40, QImage::Format_RGB32);
    sky.fill(QColor(200, 30, 40));
    QVERIFY(programFolder.mkpath("bg"));
    QVERIFY(sky.save(programFolder.filePath("bg/Mine.bmp"), "BMP"));
    const qint64 mineSize = QFileInfo(programFolder.filePath("bg/Mine.bmp")).size();
    const QString shipped = installed("share/karvello/art/kvlt/Bold Charcoal.KVLT");
    const QString mine = home.filePath("Mine.KVLT");
    QVERIFY(writeFile(mine, templateNaming(shipped, "Mine.bmp")));

    const QString card = home.filePath("card.KVL");
    Run run = runTool(home.path(), {"template", mine, card});
    QCOMPARE(run.status, 0);
    QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
    const QString picture = home.filePath("card.png");
    run = runTool(home.path(), {"render", card, picture});
    QCOMPARE(run.status, 0);
    const QImage drawn(picture);
    QVERIFY(!drawn.isNull());
    QCOMPARE(drawn.pixelColor(2, 2), QColor(200, 30, 40)); // the user's own background

    QProcess info;
    info.start(installed("bin/karvello-tool"), {"info", card});
    QVERIFY(info.waitForFinished(60000));
    const QByteArray objects = info.readAllStandardOutput();
    QVERIFY2(objects.contains("Jane Example") && objects.contains("Example Printing"), objects.constData());
    QVERIFY(!objects.contains("Your Own Name"));

    // A shipped template finds its shipped background, copied into the
    // user's folder; nothing is written beside the installed programs.
    const QString shippedCard = home.filePath("shipped.KVL");
    run = runTool(home.path(), {"template", shipped, shippedCard});
    QCOMPARE(run.status, 0);
    QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
    QVERIFY(QFileInfo(programFolder.filePath("bg/Charcoal.wmf")).isFile());
    QCOMPARE(QFileInfo(programFolder.filePath("bg/Mine.bmp")).size(), mineSize);
    QCOMPARE(QDir(installed("bin")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             (QStringList{"karvello", "karvello-tool"}));
}

void TestInstall::installedToolWarnsOfAMissingBackground()
{
    QTemporaryDir home;
    const QString mine = home.filePath("Gone.KVLT");
    QVERIFY(writeFile(mine, templateNaming(installed("share/karvello/art/kvlt/Bold Charcoal.KVLT"), "Gone.bmp")));
    const QString card = home.filePath("card.KVL");
    Run run = runTool(home.path(), {"template", mine, card});
    QCOMPARE(run.status, 0); // the card is made, without a background
    QVERIFY2(run.err.contains("warning") && run.err.contains("Gone.bmp") && run.err.contains("cannot be found"),
             qPrintable(run.err));
    // Every later use of the card says so too.
    run = runTool(home.path(), {"render", card, home.filePath("card.png")});
    QCOMPARE(run.status, 0);
    QVERIFY2(run.err.contains("warning") && run.err.contains("Gone.bmp"), qPrintable(run.err));
}

QTEST_MAIN(TestInstall)
#include "tst_install.moc"
