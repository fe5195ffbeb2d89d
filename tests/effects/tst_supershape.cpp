// The multi-purpose shape: its geometry, setters, surfaces and painting.
#include "design/CardPanelHost.h"
#include "effects/SuperShapeFigure.h"
#include "effects/TSuperShape.h"

#include <QtTest>

using namespace SuperShapeFigure;

namespace {

TSuperShape *addSuperShape(CardPanelHost &h, QRect r)
{
    auto *s = new TSuperShape(h.panel);
    s->Loaded();
    h.panel->PlaceObject(s, r);
    QCoreApplication::processEvents();
    return s;
}

QImage plain(QSize size, QColor color)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

bool nearly(QColor actual, QColor expected)
{
    const bool close = std::abs(actual.red() - expected.red()) <= 3 && std::abs(actual.green() - expected.green()) <= 3 &&
                       std::abs(actual.blue() - expected.blue()) <= 3;
    if (!close)
        qWarning() << actual << "is not" << expected;
    return close;
}

} // namespace

class TestSuperShape : public QObject
{
    Q_OBJECT
private slots:
    void init() { ScreenMetrics::setOverride(96); }

    void constructionValues()
    {
        TSuperShape s;
        QCOMPARE(s.Width(), 25);
        QCOMPARE(s.Height(), 25);
        QCOMPARE(s.BackColor(), clRed);
        QCOMPARE(s.GradientToColor(), clBlue);
        QCOMPARE(s.Shape(), gstStar);
        QCOMPARE(s.SurfaceType(), TSuperShape::stGradientFill);
        QCOMPARE(s.Vectors(), 10);
        QCOMPARE(s.InVectorPercent(), 50);
        QCOMPARE(s.StartingAngle(), 90);
        QCOMPARE(s.ShadowDepth(), 5);
        QCOMPARE(s.ShadowOrient(), soNone);
        QCOMPARE(s.Pattern(), bsClear);
        QCOMPARE(s.RoundPerc(), 25);
        QVERIFY(s.Image().isNull());
        // No surface is built before the object is placed.
        QVERIFY(s.GradientBitmap().isNull());
    }

    void starOfAHundredPixels()
    {
        Params p;
        p.width = 100;
        p.height = 100;
        const Rects r = rects(p);
        QCOMPARE(r.shape, (Box{0, 0, 100, 100}));
        const QPolygon points = figurePolygon(p, r.shape, r.shape);
        QCOMPARE(points.size(), 10);
        // Outer radius 46, inner 23; vertex 0 straight above the centre, then clockwise.
        QCOMPARE(points.at(0), QPoint(50, 4));
        QCOMPARE(points.at(1), QPoint(64, 31));
        QCOMPARE(points.at(2), QPoint(94, 36));
        QCOMPARE(points.at(3), QPoint(72, 57));
        // The full list repeats the first point at the end.
        const QPolygon all = starPoints(0, 0, 100, 100, QPoint(3, 4), 10, 50, 90);
        QCOMPARE(all.size(), 11);
        QCOMPARE(all.last(), QPoint(53, 8));
        // With no inward pull the polygon is regular: every vertex at 46.
        const QPolygon hexagon = starPoints(0, 0, 100, 100, QPoint(), 6, 0, 90);
        for (int i = 0; i < 6; ++i) {
            const double dx = hexagon.at(i).x() - 50, dy = hexagon.at(i).y() - 50;
            QVERIFY(std::abs(std::hypot(dx, dy) - 46) < 0.8);
        }
    }

    void outOfRangeValuesAreRefused()
    {
        TSuperShape s;
        s.SetBounds(0, 0, 50, 80);
        s.SetVectors(2);
        s.SetVectors(61);
        QCOMPARE(s.Vectors(), 10);
        s.SetVectors(60);
        QCOMPARE(s.Vectors(), 60);
        s.SetStartingAngle(360);
        s.SetStartingAngle(-1);
        QCOMPARE(s.StartingAngle(), 90);
        s.SetInVectorPercent(101);
        s.SetInVectorPercent(-1);
        QCOMPARE(s.InVectorPercent(), 50);
        s.SetShadowOrient(TShadowOrient(5));
        QCOMPARE(s.ShadowOrient(), soNone);
        // Depth at most half the width and half the height.
        s.SetShadowDepth(30);
        QCOMPARE(s.ShadowDepth(), 5);
        s.SetShadowDepth(25);
        QCOMPARE(s.ShadowDepth(), 25);
    }

    void choosingAStarRestoresStarValues()
    {
        TSuperShape s;
        s.SetShape(gstPolyGon);
        s.SetVectors(6);
        s.SetStartingAngle(30);
        s.SetInVectorPercent(0);
        s.SetShape(gstRectangle);
        s.SetShape(gstPolyGon);
        QCOMPARE(s.Vectors(), 6);
        QCOMPARE(s.StartingAngle(), 30);
        s.SetShape(gstStar);
        QCOMPARE(s.Vectors(), 10);
        QCOMPARE(s.StartingAngle(), 90);
        QCOMPARE(s.InVectorPercent(), 50);
        s.SetShape(gstDiamond);
        s.SetVectors(14);
        s.SetShape(gstStar);
        QCOMPARE(s.Vectors(), 14); // more than 10 stays
    }

