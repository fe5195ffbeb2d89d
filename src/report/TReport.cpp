#include "report/TReport.h"

#include "report/ReportPaper.h"

#include <QLabel>
#include <QPainter>

#include <exception>

TReport::TReport(std::unique_ptr<ReportTarget> target) : target_(std::move(target))
{
    refreshMetrics();
}

TReport::~TReport()
{
    if (printing_)
        abort();
}

void TReport::setOrientation(TPrinterOrientation orientation)
{
    if (printing_)
        return;
    target_->setOrientation(orientation);
    setDeviceMetrics(target_->metrics());
}

bool TReport::setPaperSize(int paperCode)
{
    const auto size = ReportPaper::pageSize(paperCode);
    if (!size || printing_)
        return false;
    target_->setPaper(*size);
    setDeviceMetrics(target_->metrics());
    return true;
}

int TReport::paperSize() const { return ReportPaper::paperCode(target_->paper()); }

void TReport::refreshMetrics()
{
    if (printing_)
        return;
    target_->refreshMetrics();
    setDeviceMetrics(target_->metrics());
}

bool TReport::beginDoc()
{
    if (printing_)
        return false;
    aborted_ = false;
    failed_ = false;
    failureReason_.clear();
    pageNumber_ = 0;
    pageCount_ = 0;
    refreshMetrics();
    const int deviceCopies = targetHandlesCopies() ? std::min(copies_, maxCopies()) : 1;
    QPainter *painter = target_->beginDocument(title_, deviceCopies);
    if (!painter) {
        fail(QStringLiteral("The print job could not be started."));
        return false;
    }
    attach(painter);
    printing_ = true;
    pageNumber_ = pageCount_ = 1;
    updateStatus();
    return true;
}

bool TReport::newPage()
{
    if (!printing_ || aborted_)
        return false;
    if (!target_->newPage()) {
        fail(QStringLiteral("A new page could not be started."));
        abort();
        return false;
    }
    pageStarted();
    // A page starts unclipped; the clip stack itself is kept.
    clearClip();
    ++pageNumber_;
    ++pageCount_;
    updateStatus();
    return true;
}

bool TReport::endDoc()
{
    if (!printing_)
        return false;
    detach();
    printing_ = false;
    if (target_->endDocument())
        return true;
    fail(QStringLiteral("The print job could not be completed."));
    return false;
}

void TReport::fail(const QString &fallbackReason, const QString &reason)
{
    if (failed_)
        return; // the first failure is the one to report
    failed_ = true;
    QString why = reason.isEmpty() ? target_->errorString() : reason;
    failureReason_ = why.isEmpty() ? fallbackReason : why;
}

void TReport::abort()
{
    aborted_ = true;
    if (!printing_)
        return;
    detach();
    printing_ = false;
    target_->abortDocument();
}

bool TReport::run()
{
    aborted_ = false;
    failed_ = false;
    failureReason_.clear();
    pageNumber_ = 0;
    pageCount_ = 0;
    pass_ = 0;
    try {
        if (onBeforePrint)
            onBeforePrint(*this);
        for (;; ++pass_) {
            if (aborted_ || !beginDoc())
                return false;
            if (onPrint)
                onPrint(*this);
            if (aborted_ || pass_ + 1 >= target_->passes())
                break;
            if (!endDoc())
                return false;
        }
    } catch (const std::exception &e) {
        fail(QStringLiteral("The print job failed."), QString::fromLocal8Bit(e.what()));
        abort();
        throw;
    } catch (...) {
        const QString reason = QStringLiteral("The print job failed.");
        fail(reason, reason);
        abort();
        throw;
    }
    if (aborted_)
        return false;
    return endDoc();
}

void TReport::setStatusLabel(QLabel *label) { statusLabel_ = label; }

void TReport::updateStatus()
{
    const QString text = currentStatus();
    if (statusLabel_)
        statusLabel_->setText(text);
    if (statusHandler_)
        statusHandler_(text);
}

QString TReport::formatStatus(const QString &format, int page, const QStringList &lines)
{
    // One pass, so that a status line that itself holds "%p" stays as it is.
    QString result;
    result.reserve(format.size() + 16);
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        const QChar next = i + 1 < format.size() ? format.at(i + 1) : QChar();
        if (c == u'%' && (next == u'p' || next == u'P')) {
            result += QString::number(page);
            ++i;
        } else if (c == u'%' && (next == u'0' || next == u'1')) {
            const int index = next.digitValue();
            result += index < lines.size() ? lines.at(index) : QString();
            ++i;
        } else if (c == u'\r') {
            result += u'\n';
            if (next == u'\n')
                ++i;
        } else {
            result += c;
        }
    }
    return result;
}
