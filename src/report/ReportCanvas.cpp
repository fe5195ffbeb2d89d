#include "report/ReportCanvas.h"

#include "platform/Colors.h"
#include "platform/Numbers.h"
#include "platform/PrintFonts.h"
#include "platform/SymbolFonts.h"
#include "report/ReportPage.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPicture>
#include <algorithm>

namespace {

Qt::PenStyle qtPenStyle(TPenStyle style)
{
    switch (style) {
    case psDash: return Qt::DashLine;
    case psDot: return Qt::DotLine;
    case psDashDot: return Qt::DashDotLine;
    case psDashDotDot: return Qt::DashDotDotLine;
    case psClear: return Qt::NoPen;
    case psSolid:
    case psInsideFrame: break;
    }
    return Qt::SolidLine;
}

Qt::BrushStyle qtBrushStyle(TBrushStyle style)
{
    switch (style) {
    case bsClear: return Qt::NoBrush;
    case bsHorizontal: return Qt::HorPattern;
    case bsVertical: return Qt::VerPattern;
    case bsFDiagonal: return Qt::FDiagPattern;
    case bsBDiagonal: return Qt::BDiagPattern;
    case bsCross: return Qt::CrossPattern;
    case bsDiagCross: return Qt::DiagCrossPattern;
    case bsSolid: break;
    }
    return Qt::SolidPattern;
}

QBrush qtBrush(const TBrush &brush)
{
    if (brush.hasPattern())
        return QBrush(brush.bitmap);
    return QBrush(Colors::toQColor(brush.color), qtBrushStyle(brush.style));
}

// Raster operations exist on raster devices only; printers, PDF files and
// recordings draw every mode but pmNop as a plain copy.
std::optional<QPainter::CompositionMode> rasterMode(TPenMode mode)
{
    switch (mode) {
    case pmNot: return QPainter::RasterOp_NotDestination;
    case pmNotCopy: return QPainter::RasterOp_NotSource;
    case pmMergePenNot: return QPainter::RasterOp_SourceOrNotDestination;
    case pmMaskPenNot: return QPainter::RasterOp_SourceAndNotDestination;
    case pmMergeNotPen: return QPainter::RasterOp_NotSourceOrDestination;
    case pmMaskNotPen: return QPainter::RasterOp_NotSourceAndDestination;
    case pmMerge: return QPainter::RasterOp_SourceOrDestination;
    case pmNotMerge: return QPainter::RasterOp_NotSourceAndNotDestination;
    case pmMask: return QPainter::RasterOp_SourceAndDestination;
    case pmNotMask: return QPainter::RasterOp_NotSourceOrNotDestination;
    case pmXor: return QPainter::RasterOp_SourceXorDestination;
    case pmNotXor: return QPainter::RasterOp_NotSourceXorDestination;
    case pmBlack: return QPainter::RasterOp_ClearDestination;
    case pmWhite: return QPainter::RasterOp_SetDestination;
    case pmCopy:
    case pmNop: break;
    }
    return std::nullopt;
}

} // namespace

ReportCanvas::ReportCanvas()
{
    font_.name = QStringLiteral("Arial");
    font_.color = clBlack;
}

ReportCanvas::~ReportCanvas() = default;

// ---- geometry ----

double ReportCanvas::unprintableLeft() const
{
    return metrics_.dpiX > 0 ? double(metrics_.printable.left()) / metrics_.dpiX : 0.0;
}

double ReportCanvas::unprintableTop() const
{
    return metrics_.dpiY > 0 ? double(metrics_.printable.top()) / metrics_.dpiY : 0.0;
}

double ReportCanvas::unprintableRight() const
{
    if (metrics_.dpiX <= 0)
        return 0.0;
    return double(metrics_.page.width() - metrics_.printable.left() - metrics_.printable.width()) / metrics_.dpiX;
}

double ReportCanvas::unprintableBottom() const
{
    if (metrics_.dpiY <= 0)
        return 0.0;
    return double(metrics_.page.height() - metrics_.printable.top() - metrics_.printable.height()) / metrics_.dpiY;
}

