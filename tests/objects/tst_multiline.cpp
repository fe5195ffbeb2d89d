#include "support/ScriptedDialogs.h"

#include "app/CardClasses.h"
#include "design/CardDocument.h"
#include "design/TGBusinessCardPanel32.h"
#include "objects/TGMultiLineLabel.h"
#include "objects/TMultiLineTextEditor.h"
#include "platform/Canvas.h"
#include "platform/EditControlWrap.h"
#include "platform/ScreenMetrics.h"
#include "report/ImageTarget.h"
#include "report/SimulatedDevice.h"
#include "report/TReport.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QImage render(TGMultiLineBaseLabel &label, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    TCanvas canvas(&image, 96);
    label.PaintTo(canvas);
    return image;
}

// Lines drawn straight onto the canvas at the given x positions, clipped as
// the label clips them.
QImage reference(const TFont &font, QSize size, int boxWidth, const QList<std::pair<int, QString>> &lines)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    TCanvas canvas(&image, 96);
    canvas.setFont(font);
    canvas.setBrush(TBrush{clWhite, bsClear, {}});
    const int h = canvas.textHeight("XXX");
    for (int i = 0; i < lines.size(); ++i)
        canvas.textRect(QRect(0, i * h, boxWidth, h), lines[i].first, i * h, lines[i].second);
    return image;
}

QRect inkBounds(const QImage &image)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

TGMultiLineLabel *addLabel(TGBusinessCardPanel32 &panel, QRect bounds, const QStringList &items)
{
    auto *label = new TGMultiLineLabel(&panel);
    label->Loaded();
    panel.PlaceObject(label, bounds);
    label->SetItems(items);
    return label;
}

QStringList menuTexts(QMenu *menu)
{
    QStringList texts;
    for (QAction *item : menu->actions())
        texts << (item->isSeparator() ? QStringLiteral("-") : item->text());
    return texts;
}

} // namespace

