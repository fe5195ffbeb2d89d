#pragma once

#include "report/ReportPlayer.h"

#include <QDialog>

#include <functional>

class QScrollArea;
class QToolButton;
class TPreviewPage;

// "Label Preview": shows a recorded print job page by page, zoomed in and
// out with the buttons or by clicking the page (left: in, right: out). The
// page draws only its visible part (TPreviewPage), so any zoom is cheap.
class TPreviewForm : public QDialog
{
    Q_OBJECT
public:
    static constexpr double MarginPercent = 2.5;
    static constexpr int ShadowDepth = 5;
    static constexpr int MinimumZoom = 10;
    static constexpr int MaximumZoom = 800;

    explicit TPreviewForm(RecordedJob job, QWidget *parent = nullptr);

    // Where the window was last time; set by the caller (the settings file).
    std::function<void(QWidget &)> RestorePlacement;
    std::function<void(QWidget &)> SavePlacement;

    QScrollArea *ScrollBox1 = nullptr;
    TPreviewPage *PageImage = nullptr;
    QToolButton *sbZoomIn = nullptr;
    QToolButton *sbZoomOut = nullptr;
    QToolButton *sbZoomPageWidth = nullptr;
    QToolButton *sbZoomPage = nullptr;

    // Zoom in percent: 100 shows one page inch as one screen inch.
    int ZoomFactor() const { return m_zoom; }
    void SetZoomFactor(int percent);
    int PageWidthFactor() const;
    int WholePageFactor() const;
    int CurrentPage() const { return m_page; }
    int PageCount() const { return m_player.pageCount(); }
    void SetCurrentPage(int page);

    void FormActivate();
    void SBZoomInClick();
    void SBZoomOutClick();
    void SBZoomPageWidthClick() { SetZoomFactor(PageWidthFactor()); }
    void SBZoomPageClick() { SetZoomFactor(WholePageFactor()); }
    void ScrollBox1MouseDown(Qt::MouseButton button);
    // Arrow keys scroll; true when the key was used.
    bool FormKeyDown(int key);
    void CloseButtonClick() { accept(); }
    void HelpButtonClick();

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void BuildControls();
    void FilePreview1PageChange();
    void FilePreview1ZoomChange();
    QSizeF PagePixels(double zoom) const;

    ReportPlayer m_player;
    int m_zoom = 100;
    int m_page = 1;
    bool m_firstActivation = true;
    bool m_finished = false;
};
