#pragma once

#include <QDate>
#include <QString>

// What the build says about the program: its version text ("3.3g") and the
// date it was built. Both come from CMakeLists.txt, the one place they are set.
namespace BuildInfo {

QString ProductName();
QString VersionText();
// The build's date (SOURCE_DATE_EPOCH when set, for reproducible builds).
QDate BuildDate();

} // namespace BuildInfo
