#include "dialogs/ConfigurationReport.h"

#include <QLocale>

namespace ConfigurationReport {
namespace {

// The locale the report is written in; the "C" locale has no grouping, so
// numbers then use the common English form.
QLocale reportLocale()
{
    QLocale locale;
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::English, QLocale::UnitedStates);
    locale.setNumberOptions(QLocale::DefaultNumberOptions);
    return locale;
}

QString bit(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

QString memoryLine(const QString &label, qint64 total, qint64 available)
{
    return label + QStringLiteral("Total: ") + GroupedNumber(total) + QStringLiteral(";    Available: ")
           + GroupedNumber(available);
}

// The release name with the kernel in the place of the version and build.
QString systemText(const TSystemFacts &s)
{
    return s.SystemName + QStringLiteral(" (version ") + s.KernelRelease + QStringLiteral(" build:")
           + s.KernelBuild + QStringLiteral(")");
}

void appendProduct(QStringList &lines, const TProgramFacts &p)
{
    const QLocale locale = reportLocale();
    lines << QStringLiteral("[Product]");
    lines << QStringLiteral("Program:     \t") + p.ProductName;
    lines << QStringLiteral("Version:     \t") + p.VersionText;
    lines << QStringLiteral("Build Date:  \t") + locale.toString(p.BuildDate, QLocale::ShortFormat);
}

void appendEnvironment(QStringList &lines, const TSystemFacts &s)
{
    lines << QString() << QStringLiteral("[Environment]");
    lines << QStringLiteral("Windows:     \t") + systemText(s);
    lines << QStringLiteral("CPU:         \tProcessor:  ") + s.ProcessorArchitecture
                 + QLatin1Char(' ') + s.ProcessorModel;
    lines << QStringLiteral("Video:       \t%1 x %2 x %3 colors")
                 .arg(s.ScreenWidth)
                 .arg(s.ScreenHeight)
                 .arg(GroupedNumber(ColorCount(s.BitsPerPixel)));
    lines << QStringLiteral("Font:        \t") + FontSizeText(s.PixelsPerInch);
    lines << QStringLiteral("Memory Load: \t") + QString::number(s.MemoryLoad);
    lines << memoryLine(QStringLiteral("Phys Memory: \t"), s.TotalPhysical, s.AvailablePhysical);
    lines << memoryLine(QStringLiteral("Page File:   \t"), s.TotalPageFile, s.AvailablePageFile);
    lines << memoryLine(QStringLiteral("Virt Memory: \t"), s.TotalVirtual, s.AvailableVirtual);
    lines << QStringLiteral("Language:    \tUser: ") + s.UserLanguage + QStringLiteral(";    System: ")
                 + s.SystemLanguage;
    lines << QStringLiteral("Country:     \tUser: ") + s.UserCountry + QStringLiteral(";    System: ")
                 + s.SystemCountry;
    lines << QStringLiteral("Date Format: \tShort: ") + s.ShortDateFormat + QStringLiteral(";    Long: ")
                 + s.LongDateFormat;
    lines << QStringLiteral("Time Format: \tShort: ") + s.ShortTimeFormat + QStringLiteral(";    Long: ")
                 + s.LongTimeFormat;
    lines << QStringLiteral("Path:        \t") + s.Path;
}

// The printer queues: their drivers under "[Devices]", where their jobs go
// under "[PrinterPorts]".
void appendPrinters(QStringList &lines, const TSystemFacts &s)
{
    lines << QString() << QStringLiteral("[Devices]");
    for (const TSystemFacts::Printer &p : s.Printers)
        lines << p.Name + QLatin1Char('=') + p.Driver + QLatin1Char(',') + p.DeviceUri;
    lines << QString() << QStringLiteral("[PrinterPorts]");
    for (const TSystemFacts::Printer &p : s.Printers)
        lines << p.Name + QLatin1Char('=') + p.DeviceUri;
}

void appendSettings(QStringList &lines, const TProgramFacts &p)
{
    lines << QString() << QLatin1Char('[') + p.SettingsFile + QLatin1Char(']') << QString();
    lines << QStringLiteral("DeFFont      \t") + p.FontName + QLatin1Char(',')
                 + QString::number(p.FontSize) + QLatin1Char(',') + bit(p.Bold) + QLatin1Char(',')
                 + bit(p.Italic) + QLatin1Char(',') + bit(p.Underline);
    lines << QStringLiteral("Nudges:      \tTop:%1,Left:%2,Vert:%3,Horz:%4   {1/1000ths}")
                 .arg(p.TopMarginNudge)
                 .arg(p.LeftMarginNudge)
                 .arg(p.VerticalSpacing)
                 .arg(p.HorizontalSpacing);
}

} // namespace

QString FontSizeText(int pixelsPerInch)
{
    if (pixelsPerInch == 96)
        return QStringLiteral("Small Fonts in use");
    if (pixelsPerInch == 120)
        return QStringLiteral("Large Fonts in use");
    return QStringLiteral("Custom font size in use");
}

qint64 ColorCount(int bitsPerPixel)
{
    switch (bitsPerPixel) {
    case 1:
    case 4:
    case 8:
    case 15:
    case 16:
        return qint64(1) << bitsPerPixel;
    case 24:
    case 32:
        return 16777216;
    default:
        return 0;
    }
}

QString GroupedNumber(qint64 value)
{
    return reportLocale().toString(value);
}

QStringList Lines(const TProgramFacts &program, const TSystemFacts &system, const QDate &today)
{
    QStringList lines;
    lines << reportLocale().toString(today, QLocale::LongFormat) << QString();
    appendProduct(lines, program);
    appendEnvironment(lines, system);
    appendPrinters(lines, system);
    appendSettings(lines, program);
    return lines;
}

} // namespace ConfigurationReport
