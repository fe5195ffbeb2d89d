#pragma once

#include "design/CardMerge.h"

#include <QLineF>
#include <QList>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QSizeF>
#include <QString>

class TGBusinessCardPanel32;
class TGGraphicControl;
class TReport;

// "Export for Print Shop": the card alone on a PDF page, with bleed (the
// background and the filled objects along the edges run on past the cut),
// optional crop marks in a margin around it, and the page's trim and bleed
// boxes set, as print shops ask for it.
namespace PrintShopExport {

constexpr double DefaultBleed = 0.125;
constexpr double MaxBleed = 0.25;
// Text closer than this to the card's edge may be cut off.
constexpr double SafeMargin = 0.125;
// Crop marks continue the trim lines outside the bleed.
constexpr double CropMarkGap = 1.0 / 16;
constexpr double CropMarkLength = 0.25;
constexpr double CropMarkPoints = 0.25; // line width
// The margin the marks need around the bleed, with a little room beyond them.
constexpr double CropMarkMargin = CropMarkGap + CropMarkLength + 1.0 / 16;

struct Options {
    double Bleed = DefaultBleed; // inches, 0 ... MaxBleed
    bool CropMarks = false;
};

// What is exported.
struct Card {
    TGBusinessCardPanel32 *Panel = nullptr;
    QSizeF Size{3.5, 2.0}; // inches, as the card stands
    QString BackgroundFile;
    // One page per record of the panel's contact list.
    bool OneCardPerRecord = false;
    RecordRange Records;
    // The card's back, exported as a second page with its own boxes and
    // marks (null: one page).
    const Card *Back = nullptr;
};

// The page in inches from its top-left corner.
struct PageGeometry {
    QSizeF Page;
    QRectF Bleed; // the card with its bleed
    QRectF Trim;  // the card itself
};

// The bleed is kept within 0 ... MaxBleed and rounded to half a point, so
// that the page is a whole number of points as the PDF stores it.
double UsableBleed(double bleed);
PageGeometry Page(const QSizeF &cardInches, const Options &options);
// The eight crop marks, in inches on the page.
QList<QLineF> CropMarkLines(const PageGeometry &page);

// The bounds (card pixels at zoom 1) the object prints with: a filled shape,
// SuperShape or picture whose edge lies on or past a card edge runs on by
// `bleedPixels` on that side; anything else keeps its bounds.
QRect BleedBounds(const TGGraphicControl &object, const QSize &cardPixels, int bleedPixels);
bool RunsIntoBleed(const TGGraphicControl &object);

// Whether the drawing of any text object (its letters, not its box)
// reaches into the SafeMargin strip along the edge.
bool TextOutsideSafeArea(const TGBusinessCardPanel32 &panel, const QSizeF &cardInches);
QString SafeAreaWarning();

// The card's background art stretched over `area` (inches on the page).
void PrintBackground(TReport &job, const Card &card, const QRectF &area);
// Draws the page on a job whose page is PageGeometry::Page.
void PrintPage(TReport &job, const Card &card, const Options &options);
// Writes the PDF file; false with `error` when it cannot be written.
bool Write(const Card &card, const Options &options, const QString &fileName, QString *error = nullptr);

// The options last used ("Print Shop" section of the settings file).
Options Remembered();
void Remember(const Options &options);

} // namespace PrintShopExport
