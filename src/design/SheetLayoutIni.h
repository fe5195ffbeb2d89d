#pragma once

#include "design/SheetLayout.h"

#include <QString>

class IniFile;

// A sheet layout in the "Layout" section of an INI file: a card document's
// companion file and the settings file hold it under the same keys, except
// the portrait flag ("UsePortrait" in a document, "Portrait" in settings).
// Lengths are stored as integer thousandths of an inch. A missing key reads
// as the default layout's value; a layout outside the layout dialog's ranges
// (SheetLayout::WithinLimits) is not read at all.
namespace SheetLayoutIni {

enum class Store { CardDocument, Settings };

QString PortraitKey(Store store);

void Write(IniFile &ini, const SheetLayoutSetting &stored, Store store);

// Reads the section over `current`. A missing portrait key keeps the
// orientation of `current` in the settings file and reads as not rotated in
// a card document; every other missing key reads as the default layout's.
SheetLayoutSetting Read(const IniFile &ini, const SheetLayoutSetting &current, Store store);

// The default layout in the settings file ("kvl.ini" in the program folder).
// Saving returns false when the file could not be written.
bool SaveLayoutPreferences(const SheetLayoutSetting &stored);
SheetLayoutSetting LoadLayoutPreferences(const SheetLayoutSetting &current);

// "Save Current Layout as Default": asks first; writes only on Yes. Returns
// whether the layout was saved; a failed write is reported to the user.
bool SaveCurrentLayoutAsDefault(const SheetLayoutSetting &stored);

} // namespace SheetLayoutIni
