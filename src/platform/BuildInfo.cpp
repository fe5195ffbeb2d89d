#include "platform/BuildInfo.h"

#ifndef KARVELLO_VERSION_TEXT
#error "KARVELLO_VERSION_TEXT is set by CMakeLists.txt"
#endif
#ifndef KARVELLO_BUILD_DATE
#error "KARVELLO_BUILD_DATE is set by CMakeLists.txt"
#endif

namespace BuildInfo {

QString ProductName()
{
    return QStringLiteral("Karvello");
}

QString VersionText()
{
    return QStringLiteral(KARVELLO_VERSION_TEXT);
}

QDate BuildDate()
{
    return QDate::fromString(QStringLiteral(KARVELLO_BUILD_DATE), Qt::ISODate);
}

} // namespace BuildInfo
