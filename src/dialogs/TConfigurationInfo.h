#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;
class QPlainTextEdit;
class QPushButton;

// "Configuration Information": the report of the program and the computer
// for support requests, to copy to the clipboard or save as a text file.
// Nothing is sent anywhere.
class TConfigurationInfo : public QDialog
{
    Q_OBJECT
public:
    // `programFolder` is where "Save As..." starts.
    TConfigurationInfo(const QStringList &lines, const QString &programFolder,
                       QWidget *parent = nullptr);

    QStringList Lines() const { return m_lines; }

    QLabel *Explanation = nullptr;
    QPlainTextEdit *Memo1 = nullptr;
    QPushButton *Button1 = nullptr; // "Copy to Clipboard"
    QPushButton *Button3 = nullptr; // "Save As..."
    QPushButton *Button2 = nullptr; // "Close"

    // The caret at the start of the report, scrolled into view.
    void FormActivate();
    void Button1Click();
    void Button2Click();
    // False when the dialog was cancelled or the file could not be written.
    bool Button3Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QStringList m_lines;
    QString m_programFolder;
};
