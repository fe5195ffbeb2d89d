#pragma once

#include "app/TMainCommand.h"
#include "design/CardSnapshot.h"

#include <QObject>
#include <QTimer>
#include <QUndoStack>

class TCardStep;
class TMainScreen;

// The main window's undo history. It keeps the card as it was after the
// last step; whenever a user action ends (a click, a key, a menu command
// with its dialog) and the card differs from that, the before and after
// become a step named after the command or the change. Changes reported
// outside any action are taken once the program is idle again (no dialog
// or menu open, no button held). Undo and redo rebuild the card from the
// step's snapshots; the changes-made flag follows the saved state.
//
// At most StepLimit steps are kept, and older steps go once they hold more
// than about ByteLimit() bytes between them.
class TUndoHistory : public QObject
{
    Q_OBJECT
public:
    static constexpr int StepLimit = 200;
    static constexpr qsizetype DefaultByteLimit = qsizetype(50) * 1024 * 1024;

    explicit TUndoHistory(TMainScreen &screen);
    ~TUndoHistory() override;

    QUndoStack &Stack() { return m_stack; }
    // The card as the last step left it.
    const CardSnapshot &Baseline() const { return m_baseline; }
    // The card now: the last step's snapshot, or a fresh one (sharing its
    // unchanged records) while a reported change has not become a step yet.
    // StreamError when an object cannot be written.
    CardSnapshot Current() const;

    // A fresh history from the card as it is ("New", "Open", "Cancel").
    void Reset();
    // The card as it is now is the last step, without a step of its own:
    // showing the other side of the card changes nothing.
    void Rebase();
    // The card as it is now is the saved document: a change the save made
    // (objects outside the card dropped) becomes a step first.
    void MarkSaved();
    // The card as it is now differs from any saved document (a recovered
    // card): no undo or redo makes it "saved" until it is saved.
    void MarkUnsaved();
    // Takes a step when the card differs from the last one; `name` empty
    // names it after the change.
    void Settle(const QString &name = QString(), bool nudge = false);
    // A change was reported: a step follows when the program is idle.
    void ChangeReported();

    void Undo();
    void Redo();

    // The step name of a main-window command (empty: named after the change).
    static QString CommandStepName(TMainCommand command);

    qsizetype ByteLimit() const { return m_byteLimit; }
    void SetByteLimit(qsizetype bytes);
    // The memory the steps hold, about.
    qsizetype Bytes() const;

    // For the steps: put the card back, and whether steps may fold together.
    void Restore(const CardSnapshot &snapshot);
    bool MergingAllowed() const { return !m_replaying; }

private:
    void PanelActionCompleted(const QString &name, bool nudge);
    void CheckWhenIdle();
    bool Idle() const;
    CardSnapshot TakeSnapshot(const CardSnapshot *previous) const;
    void ShowFlagOfStack();
    void UpdateMenuItems();
    void KeepWithinByteLimit();
    void DropOldest(int count);
    const TCardStep *Step(int index) const;

    TMainScreen &m_screen;
    QUndoStack m_stack;
    CardSnapshot m_baseline;
    QTimer m_idleCheck;
    qsizetype m_byteLimit = DefaultByteLimit;
    bool m_reported = false;  // a change report came since the last step
    bool m_restoring = false; // the history itself is changing the card
    bool m_replaying = false; // steps are being put back after dropping the oldest
    bool m_pushing = false;
};
