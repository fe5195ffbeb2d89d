#pragma once

#include "design/CardMerge.h"

#include <QString>
#include <QStringList>

class TGBusinessCardPanel32;

// What is checked before a card is printed once per record: the records
// whose text runs past its box or off the card, and the fields the card
// uses that the list lacks. The panel shows the record it showed before.
namespace MergeCheck {

struct Findings {
    QStringList missingFields;
    QStringList overflows; // "Record 3: "<text>" runs past its box"
    bool empty() const { return missingFields.isEmpty() && overflows.isEmpty(); }
};

Findings run(TGBusinessCardPanel32 &panel, const RecordRange &range = RecordRange());

// One line per finding, for the tool's stderr and the message box.
QStringList describe(const Findings &findings);
QString message(const Findings &findings);

} // namespace MergeCheck
