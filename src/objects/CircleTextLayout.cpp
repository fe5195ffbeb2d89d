#include "objects/CircleTextLayout.h"

#include "platform/Numbers.h"

#include <QTextBoundaryFinder>

#include <algorithm>
#include <cmath>
#include <numbers>

QStringList degreesNames()
{
    return {"dg90", "dg180", "dg270", "dg360"};
}

namespace CircleTextLayout {

QStringList splitLetters(const QString &caption)
{
    QStringList letters;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, caption);
    qsizetype from = 0;
    while (finder.toNextBoundary() != -1) {
        const qsizetype to = finder.position();
        letters << caption.mid(from, to - from);
        from = to;
    }
    return letters;
}

namespace {

// A quarter or half circle opens from an edge or a corner of the box, so its
// centre moves there and the radius may use the whole box; three-quarter and
// full circles stay centred.
void placeCentre(const Input &in, int &cx, int &rx, int &cy, int &ry)
{
    const int w = in.width, h = in.height, th = in.textHeight, aw = in.averageWidth;
    cx = rx = w / 2;
    cy = ry = h / 2;
    if (in.degrees == dg90) {
        rx = w - aw;
        ry = h - th;
        cx = (in.startingVector == dg90 || in.startingVector == dg360) ? aw : w - aw;
        cy = (in.startingVector == dg90 || in.startingVector == dg180) ? h - th : th;
    } else if (in.degrees == dg180) {
        switch (in.startingVector) {
        case dg90: cx = aw; rx = w - aw; break;
        case dg180: cy = h - th; ry = h - th; break;
        case dg270: cx = w - aw; rx = w - aw; break;
        case dg360: cy = th; ry = h - th; break;
        }
    }
}

} // namespace

Result compute(const Input &in)
{
    Result out;
    const int n = in.letterCount;
    out.start = (int(in.startingVector) + 1) * 90;
    out.sweep = (int(in.degrees) + 1) * 90;
    // A full circle of more than five letters leaves a gap between the last
    // letter and the first.
    if (in.degrees == dg360 && n > 5)
        out.sweep = 355;

    int cx, rx, cy, ry;
    placeCentre(in, cx, rx, cy, ry);
    out.centre = QPoint(cx, cy);
    out.mirrored = in.mirror && in.angled;
    int radius = std::min(rx, ry) - 4;
    // Upright letters stand outside the circle line and need the room;
    // mirrored letters hang inside it.
    if (!out.mirrored)
        radius -= std::abs(in.textHeight);
    out.radius = radius;

    // Single precision, as the step has always been held.
    if (n < 2)
        out.step = float(out.sweep);
    else if (in.degrees == dg360)
        out.step = float(out.sweep) / float(n); // the last letter stops a step short of the first
    else
        out.step = float(out.sweep) / float(n - 1); // first at the start, last at the end

    const int base = (out.start - 90) * 10;
    const double step = out.step;
    for (int i = 0; i < n; ++i) {
        // The last letter of an open arc sits exactly at the arc's end.
        const bool arcEnd = i == n - 1 && in.degrees != dg360;
        Letter letter;
        letter.letter = out.mirrored ? n - 1 - i : i;
        int r = arcEnd ? Numbers::roundHalfEven(base - out.sweep * 10.0) : Numbers::roundHalfEven(base - i * step * 10);
        if (r < 0)
            r += 3600;
        if (out.mirrored)
            r = r + 1800 > 3600 ? r - 1800 : r + 1800;
        letter.rotation = r;
        const double degrees = arcEnd ? double(out.sweep - out.start) : i * step - out.start;
        const double theta = degrees * std::numbers::pi / 180;
        letter.at = QPoint(Numbers::roundHalfEven(std::cos(theta) * radius) + cx,
                           Numbers::roundHalfEven(std::sin(theta) * radius) + cy);
        letter.inside = letter.at.x() >= 0 && letter.at.y() >= 0 && letter.at.x() < in.width
                        && letter.at.y() < in.height;
        out.letters << letter;
    }
    return out;
}

} // namespace CircleTextLayout
