// Taking an undo step: the card is written as one record per object and
// compared with the last step, every time a user action ends. Unchanged
// records are shared with the last step, so memory grows by what changed.
#include "Bench.h"
#include "GeneratedCard.h"

#include "design/CardSnapshot.h"
#include "design/TGBusinessCardPanel32.h"
#include "design/TGGraphicControl.h"

namespace {

void benchStep(int objectCount, double limitMs)
{
    GeneratedCard card(objectCount);
    TGBusinessCardPanel32 &panel = card.panel();
    const SheetLayoutSetting layout;
    CardSnapshot last = CardSnapshot::Take(panel, layout, QString());
    QList<CardSnapshot> kept;
    int step = 0;
    const double ms = Bench::medianMs(21, [&] {
        // One object moved, as a drag or a nudge leaves the card.
        TGGraphicControl *moved = panel.Objects().at(step % panel.ObjectCount());
        moved->SetLeft(moved->Left() + (step % 2 ? -1 : 1));
        ++step;
        CardSnapshot now = CardSnapshot::Take(panel, layout, QString(), &last);
        if (!now.SameCard(last)) {
            const QString name = CardSnapshot::ChangeName(last, now);
            kept << last;
            last = std::move(now);
            Q_UNUSED(name);
        }
    });
    Bench::report(QStringLiteral("undo: taking a step, %1 objects").arg(objectCount), ms, "ms",
                  limitMs);
    Bench::report(QStringLiteral("undo: memory of one move step, %1 objects").arg(objectCount),
                  double(last.BytesBeyond(kept.constLast())), "bytes");
}

} // namespace

KARVELLO_BENCH("undo step")
{
    benchStep(100, 5);
    if (!Bench::quick())
        benchStep(1000, 0);
}
