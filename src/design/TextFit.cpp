#include "design/TextFit.h"

#include "design/TGBasePanel.h"
#include "design/TGGraphicControl.h"
#include "platform/UserDialogs.h"

#include <QRectF>

namespace TextFit {

namespace {

// Runs are measured in fractions of a pixel; a hair over the edge is not
// a letter past it.
constexpr double Tolerance = 0.01;

bool inside(const QRectF &run, const QRectF &area)
{
    return run.left() >= area.left() - Tolerance && run.top() >= area.top() - Tolerance
        && run.right() <= area.right() + Tolerance && run.bottom() <= area.bottom() + Tolerance;
}

// Long texts are cut short in the message, which lists them one a line.
QString quoted(const QString &text)
{
    constexpr int Longest = 60;
    const QString shown = text.size() > Longest ? text.left(Longest - 1) + QChar(0x2026) : text;
    return QLatin1Char('"') + shown + QLatin1Char('"');
}

} // namespace

QList<Overflow> check(const QList<TGGraphicControl *> &objects, QSize card)
{
    QList<Overflow> result;
    const QRectF cardArea(QPointF(0, 0), QSizeF(card));
    for (TGGraphicControl *object : objects) {
        if (!object->Visible())
            continue;
        const QRectF box(QPointF(0, 0), QSizeF(object->Width(), object->Height()));
        Overflow overflow{object->Name(), object->TextForMessages()};
        for (const QRectF &run : object->TextRuns()) {
            overflow.pastBox = overflow.pastBox || !inside(run, box);
            // What shows of a line past its box is no more than the box.
            const QRectF shown = run.intersected(box).translated(object->Left(), object->Top());
            overflow.offCard = overflow.offCard || (!shown.isEmpty() && !inside(shown, cardArea));
        }
        if (overflow.pastBox || overflow.offCard)
            result.append(overflow);
    }
    return result;
}

QList<Overflow> check(const TGBasePanel &panel) { return check(panel.Objects(), panel.size()); }

QStringList describe(const QList<Overflow> &overflows)
{
    QStringList lines;
    for (const Overflow &o : overflows) {
        QString where;
        if (o.pastBox && o.offCard)
            where = QStringLiteral("runs past its box and off the card");
        else if (o.pastBox)
            where = QStringLiteral("runs past its box");
        else
            where = QStringLiteral("runs off the card");
        lines << QStringLiteral("%1 (%2) %3").arg(quoted(o.text), o.objectName, where);
    }
    return lines;
}

QString message(const QList<Overflow> &overflows)
{
    if (overflows.isEmpty())
        return QString();
    return QStringLiteral("Some text will be cut off:\n") + describe(overflows).join(QLatin1Char('\n'));
}

bool tellUser(const TGBasePanel &panel)
{
    const QString text = message(check(panel));
    if (text.isEmpty())
        return true;
    UserDialogs::current().inform(text);
    return false;
}

} // namespace TextFit