double ReportCanvas::pageWidth() const
{
    return metrics_.dpiX > 0 ? double(metrics_.page.width()) / metrics_.dpiX : 0.0;
}

double ReportCanvas::pageHeight() const
{
    return metrics_.dpiY > 0 ? double(metrics_.page.height()) / metrics_.dpiY : 0.0;
}

int ReportCanvas::toDeviceX(double x) const
{
    return Numbers::roundHalfEven(Numbers::settle((x + marginLeft_) * metrics_.dpiX)) - metrics_.printable.left();
}

int ReportCanvas::toDeviceY(double y) const
{
    return Numbers::roundHalfEven(Numbers::settle((y + marginTop_) * metrics_.dpiY)) - metrics_.printable.top();
}

QRect ReportCanvas::toDevice(double x1, double y1, double x2, double y2) const
{
    const QPoint a = toDevice(x1, y1);
    const QPoint b = toDevice(x2, y2);
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                 QSize(std::abs(b.x() - a.x()), std::abs(b.y() - a.y())));
}

double ReportCanvas::toInchesX(int deviceX) const
{
    return metrics_.dpiX > 0 ? double(deviceX + metrics_.printable.left()) / metrics_.dpiX - marginLeft_ : 0.0;
}

double ReportCanvas::toInchesY(int deviceY) const
{
    return metrics_.dpiY > 0 ? double(deviceY + metrics_.printable.top()) / metrics_.dpiY - marginTop_ : 0.0;
}

// ---- pen and brush ----

void ReportCanvas::setPen(TColor color, TPenStyle style, int width, TPenMode mode)
{
    pen_ = TPen{color, width, style, mode};
}

int ReportCanvas::penWidthPixels() const
{
    if (pen_.width < 0)
        return std::max(1, Numbers::roundHalfEven(-pen_.width * metrics_.dpiX / 100.0));
    return std::max(1, pen_.width);
}

void ReportCanvas::setBrush(TColor color, TBrushStyle style)
{
    brush_ = TBrush{color, style, QImage()};
}

bool ReportCanvas::applyPenMode()
{
    if (pen_.mode == pmNop)
        return false;
    const auto mode = rasterMode(pen_.mode);
    const bool raster = painter_->paintEngine() && painter_->paintEngine()->type() == QPaintEngine::Raster;
    painter_->setCompositionMode(mode && raster ? *mode : QPainter::CompositionMode_SourceOver);
    return true;
}

// ---- shapes ----

void ReportCanvas::drawShape(const QPainterPath &interior, const QPainterPath &outline)
{
    if (pathOpen_) {
        path_.addPath(interior);
        return;
    }
    if (!drawing())
        return;
    if (brush_.hasPattern() || brush_.style != bsClear)
        painter_->fillPath(interior, qtBrush(brush_));
    strokeWith(outline, false);
}

void ReportCanvas::strokeWith(const QPainterPath &path, bool line)
{
    if (!drawing() || pen_.style == psClear || path.isEmpty())
        return;
    painter_->save();
    if (applyPenMode()) {
        const int width = penWidthPixels();
        QPen pen(Colors::toQColor(pen_.color), width, qtPenStyle(pen_.style));
        // Thin lines leave out their end point; wide ones get round ends.
        pen.setCapStyle(!line ? Qt::SquareCap : width > 1 ? Qt::RoundCap : Qt::FlatCap);
        pen.setJoinStyle(line ? Qt::RoundJoin : Qt::MiterJoin);
        painter_->strokePath(path, pen);
    }
    painter_->restore();
}

QPainterPath ReportCanvas::shapePath(const QRectF &box, int cornerW, int cornerH, bool ellipse) const
{
    QPainterPath path;
    if (ellipse)
        path.addEllipse(box);
    else if (cornerW > 0 && cornerH > 0)
        path.addRoundedRect(box, std::min(cornerW / 2.0, box.width() / 2), std::min(cornerH / 2.0, box.height() / 2));
    else
        path.addRect(box);
    return path;
}

