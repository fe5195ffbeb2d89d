// Where circular text puts its letters, checked in the numbers and in the
// rendered picture.
#include "CircleTextSupport.h"

#include "objects/CircleTextLayout.h"
#include "platform/ScreenMetrics.h"

#include <QFontMetrics>
#include <QtTest>

#include <cmath>

using namespace CircleTextSupport;
using CircleTextLayout::Result;

namespace {

int cellHeight(const TFont &font)
{
    return Fonts::metrics(font, 96).height;
}

// A caption of `n` blanks with an "H" in place `k`: only that letter inks.
QString onlyLetter(int n, int k)
{
    QString s(n, QLatin1Char(' '));
    s[k] = QLatin1Char('H');
    return s;
}

// Where the ink of an "H" drawn with its cell's bottom-centre at `anchor`,
// turned counter-clockwise by `rotation` tenths of a degree, has its centre:
// up the letter's own axis by the descent and half the capital height.
QPointF expectedInk(const TFont &font, QPoint anchor, int rotation)
{
    const QFontMetrics fm(Fonts::toQFont(font, 96));
    const int belowBaseline = Fonts::textExtent(font, 96, "H").height() - Fonts::metrics(font, 96).ascent;
    const double a = rotation / 10.0 * M_PI / 180;
    const double up = belowBaseline + fm.capHeight() / 2.0;
    return QPointF(anchor) + QPointF(-std::sin(a), -std::cos(a)) * up;
}

double distance(QPointF a, QPointF b)
{
    return std::hypot(a.x() - b.x(), a.y() - b.y());
}

} // namespace

class TestCircleText : public QObject
{
    Q_OBJECT
private slots:
    void init() { ScreenMetrics::setOverride(96); }

    void defaultObjectStartsAtNineOClockAndRunsOverTheTop()
    {
        TGPCircleText t;
        QCOMPARE(t.Caption(), QString("ABC DEF GHI JKL"));
        QCOMPARE(t.Degrees(), dg360);
        QCOMPARE(t.StartingVector(), dg180);
        QCOMPARE(QSize(t.Width(), t.Height()), QSize(142, 33));
        t.SetBounds(0, 0, 240, 200);
        const Result r = t.Layout();
        QCOMPARE(r.sweep, 355);
        QCOMPARE(r.step, 355.0f / 15.0f);
        const int radius = 100 - 4 - cellHeight(t.Font());
        QCOMPARE(r.radius, radius);
        QCOMPARE(r.letters.size(), 15);
        QCOMPARE(r.letters[0].at, QPoint(120 - radius, 100));
        QCOMPARE(r.letters[0].rotation, 900);
        // Clockwise: the next letters climb over the top.
        QVERIFY(r.letters[1].at.y() < 100 && r.letters[1].at.x() > r.letters[0].at.x());
        QCOMPARE(r.letters[1].rotation, qRound(900 - 355.0 / 15 * 10));
        QVERIFY(r.letters[4].at.y() < r.letters[1].at.y());
        // The last letter stops one step short of the first: below 9 o'clock.
        QVERIFY(r.letters[14].at.y() > 100 && r.letters[14].at.x() < 120);
    }

    void fullCircleOfFiveLettersHasNoGapOfSixHasOne()
    {
        TGPCircleText t;
        setUp(t, QSize(200, 200), "ABCDE", dg360, dg90, 10);
        Result r = t.Layout();
        QCOMPARE(r.sweep, 360);
        QCOMPARE(r.step, 72.0f);
        // Rotations fall by 72 degrees a letter and wrap below zero.
        QCOMPARE(r.letters[0].rotation, 0);
        QCOMPARE(r.letters[1].rotation, 3600 - 720);
        QCOMPARE(r.letters[4].rotation, 3600 - 2880);
        t.SetCaption("ABCDEF");
        r = t.Layout();
        QCOMPARE(r.sweep, 355);
        QCOMPARE(r.step, 355.0f / 6.0f);
        QCOMPARE(r.letters[5].rotation, 3600 - qRound(5 * double(355.0f / 6.0f) * 10));
    }

