#pragma once

#include <QCache>
#include <QImage>
#include <QWidget>

class ReportPlayer;

// One page of the preview at its zoom: a widget as large as the zoomed page
// with its margin and shadow that draws only what is exposed. The drawing is
// rendered in square tiles kept in a small cache, so that memory stays
// bounded at any zoom (a whole Letter page at 800 % would take 220 MB) and
// scrolling back over a part already seen repaints from the cache.
// Every playback of a recorded page costs about the same whatever its size
// (pictures in it are decoded each time), so missing tiles are rendered
// together in blocks of up to BlockColumns x BlockRows (wide, as pages are
// mostly scrolled up and down), and when the widget is idle the tiles just
// outside the visible part are rendered ahead.
class TPreviewPage : public QWidget
{
    Q_OBJECT
public:
    static constexpr int TileSize = 256;
    static constexpr int BlockColumns = 8;
    static constexpr int BlockRows = 2;
    static constexpr qint64 CacheBytes = 16 * 1024 * 1024;

    TPreviewPage(const ReportPlayer &player, QWidget *parent = nullptr);

    // Shows page `index` (0-based) `pagePixels` large, `margin` pixels from
    // the widget's edges, with a shadow `shadow` pixels deep; the widget
    // takes the size of all three.
    void ShowPage(int index, QSize pagePixels, int margin, int shadow);
    QRect PageRect() const { return m_pageRect; }

    // Draws `area` (widget pixels) onto `painter` as the widget shows it.
    void PaintArea(QPainter &painter, const QRect &area);

    // Renders the missing tiles just outside the visible part, one block at
    // a time; true while more remain. Runs by itself when idle.
    bool RenderAhead();

    // For tests and measurements: the largest image drawn into so far, and
    // what the tile cache holds now, in bytes; and how many playbacks of
    // the page the tiles have cost.
    qint64 LargestBufferBytes() const { return m_largestBuffer; }
    qint64 CachedBytes() const;
    int Playbacks() const { return m_playbacks; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    struct TileRange {
        int firstColumn, lastColumn, firstRow, lastRow;
    };
    TileRange TilesOf(const QRect &area) const;
    // Renders the tiles of `range` that are not cached, block by block,
    // and draws each block on `painter` when given.
    void RenderMissing(const TileRange &range, QPainter *painter, int maxBlocks = -1);
    int RenderBlock(const TileRange &block, QPainter *painter);
    QImage Render(const QRect &area);
    void ScheduleRenderAhead();

    const ReportPlayer &m_player;
    int m_page = 0;
    QRect m_pageRect;
    int m_shadow = 0;
    QCache<quint64, QImage> m_tiles; // cost in KiB
    qint64 m_largestBuffer = 0;
    int m_playbacks = 0;
    bool m_aheadScheduled = false;
};
