// Rectangles, rounded rectangles and ellipses on the card.
#include "design/CardPanelHost.h"
#include "support/ScriptedDialogs.h"

#include <QtTest>

namespace {
const QColor kBlack(Qt::black);
const QColor kWhite(Qt::white);

QAction *thickness(TGGraphicControl *o, int width)
{
    QMenu *sub = menuItem(o->ObjectMenu(), "Line Thickness")->menu();
    return menuItem(sub, QString::number(width) + " Point");
}
} // namespace

class TestShapes : public QObject
{
    Q_OBJECT
private slots:
    void onePixelOutlineRunsAlongTheBoxEdges()
    {
        CardPanelHost h;
        TBCShapes *s = h.addShape(QRect(10, 10, 30, 20));
        s->SetTransparent(true);
        const QImage card = h.panel->RenderToBitmap();
        QCOMPARE(card.pixelColor(10, 15), kBlack);
        QCOMPARE(card.pixelColor(39, 15), kBlack);
        QCOMPARE(card.pixelColor(20, 29), kBlack);
        QCOMPARE(card.pixelColor(40, 15), kWhite);
        QCOMPARE(card.pixelColor(11, 15), kWhite);
    }

    void thickOutlineStaysInsideTheBox()
    {
        CardPanelHost h;
        TBCShapes *s = h.addShape(QRect(10, 10, 30, 20));
        s->SetTransparent(true);
        s->SetPen(TPen{clBlack, 4, psSolid, pmCopy});
        QCOMPARE(s->DrawingRect(4), QRect(2, 2, 27, 17)); // (2, 2) to (Width - 1, Height - 1)
        QCOMPARE(s->DrawingRect(1), QRect(0, 0, 30, 20));
        const QImage card = h.panel->RenderToBitmap();
        for (int x : {10, 13, 36, 39})
            QCOMPARE(card.pixelColor(x, 20), kBlack);
        QCOMPARE(card.pixelColor(14, 20), kWhite);
        QCOMPARE(card.pixelColor(35, 20), kWhite);
        QCOMPARE(card.pixelColor(20, 10), kBlack);
        QCOMPARE(card.pixelColor(20, 29), kBlack);
        QCOMPARE(card.pixelColor(20, 26), kBlack);
        QCOMPARE(card.pixelColor(20, 25), kWhite);
    }

    void zoomedPenNeverVanishes()
    {
        CardPanelHost h;
        TBCShapes *s = h.addShape(QRect(10, 10, 30, 20));
        s->SetZoomDirect(0.25f);
        QCOMPARE(s->ZoomedPenWidth(), 1);
        s->SetPen(TPen{clBlack, 6, psSolid, pmCopy});
        QCOMPARE(s->ZoomedPenWidth(), 2); // 1.5 goes to even
        s->SetPen(TPen{clBlack, 0, psSolid, pmCopy});
        QCOMPARE(s->ZoomedPenWidth(), 0);
        s->SetZoomDirect(1.5f);
        s->SetPen(TPen{clBlack, 3, psSolid, pmCopy});
        QCOMPARE(s->ZoomedPenWidth(), 4);
    }

    void fillFollowsTheBrushUnlessTransparent()
    {
        CardPanelHost h;
        TBCShapes *s = h.addShape(QRect(10, 10, 30, 20));
        s->SetBrush(TBrush{clRed, bsSolid, {}});
        QCOMPARE(h.panel->RenderToBitmap().pixelColor(20, 20), QColor(Qt::red));
        s->SetTransparent(true);
        QCOMPARE(s->Brush().style, bsClear);
        QCOMPARE(h.panel->RenderToBitmap().pixelColor(20, 20), kWhite);
    }

    void transparentOffMakesTheBrushSolidButSettingTheBrushLeavesTransparent()
    {
        TBCShapes s;
        s.SetBrush(TBrush{clRed, bsCross, {}});
        QVERIFY(!s.Transparent());
        s.SetTransparent(false);
        QCOMPARE(s.Brush().style, bsSolid);
        s.SetTransparent(true);
        s.SetBrush(TBrush{clRed, bsSolid, {}});
        QVERIFY(s.Transparent());
    }

    void roundingIsAPercentageOfTheLongerSide()
    {
        CardPanelHost h(QSize(336, 192));
        TBCShapes *s = h.addShape(QRect(10, 10, 200, 100), stRoundRect);
        s->SetRoundPerc(50);
        QCOMPARE(s->CornerSize(), 100);
        s->SetRoundPerc(25);
        QCOMPARE(s->CornerSize(), 50);
        s->SetBounds(10, 10, 60, 130);
        QCOMPARE(s->CornerSize(), 32); // 32.5 truncated
        // A rounded corner leaves the box's corner pixel unpainted.
        s->SetBrush(TBrush{clRed, bsSolid, {}});
        const QImage card = h.panel->RenderToBitmap();
        QCOMPARE(card.pixelColor(10, 10), kWhite);
        QCOMPARE(card.pixelColor(40, 75), QColor(Qt::red));
    }

