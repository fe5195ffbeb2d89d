#include "design/CardPanelHost.h"

#include "app/CardClasses.h"
#include "design/ComponentStreamer.h"
#include "design/stream/ComponentStreamReader.h"
#include "objects/TGPRichBaseLabel.h"
#include "objects/TRichTextLabelEditor.h"
#include "platform/HelpTopics.h"
#include "platform/SymbolFonts.h"
#include "report/PdfTarget.h"
#include "report/TReport.h"
#include "richtext/RtfReader.h"
#include "richtext/TRichTextEngine.h"
#include "richtext/TRichTextToolBar.h"
#include "support/ScriptedDialogs.h"

#include <QFile>
#include <QProcess>
#include <QScrollArea>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <QtTest>

namespace {

QByteArray sample(const QString &name)
{
    QFile file(qEnvironmentVariable("KARVELLO_TEST_SOURCE_DIR") + "/tests/data/rtf/" + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray coloured(const char *text, const char *rgb)
{
    return QByteArray("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}{\\colortbl;") + rgb + ";}\\f0\\fs28\\cf1 " + text
           + "\\par}";
}

const QByteArray LongText = "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 One two three four five six seven eight "
                            "nine ten eleven twelve thirteen fourteen fifteen sixteen.\\par}";

// Pixels of a colour (within a small tolerance) inside an area.
int countColor(const QImage &image, const QRect &area, const QColor &color)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            count += qAbs(c.red() - color.red()) < 60 && qAbs(c.green() - color.green()) < 60
                     && qAbs(c.blue() - color.blue()) < 60;
        }
    return count;
}

// The text's ink inside the frame.
QRect inkBounds(const QImage &image)
{
    QRect bounds;
    for (int y = 1; y < image.height() - 1; ++y)
        for (int x = 1; x < image.width() - 1; ++x)
            if (qGray(image.pixel(x, y)) < 160)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

QList<int> lineStarts(const TRichText &text)
{
    QList<int> starts;
    const QTextLayout *layout = text.Parsed()->begin().layout();
    for (int i = 0; i < layout->lineCount(); ++i)
        starts << layout->lineAt(i).textStart();
    return starts;
}

// Runs the rich-text editor through `script`, which returns the dialog's
// result; any other dialog is cancelled.
class EditorScript
{
public:
    explicit EditorScript(std::function<int(TRichTextLabelEditor &)> script)
        : runner([this, script](QDialog &dialog) {
              auto *editor = qobject_cast<TRichTextLabelEditor *>(&dialog);
              if (!editor)
                  return int(QDialog::Rejected);
              ++runs;
              editor->FormActivate();
              return script(*editor);
          })
    {
    }
    int runs = 0;

private:
    ScopedModalRunner runner;
};

} // namespace

class TestRichText : public QObject
{
    Q_OBJECT

private:
    struct Card : CardPanelHost {
        Card() { master = TRichTextEngine::CreateMaster(&host); }
        TGPRichBaseLabel *add(QRect r, const QByteArray &rtf = QByteArray())
        {
            auto *o = new TGPRichBaseLabel(panel);
            if (!rtf.isEmpty())
                o->SetRTFText(TRichText::fromRtf(rtf));
            o->Loaded();
            panel->PlaceObject(o, r);
            return o;
        }
        QImage renderObject(TGPRichBaseLabel &o)
        {
            QImage image(o.Width(), o.Height(), QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            o.PaintTo(painter);
            return image;
        }
        TRichTextEngine *master = nullptr;
    };

private slots:
    void initTestCase()
    {
        ScreenMetrics::setOverride(96);
        registerCardClasses();
        installComponentStreamer();
    }

    void newObjectIsAnEmptyTransparentBoxWithAFrame()
    {
        TGPRichBaseLabel fresh;
        QCOMPARE(fresh.Width(), 190);
        QCOMPARE(fresh.Height(), 33);
        QCOMPARE(fresh.BorderStyle(), bsSingle);
        QVERIFY(fresh.Transparent());
        QCOMPARE(fresh.BGColor(), clWhite);

        Card card;
        TGPRichBaseLabel *o = card.add(QRect(10, 10, 120, 40));
        QCOMPARE(o->MasterEngine(), card.master);
        const QImage image = card.render();
        const QRect box(10, 10, 120, 40);
        QCOMPARE(pixelAt(image, box.left(), box.top() + 20), QColor(Qt::black));
        QCOMPARE(pixelAt(image, box.right(), box.top() + 20), QColor(Qt::black));
        QCOMPARE(pixelAt(image, box.left() + 50, box.bottom()), QColor(Qt::black));
        QCOMPARE(countColor(image, box.adjusted(1, 1, -1, -1), Qt::black), 0);
        QCOMPARE(pixelAt(image, box.right() + 1, box.top() + 20), QColor(Qt::white));
    }

