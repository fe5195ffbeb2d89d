#pragma once

class TGGraphicControl;
class TReport;

// The one way a design object goes onto a print job: inside a guard that
// puts the job's drawing state back afterwards, so that nothing one object
// leaves set (clip, transform, pen, font, ...) changes how the next prints.
// `left` and `top` are the card's corner on the page in inches.
void PrintObject(TReport &report, TGGraphicControl &object, double left, double top);
