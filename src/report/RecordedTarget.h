#pragma once

#include "report/RecordedJob.h"
#include "report/ReportTarget.h"
#include "report/SimulatedDevice.h"

#include <QPainter>
#include <QPointer>

class QIODevice;

// Records a job for the preview instead of printing it: each page becomes a
// picture drawn for the simulated device. When the document is finished the
// recording is written to the stream the program supplied, if any.
class RecordedTarget : public ReportTarget
{
public:
    explicit RecordedTarget(const SimulatedDevice &device = SimulatedDevice());

    SimulatedDevice &device() { return device_; }
    void setStream(QIODevice *stream) { stream_ = stream; }
    QIODevice *stream() const { return stream_; }

    // The last finished recording (no pages after an abort).
    const RecordedJob &job() const { return job_; }

    ReportDeviceMetrics metrics() const override { return device_.metrics(); }
    void setOrientation(TPrinterOrientation orientation) override { device_.setOrientation(orientation); }
    TPrinterOrientation orientation() const override { return device_.orientation(); }
    void setPaper(const QPageSize &paper) override { device_.setPaper(paper); }
    QPageSize paper() const override { return device_.paper(); }

    QPainter *beginDocument(const QString &title, int copies) override;
    bool newPage() override;
    bool endDocument() override;
    void abortDocument() override;

private:
    bool startPage();
    void finishPage();

    SimulatedDevice device_;
    RecordedJob job_;
    QPainter painter_;
    QPointer<QIODevice> stream_;
};
