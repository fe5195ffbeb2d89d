#pragma once

#include "report/ReportCanvas.h"
#include "report/ReportTarget.h"

#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QLabel;

// A print job: what the design objects' PrintTo(TReport &, left, top)
// draws on, and what the print pipeline runs. The drawing operations and the
// inch-to-device-pixel rule are those of ReportCanvas; this class adds the
// document (pages, copies, orientation, paper), the status text and abort.
// The target decides where the pages go (printer, PDF, recording, images).
class TReport : public ReportCanvas
{
public:
    explicit TReport(std::unique_ptr<ReportTarget> target);
    ~TReport() override;

    ReportTarget &target() { return *target_; }
    const ReportTarget &target() const { return *target_; }
    // The target as its own class, or null when it is another kind.
    template <class T> T *targetAs() { return dynamic_cast<T *>(target_.get()); }

    // The job's name in the print spooler.
    QString title() const { return title_; }
    void setTitle(const QString &title) { title_ = title; }

    // Copies the device is asked to make of each page (at least 1). Only
    // targets that make copies themselves use it; for the others the caller
    // prints the pages again.
    int copies() const { return copies_; }
    void setCopies(int copies) { copies_ = std::max(1, copies); }
    bool targetHandlesCopies() const { return target_->handlesCopies(); }
    int maxCopies() const { return target_->maxCopies(); }

    // Take effect for the next document.
    TPrinterOrientation orientation() const { return target_->orientation(); }
    void setOrientation(TPrinterOrientation orientation);
    // Letter (1) or A4 (9); false and no change for any other code.
    bool setPaperSize(int paperCode);
    int paperSize() const;
    // Reads the device's resolution and margins again.
    void refreshMetrics();

    // The document. Page numbers count from 1; pageCount() is the number of
    // pages begun in the current or last document.
    bool beginDoc();
    bool newPage();
    bool endDoc();
    bool printing() const { return printing_; }
    // Which run of the document this is (0 first) for a target that has the
    // whole document drawn more than once (ReportTarget::passes); what a
    // handler keeps from one run may serve the next.
    int pass() const { return pass_; }
    int pageNumber() const { return pageNumber_; }
    int pageCount() const { return pageCount_; }

    // Throws the document away: nothing more is drawn or delivered.
    void abort();
    bool wasAborted() const { return aborted_; }
    // Whether the last run failed rather than finished or was aborted by the
    // user: the document could not be opened, a page could not be started,
    // the output could not be completed or a handler threw. A failed run
    // delivers nothing. failureReason() says why, in words for the user.
    bool failed() const { return failed_; }
    QString failureReason() const { return failureReason_; }

    // Runs a whole job: onBeforePrint (before the document opens, so it may
    // still change orientation and copies), then the document with onPrint
    // drawing its pages. False when the job was aborted or failed. An
    // exception from a handler fails the run, aborts the document and is
    // passed on.
    std::function<void(TReport &)> onBeforePrint;
    std::function<void(TReport &)> onPrint;
    bool run();

    // Status text: the format with %p replaced by the page number and %0 and
    // %1 by the first and second status lines; "\r" breaks a line.
    QString statusFormat() const { return statusFormat_; }
    void setStatusFormat(const QString &format) { statusFormat_ = format; }
    QStringList &statusText() { return statusText_; }
    const QStringList &statusText() const { return statusText_; }
    void setStatusLabel(QLabel *label);
    void setStatusHandler(std::function<void(const QString &)> handler) { statusHandler_ = std::move(handler); }
    QString currentStatus() const { return formatStatus(statusFormat_, pageNumber_, statusText_); }
    // Shows the current status on the label and hands it to the handler.
    void updateStatus();
    static QString formatStatus(const QString &format, int page, const QStringList &lines);

private:
    void fail(const QString &fallbackReason, const QString &reason = QString());

    std::unique_ptr<ReportTarget> target_;
    QString title_ = QStringLiteral("Karvello");
    int copies_ = 1;
    bool printing_ = false;
    bool aborted_ = false;
    bool failed_ = false;
    QString failureReason_;
    int pageNumber_ = 0;
    int pageCount_ = 0;
    int pass_ = 0;
    QString statusFormat_;
    QStringList statusText_;
    QPointer<QLabel> statusLabel_;
    std::function<void(const QString &)> statusHandler_;
};