    void toolMakesTheObjectAndKeepsItWhenTheEditorIsCancelled()
    {
        Card card;
        EditorScript script([](TRichTextLabelEditor &) { return int(QDialog::Rejected); });
        card.panel->SetPanelState(psRichLabel);
        card.panel->CreateObject(QRect(30, 30, 150, 50));
        QCOMPARE(script.runs, 1);
        QCOMPARE(card.panel->ObjectCount(), 1);
        auto *o = qobject_cast<TGPRichBaseLabel *>(card.panel->Objects().first());
        QVERIFY(o);
        QCOMPARE(o->BoundsRect(), QRect(30, 30, 150, 50));
        QCOMPARE(o->RTFText(), TRichText());
    }

    void documentBytesAreStoredAndReadBackUnchanged()
    {
        Card card;
        const QByteArray suite = sample("rich1.rtf");
        TGPRichBaseLabel *o = card.add(QRect(5, 6, 200, 80), suite);
        o->SetBGColor(clYellow);
        const QByteArray container = ComponentStreamer::WriteContainer({o});
        const std::vector<StreamRecord> records = ComponentStreamReader::readContainer(container);
        QCOMPARE(records.size(), size_t(1));
        QCOMPARE(records[0].className, QStringLiteral("TGPRichBaseLabel"));
        QStringList names;
        for (const auto &[name, value] : records[0].properties)
            names << name;
        const qsizetype first = names.indexOf("RTFText.Data");
        QVERIFY(first > 0);
        QCOMPARE(names.mid(first), (QStringList{"RTFText.Data", "BorderStyle", "Transparent", "BGColor"}));
        QCOMPARE(records[0].find("RTFText.Data")->toBinary(), suite);

        Card other;
        QList<TGGraphicControl *> read;
        QVERIFY(ComponentStreamer().ReadObjects(container, *other.panel, {}, &read));
        auto *copy = qobject_cast<TGPRichBaseLabel *>(read.value(0));
        QVERIFY(copy);
        QCOMPARE(copy->RTFText().Rtf(), suite);
        QCOMPARE(copy->BGColor(), clYellow);
        QCOMPARE(copy->MasterEngine(), other.master);
        copy->SetName(o->Name());
        QCOMPARE(ComponentStreamer::WriteContainer({copy}), container);

        // An empty document is written as RTF too.
        TGPRichBaseLabel *empty = card.add(QRect(0, 0, 50, 20));
        const std::vector<StreamRecord> emptyRecords =
            ComponentStreamReader::readContainer(ComponentStreamer::WriteContainer({empty}));
        QVERIFY(emptyRecords[0].find("RTFText.Data")->toBinary().startsWith("{\\rtf1\\ansi\\deff0\\deftab720"));
    }

    void pageInTwipsComesFromTheUnzoomedSize()
    {
        Card card;
        TGPRichBaseLabel *o = card.add(QRect(0, 0, 192, 96), LongText);
        QCOMPARE(o->PageSizeTwips(), QSize(2880, 1440));
        const QImage at1 = card.renderObject(*o);
        const QList<int> breaks = lineStarts(o->RTFText());
        QVERIFY(breaks.size() >= 2);

        card.panel->SetZoom(2.0f);
        QCOMPARE(o->Width(), 384);
        QCOMPARE(o->PageSizeTwips(), QSize(2880, 1440));
        const QImage at2 = card.renderObject(*o);
        QCOMPARE(card.master->Zoom(), 200);
        QCOMPARE(lineStarts(o->RTFText()), breaks);
        // The same picture twice the size.
        const QRect ink1 = inkBounds(at1), ink2 = inkBounds(at2);
        QVERIFY(ink1.width() > 150);
        QVERIFY2(qAbs(ink2.width() - 2 * ink1.width()) <= 4 && qAbs(ink2.height() - 2 * ink1.height()) <= 4,
                 qPrintable(QString("%1x%2 %3x%4").arg(ink1.width()).arg(ink1.height()).arg(ink2.width()).arg(ink2.height())));
    }

