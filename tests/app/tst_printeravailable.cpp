#include "MainScreenFixture.h"

#include "app/PrinterAvailable.h"
#include "app/TMainMenus.h"

#include <QAction>
#include <QPrinterInfo>
#include <QTest>

class TestPrinterAvailable : public QObject
{
    Q_OBJECT
private slots:
    void tellsWhetherAPrinterIsInstalledAndChosen();
    void answersForThisMachineTruthfully();
    void startUpSaysNothingAndLeavesPrintingOn();
};

void TestPrinterAvailable::tellsWhetherAPrinterIsInstalledAndChosen()
{
    ScopedScriptedDialogs dialogs;
    const QString none = QStringLiteral("There are no installed printers.\nUnable to perform printer related operations");
    const QString noDefault =
        QStringLiteral("There is no default printer selected.\nUnable to perform printer related operations");
    const QStringList office{QStringLiteral("Office"), QStringLiteral("Labels")};

    QVERIFY(!PrinterAvailable(false, {}, QString()));
    QVERIFY(!PrinterAvailable(false, office, QString()));
    QVERIFY(!PrinterAvailable(false, office, QStringLiteral("Removed"))); // default no longer installed
    QVERIFY(dialogs->messages.isEmpty());
    QVERIFY(PrinterAvailable(true, office, QStringLiteral("Labels")));
    QVERIFY(dialogs->messages.isEmpty());

    QVERIFY(!PrinterAvailable(true, {}, QString()));
    QVERIFY(!PrinterAvailable(true, office, QString()));
    QCOMPARE(dialogs->informations(), (QStringList{none, noDefault}));
}

void TestPrinterAvailable::answersForThisMachineTruthfully()
{
    ScopedScriptedDialogs dialogs;
    const QString chosen = QPrinterInfo::defaultPrinterName();
    const bool expected = !chosen.isEmpty() && QPrinterInfo::availablePrinterNames().contains(chosen);
    QCOMPARE(PrinterAvailable(false), expected);
    QVERIFY(dialogs->messages.isEmpty());
}

void TestPrinterAvailable::startUpSaysNothingAndLeavesPrintingOn()
{
    // Whatever is installed, the sheets can always go into a PDF file.
    MainScreenFixture f;
    TMainScreen &s = f.start();
    QVERIFY(f.dialogs->messages.isEmpty());
    QVERIFY(s.PrinterIsAvailable());
    QCOMPARE(s.Menus->PrinterItems().size(), 5);
    for (QAction *item : s.Menus->PrinterItems())
        QVERIFY2(item->isEnabled(), qPrintable(item->text()));
}

QTEST_MAIN(TestPrinterAvailable)
#include "tst_printeravailable.moc"
