#pragma once

// A real main window on a private program folder with scripted dialogs, at
// 96 pixels per inch on a 1280 x 900 screen.

#include "app/TMainScreen.h"
#include "design/TGBusinessCardPanel32.h"
#include "design/TGGraphicControl.h"
#include "platform/ScreenMetrics.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProgramFolder.h"

#include <QRect>

#include <memory>

struct MainScreenFixture {
    TempProgramFolder folder;
    ScopedScriptedDialogs dialogs;
    std::unique_ptr<TMainScreen> screen;

    MainScreenFixture() { ScreenMetrics::setOverride(96, QSize(1280, 900)); }
    ~MainScreenFixture()
    {
        screen.reset();
        ScreenMetrics::resetOverride();
    }

    // Creates the window and runs its first activation.
    TMainScreen &start()
    {
        screen.reset(); // one window at a time, as in the program
        screen = std::make_unique<TMainScreen>();
        screen->FormActivate();
        return *screen;
    }

    TGBusinessCardPanel32 &panel() const { return *screen->BusinessCardPanel; }

    // Draws a rectangle on the card as the rectangle tool does.
    void drawRectangle(QRect r = QRect(20, 20, 60, 30)) const
    {
        panel().SetPanelState(psRectangle);
        panel().CreateObject(r);
        panel().SetPanelState(psPointing);
    }
};
