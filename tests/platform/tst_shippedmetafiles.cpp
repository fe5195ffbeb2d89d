#include "platform/ShippedArt.h"
// The metafile player arrives with the picture code; until it is built in,
// these cases say so and skip.
#if __has_include("platform/Metafile.h")
#define KARVELLO_HAVE_METAFILES 1
#include "platform/Metafile.h"
#include "platform/Picture.h"
#endif

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTest>

// The shipped clip art and background metafiles through the program's own
// player: each loads, and draws at a small and a large size inside the
// place it is given.
class TestShippedMetafiles : public QObject
{
    Q_OBJECT

private slots:
    void clipArtDrawsAtTwoSizes_data();
    void clipArtDrawsAtTwoSizes();
    void everyBackgroundLoadsAndCoversTheCard();

private:
    static QStringList files(const QString &folder, const QStringList &masks);
};

QStringList TestShippedMetafiles::files(const QString &folder, const QStringList &masks)
{
    QStringList result;
    const QDir dir(ShippedArtFolder() + QLatin1Char('/') + folder);
    for (const QString &name : dir.entryList(masks, QDir::Files, QDir::Name))
        result << dir.filePath(name);
    return result;
}

#ifdef KARVELLO_HAVE_METAFILES
namespace {

// The picture played into `target` on a white image with a white margin of
// `margin` pixels around it.
QImage played(const TMetafile &metafile, QSize target, int margin)
{
    QImage image(target + QSize(2 * margin, 2 * margin), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    metafile.Play(painter, QRectF(QPointF(margin, margin), QSizeF(target)));
    return image;
}

int inked(const QImage &image, const QRect &area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixel(x, y) != qRgb(255, 255, 255) ? 1 : 0;
    return count;
}

} // namespace
#endif

void TestShippedMetafiles::clipArtDrawsAtTwoSizes_data()
{
    QTest::addColumn<QString>("path");
    const QStringList pictures = files(QStringLiteral("clipart"), {"*.wmf", "*.emf"});
    QVERIFY(pictures.size() >= 30);
    for (const QString &path : pictures)
        QTest::newRow(qPrintable(QFileInfo(path).fileName())) << path;
}

void TestShippedMetafiles::clipArtDrawsAtTwoSizes()
{
#ifndef KARVELLO_HAVE_METAFILES
    QSKIP("the metafile player is not built in yet");
#else
    QFETCH(QString, path);
    QString error;
    const auto metafile = TMetafile::FromFile(path, &error);
    QVERIFY2(metafile, qPrintable(error));
    // One inch square, as made.
    QCOMPARE(metafile->SizeInches(), QSizeF(1.0, 1.0));
    for (int side : {24, 240}) {
        const int margin = 10;
        const QImage image = played(*metafile, QSize(side, side), margin);
        const QRect inside(margin, margin, side, side);
        // Something is drawn, not everything, and nothing outside its place.
        const int ink = inked(image, inside);
        QVERIFY2(ink > side * side / 50, qPrintable(QStringLiteral("%1 px at %2").arg(ink).arg(side)));
        QVERIFY(ink < side * side);
        QCOMPARE(inked(image, image.rect()), ink);
    }
#endif
}

void TestShippedMetafiles::everyBackgroundLoadsAndCoversTheCard()
{
#ifndef KARVELLO_HAVE_METAFILES
    QSKIP("the metafile player is not built in yet");
#else
    const QStringList backgrounds = files(QStringLiteral("bg"), {"*.wmf", "*.bmp"});
    QVERIFY(backgrounds.size() >= 16);
    for (const QString &path : backgrounds) {
        TPicture picture;
        QString error;
        QVERIFY2(picture.LoadFromFile(path, &error), qPrintable(path + ": " + error));
        if (!picture.IsMetafile())
            continue;
        // Made for a 3.5 x 2 inch card and drawn to its edges.
        QCOMPARE(picture.Metafile()->SizeInches(), QSizeF(3.5, 2.0));
        const QImage image = played(*picture.Metafile(), QSize(350, 200), 0);
        // A design, not a plain fill: more than one colour over the card.
        QSet<QRgb> colours;
        for (int y = 0; y < 200; y += 10)
            for (int x = 0; x < 350; x += 10)
                colours << image.pixel(x, y);
        QVERIFY2(colours.size() >= 2, qPrintable(path));
    }
#endif
}

QTEST_MAIN(TestShippedMetafiles)
#include "tst_shippedmetafiles.moc"
