#include "platform/QtUserDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

namespace {

struct SeenBox {
    QString title, text;
    QMessageBox::StandardButtons buttons;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Once the modal box is up, record it and press `answer`.
void answerNextBox(SeenBox &seen, QMessageBox::StandardButton answer)
{
    QTimer::singleShot(0, [&seen, answer] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen = {box->windowTitle(), box->text(), box->standardButtons(), box->icon()};
        box->button(answer)->click();
    });
}

} // namespace

class TestQtUserDialogs : public QObject
{
    Q_OBJECT
private slots:
    void questionHasYesAndNoAndTheCallersCaption()
    {
        QtUserDialogs dialogs;
        SeenBox seen;
        answerNextBox(seen, QMessageBox::Yes);
        QVERIFY(dialogs.ask("Save changes?", "Save"));
        QCOMPARE(seen.title, QString("Save"));
        QCOMPARE(seen.text, QString("Save changes?"));
        QCOMPARE(seen.buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(seen.icon, QMessageBox::Question);

        answerNextBox(seen, QMessageBox::No);
        QVERIFY(!dialogs.ask("Cancel all changes?", "CANCEL"));
    }

    void questionWithCancelTakesEscapeAsCancel()
    {
        QtUserDialogs dialogs;
        SeenBox seen;
        bool escaped = false;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            seen = {box->windowTitle(), box->text(), box->standardButtons(), box->icon()};
            if (QTest::qWaitForWindowExposed(box))
                QTest::keyClick(box->windowHandle(), Qt::Key_Escape);
            escaped = !box->isVisible();
            if (box->isVisible())
                box->reject();
        });
        QCOMPARE(dialogs.askWithCancel("Save changes?", "Save"), TAnswer::anCancel);
        QVERIFY(escaped);
        QCOMPARE(seen.title, QString("Save"));
        QCOMPARE(seen.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);

        answerNextBox(seen, QMessageBox::No);
        QCOMPARE(dialogs.askWithCancel("Save changes?", "Save"), TAnswer::anNo);
        answerNextBox(seen, QMessageBox::Yes);
        QCOMPARE(dialogs.askWithCancel("Save changes?", "Save"), TAnswer::anYes);
    }

    void informationHasOkAndTheCaptionInformation()
    {
        QtUserDialogs dialogs;
        SeenBox seen;
        answerNextBox(seen, QMessageBox::Ok);
        dialogs.inform("There is no default printer selected.");
        QCOMPARE(seen.title, QString("Information"));
        QCOMPARE(seen.text, QString("There is no default printer selected."));
        QCOMPARE(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(seen.icon, QMessageBox::Information);
    }

    void realDialogsAreInForceUnlessReplaced()
    {
        UserDialogs::install(nullptr);
        QVERIFY(dynamic_cast<QtUserDialogs *>(&UserDialogs::current()));
        QWidget parent;
        UserDialogs::setParentWidget(&parent);
        QCOMPARE(UserDialogs::parentWidget(), &parent);
        UserDialogs::setParentWidget(nullptr);
        QCOMPARE(UserDialogs::parentWidget(), nullptr);
    }

    void parentThatGoesAwayIsForgotten()
    {
        auto *parent = new QWidget;
        UserDialogs::setParentWidget(parent);
        delete parent;
        QCOMPARE(UserDialogs::parentWidget(), nullptr);
    }
};

QTEST_MAIN(TestQtUserDialogs)
#include "tst_qtuserdialogs.moc"
