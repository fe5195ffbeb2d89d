#pragma once

#include <QSize>

// Where the cards lie on a sheet of pre-cut card stock and how large one card
// is. Lengths are inches at all times (32-bit floats, as stored layouts and
// the stock table hold them); millimetres exist only inside the layout dialog.
struct SheetLayout {
    static constexpr int PaperLetter = 1; // the platform's paper codes
    static constexpr int PaperA4 = 9;

    float Height = 2.0f;      // one card, its vertical size when not rotated
    float Width = 3.5f;
    int Across = 2;           // columns
    int Down = 5;             // rows
    float TopMargin = 0.5f;   // sheet edge to the first row
    float LeftMargin = 0.75f; // sheet edge to the first column
    float HPitch = 3.5f;      // left edge to left edge of neighbouring columns
    float VPitch = 2.0f;      // top edge to top edge of neighbouring rows
    int PredefLayout = 0;     // stock index last chosen, 0-25
    int Papersize = PaperLetter;
    bool Portrait = false;    // the card stands on its short side

    // The layout dialog's ranges: a card of 0.3 to 22 inches high and 0.5
    // to 22 inches wide, 1 to 10 cards across and 1 to 30 down, margins and
    // pitches of 0 to 9999.99 inches, and a stock index of 0 to 25. Layouts
    // read from files must lie inside them too: a larger card would need a
    // panel bitmap of hundreds of megabytes. (Pitches smaller than the card
    // only overlap the cards, so stored ones are taken as they are.)
    static constexpr float MinHeight = 0.3f;
    static constexpr float MinWidth = 0.5f;
    static constexpr float MaxCardSide = 22.0f;
    static constexpr float MaxLength = 9999.99f;
    static constexpr int MaxAcross = 10;
    static constexpr int MaxDown = 30;
    static constexpr int StockCount = 26;
    bool WithinLimits() const;

    // The card panel's size in screen pixels: one card inch is one screen
    // inch (Round(pixels per inch x inches), ties to even); a portrait card
    // exchanges width and height. At a zoom other than 1.0 the unzoomed size
    // is scaled by the zoom and rounded again, as the panel's own zoom does.
    QSize CardPixelSize(bool portrait, int pixelsPerInch, float zoom = 1.0f) const;
    // The same at the screen's pixels per inch.
    QSize CardPixelSize(bool portrait, float zoom = 1.0f) const;

    bool operator==(const SheetLayout &other) const = default;
};

// The layout as the main window keeps it: with the display unit the user
// last chose for it in the layout dialog.
struct SheetLayoutSetting {
    SheetLayout Layout;
    bool UseMM = false;

    bool operator==(const SheetLayoutSetting &other) const = default;
};
