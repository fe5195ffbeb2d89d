// The recovery copy: what the window itself does when a copy is due (take
// the card as the undo history holds it, here the worst case of a change
// not yet in the last step, so a fresh snapshot sharing the unchanged
// records) and, for comparison, the writing that a worker thread does.
#include "Bench.h"
#include "GeneratedCard.h"

#include "design/CardSnapshot.h"
#include "design/RecoveryCopy.h"
#include "design/TGBusinessCardPanel32.h"
#include "design/TGGraphicControl.h"

#include <QTemporaryDir>

namespace {

void benchCopy(int objectCount, double limitMs)
{
    GeneratedCard card(objectCount);
    TGBusinessCardPanel32 &panel = card.panel();
    const SheetLayoutSetting layout;
    CardSnapshot last = CardSnapshot::Take(panel, layout, QString());
    int step = 0;
    RecoveryCopy::Content content;
    const double uiMs = Bench::medianMs(21, [&] {
        TGGraphicControl *moved = panel.Objects().at(step % panel.ObjectCount());
        moved->SetLeft(moved->Left() + (step++ % 2 ? -1 : 1));
        content = RecoveryCopy::Content{CardSnapshot::Take(panel, layout, QString(), &last), QString(),
                                        QString(), QDateTime::currentDateTime()};
        last = content.card;
    });
    Bench::report(QStringLiteral("recovery: snapshot on the UI thread, %1 objects").arg(objectCount), uiMs,
                  "ms", limitMs);

    QTemporaryDir folder;
    const double writeMs = Bench::medianMs(5, [&] { RecoveryCopy::Write(folder.path(), content); });
    Bench::report(QStringLiteral("recovery: writing the copy (worker thread), %1 objects").arg(objectCount),
                  writeMs, "ms");
}

} // namespace

KARVELLO_BENCH("recovery copy")
{
    benchCopy(100, 5);
    if (!Bench::quick())
        benchCopy(1000, 0);
}
