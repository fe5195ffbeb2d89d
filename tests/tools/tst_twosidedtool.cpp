// karvello-tool with a card that has a back: info lists both sides,
// render draws either, print writes front and back pages, pdf two pages.

#include "../print/PrintShopTestSupport.h"

#include "app/CardClasses.h"
#include "design/CardDocument.h"
#include "design/CardSides.h"
#include "design/ComponentStreamer.h"
#include "design/TGBusinessCardPanel32.h"
#include "objects/TBCShapes.h"
#include "platform/ScreenMetrics.h"
#include "support/TempProgramFolder.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QtTest>

using namespace PrintShopTest;

namespace {

struct Run {
    int status = -1;
    QString out;
    QString err;
};

// One filled shape of `color` at `bounds` (card pixels) on an otherwise empty card.
void saveSide(const QString &path, QRect bounds, TColor color)
{
    TGBusinessCardPanel32 panel;
    panel.SetCardSize(SheetLayout());
    auto *shape = new TBCShapes(&panel);
    panel.AddObject(shape);
    shape->SetBounds(bounds.x(), bounds.y(), bounds.width(), bounds.height());
    shape->SetPen(TPen{color, 1, psClear, pmCopy});
    shape->SetBrush(TBrush{color, bsSolid, {}});
    QString error;
    if (!CardDocument::SaveCardDocument(panel, path, CardDocument::Companion{}, &error))
        qWarning() << error;
}

QImage pdfPage(const QString &pdf, int page, int dpi)
{
    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("page"));
    runTool(QStringLiteral("pdftoppm"), {"-r", QString::number(dpi), "-f", QString::number(page), "-l",
                                         QString::number(page), "-png", "-singlefile", pdf, prefix});
    return QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

int pageCount(const QString &pdf)
{
    const QRegularExpression pages(QStringLiteral(R"(Pages:\s+(\d+))"));
    return pages.match(runTool(QStringLiteral("pdfinfo"), {pdf})).captured(1).toInt();
}

} // namespace

class TestTwoSidedTool : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void infoListsBothSides();
    void renderDrawsTheSideAsked();
    void printWritesEachBackBehindItsFront();
    void pdfHasAPageForEachSide();
    void resaveKeepsTheBack();

private:
    Run run(const QStringList &arguments);

    TempProgramFolder m_folder;
    QString m_tool;
    QString m_card;
    QString m_single;
};

