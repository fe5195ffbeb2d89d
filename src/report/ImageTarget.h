#pragma once

#include "report/ReportTarget.h"
#include "report/SimulatedDevice.h"

#include <QImage>
#include <QList>
#include <QPainter>

// Renders every page into an image of the whole sheet at the device's
// resolution, white where nothing was drawn and in the unprintable margins.
// Used for exports and by tests, which read back where things landed.
class ImageTarget : public ReportTarget
{
public:
    explicit ImageTarget(const SimulatedDevice &device = SimulatedDevice());

    SimulatedDevice &device() { return device_; }
    // Lets the target pretend to be a driver that makes up to `max` copies.
    void setDriverCopies(int max) { driverCopies_ = max; }
    // Copies asked for when the last document began.
    int copiesRequested() const { return copiesRequested_; }
    // Pages start transparent instead of white (exports with an alpha channel).
    void setTransparent(bool on) { transparent_ = on; }
    bool transparent() const { return transparent_; }

    // Pages of the last finished document (empty after an abort).
    const QList<QImage> &pages() const { return pages_; }

    ReportDeviceMetrics metrics() const override { return device_.metrics(); }
    void setOrientation(TPrinterOrientation orientation) override { device_.setOrientation(orientation); }
    TPrinterOrientation orientation() const override { return device_.orientation(); }
    void setPaper(const QPageSize &paper) override { device_.setPaper(paper); }
    QPageSize paper() const override { return device_.paper(); }
    bool handlesCopies() const override { return driverCopies_ > 1; }
    int maxCopies() const override { return driverCopies_; }

    QPainter *beginDocument(const QString &title, int copies) override;
    bool newPage() override;
    bool endDocument() override;
    void abortDocument() override;

private:
    bool startPage();
    void finishPage();

    SimulatedDevice device_;
    ReportDeviceMetrics metrics_;
    QList<QImage> pages_;
    QPainter painter_;
    int driverCopies_ = 1;
    int copiesRequested_ = 0;
    bool transparent_ = false;
};
