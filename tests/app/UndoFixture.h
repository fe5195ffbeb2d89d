#pragma once

// The main window with its undo history, driven by real mouse and key
// events on the card. The millisecond tick is a variable the test steps, so
// drags are slow enough to move and pastes far enough apart to count.

#include "MainScreenFixture.h"

#include "app/TUndoHistory.h"
#include "design/CompanionFile.h"
#include "design/ComponentStreamer.h"
#include "design/TGHandle.h"
#include "design/TGTickClock.h"
#include "objects/TBCShapes.h"

#include <QMenu>
#include <QTest>
#include <QWindow>

struct UndoFixture : MainScreenFixture {
    quint32 ms = 1000;

    UndoFixture() { TGTickClock::setSource([this] { return ms; }); }
    ~UndoFixture() { TGTickClock::setSource({}); }

    TMainScreen &begin()
    {
        TMainScreen &s = start();
        QTest::qWaitForWindowExposed(&s);
        return s;
    }
    TUndoHistory &history() const { return *screen->History; }
    QUndoStack &stack() const { return screen->History->Stack(); }
    TGHandle &handle() const { return *panel().Handle(); }
    TGGraphicControl *object(const QString &name) const { return panel().FindObject(name); }

    // Lets the program go idle, so that changes made outside an action
    // become a step.
    static void idle() { QTest::qWait(120); }

    // What saving the card would write: the objects (at 100 %) and the companion.
    QByteArray document() const
    {
        return ComponentStreamer::WriteContainer(panel().Objects())
            + CompanionFile::Contents({screen->Layout(), screen->BackgroundPath()});
    }

    // A rectangle drawn with the tool, taken as its own step.
    TGGraphicControl *drawn(QRect r)
    {
        drawRectangle(r);
        idle();
        return panel().Objects().constLast();
    }

    // Mouse on the card, in card coordinates, through the window.
    QPoint toWindow(QPoint p) const { return panel().mapTo(screen.get(), p); }
    void press(QPoint p, Qt::KeyboardModifiers mods = {})
    {
        QTest::mousePress(screen->windowHandle(), Qt::LeftButton, mods, toWindow(p));
    }
    void move(QPoint p, quint32 afterMs = 100)
    {
        ms += afterMs;
        QTest::mouseMove(screen->windowHandle(), toWindow(p));
    }
    void release(QPoint p, quint32 afterMs = 100)
    {
        ms += afterMs;
        QTest::mouseRelease(screen->windowHandle(), Qt::LeftButton, {}, toWindow(p));
        QCoreApplication::processEvents();
    }
    void click(QPoint p)
    {
        press(p);
        release(p, 30);
        ms += 1000;
    }
    void drag(QPoint from, QPoint to)
    {
        press(from);
        move((from + to) / 2);
        move(to);
        release(to);
        ms += 1000;
    }
    void key(int key, Qt::KeyboardModifiers mods = {})
    {
        QTest::keyClick(&handle(), Qt::Key(key), mods);
        ms += 1000;
    }

    static QAction *item(const QMenu *menu, const QString &caption)
    {
        for (QAction *a : menu->actions()) {
            if (a->text() == caption)
                return a;
        }
        return nullptr;
    }
};