    void squareKindsDrawLikeTheirPartners()
    {
        CardPanelHost h;
        TBCShapes *a = h.addShape(QRect(10, 10, 40, 20), stEllipse);
        TBCShapes *b = h.addShape(QRect(60, 10, 40, 20), stCircle);
        a->SetBrush(TBrush{clRed, bsSolid, {}});
        b->SetBrush(TBrush{clRed, bsSolid, {}});
        const QImage card = h.panel->RenderToBitmap();
        for (int y = 10; y < 30; ++y)
            for (int x = 0; x < 40; ++x)
                QCOMPARE(card.pixelColor(60 + x, y), card.pixelColor(10 + x, y));
        QCOMPARE(card.pixelColor(10, 10), kWhite);
    }

    void menuAppendsColourThicknessAndTransparent()
    {
        CardPanelHost h;
        TBCShapes *s = h.addShape(QRect(10, 10, 30, 20));
        QCOMPARE(menuCaptions(s->ObjectMenu()).mid(12),
                 QStringList({"-", "Background Color", "Line Color", "Line Thickness", "-", "Transparent"}));
        QStringList sizes;
        for (int i = 1; i <= 10; ++i)
            sizes << QString::number(i) + " Point";
        QCOMPARE(menuCaptions(menuItem(s->ObjectMenu(), "Line Thickness")->menu()), sizes);
    }

    void runningLoadedAgainAddsNoSecondSetOfEntries()
    {
        CardPanelHost h;
        TBCShapes *s = h.addShape(QRect(10, 10, 30, 20));
        TGLineShape *line = h.addLine(QRect(10, 50, 30, 20));
        for (TGGraphicControl *o : {static_cast<TGGraphicControl *>(s), static_cast<TGGraphicControl *>(line)}) {
            const QStringList before = menuCaptions(o->ObjectMenu());
            o->Loaded();
            QCOMPARE(menuCaptions(o->ObjectMenu()), before);
            // The one thickness submenu still ticks the pen width.
            thickness(o, 4)->trigger();
            emit o->ObjectMenu()->aboutToShow();
            QVERIFY(thickness(o, 4)->isChecked());
            QVERIFY(!thickness(o, 1)->isChecked());
        }
        QCOMPARE(s->Pen().width, 4);
        QCOMPARE(line->Pen().width, 4);
    }

    void roundedShapesGetTheRoundingSubmenuOnlyWhenLoadedRounded()
    {
        CardPanelHost h;
        TBCShapes *round = h.addShape(QRect(10, 10, 30, 20), stRoundRect);
        QCOMPARE(menuCaptions(round->ObjectMenu()).mid(18), QStringList({"-", "Degree of Rounding"}));
        QCOMPARE(menuCaptions(menuItem(round->ObjectMenu(), "Degree of Rounding")->menu()),
                 QStringList({"20 %", "30 %", "40 %", "50 %", "60 %", "70 %", "80 %"}));
        QSignalSpy changes(h.panel, &TGBasePanel::LabelChangedEvent);
        menuItem(menuItem(round->ObjectMenu(), "Degree of Rounding")->menu(), "60 %")->trigger();
        QCOMPARE(round->RoundPerc(), 60);
        QCOMPARE(changes.count(), 1);
        TBCShapes *plain = h.addShape(QRect(50, 10, 30, 20));
        plain->SetShape(stRoundRect);
        QVERIFY(!menuItem(plain->ObjectMenu(), "Degree of Rounding"));
    }

    void thicknessTicksFollowThePenWidth()
    {
        CardPanelHost h;
        TBCShapes *s = h.addShape(QRect(10, 10, 30, 20));
        thickness(s, 3)->trigger();
        QCOMPARE(s->Pen().width, 3);
        emit s->ObjectMenu()->aboutToShow();
        QVERIFY(thickness(s, 3)->isChecked());
        QVERIFY(!thickness(s, 1)->isChecked());
        s->SetPen(TPen{clBlack, 12, psSolid, pmCopy});
        emit s->ObjectMenu()->aboutToShow();
        for (int i = 1; i <= 10; ++i)
            QVERIFY(!thickness(s, i)->isChecked());
        s->SetTransparent(true);
        emit s->ObjectMenu()->aboutToShow();
        QVERIFY(menuItem(s->ObjectMenu(), "Transparent")->isChecked());
    }

    void backgroundColourFillsAndEndsTransparency()
    {
        ScopedScriptedDialogs dialogs;
        CardPanelHost h;
        TBCShapes *s = h.addShape(QRect(10, 10, 30, 20));
        s->SetTransparent(true);
        s->SetBrush(TBrush{clAqua, bsClear, {}});
        dialogs->colors.enqueue(std::nullopt);
        menuItem(s->ObjectMenu(), "Background Color")->trigger();
        QVERIFY(s->Transparent());
        dialogs->colors.enqueue(clRed);
        QSignalSpy changes(h.panel, &TGBasePanel::LabelChangedEvent);
        menuItem(s->ObjectMenu(), "Background Color")->trigger();
        QCOMPARE(dialogs->colorRequests, QList<TColor>({clAqua, clAqua}));
        QCOMPARE(s->Brush().color, clRed);
        QCOMPARE(s->Brush().style, bsSolid);
        QVERIFY(!s->Transparent());
        QCOMPARE(changes.count(), 1);
        dialogs->colors.enqueue(clBlue);
        menuItem(s->ObjectMenu(), "Line Color")->trigger();
        QCOMPARE(s->Pen().color, clBlue);
        QCOMPARE(dialogs->colorRequests.last(), clBlack);
    }
};

QTEST_MAIN(TestShapes)
#include "tst_shapes.moc"
