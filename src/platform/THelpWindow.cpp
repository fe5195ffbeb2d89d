#include "platform/THelpWindow.h"

#include <QHBoxLayout>
#include <QPointer>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/HelpTopics.h"

namespace {
QPointer<THelpWindow> &theWindow()
{
    static QPointer<THelpWindow> window;
    return window;
}
} // namespace

THelpWindow &THelpWindow::instance()
{
    if (!theWindow())
        theWindow() = new THelpWindow;
    return *theWindow();
}

THelpWindow *THelpWindow::existing()
{
    return theWindow();
}

THelpWindow::THelpWindow(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setAttribute(Qt::WA_DeleteOnClose);
    resize(640, 520);
    m_browser = new QTextBrowser(this);
    // Pages link to each other inside the window; web addresses go to the browser.
    m_browser->setOpenLinks(true);
    m_browser->setOpenExternalLinks(true);

    auto *contents = new QToolButton(this);
    contents->setText(tr("Contents"));
    connect(contents, &QToolButton::clicked, this, [this] { ShowPage(HelpContentsPage()); });
    m_back = new QToolButton(this);
    m_back->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
    m_back->setToolTip(tr("Back"));
    m_forward = new QToolButton(this);
    m_forward->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
    m_forward->setToolTip(tr("Forward"));
    connect(m_back, &QToolButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QToolButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QToolButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QToolButton::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &THelpWindow::UpdateCaption);
    m_back->setEnabled(false);
    m_forward->setEnabled(false);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addWidget(m_back);
    buttons->addWidget(m_forward);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_browser);
}

void THelpWindow::ShowPage(const QUrl &page)
{
    // Links to the web are handed to the browser, not loaded here.
    if (page.scheme() == QLatin1String("http") || page.scheme() == QLatin1String("https"))
        return;
    m_browser->setSource(page);
    UpdateCaption();
    show();
    raise();
    activateWindow();
}

QUrl THelpWindow::CurrentPage() const
{
    return m_browser->source();
}

QString THelpWindow::CurrentTitle() const
{
    return m_browser->documentTitle();
}

void THelpWindow::UpdateCaption()
{
    const QString title = m_browser->documentTitle();
    setWindowTitle(title.isEmpty() ? tr("Karvello Help")
                                   : tr("Karvello Help - %1").arg(title));
}
