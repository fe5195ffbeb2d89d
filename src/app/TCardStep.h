#pragma once

#include "design/CardSnapshot.h"

#include <QUndoCommand>

class TUndoHistory;

// One step of the undo history: the card before and after one user action.
// Undoing and redoing put the whole card back through the history; a run
// of arrow-key nudges on the same selection folds into one step.
class TCardStep : public QUndoCommand
{
public:
    static constexpr int NudgeId = 0x4B564C;

    TCardStep(TUndoHistory &history, CardSnapshot before, CardSnapshot after, const QString &name,
              bool nudge);

    // The card is already as `after` shows it when the step is pushed, so
    // the first redo does nothing.
    void redo() override;
    void undo() override;
    int id() const override { return m_nudge ? NudgeId : -1; }
    bool mergeWith(const QUndoCommand *other) override;

    const CardSnapshot &Before() const { return m_before; }
    const CardSnapshot &After() const { return m_after; }
    bool Nudge() const { return m_nudge; }
    // What the step adds to the memory of the history.
    qsizetype Bytes() const { return m_bytes; }

private:
    TUndoHistory &m_history;
    CardSnapshot m_before;
    CardSnapshot m_after;
    bool m_nudge;
    bool m_applied = true;
    qsizetype m_bytes;
};
