#pragma once

#include "platform/Brush.h"
#include "platform/Canvas.h"
#include "platform/Fonts.h"
#include "platform/Pen.h"
#include "report/ReportTypes.h"

#include <QFont>
#include <QList>
#include <QPainterPath>
#include <QPointF>
#include <QPolygon>
#include <QRect>
#include <QRectF>
#include <QString>

class QImage;
class QPainter;
class QPicture;

// The drawing half of a print job, shared by every target.
//
// Units. Inch coordinates are measured from the PHYSICAL top-left corner of
// the sheet in the job's orientation. An inch value v becomes the device
// pixel round-half-even((v + margin) * dpi) - offset, where dpi is the
// device's resolution on that axis, margin the job's MarginLeft/MarginTop
// (normally 0) and offset the device's unprintable offset in pixels. Device
// pixel (0, 0) is thus the top-left of the printable area, and operations
// said to take device pixels (polygon, fillRect, clip polygons) use those
// coordinates directly. A rectangle (x1, y1, x2, y2) covers the device
// columns x1'..x2'-1 and rows y1'..y2'-1.
//
// Pens. A positive width is device pixels; a negative width -n is n
// hundredths of an inch, never less than one device pixel; 0 is one pixel.
// Outlines are centred on the shape's edge pixels (psInsideFrame keeps them
// inside). Pen modes other than pmCopy apply on raster targets only.
//
// Text. The text cursor is the left end of the baseline; printing text
// moves the cursor to the end of what was printed.
//
// Paths. Between beginPath() and endPath() text, shapes and lines are added
// to the path instead of being drawn; the path can then be stroked, filled
// or made the clipping region.
//
// Nothing is drawn while no page is open (before the document begins,
// after it ended or was aborted).
class ReportCanvas
{
public:
    ReportCanvas();
    virtual ~ReportCanvas();
    ReportCanvas(const ReportCanvas &) = delete;
    ReportCanvas &operator=(const ReportCanvas &) = delete;

    // Device geometry.
    int resolutionX() const { return metrics_.dpiX; }
    int resolutionY() const { return metrics_.dpiY; }
    // Unprintable margins in inches on each side of the sheet.
    double unprintableLeft() const;
    double unprintableTop() const;
    double unprintableRight() const;
    double unprintableBottom() const;
    // The physical sheet in inches in the current orientation.
    double pageWidth() const;
    double pageHeight() const;
    const ReportDeviceMetrics &deviceMetrics() const { return metrics_; }

    // Shifts every inch position (the job's own margins; 0 by default).
    void setMarginLeft(double inches) { marginLeft_ = inches; }
    void setMarginTop(double inches) { marginTop_ = inches; }
    double marginLeft() const { return marginLeft_; }
    double marginTop() const { return marginTop_; }

    // Inches to device pixels.
    int toDeviceX(double x) const;
    int toDeviceY(double y) const;
    QPoint toDevice(double x, double y) const { return QPoint(toDeviceX(x), toDeviceY(y)); }
    QRect toDevice(double x1, double y1, double x2, double y2) const;
    // Device pixels back to inches from the physical corner.
    double toInchesX(int deviceX) const;
    double toInchesY(int deviceY) const;

    // Pen and brush.
    void setPen(const TPen &pen) { pen_ = pen; }
    void setPen(TColor color, TPenStyle style, int width, TPenMode mode = pmCopy);
    const TPen &pen() const { return pen_; }
    // The pen's width in device pixels after the width convention above.
    int penWidthPixels() const;
    void setBrush(const TBrush &brush) { brush_ = brush; }
    void setBrush(TColor color, TBrushStyle style);
    const TBrush &brush() const { return brush_; }

    // Shapes in inches.
    void rectangle(double x1, double y1, double x2, double y2);
    // Corner width and height are the full extents of the corner ellipse.
    void roundRect(double x1, double y1, double x2, double y2, double cornerW, double cornerH);
    void ellipse(double x1, double y1, double x2, double y2);
    void moveTo(double x, double y);
    void lineTo(double x, double y);

    // Shapes in device pixels.
    void polygon(const QPolygon &points);
    void fillRect(const QRect &rect);
    void fillRect(int l, int t, int r, int b) { fillRect(QRect(QPoint(l, t), QPoint(r - 1, b - 1))); }

    // Clip regions: a stack of shapes; selectClip() makes the top one the
    // clipping region, clearClip() removes clipping, popClip() drops the top.
    void pushClipRect(double x1, double y1, double x2, double y2);
    void pushClipRoundRect(double x1, double y1, double x2, double y2, double cornerW, double cornerH);
    void pushClipEllipse(double x1, double y1, double x2, double y2);
    void pushClipPolygon(const QPolygon &devicePoints); // winding rule
    void selectClip();
    void clearClip();
    void popClip();
    int clipDepth() const { return int(clips_.size()); }

