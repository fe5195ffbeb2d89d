#include "print/DuplexLayout.h"

#include "platform/AppRoutines.h"
#include "platform/IniFile.h"

#include <algorithm>

namespace DuplexLayout {

namespace {
const QString Section = QStringLiteral("Printer");
const QString DuplexKey = QStringLiteral("Duplex");
constexpr int MaxOffset = 32; // 1/32 inch
} // namespace

QRectF BackRect(const QRectF &front, QSizeF page, TDuplexFlip flip, QPointF backOffset)
{
    if (flip == dfNone)
        return front.translated(backOffset);
    // The long edge runs across a landscape page and down an upright one.
    const bool longEdgeDown = page.height() >= page.width();
    const bool mirrorAcross = (flip == dfLongEdge) == longEdgeDown;
    QRectF back = front;
    if (mirrorAcross)
        back.moveLeft(page.width() - front.right());
    else
        back.moveTop(page.height() - front.bottom());
    return back.translated(backOffset);
}

int BackPosition(int index, int across, int down, TDuplexFlip flip)
{
    const int row = index / across;
    const int column = index % across;
    if (flip == dfLongEdge)
        return row * across + (across - 1 - column);
    if (flip == dfShortEdge)
        return (down - 1 - row) * across + column;
    return index;
}

TDuplexFlip Remembered()
{
    const IniFile ini(SettingsFileName());
    const int value = ini.readInteger(Section, DuplexKey, dfNone);
    return value == dfLongEdge || value == dfShortEdge ? TDuplexFlip(value) : dfNone;
}

void Remember(TDuplexFlip flip)
{
    IniFile ini(SettingsFileName());
    if (ini.readInteger(Section, DuplexKey, dfNone) == flip && ini.valueExists(Section, DuplexKey))
        return;
    ini.writeInteger(Section, DuplexKey, flip);
    ini.flush();
}

QPointF BackOffset()
{
    const IniFile ini(SettingsFileName());
    auto read = [&ini](const QString &key) {
        return std::clamp(ini.readInteger(Section, key, 0), -MaxOffset, MaxOffset) / 32.0;
    };
    return {read(QStringLiteral("BackOffsetX")), read(QStringLiteral("BackOffsetY"))};
}

} // namespace DuplexLayout
