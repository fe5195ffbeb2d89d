// QR codes read back by a real decoder (zbarimg, Debian package zbar-tools)
// from a 300-dpi print and from a PDF rendered by pdftoppm, and the shapes
// each kind of output receives.
#include "app/CardClasses.h"
#include "design/TGBusinessCardPanel32.h"
#include "objects/TGQRCode.h"
#include "objects/VCard.h"
#include "platform/ScreenMetrics.h"
#include "report/ImageTarget.h"
#include "report/PdfTarget.h"
#include "report/RecordedTarget.h"
#include "report/TReport.h"

#include <QPaintEngine>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

// Colours of a code.
struct Look {
    TColor module = clBlack;
    TColor back = clWhite;
    bool transparent = false;
};
Q_DECLARE_METATYPE(Look)

namespace {

constexpr int Dpi = 300;

const QStringList Owner = {"Renée Lefèvre-Ångström", "Atelier Noël, Büro; Studio", "Directrice générale",
                           "7, place de l'Étoile", "75008 Paris; France", "",
                           "+33 1 42 00 00 00", "", "renee@atelier-noel.fr", "+33 1 42 00 00 01"};

TGQRCode *addCode(TGBusinessCardPanel32 &panel, const QString &content, TQRLevel level, const Look &look)
{
    auto *code = new TGQRCode(&panel);
    code->Loaded();
    panel.PlaceObject(code, QRect(100, 30, 130, 130));
    code->SetContent(content);
    code->SetLevel(level);
    code->SetModuleColor(look.module);
    code->SetBackColor(look.back);
    code->SetTransparent(look.transparent);
    return code;
}

// What zbarimg reads in the picture file; a null string when it reads nothing.
QString decode(const QString &zbarimg, const QString &file)
{
    QProcess zbar;
    zbar.start(zbarimg, {"--raw", "-q", file});
    if (!zbar.waitForFinished(60000) || zbar.exitCode() != 0)
        return QString();
    QString text = QString::fromUtf8(zbar.readAllStandardOutput());
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1); // zbarimg ends each symbol with a line break
    return text;
}

// The card (at one inch from the page corner) from a 300-dpi print.
QImage printedCard(TGBusinessCardPanel32 &panel)
{
    TReport job(std::make_unique<ImageTarget>(SimulatedDevice(Dpi, Dpi)));
    job.onPrint = [&panel](TReport &j) { panel.PrintAll(j, 1.0, 1.0); };
    if (!job.run())
        return QImage();
    return job.targetAs<ImageTarget>()->pages().first().copy(Dpi, Dpi, 336 * Dpi / 96, 192 * Dpi / 96);
}

// The card from a PDF of the job, rendered by pdftoppm at 300 dpi.
QImage pdfCard(TGBusinessCardPanel32 &panel, const QTemporaryDir &dir)
{
    const QString pdf = dir.filePath("card.pdf");
    TReport job(std::make_unique<PdfTarget>(pdf));
    job.onPrint = [&panel](TReport &j) { panel.PrintAll(j, 1.0, 1.0); };
    if (!job.run())
        return QImage();
    QProcess render;
    render.start(QStandardPaths::findExecutable("pdftoppm"),
                 {"-r", QString::number(Dpi), "-x", QString::number(Dpi), "-y", QString::number(Dpi), "-W",
                  QString::number(336 * Dpi / 96), "-H", QString::number(192 * Dpi / 96), "-png", "-singlefile", pdf,
                  dir.filePath("page")});
    if (!render.waitForFinished(120000) || render.exitCode() != 0)
        return QImage();
    return QImage(dir.filePath("page.png"));
}

// A paint device that only notes what is drawn on it.
class RecordingEngine : public QPaintEngine
{
public:
    RecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &state) override
    {
        if (state.state() & QPaintEngine::DirtyBrush)
            brush = state.brush();
    }
    void drawPath(const QPainterPath &path) override { paths.append({brush.color(), path}); }
    void drawRects(const QRect *, int count) override { rects += count; }
    void drawRects(const QRectF *, int count) override { rects += count; }
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    Type type() const override { return QPaintEngine::User; }

    QBrush brush;
    QList<QPair<QColor, QPainterPath>> paths;
    int rects = 0;
};

class RecordingDevice : public QPaintDevice
{
public:
    QPaintEngine *paintEngine() const override { return &engine; }
    mutable RecordingEngine engine;

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth: case PdmHeight: return 6000;
        case PdmDpiX: case PdmDpiY: case PdmPhysicalDpiX: case PdmPhysicalDpiY: return 600;
        case PdmDepth: return 32;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(QPaintDevice::devicePixelRatioFScale());
        default: return 1;
        }
    }
};

} // namespace

class TestQRCodeDecode : public QObject
{
    Q_OBJECT
private:
    QString zbarimg;

private slots:
    void initTestCase()
    {
        ScreenMetrics::setOverride(96);
        registerCardClasses();
        zbarimg = QStandardPaths::findExecutable("zbarimg");
    }

