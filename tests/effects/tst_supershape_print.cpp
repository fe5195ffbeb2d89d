// A multi-purpose shape on paper: shadow, clipped surface and outline, a
// gradient drawn at the printer's resolution and tiles without seams.
#include "design/TGBusinessCardPanel32.h"
#include "effects/TSuperShape.h"
#include "platform/ScreenMetrics.h"
#include "report/ImageTarget.h"
#include "report/PdfTarget.h"
#include "report/TReport.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

TSuperShape *addSuperShape(TGBusinessCardPanel32 &panel, QRect r)
{
    auto *s = new TSuperShape(&panel);
    s->Loaded();
    panel.PlaceObject(s, r);
    return s;
}

bool printCard(TGBusinessCardPanel32 &panel, TReport &job)
{
    job.onPrint = [&panel](TReport &j) { panel.PrintAll(j, 1.0, 1.0); };
    return job.run();
}

QImage plain(QSize size, QColor color)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

// Renders part of a PDF page at `dpi` through pdftoppm (a whole page at
// 600 dpi is larger than Qt reads by default).
QImage renderPdf(const QString &pdf, int dpi, const QRect &crop, const QTemporaryDir &dir,
                 const QString &tool = QStringLiteral("pdftoppm"))
{
    const QString pdftoppm = QStandardPaths::findExecutable(tool);
    if (pdftoppm.isEmpty())
        return QImage();
    QProcess render;
    render.start(pdftoppm, {"-r", QString::number(dpi), "-x", QString::number(crop.x()), "-y",
                            QString::number(crop.y()), "-W", QString::number(crop.width()), "-H",
                            QString::number(crop.height()), "-png", "-singlefile", pdf, dir.filePath("page")});
    if (!render.waitForFinished(120000) || render.exitCode() != 0) {
        qWarning() << "pdftoppm:" << render.readAllStandardError();
        return QImage();
    }
    return QImage(dir.filePath("page.png")).convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestSuperShapePrint : public QObject
{
    Q_OBJECT
private slots:
    void init() { ScreenMetrics::setOverride(96); }

    void shadowSurfaceAndOutlineLandInPlace()
    {
        constexpr int Dpi = 300;
        TGBusinessCardPanel32 panel;
        panel.resize(336, 192);
        TSuperShape *s = addSuperShape(panel, QRect(96, 48, 96, 96)); // one inch, from (1, 0.5) inch on the card
        s->SetShape(gstEllipse);
        s->SetSurfaceType(TSuperShape::stBrushPattern);
        s->SetBackColor(clLime);
        s->SetShadowOrient(soLowerRight);
        s->SetShadowDepth(6);
        s->SetShadowColor(clGray);
        s->SetOutlineColor(clBlue);
        s->SetOutlineWidth(2);
        TReport job(std::make_unique<ImageTarget>(SimulatedDevice(Dpi, Dpi)));
        QVERIFY(printCard(panel, job));
        const QImage page = job.targetAs<ImageTarget>()->pages().first();
        const QPoint corner = job.toDevice(2.0, 1.5); // the object's top-left on the page
        // Shape rectangle (1, 1, 91, 91) px: the centre is the surface colour.
        const QPoint centre = corner + QPoint(46 * Dpi / 96, 46 * Dpi / 96);
        QCOMPARE(page.pixelColor(centre), QColor(Qt::green));
        // The ellipse clips the surface: the object's corner stays white.
        QCOMPARE(page.pixelColor(corner + QPoint(8, 8)), QColor(Qt::white));
        // The shadow shows beyond the shape towards the lower right.
        const QPoint shadow = corner + QPoint(90 * Dpi / 96, 62 * Dpi / 96);
        QCOMPARE(page.pixelColor(shadow), QColor(128, 128, 128));
        // The outline pen is 2 hundredths of an inch (6 pixels at 300 dpi) and blue.
        const int left = job.toDeviceX(2.0 + 1 / 96.0);
        int blue = 0;
        for (int x = left - 6; x < left + 10; ++x)
            blue += page.pixelColor(x, centre.y()) == QColor(Qt::blue);
        QVERIFY2(blue >= 5 && blue <= 7, qPrintable(QString::number(blue)));
    }

    void emptyTexturePrintsOnlyTheOutline()
    {
        TGBusinessCardPanel32 panel;
        panel.resize(336, 192);
        TSuperShape *s = addSuperShape(panel, QRect(0, 0, 96, 96));
        s->SetShape(gstRectangle);
        s->SetSurfaceType(TSuperShape::stBrushImage);
        s->SetForeColor(clRed); // laid under a texture; with no texture nothing shows
        TReport job(std::make_unique<ImageTarget>(SimulatedDevice(150, 150)));
        QVERIFY(printCard(panel, job));
        const QImage page = job.targetAs<ImageTarget>()->pages().first();
        QCOMPARE(page.pixelColor(job.toDevice(1.5, 1.5)), QColor(Qt::white));
        QCOMPARE(page.pixelColor(job.toDevice(1.0, 1.5)), QColor(Qt::black));
    }

    void starIsPrintedAsAPolygonOfPrinterPoints()
    {
        TGBusinessCardPanel32 panel;
        panel.resize(336, 192);
        TSuperShape *s = addSuperShape(panel, QRect(0, 0, 100, 100));
        s->SetSurfaceType(TSuperShape::stBrushPattern);
        TReport job(std::make_unique<ImageTarget>(SimulatedDevice(192, 192)));
        QVERIFY(printCard(panel, job));
        const QImage page = job.targetAs<ImageTarget>()->pages().first();
        // Twice the screen: vertex 0 at (50, 4) px lands at (100, 8) printer pixels from the card's corner.
        const QPoint card = job.toDevice(1.0, 1.0);
        QCOMPARE(page.pixelColor(card + QPoint(100, 12)), QColor(Qt::red));
        QCOMPARE(page.pixelColor(card + QPoint(100, 4)), QColor(Qt::white));
        QCOMPARE(page.pixelColor(card + QPoint(40, 30)), QColor(Qt::white)); // between two points
        QCOMPARE(page.pixelColor(card + QPoint(100, 100)), QColor(Qt::red));
    }

    void pdfAt600DpiHasASmoothGradientAndSeamlessTiles()
    {
        TGBusinessCardPanel32 panel;
        panel.resize(336, 192);
        TSuperShape *gradient = addSuperShape(panel, QRect(0, 0, 192, 48)); // 2 x 0.5 inch
        gradient->SetShape(gstRectangle);
        gradient->SetOutlineStyle(psClear);
        gradient->SetBackColor(clBlack);
        gradient->SetGradientToColor(clWhite);
        gradient->SetFillDirection(gdRight);
        TSuperShape *tiled = addSuperShape(panel, QRect(0, 96, 192, 72));
        tiled->SetShape(gstRectangle);
        tiled->SetOutlineStyle(psClear);
        tiled->SetSurfaceType(TSuperShape::stBrushImage);
        tiled->SetImage(plain({7, 5}, QColor(0, 0, 160))); // odd sizes: tiles end between printer pixels

        QTemporaryDir dir;
        const QString pdf = dir.filePath("card.pdf");
        TReport job(std::make_unique<PdfTarget>(pdf, 600));
        QVERIFY(printCard(panel, job));
        if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
            QSKIP("pdftoppm is not installed, so the PDF cannot be rendered");
        // The card from (1, 1) inch: the gradient at the top, the tiles an inch lower.
        const QImage page = renderPdf(pdf, 600, QRect(600, 600, 1200, 1100), dir);
        QVERIFY(!page.isNull());

        // Gradient: 2 inches = 1200 printer pixels in 256 bands, so no band is
        // wider than 5 pixels and the grey never falls.
        const int y = 150;
        int run = 1, longest = 1;
        for (int x = 1; x < 1200; ++x) {
            const int g = qGray(page.pixel(x, y));
            const int before = qGray(page.pixel(x - 1, y));
            QVERIFY2(g >= before - 1, qPrintable(QString("x %1: %2 after %3").arg(x).arg(g).arg(before)));
            run = std::abs(g - before) <= 0 ? run + 1 : 1;
            longest = std::max(longest, run);
        }
        QVERIFY2(longest <= 6, qPrintable(QString("widest band %1 pixels").arg(longest)));
        QVERIFY(qGray(page.pixel(2, y)) < 8);
        QVERIFY(qGray(page.pixel(1196, y)) > 245);

        // Tiles: every pixel inside the textured shape has the texture's colour,
        // also when a viewer shows the page at a scale where tile edges fall
        // between its pixels.
        for (const int dpi : {600, 437}) {
            const double f = dpi / 600.0;
            const QImage view = renderPdf(pdf, dpi, QRect(int(600 * f), int(1200 * f), int(1200 * f), int(450 * f)),
                                          dir, "pdftocairo");
            QVERIFY(!view.isNull());
            int seams = 0;
            for (int ty = 3; ty < view.height() - 3; ++ty)
                for (int tx = 3; tx < view.width() - 3; ++tx) {
                    const QRgb p = view.pixel(tx, ty);
                    seams += std::abs(qBlue(p) - 160) > 24 || qRed(p) > 24 || qGreen(p) > 24;
                }
            QVERIFY2(seams == 0, qPrintable(QString("%1 pixels of seams at %2 dpi").arg(seams).arg(dpi)));
        }
    }
};

QTEST_MAIN(TestSuperShapePrint)
#include "tst_supershape_print.moc"
