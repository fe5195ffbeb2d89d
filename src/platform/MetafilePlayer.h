#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QPolygonF>
#include <QRect>
#include <QSizeF>
#include <QString>
#include <QTransform>

#include <optional>
#include <vector>

class QPainter;

// The metafile player behind TMetafile: the WMF and EMF record readers feed
// a small GDI model (object table, device-context state with SaveDC and
// RestoreDC, mapping, clipping, paths) that draws with QPainter. Coordinates
// end in "frame units": hundredths of a millimetre from the frame's corner.
namespace MetafilePlayer {

void PlayWmf(QPainter &painter, const QByteArray &data, const QRect &box, int inch, const QSizeF &frame);
void PlayEmf(QPainter &painter, const QByteArray &data, const QSizeF &frame);

// A bitmap from a device-independent bitmap's header (with its colour table)
// and its bits; null when they are damaged or of an unsupported kind.
QImage DibToImage(const char *info, qsizetype infoSize, const char *bits, qsizetype bitsSize);
// The size of a DIB header with its colour table, or 0 when it is not sane.
qsizetype DibInfoSize(const char *info, qsizetype available);

QColor ColorRef(quint32 colorref);

struct GdiPen {
    int style = 0;       // PS_SOLID ... PS_INSIDEFRAME, with the geometric bits of extended pens
    double width = 0;    // logical units; 0 is one device pixel
    QColor color = Qt::black;
};

struct GdiBrush {
    int style = 0; // BS_SOLID, BS_NULL, BS_HATCHED, BS_PATTERN/BS_DIBPATTERN
    QColor color = Qt::white;
    int hatch = 0;
    QImage pattern;
};

struct GdiFont {
    int height = 0, width = 0, escapement = 0, weight = 400, charset = 0;
    bool italic = false, underline = false, strikeOut = false;
    QString face;
};

struct GdiObject {
    enum TKind { okNone, okPen, okBrush, okFont, okRegion, okOther } kind = okNone;
    GdiPen pen;
    GdiBrush brush;
    GdiFont font;
    QPainterPath region; // device units
};

struct GdiState {
    GdiPen pen;
    GdiBrush brush;
    GdiFont font;
    QColor textColor = Qt::black;
    QColor bkColor = Qt::white;
    bool bkOpaque = true;
    int textAlign = 0;
    bool winding = false;
    int rop2 = 13; // R2_COPYPEN
    int stretchMode = 1;
    bool clockwiseArcs = false;
    int mapMode = 1;
    QPointF windowOrg, viewportOrg;
    QSizeF windowExt{1, 1}, viewportExt{1, 1};
    QTransform world;
    std::optional<QPainterPath> clip; // frame units
    QPointF current;                  // logical
};

// The device context the readers drive.
class GdiContext
{
public:
    // `deviceToFrame` maps device units (EMF reference pixels, WMF viewport)
    // to frame units.
    GdiContext(QPainter &painter, const QTransform &deviceToFrame, const QSizeF &frame);
    ~GdiContext();

    GdiState st;

    QTransform PageTransform() const;    // logical -> device
    QTransform LogicalToFrame() const;   // world, page and device mapping
    const QTransform &DeviceToFrame() const { return m_deviceToFrame; }
    void SetMapMode(int mode, const QSizeF &devicePixelsPerMm);

    void SaveDC();
    void RestoreDC(int relative);

    // Drawing in logical units (added to the path while one is open).
    void MoveTo(QPointF p);
    void LineTo(QPointF p);
    void Polyline(const QPolygonF &points);
    void PolylineTo(const QPolygonF &points);
    void PolyBezier(const QPolygonF &points, bool fromCurrent);
    void Polygon(const QPolygonF &points);
    void PolyPolygon(const std::vector<QPolygonF> &polygons);
    void PolyPolyline(const std::vector<QPolygonF> &polylines);
    void Rectangle(const QRectF &r);
    void RoundRect(const QRectF &r, QSizeF corner);
    void Ellipse(const QRectF &r);
    // kind: 0 arc, 1 chord, 2 pie; `to` moves the current position (ArcTo).
    void Arc(const QRectF &box, QPointF start, QPointF end, int kind, bool to = false);
    void SetPixel(QPointF p, const QColor &color);
    // `dx`: logical advance of each character, when given; `rect` with
    // `opaque` fills, with `clipped` clips.
    void Text(QPointF at, const QString &text, const std::vector<double> &dx, const QRectF &rect,
              bool opaque, bool clipped);
    // A bitmap from `source` (image pixels, top-down) into a logical rectangle.
    void Blit(const QRectF &dest, const QImage &image, const QRectF &source, quint32 rop);
    // A raster operation without a source (PatBlt and friends).
    void PatBlt(const QRectF &dest, quint32 rop);
    void FillRegion(const QPainterPath &deviceRegion, const GdiBrush &brush);

    // Clipping. Rectangles are logical; regions device units.
    void IntersectClipRect(const QRectF &r);
    void ExcludeClipRect(const QRectF &r);
    void OffsetClip(QPointF logicalOffset);
    // mode: RGN_AND 1, RGN_OR 2, RGN_XOR 3, RGN_DIFF 4, RGN_COPY 5.
    void SelectClip(const std::optional<QPainterPath> &deviceRegion, int mode);
    void SelectClipPath(int mode);

    // Paths.
    void BeginPath();
    void EndPath() { m_pathOpen = false; }
    void AbortPath();
    void CloseFigure();
    void FillPath();
    void StrokePath();
    void StrokeAndFillPath();

private:
    QPen MakePen() const;
    QBrush MakeBrush(const GdiBrush &brush) const;
    QFont MakeFont(double *scale) const;
    void Draw(const QPainterPath &logicalPath, bool fill, bool stroke);
    void ApplyClip();
    void Combine(const QPainterPath &framePath, int mode);
    bool PenVisible() const;

    QPainter &m_painter;
    QTransform m_base;
    QTransform m_deviceToFrame;
    QSizeF m_frame;
    QSizeF m_pixelsPerMm{1, 1};
    std::vector<GdiState> m_saved;
    bool m_pathOpen = false;
    QPainterPath m_path; // logical
};

} // namespace MetafilePlayer