void ReportCanvas::closedShape(const QRect &area, int cornerW, int cornerH, bool ellipse)
{
    // The outline runs through the centres of the edge pixels; an
    // inside-frame pen is pulled in so that all of it stays in the area.
    const double inset = pen_.style == psInsideFrame ? penWidthPixels() / 2.0 : 0.5;
    const QRectF outline = QRectF(area).adjusted(inset, inset, -inset, -inset);
    drawShape(shapePath(QRectF(area), cornerW, cornerH, ellipse),
              shapePath(outline, cornerW, cornerH, ellipse));
}

void ReportCanvas::rectangle(double x1, double y1, double x2, double y2)
{
    closedShape(toDevice(x1, y1, x2, y2), 0, 0, false);
}

void ReportCanvas::roundRect(double x1, double y1, double x2, double y2, double cornerW, double cornerH)
{
    closedShape(toDevice(x1, y1, x2, y2), Numbers::roundHalfEven(cornerW * metrics_.dpiX),
                Numbers::roundHalfEven(cornerH * metrics_.dpiY), false);
}

void ReportCanvas::ellipse(double x1, double y1, double x2, double y2)
{
    closedShape(toDevice(x1, y1, x2, y2), 0, 0, true);
}

void ReportCanvas::moveTo(double x, double y)
{
    penPos_ = toDevice(x, y);
    if (pathOpen_)
        path_.moveTo(penPos_);
}

void ReportCanvas::lineTo(double x, double y)
{
    // Lines run along pixel edges so that a thin line covers exactly the
    // pixels from its start up to, not including, its end.
    const QPoint to = toDevice(x, y);
    QPainterPath line(penPos_);
    line.lineTo(to);
    penPos_ = to;
    if (pathOpen_)
        path_.lineTo(to);
    else
        strokeWith(line, true);
}

void ReportCanvas::polygon(const QPolygon &points)
{
    if (points.size() < 2)
        return;
    QPolygonF centres = QPolygonF(points).translated(0.5, 0.5);
    QPainterPath shape;
    shape.setFillRule(Qt::OddEvenFill);
    shape.addPolygon(centres);
    shape.closeSubpath();
    drawShape(shape, shape);
}

void ReportCanvas::fillRect(const QRect &rect)
{
    if (!drawing() || pathOpen_ || rect.isEmpty() || (!brush_.hasPattern() && brush_.style == bsClear))
        return;
    painter_->fillRect(rect, qtBrush(brush_));
}

// ---- clip regions ----

void ReportCanvas::pushClipRect(double x1, double y1, double x2, double y2)
{
    clips_.append(shapePath(QRectF(toDevice(x1, y1, x2, y2)), 0, 0, false));
}

void ReportCanvas::pushClipRoundRect(double x1, double y1, double x2, double y2, double cornerW, double cornerH)
{
    clips_.append(shapePath(QRectF(toDevice(x1, y1, x2, y2)), Numbers::roundHalfEven(cornerW * metrics_.dpiX),
                            Numbers::roundHalfEven(cornerH * metrics_.dpiY), false));
}

void ReportCanvas::pushClipEllipse(double x1, double y1, double x2, double y2)
{
    clips_.append(shapePath(QRectF(toDevice(x1, y1, x2, y2)), 0, 0, true));
}

void ReportCanvas::pushClipPolygon(const QPolygon &devicePoints)
{
    QPainterPath region;
    region.setFillRule(Qt::WindingFill);
    region.addPolygon(QPolygonF(devicePoints));
    region.closeSubpath();
    clips_.append(region);
}

void ReportCanvas::selectClip()
{
    if (clips_.isEmpty()) {
        clearClip();
        return;
    }
    if (drawing())
        painter_->setClipPath(clips_.last(), Qt::ReplaceClip);
}

void ReportCanvas::clearClip()
{
    // Dropped, not merely switched off: a painter keeps a switched-off clip
    // and brings it back the next time anything turns clipping on, as a
    // played recording or metafile does.
    if (drawing())
        painter_->setClipRect(QRect(), Qt::NoClip);
}

