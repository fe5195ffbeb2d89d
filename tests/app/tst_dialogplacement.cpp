#include "MainScreenFixture.h"

#include "app/CardClasses.h"
#include "app/TAuxiliaryCommands.h"
#include "app/TPrintShopCommands.h"
#include "app/TTemplateCommands.h"
#include "platform/ShippedArt.h"
#include "platform/UserDialogs.h"

#include <QAbstractButton>
#include <QDialog>
#include <QTest>

// The main window's dialogs shown for real on a 1400 x 1000 screen: each
// opens centred over the main window and wholly on the screen, and is
// closed again with a click on its "Cancel" button.
class TestDialogPlacement : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerCardClasses(); }
    void cleanup() { UserDialogs::setModalRunner({}); }
    void dialogsOpenCentredOverTheMainWindow();
    void dialogsStayOnTheScreenBesideAMainWindowAtItsEdge();

private:
    struct Shown {
        QString title;
        QRect geometry;
        bool cancelled = false;
    };
    // Runs `command` with a modal runner that shows each dialog, notes where
    // it stands, and clicks its "Cancel" button.
    static QList<Shown> showAndCancel(const std::function<void()> &command);
    static void checkPlacement(const Shown &shown, const QRect &main);
};

QList<TestDialogPlacement::Shown> TestDialogPlacement::showAndCancel(const std::function<void()> &command)
{
    QList<Shown> shown;
    UserDialogs::setModalRunner([&shown](QDialog &dialog) {
        dialog.setResult(QDialog::Accepted);
        dialog.show();
        QCoreApplication::processEvents();
        // Placed by its outer top-left corner and its size, as a window is moved.
        Shown s{dialog.windowTitle(), QRect(dialog.pos(), dialog.size())};
        for (QAbstractButton *button : dialog.findChildren<QAbstractButton *>()) {
            if (button->isVisible() && button->text().remove(QLatin1Char('&')) == QLatin1String("Cancel")) {
                QTest::mouseClick(button, Qt::LeftButton);
                s.cancelled = !dialog.isVisible() && dialog.result() == QDialog::Rejected;
                break;
            }
        }
        shown << s;
        dialog.hide();
        return dialog.result();
    });
    command();
    UserDialogs::setModalRunner({});
    return shown;
}

void TestDialogPlacement::checkPlacement(const Shown &shown, const QRect &main)
{
    const QRect screen(QPoint(0, 0), QSize(1400, 1000));
    QVERIFY2(shown.cancelled, qPrintable(shown.title + ": no working Cancel button"));
    QVERIFY2(shown.geometry.width() >= 200 && shown.geometry.height() >= 100,
             qPrintable(shown.title + ": not laid out"));
    QVERIFY2(screen.contains(shown.geometry), qPrintable(shown.title + ": off the screen"));
    // Centred over the main window where the screen allows it.
    const QPoint wanted = main.topLeft()
        + QPoint((main.width() - shown.geometry.width()) / 2, (main.height() - shown.geometry.height()) / 2);
    const QPoint expected(qBound(0, wanted.x(), screen.width() - shown.geometry.width()),
                          qBound(0, wanted.y(), screen.height() - shown.geometry.height()));
    QVERIFY2(shown.geometry.topLeft() == expected,
             qPrintable(QStringLiteral("%1 at %2,%3 instead of %4,%5")
                            .arg(shown.title)
                            .arg(shown.geometry.x())
                            .arg(shown.geometry.y())
                            .arg(expected.x())
                            .arg(expected.y())));
}

namespace {

struct Window {
    MainScreenFixture f;
    TMainScreen &screen;
    TAuxiliaryCommands auxiliary;
    TTemplateCommands templates;
    TPrintShopCommands printShop;

    explicit Window(const QRect &geometry)
        : screen(f.start()), auxiliary(screen), templates(screen), printShop(screen)
    {
        ScreenMetrics::setOverride(96, QSize(1400, 1000));
        InstallShippedArt(); // the chooser with every shipped template
        screen.setGeometry(geometry);
        screen.show();
    }
};

} // namespace

void TestDialogPlacement::dialogsOpenCentredOverTheMainWindow()
{
    Window w(QRect(150, 120, 1000, 700));
    const QRect main = w.screen.geometry();
    QList<Shown> shown = showAndCancel([&] { w.screen.RunCommand(TMainCommand::PersonalInformation); });
    shown += showAndCancel([&] { w.screen.RunCommand(TMainCommand::NewFromTemplate); });
    shown += showAndCancel([&] { w.printShop.ExportForPrintShopClick(); });
    shown += showAndCancel([&] { w.printShop.ExportAsPngClick(); });
    QCOMPARE(shown.size(), 4);
    for (const Shown &s : shown)
        checkPlacement(s, main);
}

void TestDialogPlacement::dialogsStayOnTheScreenBesideAMainWindowAtItsEdge()
{
    Window w(QRect(700, 600, 690, 390));
    const QRect main = w.screen.geometry();
    QList<Shown> shown = showAndCancel([&] { w.screen.RunCommand(TMainCommand::NewFromTemplate); });
    shown += showAndCancel([&] { w.screen.RunCommand(TMainCommand::PersonalInformation); });
    QCOMPARE(shown.size(), 2);
    for (const Shown &s : shown)
        checkPlacement(s, main);
}

QTEST_MAIN(TestDialogPlacement)
#include "tst_dialogplacement.moc"
