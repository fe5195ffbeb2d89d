#pragma once

#include "design/TLPanelState.h"

#include <QList>
#include <QToolBar>

class QLabel;
class QToolButton;

// The main window's tool bar: the tool buttons (one group in which at most
// one is down and a second click releases the pressed one), the background
// art button, the grid toggles and the zoom buttons with their read-out.
class TMainToolBar : public QToolBar
{
    Q_OBJECT
public:
    explicit TMainToolBar(QWidget *parent = nullptr);

    // The hint of a tool as the user sees it: "\r" breaks the line.
    static QString HintText(const QString &hint);

    QToolButton *ToolButton(TLPanelState state) const;
    // The pressed tool, or none when every tool button is up.
    std::optional<TLPanelState> PressedTool() const;
    // Presses one tool's button and releases the others (no signal).
    void PressTool(TLPanelState state);
    void SetZoomText(const QString &text);

    QToolButton *Pointerbutton = nullptr;
    QToolButton *DrawLabelButton = nullptr;
    QToolButton *DrawMLTextButton = nullptr;
    QToolButton *DrawSymbolButton = nullptr;
    QToolButton *DrawRectanglebutton = nullptr;
    QToolButton *DrawEllipseButton = nullptr;
    QToolButton *DrawRoundrectbutton = nullptr;
    QToolButton *DrawLinebutton = nullptr;
    QToolButton *DrawImageButton = nullptr;
    QToolButton *DrawSupershape = nullptr;
    QToolButton *DrawRichText = nullptr;
    QToolButton *DrawSuperTextButton = nullptr;
    QToolButton *DrawCircleTextbutton = nullptr;
    QToolButton *DrawQRCodeButton = nullptr;
    QToolButton *SetBackgroundArtButton = nullptr;
    QToolButton *ShowGrid = nullptr;
    QToolButton *SnapToGrid = nullptr;
    QToolButton *FontSizeDown = nullptr;
    QToolButton *FontSizeUp = nullptr;
    QLabel *ZoomCaption = nullptr;

signals:
    // A tool button was clicked; `down` is its state after the click.
    void ToolClicked(TLPanelState state, bool down);
    void BackgroundArtClicked();
    void ShowGridClicked(bool down);
    void SnapToGridClicked(bool down);
    void ZoomOutClicked();
    void ZoomInClicked();

private:
    QToolButton *AddButton(const QString &icon, const QString &hint, bool checkable);
    void AddToolButtons();
    void ToolButtonClicked(TLPanelState state, bool down);

    QList<QToolButton *> m_tools; // in TLPanelState order
};