    // Fonts and text.
    void setFont(const QString &name, int points);
    // Name, size in points at `pixelsPerInch`, style and colour of a stored font.
    void setFont(const TFont &font, int pixelsPerInch);
    void setFontBold(bool on);
    void setFontItalic(bool on);
    void setFontUnderline(bool on);
    void setFontColor(TColor color);
    QString fontName() const { return font_.name; }
    int fontSize() const { return fontPoints_; }
    TFontStyles fontStyle() const { return font_.style; }
    TColor fontColor() const { return font_.color; }
    // Transparent by default; opaque fills the text cell with the brush colour.
    void setTextBackground(TBackgroundMode mode) { textBackground_ = mode; }
    TBackgroundMode textBackground() const { return textBackground_; }
    // The font's size in inches (points / 72) and its line spacing in inches.
    double fontHeightInches() const { return fontPoints_ / 72.0; }
    double lineHeightInches() const;
    double textWidthInches(const QString &text) const;
    void setTextCursor(double x, double y) { cursor_ = QPointF(x, y); }
    QPointF textCursor() const { return cursor_; }
    void printText(const QString &text);
    void printText(double x, double y, const QString &text);
    // The font as drawn on the device.
    QFont deviceFont() const;

    // Paths (device pixels).
    void beginPath();
    void endPath();
    bool pathOpen() const { return pathOpen_; }
    const QPainterPath &path() const { return path_; }
    // Replaces the clipping region with the path; the path is used up.
    void selectPathAsClip();
    void strokePath();
    void fillPath();
    // Fills a path given in device pixels with the brush (vector output
    // keeps its exact outline).
    void fillDevicePath(const QPainterPath &devicePath);

    // Pictures stretched into an inch rectangle. A picture is mapped from its
    // frame (its bounding rectangle when `frame` is empty).
    void stretchDraw(double x1, double y1, double x2, double y2, const QImage &image);
    void stretchDraw(double x1, double y1, double x2, double y2, const QPicture &picture,
                     const QRect &frame = QRect());
    void stretchDraw(const QRect &deviceRect, const QPicture &picture, const QRect &frame = QRect());

    // The painter drawing goes to: the page's, or another while a Redirect
    // lives; null between pages. For helpers that work on the page itself.
    QPainter *pagePainter() const { return painter_; }

    // While alive, drawing goes to `painter` (same device geometry, its own
    // transform) instead of the page; afterwards to the page again.
    class Redirect
    {
    public:
        Redirect(ReportCanvas &canvas, QPainter *painter);
        ~Redirect();
        Redirect(const Redirect &) = delete;
        Redirect &operator=(const Redirect &) = delete;

    private:
        ReportCanvas &canvas_;
        QPainter *page_;
    };

    // Puts everything a drawing step can set back as it was when the guard
    // was made: pen, brush, font, text background and cursor, the pen
    // position, the clip stack and an open path, and on the page the
    // painter's clipping, transform, composition mode and hints. Each object
    // prints inside one, so nothing it leaves set reaches the next.
    class StateGuard
    {
    public:
        explicit StateGuard(ReportCanvas &canvas);
        ~StateGuard();
        StateGuard(const StateGuard &) = delete;
        StateGuard &operator=(const StateGuard &) = delete;

    private:
        ReportCanvas &canvas_;
        QPainter *painter_;
        int page_;
        double marginLeft_, marginTop_;
        TPen pen_;
        TBrush brush_;
        TFont font_;
        int fontPoints_;
        TBackgroundMode textBackground_;
        QPointF cursor_;
        QPoint penPos_;
        QList<QPainterPath> clips_;
        bool pathOpen_;
        QPainterPath path_;
    };

protected:
    // The job opens and closes pages: drawing goes to `painter` until detach().
    void attach(QPainter *painter);
    void detach();
    // A new page on the same painter: its state starts afresh.
    void pageStarted() { ++pageSerial_; }
    bool drawing() const { return painter_ != nullptr; }
    void setDeviceMetrics(const ReportDeviceMetrics &metrics) { metrics_ = metrics; }

private:
    void closedShape(const QRect &area, int cornerW, int cornerH, bool ellipse);
    void drawShape(const QPainterPath &interior, const QPainterPath &outline);
    void strokeWith(const QPainterPath &path, bool line);
    bool applyPenMode();
    QPainterPath shapePath(const QRectF &box, int cornerW, int cornerH, bool ellipse) const;

    QPainter *painter_ = nullptr;
    int pageSerial_ = 0; // counts pages begun: a guard restores the painter only on its own page
    ReportDeviceMetrics metrics_;
    double marginLeft_ = 0;
    double marginTop_ = 0;
    TPen pen_;
    TBrush brush_;
    TFont font_;
    int fontPoints_ = 10;
    TBackgroundMode textBackground_ = bmTransparent;
    QPointF cursor_;
    QPoint penPos_;
    QList<QPainterPath> clips_;
    bool pathOpen_ = false;
    QPainterPath path_;
};
