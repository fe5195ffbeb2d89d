#include "LabelImages.h"

#include "app/CardClasses.h"
#include "design/TGBusinessCardPanel32.h"
#include "objects/TGBusinessCardLabel.h"
#include "objects/TGFont3DEffects.h"
#include "objects/TGetBCLabelText.h"
#include "platform/ScreenMetrics.h"
#include "support/ScriptedDialogs.h"
#include "widgets/TColorDrop.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QtTest>

// The card label's menu, its dialogs and the text tool that creates it.
class TestLabelMenu : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TGBusinessCardPanel32> panel;

    static QStringList captions(QMenu *menu)
    {
        QStringList list;
        for (QAction *a : menu->actions())
            list << (a->isSeparator() ? QString("-") : a->text());
        return list;
    }
    static QMenu *subMenu(QMenu *menu, const QString &title)
    {
        for (QAction *a : menu->actions())
            if (a->menu() && a->text() == title)
                return a->menu();
        return nullptr;
    }
    static QAction *item(QMenu *menu, const QString &caption)
    {
        for (QAction *a : menu->actions())
            if (a->text() == caption)
                return a;
        return nullptr;
    }
    static QStringList ticked(QMenu *menu)
    {
        QStringList list;
        for (QAction *a : menu->actions())
            if (a->isChecked())
                list << a->text();
        return list;
    }
    static void open(TGGraphicControl &object) { emit object.ObjectMenu()->aboutToShow(); }

    TGBusinessCardLabel *placedLabel()
    {
        auto *label = new TGBusinessCardLabel(panel.get());
        label->Loaded();
        panel->PlaceObject(label, QRect(10, 10, 142, 33));
        return label;
    }
    // Answers the next label text dialog with `text` (OK) or cancels it.
    static void answerTextDialog(std::optional<QString> text)
    {
        UserDialogs::setModalRunner([text](QDialog &dialog) {
            auto *d = qobject_cast<TGetLabelText *>(&dialog);
            if (!d || !text)
                return int(QDialog::Rejected);
            d->LabelText->setText(*text);
            d->OkButtonClick();
            return d->result();
        });
    }

