// Double-sided sheets of TCardSheetPrinter: the back pages, their mirrored
// places and the numbered frames of the outline test page.
#include "print/TCardSheetPrinter.h"

#include "report/TReport.h"

#include <utility>

bool TCardSheetPrinter::PrintSheetSides(TReport &job)
{
    if (!Duplex())
        return PrintSheet(job);
    if (Sides == ssBacks)
        return PrintBackSheet(job);
    const int firstRecord = m_nextRecord;
    if (!PrintSheet(job))
        return false;
    if (Sides == ssFronts)
        return true;
    // One card per record: the backs take the records their fronts took.
    const int nextRecord = m_nextRecord;
    m_nextRecord = firstRecord;
    const bool ok = !job.wasAborted() && job.newPage() && PrintBackSheet(job);
    m_nextRecord = nextRecord;
    return ok;
}

bool TCardSheetPrinter::PrintBackSheet(TReport &job)
{
    SwapSides();
    m_backPage = true;
    const bool ok = PrintSheet(job);
    m_backPage = false;
    SwapSides();
    return ok;
}

void TCardSheetPrinter::SwapSides()
{
    if (!BackPanel)
        return;
    std::swap(Panel, BackPanel);
    std::swap(BackgroundFile, BackBackgroundFile);
    std::swap(m_kind, m_otherKind);
    std::swap(m_bitmap, m_otherBitmap);
    std::swap(m_metafile, m_otherMetafile);
    std::swap(m_stamp, m_otherStamp);
}

QPointF TCardSheetPrinter::PlaceCard(TReport &job, QPointF origin, QSizeF cell) const
{
    if (!m_backPage)
        return origin;
    const QSizeF page(job.pageWidth(), job.pageHeight());
    return DuplexLayout::BackRect(QRectF(origin, cell), page, Flip, BackOffset).topLeft();
}

void TCardSheetPrinter::NumberFrame(TReport &job, const QRectF &frame, int number)
{
    const QString text = QString::number(number);
    job.setFont(QStringLiteral("Arial"), 24);
    job.setFontColor(clBlack);
    const double x = frame.center().x() - job.textWidthInches(text) / 2;
    const double y = frame.center().y() - job.lineHeightInches() / 2;
    job.printText(x, y, text);
}
