// Circular text in card documents, the clipboard, clones, print, preview and PDF.
#include "CircleTextSupport.h"

#include "app/CardClasses.h"
#include "design/CardDocument.h"
#include "design/ComponentStreamer.h"
#include "design/SheetLayout.h"
#include "design/TGHandle.h"
#include "design/stream/ComponentStreamReader.h"
#include "platform/ScreenMetrics.h"
#include "report/ImageTarget.h"
#include "report/PdfTarget.h"
#include "report/RecordedTarget.h"
#include "report/ReportPage.h"
#include "report/TReport.h"
#include "support/TempProgramFolder.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace CircleTextSupport;

namespace {

// A circular text with no value left at its construction value.
TGPCircleText *unusualText(TGBusinessCardPanel32 &panel)
{
    TGPCircleText *t = addCircleText(panel, QRect(12, 14, 190, 150));
    t->SetCaption(QString::fromUtf8("Caf\u00e9 \u00fcber alles"));
    t->SetStartingVector(dg360);
    t->SetDegrees(dg270);
    TFont font = arial(14);
    font.name = "Times New Roman";
    font.style = fsItalic | fsUnderline;
    font.color = clNavy;
    t->SetFont(font);
    t->SetMirror(true);
    t->SetDrawLettersAngled(false);
    t->SetBorderStyle(bsSingle);
    t->SetControlTransparent(false);
    t->SetBGColor(clYellow);
    return t;
}

void compareProperties(const TGPCircleText &a, const TGPCircleText &b)
{
    QCOMPARE(b.BoundsRect(), a.BoundsRect());
    QCOMPARE(b.Caption(), a.Caption());
    QCOMPARE(b.StartingVector(), a.StartingVector());
    QCOMPARE(b.Degrees(), a.Degrees());
    QCOMPARE(b.Font(), a.Font());
    QCOMPARE(b.Mirror(), a.Mirror());
    QCOMPARE(b.DrawLettersAngled(), a.DrawLettersAngled());
    QCOMPARE(b.BorderStyle(), a.BorderStyle());
    QCOMPARE(b.ControlTransparent(), a.ControlTransparent());
    QCOMPARE(b.BGColor(), a.BGColor());
}

bool printCard(TGBusinessCardPanel32 &panel, TReport &job)
{
    job.onPrint = [&panel](TReport &j) { panel.PrintAll(j, 1.0, 1.0); };
    return job.run();
}

} // namespace

