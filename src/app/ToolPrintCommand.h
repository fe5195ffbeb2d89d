#pragma once

#include <QStringList>
#include <QTextStream>

// karvello-tool print FILE.KVL OUT.pdf [--sheets N] [--positions 1,2,...]
//                    [--nudges TOP,LEFT,VERTICAL,HORIZONTAL]
// Prints full sheets of the card into a PDF file as "&Print" does: the
// layout from the document's companion file, every position unless
// --positions names them (1-based, row by row), one sheet unless --sheets,
// and the fine-tuning nudges (1/32 inch) from the settings file unless
// --nudges gives them. Returns 0, 1 (failed) or 2 (bad arguments).
namespace ToolPrintCommand {

int run(const QStringList &arguments, QTextStream &err);
QString usage();

} // namespace ToolPrintCommand
