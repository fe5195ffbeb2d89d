// Straight lines on the card.
#include "design/CardPanelHost.h"
#include "support/ScriptedDialogs.h"

#include <QtTest>

namespace {
const QColor kBlack(Qt::black);
const QColor kWhite(Qt::white);

QMenu *submenu(TGGraphicControl *o, const char *caption)
{
    return menuItem(o->ObjectMenu(), caption)->menu();
}
} // namespace

class TestLines : public QObject
{
    Q_OBJECT
private slots:
    void horizontalLineRunsAlongTheTop()
    {
        CardPanelHost h;
        h.addLine(QRect(10, 10, 30, 20), stHorizontal);
        const QImage card = h.panel->RenderToBitmap();
        QCOMPARE(card.pixelColor(10, 10), kBlack);
        QCOMPARE(card.pixelColor(39, 10), kBlack);
        QCOMPARE(card.pixelColor(40, 10), kWhite);
        QCOMPARE(card.pixelColor(20, 11), kWhite);
    }

    void verticalLineRunsDownTheLeftSide()
    {
        CardPanelHost h;
        h.addLine(QRect(10, 10, 30, 20), stVertical);
        const QImage card = h.panel->RenderToBitmap();
        QCOMPARE(card.pixelColor(10, 10), kBlack);
        QCOMPARE(card.pixelColor(10, 29), kBlack);
        QCOMPARE(card.pixelColor(11, 20), kWhite);
        QCOMPARE(card.pixelColor(10, 30), kWhite);
    }

    void thickLineStaysInsideTheBox()
    {
        CardPanelHost h;
        TGLineShape *line = h.addLine(QRect(10, 10, 30, 20), stHorizontal);
        line->SetPen(TPen{clBlack, 4, psSolid, pmCopy});
        const QImage card = h.panel->RenderToBitmap();
        for (int y = 10; y < 14; ++y)
            QCOMPARE(card.pixelColor(20, y), kBlack);
        QCOMPARE(card.pixelColor(20, 14), kWhite);
    }

    void slopingLinesJoinOppositeCorners()
    {
        CardPanelHost h;
        h.addLine(QRect(10, 10, 20, 20), stAngleSlopingDown);
        h.addLine(QRect(50, 10, 20, 20), stAngleSlopingUp);
        const QImage card = h.panel->RenderToBitmap();
        QCOMPARE(card.pixelColor(10, 10), kBlack);
        QCOMPARE(card.pixelColor(20, 20), kBlack);
        QCOMPARE(card.pixelColor(29, 10), kWhite);
        QCOMPARE(card.pixelColor(60, 20), kBlack);
        QCOMPARE(card.pixelColor(50, 10), kWhite);
    }

    void stretchToEdgesSpansTheCardForStraightLinesOnly()
    {
        CardPanelHost h(QSize(200, 100));
        TGLineShape *across = h.addLine(QRect(30, 40, 20, 20), stHorizontal);
        TGLineShape *down = h.addLine(QRect(30, 40, 20, 20), stVertical);
        TGLineShape *sloped = h.addLine(QRect(30, 40, 20, 20), stAngleSlopingUp);
        for (TGLineShape *l : {across, down, sloped})
            menuItem(l->ObjectMenu(), "Stretch To Edges")->trigger();
        QCOMPARE(across->BoundsRect(), QRect(0, 40, 200, 20));
        QCOMPARE(down->BoundsRect(), QRect(30, 0, 20, 100));
        QCOMPARE(sloped->BoundsRect(), QRect(30, 40, 20, 20));
    }

    void menuOffersStyleColourThicknessAndStretching()
    {
        CardPanelHost h;
        TGLineShape *line = h.addLine(QRect(10, 10, 30, 20));
        QCOMPARE(menuCaptions(line->ObjectMenu()).mid(12),
                 QStringList({"-", "Style", "Color", "Line Thickness", "-", "Stretch To Edges"}));
        QCOMPARE(menuCaptions(submenu(line, "Style")),
                 QStringList({"Horizontal", "Vertical", "Angled Sloping Up", "Angled Sloping Down"}));
    }

    void styleAndThicknessEntriesTickTheCurrentValues()
    {
        CardPanelHost h;
        TGLineShape *line = h.addLine(QRect(10, 10, 30, 20));
        QSignalSpy changes(h.panel, &TGBasePanel::LabelChangedEvent);
        menuItem(submenu(line, "Style"), "Angled Sloping Up")->trigger();
        menuItem(submenu(line, "Line Thickness"), "5 Point")->trigger();
        QCOMPARE(line->LineStyle(), stAngleSlopingUp);
        QCOMPARE(line->Pen().width, 5);
        QCOMPARE(changes.count(), 2);
        emit line->ObjectMenu()->aboutToShow();
        QVERIFY(menuItem(submenu(line, "Style"), "Angled Sloping Up")->isChecked());
        QVERIFY(!menuItem(submenu(line, "Style"), "Horizontal")->isChecked());
        QVERIFY(menuItem(submenu(line, "Line Thickness"), "5 Point")->isChecked());
    }

    void colourComesFromTheColourDialog()
    {
        ScopedScriptedDialogs dialogs;
        CardPanelHost h;
        TGLineShape *line = h.addLine(QRect(10, 10, 30, 20));
        dialogs->colors.enqueue(clRed);
        menuItem(line->ObjectMenu(), "Color")->trigger();
        QCOMPARE(line->Pen().color, clRed);
        QCOMPARE(dialogs->colorRequests, QList<TColor>({clBlack}));
        QCOMPARE(h.panel->RenderToBitmap().pixelColor(20, 10), QColor(Qt::red));
    }

    void zoomScalesThePenWidth()
    {
        CardPanelHost h;
        TGLineShape *line = h.addLine(QRect(10, 10, 30, 20), stHorizontal);
        line->SetPen(TPen{clBlack, 2, psSolid, pmCopy});
        line->SetZoom(1.5f);
        const QImage card = h.panel->RenderToBitmap();
        // Width 3: rows 0..2 of the box.
        QCOMPARE(card.pixelColor(line->Left() + 5, line->Top() + 2), kBlack);
        QCOMPARE(card.pixelColor(line->Left() + 5, line->Top() + 3), kWhite);
        QCOMPARE(line->Pen().width, 2);
    }
};

QTEST_MAIN(TestLines)
#include "tst_lines.moc"
