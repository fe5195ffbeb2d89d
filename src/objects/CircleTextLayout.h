#pragma once

#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>

// Quarter steps of a circle, used both for the sweep of the arc and for the
// angle it starts at: (ordinal + 1) x 90 degrees.
enum TDegrees { dg90, dg180, dg270, dg360 };
QStringList degreesNames();

// Where each letter of a circular text goes. One function computes it, so
// that painting, printing and the tests agree to the pixel.
namespace CircleTextLayout {

struct Input {
    int width = 0;
    int height = 0;
    int textHeight = 0;   // TH: the font's cell height (ascent + descent)
    int averageWidth = 0; // AW: the font's average character width
    TDegrees startingVector = dg180;
    TDegrees degrees = dg360;
    bool mirror = false;
    bool angled = true;
    int letterCount = 0;
};

struct Letter {
    int letter = 0;    // index into the caption's letters
    QPoint at;         // bottom-centre of the letter's cell, object pixels
    int rotation = 0;  // escapement in tenths of a degree, counter-clockwise
    bool inside = false; // the anchor lies in the box; others are not drawn
};

struct Result {
    int start = 0;     // degrees; 90 = 12 o'clock, 180 = 9 o'clock
    int sweep = 0;     // degrees
    float step = 0;    // degrees between neighbouring letters
    QPoint centre;
    int radius = 0;
    bool mirrored = false; // reverse order and turned letters in effect
    QList<Letter> letters; // in drawing order
};

// The letters of a caption as the reader sees them: whole grapheme
// clusters, so a character outside the basic plane or a letter with its
// accents stays one letter.
QStringList splitLetters(const QString &caption);

Result compute(const Input &in);

} // namespace CircleTextLayout