Run TestTwoSidedTool::run(const QStringList &arguments)
{
    QProcess process;
    process.start(m_tool, arguments);
    Run result;
    if (!process.waitForFinished(120000))
        return result;
    result.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

void TestTwoSidedTool::initTestCase()
{
    m_tool = qEnvironmentVariable("KARVELLO_BINARY_DIR") + "/karvello-tool";
    if (!QFile::exists(m_tool))
        QFAIL(qPrintable("karvello-tool is not built: " + m_tool));
    ScreenMetrics::setOverride(96);
    registerCardClasses();
    installComponentStreamer();
    // Blue square at the front's top left, red one at the back's top left,
    // the back written in other letters.
    m_card = m_folder.filePath(QStringLiteral("Jane.KVL"));
    saveSide(m_card, QRect(0, 0, 96, 96), clBlue);
    saveSide(m_folder.filePath(QStringLiteral("jane.back.kvl")), QRect(0, 0, 96, 96), clRed);
    m_single = m_folder.filePath(QStringLiteral("Single.KVL"));
    saveSide(m_single, QRect(0, 0, 96, 96), clBlue);
}

void TestTwoSidedTool::infoListsBothSides()
{
    const Run two = run({"info", m_card});
    QCOMPARE(two.status, 0);
    QVERIFY(two.out.startsWith(QStringLiteral("[Front] ") + m_card));
    QVERIFY(two.out.contains(QStringLiteral("[Back] ") + m_folder.filePath("jane.back.kvl")));
    QCOMPARE(two.out.count(QRegularExpression(QStringLiteral("^TBCShapes "), QRegularExpression::MultilineOption)), 2);
    // A one-sided card is listed as before.
    const Run one = run({"info", m_single});
    QCOMPARE(one.status, 0);
    QVERIFY(one.out.startsWith(QStringLiteral("TBCShapes ")));
}

void TestTwoSidedTool::renderDrawsTheSideAsked()
{
    const QString front = m_folder.filePath("front.png");
    const QString back = m_folder.filePath("back.png");
    QCOMPARE(run({"render", m_card, front}).status, 0);
    QCOMPARE(run({"render", m_card, back, "--side", "back"}).status, 0);
    QVERIFY(near(QImage(front).pixel(40, 40), Qt::blue));
    QVERIFY(near(QImage(back).pixel(40, 40), Qt::red));
    const QString printed = m_folder.filePath("back300.png");
    QCOMPARE(run({"render", m_card, printed, "--side", "back", "--dpi", "300"}).status, 0);
    QVERIFY(near(QImage(printed).pixel(100, 100), Qt::red));
    const Run none = run({"render", m_single, back, "--side", "back"});
    QCOMPARE(none.status, 1);
    QVERIFY(none.err.contains(QStringLiteral("no back")));
    QCOMPARE(run({"render", m_card, back, "--side", "inside"}).status, 2);
}

void TestTwoSidedTool::printWritesEachBackBehindItsFront()
{
    if (!popplerInstalled())
        QSKIP("poppler-utils are not installed, so the PDF cannot be read back");
    const QString pdf = m_folder.filePath("sheet.pdf");
    const Run r = run({"print", m_card, pdf, "--positions", "1", "--duplex", "long"});
    QVERIFY2(r.status == 0, qPrintable(r.err));
    QCOMPARE(pageCount(pdf), 2);
    // 2 x 5 Letter at 0.75, 0.5: the front's square at the top left, its
    // back's at the top right of the second page (column 1, left edge at
    // 8.5 - 0.75 - 3.5 = 4.25 inches, the square one inch from its right).
    const QImage front = pdfPage(pdf, 1, 48);
    const QImage back = pdfPage(pdf, 2, 48);
    QVERIFY(near(front.pixel(int(1.25 * 48), int(1.0 * 48)), Qt::blue));
    QVERIFY(near(back.pixel(int(4.75 * 48), int(1.0 * 48)), Qt::red));
    QVERIFY(near(back.pixel(int(1.25 * 48), int(1.0 * 48)), Qt::white));

    const QString shortPdf = m_folder.filePath("short.pdf");
    QCOMPARE(run({"print", m_card, shortPdf, "--positions", "1", "--duplex", "short"}).status, 0);
    // Short edge: the top row's back is in the bottom row (top at 11 - 0.5 - 2).
    QVERIFY(near(pdfPage(shortPdf, 2, 48).pixel(int(1.25 * 48), int(9.0 * 48)), Qt::red));
    QCOMPARE(run({"print", m_card, shortPdf, "--duplex", "sideways"}).status, 2);
    QCOMPARE(run({"print", m_single, shortPdf, "--duplex", "long"}).status, 1);
}

void TestTwoSidedTool::pdfHasAPageForEachSide()
{
    if (!popplerInstalled())
        QSKIP("poppler-utils are not installed, so the PDF cannot be read back");
    const QString pdf = m_folder.filePath("shop.pdf");
    QCOMPARE(run({"pdf", m_card, pdf, "--crop-marks", "--bleed", "0.25"}).status, 0);
    QCOMPARE(pageCount(pdf), 2);
    for (int page : {1, 2}) {
        const QString text = runTool(QStringLiteral("pdfinfo"), {"-box", "-f", QString::number(page), "-l",
                                                                 QString::number(page), pdf});
        const QString heading = QStringLiteral(R"(Page\s+%1\s+)").arg(page);
        QVERIFY2(text.contains(QRegularExpression(heading + R"(TrimBox:\s+45.00\s+45.00\s+297.00\s+189.00)")),
                 qPrintable(text));
        QVERIFY2(text.contains(QRegularExpression(heading + R"(BleedBox:\s+27.00\s+27.00\s+315.00\s+207.00)")),
                 qPrintable(text));
    }
    // Front first; each page has its crop marks in its corner.
    const QImage front = pdfPage(pdf, 1, 96);
    const QImage back = pdfPage(pdf, 2, 96);
    QVERIFY(near(front.pixel(100, 100), Qt::blue));
    QVERIFY(near(back.pixel(100, 100), Qt::red));
    // The top-left horizontal crop mark runs along y = 0.625 inch, left of the bleed.
    auto markAt = [](const QImage &image) {
        int darkest = 255;
        for (int y = 58; y <= 62; ++y)
            darkest = std::min(darkest, qGray(image.pixel(19, y)));
        return darkest < 200;
    };
    QVERIFY(markAt(front));
    QVERIFY(markAt(back));
    QCOMPARE(run({"pdf", m_single, m_folder.filePath("single.pdf")}).status, 0);
    QCOMPARE(pageCount(m_folder.filePath("single.pdf")), 1);
}

void TestTwoSidedTool::resaveKeepsTheBack()
{
    const QString copy = m_folder.filePath("Copy.KVL");
    QCOMPARE(run({"resave", m_card, copy}).status, 0);
    QVERIFY(QFileInfo::exists(m_folder.filePath("Copy.BACK.KVL")));
    QVERIFY(QFileInfo::exists(m_folder.filePath("Copy.BACK.KVE")));
    QFile original(m_folder.filePath("jane.back.kvl"));
    QFile resaved(m_folder.filePath("Copy.BACK.KVL"));
    QVERIFY(original.open(QIODevice::ReadOnly) && resaved.open(QIODevice::ReadOnly));
    QCOMPARE(resaved.readAll(), original.readAll());
}

QTEST_MAIN(TestTwoSidedTool)
#include "tst_twosidedtool.moc"
