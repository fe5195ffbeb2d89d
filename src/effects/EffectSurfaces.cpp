#include "effects/EffectSurfaces.h"

#include "platform/Canvas.h"
#include "platform/Numbers.h"
#include "platform/ScreenMetrics.h"
#include "report/TReport.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

QStringList fillDirectionNames()
{
    return {"gdUp", "gdDown", "gdLeft", "gdRight"};
}

namespace EffectSurfaces {

namespace {

int red(TColor c) { return c & 0xFF; }
int green(TColor c) { return (c >> 8) & 0xFF; }
int blue(TColor c) { return (c >> 16) & 0xFF; }

bool across(TFillDirection direction) { return direction == gdLeft || direction == gdRight; }

QRgb toRgb(TColor c) { return qRgb(red(c), green(c), blue(c)); }

} // namespace

GradientEnds gradientEnds(TColor base, TColor to, TFillDirection direction)
{
    GradientEnds ends{base, base};
    if (direction == gdUp || direction == gdLeft)
        ends.start = to;
    else
        ends.end = to;
    return {Colors::resolve(ends.start), Colors::resolve(ends.end)};
}

TColor bandColor(const GradientEnds &ends, int band)
{
    const int r = red(ends.start) + Numbers::mulDiv(band, red(ends.end) - red(ends.start), 255);
    const int g = green(ends.start) + Numbers::mulDiv(band, green(ends.end) - green(ends.start), 255);
    const int b = blue(ends.start) + Numbers::mulDiv(band, blue(ends.end) - blue(ends.start), 255);
    return rgbColor(r & 0xFF, g & 0xFF, b & 0xFF);
}

QRect bandRect(int band, int width, int height, TFillDirection direction)
{
    if (across(direction)) {
        const int l = Numbers::mulDiv(band, width, GradientBands);
        const int r = Numbers::mulDiv(band + 1, width, GradientBands);
        return QRect(l, 0, r - l, height);
    }
    const int t = Numbers::mulDiv(band, height, GradientBands);
    const int b = Numbers::mulDiv(band + 1, height, GradientBands);
    return QRect(0, t, width, b - t);
}

QImage gradientBitmap(int width, int height, TColor base, TColor to, TFillDirection direction)
{
    if (width <= 0 || height <= 0)
        return QImage();
    QImage image(width, height, QImage::Format_RGB32);
    const GradientEnds ends = gradientEnds(base, to, direction);
    for (int i = 0; i < GradientBands; ++i) {
        const QRect band = bandRect(i, width, height, direction);
        if (band.isEmpty())
            continue;
        const QRgb colour = toRgb(bandColor(ends, i));
        for (int y = band.top(); y <= band.bottom(); ++y) {
            QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
            std::fill(line + band.left(), line + band.left() + band.width(), colour);
        }
    }
    return image;
}

QImage solidBitmap(int width, int height, TColor color)
{
    if (width <= 0 || height <= 0)
        return QImage();
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(toRgb(Colors::resolve(color)));
    return image;
}

QSize textureTileSize(const QImage &texture, float zoom)
{
    if (zoom == 1.0f)
        return texture.size();
    return QSize(Numbers::truncate(double(texture.width()) * double(zoom)),
                 Numbers::truncate(double(texture.height()) * double(zoom)));
}

void tileSurface(TCanvas &canvas, const QImage &bitmap, QSize tile, int width, int height)
{
    if (bitmap.isNull() || bitmap.width() == 0 || bitmap.height() == 0 || tile.width() <= 0 || tile.height() <= 0)
        return;
    for (int y = 0; y < height; y += tile.height())
        for (int x = 0; x < width; x += tile.width())
            canvas.stretchDraw(QRect(x, y, tile.width(), tile.height()), bitmap);
}

qint64 screenColorCount()
{
    const QScreen *screen = qobject_cast<QGuiApplication *>(QCoreApplication::instance())
                                ? QGuiApplication::primaryScreen()
                                : nullptr;
    const int depth = screen ? screen->depth() : 0;
    if (depth <= 0 || depth > 62)
        return 256;
    return qint64(1) << depth;
}

PrintState PrintState::begin(TReport &report, double x, double y)
{
    PrintState s;
    s.colorCount = screenColorCount();
    s.report = &report;
    const double ppi = ScreenMetrics::pixelsPerInch();
    s.scaleX = float(report.resolutionX() / ppi);
    s.scaleY = float(report.resolutionY() / ppi);
    s.printerOffset = QPoint(Numbers::truncate(report.unprintableLeft() * report.resolutionX()),
                             Numbers::truncate(report.unprintableTop() * report.resolutionY()));
    s.printOrigin = QPoint(Numbers::truncate(report.resolutionX() * x), Numbers::truncate(report.resolutionY() * y));
    s.originX = float(x);
    s.originY = float(y);
    return s;
}

QPoint PrintState::printerPoint(int objectLeft, int objectTop, int px, int py) const
{
    return QPoint(Numbers::truncate(float(objectLeft + px) * scaleX) + printOrigin.x() - printerOffset.x(),
                  Numbers::truncate(float(objectTop + py) * scaleY) + printOrigin.y() - printerOffset.y());
}

QRect PrintState::pageBox(int objectLeft, int objectTop, int width, int height) const
{
    const int l = Numbers::truncate(float(objectLeft) * scaleX) + printOrigin.x();
    const int t = Numbers::truncate(float(objectTop) * scaleY) + printOrigin.y();
    return QRect(l, t, Numbers::roundHalfEven(float(width) * scaleX), Numbers::roundHalfEven(float(height) * scaleY));
}

QRectF PrintState::inchRect(int objectLeft, int objectTop, int l, int t, int r, int b) const
{
    const float ppi = float(ScreenMetrics::pixelsPerInch());
    const float x1 = float(l + objectLeft) / ppi + originX;
    const float y1 = float(t + objectTop) / ppi + originY;
    const float x2 = float(r + objectLeft) / ppi + originX;
    const float y2 = float(b + objectTop) / ppi + originY;
    return QRectF(QPointF(x1, y1), QPointF(x2, y2));
}

void printTiles(const PrintState &state, const QImage &bitmap, const PageBox &box, bool composed)
{
    if (!state.report || bitmap.isNull() || bitmap.width() == 0 || bitmap.height() == 0)
        return;
    TReport &report = *state.report;
    const int tw = Numbers::roundHalfEven(float(bitmap.width()) * state.scaleX);
    const int th = Numbers::roundHalfEven(float(bitmap.height()) * state.scaleY);
    if (tw <= 0 || th <= 0)
        return;
    const double hres = report.resolutionX();
    const double vres = report.resolutionY();
    const int spanX = box.right - box.left;
    const int spanY = box.bottom - box.top;
    if (composed) {
        QImage sheet(spanX + 1, spanY + 1, QImage::Format_RGB32);
        sheet.fill(Qt::white);
        {
            QPainter painter(&sheet);
            for (int y = 0; y < spanY + th; y += th)
                for (int x = 0; x < spanX + tw; x += tw)
                    painter.drawImage(QRect(x, y, tw, th), bitmap);
        }
        report.stretchDraw(box.left / hres, box.top / vres, box.right / hres, box.bottom / vres, sheet);
        return;
    }
    for (int y = 0; y < spanY + th; y += th) {
        for (int x = 0; x < spanX + tw; x += tw) {
            const double x1 = (box.left + x) / hres;
            const double y1 = (box.top + y) / vres;
            report.stretchDraw(x1, y1, x1 + tw / hres + 0.01, y1 + th / vres + 0.01, bitmap);
        }
    }
}

void printGradient(const PrintState &state, const PageBox &box, int extraWidth, int extraHeight,
                   TColor base, TColor to, TFillDirection direction)
{
    if (!state.report)
        return;
    TReport &report = *state.report;
    const int width = box.right - box.left + 1;
    const int height = box.bottom - box.top + 1;
    const GradientEnds ends = gradientEnds(base, to, direction);
    report.setPen(clBlack, psSolid, -1, pmCopy);
    const QPoint shift(box.left - state.printerOffset.x(), box.top - state.printerOffset.y());
    for (int i = 0; i < GradientBands; ++i) {
        // The bands span the box itself, so the paper shows the same colours
        // at the edges as the screen; the margin beyond the box (cut off by
        // the clip region) only widens the bands across and lengthens the last one.
        QRect band = bandRect(i, width, height, direction);
        if (across(direction)) {
            band.setHeight(height + extraHeight);
            if (i == GradientBands - 1)
                band.setRight(width + extraWidth - 1);
        } else {
            band.setWidth(width + extraWidth);
            if (i == GradientBands - 1)
                band.setBottom(height + extraHeight - 1);
        }
        report.setBrush(bandColor(ends, i), bsSolid);
        report.fillRect(band.translated(shift));
    }
}

} // namespace EffectSurfaces
