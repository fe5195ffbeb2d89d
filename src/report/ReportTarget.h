#pragma once

#include "report/ReportTypes.h"

#include <QPageSize>
#include <QString>

class QPainter;

// Where a job's pages go: a printer, a PDF file, a recording for the preview
// or images. The job (TReport) does all drawing through the painter a target
// hands out, in device pixels whose origin is the top-left corner of the
// printable area; a target only opens, turns and closes pages.
class ReportTarget
{
public:
    virtual ~ReportTarget() = default;

    // Geometry in the current orientation and paper.
    virtual ReportDeviceMetrics metrics() const = 0;
    virtual void setOrientation(TPrinterOrientation orientation) = 0;
    virtual TPrinterOrientation orientation() const = 0;
    virtual void setPaper(const QPageSize &paper) = 0;
    virtual QPageSize paper() const = 0;
    // Re-reads resolution and margins from the device (printers only).
    virtual void refreshMetrics() {}

    // Whether the device makes copies of each page itself, and how many.
    virtual bool handlesCopies() const { return false; }
    virtual int maxCopies() const { return 1; }

    // How many times the job draws the whole document: once, or once per
    // part of each page for a target that draws pages in parts
    // (BandedImageTarget). Each run opens and ends the document again.
    virtual int passes() const { return 1; }

    // Opens the document and its first page; null when the device refuses.
    // `copies` is the number of copies the device is asked to make.
    virtual QPainter *beginDocument(const QString &title, int copies) = 0;
    // Ends the current page and starts the next one; false when that fails.
    virtual bool newPage() = 0;
    // Finishes the document; false when the output could not be completed.
    virtual bool endDocument() = 0;
    // Throws the document away: nothing of it is delivered.
    virtual void abortDocument() = 0;

    // Why the last beginDocument, newPage or endDocument failed, in words
    // for the user; empty when the target cannot tell.
    virtual QString errorString() const { return QString(); }
};