void ReportCanvas::popClip()
{
    if (!clips_.isEmpty())
        clips_.removeLast();
}

// ---- fonts and text ----

void ReportCanvas::setFont(const QString &name, int points)
{
    font_.name = name;
    fontPoints_ = points;
}

void ReportCanvas::setFont(const TFont &font, int pixelsPerInch)
{
    font_.name = font.name;
    font_.style = font.style;
    font_.color = font.color;
    font_.charset = font.charset;
    font_.pitch = font.pitch;
    fontPoints_ = font.size(pixelsPerInch);
}

void ReportCanvas::setFontBold(bool on) { font_.style = on ? (font_.style | fsBold) : (font_.style & ~fsBold); }

void ReportCanvas::setFontItalic(bool on) { font_.style = on ? (font_.style | fsItalic) : (font_.style & ~fsItalic); }

void ReportCanvas::setFontUnderline(bool on)
{
    font_.style = on ? (font_.style | fsUnderline) : (font_.style & ~fsUnderline);
}

void ReportCanvas::setFontColor(TColor color) { font_.color = color; }

QFont ReportCanvas::deviceFont() const
{
    const int dpiY = metrics_.dpiY > 0 ? metrics_.dpiY : 96;
    TFont font = font_;
    font.setSize(fontPoints_, dpiY);
    // Set with the typeface's own advances: hinting belongs to the screen.
    QFont result = Fonts::toPrintQFont(font, dpiY);
    // A device with unequal resolutions widens or narrows the letters.
    if (metrics_.dpiX > 0 && metrics_.dpiX != dpiY)
        result.setStretch(std::clamp(Numbers::roundHalfEven(100.0 * metrics_.dpiX / dpiY), 1, 4000));
    return result;
}

double ReportCanvas::lineHeightInches() const
{
    return metrics_.dpiY > 0 ? QFontMetricsF(deviceFont()).lineSpacing() / metrics_.dpiY : 0.0;
}

double ReportCanvas::textWidthInches(const QString &text) const
{
    return metrics_.dpiX > 0 ? QFontMetricsF(deviceFont()).horizontalAdvance(
               SymbolFonts::displayText(font_.name, text)) / metrics_.dpiX
                             : 0.0;
}

void ReportCanvas::printText(double x, double y, const QString &text)
{
    setTextCursor(x, y);
    printText(text);
}

void ReportCanvas::printText(const QString &stored)
{
    const QString text = SymbolFonts::displayText(font_.name, stored);
    const QFont font = deviceFont();
    const QFontMetricsF metrics(font);
    const QPointF baseline(toDeviceX(cursor_.x()), toDeviceY(cursor_.y()));
    if (pathOpen_) {
        path_.addText(baseline, font, text);
    } else if (drawing() && !text.isEmpty()) {
        painter_->save();
        if (textBackground_ == bmOpaque)
            painter_->fillRect(QRectF(baseline.x(), baseline.y() - metrics.ascent(),
                                      metrics.horizontalAdvance(text), metrics.height()),
                               Colors::toQColor(brush_.color));
        painter_->setFont(font);
        painter_->setPen(Colors::toQColor(font_.color));
        painter_->drawText(baseline, text);
        painter_->restore();
    }
    if (metrics_.dpiX > 0)
        cursor_.rx() += metrics.horizontalAdvance(text) / metrics_.dpiX;
}

// ---- paths ----

void ReportCanvas::beginPath()
{
    pathOpen_ = true;
    path_ = QPainterPath();
}

void ReportCanvas::endPath() { pathOpen_ = false; }

void ReportCanvas::selectPathAsClip()
{
    pathOpen_ = false;
    if (drawing())
        painter_->setClipPath(path_, Qt::ReplaceClip);
    path_ = QPainterPath();
}

void ReportCanvas::strokePath()
{
    pathOpen_ = false;
    strokeWith(path_, true);
    path_ = QPainterPath();
}

