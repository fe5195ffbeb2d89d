#pragma once

#include "app/ToolCard.h"
#include "print/PrintShopExport.h"

#include <QStringList>
#include <QTextStream>

// karvello-tool pdf FILE.KVL OUT.pdf [--bleed INCHES] [--crop-marks]
// Writes the print-shop PDF as "Export for Print Shop..." does: the card
// with 1/8 inch of bleed unless --bleed gives another (0 to 0.25; 0 is the
// card alone), crop marks when asked, the trim and bleed boxes set. Text
// outside the safe area is reported on `err` and the file is still
// written. Returns 0, 1 (failed) or 2 (bad arguments).
namespace ToolPdfCommand {

int run(const QStringList &arguments, QTextStream &err);
QString usage();

// The opened document's card as the exports take it: the tool's panel, the
// layout's card size turned with the card, and the background art.
PrintShopExport::Card CardOf(ToolCommands::ToolCard &card, const CardDocument::Opened &opened);

} // namespace ToolPdfCommand
