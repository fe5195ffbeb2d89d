#include "platform/ScreenMetrics.h"

#include <QGuiApplication>
#include <QScreen>

namespace {
int overridePpi = 0;
QSize overrideSize;
}

namespace ScreenMetrics {

int pixelsPerInch()
{
    if (overridePpi > 0)
        return overridePpi;
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const int ppi = qRound(screen->logicalDotsPerInch());
        if (ppi > 0)
            return ppi;
    }
    return 96;
}

QSize screenSize()
{
    if (overrideSize.isValid() && !overrideSize.isEmpty())
        return overrideSize;
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        return screen->size();
    return QSize(1024, 768);
}

void setOverride(int pixelsPerInch, QSize size)
{
    if (pixelsPerInch > 0)
        overridePpi = pixelsPerInch;
    if (size.isValid() && !size.isEmpty())
        overrideSize = size;
}

void resetOverride()
{
    overridePpi = 0;
    overrideSize = QSize();
}

} // namespace ScreenMetrics
