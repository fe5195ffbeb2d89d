#pragma once

#include "design/TLPanelState.h"

#include <QObject>
#include <QPoint>

class QAction;
class QLabel;
class TMainScreen;

// Today's editing habits in the main window, added beside its own menus:
// the Edit menu's clipboard and selection commands, the View menu's zoom
// and "Smooth drawing" entries, Ctrl+wheel zooming about the cursor, a
// letter for each drawing tool while the card has the focus, and the status
// bar with the selected object and the zoom. Made by the window itself.
class TEditingCommands : public QObject
{
    Q_OBJECT
public:
    explicit TEditingCommands(TMainScreen &window);

    QAction *CutItem = nullptr;
    QAction *CopyItem = nullptr;
    QAction *PasteItem = nullptr;
    QAction *DuplicateItem = nullptr;
    QAction *DeleteSelectionItem = nullptr;
    QAction *SelectAllItem = nullptr;
    QAction *PropertiesItem = nullptr;
    QAction *ActualSizeItem = nullptr;
    QAction *FitCardItem = nullptr;
    QAction *SmoothDrawingItem = nullptr;
    QLabel *SelectionText = nullptr;
    QLabel *ZoomText = nullptr;

    // The single letter that picks a tool while the card has the focus.
    static QChar ToolLetter(TLPanelState state);

    // Zooms so that the card point under `viewportPos` (a point of the
    // scroll area's viewport) stays under it.
    void ZoomAbout(float zoom, QPoint viewportPos);
    // The largest zoom at which the whole card shows.
    float FittingZoom() const;
    void FitCard();
    void SetSmoothDrawing(bool on);
    void UpdateItems();
    void UpdateStatus();
    // Wide enough for the whole tool bar, tall enough for a 100 % card.
    // Run again when the window first shows: the print, template and other
    // commands made after this one add tool-bar buttons of their own.
    void SizeFirstWindow();
    // "Rectangle", "Text", ... for the status bar.
    static QString KindName(const class TGGraphicControl &object);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void AddEditItems();
    void AddViewItems();
    void AddStatusBar();
    void AddToolLetters();
    void OpenSelectedProperties();

    TMainScreen &m_window;
};