    void twoObjectsShareTheMasterAndShowTheirOwnText()
    {
        Card card;
        TGPRichBaseLabel *red = card.add(QRect(10, 10, 140, 40), coloured("RED TEXT", "\\red255\\green0\\blue0"));
        TGPRichBaseLabel *blue = card.add(QRect(170, 10, 140, 40), coloured("BLUE TEXT", "\\red0\\green0\\blue255"));
        QCOMPARE(red->MasterEngine(), blue->MasterEngine());
        const QImage image = card.render();
        QVERIFY(countColor(image, red->BoundsRect(), Qt::red) > 20);
        QCOMPARE(countColor(image, red->BoundsRect(), Qt::blue), 0);
        QVERIFY(countColor(image, blue->BoundsRect(), Qt::blue) > 20);
        QCOMPARE(countColor(image, blue->BoundsRect(), Qt::red), 0);
    }

    void menuEntriesAndBackground()
    {
        Card card;
        ScopedScriptedDialogs dialogs;
        TGPRichBaseLabel *o = card.add(QRect(10, 10, 100, 40));
        const QStringList captions = menuCaptions(o->ObjectMenu());
        QCOMPARE(captions.mid(captions.size() - 5),
                 (QStringList{"-", "Transparent", "Background Color", "Border", "Edit"}));
        QSignalSpy changed(card.panel, &TGBasePanel::LabelChangedEvent);

        dialogs->colors.enqueue(clLime);
        menuItem(o->ObjectMenu(), "Background Color")->trigger();
        QCOMPARE(o->BGColor(), clLime);
        QVERIFY(!o->Transparent());
        QVERIFY(changed.count() >= 1);
        QCOMPARE(dialogs->colorRequests.value(0), clWhite);
        QVERIFY(countColor(card.render(), QRect(20, 20, 80, 20), Qt::green) > 1000);

        emit o->ObjectMenu()->aboutToShow();
        QVERIFY(!menuItem(o->ObjectMenu(), "Transparent")->isChecked());
        QVERIFY(menuItem(o->ObjectMenu(), "Border")->isChecked());
        menuItem(o->ObjectMenu(), "Border")->trigger();
        QCOMPARE(o->BorderStyle(), bsNone);
        menuItem(o->ObjectMenu(), "Transparent")->trigger();
        QVERIFY(o->Transparent());
        emit o->ObjectMenu()->aboutToShow();
        QVERIFY(menuItem(o->ObjectMenu(), "Transparent")->isChecked());
        QVERIFY(!menuItem(o->ObjectMenu(), "Border")->isChecked());
        QCOMPARE(countColor(card.render(), QRect(10, 10, 100, 40), Qt::black), 0);

        dialogs->colors.enqueue(std::nullopt); // cancelled: nothing changes
        menuItem(o->ObjectMenu(), "Background Color")->trigger();
        QCOMPARE(o->BGColor(), clLime);
        QVERIFY(o->Transparent());
    }

    void editOkTakesTheEditedTextAndCancelKeepsIt()
    {
        Card card;
        const QByteArray suite = sample("rich2.rtf");
        TGPRichBaseLabel *o = card.add(QRect(10, 10, 300, 100), suite);
        QSignalSpy changed(card.panel, &TGBasePanel::LabelChangedEvent);
        {
            EditorScript script([](TRichTextLabelEditor &editor) {
                QTextCursor c = editor.WPRichText1->textCursor();
                c.movePosition(QTextCursor::End);
                c.insertText("Added");
                return int(QDialog::Rejected);
            });
            o->EditRichText();
        }
        QCOMPARE(o->RTFText().Rtf(), suite);
        {
            // Ok without a change keeps the bytes as they were.
            EditorScript script([](TRichTextLabelEditor &) { return int(QDialog::Accepted); });
            menuItem(o->ObjectMenu(), "Edit")->trigger();
            QCOMPARE(script.runs, 1);
        }
        QCOMPARE(o->RTFText().Rtf(), suite);
        {
            EditorScript script([](TRichTextLabelEditor &editor) {
                QTextCursor c = editor.WPRichText1->textCursor();
                c.movePosition(QTextCursor::End);
                c.insertText("Added");
                return int(QDialog::Accepted);
            });
            QVERIFY(o->DoubleClickAction);
            o->DoubleClickAction();
            QCOMPARE(script.runs, 1);
        }
        QVERIFY(changed.count() >= 1);
        const auto parsed = o->RTFText().CloneDocument();
        QVERIFY(parsed->toPlainText().endsWith("Added"));
        QVERIFY(parsed->toPlainText().startsWith("Bold italic underline both normal"));
    }

