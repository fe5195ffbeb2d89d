#pragma once

#include "report/ReportTarget.h"
#include "report/SimulatedDevice.h"

#include <QImage>
#include <QPainter>
#include <QString>

#include <memory>
#include <vector>

class PngRowWriter;

// Writes every page as a PNG file at the device's resolution without ever
// holding a whole page: the job draws the document once per band of rows
// (TReport asks for `passes()` runs), and each band's rows go to the page's
// file before the next band is drawn. A 600-dpi Letter sheet, 135 MB as one
// image, takes a band of a few megabytes. The pixels are those ImageTarget
// gives: white where nothing was drawn and in the unprintable margins.
class BandedImageTarget : public ReportTarget
{
public:
    // `pathPattern` names page n's file with "%1" replaced by n.
    explicit BandedImageTarget(const QString &pathPattern, const SimulatedDevice &device = SimulatedDevice(),
                               int bandRows = 512);
    ~BandedImageTarget() override;

    QString pagePath(int page) const { return pathPattern_.arg(page); }
    // Pages of the last finished document (0 after an abort or failure).
    int pagesWritten() const { return pagesWritten_; }

    ReportDeviceMetrics metrics() const override { return device_.metrics(); }
    void setOrientation(TPrinterOrientation orientation) override { device_.setOrientation(orientation); }
    TPrinterOrientation orientation() const override { return device_.orientation(); }
    void setPaper(const QPageSize &paper) override { device_.setPaper(paper); }
    QPageSize paper() const override { return device_.paper(); }
    int passes() const override;

    QPainter *beginDocument(const QString &title, int copies) override;
    bool newPage() override;
    bool endDocument() override;
    void abortDocument() override;
    QString errorString() const override { return error_; }

private:
    bool startPage();
    bool finishPage();
    void dropFiles();

    QString pathPattern_;
    SimulatedDevice device_;
    int bandRows_;
    ReportDeviceMetrics metrics_;
    int pass_ = 0;     // the band drawn in this run of the document
    int page_ = 0;     // 0-based page within the run
    QImage band_;
    QPainter painter_;
    std::vector<std::unique_ptr<PngRowWriter>> files_;
    int pagesWritten_ = 0;
    QString error_;
};
