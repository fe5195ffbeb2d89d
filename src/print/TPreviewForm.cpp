#include "print/TPreviewForm.h"

#include "design/TGCursors.h"
#include "platform/ScreenMetrics.h"
#include "platform/UserDialogs.h"
#include "print/TPreviewPage.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr double ZoomStep = 1.25;

QToolButton *zoomButton(const QString &text, const QString &tip, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setText(text);
    button->setToolTip(tip);
    return button;
}

} // namespace

TPreviewForm::TPreviewForm(RecordedJob job, QWidget *parent)
    : QDialog(parent, Qt::Window | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint
                          | Qt::WindowCloseButtonHint),
      m_player(std::move(job))
{
    setWindowTitle(QStringLiteral("Label Preview"));
    BuildControls();
    resize(608, 424);
}

void TPreviewForm::BuildControls()
{
    auto *layout = new QVBoxLayout(this);
    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setAlignment(Qt::AlignCenter);
    ScrollBox1->setBackgroundRole(QPalette::Dark);
    PageImage = new TPreviewPage(m_player);
    const QCursor magnifier = TGCursors::cursorFor(TGCursors::crMagnify);
    PageImage->setCursor(magnifier);
    PageImage->installEventFilter(this);
    ScrollBox1->setWidget(PageImage);
    ScrollBox1->viewport()->setCursor(magnifier);
    ScrollBox1->viewport()->installEventFilter(this);
    layout->addWidget(ScrollBox1, 1);

    auto *bar = new QHBoxLayout;
    sbZoomIn = zoomButton(QStringLiteral("+"), QStringLiteral("Zoom in"), this);
    sbZoomOut = zoomButton(QStringLiteral("-"), QStringLiteral("Zoom out"), this);
    sbZoomPageWidth = zoomButton(QStringLiteral("\u2194"), QStringLiteral("Page width"), this);
    sbZoomPage = zoomButton(QStringLiteral("\u25a1"), QStringLiteral("Whole page"), this);
    for (QToolButton *b : {sbZoomIn, sbZoomOut, sbZoomPageWidth, sbZoomPage})
        bar->addWidget(b);
    bar->addStretch(1);
    auto *help = new QPushButton(QStringLiteral("Help"), this);
    auto *close = new QPushButton(QStringLiteral("Ok"), this);
    close->setDefault(true);
    bar->addWidget(help);
    bar->addWidget(close);
    layout->addLayout(bar);
    connect(sbZoomIn, &QToolButton::clicked, this, &TPreviewForm::SBZoomInClick);
    connect(sbZoomOut, &QToolButton::clicked, this, &TPreviewForm::SBZoomOutClick);
    connect(sbZoomPageWidth, &QToolButton::clicked, this, &TPreviewForm::SBZoomPageWidthClick);
    connect(sbZoomPage, &QToolButton::clicked, this, &TPreviewForm::SBZoomPageClick);
    connect(help, &QPushButton::clicked, this, &TPreviewForm::HelpButtonClick);
    connect(close, &QPushButton::clicked, this, &TPreviewForm::CloseButtonClick);
}

void TPreviewForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TPreviewForm::FormActivate()
{
    if (!m_firstActivation)
        return;
    m_firstActivation = false;
    if (RestorePlacement)
        RestorePlacement(*this);
    SetCurrentPage(1);
    SetZoomFactor(100);
}

QSizeF TPreviewForm::PagePixels(double zoom) const
{
    const QSizeF inches = m_player.pageSizeInches();
    const double scale = ScreenMetrics::pixelsPerInch() * zoom / 100.0;
    return inches * scale;
}

int TPreviewForm::PageWidthFactor() const
{
    const double available = ScrollBox1->viewport()->width() * (1 - 2 * MarginPercent / 100) - ShadowDepth;
    const double page = PagePixels(100).width();
    return page > 0 ? std::clamp(int(available / page * 100), MinimumZoom, MaximumZoom) : 100;
}

int TPreviewForm::WholePageFactor() const
{
    const QSize view = ScrollBox1->viewport()->size();
    const QSizeF page = PagePixels(100);
    if (page.isEmpty())
        return 100;
    const double fit = 1 - 2 * MarginPercent / 100;
    const double w = (view.width() * fit - ShadowDepth) / page.width();
    const double h = (view.height() * fit - ShadowDepth) / page.height();
    return std::clamp(int(std::min(w, h) * 100), MinimumZoom, MaximumZoom);
}

void TPreviewForm::SetZoomFactor(int percent)
{
    m_zoom = std::clamp(percent, MinimumZoom, MaximumZoom);
    FilePreview1ZoomChange();
}

void TPreviewForm::SBZoomInClick()
{
    SetZoomFactor(std::max(m_zoom + 1, int(m_zoom * ZoomStep)));
}

void TPreviewForm::SBZoomOutClick()
{
    SetZoomFactor(std::min(m_zoom - 1, int(m_zoom / ZoomStep)));
}

void TPreviewForm::SetCurrentPage(int page)
{
    m_page = std::clamp(page, 1, std::max(1, PageCount()));
    FilePreview1PageChange();
    FilePreview1ZoomChange();
}

void TPreviewForm::FilePreview1PageChange()
{
    setWindowTitle(QStringLiteral("Preview Page %1 of %2").arg(m_page).arg(PageCount()));
}

// Lays the page out with a margin around it and a shadow under its corner;
// the page widget draws what is visible of it.
void TPreviewForm::FilePreview1ZoomChange()
{
    const QSize page = PagePixels(m_zoom).toSize();
    const int margin = int(std::max(page.width(), page.height()) * MarginPercent / 100);
    PageImage->ShowPage(m_page - 1, page, margin, ShadowDepth);
}

void TPreviewForm::ScrollBox1MouseDown(Qt::MouseButton button)
{
    if (button == Qt::LeftButton)
        SBZoomInClick();
    else
        SBZoomOutClick();
}

bool TPreviewForm::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == PageImage || watched == ScrollBox1->viewport()) && event->type() == QEvent::MouseButtonPress) {
        ScrollBox1MouseDown(static_cast<QMouseEvent *>(event)->button());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

bool TPreviewForm::FormKeyDown(int key)
{
    QScrollBar *bar = ScrollBox1->verticalScrollBar();
    if (key == Qt::Key_Up) {
        bar->setValue(std::max(0, bar->value() - bar->singleStep()));
        return true;
    }
    if (key == Qt::Key_Down) {
        bar->setValue(std::min(bar->maximum(), bar->value() + bar->singleStep()));
        return true;
    }
    return false;
}

void TPreviewForm::keyPressEvent(QKeyEvent *event)
{
    if (!FormKeyDown(event->key()))
        QDialog::keyPressEvent(event);
}

void TPreviewForm::done(int result)
{
    if (!m_finished && SavePlacement)
        SavePlacement(*this);
    m_finished = true;
    QDialog::done(result);
}

void TPreviewForm::HelpButtonClick()
{
    UserDialogs::showHelp(2039);
}
