#pragma once

#include <QRectF>
#include <QString>

// Sets the trim and bleed boxes of every page of a PDF file, which Qt's PDF
// writer cannot do. Boxes are given in points from the page's top-left
// corner, as the page was drawn; they are turned into the file's upward y
// against each page's media box. The result goes to `target` in one atomic
// replace (it may be `source` itself); on failure `target` stays as it was
// and `error` says why.
namespace PdfPageBoxes {

bool SetBoxes(const QString &source, const QString &target, const QRectF &trimBox, const QRectF &bleedBox,
              QString *error = nullptr);

} // namespace PdfPageBoxes
