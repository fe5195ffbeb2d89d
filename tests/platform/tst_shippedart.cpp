#include "platform/AppRoutines.h"
#include "platform/PictureFiles.h"
#include "platform/ShippedArt.h"
#include "support/TempProgramFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

// The art that comes with the program: where it is found, how it reaches
// the program folder, and whether the bitmaps are what they claim to be.
class TestShippedArt : public QObject
{
    Q_OBJECT

private slots:
    void shippedSetIsCompleteAndSmall();
    void installCopiesOnlyWhatIsMissing();
    void installWithoutArtDoesNothing();
    void bitmapsLoadAtTheirSizes();
    void texturesTileWithoutSeams();

private:
    static QStringList files(const QString &folder, const QStringList &masks);
    static bool write(const QString &path, const QByteArray &bytes);
};

QStringList TestShippedArt::files(const QString &folder, const QStringList &masks)
{
    QStringList result;
    const QDir dir(ShippedArtFolder() + QLatin1Char('/') + folder);
    for (const QString &name : dir.entryList(masks, QDir::Files, QDir::Name))
        result << dir.filePath(name);
    return result;
}

bool TestShippedArt::write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

void TestShippedArt::shippedSetIsCompleteAndSmall()
{
    QVERIFY2(!ShippedArtFolder().isEmpty(), "no shipped art beside the program or in the source tree");
    QVERIFY(files("kvlt", {"*.KVLT"}).size() >= 24);
    QVERIFY(files("bg", {"*.wmf", "*.bmp"}).size() >= 16);
    QVERIFY(files("bmbrush", {"*.bmp", "*.jpg"}).size() >= 16);
    QVERIFY(files("clipart", {"*.wmf", "*.emf"}).size() >= 30);
    // The background dialog lists only bitmaps and metafiles.
    QCOMPARE(files("bg", {"*"}).size(), files("bg", {"*.wmf", "*.bmp"}).size());

    qint64 total = 0;
    QDirIterator it(ShippedArtFolder(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        total += it.fileInfo().size();
    }
    QVERIFY2(total < 15 * 1024 * 1024, qPrintable(QString::number(total)));
}

void TestShippedArt::installCopiesOnlyWhatIsMissing()
{
    QTemporaryDir art;
    QVERIFY(art.isValid());
    QVERIFY(write(art.filePath("kvlt/Plain.KVLT"), "[Name]\nLeft=1\n"));
    QVERIFY(write(art.filePath("kvlt/Other.KVLT"), "[Company]\nLeft=2\n"));
    QVERIFY(write(art.filePath("bg/Sky.wmf"), "shipped sky"));
    QVERIFY(write(art.filePath("clipart/Phone.wmf"), "shipped phone"));
    // Installed art is read-only; the copies must not be.
    QFile::setPermissions(art.filePath("bg/Sky.wmf"), QFileDevice::ReadOwner);

    TempProgramFolder program;
    QVERIFY(program.isValid());
    // The user's own template under other letter cases, folder and file.
    QVERIFY(program.writeFile("KVLT/plain.kvlt", "mine"));

    QCOMPARE(InstallShippedArt(art.path()), 3);
    QCOMPARE(program.readFile("KVLT/plain.kvlt"), QByteArray("mine"));
    QVERIFY(!QFileInfo::exists(program.filePath("kvlt/Plain.KVLT")));
    QVERIFY(!QFileInfo::exists(program.filePath("KVLT/Plain.KVLT")));
    QCOMPARE(program.readFile("KVLT/Other.KVLT"), QByteArray("[Company]\nLeft=2\n"));
    QCOMPARE(program.readFile("bg/Sky.wmf"), QByteArray("shipped sky"));
    QCOMPARE(program.readFile("clipart/Phone.wmf"), QByteArray("shipped phone"));
    QVERIFY(QFileInfo(program.filePath("bg/Sky.wmf")).isWritable());

    // A changed copy stays as the user left it; a deleted one comes back.
    QVERIFY(program.writeFile("bg/Sky.wmf", "edited"));
    QVERIFY(QFile::remove(program.filePath("clipart/Phone.wmf")));
    QCOMPARE(InstallShippedArt(art.path()), 1);
    QCOMPARE(program.readFile("bg/Sky.wmf"), QByteArray("edited"));
    QCOMPARE(program.readFile("clipart/Phone.wmf"), QByteArray("shipped phone"));
    QCOMPARE(InstallShippedArt(art.path()), 0);
}

void TestShippedArt::installWithoutArtDoesNothing()
{
    TempProgramFolder program;
    QCOMPARE(InstallShippedArt(QString()), 0);
    QCOMPARE(InstallShippedArt(program.filePath("no-such-folder")), 0);
    QVERIFY(QDir(program.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}

void TestShippedArt::bitmapsLoadAtTheirSizes()
{
    for (const QString &path : files("bg", {"*.bmp"})) {
        QString error;
        const QImage image = LoadPictureFile(path, &error);
        QVERIFY2(!image.isNull(), qPrintable(path + ": " + error));
        // A 3.5 x 2 inch card at 150 dots per inch or more.
        QVERIFY2(image.width() >= 525 && image.height() >= 300, qPrintable(path));
        QCOMPARE(image.width() * 2, image.height() * 7 / 2);
    }
    const QStringList textures = files("bmbrush", {"*.bmp", "*.jpg"});
    QVERIFY(!textures.isEmpty());
    for (const QString &path : textures) {
        QString error;
        const QImage image = LoadPictureFile(path, &error);
        QVERIFY2(!image.isNull(), qPrintable(path + ": " + error));
        QVERIFY2(image.width() >= 64 && image.height() >= 64, qPrintable(path));
    }
}

namespace {

int difference(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
}

// The mean colour step between column (or row) `a` and `b`.
double step(const QImage &image, int a, int b, bool columns)
{
    const int n = columns ? image.height() : image.width();
    double total = 0;
    for (int i = 0; i < n; ++i)
        total += columns ? difference(image.pixel(a, i), image.pixel(b, i))
                         : difference(image.pixel(i, a), image.pixel(i, b));
    return total / n;
}

} // namespace

void TestShippedArt::texturesTileWithoutSeams()
{
    // Where one tile meets the next, the colours step no more than they do
    // between neighbouring columns and rows inside the tile.
    for (const QString &path : files("bmbrush", {"*.bmp", "*.jpg"})) {
        const QImage image = LoadPictureFile(path).convertToFormat(QImage::Format_RGB32);
        QVERIFY(!image.isNull());
        for (bool columns : {true, false}) {
            const int size = columns ? image.width() : image.height();
            double inside = 0;
            for (int k = 0; k + 1 < size; ++k)
                inside += step(image, k, k + 1, columns);
            inside /= size - 1;
            const double seam = step(image, size - 1, 0, columns);
            QVERIFY2(seam <= inside * 1.6 + 3,
                     qPrintable(QStringLiteral("%1: seam %2, inside %3").arg(path).arg(seam).arg(inside)));
        }
    }
}

QTEST_MAIN(TestShippedArt)
#include "tst_shippedart.moc"
