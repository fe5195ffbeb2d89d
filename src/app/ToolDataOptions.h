#pragma once

#include "design/CardMerge.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

#include <optional>

class TGBusinessCardPanel32;

// karvello-tool's options for a card filled from a contact list, taken out
// of the arguments before a command reads its own:
//   --data LIST      the list (print, pdf: one card per record; render)
//   --records N-M    only these records (print, pdf)
//   --record N       the record drawn (render)
//   --strict         fail when the checks before printing find anything
namespace ToolDataOptions {

struct Options {
    QString list;
    RecordRange records;
    int record = 1;
    bool strict = false;
};

// Removes the options from `arguments`; none (with the reason on `err`)
// when one is malformed.
std::optional<Options> take(QStringList &arguments, QTextStream &err);

// The options of the command being run (set by ToolCommands::run).
const Options &current();
void setCurrent(const Options &options);

// Attaches the --data list to the panel and shows the --record; false
// (with the line at fault on `err`) when the list cannot be read.
bool apply(TGBusinessCardPanel32 &panel, QTextStream &err);

// Writes the checks before printing to `err`; false when --strict and
// something was found.
bool check(TGBusinessCardPanel32 &panel, QTextStream &err);

QString usage();

} // namespace ToolDataOptions
