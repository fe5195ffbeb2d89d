#include "print/TCardSheetPrinter.h"

#include "design/BackgroundArt.h"
#include "design/TGGraphicControl.h"
#include "design/TGBusinessCardPanel32.h"
#include "platform/Metafile.h"
#include "platform/Numbers.h"
#include "platform/ScreenMetrics.h"
#include "print/CutMarks.h"
#include "print/PrintScopes.h"
#include "report/TReport.h"

#include <QPainter>

#include <tuple>

namespace {

// The background art always covers a standard card's 3.5 x 2 inches.
constexpr double BackgroundLong = 3.5;
constexpr double BackgroundShort = 2.0;

} // namespace

bool TCardSheetPrinter::Portrait() const
{
    return Panel && Panel->Portrait();
}

bool TCardSheetPrinter::HasComplexObjects() const
{
    if (!Panel)
        return false;
    for (const TGGraphicControl *object : Panel->Objects()) {
        const QString name = object->ClassName();
        if (name == QLatin1String("TSuperShape") || name == QLatin1String("TGSuperText"))
            return true;
    }
    return false;
}

void TCardSheetPrinter::LoadBackGround()
{
    if (BackPanel) {
        // The back's art is loaded as the front's, then put aside.
        SwapSides();
        LoadOneBackGround();
        SwapSides();
    }
    LoadOneBackGround();
}

void TCardSheetPrinter::LoadOneBackGround()
{
    m_kind = bkNone;
    m_bitmap = QImage();
    m_metafile.reset();
    if (BackgroundFile.isEmpty())
        return;
    // A file that is missing or cannot be read prints no background.
    TPicture picture;
    if (!BackgroundArt::Load(BackgroundFile, picture))
        return;
    if (picture.IsMetafile() && !Portrait()) {
        m_metafile = picture.MetafileShared();
        m_kind = bkMetafile;
        return;
    }
    // Bitmaps, and metafiles of an upright card, print as a bitmap.
    m_bitmap = Portrait() ? BackgroundArt::TurnedForPortrait(picture) : picture.Bitmap();
    m_kind = m_bitmap.isNull() ? bkNone : bkBitmap;
}

void TCardSheetPrinter::PrintBackGround(TReport &job, double x, double y)
{
    const bool portrait = Portrait();
    const double w = portrait ? BackgroundShort : BackgroundLong;
    const double h = portrait ? BackgroundLong : BackgroundShort;
    PrintBackGroundOver(job, QRectF(x, y, w, h));
}

void TCardSheetPrinter::PrintBackGroundOver(TReport &job, const QRectF &area)
{
    const double x1 = area.left(), y1 = area.top(), x2 = area.right(), y2 = area.bottom();
    if (m_kind == bkBitmap)
        job.stretchDraw(x1, y1, x2, y2, m_bitmap);
    else if (m_kind == bkMetafile)
        job.stretchDraw(x1, y1, x2, y2, m_metafile->Picture());
}

void TCardSheetPrinter::BeforePrintLabels(TReport &job)
{
    if (Portrait())
        job.setOrientation(poLandscape);
    if (Printing && Copies > 1 && job.targetHandlesCopies() && job.maxCopies() > 1) {
        job.setCopies(Copies);
        Copies = 1;
    }
    job.setStatusFormat(Printing ? QStringLiteral("Printing Page %p\r%0\r%1")
                                 : QStringLiteral("Preparing Preview Page %p\r%0\r%1"));
    job.statusText() = QStringList{QString(), QString()};
    if (!Printing && !OneCardPerRecord) {
        // Only the card that lands at the top left of the page is previewed.
        Selection.reset();
        Selection.set(Portrait() ? std::max(0, Geometry.Across - 1) : 0);
    }
}

