#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// `cmake --install` of the build into a temporary prefix: the programs, the
// art and the help, and the desktop entry, icons and document type where
// desktop environments look for them.
class TestInstall : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void programsArtAndHelp();
    void desktopEntryIsValidAndNamesTheProgram();
    void iconsInTheHicolorTheme();
    void cardDocumentsHaveTheirOwnType();

private:
    QString installed(const QString &relative) const { return m_prefix.filePath(relative); }
    QTemporaryDir m_prefix;
};

void TestInstall::initTestCase()
{
    QVERIFY(m_prefix.isValid());
    const QString build = qEnvironmentVariable("KARVELLO_BINARY_DIR");
    const QString cmake = QStandardPaths::findExecutable(QStringLiteral("cmake"));
    QVERIFY2(!cmake.isEmpty(), "cmake is not on the PATH");
    QProcess install;
    install.setProcessChannelMode(QProcess::MergedChannels);
    install.start(cmake, {QStringLiteral("--install"), build, QStringLiteral("--prefix"), m_prefix.path()});
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

QTEST_MAIN(TestInstall)
#include "tst_install.moc"
