#include "PrintTestSupport.h"
#include "app/CardClasses.h"

#include "../support/TempProgramFolder.h"
#include "app/Preferences.h"
#include "app/ToolPrintCommand.h"
#include "design/CardDocument.h"
#include "design/ComponentStreamer.h"
#include "design/Properties.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTest>

using namespace PrintTest;

class TestToolPrint : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void printsFullSheetsLikeThePrintCommand();
    void positionsAndNudgesFromTheCommandLine();
    void nudgesComeFromTheSettingsFile();
    void badArgumentsShowTheUsage();

private:
    QImage printPage(const QStringList &options, int page = 1);

    TempProgramFolder m_folder;
    QString m_document;
    QString m_pdftoppm;
};

void TestToolPrint::initTestCase()
{
    registerCardClasses();
    installComponentStreamer();
    auto panel = makePanel();
    addMarker(*panel);
    m_document = m_folder.filePath(QStringLiteral("saved/card.KVL"));
    QDir().mkpath(m_folder.filePath(QStringLiteral("saved")));
    CardDocument::Companion companion;
    QString error;
    QVERIFY2(CardDocument::SaveCardDocument(*panel, m_document, companion, &error), qPrintable(error));
    m_pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
}

QImage TestToolPrint::printPage(const QStringList &options, int page)
{
    const QString pdf = m_folder.filePath(QStringLiteral("sheet.pdf"));
    QFile::remove(pdf);
    QString errors;
    QTextStream err(&errors);
    const int status = ToolPrintCommand::run(QStringList{m_document, pdf} + options, err);
    if (status != 0) {
        qWarning() << errors;
        return QImage();
    }
    const QString prefix = m_folder.filePath(QStringLiteral("page"));
    QProcess render;
    render.start(m_pdftoppm, {QStringLiteral("-r"), QString::number(Dpi), QStringLiteral("-png"), QStringLiteral("-f"),
                              QString::number(page), QStringLiteral("-l"), QString::number(page),
                              QStringLiteral("-singlefile"), pdf, prefix});
    render.waitForFinished(120000);
    return QImage(prefix + QStringLiteral(".png"));
}

void TestToolPrint::printsFullSheetsLikeThePrintCommand()
{
    if (m_pdftoppm.isEmpty())
        QSKIP("pdftoppm is not installed, so the PDF cannot be read back");
    const QImage second = printPage({QStringLiteral("--sheets"), QStringLiteral("2")}, 2);
    QVERIFY(!second.isNull());
    QCOMPARE(countMarkerCorners(second), 10);
    const QPointF corner = inkCornerNear(second, 4.25, 8.5);
    QVERIFY(qAbs(corner.x() - 4.25) < 0.01 && qAbs(corner.y() - 8.5) < 0.01);
}

void TestToolPrint::positionsAndNudgesFromTheCommandLine()
{
    if (m_pdftoppm.isEmpty())
        QSKIP("pdftoppm is not installed, so the PDF cannot be read back");
    const QImage page = printPage({QStringLiteral("--positions"), QStringLiteral("1,4"), QStringLiteral("--nudges"),
                                   QStringLiteral("2,0,0,-1")});
    QVERIFY(!page.isNull());
    QCOMPARE(countMarkerCorners(page), 2);
    QPointF corner = inkCornerNear(page, 0.75, 0.5625);
    QVERIFY(qAbs(corner.x() - 0.75) < 0.01 && qAbs(corner.y() - 0.5625) < 0.01);
    corner = inkCornerNear(page, 0.75 + 3.46875, 2.5625); // position 4: row 1, column 1
    QVERIFY(qAbs(corner.x() - 4.21875) < 0.01 && qAbs(corner.y() - 2.5625) < 0.01);
}

void TestToolPrint::nudgesComeFromTheSettingsFile()
{
    if (m_pdftoppm.isEmpty())
        QSKIP("pdftoppm is not installed, so the PDF cannot be read back");
    TPreferences preferences;
    preferences.Nudges.LeftMarginNudge = 4; // 1/8 inch to the right
    QVERIFY(Preferences::SavePreferences(preferences));
    const QImage page = printPage({QStringLiteral("--positions"), QStringLiteral("1")});
    QCOMPARE(countMarkerCorners(page), 1);
    const QPointF corner = inkCornerNear(page, 0.875, 0.5);
    QVERIFY(qAbs(corner.x() - 0.875) < 0.01 && qAbs(corner.y() - 0.5) < 0.01);
    QVERIFY(Preferences::SavePreferences(TPreferences()));
}

void TestToolPrint::badArgumentsShowTheUsage()
{
    QString errors;
    QTextStream err(&errors);
    QCOMPARE(ToolPrintCommand::run({m_document}, err), 2);
    QCOMPARE(ToolPrintCommand::run({m_document, QStringLiteral("x.pdf"), QStringLiteral("--sheets"), QStringLiteral("0")}, err), 2);
    QCOMPARE(ToolPrintCommand::run({m_document, QStringLiteral("x.pdf"), QStringLiteral("--nudges"), QStringLiteral("1,2")}, err), 2);
    err.flush();
    QVERIFY(errors.contains(QStringLiteral("karvello-tool print FILE.KVL OUT.pdf")));
    QCOMPARE(ToolPrintCommand::run({m_folder.filePath(QStringLiteral("missing.KVL")), QStringLiteral("x.pdf")}, err), 1);
}

QTEST_MAIN(TestToolPrint)
#include "tst_toolprint.moc"