void TCardSheetPrinter::PrintLabels(TReport &job)
{
    PrintingScope printing(Panel);
    PrintingScope printingBack(BackPanel);
    CardMerge *merge = OneCardPerRecord ? CardMerge::Find(Panel) : nullptr;
    const CardMerge::RecordKeeper keep(merge);
    const CardMerge::RecordKeeper keepBack(merge ? CardMerge::Find(BackPanel) : nullptr);
    if (merge)
        std::tie(m_nextRecord, m_lastRecord) = merge->Span(Records);
    // The card may have changed since the last run; a job that draws the
    // document again in parts draws the same card.
    if (job.pass() == 0) {
        m_stamp.Clear();
        m_otherStamp.Clear();
        m_stamped = 0;
    }
    job.setMarginLeft(0);
    job.setMarginTop(0);
    for (int sheet = 1, taken = m_nextRecord; PrintSheetSides(job); ++sheet, taken = m_nextRecord) {
        // A sheet without a selected position takes no record: no end.
        const bool more = OneCardPerRecord ? RecordsLeft() && m_nextRecord > taken : sheet < Copies;
        if (!more || job.wasAborted() || !job.newPage())
            break;
    }
}

bool TCardSheetPrinter::RecordsLeft() const
{
    return m_nextRecord <= m_lastRecord;
}

bool TCardSheetPrinter::NextRecord()
{
    if (!RecordsLeft())
        return false;
    // The side printed now (a back may have no list of its own).
    if (CardMerge *merge = CardMerge::Find(Panel))
        merge->SetRecord(m_nextRecord);
    ++m_nextRecord;
    return true;
}

// One sheet; false when the run was stopped or aborted.
bool TCardSheetPrinter::PrintSheet(TReport &job)
{
    const bool portrait = Portrait();
    const QSizeF cell = Geometry.CellSize(portrait);
    if (PrintCutMarks && !Outline && !m_backPage)
        CutMarks::Print(job, Geometry, portrait);
    for (int r = 0; r < Geometry.Down; ++r) {
        for (int c = 0; c < Geometry.Across; ++c) {
            if (StopRequested || job.wasAborted())
                return false;
            const int index = r * Geometry.Across + c;
            if (index >= MaxCardPositions || !Selection.test(index))
                continue;
            if (OneCardPerRecord && !Outline && !NextRecord())
                return true;
            const QPointF origin = PlaceCard(job, Geometry.CardOrigin(r, c, portrait, job.pageHeight()), cell);
            if (OnCard)
                OnCard(index + 1);
            if (Outline) {
                job.rectangle(origin.x(), origin.y(), origin.x() + cell.width(), origin.y() + cell.height());
                if (Flip != dfNone)
                    NumberFrame(job, QRectF(origin, cell), index + 1);
            } else
                PrintCard(job, origin.x(), origin.y());
            if (AfterCard)
                AfterCard();
        }
    }
    return !StopRequested && !job.wasAborted();
}

void TCardSheetPrinter::PrintCard(TReport &job, double x, double y)
{
    if (StampCards && !OneCardPerRecord) {
        const QSizeF cell = Geometry.CellSize(Portrait());
        const auto draw = [this, &job](double cx, double cy) { DrawCard(job, cx, cy); };
        if (m_stamp.Print(job, x, y, QRectF(QPointF(0, 0), cell), CardReach(), draw)) {
            m_stamped += job.pass() == 0;
            return;
        }
    }
    DrawCard(job, x, y);
}

QRectF TCardSheetPrinter::CardReach() const
{
    QRectF reach;
    if (!Panel)
        return reach;
    const double ppi = ScreenMetrics::pixelsPerInch();
    for (const TGGraphicControl *object : Panel->Objects()) {
        const QRect r = object->BoundsRect();
        reach |= QRectF(r.left() / ppi, r.top() / ppi, r.width() / ppi, r.height() / ppi);
    }
    // Thick pens and effects run a little past an object's box.
    const double past = 1 / 16.0;
    return reach.adjusted(-past, -past, past, past);
}

void TCardSheetPrinter::DrawCard(TReport &job, double x, double y)
{
    PrintBackGround(job, x, y);
    if (!Printing) {
        const QSizeF cell = Geometry.CellSize(Portrait());
        job.setBrush(clBlack, bsClear);
        job.setPen(TColor(0xC0C0C0), psSolid, -1, pmCopy);
        job.rectangle(x, y, x + cell.width(), y + cell.height());
    }
    if (Panel)
        Panel->PrintAll(job, x, y);
}