    void transparentSurfaceKeepsAnOutlineAndDropsTheShadow()
    {
        TSuperShape s;
        s.SetBounds(0, 0, 60, 60);
        s.SetSurfaceType(TSuperShape::stBrushImage);
        s.SetImage(plain({4, 4}, Qt::red));
        s.SetShadowOrient(soLowerRight);
        s.SetPattern(bsCross);
        s.SetOutlineStyle(psClear);
        s.SetSurfaceType(TSuperShape::stBrushTransparent);
        QCOMPARE(s.ShadowOrient(), soNone);
        QCOMPARE(s.Pattern(), bsClear);
        QCOMPARE(s.OutlineStyle(), psSolid);
        QVERIFY(s.Image().isNull());
        // Any surface but a texture discards the texture picture.
        s.SetSurfaceType(TSuperShape::stBrushImage);
        s.SetImage(plain({4, 4}, Qt::red));
        s.SetSurfaceType(TSuperShape::stBrushPattern);
        QVERIFY(s.Image().isNull());
        QCOMPARE(s.SolidBitmap().size(), QSize(60, 60));
        QCOMPARE(s.SolidBitmap().pixelColor(30, 30), QColor(Qt::red));
    }

    void shapeAndShadowRectangles()
    {
        Params p;
        p.width = 100;
        p.height = 80;
        p.shadowOrient = soLowerRight;
        p.shadowDepth = 5;
        p.shape = gstRectangle;
        QCOMPARE(rects(p).shape, (Box{0, 0, 95, 75}));
        QCOMPARE(rects(p).shadow, (Box{5, 5, 100, 80}));
        p.shadowOrient = soUpperLeft;
        QCOMPARE(rects(p).shape, (Box{5, 5, 100, 80}));
        QCOMPARE(rects(p).shadow, (Box{0, 0, 95, 75}));
        p.shadowOrient = soUpperRight;
        QCOMPARE(rects(p).shape, (Box{0, 5, 95, 80}));
        QCOMPARE(rects(p).shadow, (Box{5, 0, 100, 75}));
        // The diamond's shadow moves sideways only and the diamond loses the width.
        p.shape = gstDiamond;
        p.shadowOrient = soLowerRight;
        QCOMPARE(rects(p).shape, (Box{0, 0, 95, 80}));
        QCOMPARE(rects(p).shadow, (Box{5, 0, 100, 80}));
        p.shadowOrient = soLowerLeft;
        QCOMPARE(rects(p).shape, (Box{5, 0, 100, 80}));
        QCOMPARE(rects(p).shadow, (Box{0, 0, 95, 80}));
        const QPolygon shadow = polygonPoints(gstDiamond, rects(p).shape, QPoint(0, 0));
        QCOMPARE(shadow, QPolygon({{47, 0}, {94, 40}, {47, 79}, {0, 40}}));
        // A four-pixel outline keeps the figure 2 pixels in, ending at Width - 3.
        p.shadowOrient = soNone;
        p.outlineWidth = 4;
        QCOMPARE(rects(p).shape, (Box{2, 2, 97, 77}));
        // At zoom 2.0 the shadow offset doubles.
        p.outlineWidth = 1;
        p.shape = gstRectangle;
        p.shadowOrient = soLowerRight;
        p.zoom = 2.0f;
        QCOMPARE(rects(p).shadow, (Box{10, 10, 100, 80}));
    }

    void gradientFollowsTheObjectSize()
    {
        CardPanelHost h;
        TSuperShape *s = addSuperShape(h, QRect(10, 10, 100, 60));
        QCOMPARE(s->GradientBitmap().size(), QSize(100, 60));
        s->SetBounds(10, 10, 150, 90);
        QCOMPARE(s->GradientBitmap().size(), QSize(150, 90));
        // gdUp: the "to" colour on top. Below 256 pixels the edge rows are
        // the bands next to the end ones.
        QVERIFY(nearly(s->GradientBitmap().pixelColor(5, 0), Qt::blue));
        QVERIFY(nearly(s->GradientBitmap().pixelColor(5, 89), Qt::red));
        s->SetFillDirection(gdRight);
        QVERIFY(nearly(s->GradientBitmap().pixelColor(0, 5), Qt::red));
        QVERIFY(nearly(s->GradientBitmap().pixelColor(149, 5), Qt::blue));
        // A texture keeps its own tile size when the object grows.
        s->SetSurfaceType(TSuperShape::stBrushImage);
        s->SetImage(plain({8, 8}, Qt::green));
        s->SetBounds(10, 10, 200, 100);
        QCOMPARE(s->Image().size(), QSize(8, 8));
    }