    void oneLetterOnAnArcStandsAtTheArcsEnd()
    {
        TGPCircleText t;
        setUp(t, QSize(200, 120), "H", dg180, dg180);
        const Result r = t.Layout();
        // A half circle from 9 o'clock ends at 3 o'clock.
        QCOMPARE(r.letters.size(), 1);
        QCOMPARE(r.letters[0].at, r.centre + QPoint(r.radius, 0));
        QCOMPARE(r.letters[0].rotation, 2700);
        const Ink ink = inkIn(render(t));
        QVERIFY(ink.count > 20);
        QVERIFY2(distance(ink.centre, expectedInk(t.Font(), r.letters[0].at, 2700)) < 2.5,
                 qPrintable(QString("ink at %1,%2").arg(ink.centre.x()).arg(ink.centre.y())));
        QVERIFY(ink.centre.x() > 100);
        // On a full circle the single letter stays at the start.
        t.SetDegrees(dg360);
        QCOMPARE(t.Layout().letters[0].at, t.Layout().centre - QPoint(t.Layout().radius, 0));
    }

    void halfCircleFromNineOClockArchesOverTheBottomEdge()
    {
        TGPCircleText t;
        setUp(t, QSize(301, 140), "ABCDEFG", dg180, dg180);
        const int th = cellHeight(t.Font());
        const Result r = t.Layout();
        QCOMPARE(r.centre, QPoint(150, 140 - th));
        QCOMPARE(r.radius, std::min(150, 140 - th) - 4 - th);
        QCOMPARE(r.sweep, 180);
        QCOMPARE(r.step, 30.0f);
        QCOMPARE(r.letters.first().at, r.centre - QPoint(r.radius, 0));
        QCOMPARE(r.letters.last().at, r.centre + QPoint(r.radius, 0));
        QCOMPARE(r.letters[3].at, r.centre - QPoint(0, r.radius));
        QCOMPARE(r.letters[3].rotation, 0);
        for (const auto &l : r.letters)
            QVERIFY(l.at.y() <= r.centre.y());
    }

    void centreAndRadiusFollowTheArc_data()
    {
        QTest::addColumn<int>("degrees");
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("cx"); // "AW", "W-AW" or "W/2"
        QTest::addColumn<QString>("cy"); // "TH", "H-TH" or "H/2"
        QTest::addColumn<bool>("wholeWidth");
        QTest::addColumn<bool>("wholeHeight");
        QTest::newRow("quarter from 12") << 0 << 0 << "AW" << "H-TH" << true << true;
        QTest::newRow("quarter from 9") << 0 << 1 << "W-AW" << "H-TH" << true << true;
        QTest::newRow("quarter from 6") << 0 << 2 << "W-AW" << "TH" << true << true;
        QTest::newRow("quarter from 3") << 0 << 3 << "AW" << "TH" << true << true;
        QTest::newRow("half from 12") << 1 << 0 << "AW" << "H/2" << true << false;
        QTest::newRow("half from 9") << 1 << 1 << "W/2" << "H-TH" << false << true;
        QTest::newRow("half from 6") << 1 << 2 << "W-AW" << "H/2" << true << false;
        QTest::newRow("half from 3") << 1 << 3 << "W/2" << "TH" << false << true;
        QTest::newRow("three quarters") << 2 << 2 << "W/2" << "H/2" << false << false;
        QTest::newRow("full") << 3 << 3 << "W/2" << "H/2" << false << false;
    }

    void centreAndRadiusFollowTheArc()
    {
        QFETCH(int, degrees);
        QFETCH(int, start);
        QFETCH(QString, cx);
        QFETCH(QString, cy);
        QFETCH(bool, wholeWidth);
        QFETCH(bool, wholeHeight);
        TGPCircleText t;
        setUp(t, QSize(331, 279), "ABCD", TDegrees(degrees), TDegrees(start), 12);
        const TTextMetrics m = Fonts::metrics(t.Font(), 96);
        const int w = 331, h = 279, aw = m.averageCharWidth, th = m.height;
        const QMap<QString, int> values{{"AW", aw}, {"W-AW", w - aw}, {"W/2", w / 2},
                                        {"TH", th}, {"H-TH", h - th}, {"H/2", h / 2}};
        const Result r = t.Layout();
        QCOMPARE(r.centre, QPoint(values[cx], values[cy]));
        const int rx = wholeWidth ? w - aw : w / 2;
        const int ry = wholeHeight ? h - th : h / 2;
        QCOMPARE(r.radius, std::min(rx, ry) - 4 - th);
        QCOMPARE(r.start, (start + 1) * 90);
    }

