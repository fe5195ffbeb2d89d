#include "report/RecordedTarget.h"

#include <QIODevice>

RecordedTarget::RecordedTarget(const SimulatedDevice &device) : device_(device) {}

QPainter *RecordedTarget::beginDocument(const QString &title, int)
{
    abortDocument();
    job_.title = title;
    job_.metrics = device_.metrics();
    if (!job_.metrics.isValid())
        return nullptr;
    return startPage() ? &painter_ : nullptr;
}

bool RecordedTarget::startPage()
{
    job_.pages.append(QPicture());
    return painter_.begin(&job_.pages.last());
}

void RecordedTarget::finishPage()
{
    if (painter_.isActive())
        painter_.end();
}

bool RecordedTarget::newPage()
{
    finishPage();
    return startPage();
}

bool RecordedTarget::endDocument()
{
    finishPage();
    if (stream_ && !job_.write(*stream_))
        return false;
    return !job_.pages.isEmpty();
}

void RecordedTarget::abortDocument()
{
    finishPage();
    job_.pages.clear();
}
