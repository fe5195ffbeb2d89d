#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class TCardSheetPrinter;
class TReport;

// The status window of a print run ("Print Status" / "Preview Status"): runs
// the job when it is first shown, shows the page and card being printed,
// lets the user cancel a print or stop a preview, and ends with a final text
// and an "OK" button.
class TLabelPrinter : public QDialog
{
    Q_OBJECT
public:
    TLabelPrinter(TCardSheetPrinter &sheet, TReport &job, QWidget *parent = nullptr);

    QLabel *RStatusLabel = nullptr;
    QLabel *Extralabel = nullptr;
    QPushButton *CancelButton = nullptr;

    // Runs the job (once) and shows the final text.
    void FormActivate();
    void CancelButtonClick();

    bool JobRunning() const { return m_running; }
    bool JobAborted() const;
    // The job could not be run to its end (see TReport::failed); an error
    // box with FailureText() has told the user why.
    bool JobFailed() const;
    QString FailureText() const;
    // The final text for the way the job ended (before %p is filled in; a
    // PDF file's name is status line %0).
    QString FinalText() const;

protected:
    void showEvent(QShowEvent *event) override;
    void reject() override;

private:
    void BuildControls();
    void ConnectJob();

    TCardSheetPrinter &m_sheet;
    TReport &m_job;
    bool m_started = false;
    bool m_running = false;
    bool m_closeWhenDone = false;
};
