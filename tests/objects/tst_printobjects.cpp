#include "design/TGBusinessCardPanel32.h"
#include "objects/TBCShapes.h"
#include "objects/TGBusinessCardLabel.h"
#include "objects/TGLineShape.h"
#include "platform/ScreenMetrics.h"
#include "report/ImageTarget.h"
#include "report/PdfTarget.h"
#include "report/TReport.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int Dpi = 150;

// Prints the card at (1, 1) inch on a Letter page through `job`.
bool printCard(TGBusinessCardPanel32 &panel, TReport &job)
{
    job.onPrint = [&panel](TReport &j) { panel.PrintAll(j, 1.0, 1.0); };
    return job.run();
}

int darkPixels(const QImage &image, const QRect &area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += qGray(image.pixel(x, y)) < 128;
    return count;
}

} // namespace

class TestPrintObjects : public QObject
{
    Q_OBJECT
private slots:
    void init() { ScreenMetrics::setOverride(96); }
    void shapeOutlineBecomesHundredthsOfAnInch();
    void lineWidthIsPassedAsHundredths();
    void shapesLandAtTheirInchPositions();
    void roundedShapesCutTheirCorners();
    void pdfAndImageLookTheSame();
};

void TestPrintObjects::shapeOutlineBecomesHundredthsOfAnInch()
{
    TGBusinessCardPanel32 panel;
    auto *shape = new TBCShapes(&panel);
    panel.AddObject(shape);
    shape->SetBounds(10, 10, 96, 48);
    shape->SetPen(TPen{clBlack, 3, psSolid, pmCopy});
    TReport job(std::make_unique<ImageTarget>(SimulatedDevice(600, 600)));
    job.onPrint = [&](TReport &j) {
        shape->PrintTo(j, 0, 0);
        QCOMPARE(j.pen().width, -3); // Trunc(3 / 96 x 100) = Trunc(3.125)
    };
    QVERIFY(job.run());
}

void TestPrintObjects::lineWidthIsPassedAsHundredths()
{
    ScreenMetrics::setOverride(120);
    TGBusinessCardPanel32 panel;
    auto *line = new TGLineShape(&panel);
    panel.AddObject(line);
    line->SetBounds(0, 0, 120, 10);
    line->SetPen(TPen{clBlack, 3, psSolid, pmXor});
    TReport job(std::make_unique<ImageTarget>(SimulatedDevice(Dpi, Dpi)));
    job.onPrint = [&](TReport &j) {
        line->PrintTo(j, 1, 1);
        QCOMPARE(j.pen().width, -3); // unconverted, whatever the screen
        QCOMPARE(j.pen().mode, pmCopy);
    };
    QVERIFY(job.run());
    const QImage page = job.targetAs<ImageTarget>()->pages().first();
    // 3 hundredths at 150 dpi: 4.5 pixels, a line from x = 1 to 2 inches at y = 1 + 1/120.
    const int y = int((1 + 1.0 / 120) * Dpi);
    QVERIFY(darkPixels(page, QRect(Dpi + 5, y - 4, Dpi - 10, 9)) >= (Dpi - 10) * 4);
    QCOMPARE(darkPixels(page, QRect(Dpi * 2 + 3, y - 4, 20, 9)), 0);
}

void TestPrintObjects::shapesLandAtTheirInchPositions()
{
    TGBusinessCardPanel32 panel;
    auto *shape = new TBCShapes(&panel);
    panel.AddObject(shape);
    shape->SetBounds(48, 24, 96, 96); // 0.5, 0.25 inch; one inch square
    shape->SetPen(TPen{clBlack, 1, psClear, pmCopy});
    shape->SetBrush(TBrush{clBlack, bsSolid, {}});
    TReport job(std::make_unique<ImageTarget>(SimulatedDevice(Dpi, Dpi)));
    QVERIFY(printCard(panel, job));
    const QImage page = job.targetAs<ImageTarget>()->pages().first();
    // 1.5 and 1.25 inches: device pixels 225 and 187.5, rounded half to even.
    const QRect inch(225, 188, Dpi, Dpi);
    QCOMPARE(darkPixels(page, inch), Dpi * Dpi);
    QCOMPARE(darkPixels(page, inch.adjusted(-2, -2, 2, 2)), Dpi * Dpi);
}

