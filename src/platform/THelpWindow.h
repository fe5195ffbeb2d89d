#pragma once

#include <QUrl>
#include <QWidget>

class QTextBrowser;
class QToolButton;

// The help viewer: one window showing the help pages from the program's
// resources, with back, forward and contents buttons. Links between pages
// stay inside it; links to web addresses open in the browser.
class THelpWindow : public QWidget
{
    Q_OBJECT
public:
    // The one help window, made on first use.
    static THelpWindow &instance();
    // The window when it has been made (tests), otherwise null.
    static THelpWindow *existing();

    void ShowPage(const QUrl &page);
    QUrl CurrentPage() const;
    QString CurrentTitle() const;

private:
    explicit THelpWindow(QWidget *parent = nullptr);
    void UpdateCaption();

    QTextBrowser *m_browser = nullptr;
    QToolButton *m_back = nullptr;
    QToolButton *m_forward = nullptr;
};
