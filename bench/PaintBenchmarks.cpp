// Repainting the card and dragging an object over it.
#include "CardBenchmarks.h"
#include "GeneratedCard.h"
#include "Yardstick.h"

#include "design/TGBusinessCardPanel32.h"
#include "design/TGGraphicControl.h"
#include "design/TGTickClock.h"

#include <QCoreApplication>
#include <QTest>
#include <QWindow>

QList<BenchRow> benchRepaint(const BenchOptions &options)
{
    QList<BenchRow> rows;
    for (const float zoom : {1.0f, 1.5f}) {
        for (const int size : options.sizes) {
            GeneratedCard card(size);
            card.panel().SetZoom(zoom);
            QImage image;
            BenchRow row;
            row.operation = QStringLiteral("repaint whole card at %1 %").arg(qRound(zoom * 100));
            row.size = size;
            row.timing = measure(options.runs, [&] { card.paintInto(image); });
            const Timing yardstick = measure(options.runs, [&] { paintYardstick(card.panel(), image); });
            if (yardstick.median() > 0)
                row.yardstickRatio = row.timing.median() / yardstick.median();
            if (size == 100 && zoom > 1.0f)
                row.goal = QStringLiteral("< 8 ms, <= 1.5 x");
            rows << row;
        }
    }
    // What the screen shows by default: smooth drawing at 150 %, and at
    // 800 % the part of the card a window shows (the rest is not painted).
    struct Case {
        float zoom;
        QSize view;
        const char *name;
    };
    const Case cases[] = {{1.5f, QSize(), "repaint whole card at 150 %, smooth drawing"},
                          {8.0f, QSize(1000, 700), "repaint 1000 x 700 view at 800 %, smooth drawing"}};
    for (const Case &c : cases) {
        for (const int size : options.sizes) {
            GeneratedCard card(size);
            card.panel().SetZoom(c.zoom);
            card.panel().SetSmoothDrawing(true);
            const QRect view = c.view.isEmpty() ? card.panel().rect()
                                                : QRect(card.panel().rect().center() - QPoint(500, 350), c.view);
            QImage image(view.size(), QImage::Format_RGB32);
            BenchRow row;
            row.operation = QString::fromLatin1(c.name);
            row.size = size;
            row.timing = measure(options.runs, [&] { card.panel().render(&image, QPoint(), QRegion(view)); });
            if (c.view.isEmpty()) {
                // The same yardstick, its shapes anti-aliased as smooth drawing draws them.
                QImage plain;
                const Timing yardstick = measure(options.runs, [&] { paintYardstick(card.panel(), plain, true); });
                if (yardstick.median() > 0)
                    row.yardstickRatio = row.timing.median() / yardstick.median();
            }
            if (size == 100)
                row.goal = c.view.isEmpty() ? QStringLiteral("< 16 ms, <= 1.5 x") : QStringLiteral("< 16 ms");
            rows << row;
        }
    }
    return rows;
}

QList<BenchRow> benchDrag(const BenchOptions &options)
{
    QList<BenchRow> rows;
    for (const int size : options.sizes) {
        GeneratedCard card(size);
        quint32 ms = 0;
        TGTickClock::setSource([&ms] { return ms; });
        QWidget &host = card.host();
        if (!QTest::qWaitForWindowExposed(&host))
            continue;
        QWindow *window = host.windowHandle();
        // Grab the topmost object in its middle, hold it long enough to be a
        // drag, then move it one pixel per step back and forth.
        const TGGraphicControl *object = card.panel().Objects().constLast();
        QPoint at = card.panel().mapTo(&host, object->BoundsRect().center());
        QTest::mousePress(window, Qt::LeftButton, {}, at);
        ms += 300;
        QTest::mouseMove(window, at + QPoint(3, 0));
        QCoreApplication::processEvents();
        int step = 0;
        BenchRow row;
        row.operation = QStringLiteral("drag step (move + repaint)");
        row.size = size;
        row.timing = measure(options.runs * 4, [&] {
            ms += 16;
            const int dx = (step++ % 20) < 10 ? 1 : -1;
            at += QPoint(dx, 0);
            QTest::mouseMove(window, at);
            card.panel().repaint();
        });
        QTest::mouseRelease(window, Qt::LeftButton, {}, at);
        QCoreApplication::processEvents();
        TGTickClock::setSource({});
        if (size == 100)
            row.goal = QStringLiteral("< 8 ms");
        rows << row;
    }
    return rows;
}
