#pragma once

#include "design/CardMerge.h"
#include "print/CardSelection.h"
#include "print/DuplexLayout.h"
#include "print/SheetGeometry.h"
#include "report/RasterStamp.h"

#include <QImage>
#include <QRectF>
#include <memory>
#include <QString>

#include <functional>

class TGBusinessCardPanel32;
class TReport;

// The body of a print run: puts the card of the panel on every selected
// position of every sheet, or only the cell outlines for the outline test
// page, or one outlined card for the preview. It knows nothing of windows;
// the status window (TLabelPrinter) and karvello-tool drive it.
class TMetafile;

class TCardSheetPrinter
{
public:
    enum TBackgroundKind { bkNone, bkMetafile, bkBitmap };

    TGBusinessCardPanel32 *Panel = nullptr;
    TSheetGeometry Geometry;
    TCardSelection Selection = AllCardsSelected();
    int Copies = 1;         // sheets the loop makes
    bool Printing = true;   // false: a preview recording
    bool Outline = false;   // outline test page
    bool StopRequested = false;
    bool PrintCutMarks = false; // lines in the margins along the card edges
    QString BackgroundFile;
    // One card per record of the panel's contact list: the selected
    // positions take the records in order, sheet after sheet, until the
    // range runs out (Copies is then not used).
    bool OneCardPerRecord = false;
    RecordRange Records;
    // Called with the 1-based position number before each card, and after
    // each printed card; the status window shows the number and lets
    // pending events run there so that Cancel and Stop work.
    std::function<void(int cardNumber)> OnCard;
    std::function<void()> AfterCard;
    // On raster pages a card that is the same at every position (not one
    // card per record) is drawn once per run and copied to each position
    // where the copy equals drawing it there (report/RasterStamp).
    bool StampCards = true;
    // Cards copied so in the last run.
    int StampedCards() const { return m_stamped; }

    // Both sides: with a flip, each sheet of fronts is followed by a page
    // with the backs, each behind its own front (an outline test page
    // numbers its frames on both pages). `Sides` prints only the fronts or
    // only the backs of every sheet, for a printer whose sheets are turned
    // over by hand between two runs.
    enum TSheetSides { ssBoth, ssFronts, ssBacks };
    TGBusinessCardPanel32 *BackPanel = nullptr;
    QString BackBackgroundFile;
    TDuplexFlip Flip = dfNone;
    QPointF BackOffset; // inches, back pages only
    TSheetSides Sides = ssBoth;
    bool Duplex() const { return Flip != dfNone && (BackPanel || Outline); }

    // Reads the background art (bitmap or metafile) of both sides; anything
    // that cannot be read gives no background.
    void LoadBackGround();
    TBackgroundKind BackgroundKind() const { return m_kind; }

    // Before the document opens: orientation, driver copies, status format,
    // and for a preview the single position that is recorded.
    void BeforePrintLabels(TReport &job);
    // The page loop.
    void PrintLabels(TReport &job);
    // The background over 3.5 x 2 inches from the card's corner.
    void PrintBackGround(TReport &job, double x, double y);
    // The background stretched over any area (inches), such as the card
    // with its bleed.
    void PrintBackGroundOver(TReport &job, const QRectF &area);

    bool Portrait() const;
    // True when the card holds a SuperShape or SuperText object.
    bool HasComplexObjects() const;

private:
    void LoadOneBackGround();
    void PrintCard(TReport &job, double x, double y);
    void DrawCard(TReport &job, double x, double y);
    // Where the card's objects may draw, in inches from its corner.
    QRectF CardReach() const;
    bool PrintSheet(TReport &job);
    // One sheet's pages as `Sides` asks (TCardSheetPrinterSides.cpp).
    bool PrintSheetSides(TReport &job);
    bool PrintBackSheet(TReport &job);
    void SwapSides();
    QPointF PlaceCard(TReport &job, QPointF origin, QSizeF cell) const;
    void NumberFrame(TReport &job, const QRectF &frame, int number);

    // The record the next card takes; false when none is left.
    bool NextRecord();
    bool RecordsLeft() const;

    TBackgroundKind m_kind = bkNone;
    int m_nextRecord = 0;
    int m_lastRecord = -1;
    QImage m_bitmap;
    std::shared_ptr<const TMetafile> m_metafile;
    // The back's art while the front's is in use, and the other way round.
    TBackgroundKind m_otherKind = bkNone;
    QImage m_otherBitmap;
    std::shared_ptr<const TMetafile> m_otherMetafile;
    // The card of each side as drawn once in this run.
    RasterStamp m_stamp;
    RasterStamp m_otherStamp;
    int m_stamped = 0;
    bool m_backPage = false;
};