    // The ink of every letter lies where the layout puts it, turned as the
    // layout says: angled, upright and mirrored, on several arcs.
    void inkOfEachLetterLiesAtItsComputedSpot_data()
    {
        QTest::addColumn<int>("degrees");
        QTest::addColumn<int>("start");
        QTest::addColumn<bool>("angled");
        QTest::addColumn<bool>("mirror");
        QTest::addColumn<QSize>("size");
        QTest::newRow("full circle from 9") << 3 << 1 << true << false << QSize(260, 260);
        QTest::newRow("full circle upright") << 3 << 0 << false << false << QSize(260, 260);
        QTest::newRow("full circle mirrored") << 3 << 1 << true << true << QSize(260, 260);
        QTest::newRow("half circle from 9") << 1 << 1 << true << false << QSize(300, 170);
        QTest::newRow("quarter from 12") << 0 << 0 << true << false << QSize(220, 220);
        QTest::newRow("three quarters from 6 mirrored") << 2 << 2 << true << true << QSize(260, 240);
    }

    void inkOfEachLetterLiesAtItsComputedSpot()
    {
        QFETCH(int, degrees);
        QFETCH(int, start);
        QFETCH(bool, angled);
        QFETCH(bool, mirror);
        QFETCH(QSize, size);
        const int n = 8;
        TGPCircleText t;
        setUp(t, size, onlyLetter(n, 0), TDegrees(degrees), TDegrees(start));
        t.SetDrawLettersAngled(angled);
        t.SetMirror(mirror);
        const Result r = t.Layout();
        QCOMPARE(r.letters.size(), n);
        for (int k = 0; k < n; ++k) {
            t.SetCaption(onlyLetter(n, k));
            const auto &l = *std::find_if(r.letters.cbegin(), r.letters.cend(),
                                          [k](const CircleTextLayout::Letter &x) { return x.letter == k; });
            QVERIFY(l.inside);
            const Ink ink = inkIn(render(t));
            QVERIFY2(ink.count > 20, qPrintable(QString("letter %1 left no ink").arg(k)));
            const QPointF expected = expectedInk(t.Font(), l.at, angled ? l.rotation : 0);
            QVERIFY2(distance(ink.centre, expected) < 2.5,
                     qPrintable(QString("letter %1: ink at %2,%3, expected %4,%5")
                                    .arg(k)
                                    .arg(ink.centre.x())
                                    .arg(ink.centre.y())
                                    .arg(expected.x())
                                    .arg(expected.y())));
        }
    }

    void mirroredLettersRunBackwardsTurnedHalfRound()
    {
        TGPCircleText t;
        setUp(t, QSize(260, 260), "ABCDEFGH", dg360, dg180, 12);
        const Result plain = t.Layout();
        t.SetMirror(true);
        const Result mirrored = t.Layout();
        QVERIFY(mirrored.mirrored);
        // Mirrored letters hang inside the circle line: the radius keeps TH.
        QCOMPARE(mirrored.radius, plain.radius + cellHeight(t.Font()));
        for (int i = 0; i < 8; ++i) {
            QCOMPARE(mirrored.letters[i].letter, 7 - i);
            const int r = plain.letters[i].rotation;
            QCOMPARE(mirrored.letters[i].rotation, r + 1800 > 3600 ? r - 1800 : r + 1800);
        }
        QCOMPARE(mirrored.letters[0].rotation, 2700);
    }

    void mirrorWithoutAngledLettersChangesNothing()
    {
        TGPCircleText t;
        setUp(t, QSize(260, 200), "Karvello", dg180, dg180);
        t.SetDrawLettersAngled(false);
        const Result plain = t.Layout();
        const QImage before = render(t);
        t.SetMirror(true);
        const Result mirrored = t.Layout();
        QVERIFY(!mirrored.mirrored);
        QCOMPARE(mirrored.radius, plain.radius);
        QCOMPARE(mirrored.radius, std::min(130, 200 - cellHeight(t.Font())) - 4 - cellHeight(t.Font()));
        for (int i = 0; i < 8; ++i) {
            QCOMPARE(mirrored.letters[i].letter, i);
            QCOMPARE(mirrored.letters[i].at, plain.letters[i].at);
        }
        QCOMPARE(render(t), before);
        QVERIFY(inkIn(before).count > 100);
    }