class TestCircleTextDocument : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        ScreenMetrics::setOverride(96);
        registerCardClasses();
    }

    void everyPropertyIsWrittenInOrder()
    {
        TGPCircleText t;
        t.SetBounds(1, 2, 142, 33);
        const StreamRecord record = ComponentStreamer::RecordOf(t);
        QCOMPARE(record.className, QString("TGPCircleText"));
        QStringList names;
        for (const auto &p : record.properties)
            names << p.first;
        // The construction values are written too: nothing has a stored default.
        QCOMPARE(names, (QStringList{"Left", "Top", "Width", "Height", "Locked", "Unselectable", "StartingVector",
                                     "Degrees", "Font.Charset", "Font.Color", "Font.Height", "Font.Name",
                                     "Font.Style", "Mirror", "DrawLettersAngled", "BorderStyle",
                                     "ControlTransparent", "BGColor", "Caption"}));
        QCOMPARE(record.find("StartingVector")->toIdent(), QString("dg180"));
        QCOMPARE(record.find("Degrees")->toIdent(), QString("dg360"));
        QCOMPARE(record.find("BorderStyle")->toIdent(), QString("bsNone"));
        QCOMPARE(record.find("Font.Name")->toText(), QString("Arial"));
        QCOMPARE(record.find("Font.Style")->toSet(), QStringList{"fsBold"});
        QCOMPARE(record.find("Caption")->toText(), QString("ABC DEF GHI JKL"));
    }

    void savedCardReopensWithEveryProperty()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("slogan.kvl");
        TGBusinessCardPanel32 panel;
        panel.resize(336, 192);
        TGPCircleText *t = unusualText(panel);
        const QImage before = panel.RenderToBitmap();
        QString error;
        QVERIFY2(CardDocument::SaveToFile(panel, file, &error), qPrintable(error));

        TGBusinessCardPanel32 reopened;
        reopened.resize(336, 192);
        QVERIFY2(CardDocument::LoadFromFile(reopened, file, &error), qPrintable(error));
        QCOMPARE(reopened.ObjectCount(), 1);
        auto *copy = qobject_cast<TGPCircleText *>(reopened.Objects().first());
        QVERIFY(copy);
        compareProperties(*t, *copy);
        QVERIFY(copy->ObjectMenu());
        QCOMPARE(reopened.RenderToBitmap(), before);
    }

    void clipboardAndCloneCarryEverything()
    {
        TempProgramFolder folder;
        TGBusinessCardPanel32 panel;
        panel.SetCardSize(SheetLayout());
        TGPCircleText *t = unusualText(panel);
        panel.Handle()->SelectObject(t);
        panel.Copy();
        panel.Paste();
        QCOMPARE(panel.ObjectCount(), 2);
        auto *pasted = qobject_cast<TGPCircleText *>(panel.Objects().at(1));
        QVERIFY(pasted);
        QCOMPARE(pasted->Caption(), t->Caption());
        QCOMPARE(pasted->Font(), t->Font());
        QCOMPARE(pasted->Degrees(), dg270);
        QVERIFY(pasted->Mirror());
        QCOMPARE(pasted->BGColor(), clYellow);

        t->Clone();
        QCOMPARE(panel.ObjectCount(), 3);
        auto *clone = qobject_cast<TGPCircleText *>(panel.Objects().last());
        QVERIFY(clone);
        QCOMPARE(clone->Top(), t->Top() + 25);
        clone->SetTop(t->Top());
        compareProperties(*t, *clone);
    }

    // On paper the letters stand where they stand on screen, at twice the
    // resolution twice as far from the object's corner.
    void printedLettersLandWhereTheScreenShowsThem()
    {
        TGBusinessCardPanel32 panel;
        panel.resize(336, 192);
        TGPCircleText *t = addCircleText(panel, QRect(30, 20, 180, 150));
        t->SetFont(arial(16));
        t->SetCaption(QString("H") + QString(5, ' ')); // one letter, at 9 o'clock
        const Ink screen = inkIn(render(*t));
        QVERIFY(screen.count > 20);

        TReport job(std::make_unique<ImageTarget>(SimulatedDevice(192, 192)));
        QVERIFY(printCard(panel, job));
        const QImage page = job.targetAs<ImageTarget>()->pages().first();
        const QRect box(192 + 2 * 30, 192 + 2 * 20, 2 * 180, 2 * 150);
        const Ink printed = inkIn(page, box);
        QVERIFY(printed.count > 3 * screen.count);
        const QPointF expected = QPointF(box.topLeft()) + 2 * screen.centre;
        QVERIFY2(std::hypot(printed.centre.x() - expected.x(), printed.centre.y() - expected.y()) < 2.0,
                 qPrintable(QString("printed at %1,%2, expected %3,%4")
                                .arg(printed.centre.x())
                                .arg(printed.centre.y())
                                .arg(expected.x())
                                .arg(expected.y())));
        QCOMPARE(inkIn(page).count, printed.count);
    }

    void previewRecordingShowsTheLetters()
    {
        TGBusinessCardPanel32 panel;
        panel.resize(336, 192);
        TGPCircleText *t = addCircleText(panel, QRect(30, 20, 180, 150));
        const Ink screen = inkIn(render(*t));
        TReport job(std::make_unique<RecordedTarget>(SimulatedDevice(96, 96)));
        QVERIFY(printCard(panel, job));
        const RecordedJob &recorded = job.targetAs<RecordedTarget>()->job();
        QCOMPARE(recorded.pages.size(), 1);
        QImage page(850, 1100, QImage::Format_RGB32);
        page.fill(Qt::white);
        QPainter painter(&page);
        ReportPage::playPicture(painter, recorded.pages.first());
        painter.end();
        const Ink shown = inkIn(page, QRect(96 + 30, 96 + 20, 180, 150));
        QVERIFY(std::abs(shown.count - screen.count) < screen.count / 5);
        // The preview sets the letters as paper does (unhinted, each centred
        // on its anchor), so it matches the object's own paper drawing.
        QImage paper(t->Width(), t->Height(), QImage::Format_RGB32);
        paper.fill(Qt::white);
        {
            QPainter p(&paper);
            t->MakeMetafile(true).play(&p);
        }
        const Ink expected = inkIn(paper);
        QVERIFY2(std::hypot(shown.centre.x() - 126 - expected.centre.x(), shown.centre.y() - 116 - expected.centre.y()) < 1.0,
                 qPrintable(QString("shown at %1,%2, the object's paper drawing at %3,%4")
                                .arg(shown.centre.x() - 126)
                                .arg(shown.centre.y() - 116)
                                .arg(expected.centre.x())
                                .arg(expected.centre.y())));
    }

    void pdfKeepsTheLettersAsText()
    {
        const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
        if (pdftotext.isEmpty())
            QSKIP("pdftotext is not installed");
        TGBusinessCardPanel32 panel;
        panel.resize(336, 192);
        TGPCircleText *angled = addCircleText(panel, QRect(10, 10, 160, 160));
        angled->SetCaption("QWXZ");
        TGPCircleText *upright = addCircleText(panel, QRect(170, 10, 160, 160));
        upright->SetCaption("KJVY");
        upright->SetDrawLettersAngled(false);
        QTemporaryDir dir;
        const QString pdf = dir.filePath("card.pdf");
        TReport job(std::make_unique<PdfTarget>(pdf, 600));
        QVERIFY(printCard(panel, job));
        QProcess extract;
        extract.start(pdftotext, {pdf, "-"});
        QVERIFY(extract.waitForFinished(30000));
        const QString text = QString::fromUtf8(extract.readAllStandardOutput());
        for (const QChar c : QString("QWXZKJVY"))
            QVERIFY2(text.contains(c), qPrintable(QString("%1 missing from: %2").arg(c).arg(text)));
    }
};

QTEST_MAIN(TestCircleTextDocument)
#include "tst_circletext_document.moc"
