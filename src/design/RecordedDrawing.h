#pragma once

#include <QPicture>
#include <QSize>

#include <functional>

class QPainter;
class TCanvas;
class TGGraphicControl;
class TReport;

// Objects whose printout is their screen drawing record it once and stretch
// the recording over their box on the page. The recording keeps text as
// text, so a PDF holds selectable letters and a printer draws outlines at
// its own resolution.
namespace RecordedDrawing {

// `paint` recorded over a box of `size`, (0, 0) at its top-left corner. The
// frame is the whole box, also when the drawing is smaller or empty.
QPicture record(QSize size, const std::function<void(QPainter &)> &paint);

// An object's screen drawing `paint` recorded on a canvas over its box,
// its text set for paper when `printText` is on (TCanvas::setPrintText).
QPicture recordCanvas(const TGGraphicControl &object, bool printText, const std::function<void(TCanvas &)> &paint);

// Whether a job's text is set for paper (TCanvas::setPrintText): on every
// target but an image at the screen's own resolution, which is the screen.
bool printText(TReport &report);

// Stretches `picture` over the object's box on the page; left and top are
// the card's corner on the page in inches. Nothing for an empty box.
void print(TReport &report, const TGGraphicControl &object, double left, double top, const QPicture &picture);

} // namespace RecordedDrawing
