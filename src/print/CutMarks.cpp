#include "print/CutMarks.h"

#include "platform/AppRoutines.h"
#include "platform/IniFile.h"
#include "report/TReport.h"

#include <QRectF>

#include <cmath>

namespace CutMarks {

namespace {

// Shorter pieces than this are not worth printing.
constexpr double ShortestMark = 1.0 / 32;

const QString Section = QStringLiteral("Printer");
const QString Key = QStringLiteral("CutMarks");

// Distinct values, in order; edges of neighbouring cards that meet count once.
QList<double> distinct(QList<double> values)
{
    std::sort(values.begin(), values.end());
    QList<double> result;
    for (double v : values) {
        if (result.isEmpty() || std::abs(v - result.last()) > 1e-6)
            result.append(v);
    }
    return result;
}

// The part of [from, to] that lies on the page (0 ... limit), when long enough.
bool clampToPage(double &from, double &to, double limit)
{
    from = std::max(from, 0.0);
    to = std::min(to, limit);
    return to - from >= ShortestMark;
}

} // namespace

QList<QLineF> Lines(const TSheetGeometry &geometry, bool portrait, const QSizeF &pageInches)
{
    const QSizeF cell = geometry.CellSize(portrait);
    QList<double> xs, ys;
    QRectF block;
    for (int r = 0; r < geometry.Down; ++r) {
        for (int c = 0; c < geometry.Across; ++c) {
            const QRectF card(geometry.CardOrigin(r, c, portrait, pageInches.height()), cell);
            xs << card.left() << card.right();
            ys << card.top() << card.bottom();
            block = block.isNull() ? card : block.united(card);
        }
    }
    QList<QLineF> lines;
    if (block.isNull())
        return lines;
    for (double x : distinct(xs)) {
        double from = block.top() - Gap - Length, to = block.top() - Gap;
        if (clampToPage(from, to, pageInches.height()))
            lines.append(QLineF(x, from, x, to));
        from = block.bottom() + Gap, to = block.bottom() + Gap + Length;
        if (clampToPage(from, to, pageInches.height()))
            lines.append(QLineF(x, from, x, to));
    }
    for (double y : distinct(ys)) {
        double from = block.left() - Gap - Length, to = block.left() - Gap;
        if (clampToPage(from, to, pageInches.width()))
            lines.append(QLineF(from, y, to, y));
        from = block.right() + Gap, to = block.right() + Gap + Length;
        if (clampToPage(from, to, pageInches.width()))
            lines.append(QLineF(from, y, to, y));
    }
    return lines;
}

void Print(TReport &job, const TSheetGeometry &geometry, bool portrait)
{
    job.setPen(clBlack, psSolid, -1, pmCopy); // a hundredth of an inch
    for (const QLineF &line : Lines(geometry, portrait, QSizeF(job.pageWidth(), job.pageHeight()))) {
        job.moveTo(line.x1(), line.y1());
        job.lineTo(line.x2(), line.y2());
    }
}

bool Remembered()
{
    const IniFile ini(SettingsFileName());
    return ini.readBool(Section, Key, false);
}

void Remember(bool on)
{
    IniFile ini(SettingsFileName());
    if (ini.readBool(Section, Key, false) == on && ini.valueExists(Section, Key))
        return; // an unchanged choice leaves the file alone
    ini.writeBool(Section, Key, on);
    ini.flush();
}

} // namespace CutMarks