void ReportCanvas::fillPath()
{
    pathOpen_ = false;
    if (drawing() && (brush_.hasPattern() || brush_.style != bsClear))
        painter_->fillPath(path_, qtBrush(brush_));
    path_ = QPainterPath();
}

void ReportCanvas::fillDevicePath(const QPainterPath &devicePath)
{
    if (!drawing() || pathOpen_ || devicePath.isEmpty() || (!brush_.hasPattern() && brush_.style == bsClear))
        return;
    painter_->fillPath(devicePath, qtBrush(brush_));
}

// ---- pictures ----

void ReportCanvas::stretchDraw(double x1, double y1, double x2, double y2, const QImage &image)
{
    const QRect target = toDevice(x1, y1, x2, y2);
    if (!drawing() || pathOpen_ || image.isNull() || target.isEmpty())
        return;
    painter_->save();
    painter_->setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter_->drawImage(target, image);
    painter_->restore();
}

void ReportCanvas::stretchDraw(double x1, double y1, double x2, double y2, const QPicture &picture,
                               const QRect &frame)
{
    stretchDraw(toDevice(x1, y1, x2, y2), picture, frame);
}

void ReportCanvas::stretchDraw(const QRect &deviceRect, const QPicture &picture, const QRect &frame)
{
    const QRect source = frame.isEmpty() ? picture.boundingRect() : frame;
    if (!drawing() || pathOpen_ || picture.isNull() || source.isEmpty() || deviceRect.isEmpty())
        return;
    painter_->save();
    painter_->translate(deviceRect.topLeft());
    painter_->scale(double(deviceRect.width()) / source.width(), double(deviceRect.height()) / source.height());
    painter_->translate(-source.topLeft());
    ReportPage::playPicture(*painter_, picture);
    painter_->restore();
}

// ---- drawing state ----

ReportCanvas::StateGuard::StateGuard(ReportCanvas &canvas)
    : canvas_(canvas), painter_(canvas.painter_), page_(canvas.pageSerial_), marginLeft_(canvas.marginLeft_),
      marginTop_(canvas.marginTop_), pen_(canvas.pen_), brush_(canvas.brush_), font_(canvas.font_),
      fontPoints_(canvas.fontPoints_), textBackground_(canvas.textBackground_), cursor_(canvas.cursor_),
      penPos_(canvas.penPos_), clips_(canvas.clips_), pathOpen_(canvas.pathOpen_), path_(canvas.path_)
{
    if (painter_)
        painter_->save();
}

ReportCanvas::StateGuard::~StateGuard()
{
    // A page turned meanwhile started with a fresh painter state.
    if (painter_ && canvas_.painter_ == painter_ && canvas_.pageSerial_ == page_)
        painter_->restore();
    canvas_.marginLeft_ = marginLeft_;
    canvas_.marginTop_ = marginTop_;
    canvas_.pen_ = pen_;
    canvas_.brush_ = brush_;
    canvas_.font_ = font_;
    canvas_.fontPoints_ = fontPoints_;
    canvas_.textBackground_ = textBackground_;
    canvas_.cursor_ = cursor_;
    canvas_.penPos_ = penPos_;
    canvas_.clips_ = clips_;
    canvas_.pathOpen_ = pathOpen_;
    canvas_.path_ = path_;
}

ReportCanvas::Redirect::Redirect(ReportCanvas &canvas, QPainter *painter) : canvas_(canvas), page_(canvas.painter_)
{
    canvas_.painter_ = painter;
}

ReportCanvas::Redirect::~Redirect()
{
    canvas_.painter_ = page_;
}

// ---- page attachment ----

void ReportCanvas::attach(QPainter *painter)
{
    painter_ = painter;
    ++pageSerial_;
    if (painter_)
        painter_->setRenderHint(QPainter::Antialiasing, false);
}

void ReportCanvas::detach()
{
    painter_ = nullptr;
    pathOpen_ = false;
    path_ = QPainterPath();
}
