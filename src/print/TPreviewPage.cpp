#include "print/TPreviewPage.h"

#include "report/ReportPlayer.h"

#include <QPaintEvent>
#include <QPainter>
#include <QTimer>

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

TPreviewPage::TileRange TPreviewPage::TilesOf(const QRect &area) const
{
    const QRect r = area.intersected(rect());
    if (r.isEmpty())
        return {0, -1, 0, -1};
    return {r.left() / TileSize, r.right() / TileSize, r.top() / TileSize, r.bottom() / TileSize};
}

QImage TPreviewPage::Render(const QRect &area)
{
    // At the screen's own resolution: sharp text on a HiDPI screen.
    const qreal ratio = devicePixelRatioF();
    QImage image(area.size() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    m_largestBuffer = std::max(m_largestBuffer, qint64(image.sizeInBytes()));
    ++m_playbacks;
    image.fill(palette().color(QPalette::Dark));
    QPainter painter(&image);
    painter.translate(-area.topLeft());
    painter.fillRect(m_pageRect.translated(m_shadow, m_shadow), Qt::black);
    m_player.play(m_page, painter, QRectF(m_pageRect));
    return image;
}

// Renders the block's tiles in one playback, keeps them, and draws the block.
int TPreviewPage::RenderBlock(const TileRange &block, QPainter *painter)
{
    const QRect area = QRect(QPoint(block.firstColumn * TileSize, block.firstRow * TileSize),
                             QPoint((block.lastColumn + 1) * TileSize - 1, (block.lastRow + 1) * TileSize - 1))
                           .intersected(rect());
    const QImage image = Render(area);
    if (painter)
        painter->drawImage(area.topLeft(), image);
    for (int row = block.firstRow; row <= block.lastRow; ++row) {
        for (int column = block.firstColumn; column <= block.lastColumn; ++column) {
            const QRect tile = QRect(column * TileSize, row * TileSize, TileSize, TileSize).intersected(rect());
            const QRect source = tile.translated(-area.topLeft());
            const qreal ratio = image.devicePixelRatio();
            auto *copy = new QImage(image.copy(QRect(source.topLeft() * ratio, source.size() * ratio)));
            copy->setDevicePixelRatio(ratio);
            m_tiles.insert(tileKey(column, row), copy, int(std::max<qint64>(1, copy->sizeInBytes() / 1024)));
        }
    }
    return 1;
}

void TPreviewPage::RenderMissing(const TileRange &range, QPainter *painter, int maxBlocks)
{
    int rendered = 0;
    for (int top = range.firstRow; top <= range.lastRow; top += BlockRows) {
        for (int left = range.firstColumn; left <= range.lastColumn; left += BlockColumns) {
            // The smallest part of this block that holds its missing tiles.
            TileRange missing{range.lastColumn + 1, -1, range.lastRow + 1, -1};
            const int right = std::min(left + BlockColumns - 1, range.lastColumn);
            const int bottom = std::min(top + BlockRows - 1, range.lastRow);
            for (int row = top; row <= bottom; ++row) {
                for (int column = left; column <= right; ++column) {
                    if (m_tiles.contains(tileKey(column, row)))
                        continue;
                    missing.firstColumn = std::min(missing.firstColumn, column);
                    missing.lastColumn = std::max(missing.lastColumn, column);
                    missing.firstRow = std::min(missing.firstRow, row);
                    missing.lastRow = std::max(missing.lastRow, row);
                }
            }
            if (missing.lastColumn < 0)
                continue;
            if (maxBlocks >= 0 && rendered >= maxBlocks)
                return;
            rendered += RenderBlock(missing, painter);
        }
    }
}

void TPreviewPage::PaintArea(QPainter &painter, const QRect &area)
{
    const TileRange range = TilesOf(area);
    // Cached tiles first; blocks rendered now are drawn as they come.
    for (int row = range.firstRow; row <= range.lastRow; ++row) {
        for (int column = range.firstColumn; column <= range.lastColumn; ++column) {
            if (const QImage *tile = m_tiles.object(tileKey(column, row)))
                painter.drawImage(QPoint(column * TileSize, row * TileSize), *tile);
        }
    }
    RenderMissing(range, &painter);
}

bool TPreviewPage::RenderAhead()
{
    const QRect visible = visibleRegion().boundingRect();
    if (visible.isEmpty())
        return false;
    const TileRange around = TilesOf(visible.adjusted(-TileSize, -TileSize, TileSize, TileSize));
    // Stay within the cache, or the tiles on screen would be pushed out.
    const qreal ratio = devicePixelRatioF();
    const qint64 aroundBytes = qint64(qint64(around.lastColumn - around.firstColumn + 1)
                                      * (around.lastRow - around.firstRow + 1) * TileSize * TileSize * 4 * ratio * ratio);
    if (aroundBytes > CacheBytes)
        return false;
    const int before = m_playbacks;
    RenderMissing(around, nullptr, 1);
    return m_playbacks != before;
}

void TPreviewPage::ScheduleRenderAhead()
{
    if (m_aheadScheduled)
        return;
    m_aheadScheduled = true;
    QTimer::singleShot(0, this, [this] {
        m_aheadScheduled = false;
        if (RenderAhead())
            ScheduleRenderAhead();
    });
}

void TPreviewPage::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    for (const QRect &area : event->region())
        PaintArea(painter, area);
    ScheduleRenderAhead();
}
