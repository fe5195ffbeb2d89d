#pragma once

#include <QList>
#include <QString>

// Facts about this computer for the configuration report, read from the
// system (os-release, uname, /proc, the locale, the screen, CUPS). A plain
// value, so that the report can be built from made-up facts in tests.
struct TSystemFacts {
    // The operating system: release name ("Debian GNU/Linux 12 (bookworm)"),
    // kernel release ("6.1.0-21-amd64") and kernel build ("#1 SMP ...").
    QString SystemName;
    QString KernelRelease;
    QString KernelBuild;

    // Processor architecture ("x86_64") and model name.
    QString ProcessorArchitecture;
    QString ProcessorModel;

    int ScreenWidth = 0;
    int ScreenHeight = 0;
    int BitsPerPixel = 0;
    int PixelsPerInch = 96;

    // Bytes; the swap area stands in for the page file, the process's
    // address space for virtual memory.
    int MemoryLoad = 0; // percent of physical memory in use
    qint64 TotalPhysical = 0;
    qint64 AvailablePhysical = 0;
    qint64 TotalPageFile = 0;
    qint64 AvailablePageFile = 0;
    qint64 TotalVirtual = 0;
    qint64 AvailableVirtual = 0;

    // Language names ("English") and country abbreviations ("US") of the
    // user's locale and of the system's default locale.
    QString UserLanguage;
    QString SystemLanguage;
    QString UserCountry;
    QString SystemCountry;

    // The user's date and time formats.
    QString ShortDateFormat;
    QString LongDateFormat;
    QString ShortTimeFormat;
    QString LongTimeFormat;

    QString Path;

    struct Printer {
        QString Name;
        QString Driver;    // make and model of the queue's driver
        QString DeviceUri; // where the queue sends its jobs
    };
    QList<Printer> Printers;
};

namespace SystemFacts {

// Reads the facts of this computer. Facts that cannot be read stay empty or 0.
TSystemFacts gather();

// The printer queues CUPS knows, sorted by name; empty without a CUPS server.
QList<TSystemFacts::Printer> printers();

// Memory figures from the text of /proc/meminfo (kB values) into bytes.
void readMemInfo(const QString &meminfo, TSystemFacts &facts);

// The value of a "KEY=value" line of os-release or a locale file, quotes removed.
QString shellVariable(const QString &text, const QString &key);

} // namespace SystemFacts
