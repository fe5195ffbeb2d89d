#pragma once

#include <QPolygon>
#include <QStringList>

// Outline kinds of the multi-purpose shape.
enum TGPShapeType {
    gstRectangle,
    gstRoundRect,
    gstEllipse,
    gstDiamond,
    gstStar,
    gstTriangleLeft,
    gstTriangleRight,
    gstTriangleUp,
    gstTriangleDown,
    gstPolyGon,
};
QStringList shapeKindNames();

// The corner a drop shadow falls towards.
enum TShadowOrient { soNone, soLowerRight, soUpperRight, soUpperLeft, soLowerLeft };
QStringList shadowOrientNames();

// The geometry of a multi-purpose shape in pixels relative to the object's
// top-left corner. Rectangles are corners (left, top, right, bottom); a
// filled figure covers columns left..right-1 and rows top..bottom-1.
namespace SuperShapeFigure {

struct Box {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const Box &) const = default;
};

// What decides the figure besides the shape kind.
struct Params {
    int width = 0;
    int height = 0;
    int outlineWidth = 1;
    int shadowDepth = 0;    // at zoom 1.0
    float zoom = 1.0f;
    TShadowOrient shadowOrient = soNone;
    TGPShapeType shape = gstStar;
    int vectors = 10;
    int inVectorPercent = 50;
    int startingAngle = 90;
    int roundPerc = 25;
    bool operator==(const Params &) const = default;
};

struct Rects {
    Box shape;
    Box shadow; // all zero when there is no shadow
};

// The shape and shadow rectangles: the outline pen stays inside the object
// and the shadow takes its depth (scaled by the zoom) from the shape; a
// diamond's shadow is offset sideways only.
Rects rects(const Params &p);

// The points of a diamond or triangle in `box`; for the shadow pass the
// shadow box's corner as `at` and the shape box for the size. Empty for
// other kinds.
QPolygon polygonPoints(TGPShapeType shape, const Box &size, QPoint at);

// Star and polygon vertices: `vectors` + 1 points (the last repeats the
// first) round the centre of (x, y, width, height), shifted by `offset`.
// Outer radius min(width / 2, height / 2) - 4, inner radius reduced by
// `inVectorPercent`; vertex 0 sits at `startingAngle` degrees (90 is
// straight above the centre) and the rest follow clockwise on the screen.
QPolygon starPoints(int x, int y, int width, int height, QPoint offset, int vectors, int inVectorPercent,
                    int startingAngle);

// The corner size of a rounded rectangle: RoundPerc percent of the larger
// side of the whole object.
int cornerSize(const Params &p);

// The figure's outline as a polygon for every kind drawn as one (diamond,
// triangles, star, polygon): `vectors` points for stars and polygons. Empty
// for rectangles, rounded rectangles and ellipses.
QPolygon figurePolygon(const Params &p, const Box &box, const Box &sizeBox);

} // namespace SuperShapeFigure