private slots:
    void initTestCase()
    {
        ScreenMetrics::setOverride(96);
        registerCardClasses();
    }
    void init()
    {
        panel = std::make_unique<TGBusinessCardPanel32>();
        panel->resize(336, 192);
        panel->SetPersonalInformation({"Ann Smith", "Acme", "", "1 Road", "", "", "555", "", "ann@acme", ""});
    }
    void cleanup()
    {
        UserDialogs::setModalRunner({});
        panel.reset();
    }

    void cardLabelMenuListsEverythingInOrder()
    {
        TGBusinessCardLabel *label = placedLabel();
        QCOMPARE(captions(label->ObjectMenu()),
                 QStringList({"Personal Information", "-", "Bring To Front", "Send To Back", "Cut", "Copy",
                              "Delete", "Clone", "-", "Locked", "Unselectable", "-", "Center Vertically",
                              "Center Horizontally", "-", "Font", "3D Effects", "Alignment", "Transparent",
                              "Background Color", "Border", "-", "Text", "-", "Rotation"}));
        QCOMPARE(captions(subMenu(label->ObjectMenu(), "Alignment")), QStringList({"Left", "Center", "Right"}));
        QCOMPARE(captions(subMenu(label->ObjectMenu(), "Rotation")),
                 QStringList({"No Rotation", "90 Degrees", "180 Degrees", "270 Degrees"}));
    }

    void labelOffTheCardHasNoPersonalInformation()
    {
        TGPLabel label;
        label.Loaded();
        QCOMPARE(captions(label.ObjectMenu()).first(), QString("Bring To Front"));
        QVERIFY(label.HasRotationMenu());
    }

    void ticksFollowTheLabelWhenTheMenuOpens()
    {
        TGBusinessCardLabel *label = placedLabel();
        label->SetAlignment(taRightJustify);
        label->SetBorderStyle(bsSingle);
        open(*label);
        QMenu *menu = label->ObjectMenu();
        QCOMPARE(ticked(subMenu(menu, "Alignment")), QStringList({"Right"}));
        QCOMPARE(ticked(subMenu(menu, "Rotation")), QStringList({"No Rotation"}));
        QVERIFY(item(menu, "Border")->isChecked());
        QVERIFY(item(menu, "Transparent")->isChecked());
        item(subMenu(menu, "Rotation"), "270 Degrees")->trigger();
        item(menu, "Border")->trigger();
        open(*label);
        QCOMPARE(label->Angle(), 270);
        QCOMPARE(ticked(subMenu(menu, "Rotation")), QStringList({"270 Degrees"}));
        QCOMPARE(ticked(subMenu(menu, "Alignment")), QStringList({"Left"}));
        QVERIFY(!item(menu, "Border")->isChecked());
        item(menu, "Transparent")->trigger();
        QVERIFY(!label->Transparent());
        QVERIFY(!item(menu, "Transparent")->isChecked());
    }

    void personalInformationShowsTheCurrentValues()
    {
        TGBusinessCardLabel *label = placedLabel();
        open(*label);
        QMenu *info = label->PersonalInfoMenu();
        QCOMPARE(captions(info),
                 QStringList({"Name\tAnn Smith", "Company\tAcme", "Title\t", "Address 1\t1 Road", "Address 2\t",
                              "Address 3\t", "Phone 1\t555", "Phone 2\t", "EMail\tann@acme", "Fax\t"}));
        QStringList values(10);
        values[0] = "Bob Jones";
        panel->SetPersonalInformation(values);
        open(*label);
        QCOMPARE(info->actions().first()->text(), QString("Name\tBob Jones"));
        QCOMPARE(info->actions().size(), 10);
    }

    void choosingAPersonalValueBecomesTheCaption()
    {
        TGBusinessCardLabel *label = placedLabel();
        open(*label);
        QSignalSpy changed(panel.get(), &TGBasePanel::LabelChangedEvent);
        item(label->PersonalInfoMenu(), "EMail\tann@acme")->trigger();
        QCOMPARE(label->Caption(), QString("ann@acme"));
        QVERIFY(changed.count() > 0);
        item(label->PersonalInfoMenu(), "Title\t")->trigger();
        QCOMPARE(label->Caption(), QString());
    }

    void textEntryOpensTheCardTextDialog()
    {
        TGBusinessCardLabel *label = placedLabel();
        QString seenClass;
        UserDialogs::setModalRunner(modalRunnerFor<TGetLabelText>([&seenClass](TGetLabelText &d) {
            seenClass = d.metaObject()->className();
            d.LabelText->setText("A long line of text for the card");
            d.OkButtonClick();
            return d.result();
        }));
        item(label->ObjectMenu(), "Text")->trigger();
        QCOMPARE(seenClass, QString("TGetBCLabelText"));
        QCOMPARE(label->Caption(), QString("A long line of text for the card"));
        QVERIFY(label->Width() > 142);
    }

    void textToolCreatesALabelInThePanelFont()
    {
        TFont font;
        font.name = "Times New Roman";
        font.setSize(14, 96);
        font.color = clNavy;
        panel->SetFont(font);
        panel->SetPanelState(psLabel);
        answerTextDialog(std::nullopt);
        panel->CreateObject(QRect(20, 20, 100, 30));
        QCOMPARE(panel->ObjectCount(), 1);
        auto *label = qobject_cast<TGBusinessCardLabel *>(panel->Objects().first());
        QVERIFY(label);
        QCOMPARE(label->Caption(), QString("Text"));
        QCOMPARE(label->Font(), font);
        QCOMPARE(label->Name(), QString("Special1"));
        QVERIFY(label->PersonalInfoMenu());

        answerTextDialog(QString("Typed"));
        panel->CreateObject(QRect(20, 80, 100, 30));
        QCOMPARE(qobject_cast<TGBaseLabel *>(panel->Objects().last())->Caption(), QString("Typed"));
    }

    void cardTextDialogOffersTheSetValuesOnly()
    {
        TGetBCLabelText dialog("Text", {"Ann", "", "CEO", "", "", "", "", "", "", "Fax 1"});
        QCOMPARE(dialog.windowTitle(), QString("Text"));
        QCOMPARE(dialog.PersonalInfoCombo->count(), 3);
        QCOMPARE(dialog.PersonalInfoCombo->itemText(1), QString("CEO"));
        QVERIFY(dialog.PersonalInfoCombo->isEnabled());
        dialog.PersonalInfoCombo->setCurrentIndex(2);
        dialog.PersonalInfoComboChange();
        QCOMPARE(dialog.Text(), QString("Fax 1"));

        TGetBCLabelText empty("Text", QStringList(10));
        QCOMPARE(empty.PersonalInfoCombo->count(), 0);
        QVERIFY(!empty.PersonalInfoCombo->isEnabled());
    }

    void backgroundColourIsPresetAndClearsTransparency()
    {
        ScopedScriptedDialogs dialogs;
        TGBusinessCardLabel *label = placedLabel();
        label->SetBackColor(clSilver);
        dialogs->colors.enqueue(clYellow);
        item(label->ObjectMenu(), "Background Color")->trigger();
        QCOMPARE(dialogs->colorRequests, QList<TColor>({clSilver}));
        QCOMPARE(label->BackColor(), clYellow);
        QVERIFY(!label->Transparent());
        QVERIFY(!item(label->ObjectMenu(), "Transparent")->isChecked());
        dialogs->colors.enqueue(std::nullopt);
        item(label->ObjectMenu(), "Background Color")->trigger();
        QCOMPARE(label->BackColor(), clYellow);
    }

    void fontEntryFitsTheBoxToTheNewFont()
    {
        ScopedScriptedDialogs dialogs;
        TGBusinessCardLabel *label = placedLabel();
        TFont big = label->Font();
        big.setSize(28, 96);
        dialogs->fonts.enqueue(big);
        item(label->ObjectMenu(), "Font")->trigger();
        QCOMPARE(label->Font(), big);
        QVERIFY(label->Width() >= Fonts::textExtent(big, 96, "Text     ").width());
    }

    void effectsDialogShowsTheLabelAndChangesOnlyTheSample()
    {
        TGPLabel label;
        label.SetDepthShadow(4);
        label.SetDirectionShadow(sdDown);
        label.SetcolorShadow(clMaroon);
        TGFont3DEffects dialog(label);
        QCOMPARE(dialog.windowTitle(), QString("Text 3D Effects"));
        QCOMPARE(dialog.ShadowDirection->currentIndex(), int(sdDown));
        QCOMPARE(dialog.ShadowDepth->currentText(), QString("4"));
        QCOMPARE(dialog.ShadowColorCombo->currentText(), QString("Maroon"));
        QCOMPARE(dialog.HighLightColorCombo->currentText(), QString("Aqua"));
        QCOMPARE(dialog.FontColorCombo->currentText(), QString("Black"));
        QCOMPARE(dialog.Sample().Caption(), QString("Text"));

        dialog.HighLightDepth->setCurrentIndex(5);
        dialog.FontColorCombo->SetColor(clRed);
        QCOMPARE(dialog.Sample().DepthHighlight(), 5);
        QCOMPARE(dialog.Sample().Font().color, clRed);
        QCOMPARE(label.DepthHighlight(), 0);
        QCOMPARE(label.Font().color, clBlack);

        dialog.OkButtonClick();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(label.DepthHighlight(), 5);
        QCOMPARE(label.HighlightOffset(), QPoint(-5, -5));
        QCOMPARE(label.Font().color, clRed);
        QCOMPARE(label.DepthShadow(), 4);
        QCOMPARE(label.Caption(), QString("Text"));
    }

    void effectsDialogLeavesAColourOffTheListAlone()
    {
        TGPLabel label;
        label.SetcolorHighlight(rgbColor(12, 34, 56));
        TGFont3DEffects dialog(label);
        QCOMPARE(dialog.HighLightColorCombo->currentIndex(), -1);
        dialog.ShadowDepth->setCurrentIndex(2);
        dialog.OkButtonClick();
        QCOMPARE(label.colorHighlight(), rgbColor(12, 34, 56));
        QCOMPARE(label.DepthShadow(), 2);
    }

    void effectsEntryReportsAChangeOnlyOnOk()
    {
        TGBusinessCardLabel *label = placedLabel();
        QSignalSpy changed(panel.get(), &TGBasePanel::LabelChangedEvent);
        UserDialogs::setModalRunner([](QDialog &) { return int(QDialog::Rejected); });
        item(label->ObjectMenu(), "3D Effects")->trigger();
        QCOMPARE(changed.count(), 0);
        UserDialogs::setModalRunner(modalRunnerFor<TGFont3DEffects>([](TGFont3DEffects &d) {
            d.ShadowDepth->setCurrentIndex(3);
            d.OkButtonClick();
            return d.result();
        }));
        item(label->ObjectMenu(), "3D Effects")->trigger();
        QCOMPARE(label->DepthShadow(), 3);
        QVERIFY(changed.count() > 0);
    }
};

QTEST_MAIN(TestLabelMenu)
#include "tst_label_menu.moc"
