#pragma once

#include <QPoint>
#include <QRect>

// Where a one-line label draws its three copies of the text (shadow,
// highlight, main text) and how large its box must be, from the measured
// text and the copies' offsets. Pure geometry, so it is measured once and
// reused by every repaint, print and export.
struct TLabelLayoutInput {
    int textHeight = 0;   // full height + internal leading (again) + external leading
    int textWidth = 0;    // caption with one space appended
    int angle = 0;        // 0, 90, 180 or 270
    int alignment = 0;    // TAlignment ordinal; used at angle 0 only
    int width = 0;        // the box before the clamps
    int height = 0;
    QPoint shadowOffset;
    QPoint highlightOffset;
};

struct TLabelLayout {
    int width = 0;        // the box after the clamps
    int height = 0;
    QPoint textMargin;    // room kept left and top for copies going that way
    // The pixels each copy is clipped to.
    QRect mainRect, shadowRect, highlightRect;
    // Where each copy's text is drawn (the reference point of the rotated cell).
    QPoint mainOrigin, shadowOrigin, highlightOrigin;
};

TLabelLayout computeLabelLayout(const TLabelLayoutInput &in);
