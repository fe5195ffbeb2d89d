#include "app/TCardStep.h"

#include "app/TUndoHistory.h"

TCardStep::TCardStep(TUndoHistory &history, CardSnapshot before, CardSnapshot after,
                     const QString &name, bool nudge)
    : m_history(history),
      m_before(std::move(before)),
      m_after(std::move(after)),
      m_nudge(nudge),
      m_bytes(m_after.BytesBeyond(m_before))
{
    setText(name);
}

void TCardStep::redo()
{
    if (m_applied) {
        m_applied = false;
        return;
    }
    m_history.Restore(m_after);
}

void TCardStep::undo()
{
    m_history.Restore(m_before);
}

bool TCardStep::mergeWith(const QUndoCommand *other)
{
    const auto *next = static_cast<const TCardStep *>(other);
    if (!m_history.MergingAllowed() || !m_nudge || !next->m_nudge
        || m_before.selection != next->m_before.selection || !m_after.SameCard(next->m_before))
        return false;
    m_after = next->m_after;
    m_bytes = m_after.BytesBeyond(m_before);
    setText(CardSnapshot::ChangeName(m_before, m_after));
    // Nudged back to where the run began: nothing is left to undo.
    setObsolete(m_after.SameCard(m_before));
    return true;
}
