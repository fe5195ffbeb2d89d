// The "CircleText Properties" dialog, the object's menu and its tool.
#include "CircleTextSupport.h"

#include "app/CardClasses.h"
#include "design/ObjectSampleView.h"
#include "objects/TCircleTextProperties.h"
#include "platform/HelpTopics.h"
#include "platform/ScreenMetrics.h"
#include "support/ScriptedDialogs.h"
#include "widgets/TDFSXPColorButton.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QtTest>

using namespace CircleTextSupport;

namespace {

// Runs `work` on every properties dialog instead of showing it; its return
// value is the dialog's result.
struct DialogScript {
    explicit DialogScript(std::function<int(TCircleTextProperties &)> work)
        : runner([this, work](QDialog &dialog) {
              auto *d = qobject_cast<TCircleTextProperties *>(&dialog);
              if (!d)
                  return int(QDialog::Rejected);
              ++runs;
              return work(*d);
          })
    {
    }
    int runs = 0;
    ScopedModalRunner runner;
};

QAction *menuItem(TGGraphicControl &o, const QString &caption)
{
    for (QAction *a : o.ObjectMenu()->actions())
        if (a->text() == caption)
            return a;
    return nullptr;
}

int points(const TGPCircleText &t)
{
    return t.Font().size(96);
}

} // namespace

