#include "platform/CaseInsensitivePath.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestCaseInsensitivePath : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString make(const QString &relative)
    {
        const QString path = m_dir.filePath(relative);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        return path;
    }

private slots:
    void init()
    {
        QDir(m_dir.path()).removeRecursively();
        QDir().mkpath(m_dir.path());
    }

    void entryIsFoundWhateverItsLetterCase()
    {
        const QString card = make("Card.KVE");
        QCOMPARE(CaseInsensitivePath::findEntry(m_dir.path(), "card.kve"), card);
        QCOMPARE(CaseInsensitivePath::findEntry(m_dir.path(), "CARD.KVE"), card);
        QCOMPARE(CaseInsensitivePath::findEntry(m_dir.path(), "card.kvl"), QString());
        QCOMPARE(CaseInsensitivePath::findEntry(m_dir.path(), QString()), QString());
    }

    void exactSpellingWinsOverOtherCasings()
    {
        make("kvl.ini");
        const QString upper = make("KVL.INI");
        QCOMPARE(CaseInsensitivePath::findEntry(m_dir.path(), "KVL.INI"), upper);
    }

    void pathsAreMatchedPartByPart()
    {
        const QString sky = make("BG/Sky.JPG");
        QCOMPARE(CaseInsensitivePath::findPath(m_dir.path(), "bg/sky.jpg"), sky);
        QCOMPARE(CaseInsensitivePath::findPath(m_dir.path(), "bg\\SKY.jpg"), sky);
        QCOMPARE(CaseInsensitivePath::findPath(m_dir.path(), "bg/sea.jpg"), QString());
        QCOMPARE(CaseInsensitivePath::findExisting(m_dir.filePath("bg/sky.jpg")), sky);
        QCOMPARE(CaseInsensitivePath::findExisting(m_dir.filePath("nowhere/sky.jpg")), QString());
    }

    void newFilesGoBesideExistingFolders()
    {
        make("Saved/old.kvl");
        QCOMPARE(CaseInsensitivePath::resolve(m_dir.path(), "saved/new.kvl"),
                 m_dir.filePath("Saved/new.kvl"));
        QCOMPARE(CaseInsensitivePath::resolve(m_dir.path(), "kvlt/a/b.kvlt"),
                 m_dir.filePath("kvlt/a/b.kvlt"));
    }
};

QTEST_GUILESS_MAIN(TestCaseInsensitivePath)
#include "tst_caseinsensitivepath.moc"
