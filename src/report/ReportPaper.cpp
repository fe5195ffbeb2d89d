#include "report/ReportPaper.h"

#include "report/ReportTypes.h"

namespace ReportPaper {

std::optional<QPageSize> pageSize(int paperCode)
{
    switch (paperCode) {
    case DMPAPER_LETTER:
        return QPageSize(QPageSize::Letter);
    case DMPAPER_A4:
        return QPageSize(QPageSize::A4);
    default:
        return std::nullopt;
    }
}

int paperCode(const QPageSize &size)
{
    switch (size.id()) {
    case QPageSize::Letter:
        return DMPAPER_LETTER;
    case QPageSize::A4:
        return DMPAPER_A4;
    default:
        return 0;
    }
}

QSizeF sizeInches(const QPageSize &size)
{
    // Millimetres are exact for A4; inches from QPageSize are rounded to 2 places.
    const QSizeF mm = size.size(QPageSize::Millimeter);
    if (size.id() == QPageSize::Letter)
        return QSizeF(8.5, 11.0);
    return mm / 25.4;
}

} // namespace ReportPaper