class TestCircleTextDialog : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        ScreenMetrics::setOverride(96);
        registerCardClasses();
    }

    void controlsShowThePreview()
    {
        TCircleTextProperties d;
        QCOMPARE(d.windowTitle(), QString("CircleText Properties"));
        TGPCircleText source;
        setUp(source, QSize(150, 120), "Slogan", dg90, dg270);
        source.SetMirror(true);
        source.SetDrawLettersAngled(false);
        TFont font = source.Font();
        font.color = clRed;
        source.SetFont(font);
        d.Preview().CopyCircleText(source);
        d.FormActivate();
        QCOMPARE(d.CaptionText->text(), QString("Slogan"));
        QCOMPARE(d.DegreesBar->value(), 1);
        QCOMPARE(d.DegreesLabel->text(), QString("90 degrees"));
        QCOMPARE(d.StartingAngleBar->value(), 3);
        QCOMPARE(d.StartingAngleLabel->text(), QString("270 degrees"));
        QVERIFY(d.cbMirrored->isChecked());
        QVERIFY(!d.cbDrawLettersAngled->isChecked());
        QCOMPARE(d.FontColorButton->Color(), clRed);
        QCOMPARE(d.ZoomLabel->text(), QString("100%"));
        QCOMPARE(QSize(d.Preview().Width(), d.Preview().Height()), QSize(150, 120));
        QCOMPARE(d.DegreesBar->minimum(), 1);
        QCOMPARE(d.DegreesBar->maximum(), 4);
    }

    void controlsChangeThePreviewAtOnce()
    {
        TCircleTextProperties d;
        d.FormActivate();
        const QImage before = d.Panel1->Snapshot();
        d.DegreesBar->setValue(2);
        QCOMPARE(d.Preview().Degrees(), dg180);
        QCOMPARE(d.DegreesLabel->text(), QString("180 degrees"));
        d.StartingAngleBar->setValue(4);
        QCOMPARE(d.Preview().StartingVector(), dg360);
        QCOMPARE(d.StartingAngleLabel->text(), QString("360 degrees"));
        d.cbDrawLettersAngled->setChecked(false);
        QVERIFY(!d.Preview().DrawLettersAngled());
        d.cbMirrored->setChecked(true);
        QVERIFY(d.Preview().Mirror());
        d.CaptionText->setText("New");
        QCOMPARE(d.Preview().Caption(), QString("New"));
        d.FontColorButton->SetColor(clBlue);
        QCOMPARE(d.Preview().Font().color, clBlue);
        QVERIFY(d.Panel1->Snapshot() != before);
    }

    void fontButtonsAndSizeSteps()
    {
        ScopedScriptedDialogs dialogs;
        TCircleTextProperties d;
        d.FormActivate();
        TFont chosen = arial(12);
        chosen.name = "Times New Roman";
        chosen.color = clGreen;
        dialogs->fonts.enqueue(chosen);
        d.FontbuttonClick();
        QCOMPARE(dialogs->fontTrueTypeOnly, QList<bool>{true});
        QCOMPARE(d.Preview().Font(), chosen);
        QCOMPARE(d.FontColorButton->Color(), clGreen);
        // From 12 a step down gives 7, and no step goes further down.
        d.FontSizeClick(false);
        QCOMPARE(points(d.Preview()), 7);
        d.FontSizeClick(false);
        QCOMPARE(points(d.Preview()), 7);
        // From 10 no step down either; up stops once 150 is reached.
        TFont ten = d.Preview().Font();
        ten.setSize(10, 96);
        d.Preview().SetFont(ten);
        d.FontSizeClick(false);
        QCOMPARE(points(d.Preview()), 10);
        for (int i = 0; i < 40; ++i)
            d.FontSizeClick(true);
        QCOMPARE(points(d.Preview()), 150);
        TFont big = d.Preview().Font();
        big.setSize(148, 96);
        d.Preview().SetFont(big);
        d.FontSizeClick(true);
        QCOMPARE(points(d.Preview()), 153);
        d.FontSizeClick(true);
        QCOMPARE(points(d.Preview()), 153);
    }

    void previewZoomStaysBetweenHalfAndFull()
    {
        TCircleTextProperties d;
        TGPCircleText source;
        setUp(source, QSize(200, 160), "Zoom", dg360, dg180, 20);
        d.Preview().CopyCircleText(source);
        d.FormActivate();
        for (int i = 0; i < 12; ++i)
            d.ZoomClick(false);
        QCOMPARE(d.ZoomPercent(), 50);
        QCOMPARE(d.ZoomLabel->text(), QString("50%"));
        QCOMPARE(d.Preview().Zoom(), 0.5f);
        QCOMPARE(QSize(d.Preview().Width(), d.Preview().Height()), QSize(100, 80));
        QCOMPARE(d.Preview().ZoomedFont().size(96), 10);
        d.ZoomClick(true);
        QCOMPARE(d.ZoomLabel->text(), QString("60%"));
        for (int i = 0; i < 12; ++i)
            d.ZoomClick(true);
        QCOMPARE(d.ZoomPercent(), 100);
        QCOMPARE(d.Preview().Zoom(), 1.0f);
        QCOMPARE(QSize(d.Preview().Width(), d.Preview().Height()), QSize(200, 160));
    }

    // 145 x 0.9 rounds to 130, and 130 / 0.9 back to 144: stepping the
    // preview's own bounds would shrink the object by a pixel.
    void zoomedPreviewDoesNotResizeTheObjectOnOk()
    {
        TGBusinessCardPanel32 panel;
        panel.resize(336, 192);
        TGPCircleText *t = addCircleText(panel, QRect(10, 10, 145, 97));
        DialogScript script([](TCircleTextProperties &d) {
            d.ZoomClick(false);
            d.ZoomClick(false);
            d.ZoomClick(true);
            d.OkButtonClick();
            return d.result();
        });
        t->EditProperties();
        QCOMPARE(script.runs, 1);
        QCOMPARE(t->BoundsRect(), QRect(10, 10, 145, 97));
        QCOMPARE(t->Zoom(), 1.0f);
    }

    void okTakesThePreviewBackAndReportsTheChange()
    {
        TGBusinessCardPanel32 panel;
        panel.resize(336, 192);
        TGPCircleText *t = addCircleText(panel, QRect(10, 10, 200, 150));
        QSignalSpy changed(&panel, &TGBasePanel::LabelChangedEvent);
        DialogScript script([](TCircleTextProperties &d) {
            d.CaptionText->setText("Fresh Bread Daily");
            d.DegreesBar->setValue(2);
            d.StartingAngleBar->setValue(1);
            d.cbMirrored->setChecked(true);
            d.FontColorButton->SetColor(clMaroon);
            d.OkButtonClick();
            return d.result();
        });
        t->EditProperties();
        QCOMPARE(t->Caption(), QString("Fresh Bread Daily"));
        QCOMPARE(t->Degrees(), dg180);
        QCOMPARE(t->StartingVector(), dg90);
        QVERIFY(t->Mirror());
        QCOMPARE(t->Font().color, clMaroon);
        QVERIFY(changed.count() > 0);
    }

    void cancelLeavesTheObjectAlone()
    {
        TGBusinessCardPanel32 panel;
        panel.resize(336, 192);
        TGPCircleText *t = addCircleText(panel, QRect(10, 10, 200, 150));
        DialogScript script([](TCircleTextProperties &d) {
            d.CaptionText->setText("Other");
            d.DegreesBar->setValue(1);
            d.ZoomClick(false);
            return int(QDialog::Rejected);
        });
        t->EditProperties();
        QCOMPARE(script.runs, 1);
        QCOMPARE(t->Caption(), QString("ABC DEF GHI JKL"));
        QCOMPARE(t->Degrees(), dg360);
        QCOMPARE(t->BoundsRect(), QRect(10, 10, 200, 150));
    }

    void okWithEmptyTextAsksForText()
    {
        ScopedScriptedDialogs dialogs;
        TCircleTextProperties d;
        d.FormActivate();
        d.CaptionText->clear();
        d.OkButton->setFocus();
        d.OkButtonClick();
        QCOMPARE(dialogs->informations(), QStringList{"Please enter some text"});
        QCOMPARE(dialogs->messages.first().caption, QString("Information"));
        QVERIFY(d.result() != QDialog::Accepted);
        QCOMPARE(d.focusWidget(), static_cast<QWidget *>(d.CaptionText));
        d.CaptionText->setText("x");
        d.OkButtonClick();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(dialogs->informations().size(), 1);
    }

    void helpIsTopic40017()
    {
        TCircleTextProperties d;
        QCOMPARE(TCircleTextProperties::HelpTopicNumber, 40017);
        QVERIFY(HelpTopicPage(40017).toString().endsWith("circletext.html"));
    }

    void menuHasItsEntriesAndTicks()
    {
        TGBusinessCardPanel32 panel;
        panel.resize(336, 192);
        TGPCircleText *t = addCircleText(panel, QRect(10, 10, 200, 150));
        QStringList captions;
        for (QAction *a : t->ObjectMenu()->actions())
            captions << (a->isSeparator() ? QString("-") : a->text());
        QCOMPARE(captions.mid(captions.size() - 6),
                 (QStringList{"-", "Font", "Transparent", "Background Color", "Border", "Properties"}));
        emit t->ObjectMenu()->aboutToShow();
        QVERIFY(menuItem(*t, "Transparent")->isChecked());
        QVERIFY(!menuItem(*t, "Border")->isChecked());
        menuItem(*t, "Border")->trigger();
        emit t->ObjectMenu()->aboutToShow();
        QVERIFY(menuItem(*t, "Border")->isChecked());
    }

    // Every menu entry that changes the design marks the card changed.
    void menuChangesMarkTheCardChanged()
    {
        ScopedScriptedDialogs dialogs;
        TGBusinessCardPanel32 panel;
        panel.resize(336, 192);
        TGPCircleText *t = addCircleText(panel, QRect(10, 10, 200, 150));
        QSignalSpy changed(&panel, &TGBasePanel::LabelChangedEvent);

        menuItem(*t, "Transparent")->trigger();
        QVERIFY(!t->ControlTransparent());
        QCOMPARE(changed.count(), 1);

        dialogs->fonts.enqueue(arial(24));
        menuItem(*t, "Font")->trigger();
        QCOMPARE(points(*t), 24);
        QCOMPARE(changed.count(), 2);

        menuItem(*t, "Transparent")->trigger();
        dialogs->colors.enqueue(clAqua);
        menuItem(*t, "Background Color")->trigger();
        QCOMPARE(t->BGColor(), clAqua);
        QVERIFY(!t->ControlTransparent());
        QCOMPARE(changed.count(), 4);

        // A cancelled font dialog changes nothing.
        menuItem(*t, "Font")->trigger();
        QCOMPARE(changed.count(), 4);
    }

    void toolDrawsTheObjectAndOpensTheDialog()
    {
        TGBusinessCardPanel32 panel;
        panel.resize(336, 192);
        QSize shown;
        DialogScript script([&shown](TCircleTextProperties &d) {
            shown = QSize(d.Preview().Width(), d.Preview().Height());
            d.CaptionText->setText("Not taken");
            return int(QDialog::Rejected);
        });
        panel.SetPanelState(psCircleText);
        panel.CreateObject(QRect(20, 30, 180, 120));
        QCOMPARE(script.runs, 1);
        // The dialog showed the object as placed.
        QCOMPARE(shown, QSize(180, 120));
        // Cancelled, the object still stays on the card.
        QCOMPARE(panel.ObjectCount(), 1);
        auto *t = qobject_cast<TGPCircleText *>(panel.Objects().first());
        QVERIFY(t);
        QCOMPARE(t->BoundsRect(), QRect(20, 30, 180, 120));
        QVERIFY(t->ObjectMenu());
        QVERIFY(t->Name().startsWith("Special"));
        QCOMPARE(t->Caption(), QString("ABC DEF GHI JKL"));
    }
};

QTEST_MAIN(TestCircleTextDialog)
#include "tst_circletext_dialog.moc"
