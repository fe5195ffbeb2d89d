#pragma once

#include "design/TGBusinessCardPanel32.h"

// What every print of the card needs for its duration, restored however it
// ends: the card at zoom 1.0 (objects print their zoom-1 geometry), and the
// panel's printing flag (no change reports while objects are drawn).
struct ZoomScope {
    TGBusinessCardPanel32 *panel;
    float zoom = 1.0f;
    explicit ZoomScope(TGBusinessCardPanel32 *p) : panel(p)
    {
        if (!panel)
            return;
        zoom = panel->Zoom();
        panel->SetZoom(1.0f);
    }
    ~ZoomScope()
    {
        if (panel)
            panel->SetZoom(zoom);
    }
    ZoomScope(const ZoomScope &) = delete;
    ZoomScope &operator=(const ZoomScope &) = delete;
};

struct PrintingScope {
    TGBusinessCardPanel32 *panel;
    explicit PrintingScope(TGBusinessCardPanel32 *p) : panel(p)
    {
        if (panel)
            panel->SetPrinting(true);
    }
    ~PrintingScope()
    {
        if (panel)
            panel->SetPrinting(false);
    }
    PrintingScope(const PrintingScope &) = delete;
    PrintingScope &operator=(const PrintingScope &) = delete;
};
