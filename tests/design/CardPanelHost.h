#pragma once

// A card panel shown in a plain host window for tests: the millisecond tick
// is a variable the test steps, menus are recorded instead of opened, and
// the mouse is driven through real widget events.

#include "app/CardClasses.h"
#include "design/TGBasePanel.h"
#include "design/TGBusinessCardPanel32.h"
#include "design/TGGraphicControl.h"
#include "design/TGHandle.h"
#include "design/TGTickClock.h"
#include "objects/TBCShapes.h"
#include "objects/TGLineShape.h"
#include "platform/Canvas.h"
#include "platform/ScreenMetrics.h"

#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <QWindow>

class CardPanelHost
{
public:
    explicit CardPanelHost(QSize cardSize = QSize(336, 192))
    {
        ScreenMetrics::setOverride(96);
        registerCardClasses();
        TGTickClock::setSource([this] { return ms; });
        panel = new TGBusinessCardPanel32(&host);
        panel->setGeometry(QRect(QPoint(20, 20), cardSize));
        panel->SetShape(lsRectangle);
        panel->SetPopupHandler([this](QMenu *menu, QPoint) {
            emit menu->aboutToShow();
            popups.append(menu);
        });
        host.resize(cardSize + QSize(40, 40));
        host.show();
        exposed = QTest::qWaitForWindowExposed(&host);
    }
    ~CardPanelHost()
    {
        delete panel;
        TGTickClock::setSource({});
    }

    TGHandle *handle() const { return panel->Handle(); }

    // A placed shape, as the rectangle tool would make it.
    TBCShapes *addShape(QRect r, TShapeType shape = stRectangle)
    {
        auto *s = new TBCShapes(panel);
        s->SetShape(shape);
        s->Loaded();
        panel->PlaceObject(s, r);
        QCoreApplication::processEvents();
        return s;
    }
    TGLineShape *addLine(QRect r, TLineStyle style = stHorizontal)
    {
        auto *l = new TGLineShape(panel);
        l->SetLineStyle(style);
        l->Loaded();
        panel->PlaceObject(l, r);
        QCoreApplication::processEvents();
        return l;
    }

    // Mouse on the panel (panel coordinates), delivered through the host
    // window so that it reaches whichever widget is under the point, with
    // the window system's implicit grab; each step advances the clock.
    void press(QPoint p, Qt::KeyboardModifiers mods = {}, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mousePress(window(), button, mods, toWindow(p));
    }
    void move(QPoint p, quint32 afterMs = 20)
    {
        ms += afterMs;
        QTest::mouseMove(window(), toWindow(p));
    }
    void release(QPoint p, Qt::KeyboardModifiers mods = {}, quint32 afterMs = 20,
                 Qt::MouseButton button = Qt::LeftButton)
    {
        ms += afterMs;
        QTest::mouseRelease(window(), button, mods, toWindow(p));
        QCoreApplication::processEvents();
    }
    void doubleClick(QPoint p)
    {
        QTest::mouseDClick(window(), Qt::LeftButton, {}, toWindow(p));
        QCoreApplication::processEvents();
    }
    QWindow *window() const { return host.windowHandle(); }
    QPoint toWindow(QPoint p) const { return panel->mapTo(&host, p); }
    // A slow drag: press, moves, release 300 ms later.
    void drag(QPoint from, QPoint to, Qt::KeyboardModifiers mods = {})
    {
        press(from, mods);
        move((from + to) / 2, 100);
        move(to, 100);
        release(to, mods, 100);
    }
    void click(QPoint p, Qt::KeyboardModifiers mods = {})
    {
        press(p, mods);
        release(p, mods, 30);
        ms += 1000;
    }

    // The panel as it is shown.
    QImage render() const
    {
        QImage image(panel->size(), QImage::Format_RGB32);
        TCanvas canvas(&image);
        panel->PaintAll(canvas);
        return image;
    }

    QWidget host;
    TGBusinessCardPanel32 *panel = nullptr;
    quint32 ms = 1000;
    QList<QMenu *> popups;
    bool exposed = false;
};

// Captions of a menu's entries in order, "-" for separators.
inline QStringList menuCaptions(const QMenu *menu)
{
    QStringList captions;
    for (const QAction *a : menu->actions())
        captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return captions;
}

inline QAction *menuItem(const QMenu *menu, const QString &caption)
{
    for (QAction *a : menu->actions()) {
        if (a->text() == caption)
            return a;
    }
    return nullptr;
}

inline QColor pixelAt(const QImage &image, int x, int y)
{
    return image.pixelColor(x, y);
}