    void paintsShadowSurfaceAndOutline()
    {
        CardPanelHost h;
        TSuperShape *s = addSuperShape(h, QRect(20, 20, 100, 80));
        s->SetShape(gstRectangle);
        s->SetSurfaceType(TSuperShape::stBrushPattern);
        s->SetBackColor(clLime);
        s->SetShadowColor(clGray);
        s->SetShadowOrient(soLowerRight);
        s->SetOutlineColor(clBlue);
        const QImage card = h.render();
        // Shape rectangle (0, 0, 95, 75): outline at its edges, surface inside.
        QCOMPARE(card.pixelColor(20, 40), QColor(Qt::blue));
        QCOMPARE(card.pixelColor(20 + 94, 40), QColor(Qt::blue));
        QCOMPARE(card.pixelColor(50, 40), QColor(Qt::green));
        // Shadow shows below and right of the shape.
        QCOMPARE(card.pixelColor(20 + 97, 60), QColor(128, 128, 128));
        QCOMPARE(card.pixelColor(60, 20 + 77), QColor(128, 128, 128));
        QCOMPARE(card.pixelColor(20 + 2, 20 + 77), QColor(Qt::white));
        // Transparent: nothing inside but the card.
        s->SetSurfaceType(TSuperShape::stBrushTransparent);
        const QImage empty = h.render();
        QCOMPARE(empty.pixelColor(50, 40), QColor(Qt::white));
        QCOMPARE(empty.pixelColor(20, 40), QColor(Qt::blue));
    }

    void starSurfaceIsCutToTheStar()
    {
        CardPanelHost h;
        TSuperShape *s = addSuperShape(h, QRect(0, 0, 100, 100));
        s->SetOutlineStyle(psClear);
        s->SetSurfaceType(TSuperShape::stBrushPattern);
        const QImage card = h.render();
        QCOMPARE(card.pixelColor(50, 50), QColor(Qt::red));     // centre
        QCOMPARE(card.pixelColor(50, 6), QColor(Qt::red));      // top point
        QCOMPARE(card.pixelColor(20, 15), QColor(Qt::white));   // between two points
        QCOMPARE(card.pixelColor(2, 2), QColor(Qt::white));
    }

    void texturesTileAndDoubleAtZoomTwo()
    {
        CardPanelHost h(QSize(400, 300));
        TSuperShape *s = addSuperShape(h, QRect(0, 0, 60, 60));
        s->SetShape(gstRectangle);
        s->SetOutlineStyle(psClear);
        s->SetSurfaceType(TSuperShape::stBrushImage);
        QImage tile = plain({10, 10}, Qt::yellow);
        tile.setPixelColor(0, 0, Qt::black);
        s->SetImage(tile);
        QImage card = h.render();
        QCOMPARE(card.pixelColor(0, 0), QColor(Qt::black));
        QCOMPARE(card.pixelColor(10, 10), QColor(Qt::black));
        QCOMPARE(card.pixelColor(11, 10), QColor(Qt::yellow));
        s->SetZoomDirect(2.0f);
        s->SetShadowDepth(5);
        card = h.render();
        QCOMPARE(card.pixelColor(20, 20), QColor(Qt::black));
        QCOMPARE(card.pixelColor(1, 1), QColor(Qt::black));
        QCOMPARE(card.pixelColor(10, 10), QColor(Qt::yellow));
    }

    void copyTakesEverythingButTheTexturePath()
    {
        TSuperShape a;
        a.SetBounds(0, 0, 120, 70);
        a.SetShape(gstTriangleUp);
        a.SetSurfaceType(TSuperShape::stBrushImage);
        a.SetImage(plain({5, 5}, Qt::cyan));
        a.SetShadowOrient(soUpperLeft);
        a.SetShadowDepth(7);
        a.SetOutlineWidth(3);
        a.SetLastBitmapFileNameandPath("/x/y.bmp");
        TSuperShape b;
        b.SetBounds(0, 0, 96, 96);
        b.CopyShapeFrom(a);
        QCOMPARE(b.Shape(), gstTriangleUp);
        QCOMPARE(b.SurfaceType(), TSuperShape::stBrushImage);
        QCOMPARE(b.Image().size(), QSize(5, 5));
        QCOMPARE(b.ShadowDepth(), 7);
        QCOMPARE(b.ShadowOrient(), soUpperLeft);
        QCOMPARE(b.OutlineWidth(), 3);
        QCOMPARE(b.Width(), 120);
        QCOMPARE(b.Height(), 70);
        QVERIFY(b.LastBitmapFileNameandPath().isEmpty());
    }

    void menuOffersProperties()
    {
        CardPanelHost h;
        TSuperShape *s = addSuperShape(h, QRect(0, 0, 50, 50));
        const QStringList captions = menuCaptions(s->ObjectMenu());
        QCOMPARE(captions.mid(captions.size() - 2), (QStringList{"-", "Properties"}));
    }
};

QTEST_MAIN(TestSuperShape)
#include "tst_supershape.moc"
