#include "print/TLabelPrinter.h"

#include "platform/UserDialogs.h"
#include "print/TCardSheetPrinter.h"
#include "report/PdfTarget.h"
#include "report/TReport.h"

#include <QDir>

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

TLabelPrinter::TLabelPrinter(TCardSheetPrinter &sheet, TReport &job, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_sheet(sheet), m_job(job)
{
    setObjectName(QStringLiteral("LabelPrinter"));
    m_sheet.StopRequested = false;
    BuildControls();
    const bool printing = m_sheet.Printing;
    setWindowTitle(printing ? QStringLiteral("Print Status") : QStringLiteral("Preview Status"));
    CancelButton->setText(printing ? QStringLiteral("Cancel") : QStringLiteral("Stop"));
}

void TLabelPrinter::BuildControls()
{
    auto *layout = new QVBoxLayout(this);
    RStatusLabel = new QLabel(this);
    RStatusLabel->setAlignment(Qt::AlignCenter);
    RStatusLabel->setWordWrap(true);
    RStatusLabel->setMinimumSize(300, 100);
    Extralabel = new QLabel(this);
    Extralabel->setAlignment(Qt::AlignCenter);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    layout->addWidget(RStatusLabel);
    layout->addWidget(Extralabel);
    layout->addWidget(CancelButton, 0, Qt::AlignCenter);
    connect(CancelButton, &QPushButton::clicked, this, &TLabelPrinter::CancelButtonClick);
    setFixedSize(sizeHint());
}

void TLabelPrinter::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_started)
        QTimer::singleShot(0, this, &TLabelPrinter::FormActivate);
}

void TLabelPrinter::ConnectJob()
{
    m_job.setStatusLabel(RStatusLabel);
    m_job.onBeforePrint = [this](TReport &job) { m_sheet.BeforePrintLabels(job); };
    m_job.onPrint = [this](TReport &job) { m_sheet.PrintLabels(job); };
    m_sheet.OnCard = [this](int card) {
        Extralabel->setText(QStringLiteral("Card %1").arg(card));
        m_job.updateStatus();
        QCoreApplication::processEvents();
    };
    m_sheet.AfterCard = [] { QCoreApplication::processEvents(); };
}

void TLabelPrinter::FormActivate()
{
    if (m_started)
        return;
    m_started = true;
    setWindowTitle(m_sheet.Printing ? QStringLiteral("Print Status ") : QStringLiteral("Preview Status"));
    ConnectJob();
    m_sheet.LoadBackGround();
    m_running = true;
    try {
        m_job.run();
    } catch (...) {
        // The job has recorded the failure and discarded the document.
    }
    m_running = false;
    m_job.onBeforePrint = nullptr;
    m_job.onPrint = nullptr;
    QCoreApplication::processEvents();
    Extralabel->clear();
    CancelButton->setText(QStringLiteral("OK"));
    // The file name goes in as a status line: a "%p" in it is no page number.
    if (const auto *pdf = m_job.targetAs<PdfTarget>())
        m_job.statusText() = QStringList{QDir::toNativeSeparators(pdf->fileName())};
    m_job.setStatusFormat(FinalText());
    m_job.updateStatus();
    setFixedSize(sizeHint().expandedTo(size())); // room for a long file name
    if (JobFailed())
        UserDialogs::current().error(FailureText());
    if (m_closeWhenDone)
        done(QDialog::Rejected);
}

bool TLabelPrinter::JobFailed() const
{
    return m_job.failed();
}

QString TLabelPrinter::FailureText() const
{
    const QString reason = m_job.failureReason();
    return (m_sheet.Printing ? QStringLiteral("The business cards could not be printed.\n\n")
                             : QStringLiteral("The business card preview could not be prepared.\n\n"))
        + reason;
}

bool TLabelPrinter::JobAborted() const
{
    return m_job.wasAborted();
}

QString TLabelPrinter::FinalText() const
{
    const bool printing = m_sheet.Printing;
    if (m_job.failed())
        return printing ? QStringLiteral("\rBusiness Card Print Failed!")
                        : QStringLiteral("\rBusiness Card Preview Failed!");
    if (m_job.wasAborted())
        return printing ? QStringLiteral("\rBusiness Card Print Canceled!")
                        : QStringLiteral("\rBusiness Card Preview Canceled!");
    if (m_sheet.StopRequested)
        return QStringLiteral("\rPreview Stopped at page %p!");
    const bool complex = m_sheet.HasComplexObjects();
    if (printing && m_job.targetAs<PdfTarget>())
        return QStringLiteral("Print job completed!\r\rThe cards were written to the PDF file\r%0");
    if (printing) {
        if (complex)
            return QStringLiteral("Print job completed and sent to printer!\r\rNote: this design contains "
                                  "complex shapes or text.\rPlease be patient while the printer produces "
                                  "its\routput...");
        return QStringLiteral("Print job completed and sent to printer!");
    }
    if (complex)
        return QStringLiteral("Business Card preview ready to view!\r\rNote: To save time, only a single "
                              "card is previewed\r\r** This design contains complex shapes or text.\rPlease "
                              "be patient while the previewer prepares\rthe viewing page");
    return QStringLiteral("\rBusiness Card preview ready!\r\rNote: To save time, only a single card is "
                          "previewed");
}

void TLabelPrinter::CancelButtonClick()
{
    if (!m_running) {
        done(QDialog::Rejected);
        return;
    }
    m_closeWhenDone = true;
    if (m_sheet.Printing) {
        if (UserDialogs::current().ask(QStringLiteral("Cancel Business Card Printing?"),
                                       QStringLiteral("Information")))
            m_job.abort();
        return;
    }
    m_sheet.StopRequested = true;
    m_job.abort();
    m_job.setStatusFormat(QStringLiteral("\rCancelling...!"));
    m_job.updateStatus();
    QCoreApplication::processEvents();
}

// Escape and the close button act like the Cancel button; the window never
// closes under a running job.
void TLabelPrinter::reject()
{
    CancelButtonClick();
}
