#pragma once

#include "platform/Brush.h"
#include "platform/Fonts.h"
#include "platform/Pen.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPoint>
#include <QPolygon>
#include <QRect>
#include <QRegion>
#include <QSize>
#include <QString>
#include <memory>

class QPaintDevice;
class QPicture;

// Background mode for text cells and the gaps of styled lines.
enum TBackgroundMode { bmTransparent, bmOpaque };

// Text alignment flags: one horizontal and one vertical value, or-ed.
enum TTextAlignFlag : unsigned {
    TA_LEFT = 0,
    TA_RIGHT = 2,
    TA_CENTER = 6,
    TA_TOP = 0,
    TA_BOTTOM = 8,
    TA_BASELINE = 24,
};

// A drawing surface that behaves like the classic device-context canvas the
// card's geometry was designed for, over a QPainter.
//
// Coordinates are integer pixels. Device coordinates are logical ones plus
// `origin()`. Every shape given as (l, t, r, b) covers columns l..r-1 and
// rows t..b-1; a QRect argument covers exactly the pixels of that QRect.
//
// Pens. A pen of width 0 or 1 is one pixel wide. A wider pen is centred on the
// outline through the corner pixels (l, t) and (r-1, b-1): at width w it
// covers the pixels from x - w/2 to x - w/2 + w - 1 around an outline pixel x
// (w/2 truncated): Rectangle(0, 0, 10, 10) with a 4-pixel pen covers columns
// -2..1 and 7..10, and Rectangle(2, 2, 9, 9) keeps the same pen inside 0..9.
// Corners are square. psInsideFrame keeps a wide outline inside l..r-1,
// t..b-1. Dash styles apply to pens of width 0 or 1 only; wider pens
// draw solid, as the platform does. The dash lengths are those of the
// platform's cosmetic pens: dash 18/6, dot 3/3, dash-dot 9/6/3/6,
// dash-dot-dot 9/3/3/3/3/3. The gaps take the background colour when the
// background mode is opaque.
//
// Pen modes. On raster targets (QImage, widgets drawn through the raster
// engine) every mode mixes exactly as named, and an outline touches each
// pixel once, so drawing a pmXor (or pmNot) outline twice restores the
// pixels bit for bit. Targets without raster operations (QPicture recordings,
// PDF, printers) draw pmCopy for every mode but pmNop. A widget's picture
// exists only during its paintEvent, so a panel that wants an exclusive-or
// band over a widget draws it on its off-screen card image, or repaints the
// band on every paint.
//
// Brushes. The background mode follows the brush the way the platform's
// canvas does: opaque in the brush colour for bsSolid, transparent
// otherwise; setBackgroundMode() overrides this until the brush changes.
// Hatch and 8 x 8 pattern brushes are tiled from the canvas's logical origin.
//
// Text. textOut(x, y) puts the text's reference point at (x, y): by default
// the top-left corner of the unrotated text cell. A non-zero escapement
// (tenths of a degree, counter-clockwise) rotates the text about that point.
//
// Print text. A canvas that draws for paper (setPrintText) sets each line
// of text in the unhinted font (Fonts::toPrintQFont), whose letters are
// narrower or wider than the screen's whole-pixel ones. The line keeps the
// point the horizontal alignment flags name (left end, centre or right
// end) where the screen layout puts it, and a clip rectangle that held the
// whole line on screen grows along the line to hold it on paper too.
//
// Antialiasing is off, so shapes are pixel-exact; text keeps the font's own
// smoothing. setAntialiasing(true) smooths shapes for special effects.
// setSmooth(true) is the screen's smooth drawing: shapes, one-pixel outlines
// and lines anti-aliased and pictures filtered when stretched.
//
// Devices with a pixel ratio above 1 (a HiDPI screen) are drawn at their own
// resolution: geometry stays in logical pixels, and a pen of width 0 or 1 is
// a hairline one device pixel wide, as the screen's own lines are.
class TCanvas {
public:
    // Draws on the device through a painter of its own.
    explicit TCanvas(QPaintDevice *device, int pixelsPerInch = 0);
    // Draws through a painter someone else has begun (a widget's paintEvent,
    // a print job); its state is saved and restored around the canvas's life.
    explicit TCanvas(QPainter *painter, int pixelsPerInch = 0);
    ~TCanvas();
    TCanvas(const TCanvas &) = delete;
    TCanvas &operator=(const TCanvas &) = delete;

