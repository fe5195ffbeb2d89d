#include "platform/LargeTextCache.h"

#include <QCache>
#include <QColor>
#include <QCoreApplication>
#include <QFont>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QThread>
#include <QtMath>

#include <algorithm>

#include <cmath>

namespace {

// Qt fills letters from their outlines above this many device pixels
// (QT_MAX_CACHED_GLYPH_SIZE in its raster engine); below it its own glyph
// cache is faster than any copy.
constexpr qreal kQtCachedGlyphSize = 64;
// A window of large text takes about 10 MB, 35 MB on a HiDPI screen.
constexpr int kCacheKilobytes = 64 * 1024;

struct RunKey {
    QFont font;
    QString text;
    QRgb color = 0;
    qreal scaleX = 1, scaleY = 1;
    // Where the text's origin falls within a device pixel: the outlines
    // are filled at that offset, so the copy matches drawing in place.
    qreal fractionX = 0, fractionY = 0;
    int hints = 0;
    bool operator==(const RunKey &) const = default;
};

size_t qHash(const RunKey &key, size_t seed = 0)
{
    return qHashMulti(seed, key.font, key.text, key.color, key.scaleX, key.scaleY, key.fractionX,
                      key.fractionY, key.hints);
}

bool worthCaching(const QPainter &painter, const QFont &font, const QTransform &device)
{
    // The same measure Qt's engine uses to decide on its own glyph cache;
    // first, as most text is small.
    const qreal pixels = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
    if (pixels * pixels * std::abs(device.determinant()) <= kQtCachedGlyphSize * kQtCachedGlyphSize)
        return false;
    if (device.type() > QTransform::TxScale || device.m11() <= 0 || device.m22() <= 0)
        return false;
    if (QThread::currentThread() != QCoreApplication::instance()->thread())
        return false;
    if (!painter.paintEngine() || painter.paintEngine()->type() != QPaintEngine::Raster)
        return false;
    return painter.opacity() == 1.0 && painter.compositionMode() == QPainter::CompositionMode_SourceOver;
}

// Where a run's ink may lie, in device pixels relative to the device pixel
// that holds its origin.
QRect runArea(const RunKey &key)
{
    const QFontMetricsF metrics(key.font);
    // The ink may reach past the advance (italics, swashes) and past the
    // ascent and descent (accents): a generous margin all round.
    const qreal margin = std::max<qreal>(2, metrics.height() / 4);
    const QRectF logical = metrics.boundingRect(key.text)
                               .united(QRectF(0, -metrics.ascent(), metrics.horizontalAdvance(key.text),
                                              metrics.height()))
                               .adjusted(-margin, -margin, margin, margin);
    const QPoint topLeft(int(std::floor(logical.left() * key.scaleX)), int(std::floor(logical.top() * key.scaleY)));
    const QPoint bottomRight(int(std::ceil(logical.right() * key.scaleX)),
                             int(std::ceil(logical.bottom() * key.scaleY)));
    return QRect(topLeft, bottomRight);
}

// A run is kept in tiles, and only the tiles a repaint shows are drawn and
// kept: at 800 % a line of text is far wider than the window.
constexpr int kTile = 256;

struct TileKey {
    RunKey run;
    QPoint tile;
    bool operator==(const TileKey &) const = default;
};

size_t qHash(const TileKey &key, size_t seed = 0) { return qHashMulti(seed, key.run, key.tile.x(), key.tile.y()); }

struct Tile {
    QImage image; // null: no ink
    QPoint at;    // relative to the origin's device pixel
};

struct Caches {
    QCache<RunKey, QRect> areas{4096};
    QCache<TileKey, Tile> tiles{kCacheKilobytes};
};

Caches &caches()
{
    static Caches all;
    return all;
}

// The part of the run in `tile` (device pixels relative to the origin's
// pixel), drawn as it would be in place.
Tile renderTile(const RunKey &key, QRect area)
{
    QImage image(area.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHints(QPainter::RenderHints(key.hints));
        painter.setTransform(QTransform(key.scaleX, 0, 0, key.scaleY, key.fractionX - area.left(),
                                        key.fractionY - area.top()));
        painter.setFont(key.font);
        painter.setPen(QColor::fromRgba(key.color));
        painter.drawText(QPointF(0, 0), key.text);
    }
    // Keep only the inked part: most of a line's area is space.
    int top = image.height(), bottom = -1, left = image.width(), right = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(row[x]) == 0)
                continue;
            top = std::min(top, y);
            bottom = y;
            left = std::min(left, x);
            right = std::max(right, x);
        }
    }
    if (bottom < 0)
        return Tile{};
    const QRect ink(QPoint(left, top), QPoint(right, bottom));
    return Tile{ink == image.rect() ? image : image.copy(ink), area.topLeft() + ink.topLeft()};
}