    // A letter whose anchor is outside the box is left out whole, even where
    // its body would reach into the box.
    void lettersAnchoredOutsideTheBoxAreSkippedNotClipped()
    {
        TGPCircleText t;
        // The cell is taller than the box, so the radius turns negative and
        // the anchors at 12 and 6 o'clock fall above and below the box.
        setUp(t, QSize(200, 60), "HHHHHHHH", dg360, dg180, 40);
        const Result r = t.Layout();
        QVERIFY(r.radius < -30);
        QStringList shown;
        int skipped = 0;
        QString inside = t.Caption();
        for (const auto &l : r.letters) {
            if (!l.inside) {
                ++skipped;
                inside[l.letter] = QLatin1Char(' ');
                QVERIFY(l.at.y() < 0 || l.at.y() >= 60);
            }
        }
        QVERIFY(skipped >= 2 && skipped < 8);
        const QImage all = render(t);
        QVERIFY(inkIn(all).count > 100);
        t.SetCaption(inside);
        QCOMPARE(render(t), all);
        // Each skipped letter alone draws nothing.
        for (const auto &l : r.letters) {
            if (l.inside)
                continue;
            t.SetCaption(onlyLetter(8, l.letter));
            QCOMPARE(inkIn(render(t)).count, 0);
        }
    }

    void lettersAreGraphemesNotCodeUnits()
    {
        const QString face = QString::fromUcs4(U"\U0001F600");
        QCOMPARE(CircleTextLayout::splitLetters("A" + face + "B"), (QStringList{"A", face, "B"}));
        QCOMPARE(CircleTextLayout::splitLetters(QString::fromUtf8("Cafe\u0301")).size(), 4);
        QVERIFY(CircleTextLayout::splitLetters(QString()).isEmpty());
        TGPCircleText t;
        setUp(t, QSize(200, 200), "A" + face + "B", dg180, dg180, 12);
        const Result r = t.Layout();
        QCOMPARE(r.letters.size(), 3);
        QCOMPARE(r.step, 90.0f);
    }

    void emptyCaptionDrawsOnlyTheBox()
    {
        TGPCircleText t;
        setUp(t, QSize(80, 60), "", dg360, dg180);
        QVERIFY(t.Layout().letters.isEmpty());
        QCOMPARE(inkIn(render(t)).count, 0);
        t.SetBorderStyle(bsSingle);
        const QImage framed = render(t);
        QCOMPARE(inkIn(framed).count, 2 * 80 + 2 * 58);
        QCOMPARE(framed.pixelColor(40, 30), QColor(Qt::white));
    }

    void backgroundLiesUnderTheLetters()
    {
        TGPCircleText t;
        setUp(t, QSize(200, 200), "HHHH", dg360, dg90);
        t.SetBGColor(clYellow);
        QCOMPARE(render(t).pixelColor(100, 100), QColor(Qt::white)); // transparent
        t.SetControlTransparent(false);
        const QImage image = render(t);
        QCOMPARE(image.pixelColor(100, 100), QColor(Qt::yellow));
        QVERIFY(inkIn(image).count > 100);
    }

    void zoomTruncatesTheFontSize()
    {
        TGPCircleText t;
        t.SetFont(arial(11));
        t.SetZoomDirect(1.5f);
        QCOMPARE(t.ZoomedFont().size(96), 16); // Trunc(16.5)
        t.SetZoomDirect(1.0f);
        QCOMPARE(t.ZoomedFont(), t.Font());
    }

    void suppressedPanelPaintsNothing()
    {
        TGBusinessCardPanel32 panel;
        panel.resize(336, 192);
        TGPCircleText *t = addCircleText(panel, QRect(10, 10, 200, 150));
        QVERIFY(inkIn(panel.RenderToBitmap(), t->BoundsRect()).count > 50);
        panel.SetPaintingSuppressed(true);
        QCOMPARE(inkIn(panel.RenderToBitmap(), t->BoundsRect()).count, 0);
    }
};

QTEST_MAIN(TestCircleText)
#include "tst_circletext.moc"
