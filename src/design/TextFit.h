#pragma once

#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

class TGBasePanel;
class TGGraphicControl;

// Whether the text of each object fits: within the object's own box and on
// the card. Objects say where their lines run (TGGraphicControl::TextRuns),
// both as the screen and as paper set them, so a line that fits on screen
// but not in print is caught too. Made from a template, before printing and
// for each record a merge fills in.
namespace TextFit {

struct Overflow {
    QString objectName;
    QString text;
    bool pastBox = false;
    bool offCard = false;
};

// The visible objects whose text runs past their box or off a card of
// `card` pixels (the panel's own pixels), in z-order.
QList<Overflow> check(const QList<TGGraphicControl *> &objects, QSize card);
// The objects of a card panel, whose size is the card's.
QList<Overflow> check(const TGBasePanel &panel);

// One line per object for a message: "<text>" runs past its box / off the card.
QStringList describe(const QList<Overflow> &overflows);
// The message to the user; empty when everything fits.
QString message(const QList<Overflow> &overflows);

// Tells the user in an information box (the tool's console) which text of
// the panel's card does not fit; false when something does not.
bool tellUser(const TGBasePanel &panel);

} // namespace TextFit
