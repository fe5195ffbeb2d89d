#include "app/TUndoHistory.h"

#include "app/TCardStep.h"
#include "app/TMainMenus.h"
#include "app/TMainScreen.h"
#include "design/TGBusinessCardPanel32.h"
#include "design/TGHandle.h"
#include "design/stream/StreamError.h"
#include "platform/UserDialogs.h"

#include <QAction>
#include <QApplication>

#include <functional>
#include <utility>

namespace {

// While a dialog or menu is open, a button held or a drawing tool at work,
// an action is still going on: look again this much later.
constexpr int kIdlePollMs = 50;

// The card when it can be written; otherwise an empty one, so that the
// next step holds whatever can be.
CardSnapshot snapshotOrEmpty(const std::function<CardSnapshot()> &take)
{
    try {
        return take();
    } catch (const StreamError &) {
        return CardSnapshot();
    }
}

QString withoutAccelerator(const QString &caption)
{
    return QString(caption).remove(QLatin1Char('&'));
}

} // namespace

TUndoHistory::TUndoHistory(TMainScreen &screen) : QObject(&screen), m_screen(screen)
{
    m_stack.setUndoLimit(StepLimit);
    m_idleCheck.setSingleShot(true);
    connect(&m_idleCheck, &QTimer::timeout, this, &TUndoHistory::CheckWhenIdle);
    connect(screen.BusinessCardPanel, &TGBasePanel::ActionCompleted, this,
            &TUndoHistory::PanelActionCompleted);
    connect(&m_stack, &QUndoStack::indexChanged, this, [this] {
        if (!m_pushing && !m_restoring && !m_replaying)
            ShowFlagOfStack();
        UpdateMenuItems();
    });
    connect(&m_stack, &QUndoStack::cleanChanged, this, &TUndoHistory::UpdateMenuItems);
    connect(screen.Menus->UndoItem, &QAction::triggered, this, &TUndoHistory::Undo);
    connect(screen.Menus->RedoItem, &QAction::triggered, this, &TUndoHistory::Redo);
    m_baseline = snapshotOrEmpty([this] { return TakeSnapshot(nullptr); });
    UpdateMenuItems();
}

TUndoHistory::~TUndoHistory()
{
    // The stack clears itself when it goes, after the window's menus.
    disconnect(&m_stack, nullptr, this, nullptr);
}

QString TUndoHistory::CommandStepName(TMainCommand command)
{
    switch (command) {
    case TMainCommand::NewFromTemplate: return QStringLiteral("New From Template");
    case TMainCommand::ChangeAllFonts: return QStringLiteral("Change All Fonts");
    case TMainCommand::BackgroundArt: return QStringLiteral("Background Art");
    default: return QString();
    }
}

CardSnapshot TUndoHistory::TakeSnapshot(const CardSnapshot *previous) const
{
    CardSnapshot s = CardSnapshot::Take(*m_screen.BusinessCardPanel, m_screen.Layout(),
                                        m_screen.BackgroundPath(), previous);
    s.sides = m_screen.Sides();
    if (previous && s.sides.HiddenObjects == previous->sides.HiddenObjects)
        s.sides.HiddenObjects = previous->sides.HiddenObjects;
    return s;
}

void TUndoHistory::Rebase()
{
    m_idleCheck.stop();
    m_reported = false;
    m_screen.BusinessCardPanel->TakeActionHint();
    m_baseline = snapshotOrEmpty([this] { return TakeSnapshot(&m_baseline); });
}

void TUndoHistory::Reset()
{
    m_idleCheck.stop();
    m_replaying = true;
    m_stack.clear();
    m_replaying = false;
    m_reported = false;
    m_screen.BusinessCardPanel->TakeActionHint();
    m_baseline = snapshotOrEmpty([this] { return TakeSnapshot(nullptr); });
    UpdateMenuItems();
}

void TUndoHistory::MarkSaved()
{
    Settle();
    m_stack.setClean();
}

void TUndoHistory::MarkUnsaved()
{
    Settle();
    m_stack.resetClean();
    ShowFlagOfStack();
}

CardSnapshot TUndoHistory::Current() const
{
    if (!m_reported && !m_idleCheck.isActive())
        return m_baseline;
    return TakeSnapshot(&m_baseline);
}

void TUndoHistory::ChangeReported()
{
    if (m_restoring)
        return;
    m_reported = true;
    // An action in progress takes its step when it ends.
    if (!m_screen.BusinessCardPanel->InAction())
        m_idleCheck.start(0);
}

void TUndoHistory::PanelActionCompleted(const QString &name, bool nudge)
{
    if (!m_restoring)
        Settle(name, nudge);
}

bool TUndoHistory::Idle() const
{
    const TGBusinessCardPanel32 &panel = *m_screen.BusinessCardPanel;
    return !m_screen.Loading() && !QApplication::activeModalWidget()
        && !QApplication::activePopupWidget() && QGuiApplication::mouseButtons() == Qt::NoButton
        && !panel.Handle()->Dragging() && !panel.RubberBandActive() && panel.Pointing();
}

void TUndoHistory::CheckWhenIdle()
{
    if (m_screen.BusinessCardPanel->InAction())
        return;
    if (!Idle()) {
        m_idleCheck.start(kIdlePollMs);
        return;
    }
    Settle();
}

