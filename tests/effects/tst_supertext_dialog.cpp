// The SuperText properties dialog, its symbol selector and texture browser.
#include "app/CardClasses.h"
#include "design/TGBusinessCardPanel32.h"
#include "design/ObjectSampleView.h"
#include "effects/TGSuperText.h"
#include "effects/TSuperTextGetSymbol.h"
#include "effects/TSuperTextProperties.h"
#include "effects/TTextureBrowser.h"
#include "platform/HelpTopics.h"
#include "platform/ScreenMetrics.h"
#include "platform/SymbolFonts.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProgramFolder.h"
#include "widgets/TDFSXPColorButton.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QListWidget>
#include <QSpinBox>
#include <QtTest>

namespace {

int fontPoints(const TGSuperText &t)
{
    return t.Font().size(96);
}

QByteArray bmpFile(QColor color)
{
    QImage image(6, 6, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

} // namespace

class TestSuperTextDialog : public QObject
{
    Q_OBJECT

private slots:
    void init() { ScreenMetrics::setOverride(96); }
    void cleanup() { TSuperTextGetSymbol::SetFontSource({}); }

    void controlsShowTheSample()
    {
        TSuperTextProperties d;
        QCOMPARE(d.windowTitle(), QString("SuperText Properties"));
        TGSuperText &s = d.Sample();
        QCOMPARE(s.Width(), 100);
        QCOMPARE(s.Height(), 100);
        QCOMPARE(d.SamplePanel->size(), QSize(554, 190));
        s.SetCaption("Shown");
        s.SetSurfaceType(TGSuperText::stNormal);
        s.SetOutlineStyle(psDashDot);
        s.SetOutlineWidth(4);
        s.SetShadowOrientation(TGSuperText::sdDownLeft);
        s.SetShadowDepth(7);
        s.SetShadowcolor(clRed);
        d.FormActivate();
        QCOMPARE(d.CaptionText->text(), QString("Shown"));
        QCOMPARE(d.SurfaceTypeCombo->currentItem()->text(), QString("Normal"));
        QCOMPARE(d.OutlineStyleCombo->currentText(), QString("DashDot Line"));
        QCOMPARE(d.OutLineWidthSpinner->value(), 4);
        QCOMPARE(d.ShadowOrientationCombo->currentText(), QString("Down and Left"));
        QCOMPARE(d.ShadowDepthSpinner->value(), 7);
        QCOMPARE(d.ShadowColorButton->Color(), clRed);
        QVERIFY(!d.FontColorPanel->isHidden());
        QVERIFY(d.GradientPanel->isHidden());
        QVERIFY(d.TexturePanel->isHidden());
        QCOMPARE(d.ShadowDepthSpinner->maximum(), 10);
        QCOMPARE(d.OutLineWidthSpinner->maximum(), 10);
        QCOMPARE(d.FillDirectionCombo->count(), 4);
    }

    void panelsFollowTheSurfaceAndTextureDefaults()
    {
        TSuperTextProperties d;
        d.FormActivate();
        const QList<QWidget *> panels{d.FontColorPanel, d.GradientPanel, d.TexturePanel};
        const QList<int> shown{0, -1, 2, 1}; // index into panels per surface type
        for (int type = 0; type < 4; ++type) {
            d.SurfaceTypeCombo->setCurrentRow(type);
            QCOMPARE(int(d.Sample().SurfaceType()), type);
            for (int p = 0; p < 3; ++p)
                QCOMPARE(!panels[p]->isHidden(), shown[type] == p);
        }
        // "Texture" before any file was loaded shows the stored default.
        d.SurfaceTypeCombo->setCurrentRow(TGSuperText::stBrushImage);
        QCOMPARE(d.Sample().Image(), TSuperTextProperties::DefaultTexture());
    }

    void controlsWriteIntoTheSampleAtOnce()
    {
        TSuperTextProperties d;
        d.FormActivate();
        TGSuperText &s = d.Sample();
        d.FillDirectionCombo->setCurrentIndex(gdUp);
        d.FillDirectionComboChange();
        QCOMPARE(s.FillDirection(), gdUp);
        d.OutlineStyleCombo->setCurrentIndex(5);
        d.OutlineStyleComboChange();
        QCOMPARE(s.OutlineStyle(), psClear);
        d.ShadowOrientationCombo->setCurrentIndex(5);
        d.ShadowOrientationComboChange();
        QCOMPARE(s.ShadowOrientation(), TGSuperText::sdDown);
        d.ShadowDepthSpinner->setValue(6);
        QCOMPARE(s.ShadowDepth(), 6);
        d.OutLineWidthSpinner->setValue(3);
        QCOMPARE(s.OutlineWidth(), 3);
        d.GradientToColorButton->SetColor(clLime);
        QCOMPARE(s.GradientToColor(), clLime);
        d.GradientFromcolorButton->SetColor(clMaroon);
        QCOMPARE(s.GradientFromColor(), clMaroon);
        d.OutlineColorButton->SetColor(clNavy);
        QCOMPARE(s.OutlineColor(), clNavy);
        d.FontColorButton->SetColor(clPurple);
        QCOMPARE(s.Font().color, clPurple);
    }

    void typingRefitsOnTheTimerOnly()
    {
        TSuperTextProperties d;
        d.FormActivate();
        QVERIFY(d.Timer1.isActive());
        QCOMPARE(d.Timer1.interval(), 200);
        TGSuperText &s = d.Sample();
        const int before = s.Width();
        d.CaptionText->setText("A much longer caption than before");
        QCOMPARE(s.Caption(), QString("A much longer caption than before"));
        QVERIFY(d.CaptionChanged());
        QCOMPARE(s.Width(), before); // not at each key
        d.Timer1Timer();
        QVERIFY(!d.CaptionChanged());
        QVERIFY(s.Width() > before);
        QVERIFY(d.Timer1.isActive());
        // A tick without typing changes nothing.
        s.SetBounds(0, 0, 50, 50);
        d.Timer1Timer();
        QCOMPARE(s.Width(), 50);
    }

    // The shown dialog with keys typed into it: the sample is fitted to the
    // object's caption as soon as the dialog opens, and again to what is typed.
    void shownDialogFitsItsSampleOnOpeningAndAfterTyping()
    {
        TGBusinessCardPanel32 panel;
        panel.resize(336, 192);
        auto *t = new TGSuperText(&panel);
        t->Loaded();
        panel.PlaceObject(t, QRect(10, 10, 120, 40)); // too narrow for "Text" at 48 points
        const auto whole = [](TGSuperText &s) {
            s.RunLayout();
            return s.FittedCaption(s.ZoomedFont(), s.Width() - s.TextRect().left()) == s.Caption();
        };
        bool fittedOnOpening = false;
        bool fittedAfterTyping = false;
        ScopedModalRunner run(modalRunnerFor<TSuperTextProperties>([&](TSuperTextProperties &d) {
            d.show();
            if (!QTest::qWaitForWindowExposed(&d))
                return int(QDialog::Rejected);
            fittedOnOpening = QTest::qWaitFor([&] { return whole(d.Sample()); }, 2000);
            QTest::keyClick(d.CaptionText, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(d.CaptionText, "ACME WIDGETS");
            fittedAfterTyping = QTest::qWaitFor(
                [&] { return d.Sample().Caption() == "ACME WIDGETS" && whole(d.Sample()); }, 2000);
            QTest::mouseClick(d.OkButton, Qt::LeftButton);
            return d.result();
        }));
        t->EditProperties();
        QVERIFY(fittedOnOpening);
        QVERIFY(fittedAfterTyping);
        QCOMPARE(t->Caption(), QString("ACME WIDGETS"));
    }

    void fontSizeMovesInStepsOfFiveWithinItsLimits()
    {
        TSuperTextProperties d;
        TGSuperText &s = d.Sample();
        TFont f = s.Font();
        f.setSize(12, 96);
        s.SetFont(f);
        d.FontSizeClick(false);
        QCOMPARE(fontPoints(s), 7);
        d.FontSizeClick(false);
        QCOMPARE(fontPoints(s), 7);
        d.FontSizeClick(true);
        QCOMPARE(fontPoints(s), 12);
        f.setSize(145, 96);
        s.SetFont(f);
        d.FontSizeClick(true);
        QCOMPARE(fontPoints(s), 150);
        d.FontSizeClick(true);
        QCOMPARE(fontPoints(s), 150);
        QVERIFY(s.Width() > 200); // fitted to the large text
    }

    void selectFontOffersOutlineFontsAndFits()
    {
        ScopedScriptedDialogs dialogs;
        TSuperTextProperties d;
        d.FormActivate();
        TFont chosen = d.Sample().Font();
        chosen.name = "Courier New";
        chosen.setSize(20, 96);
        dialogs->fonts.enqueue(chosen);
        d.SelectFontClick();
        QCOMPARE(dialogs->fontTrueTypeOnly, QList<bool>{true});
        QCOMPARE(d.Sample().Font().name, QString("Courier New"));
        QCOMPARE(d.CaptionText->font().family(), Fonts::resolveFamily("Courier New"));
        // Cancelled: nothing changes.
        d.SelectFontClick();
        QCOMPARE(d.Sample().Font().name, QString("Courier New"));
    }

    void okNeedsSomeText()
    {
        ScopedScriptedDialogs dialogs;
        TSuperTextProperties d;
        d.FormActivate();
        d.CaptionText->setText("");
        d.OkButtonClick();
        QCOMPARE(dialogs->informations(), QStringList{"Please enter some text"});
        QCOMPARE(d.result(), int(QDialog::Rejected));
        d.CaptionText->setText("x");
        d.OkButtonClick();
        QCOMPARE(d.result(), int(QDialog::Accepted));
    }

    void editPropertiesTakesTheSampleBackOnlyOnOk()
    {
        TGBusinessCardPanel32 panel;
        auto *t = new TGSuperText(&panel);
        t->Loaded();
        panel.PlaceObject(t, QRect(10, 10, 160, 50));
        t->SetControlTransparent(false);
        const QRect bounds = t->BoundsRect();

        {
            ScopedModalRunner run(modalRunnerFor<TSuperTextProperties>([](TSuperTextProperties &d) {
                d.CaptionText->setText("Changed");
                d.ShadowDepthSpinner->setValue(4);
                d.Sample().SetControlTransparent(true);
                return int(QDialog::Rejected);
            }));
            t->EditProperties();
        }
        QCOMPARE(t->Caption(), QString("Text"));
        QCOMPARE(t->ShadowDepth(), 0);

        int sampleWidth = 0;
        {
            ScopedModalRunner run(modalRunnerFor<TSuperTextProperties>([&sampleWidth](TSuperTextProperties &d) {
                sampleWidth = d.Sample().Width();
                d.CaptionText->setText("Changed");
                d.ShadowDepthSpinner->setValue(4);
                d.SurfaceTypeCombo->setCurrentRow(TGSuperText::stNormal);
                d.FontColorButton->SetColor(clRed);
                d.Sample().SetControlTransparent(true); // the menu's business, not the dialog's
                d.Sample().SetBounds(0, 0, 20, 20);
                return int(QDialog::Accepted);
            }));
            t->EditProperties();
        }
        QCOMPARE(sampleWidth, 160); // the object's size, copied in
        QCOMPARE(t->Caption(), QString("Changed"));
        QCOMPARE(t->ShadowDepth(), 4);
        QCOMPARE(t->SurfaceType(), TGSuperText::stNormal);
        QCOMPARE(t->Font().color, clRed);
        QVERIFY(!t->ControlTransparent());
        QCOMPARE(t->Left(), bounds.left());
        QVERIFY(t->Width() != 20); // the sample's size stays in the dialog
    }

    // What the fitted sample showed whole, the card shows whole: a box too
    // narrow for the confirmed caption widens; a wide enough one keeps its size.
    void confirmedCaptionIsShownWhole()
    {
        TGBusinessCardPanel32 panel;
        panel.resize(336, 192);
        auto *t = new TGSuperText(&panel);
        t->Loaded();
        panel.PlaceObject(t, QRect(10, 10, 120, 40));
        const auto confirm = [t](const QString &caption) {
            ScopedModalRunner run(modalRunnerFor<TSuperTextProperties>([caption](TSuperTextProperties &d) {
                d.CaptionText->setText(caption);
                return int(QDialog::Accepted);
            }));
            t->EditProperties();
            t->RunLayout();
            return t->FittedCaption(t->ZoomedFont(), t->Width() - t->TextRect().left());
        };
        QCOMPARE(confirm("ACME"), QString("ACME"));
        const int wide = t->Width();
        QVERIFY(wide > 120);
        QCOMPARE(confirm("A"), QString("A"));
        QCOMPARE(t->Width(), wide);
    }

    void toolDrawsATextAndOpensItsDialog()
    {
        registerCardClasses();
        TGBusinessCardPanel32 panel;
        panel.resize(336, 192);
        panel.SetPanelState(psSuperText);
        QString sampleCaption;
        ScopedModalRunner run(modalRunnerFor<TSuperTextProperties>([&sampleCaption](TSuperTextProperties &d) {
            sampleCaption = d.CaptionText->text();
            d.CaptionText->setText("Drawn");
            return int(QDialog::Accepted);
        }));
        panel.CreateObject(QRect(20, 20, 150, 40));
        QCOMPARE(panel.ObjectCount(), 1);
        auto *t = qobject_cast<TGSuperText *>(panel.Objects().first());
        QVERIFY(t);
        QCOMPARE(sampleCaption, QString("Text"));
        QCOMPARE(t->Caption(), QString("Drawn"));
        QCOMPARE(t->Name(), QString("Special1"));
        QCOMPARE(t->ObjectMenu()->actions().last()->text(), QString("Properties"));
        QVERIFY(TGClassRegistry::find("TGSuperText"));
    }

    void symbolSelectorPrefersWingdingsAndPicksOneCharacter()
    {
        TSuperTextGetSymbol::SetFontSource([] { return QStringList{"Webdings", "Wingdings", "Symbol"}; });
        TSuperTextGetSymbol selector;
        QVERIFY(!selector.NoFonts());
        QCOMPARE(selector.windowTitle(), QString("Symbol Selector"));
        QCOMPARE(selector.SymbolSets->count(), 3);
        QCOMPARE(selector.SymbolSets->itemText(0), QString("Symbol")); // sorted
        QCOMPARE(selector.SymbolSets->currentText(), QString("Wingdings"));
        QCOMPARE(selector.SymbolList->count(), 224);
        // The cells show the pictures the codes stand for in the chosen set:
        // the Wingdings telephone for "(", never the Latin letter.
        QCOMPARE(selector.SymbolList->item(0)->text(), QString(" "));
        QCOMPARE(selector.SymbolList->item(0x28 - 32)->text(), QString::fromUcs4(U"\U0001F57F"));
        QCOMPARE(selector.SymbolList->item(223)->text(),
                 SymbolFonts::displayText("Wingdings", QString(SymbolFonts::characterOf(0xFF))));
        selector.FormActivate();
        QCOMPARE(selector.ChosenChar(), QString(" "));
        selector.SymbolList->setCurrentRow(74 - 32);
        QCOMPARE(selector.ChosenChar(), QString("J"));
        selector.SymbolSets->setCurrentIndex(0);
        QCOMPARE(selector.ChosenFontName(), QString("Symbol"));
        selector.CopyCharButtonClick();
        QCOMPARE(selector.result(), int(QDialog::Accepted));

        // Through the properties dialog: the whole text becomes that character.
        ScopedScriptedDialogs dialogs;
        TSuperTextProperties d;
        d.FormActivate();
        ScopedModalRunner run(modalRunnerFor<TSuperTextGetSymbol>([](TSuperTextGetSymbol &s) {
            s.SymbolList->setCurrentRow(0x4A - 32);
            return int(QDialog::Accepted);
        }));
        d.SelectSymbolClick();
        QCOMPARE(d.CaptionText->text(), QString("J"));
        QCOMPARE(d.Sample().Caption(), QString("J"));
        QCOMPARE(d.Sample().Font().name, QString("Wingdings"));
    }

    void theWindowsSymbolSetsAreOfferedByTheirWindowsNames()
    {
        TSuperTextGetSymbol::SetFontSource({});
        const QStringList offered = TSuperTextGetSymbol::InstalledSymbolFonts();
        for (const QString &name : SymbolFonts::windowsFamilies())
            QVERIFY2(offered.contains(name), qPrintable(name));
        TSuperTextGetSymbol selector;
        QVERIFY(!selector.NoFonts());
        QVERIFY(selector.SymbolSets->currentText().toUpper().contains("WINGDING"));
    }

    void noSymbolFontsChangesNothing()
    {
        TSuperTextGetSymbol::SetFontSource([] { return QStringList(); });
        ScopedScriptedDialogs dialogs;
        TSuperTextProperties d;
        d.FormActivate();
        int shown = 0;
        ScopedModalRunner run([&shown](QDialog &) {
            ++shown;
            return int(QDialog::Accepted);
        });
        d.SelectSymbolClick();
        QCOMPARE(shown, 0);
        QCOMPARE(dialogs->informations(), QStringList{"No Symbol fonts installed"});
        QCOMPARE(d.Sample().Caption(), QString("Text"));
        QCOMPARE(d.Sample().Font().name, QString("Arial"));
    }

    void textureBrowserStartsInTexturesAndBringsThePictureBack()
    {
        TempProgramFolder program;
        QVERIFY(program.writeFile("Textures/green.bmp", bmpFile(QColor(0, 160, 0))));
        ScopedScriptedDialogs dialogs;
        TSuperTextProperties d;
        d.FormActivate();
        d.SurfaceTypeCombo->setCurrentRow(TGSuperText::stBrushImage);
        QString startFolder;
        ScopedModalRunner run(modalRunnerFor<TTextureBrowser>([&](TTextureBrowser &browser) {
            startFolder = browser.Folder();
            auto &example = static_cast<TGSuperText &>(browser.Example());
            if (example.Caption() != d.Sample().Caption())
                return int(QDialog::Rejected);
            browser.SelectFile(program.filePath("Textures/green.bmp"));
            return int(QDialog::Accepted);
        }));
        d.LoadImageButtonClick();
        QCOMPARE(QDir(startFolder).dirName(), QString("Textures"));
        QCOMPARE(d.Sample().Image().size(), QSize(6, 6));
        QCOMPARE(d.Sample().Image().pixelColor(2, 2), QColor(0, 160, 0));
        QCOMPARE(d.LastUsedTexture().pixelColor(2, 2), QColor(0, 160, 0));
        QCOMPARE(QFileInfo(d.TexturePath()).fileName(), QString("green.bmp"));
    }

    void helpPageExists()
    {
        TSuperTextProperties d;
        InitKarvelloResources();
        const QUrl page = HelpTopicPage(TSuperTextProperties::HelpTopicNumber);
        QVERIFY(page != HelpContentsPage());
        QVERIFY(QFile::exists(":" + page.path()));
        QCOMPARE(TSuperTextProperties::HelpTopicNumber, 40014);
    }
};

QTEST_MAIN(TestSuperTextDialog)
#include "tst_supertext_dialog.moc"
