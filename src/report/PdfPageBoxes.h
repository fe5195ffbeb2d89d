#pragma once

#include <QRectF>
#include <QString>

// Sets the trim and bleed boxes of every page of a PDF file, which Qt's PDF
// writer cannot do. Boxes are given in points from the page's top-left
// corner, as the page was drawn; they are turned into the file's upward y
// against each page's media box. The file is rewritten in
// one atomic replace; on failure it stays as it was and `error` says why.
namespace PdfPageBoxes {

bool SetBoxes(const QString &fileName, const QRectF &trimBox, const QRectF &bleedBox, QString *error = nullptr);

} // namespace PdfPageBoxes
