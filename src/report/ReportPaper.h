#pragma once

#include <QPageSize>
#include <QSizeF>
#include <optional>

// The paper sizes a job can be set to, by the platform's paper codes.
namespace ReportPaper {

// Letter for code 1, A4 for code 9; none for any other code.
std::optional<QPageSize> pageSize(int paperCode);

// The paper code of a page size (1 or 9); 0 for other sizes.
int paperCode(const QPageSize &size);

// Portrait width and height of the page size in inches.
QSizeF sizeInches(const QPageSize &size);

} // namespace ReportPaper
