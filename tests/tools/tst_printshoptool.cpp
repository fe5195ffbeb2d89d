#include "../print/PrintShopTestSupport.h"

#include "app/CardClasses.h"
#include "design/CardDocument.h"
#include "design/ComponentStreamer.h"
#include "design/TGBusinessCardPanel32.h"
#include "objects/TBCShapes.h"
#include "objects/TGBusinessCardLabel.h"
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
    QString err;
};

} // namespace

class TestPrintShopTool : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void pdfWithoutBleedIsTheCardAlone();
    void pdfTakesBleedAndCropMarks();
    void textNearTheEdgeIsReportedButWritten();
    void badArgumentsShowTheUsage();
    void renderAtAResolution();

private:
    Run run(const QStringList &arguments);
    QString saveCard(const QString &name, bool textNearEdge);

    TempProgramFolder m_folder;
    QString m_tool;
    QString m_card;
};

Run TestPrintShopTool::run(const QStringList &arguments)
{
    QProcess process;
    process.start(m_tool, arguments);
    Run result;
    if (!process.waitForFinished(120000))
        return result;
    result.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

QString TestPrintShopTool::saveCard(const QString &name, bool textNearEdge)
{
    TGBusinessCardPanel32 panel;
    panel.SetCardSize(SheetLayout());
    auto *shape = new TBCShapes(&panel);
    panel.AddObject(shape);
    shape->SetBounds(300, 48, 36, 48);
    shape->SetBrush(TBrush{clBlue, bsSolid, {}});
    auto *label = new TGBusinessCardLabel(&panel);
    panel.AddObject(label);
    label->SetCaption(QStringLiteral("Karvello"));
    label->SetBounds(textNearEdge ? QRect(4, 60, 120, 24) : QRect(40, 60, 120, 24));
    const QString path = m_folder.filePath(name);
    QString error;
    if (!CardDocument::SaveCardDocument(panel, path, CardDocument::Companion{}, &error))
        qWarning() << error;
    return path;
}

void TestPrintShopTool::initTestCase()
{
    m_tool = qEnvironmentVariable("KARVELLO_BINARY_DIR") + "/karvello-tool";
    if (!QFile::exists(m_tool))
        QFAIL(qPrintable("karvello-tool is not built: " + m_tool));
    ScreenMetrics::setOverride(96);
    registerCardClasses();
    installComponentStreamer();
    m_card = saveCard(QStringLiteral("card.KVL"), false);
}

void TestPrintShopTool::pdfWithoutBleedIsTheCardAlone()
{
    if (!popplerInstalled())
        QSKIP("poppler-utils are not installed, so the PDF cannot be read back");
    const QString pdf = m_folder.filePath(QStringLiteral("plain.pdf"));
    const Run r = run({"pdf", m_card, pdf, "--bleed", "0"});
    QCOMPARE(r.status, 0);
    QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
    const PdfInfo info = pdfInfo(pdf);
    QCOMPARE(info.pagePoints, QSizeF(252, 144));
    QCOMPARE(info.boxes.value(QStringLiteral("TrimBox")), QRectF(0, 0, 252, 144));
    QCOMPARE(info.boxes.value(QStringLiteral("BleedBox")), QRectF(0, 0, 252, 144));
    // The shape on the right edge, its outline at the page's edge.
    const QImage page = renderPdf(pdf, 96);
    QCOMPARE(page.size(), QSize(336, 192));
    QVERIFY(near(page.pixel(325, 70), Qt::blue));
    QVERIFY(near(page.pixel(335, 70), Qt::black));
}

void TestPrintShopTool::pdfTakesBleedAndCropMarks()
{
    if (!popplerInstalled())
        QSKIP("poppler-utils are not installed, so the PDF cannot be read back");
    const QString pdf = m_folder.filePath(QStringLiteral("shop.pdf"));
    QCOMPARE(run({"pdf", m_card, pdf}).status, 0);
    QCOMPARE(pdfInfo(pdf).pagePoints, QSizeF(270, 162));
    QCOMPARE(run({"pdf", m_card, pdf, "--crop-marks", "--bleed", "0.25"}).status, 0);
    const PdfInfo info = pdfInfo(pdf);
    QCOMPARE(info.pagePoints, QSizeF(342, 234));
    QCOMPARE(info.boxes.value(QStringLiteral("TrimBox")), QRectF(45, 45, 252, 144));
    QCOMPARE(info.boxes.value(QStringLiteral("BleedBox")), QRectF(27, 27, 288, 180));
    // qpdf finds the rewritten file sound.
    if (!QStandardPaths::findExecutable(QStringLiteral("qpdf")).isEmpty()) {
        QProcess check;
        check.start(QStringLiteral("qpdf"), {QStringLiteral("--check"), pdf});
        QVERIFY(check.waitForFinished(60000));
        QCOMPARE(check.exitCode(), 0);
    }
}

void TestPrintShopTool::textNearTheEdgeIsReportedButWritten()
{
    const QString card = saveCard(QStringLiteral("edge.KVL"), true);
    const QString pdf = m_folder.filePath(QStringLiteral("edge.pdf"));
    const Run r = run({"pdf", card, pdf});
    QCOMPARE(r.status, 0);
    QVERIFY2(r.err.contains(QStringLiteral("within 1/8 inch")), qPrintable(r.err));
    QVERIFY(QFile::exists(pdf));
}

void TestPrintShopTool::badArgumentsShowTheUsage()
{
    const QString pdf = m_folder.filePath(QStringLiteral("bad.pdf"));
    const QList<QStringList> bad = {
        {"pdf", m_card},
        {"pdf", m_card, pdf, "--bleed"},
        {"pdf", m_card, pdf, "--bleed", "0.3"},
        {"pdf", m_card, pdf, "--bleed", "-0.1"},
        {"pdf", m_card, pdf, "--bleed", "eighth"},
        {"pdf", m_card, pdf, "--crop"},
        {"render", m_card, m_folder.filePath(QStringLiteral("x.png")), "--dpi", "50"},
        {"render", m_card, m_folder.filePath(QStringLiteral("x.png")), "--dpi", "many"},
    };
    for (const QStringList &arguments : bad) {
        const Run r = run(arguments);
        QVERIFY2(r.status == 2, qPrintable(arguments.join(u' ')));
        QVERIFY(r.err.contains(QStringLiteral("karvello-tool pdf FILE.KVL OUT.pdf [--bleed INCHES] [--crop-marks]")));
        QVERIFY(!QFile::exists(pdf));
    }
    QCOMPARE(run({"pdf", m_folder.filePath(QStringLiteral("missing.KVL")), pdf}).status, 1);
    QCOMPARE(run({"pdf", m_card, m_folder.filePath(QStringLiteral("no/such/folder.pdf"))}).status, 1);
}

void TestPrintShopTool::renderAtAResolution()
{
    const QString png = m_folder.filePath(QStringLiteral("card.png"));
    QCOMPARE(run({"render", m_card, png, "--dpi", "600"}).status, 0);
    const QImage picture(png);
    QCOMPARE(picture.size(), QSize(2100, 1200));
    QCOMPARE(picture.pixel(2050, 450), qRgb(0, 0, 255)); // the shape at the right edge
    QCOMPARE(run({"render", m_card, png}).status, 0);  // without --dpi: the card at 100 %
    QCOMPARE(QImage(png).size(), QSize(336, 192));
}

QTEST_MAIN(TestPrintShopTool)
#include "tst_printshoptool.moc"
