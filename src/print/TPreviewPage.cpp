#include "print/TPreviewPage.h"

#include "report/ReportPlayer.h"

#include <QPaintEvent>
#include <QPainter>

namespace {

quint64 tileKey(int column, int row)
{
    return (quint64(quint32(row)) << 32) | quint32(column);
}

} // namespace

TPreviewPage::TPreviewPage(const ReportPlayer &player, QWidget *parent)
    : QWidget(parent), m_player(player), m_tiles(int(CacheBytes / 1024))
{
    // Every pixel is painted from the tiles.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPreviewPage::ShowPage(int index, QSize pagePixels, int margin, int shadow)
{
    m_page = index;
    m_pageRect = QRect(QPoint(margin, margin), pagePixels);
    m_shadow = shadow;
    m_tiles.clear();
    resize(pagePixels + QSize(2 * margin + shadow, 2 * margin + shadow));
    update();
}

qint64 TPreviewPage::CachedBytes() const
{
    qint64 bytes = 0;
    for (const quint64 key : m_tiles.keys())
        bytes += m_tiles.object(key)->sizeInBytes();
    return bytes;
}

QImage TPreviewPage::RenderTile(const QRect &area) const
{
    QImage tile(area.size(), QImage::Format_RGB32);
    tile.fill(palette().color(QPalette::Dark));
    QPainter painter(&tile);
    painter.translate(-area.topLeft());
    painter.fillRect(m_pageRect.translated(m_shadow, m_shadow), Qt::black);
    m_player.play(m_page, painter, QRectF(m_pageRect));
    return tile;
}

const QImage *TPreviewPage::Tile(int column, int row)
{
    const quint64 key = tileKey(column, row);
    if (const QImage *cached = m_tiles.object(key))
        return cached;
    const QRect area = QRect(column * TileSize, row * TileSize, TileSize, TileSize).intersected(rect());
    auto *tile = new QImage(RenderTile(area));
    m_largestBuffer = std::max(m_largestBuffer, qint64(tile->sizeInBytes()));
    const int cost = int(std::max<qint64>(1, tile->sizeInBytes() / 1024));
    m_tiles.insert(key, tile, cost);
    return m_tiles.object(key);
}

void TPreviewPage::PaintArea(QPainter &painter, const QRect &area)
{
    const QRect wanted = area.intersected(rect());
    if (wanted.isEmpty())
        return;
    const int firstColumn = wanted.left() / TileSize;
    const int lastColumn = wanted.right() / TileSize;
    const int firstRow = wanted.top() / TileSize;
    const int lastRow = wanted.bottom() / TileSize;
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int column = firstColumn; column <= lastColumn; ++column) {
            if (const QImage *tile = Tile(column, row))
                painter.drawImage(QPoint(column * TileSize, row * TileSize), *tile);
        }
    }
}

void TPreviewPage::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    for (const QRect &area : event->region())
        PaintArea(painter, area);
}
