#pragma once

#include "report/PrinterDeviceTarget.h"

#include <QString>

// Writes the job into a PDF file. A PDF page has no unprintable margins;
// `resolution` is the device-pixel grid the drawing is laid out on; the
// paper is Letter until the job sets another.
// An aborted or failed job leaves no file behind.
class PdfTarget : public PrinterDeviceTarget
{
public:
    explicit PdfTarget(const QString &fileName, int resolution = 600);

    QString fileName() const { return fileName_; }

    bool endDocument() override;
    void abortDocument() override;

private:
    QString fileName_;
};
