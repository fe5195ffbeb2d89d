// The card: tools, grid, outline, size, zoom, background and rendering.
#include "design/CardPanelHost.h"
#include "design/SheetLayout.h"
#include "objects/TGPCircleText.h"
#include "support/ScriptedDialogs.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {
const QColor kGreen(0, 128, 0);
const QColor kWhite(Qt::white);
} // namespace

class TestCardPanel : public QObject
{
    Q_OBJECT
private slots:
    void gridDotsSitTwoPixelsIntoEachStep()
    {
        CardPanelHost h(QSize(64, 40));
        h.panel->SetShowGrid(true);
        h.panel->SetGridSize(gs8x8);
        QImage shown = h.render();
        for (int x : {2, 10, 18, 58})
            QCOMPARE(shown.pixelColor(x, 2), kGreen);
        QCOMPARE(shown.pixelColor(6, 2), kWhite);
        QCOMPARE(shown.pixelColor(3, 2), kWhite);
        QCOMPARE(shown.pixelColor(10, 6), kWhite);
        h.panel->SetGridSize(gs4x4);
        shown = h.render();
        for (int x : {2, 6, 10, 14})
            QCOMPARE(shown.pixelColor(x, 6), kGreen);
        QCOMPARE(shown.pixelColor(4, 6), kWhite);
    }

    void gridIsAndedIntoWhatIsUnderIt()
    {
        CardPanelHost h(QSize(64, 40));
        TBCShapes *s = h.addShape(QRect(0, 0, 64, 40));
        s->SetBrush(TBrush{clRed, bsSolid, {}});
        h.panel->SetShowGrid(true);
        // The grid lies under the objects; a red picture under it gets black dots.
        QImage red(8, 8, QImage::Format_RGB32);
        red.fill(Qt::red);
        h.panel->FreeObject(s);
        h.panel->SetPicture(red);
        const QImage shown = h.render();
        QCOMPARE(shown.pixelColor(10, 10), QColor(Qt::black));
        QCOMPARE(shown.pixelColor(11, 10), QColor(Qt::red));
    }

    void anEllipticCardClipsTheGridAndTheBackground()
    {
        CardPanelHost h(QSize(80, 40));
        h.panel->SetShape(lsEllipse);
        h.panel->SetShowGrid(true);
        QImage blue(4, 4, QImage::Format_RGB32);
        blue.fill(Qt::blue);
        h.panel->SetColorPicture(blue);
        const QImage shown = h.render();
        QCOMPARE(shown.pixelColor(2, 2), kWhite);           // outside the ellipse
        QCOMPARE(shown.pixelColor(1, 1), kWhite);
        QCOMPARE(shown.pixelColor(41, 21), QColor(Qt::blue)); // inside
        QCOMPARE(shown.pixelColor(42, 22), QColor(0, 0, 0)); // green AND blue
    }

    void outlineIsDottedAndOptional()
    {
        CardPanelHost h(QSize(80, 40));
        QCOMPARE(h.render().pixelColor(0, 20), kWhite);
        h.panel->SetDrawOutline(true);
        const QImage shown = h.render();
        int dark = 0;
        for (int y = 0; y < 40; ++y)
            dark += shown.pixelColor(0, y) == QColor(Qt::black);
        QVERIFY(dark > 10 && dark < 30);
    }

    void toolStateSwitchesPointingAndTheCursor()
    {
        CardPanelHost h;
        QVERIFY(h.panel->Pointing());
        h.panel->SetPanelState(psRoundRectangle);
        QVERIFY(!h.panel->Pointing());
        QCOMPARE(h.panel->ScreenCursor(), -12);
        h.click(QPoint(30, 30));
        auto *s = qobject_cast<TBCShapes *>(h.panel->Objects().last());
        QCOMPARE(s->Shape(), stRoundRect);
        QVERIFY(menuItem(s->ObjectMenu(), "Degree of Rounding"));
        h.panel->SetPanelState(psPointing);
        QCOMPARE(h.panel->ScreenCursor(), 0);
    }

    // The last tool to get its class: a click makes the object and opens its
    // dialog; the object stays when the dialog is cancelled.
    void circleTextToolKeepsItsObjectWhenTheDialogIsCancelled()
    {
        CardPanelHost h;
        int dialogs = 0;
        {
            const ScopedModalRunner runner([&dialogs](QDialog &) {
                ++dialogs;
                return int(QDialog::Rejected);
            });
            h.panel->SetPanelState(psCircleText);
            h.click(QPoint(30, 30));
        }
        QCOMPARE(dialogs, 1);
        QCOMPARE(h.panel->ObjectCount(), 1);
        QVERIFY(qobject_cast<TGPCircleText *>(h.panel->Objects().first()));
    }