void TUndoHistory::Settle(const QString &name, bool nudge)
{
    m_idleCheck.stop();
    if (m_restoring || m_replaying)
        return;
    const QString hint = m_screen.BusinessCardPanel->TakeActionHint();
    const bool reported = std::exchange(m_reported, false);
    CardSnapshot now;
    try {
        now = TakeSnapshot(&m_baseline);
    } catch (const StreamError &) {
        return; // an object that cannot be written cannot be undone either
    }
    // A zoom moves every object but changes nothing; the selection alone
    // is no step either, but the next step starts from it.
    if (now.zoom != m_baseline.zoom || now.SameCard(m_baseline)) {
        m_baseline = std::move(now);
        return;
    }
    QString text = withoutAccelerator(name.isEmpty() ? hint : name);
    if (text.isEmpty())
        text = CardSnapshot::ChangeName(m_baseline, now);
    auto *step = new TCardStep(*this, m_baseline, now, text, nudge);
    m_baseline = std::move(now);
    m_pushing = true;
    m_stack.push(step);
    m_pushing = false;
    // A change nobody reported still needs saving; a run of nudges that
    // ended where the document was saved does not.
    if (m_stack.isClean() || !reported)
        ShowFlagOfStack();
    KeepWithinByteLimit();
}

void TUndoHistory::Undo()
{
    Settle();
    m_stack.undo();
}

void TUndoHistory::Redo()
{
    Settle();
    m_stack.redo();
}

void TUndoHistory::Restore(const CardSnapshot &snapshot)
{
    if (m_replaying)
        return;
    m_restoring = true;
    TGBusinessCardPanel32 &panel = *m_screen.BusinessCardPanel;
    QString error;
    const bool complete = snapshot.Restore(panel, m_screen.Layout(), m_screen.BackgroundPath(), &error);
    m_screen.SetLayout(snapshot.layout);
    m_screen.SetBackgroundPath(snapshot.background);
    m_screen.SetSides(snapshot.sides);
    m_baseline = snapshotOrEmpty([this, &snapshot] { return TakeSnapshot(&snapshot); });
    m_reported = false;
    m_idleCheck.stop();
    m_restoring = false;
    if (!complete)
        UserDialogs::current().error(QStringLiteral("Some objects could not be restored: ") + error);
}

void TUndoHistory::ShowFlagOfStack()
{
    m_restoring = true; // the flag's own change report is no change
    m_screen.SetChangesMade(!m_stack.isClean());
    m_restoring = false;
}

void TUndoHistory::UpdateMenuItems()
{
    TMainMenus &menus = *m_screen.Menus;
    const QString undo = m_stack.undoText();
    const QString redo = m_stack.redoText();
    menus.UndoItem->setText(undo.isEmpty() ? QStringLiteral("&Undo") : QStringLiteral("&Undo ") + undo);
    menus.RedoItem->setText(redo.isEmpty() ? QStringLiteral("&Redo") : QStringLiteral("&Redo ") + redo);
    menus.UndoItem->setEnabled(m_stack.canUndo());
    menus.RedoItem->setEnabled(m_stack.canRedo());
}

void TUndoHistory::SetByteLimit(qsizetype bytes)
{
    m_byteLimit = bytes;
    KeepWithinByteLimit();
}

const TCardStep *TUndoHistory::Step(int index) const
{
    return static_cast<const TCardStep *>(m_stack.command(index));
}

qsizetype TUndoHistory::Bytes() const
{
    qsizetype total = 0;
    for (int i = 0; i < m_stack.count(); ++i)
        total += Step(i)->Bytes();
    return total;
}

void TUndoHistory::KeepWithinByteLimit()
{
    qsizetype total = Bytes();
    int drop = 0;
    // The newest step always stays, however large.
    while (total > m_byteLimit && drop < m_stack.count() - 1)
        total -= Step(drop++)->Bytes();
    if (drop > 0)
        DropOldest(drop);
}

void TUndoHistory::DropOldest(int count)
{
    // QUndoStack drops old steps only by its count limit, so the steps that
    // stay are put back into an emptied stack, with the saved state and the
    // current position where they were.
    struct Kept {
        CardSnapshot before, after;
        QString name;
        bool nudge;
    };
    QList<Kept> kept;
    for (int i = count; i < m_stack.count(); ++i) {
        const TCardStep *step = Step(i);
        kept.append({step->Before(), step->After(), step->text(), step->Nudge()});
    }
    const int index = m_stack.index() - count;
    const int clean = m_stack.cleanIndex() < 0 ? -1 : m_stack.cleanIndex() - count;
    m_replaying = true;
    m_stack.clear();
    for (int i = 0; i < kept.size(); ++i) {
        if (i == clean)
            m_stack.setClean();
        const Kept &k = kept.at(i);
        m_stack.push(new TCardStep(*this, k.before, k.after, k.name, k.nudge));
    }
    if (clean == kept.size())
        m_stack.setClean();
    else if (clean < 0)
        m_stack.resetClean();
    m_stack.setIndex(index);
    m_replaying = false;
    UpdateMenuItems();
}
