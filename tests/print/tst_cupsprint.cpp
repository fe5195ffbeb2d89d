#include "PrintTestSupport.h"

#include "print/TCardSheetPrinter.h"
#include "report/PrinterTarget.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace PrintTest;

namespace {

const QString Queue = QStringLiteral("KarvelloPDF");

// Where cups-pdf puts its files: the user's ~/PDF, or the anonymous folder.
QStringList outputFolders()
{
    return {QDir::home().filePath(QStringLiteral("PDF")), QStringLiteral("/var/spool/cups-pdf/ANONYMOUS")};
}

QString newestPdfAfter(const QDateTime &start)
{
    for (const QString &folder : outputFolders()) {
        const QFileInfoList files = QDir(folder).entryInfoList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Time);
        if (!files.isEmpty() && files.first().lastModified() >= start && files.first().size() > 0)
            return files.first().filePath();
    }
    return QString();
}

} // namespace

class TestCupsPrint : public QObject
{
    Q_OBJECT
private slots:
    void sheetArrivesThroughTheCupsQueue();
};

void TestCupsPrint::sheetArrivesThroughTheCupsQueue()
{
    if (!PrinterTarget::printerNames().contains(Queue))
        QSKIP("No CUPS queue \"KarvelloPDF\" (scripts/start-cups.sh starts cupsd and adds it)");
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (pdftoppm.isEmpty())
        QSKIP("pdftoppm is not installed, so the printed PDF cannot be read back");

    auto panel = makePanel();
    addMarker(*panel);
    TReport job(std::make_unique<PrinterTarget>(Queue));
    job.setTitle(QStringLiteral("KarvelloSheetTest"));
    job.setPaperSize(DMPAPER_LETTER);
    TCardSheetPrinter sheet;
    sheet.Panel = panel.get();
    job.onBeforePrint = [&](TReport &j) { sheet.BeforePrintLabels(j); };
    job.onPrint = [&](TReport &j) { sheet.PrintLabels(j); };
    const QDateTime start = QDateTime::currentDateTime().addSecs(-1);
    QVERIFY(job.run());

    QString pdf;
    QElapsedTimer waited;
    waited.start();
    while ((pdf = newestPdfAfter(start)).isEmpty() && waited.elapsed() < 90000)
        QTest::qWait(250);
    if (pdf.isEmpty())
        QSKIP("CUPS accepted the job but cups-pdf wrote no file in ~/PDF or its anonymous folder");
    QTest::qWait(500); // cups-pdf may still be closing the file

    QTemporaryDir dir;
    QProcess render;
    render.start(pdftoppm, {QStringLiteral("-r"), QString::number(Dpi), QStringLiteral("-png"),
                            QStringLiteral("-singlefile"), pdf, dir.filePath(QStringLiteral("page"))});
    QVERIFY(render.waitForFinished(120000));
    const QImage page(dir.filePath(QStringLiteral("page.png")));
    QVERIFY(!page.isNull());
    QCOMPARE(countMarkerCorners(page), 10);
    // The queue's own margins do not move the cards: they sit where the layout puts them.
    const QPointF corner = inkCornerNear(page, 4.25, 8.5);
    QVERIFY2(qAbs(corner.x() - 4.25) < 0.02 && qAbs(corner.y() - 8.5) < 0.02,
             qPrintable(QStringLiteral("last card at (%1, %2)").arg(corner.x()).arg(corner.y())));
    QFile::remove(pdf);
}

QTEST_MAIN(TestCupsPrint)
#include "tst_cupsprint.moc"