    QPainter *painter() const { return m_painter; }
    QPaintDevice *device() const;
    // 0 in the constructors means the screen's pixels per inch.
    int pixelsPerInch() const { return m_pixelsPerInch; }
    void setPixelsPerInch(int pixelsPerInch);

    // Logical (0, 0) in device coordinates.
    QPoint origin() const { return m_origin; }
    void setOrigin(QPoint origin);

    // Drawing state; the references stay valid and may be changed in place.
    TPen &pen() { return m_pen; }
    const TPen &pen() const { return m_pen; }
    void setPen(const TPen &pen) { m_pen = pen; }
    TBrush &brush() { return m_brush; }
    const TBrush &brush() const { return m_brush; }
    void setBrush(const TBrush &brush) { m_brush = brush; }
    TFont &font() { return m_font; }
    const TFont &font() const { return m_font; }
    void setFont(const TFont &font) { m_font = font; }
    int fontEscapement() const { return m_escapement; }
    void setFontEscapement(int tenthsOfDegree) { m_escapement = tenthsOfDegree; }

    TBackgroundMode backgroundMode() const;
    void setBackgroundMode(TBackgroundMode mode);
    // The colour of opaque text cells and line gaps: the brush colour.
    TColor backgroundColor() const { return m_brush.color; }
    unsigned textAlign() const { return m_textAlign; }
    void setTextAlign(unsigned flags) { m_textAlign = flags; }
    // Polygon interior rule; the platform's default is alternate (odd-even).
    Qt::FillRule polyFillMode() const { return m_polyFillMode; }
    void setPolyFillMode(Qt::FillRule rule) { m_polyFillMode = rule; }

    bool antialiasing() const { return m_antialiasing; }
    void setAntialiasing(bool on);
    bool smooth() const { return m_smooth; }
    void setSmooth(bool on);

    // Shapes: outline with the pen, interior with the brush.
    void rectangle(int l, int t, int r, int b);
    void rectangle(const QRect &rect);
    void ellipse(int l, int t, int r, int b);
    void ellipse(const QRect &rect);
    // Corners are quarter ellipses cornerW wide and cornerH high.
    void roundRect(int l, int t, int r, int b, int cornerW, int cornerH);
    // Closed; every vertex pixel is drawn. Interior by polyFillMode().
    void polygon(const QPolygon &points);
    // Open; the last point is not drawn, as with lineTo.
    void polyline(const QPolygon &points);

    // Brush only (mode pmMask ANDs a pattern into the picture, as the grid does).
    void fillRect(const QRect &rect, TPenMode mode = pmCopy);
    // A one-pixel frame just inside rect, in the brush colour.
    void frameRect(const QRect &rect);

    // Lines from the current position; the end point is not drawn.
    void moveTo(int x, int y);
    void lineTo(int x, int y);
    QPoint penPos() const { return m_penPos; }

    // Pixels; reading works on QImage targets only (clNone elsewhere or
    // outside the image).
    TColor pixel(int x, int y) const;
    void setPixel(int x, int y, TColor color);

    // Text for paper rather than for the screen (see "Print text" above).
    bool printText() const { return m_printText; }
    void setPrintText(bool on) { m_printText = on; }

    // Text in the current font, font colour, alignment and escapement.
    void textOut(int x, int y, const QString &text);
    // Text clipped to `clip`; an opaque background fills all of `clip`.
    void textRect(const QRect &clip, int x, int y, const QString &text);
    QSize textExtent(const QString &text) const;
    int textWidth(const QString &text) const { return textExtent(text).width(); }
    int textHeight(const QString &text) const { return textExtent(text).height(); }
    TTextMetrics textMetrics() const;
    // Glyph outlines of text placed as textOut would place it, in logical
    // coordinates (for clipping to letters and stroking them).
    QPainterPath textPath(int x, int y, const QString &text) const;