class TestMultiLine : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        ScreenMetrics::setOverride(96);
        registerCardClasses();
    }
    void cleanup() { UserDialogs::setModalRunner({}); }

    void newLabelAndItsStoredProperties()
    {
        TGMultiLineLabel label;
        QCOMPARE(label.Width(), 190);
        QCOMPARE(label.Height(), 33);
        QCOMPARE(label.Font().name, QString("Arial"));
        QCOMPARE(label.Font().size(96), 10);
        QCOMPARE(label.Alignment(), taLeftJustify);
        QVERIFY(!label.WordWrap() && !label.AutoSize() && label.Items().isEmpty());
        QStringList names;
        for (const TPropertyDecl &decl : TGMultiLineLabel::properties())
            if (decl.group.isEmpty() || decl.name.endsWith(".Charset"))
                names << decl.name.section('.', 0, 0);
        const QStringList tail = names.mid(names.indexOf("Items"));
        QCOMPARE(tail, QStringList({"Items", "AutoSize", "Alignment", "Font", "WordWrap"}));
        // Declared defaults: only a wrapping or aligned label writes those two.
        QVERIFY(!findProperty(TGMultiLineLabel::properties(), "WordWrap")->mustWrite(label));
        QVERIFY(!findProperty(TGMultiLineLabel::properties(), "Alignment")->mustWrite(label));
        QVERIFY(findProperty(TGMultiLineLabel::properties(), "AutoSize")->mustWrite(label));
    }

    void theToolMakesALabelFromTheEditor_emptyGivesHeightZero()
    {
        TGBusinessCardPanel32 panel;
        panel.resize(336, 192);
        TFont font = panel.Font();
        font.name = "Times New Roman";
        panel.SetFont(font);
        QString text, title;
        UserDialogs::setModalRunner([&text, &title](QDialog &dialog) {
            auto &editor = dynamic_cast<TMultiLineTextEditor &>(dialog);
            title = editor.windowTitle();
            editor.Memo->setPlainText(text);
            editor.OkButtonClick();
            return int(QDialog::Accepted);
        });
        panel.SetPanelState(psMultiLineLabel);
        panel.CreateObject(QRect(10, 10, 100, 40));
        QCOMPARE(panel.ObjectCount(), 1);
        QCOMPARE(title, QString("Multi-line Text Editor"));
        auto *empty = qobject_cast<TGMultiLineLabel *>(panel.Objects().constFirst());
        QVERIFY(empty);
        QCOMPARE(empty->Font().name, QString("Times New Roman"));
        QCOMPARE(empty->Height(), 0);
        QCOMPARE(empty->ShownLines(), QStringList({"<blank>"}));

        text = "First line\nA much longer second line";
        panel.SetPanelState(psMultiLineLabel);
        panel.CreateObject(QRect(10, 80, 30, 40));
        auto *two = qobject_cast<TGMultiLineLabel *>(panel.Objects().constLast());
        QCOMPARE(two->Items(), QStringList({"First line", "A much longer second line"}));
        const TFont shown = two->Font();
        QCOMPARE(two->Height(), 2 * Fonts::textExtent(shown, 96, "XXX").height());
        QCOMPARE(two->Width(), Fonts::textExtent(shown, 96, "A much longer second line").width());
    }

    void blankLinesShowTheBlankMarker()
    {
        TGMultiLineLabel label;
        label.SetBounds(0, 0, 150, 60);
        label.SetItems({"   "});
        QCOMPARE(label.ShownLines(), QStringList({"   ", "<blank>"}));
        const QImage image = render(label, QSize(150, 60));
        const int h = Fonts::textExtent(label.Font(), 96, "XXX").height();
        const QRect ink = inkBounds(image);
        QVERIFY(!ink.isEmpty());
        QVERIFY2(ink.top() >= h, "the first line stays empty");
        QCOMPARE(image, reference(label.Font(), QSize(150, 60), 150, {{0, "   "}, {0, "<blank>"}}));
        label.SetItems({"", "x"});
        QCOMPARE(label.ShownLines(), QStringList({"", "x"}));
    }

    void wordWrapBreaksAtBlanksWithinTheBox()
    {
        TGBusinessCardPanel32 panel;
        panel.resize(336, 192);
        const QString text = "Call our new office";
        TGMultiLineLabel *label = addLabel(panel, QRect(10, 10, 100, 80), {text});
        QVERIFY(Fonts::textExtent(label->Font(), 96, text).width() > 100);
        label->SetWordWrap(true);
        const QStringList lines = label->WrappedLines();
        QVERIFY(lines.size() >= 2);
        QCOMPARE(lines.join(QString()), text);
        const int room = EditControlWrap::formatWidth(label->Font(), 96, 100);
        QVERIFY(room <= 96 && room > 80);
        for (const QString &line : lines) {
            QVERIFY2(Fonts::textExtent(label->Font(), 96, line.trimmed()).width() <= room, qPrintable(line));
            QVERIFY(!line.startsWith(' '));
        }
        // Each break is the last one that fits: the next word would not.
        for (int i = 0; i + 1 < lines.size(); ++i) {
            QVERIFY(lines[i].endsWith(' '));
            const QString longer = lines[i] + lines[i + 1].section(' ', 0, 0);
            QVERIFY(Fonts::textExtent(label->Font(), 96, longer).width() > room);
        }
        QList<std::pair<int, QString>> drawn;
        for (const QString &line : lines)
            drawn << std::pair{0, line};
        QCOMPARE(render(*label, QSize(100, 80)), reference(label->Font(), QSize(100, 80), 100, drawn));

        // Resizing rewraps; so does switching the font through the card's font command.
        label->SetBounds(10, 10, 300, 80);
        QCOMPARE(label->WrappedLines(), QStringList({text}));
        TFont big = label->Font();
        big.setSize(36, 96);
        label->ApplyFont(big);
        QCOMPARE(label->Font(), big);
        QVERIFY(label->WrappedLines().size() >= 2);
    }

    void anOverlongWordBreaksInside()
    {
        TFont font;
        font.setSize(10, 96);
        const QString word = "Supercalifragilisticexpialidocious";
        QList<bool> broken;
        const QStringList lines = EditControlWrap::wrap(word + " ok\r\n\r\nend", font, 96, 60, &broken);
        const int room = EditControlWrap::formatWidth(font, 96, 60);
        QVERIFY(lines.size() >= 5);
        QCOMPARE(lines.mid(lines.size() - 2), QStringList({"", "end"}));
        QString joined;
        for (const QString &line : lines.mid(0, lines.size() - 2)) {
            QVERIFY(!line.isEmpty());
            QVERIFY(Fonts::textExtent(font, 96, line.trimmed()).width() <= room);
            joined += line;
        }
        QCOMPARE(joined, word + " ok");
        // The lines that end inside the word say so; the others end at a blank or a paragraph.
        QCOMPARE(broken.size(), lines.size());
        QString sofar;
        for (int i = 0; i < lines.size(); ++i) {
            sofar += lines[i];
            QCOMPARE(broken[i], i < lines.size() - 2 && sofar.size() < word.size());
        }
        QVERIFY(broken.first());
        broken.clear();
        EditControlWrap::wrap("Call our new office", font, 96, 60, &broken);
        QVERIFY(broken.size() >= 2 && !broken.contains(true));
        // A box too narrow for any letter still takes one per line.
        QCOMPARE(EditControlWrap::wrap("abc", font, 96, 2), QStringList({"a", "b", "c"}));
    }

    void alignmentPlacesEachLine()
    {
        TGMultiLineLabel label;
        label.SetBounds(0, 0, 200, 40);
        // A line exactly 101 pixels wide.
        QString line;
        const auto width = [&label](const QString &text) { return Fonts::textExtent(label.Font(), 96, text).width(); };
        for (int w = 0; w < 12 && line.isEmpty(); ++w)
            for (int a = 0; a < 20 && line.isEmpty(); ++a)
                for (int i = 0; i < 40 && line.isEmpty(); ++i)
                    if (const QString candidate = QString(w, 'W') + QString(a, 'a') + QString(i, 'i');
                        width(candidate) == 101)
                        line = candidate;
        QCOMPARE(Fonts::textExtent(label.Font(), 96, line).width(), 101);
        label.SetItems({line, "ab"});
        const int ab = Fonts::textExtent(label.Font(), 96, "ab").width();
        label.SetAlignment(taCenter);
        QCOMPARE(render(label, QSize(200, 40)),
                 reference(label.Font(), QSize(200, 40), 200, {{51, line}, {100 - ab / 2 + 1, "ab"}}));
        label.SetAlignment(taRightJustify);
        QCOMPARE(render(label, QSize(200, 40)),
                 reference(label.Font(), QSize(200, 40), 200, {{200 - 101 - 1, line}, {200 - ab - 1, "ab"}}));
    }

    void menusAndTheirCommands()
    {
        TGBusinessCardPanel32 panel;
        panel.resize(336, 192);
        TGMultiLineLabel *label = addLabel(panel, QRect(10, 10, 80, 60), {"one two three four"});
        const QStringList texts = menuTexts(label->ObjectMenu());
        QCOMPARE(texts.mid(texts.size() - 6), QStringList({"-", "Font", "Alignment", "-", "Text", "Word Wrap"}));
        QMenu *alignment = nullptr;
        for (QAction *item : label->ObjectMenu()->actions())
            if (item->menu() && item->text() == "Alignment")
                alignment = item->menu();
        QVERIFY(alignment);
        QCOMPARE(menuTexts(alignment), QStringList({"Left", "Center", "Right"}));
        alignment->actions().at(2)->trigger();
        QCOMPARE(label->Alignment(), taRightJustify);
        emit label->ObjectMenu()->aboutToShow();
        QVERIFY(alignment->actions().at(2)->isChecked() && !alignment->actions().at(0)->isChecked());

        QAction *wrap = label->WordWrapItem();
        QVERIFY(wrap->isCheckable() && !wrap->isChecked());
        wrap->trigger();
        QVERIFY(label->WordWrap() && wrap->isChecked());
        QVERIFY(label->WrappedLines().size() > 1);

        // "Font": cancelled still rewraps; accepted takes the font.
        ScopedScriptedDialogs dialogs;
        TFont chosen = label->Font();
        chosen.name = "Courier New";
        dialogs->fonts.enqueue(chosen);
        label->ObjectMenu()->actions().at(texts.indexOf("Font"))->trigger();
        QCOMPARE(label->Font().name, QString("Courier New"));
        QCOMPARE(label->WrappedLines(),
                 EditControlWrap::wrap("one two three four", label->Font(), 96, label->Width()));
    }

    void editingTheLinesKeepsOrDropsTheChange()
    {
        TGBusinessCardPanel32 panel;
        panel.resize(336, 192);
        TGMultiLineLabel *label = addLabel(panel, QRect(10, 10, 150, 60), {"Jane Doe", "12 High Street"});
        int changes = 0;
        QObject::connect(&panel, &TGBasePanel::LabelChangedEvent, [&changes] { ++changes; });
        QString shown;
        UserDialogs::setModalRunner([&shown](QDialog &dialog) {
            auto &editor = dynamic_cast<TMultiLineTextEditor &>(dialog);
            shown = editor.Memo->toPlainText();
            editor.Memo->setPlainText("changed");
            return int(QDialog::Rejected);
        });
        label->EditLines();
        QCOMPARE(shown, QString("Jane Doe\n12 High Street"));
        QCOMPARE(label->Items(), QStringList({"Jane Doe", "12 High Street"}));
        QCOMPARE(changes, 0);
        UserDialogs::setModalRunner([](QDialog &dialog) {
            auto &editor = dynamic_cast<TMultiLineTextEditor &>(dialog);
            editor.Memo->setPlainText("Jane Doe\nSales\n");
            return int(QDialog::Accepted);
        });
        label->EditLines();
        QCOMPARE(label->Items(), QStringList({"Jane Doe", "Sales"}));
        QVERIFY(changes > 0);
    }

    void theEditorRefusesTextBeyond254Characters()
    {
        TMultiLineTextEditor editor(TFont{}, {});
        QCOMPARE(editor.size(), QSize(334, 209));
        QTest::keyClicks(editor.Memo, QString(300, QChar('a')));
        QCOMPARE(editor.TextLength(), 254);
        QCOMPARE(editor.Memo->toPlainText().size(), 254);
        // A line break counts two, so two characters must go first.
        editor.Memo->moveCursor(QTextCursor::End);
        QTest::keyClick(editor.Memo, Qt::Key_Return);
        QCOMPARE(editor.TextLength(), 254);
        QTest::keyClick(editor.Memo, Qt::Key_Backspace);
        QTest::keyClick(editor.Memo, Qt::Key_Return);
        QCOMPARE(editor.TextLength(), 253);
        QTest::keyClick(editor.Memo, Qt::Key_Backspace);
        QTest::keyClick(editor.Memo, Qt::Key_Return);
        QCOMPARE(editor.TextLength(), 254);
        QVERIFY(editor.Memo->toPlainText().endsWith('\n'));
        // A final line break adds no line, as the stored list has it.
        QCOMPARE(editor.Lines(), QStringList({QString(252, QChar('a'))}));

        // Pasting keeps the part that fits.
        editor.Memo->setPlainText(QString(250, QChar('b')));
        editor.Memo->moveCursor(QTextCursor::End);
        QApplication::clipboard()->setText("123456789");
        editor.Memo->paste();
        QCOMPARE(editor.Memo->toPlainText(), QString(250, QChar('b')) + "1234");
        // Replacing a selection frees its room.
        editor.Memo->selectAll();
        editor.Memo->paste();
        QCOMPARE(editor.Memo->toPlainText(), QString("123456789"));
    }

    void savedLabelReopensWithItsLinesAndWrap()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("lines.kvl");
        TGBusinessCardPanel32 panel;
        panel.resize(336, 192);
        TGMultiLineLabel *label = addLabel(panel, QRect(12, 14, 90, 70), {"Call our new office", "", "end"});
        label->SetAlignment(taCenter);
        label->SetWordWrap(true);
        QString error;
        QVERIFY2(CardDocument::SaveToFile(panel, file, &error), qPrintable(error));
        TGBusinessCardPanel32 reopened;
        reopened.resize(336, 192);
        QVERIFY2(CardDocument::LoadFromFile(reopened, file, &error), qPrintable(error));
        auto *copy = qobject_cast<TGMultiLineLabel *>(reopened.Objects().value(0));
        QVERIFY(copy);
        QCOMPARE(copy->Items(), label->Items());
        QCOMPARE(copy->Alignment(), taCenter);
        QVERIFY(copy->WordWrap());
        QCOMPARE(copy->BoundsRect(), label->BoundsRect());
        QCOMPARE(copy->WrappedLines(), label->WrappedLines());
        QCOMPARE(render(*copy, QSize(90, 70)), render(*label, QSize(90, 70)));
    }

    void zoomScalesTheFontAndRewraps()
    {
        TGBusinessCardPanel32 panel;
        panel.resize(336, 192);
        TGMultiLineLabel *label = addLabel(panel, QRect(10, 10, 100, 60), {"Call our new office"});
        label->SetWordWrap(true);
        label->SetZoom(1.5f);
        QCOMPARE(label->Width(), 150);
        QCOMPARE(label->ZoomedFont().size(96), 15);
        QCOMPARE(label->WrappedLines(), EditControlWrap::wrap("Call our new office", label->ZoomedFont(), 96, 150));
    }

    void printsWhatTheScreenShows()
    {
        TGBusinessCardPanel32 panel;
        panel.resize(336, 192);
        addLabel(panel, QRect(0, 0, 192, 48), {"Printed line"});
        TReport job(std::make_unique<ImageTarget>(SimulatedDevice(96, 96)));
        job.onPrint = [&panel](TReport &j) { panel.PrintAll(j, 1.0, 1.0); };
        QVERIFY(job.run());
        const QImage page = job.targetAs<ImageTarget>()->pages().first().convertToFormat(QImage::Format_RGB32);
        auto *label = qobject_cast<TGMultiLineLabel *>(panel.Objects().first());
        const QImage screen = render(*label, QSize(192, 48));
        QCOMPARE(page.copy(96, 96, 192, 48), screen);
    }
};

QTEST_MAIN(TestMultiLine)
#include "tst_multiline.moc"