void TestPrintObjects::roundedShapesCutTheirCorners()
{
    TGBusinessCardPanel32 panel;
    auto *shape = new TBCShapes(&panel);
    panel.AddObject(shape);
    shape->SetShape(stRoundRect);
    shape->SetRoundPerc(50);
    shape->SetBounds(0, 0, 192, 96);
    shape->SetPen(TPen{clBlack, 1, psClear, pmCopy});
    shape->SetBrush(TBrush{clBlack, bsSolid, {}});
    TReport job(std::make_unique<ImageTarget>(SimulatedDevice(Dpi, Dpi)));
    QVERIFY(printCard(panel, job));
    const QImage page = job.targetAs<ImageTarget>()->pages().first();
    // Corner ellipse 1 x 1 inch (50 % of the height): the corner pixel is blank, the middle is filled.
    QCOMPARE(darkPixels(page, QRect(Dpi + 2, Dpi + 2, 10, 10)), 0);
    QVERIFY(darkPixels(page, QRect(2 * Dpi - 5, Dpi + 70, 10, 10)) == 100);
}

void TestPrintObjects::pdfAndImageLookTheSame()
{
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (pdftoppm.isEmpty())
        QSKIP("pdftoppm is not installed, so the PDF cannot be rendered");
    TGBusinessCardPanel32 panel;
    panel.resize(336, 192);
    auto *shape = new TBCShapes(&panel);
    panel.AddObject(shape);
    shape->SetBounds(20, 20, 150, 80);
    shape->SetPen(TPen{clBlack, 2, psSolid, pmCopy});
    shape->SetBrush(TBrush{clBlue, bsSolid, {}});
    auto *line = new TGLineShape(&panel);
    panel.AddObject(line);
    line->SetBounds(20, 140, 280, 4);
    line->SetPen(TPen{clRed, 4, psSolid, pmCopy});
    auto *label = new TGBusinessCardLabel(&panel);
    panel.AddObject(label);
    label->SetCaption(QStringLiteral("Karvello Cards"));
    label->SetBounds(190, 30, 130, 30);

    TReport imageJob(std::make_unique<ImageTarget>(SimulatedDevice(Dpi, Dpi)));
    QVERIFY(printCard(panel, imageJob));
    const QImage image = imageJob.targetAs<ImageTarget>()->pages().first().convertToFormat(QImage::Format_RGB32);

    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("card.pdf"));
    TReport pdfJob(std::make_unique<PdfTarget>(pdf, 600));
    QVERIFY(printCard(panel, pdfJob));
    QProcess render;
    render.start(pdftoppm, {QStringLiteral("-r"), QString::number(Dpi), QStringLiteral("-png"),
                            QStringLiteral("-singlefile"), pdf, dir.filePath(QStringLiteral("page"))});
    QVERIFY(render.waitForFinished(60000));
    QImage rendered(dir.filePath(QStringLiteral("page.png")));
    QVERIFY(!rendered.isNull());
    rendered = rendered.convertToFormat(QImage::Format_RGB32);
    QCOMPARE(rendered.size(), image.size());

    // The card area: everything but a few anti-aliased edge pixels agrees.
    const QRect card(Dpi, Dpi, int(3.5 * Dpi), 2 * Dpi);
    int differing = 0, inked = 0;
    for (int y = card.top(); y <= card.bottom(); ++y) {
        for (int x = card.left(); x <= card.right(); ++x) {
            const QColor a(image.pixel(x, y)), b(rendered.pixel(x, y));
            inked += a != Qt::white;
            differing += qAbs(a.red() - b.red()) + qAbs(a.green() - b.green()) + qAbs(a.blue() - b.blue()) > 96;
        }
    }
    QVERIFY2(inked > 5000, "the card printed something");
    QVERIFY2(differing < inked / 20, qPrintable(QStringLiteral("%1 of %2 pixels differ").arg(differing).arg(inked)));
}

QTEST_MAIN(TestPrintObjects)
#include "tst_printobjects.moc"