    void printedAndPdfCodesDecode_data()
    {
        QTest::addColumn<QString>("content");
        QTest::addColumn<int>("level");
        QTest::addColumn<Look>("look");
        const QString card = VCard::ContactCard(Owner);
        const QString url = "https://www.example.com/cards?owner=ren%C3%A9e&lang=fr#contact";
        QTest::newRow("contact card") << card << int(qlM) << Look();
        QTest::newRow("contact card, level H") << card << int(qlH) << Look();
        QTest::newRow("web address, level L") << url << int(qlL) << Look();
        QTest::newRow("web address, level M") << url << int(qlM) << Look();
        QTest::newRow("web address, level Q") << url << int(qlQ) << Look();
        QTest::newRow("web address, level H") << url << int(qlH) << Look();
        QTest::newRow("dark blue on cream") << card << int(qlQ) << Look{clNavy, clCream, false};
        QTest::newRow("transparent dark green") << QString("Grüße aus Köln; bis bald, Jörg") << int(qlM)
                                                << Look{clGreen, clWhite, true};
    }

    void printedAndPdfCodesDecode()
    {
        if (zbarimg.isEmpty())
            QSKIP("zbarimg is not installed (Debian package zbar-tools): no decoder to read the codes");
        QFETCH(QString, content);
        QFETCH(int, level);
        QFETCH(Look, look);
        TGBusinessCardPanel32 panel;
        panel.resize(336, 192);
        TGQRCode *code = addCode(panel, content, TQRLevel(level), look);
        QVERIFY2(code->Matrix(), qPrintable(code->EncodeError()));
        QTemporaryDir dir;

        const QImage printed = printedCard(panel);
        QVERIFY(!printed.isNull());
        // Whole device pixels: no colour but the module, the ground and the card.
        QSet<QRgb> colours;
        for (int y = 0; y < printed.height(); ++y)
            for (int x = 0; x < printed.width(); ++x)
                colours.insert(printed.pixel(x, y) | 0xFF000000);
        QSet<QRgb> expected{Colors::toQColor(look.module).rgb(), qRgb(255, 255, 255)};
        if (!look.transparent)
            expected.insert(Colors::toQColor(look.back).rgb());
        QCOMPARE(colours, expected);
        const QString printedFile = dir.filePath("printed.png");
        QVERIFY(printed.save(printedFile));
        QCOMPARE(decode(zbarimg, printedFile), content);

        if (QStandardPaths::findExecutable("pdftoppm").isEmpty())
            QSKIP("pdftoppm is not installed (Debian package poppler-utils)");
        const QImage fromPdf = pdfCard(panel, dir);
        QVERIFY(!fromPdf.isNull());
        const QString pdfFile = dir.filePath("frompdf.png");
        QVERIFY(fromPdf.save(pdfFile));
        QCOMPARE(decode(zbarimg, pdfFile), content);
    }

    void screenImageDecodes()
    {
        if (zbarimg.isEmpty())
            QSKIP("zbarimg is not installed (Debian package zbar-tools): no decoder to read the codes");
        TGBusinessCardPanel32 panel;
        panel.resize(336, 192);
        const QString card = VCard::ContactCard(Owner);
        addCode(panel, card, qlM, Look{clNavy, clCream, false});
        panel.SetZoom(1.5f);
        QTemporaryDir dir;
        const QString file = dir.filePath("screen.png");
        QVERIFY(panel.RenderToBitmap().save(file));
        QCOMPARE(decode(zbarimg, file), card);
    }

    void previewGetsTheModulesAsOnePath()
    {
        TGBusinessCardPanel32 panel;
        panel.resize(336, 192);
        TGQRCode *code = addCode(panel, "https://example.com", qlM, Look{clNavy, clCream, false});
        TReport job(std::make_unique<RecordedTarget>());
        job.onPrint = [&panel](TReport &j) { panel.PrintAll(j, 1.0, 1.0); };
        QVERIFY(job.run());
        RecordingDevice device;
        {
            QPainter painter(&device);
            QPicture page = job.targetAs<RecordedTarget>()->job().pages.first();
            page.play(&painter);
        }
        const RecordingEngine &engine = device.engine;
        QList<QPainterPath> modulePaths;
        for (const auto &[colour, path] : engine.paths)
            if (colour == Colors::toQColor(clNavy))
                modulePaths << path;
        QCOMPARE(modulePaths.size(), 1);
        QCOMPARE(engine.rects, 0);
        // From the first dark module to the last: the code without its quiet
        // zone, modules of the box's side over the modules across.
        const QRectF bounds = modulePaths.first().boundingRect();
        const double module = job.resolutionX() * 130.0 / 96 / (code->Matrix()->Size() + 8);
        QVERIFY2(qAbs(bounds.width() - module * code->Matrix()->Size()) < 0.01, qPrintable(QString::number(bounds.width())));
    }
};

QTEST_MAIN(TestQRCodeDecode)
#include "tst_qrcode_decode.moc"