    // Clipping. Regions are in device coordinates, as the platform's
    // regions are (see CanvasRegions for pixel-exact shapes); the
    // rectangle operations take logical coordinates.
    void selectClipRegion(const QRegion &deviceRegion);
    void intersectClipRegion(const QRegion &deviceRegion);
    void intersectClipRect(int l, int t, int r, int b);
    // A path in logical coordinates becomes the clipping region.
    void selectClipPath(const QPainterPath &logicalPath);
    void clearClip();
    bool hasClip() const { return m_hasClip; }
    // Device-coordinate clip when hasClip().
    QRegion clipRegion() const { return m_clip; }

    // Paths in logical coordinates, drawn with the pen / brush.
    void fillPath(const QPainterPath &path);
    void strokePath(const QPainterPath &path);

    // Bitmaps and recordings, copied unsmoothed.
    void draw(int x, int y, const QImage &image);
    void stretchDraw(const QRect &rect, const QImage &image);
    // As the platform's stretching blit: a negative width or height mirrors
    // the copy; it then covers x+width+1..x (or y+height+1..y).
    void stretchDraw(int x, int y, int width, int height, const QImage &image);
    void stretchDraw(const QRect &rect, const QPicture &picture);

private:
    void begin();
    void applyClip();
    bool rasterOps() const;
    QColor penColor() const;
    QBrush fillBrush() const;
    QPen qPen(const QColor &color) const;
    int penPixels() const;
    bool dashed() const;
    QRect penOuterBox(int l, int t, int r, int b) const;
    void fillSpans(const QList<QRect> &spans, const QColor &color, TPenMode mode);
    void fillArea(const QPainterPath &area, TPenMode mode);
    void fillWithPen(const QPainterPath &area);
    void strokeOutline(const QPolygon &vertices, bool closed);
    void strokeWideLine(const QPolygon &vertices, bool closed);
    void strokeCosmetic(const QPainterPath &path);
    // One-pixel outlines are strokes rather than pixel runs when smoothing
    // or drawing on a HiDPI device.
    // Mixing modes (the exclusive-or band) keep their pixel runs when smoothing.
    bool strokesOutlines() const { return (m_smooth && m_pen.mode == pmCopy) || m_hairline < 1.0; }
    static QPainterPath curvePath(const QRectF &box, double radiusX, double radiusY, bool ellipse);
    void closedCurve(int l, int t, int r, int b, int cornerW, int cornerH, bool ellipse);
    QFont qFont() const;
    QPointF cellOffset(const QString &text) const;
    qreal printShift(const QString &text) const;
    QRectF printClip(const QRect &clip, const QTransform &placement, const QPointF &cell, const QString &text) const;
    void drawText(int x, int y, const QString &text, const QRect *clip);

    std::unique_ptr<QPainter> m_ownPainter;
    QPainter *m_painter = nullptr;
    int m_pixelsPerInch = 96;
    QPoint m_origin;
    TPen m_pen;
    TBrush m_brush;
    TFont m_font;
    int m_escapement = 0;
    bool m_bkOverride = false;
    TBackgroundMode m_bkMode = bmOpaque;
    TBrush m_bkOverrideBrush;
    unsigned m_textAlign = TA_LEFT | TA_TOP;
    Qt::FillRule m_polyFillMode = Qt::OddEvenFill;
    bool m_antialiasing = false;
    bool m_printText = false;
    bool m_smooth = false;
    // One device pixel in logical pixels.
    qreal m_hairline = 1.0;
    QPoint m_penPos;
    bool m_hasClip = false;
    QRegion m_clip;
    QTransform m_baseTransform;
    bool m_baseHasClip = false;
    QRegion m_baseClip;
};