    void editorShowsTheObjectsPageAndZoom()
    {
        Card card;
        card.panel->SetZoom(1.5f);
        TGPRichBaseLabel *o = card.add(QRect(10, 10, 180, 60), LongText);
        o->SetBGColor(clAqua);
        o->SetTransparent(false);
        TRichTextLabelEditor editor;
        editor.LoadFrom(*o);
        QCOMPARE(editor.windowTitle(), QStringLiteral("Rich Text Editor"));
        QCOMPARE(editor.WPPanel->size(), QSize(181, 61));
        QCOMPARE(editor.PageTwips(), o->PageSizeTwips());
        QCOMPARE(editor.Zoom(), 150);
        QCOMPARE(editor.WPRichText1->palette().color(QPalette::Base), QColor(0, 255, 255));
        editor.FormActivate();
        QVERIFY(editor.WPPanel->isVisibleTo(&editor));
        QCOMPARE(editor.WPRichText1->textCursor().position(), 0);

        // Above 100 percent "Zoom In" does nothing; "Zoom Out" goes down in tens.
        editor.ZoomPlusButtonClick();
        QCOMPARE(editor.Zoom(), 150);
        editor.ZoomMinusButtonClick();
        QCOMPARE(editor.Zoom(), 140);
        QCOMPARE(editor.WPPanel->size(), QSize(169, 57)); // Round(140 x 181 / 150) x Round(140 x 61 / 150)
        for (int i = 0; i < 20; ++i)
            editor.ZoomMinusButtonClick();
        QCOMPARE(editor.Zoom(), 50);
        QCOMPARE(editor.WPPanel->size(), QSize(60, 20));
        for (int i = 0; i < 20; ++i)
            editor.ZoomPlusButtonClick();
        QCOMPARE(editor.Zoom(), 100);
        QCOMPARE(editor.WPPanel->size(), QSize(121, 41));

        // The document is shown at the zoom but handed back at its own size.
        QCOMPARE(editor.WPToolBar1->FontSize->currentText(), QStringLiteral("10"));
        QTextCursor c = editor.WPRichText1->textCursor();
        c.insertText("X");
        const auto back = editor.Text().CloneDocument();
        QCOMPARE(back->begin().begin().fragment().charFormat().fontPointSize(), 10.0);
        QVERIFY(back->toPlainText().startsWith("XOne two"));
    }