    void zoomingThereAndBackRestoresTheCardUpToRounding()
    {
        CardPanelHost h(QSize(335, 191));
        TBCShapes *s = h.addShape(QRect(41, 33, 25, 17));
        QSignalSpy changes(h.panel, &TGBasePanel::LabelChangedEvent);
        h.panel->SetZoom(1.5f);
        QCOMPARE(h.panel->size(), QSize(502, 286));
        QCOMPARE(s->BoundsRect(), QRect(62, 50, 38, 26));
        QCOMPARE(s->Zoom(), 1.5f);
        h.panel->SetZoom(1.0f);
        QCOMPARE(h.panel->size(), QSize(335, 191));
        QCOMPARE(s->BoundsRect(), QRect(41, 33, 25, 17));
        QCOMPARE(changes.count(), 0);
        // New objects take the panel's zoom without being scaled.
        h.panel->SetZoom(1.2f);
        QCOMPARE(h.addShape(QRect(10, 10, 30, 30))->Zoom(), 1.2f);
    }

    void cardSizeFollowsInchesAndOrientation()
    {
        CardPanelHost h;
        h.panel->SetCardSizeFromInches(3.5, 2.0);
        QCOMPARE(h.panel->size(), QSize(336, 192));
        ScreenMetrics::setOverride(100);
        h.panel->SetCardSizeFromInches(2.125, 3.385);
        QCOMPARE(h.panel->size(), QSize(212, 338)); // 212.5 and 338.5 go to even
        ScreenMetrics::setOverride(96);
        SheetLayout layout;
        h.panel->SetCardOrientation(true, layout, QString());
        QVERIFY(h.panel->Portrait());
        QCOMPARE(h.panel->size(), QSize(192, 336));
    }

    void cardSizeIsSetAtFullSizeAndZoomedAgain()
    {
        CardPanelHost h;
        h.panel->SetZoom(1.5f);
        h.panel->SetCardSizeFromInches(3.5, 2.0);
        QCOMPARE(h.panel->Zoom(), 1.5f);
        QCOMPARE(h.panel->size(), QSize(504, 288));
    }

    void uprightCardTurnsItsBackgroundAQuarterClockwise()
    {
        QTemporaryDir dir;
        QImage art(4, 2, QImage::Format_RGB32);
        art.fill(Qt::white);
        art.setPixel(0, 0, qRgb(255, 0, 0));
        const QString file = dir.filePath("art.png");
        QVERIFY(art.save(file));
        CardPanelHost h;
        h.panel->LoadBackground(file);
        QCOMPARE(h.panel->ColorPicture().size(), QSize(4, 2));
        h.panel->SetCardOrientation(true, SheetLayout(), file);
        const QImage turned = h.panel->ColorPicture();
        QCOMPARE(turned.size(), QSize(2, 4));
        QCOMPARE(turned.pixelColor(1, 0), QColor(Qt::red));
        QCOMPARE(turned.pixelColor(0, 0), kWhite);
        h.panel->ClearBackground();
        QVERIFY(!h.panel->HasColorPicture());
    }

    void unreadableBackgroundIsIgnored()
    {
        QTemporaryDir dir;
        QFile junk(dir.filePath("junk.bmp"));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("not a picture");
        junk.close();
        CardPanelHost h;
        h.panel->LoadBackground(junk.fileName());
        h.panel->LoadBackground(dir.filePath("missing.jpg"));
        QVERIFY(!h.panel->HasColorPicture());
    }

    void renderingShowsBackgroundAndObjectsButNoGridOutlineOrMarks()
    {
        CardPanelHost h(QSize(100, 60));
        QImage blue(4, 4, QImage::Format_RGB32);
        blue.fill(Qt::blue);
        h.panel->SetColorPicture(blue);
        QImage red(4, 4, QImage::Format_RGB32);
        red.fill(Qt::red);
        h.panel->SetPicture(red);
        h.panel->SetShowGrid(true);
        h.panel->SetDrawOutline(true);
        TBCShapes *s = h.addShape(QRect(20, 20, 30, 20));
        s->SetBrush(TBrush{clYellow, bsSolid, {}});
        h.panel->SelectAll();
        const QImage card = h.panel->RenderToBitmap();
        QCOMPARE(card.size(), QSize(100, 60));
        QCOMPARE(card.pixelColor(2, 2), QColor(Qt::blue));   // no grid dot
        QCOMPARE(card.pixelColor(0, 30), QColor(Qt::blue));  // no outline
        QCOMPARE(card.pixelColor(18, 18), QColor(Qt::blue)); // no mark
        QCOMPARE(card.pixelColor(30, 30), QColor(Qt::yellow));
        QCOMPARE(card.pixelColor(20, 20), QColor(Qt::black)); // the outline pen
    }

    void registeredClassesComeInTheReadersOrder()
    {
        CardPanelHost h;
        const QStringList names = TGClassRegistry::classNames();
        QVERIFY(names.indexOf("TGLineShape") < names.indexOf("TGLabelShapes"));
        QVERIFY(names.indexOf("TGLabelShapes") < names.indexOf("TBCShapes"));
        TGGraphicControl *made = TGClassRegistry::find("TBCShapes")->create(h.panel);
        QCOMPARE(made->ClassName(), QStringLiteral("TBCShapes"));
        delete made;
        QVERIFY(!TGClassRegistry::find("TGNothing"));
    }
};

QTEST_MAIN(TestCardPanel)
#include "tst_cardpanel.moc"