// The device pixels the painter may change, in device coordinates.
QRect paintable(const QPainter &painter, const QTransform &device)
{
    const QPaintDevice *target = painter.device();
    const qreal ratio = target->devicePixelRatioF();
    QRect all(0, 0, qCeil(target->width() * ratio), qCeil(target->height() * ratio));
    if (painter.hasClipping())
        all &= device.mapRect(painter.clipBoundingRect()).toAlignedRect();
    return all;
}

} // namespace

namespace LargeTextCache {

bool draw(QPainter &painter, QPointF at, const QFont &font, const QColor &color, const QString &text)
{
    const QTransform device = painter.deviceTransform();
    if (text.isEmpty() || !worthCaching(painter, font, device))
        return false;
    const QPointF origin = device.map(at);
    const QPoint whole(int(std::floor(origin.x())), int(std::floor(origin.y())));
    RunKey key;
    key.font = font;
    key.text = text;
    key.color = color.rgba();
    key.scaleX = device.m11();
    key.scaleY = device.m22();
    key.fractionX = origin.x() - whole.x();
    key.fractionY = origin.y() - whole.y();
    key.hints = int(painter.renderHints());
    Caches &all = caches();
    const QRect *known = all.areas.object(key);
    const QRect area = known ? *known : runArea(key);
    if (!known)
        all.areas.insert(key, new QRect(area));
    // Tiles are counted from the origin's pixel, so that they stay the
    // same tiles wherever the run is on the device.
    const QRect shown = area & paintable(painter, device).translated(-whole);
    if (shown.isEmpty())
        return true;
    const auto tileIndex = [](int v) { return int(std::floor(double(v) / kTile)); };

    // Copy at whole device pixels: a world transform that makes the device
    // transform a pure translation, whatever the device's pixel ratio,
    // which the raster engine turns into a plain blend.
    const QTransform hidpi = painter.worldTransform().inverted() * device;
    painter.save();
    painter.setWorldTransform(QTransform::fromTranslate(whole.x(), whole.y()) * hidpi.inverted());
    for (int ty = tileIndex(shown.top()); ty <= tileIndex(shown.bottom()); ++ty) {
        for (int tx = tileIndex(shown.left()); tx <= tileIndex(shown.right()); ++tx) {
            const TileKey tileKey{key, QPoint(tx, ty)};
            const QRect tile = QRect(tx * kTile, ty * kTile, kTile, kTile) & area;
            const Tile *cached = all.tiles.object(tileKey);
            if (!cached) {
                auto *drawn = new Tile(renderTile(key, tile));
                all.tiles.insert(tileKey, drawn, std::max<qsizetype>(1, drawn->image.sizeInBytes() / 1024));
                cached = drawn;
            }
            if (!cached->image.isNull())
                painter.drawImage(cached->at, cached->image);
        }
    }
    painter.restore();
    return true;
}

void clear()
{
    caches().areas.clear();
    caches().tiles.clear();
}

int size() { return int(caches().tiles.size()); }

} // namespace LargeTextCache
