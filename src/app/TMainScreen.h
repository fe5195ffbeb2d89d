#pragma once

#include "app/Preferences.h"
#include "app/TMainCommand.h"
#include "design/CardSides.h"
#include "design/SheetLayout.h"

#include <QHash>
#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>

class QPushButton;
class QScrollArea;
class TCardExport;
class TFileCommands;
class TGBusinessCardPanel32;
class TMainMenus;
class TMainToolBar;
class TMRUFileList;
class TUndoHistory;

// The main window: the tool bar, the card in its scroll area, the bottom bar
// with the save and cancel buttons, and the menus. It holds what belongs to
// the card being designed (document and background paths, sheet layout,
// changes made) and the program's preferences.
class TMainScreen : public QMainWindow
{
    Q_OBJECT
public:
    static constexpr int CardPositionCount = 22;

    explicit TMainScreen(QWidget *parent = nullptr);
    ~TMainScreen() override;

    // Placement, card size, the last document reopened, buttons: once, when
    // the window first shows. Later calls only repaint the card.
    void FormActivate();
    // Another copy of the program asked for the window.
    void BringForward();

    // The parts of the window.
    TGBusinessCardPanel32 *BusinessCardPanel = nullptr;
    QScrollArea *ScrollBox1 = nullptr;
    TMainToolBar *ToolBar = nullptr;
    QWidget *Panel1 = nullptr;
    QPushButton *Savebutton = nullptr;
    QPushButton *Cancelbutton = nullptr;
    TMainMenus *Menus = nullptr;
    TMRUFileList *RecentFiles = nullptr;
    TUndoHistory *History = nullptr;

    // The card being designed.
    QString DocumentPath() const { return m_documentPath; }
    void SetDocumentPath(const QString &path) { m_documentPath = path; }
    QString BackgroundPath() const { return m_backgroundPath; }
    void SetBackgroundPath(const QString &path) { m_backgroundPath = path; }
    const SheetLayoutSetting &Layout() const { return m_layout; }
    void SetLayout(const SheetLayoutSetting &layout) { m_layout = layout; }
    // The card's back and the side not on the panel.
    const CardSides &Sides() const { return m_sides; }
    void SetSides(const CardSides &sides);
    std::array<bool, CardPositionCount> &CardPositions() { return m_positions; }
    bool PrinterIsAvailable() const { return m_printerAvailable; }

    bool ChangesMade() const { return m_changesMade; }
    void SetChangesMade(bool value);
    // Clears the flag and leaves the buttons as they are.
    void ClearChangesFlag();
    bool Loading() const { return m_loading; }
    void SetLoading(bool value) { m_loading = value; }

    // "Save changes?" when something changed. False when the user cancelled
    // the question, or wanted to save but the card was not saved (dialog
    // cancelled, write failed): the caller then must not throw the card away.
    bool CheckSaveNeeded();
    void UpdateButtons();

    // The "Printer" and "Default Font" sections, the default layout and the
    // personal information in the settings file.
    TPreferences &Preferences() { return m_preferences; }
    void LoadPreferences();
    bool SavePreferences();
    void LoadLayoutPreferences();
    bool SaveLayoutPreferences();
    void ReadPersonalInformation();

    // The card's size from the layout in the panel's orientation, and a new
    // orientation (the background turns with the card).
    void SizeCardFromLayout();
    void ApplyOrientation(bool portrait);

    // The layout dialog's result: card size and orientation; the card has changed.
    void ApplyLayout(const SheetLayoutSetting &layout);

    // Zoom steps from 25 % to 800 % (ZoomSteps); none of it counts as a change.
    void ZoomIn();
    void ZoomOut();
    void SetZoom(float zoom);
    QString ZoomText() const;

    // Opening and saving a card document as the current one.
    void OpenDocument(const QString &path);
    bool SaveDocument(const QString &path);
    // Opens the recovery copy whose front is `copyPath` as the card
    // `original` (empty: a new card) with unsaved changes, showing its back
    // when `backShown`. The title says "(recovered)" until the card is
    // saved or another one takes its place. False (nothing changed) when
    // the copy cannot be read, with the reason in `error`.
    bool OpenRecovered(const QString &copyPath, const QString &original, bool backShown,
                       QString *error = nullptr);
    bool Recovered() const { return m_recovered; }
    void SetRecovered(bool value);

    // Commands whose dialogs live elsewhere; one without a handler says so.
    void SetCommandHandler(TMainCommand command, std::function<void()> handler);
    void RunCommand(TMainCommand command);

    TFileCommands &FileCommands() { return *m_files; }
    TCardExport &CardExport() { return *m_export; }

signals:
    // The card gained or lost its back, or the other side is shown.
    void SidesChanged();
    // The changes-made flag turned on or off.
    void ChangesMadeChanged(bool changesMade);

public slots:
    void NewBlankClick();
    void OpenClick();
    void DeleteClick();
    void SaveClick();
    void SaveAsClick();
    void SaveAsBitmapClick();
    void SaveAsJpgClick();
    void ExitClick();
    void DefaultFontClick();
    void SaveLayoutAsDefaultClick();
    void ChangeLayoutClick();
    void SavebuttonClick();
    void CancelbuttonClick();
    void AboutClick();
    void RecentFileClicked(const QString &path);
    void BusinessCardPanelLabelChangedEvent();
    void BusinessCardPanelDroppedObjectEvent();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    void BuildCardArea();
    void BuildBottomBar();
    void ConnectToolBar();
    void ConnectMenus();
    void ConnectCommandItem(QAction *item, TMainCommand command);
    void UpdateDefaultFontCaption();
    bool FormKeyDown(int key);
    bool FormKeyUp(int key, Qt::KeyboardModifiers modifiers);
    void StoreChangesMade(bool value);

    std::unique_ptr<TFileCommands> m_files;
    std::unique_ptr<TCardExport> m_export;
    QString m_documentPath;
    QString m_backgroundPath;
    SheetLayoutSetting m_layout;
    CardSides m_sides;
    TPreferences m_preferences;
    std::array<bool, CardPositionCount> m_positions;
    QHash<int, std::function<void()>> m_commands;
    bool m_changesMade = false;
    bool m_recovered = false;
    bool m_loading = true;
    bool m_activated = false;
    bool m_printerAvailable = false;
};
