#pragma once

#include "report/PrinterDeviceTarget.h"

#include <QString>

// Writes the job into a PDF file. A PDF page has no unprintable margins;
// `resolution` is the device-pixel grid the drawing is laid out on; the
// paper is Letter until the job sets another. The file name may be chosen
// later (setFileName); a job without one fails to start.
// An aborted or failed job leaves no file behind.
class PdfTarget : public PrinterDeviceTarget
{
public:
    explicit PdfTarget(const QString &fileName = QString(), int resolution = 600);

    QString fileName() const { return fileName_; }
    // Takes effect for the next document.
    void setFileName(const QString &fileName);

    QPainter *beginDocument(const QString &title, int copies) override;
    bool newPage() override;
    bool endDocument() override;
    void abortDocument() override;
    QString errorString() const override { return error_; }

private:
    // Why the file cannot be written, as the file system says.
    QString WriteProblem() const;

    QString fileName_;
    QString error_;
};