    void editorOkKeepsTablesHiddenTextSymbolsTabsAndSpacing()
    {
        Card card;
        TGPRichBaseLabel *o = card.add(QRect(10, 10, 300, 150), sample("cardfeatures.rtf"));
        TRichTextLabelEditor editor;
        editor.LoadFrom(*o);
        editor.FormActivate();
        editor.ZoomMinusButtonClick(); // shown at another size, handed back at its own

        // The Wingdings code shows as its picture in the editor.
        const QString face = SymbolFonts::unicodeFor(SymbolFonts::TSymbolSet::ssWingdings, 'J');
        QVERIFY(editor.WPRichText1->toPlainText().startsWith("ACME Widgets\n" + face + " Ask"));

        QTest::keyClick(editor.WPRichText1, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(editor.WPRichText1, "Z");
        const QByteArray rtf = editor.Text().Rtf();
        for (const char *word : {"\\trowd\\trgaph108\\trleft-108\\cellx1440\\cellx4320", "Email\\cell ", "\\row",
                                 "\\v  (internal", "\\tx1440\\tqr\\tx4320", "\\tqc\\tx2880", "\\sl360\\slmult1",
                                 "\\sl-300\\slmult0", "\\fcharset2 Wingdings;", "\\fs18 J", "\\f1\\fs18 :", "Z"})
            QVERIFY2(rtf.contains(word), word);

        // A picture typed into a symbol run is stored as its code.
        QTextCursor c = editor.WPRichText1->document()->find(face);
        c.insertText(face + face);
        QVERIFY(editor.Text().Rtf().contains("\\fs18 JJ\\plain"));
    }

    void toolBarFormatsTheSelection()
    {
        Card card;
        TGPRichBaseLabel *o = card.add(QRect(10, 10, 200, 60), LongText);
        TRichTextLabelEditor editor;
        editor.LoadFrom(*o);
        editor.FormActivate();
        TRichTextToolBar *bar = editor.WPToolBar1;
        QCOMPARE(bar->FontSize->itemText(0), QStringLiteral("6"));
        QTextCursor c = editor.WPRichText1->textCursor();
        c.setPosition(0);
        c.setPosition(3, QTextCursor::KeepAnchor);
        editor.WPRichText1->setTextCursor(c);
        bar->BoldAction->trigger();
        bar->ItalicAction->trigger();
        bar->UnderlineAction->trigger();
        bar->FontColor->setCurrentIndex(bar->FontColor->findText("Red"));
        emit bar->FontColor->activated(bar->FontColor->currentIndex());
        bar->FontSize->setEditText("16");
        emit bar->FontSize->textActivated("16");
        bar->CenterAction->trigger();
        const auto back = editor.Text().CloneDocument();
        const QTextCharFormat one = back->begin().begin().fragment().charFormat();
        QCOMPARE(back->begin().begin().fragment().text(), QStringLiteral("One"));
        QVERIFY(one.fontWeight() >= QFont::Bold);
        QVERIFY(one.fontItalic());
        QVERIFY(one.fontUnderline());
        QCOMPARE(one.foreground().color(), QColor(255, 0, 0));
        QCOMPARE(one.fontPointSize(), 16.0);
        QCOMPARE(back->begin().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);

        bar->NormalAction->trigger();
        const QTextCharFormat plain = editor.Text().CloneDocument()->begin().begin().fragment().charFormat();
        QVERIFY(plain.fontWeight() < QFont::DemiBold && !plain.fontItalic() && !plain.fontUnderline());
    }

    void withoutAMasterEngineTheErrorIsShownAndNothingDrawn()
    {
        ScopedScriptedDialogs dialogs;
        CardPanelHost bare;
        auto *o = new TGPRichBaseLabel(bare.panel);
        o->SetRTFText(TRichText::fromRtf(LongText));
        o->Loaded();
        bare.panel->PlaceObject(o, QRect(10, 10, 150, 50));
        QCOMPARE(dialogs->texts(), QStringList{"No master rich text object found"});
        QVERIFY(!o->MasterEngine());
        const QImage image = bare.render();
        QCOMPARE(countColor(image, o->BoundsRect(), Qt::black), 0);
    }

    void hostileDocumentIsKeptAndPaintsWhatItCanRead()
    {
        Card card;
        const QByteArray hostile = "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs" + QByteArray(400, '9') + " "
                                   + QByteArray(50000, '{') + "\\bin999999999 \\u";
        TGPRichBaseLabel *o = card.add(QRect(10, 10, 150, 50), hostile);
        const QImage image = card.render(); // the huge size is clamped; the binary tail skipped
        QCOMPARE(pixelAt(image, 10, 30), QColor(Qt::black));
        QCOMPARE(o->RTFText().Rtf(), hostile);
        const QByteArray container = ComponentStreamer::WriteContainer({o});
        QCOMPARE(ComponentStreamReader::readContainer(container)[0].find("RTFText.Data")->toBinary(), hostile);
    }

    void editorHelpIsItsOwnTopic()
    {
        TRichTextLabelEditor editor;
        QVERIFY(HelpTopicPage(TRichTextLabelEditor::HelpTopicNumber).toString().endsWith("richtext.html"));
        QCOMPARE(TRichTextLabelEditor::HelpTopicNumber, 40013);
    }

    void suppressedPaintingDrawsNothing()
    {
        Card card;
        TGPRichBaseLabel *o = card.add(QRect(10, 10, 150, 50), LongText);
        card.panel->SetPaintingSuppressed(true);
        QCOMPARE(countColor(card.render(), o->BoundsRect(), Qt::black), 0);
        card.panel->SetPaintingSuppressed(false);
        QVERIFY(countColor(card.render(), o->BoundsRect(), Qt::black) > 100);
    }

    void printsAsTextInPdf()
    {
        const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
        if (pdftotext.isEmpty())
            QSKIP("pdftotext is not installed");
        Card card;
        card.add(QRect(10, 10, 300, 100), sample("rich1.rtf"));
        QTemporaryDir dir;
        const QString pdf = dir.filePath("card.pdf");
        TReport job(std::make_unique<PdfTarget>(pdf, 600));
        job.onPrint = [&card](TReport &j) { card.panel->PrintAll(j, 1.0, 1.0); };
        QVERIFY(job.run());
        QProcess extract;
        extract.start(pdftotext, {pdf, "-"});
        QVERIFY(extract.waitForFinished(30000));
        const QString text = QString::fromUtf8(extract.readAllStandardOutput());
        QVERIFY2(text.contains("Jane Q. Doe"), qPrintable(text));
        QVERIFY2(text.contains(QString::fromUtf8("Caf\u00e9")), qPrintable(text));
    }
};

QTEST_MAIN(TestRichText)
#include "tst_richtext.moc"
