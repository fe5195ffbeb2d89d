#include "platform/SystemFacts.h"

#include "platform/ScreenMetrics.h"

#include <QFile>
#include <QGuiApplication>
#include <QLocale>
#include <QRegularExpression>
#include <QScreen>

#include <cups/cups.h>
#include <sys/resource.h>
#include <sys/utsname.h>

#include <algorithm>

namespace SystemFacts {
namespace {

QString readTextFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    return QString::fromUtf8(file.readAll());
}

// "key : value" lines of /proc/cpuinfo and /proc/self/status.
QString colonField(const QString &text, const QString &key)
{
    const QRegularExpression re(QStringLiteral("^%1\\s*:\\s*(.*)$")
                                    .arg(QRegularExpression::escape(key)),
                                QRegularExpression::MultilineOption);
    const QRegularExpressionMatch m = re.match(text);
    return m.hasMatch() ? m.captured(1).trimmed() : QString();
}

qint64 kiloBytes(const QString &text, const QString &key)
{
    return colonField(text, key).section(QLatin1Char(' '), 0, 0).toLongLong() * 1024;
}

void readSystem(TSystemFacts &f)
{
    const QString osRelease = readTextFile(QStringLiteral("/etc/os-release"));
    f.SystemName = shellVariable(osRelease, QStringLiteral("PRETTY_NAME"));
    if (f.SystemName.isEmpty())
        f.SystemName = shellVariable(readTextFile(QStringLiteral("/usr/lib/os-release")),
                                     QStringLiteral("PRETTY_NAME"));
    utsname names{};
    if (uname(&names) == 0) {
        if (f.SystemName.isEmpty())
            f.SystemName = QString::fromLocal8Bit(names.sysname);
        f.KernelRelease = QString::fromLocal8Bit(names.release);
        f.KernelBuild = QString::fromLocal8Bit(names.version);
        f.ProcessorArchitecture = QString::fromLocal8Bit(names.machine);
    }
    const QString cpuinfo = readTextFile(QStringLiteral("/proc/cpuinfo"));
    f.ProcessorModel = colonField(cpuinfo, QStringLiteral("model name"));
    if (f.ProcessorModel.isEmpty())
        f.ProcessorModel = colonField(cpuinfo, QStringLiteral("Model")); // ARM boards

    // The address space a process may use: its limit when one is set, else
    // the user half of the processor's virtual address width.
    rlimit limit{};
    if (getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY) {
        f.TotalVirtual = qint64(limit.rlim_cur);
    } else {
        static const QRegularExpression bitsRe(QStringLiteral("(\\d+) bits virtual"));
        const int bits = bitsRe.match(cpuinfo).captured(1).toInt();
        f.TotalVirtual = bits > 1 && bits < 64 ? (qint64(1) << (bits - 1)) : 0;
    }
    const qint64 used = kiloBytes(readTextFile(QStringLiteral("/proc/self/status")),
                                  QStringLiteral("VmSize"));
    f.AvailableVirtual = std::max<qint64>(0, f.TotalVirtual - used);
}

void readLocale(TSystemFacts &f)
{
    const QLocale user = QLocale::system();
    // The system's default locale as the distribution configures it.
    QString systemName = shellVariable(readTextFile(QStringLiteral("/etc/default/locale")),
                                       QStringLiteral("LANG"));
    if (systemName.isEmpty())
        systemName = shellVariable(readTextFile(QStringLiteral("/etc/locale.conf")),
                                   QStringLiteral("LANG"));
    const QLocale system = systemName.isEmpty() ? QLocale::c()
                                                : QLocale(systemName.section(QLatin1Char('.'), 0, 0));
    f.UserLanguage = QLocale::languageToString(user.language());
    f.SystemLanguage = QLocale::languageToString(system.language());
    f.UserCountry = QLocale::territoryToCode(user.territory());
    f.SystemCountry = QLocale::territoryToCode(system.territory());
    f.ShortDateFormat = user.dateFormat(QLocale::ShortFormat);
    f.LongDateFormat = user.dateFormat(QLocale::LongFormat);
    f.ShortTimeFormat = user.timeFormat(QLocale::ShortFormat);
    f.LongTimeFormat = user.timeFormat(QLocale::LongFormat);
}

void readScreen(TSystemFacts &f)
{
    const QSize size = ScreenMetrics::screenSize();
    f.ScreenWidth = size.width();
    f.ScreenHeight = size.height();
    f.PixelsPerInch = ScreenMetrics::pixelsPerInch();
    const QScreen *screen = qobject_cast<QGuiApplication *>(QCoreApplication::instance())
                                ? QGuiApplication::primaryScreen()
                                : nullptr;
    f.BitsPerPixel = screen ? screen->depth() : 0;
}

QString attributeText(ipp_attribute_t *attr)
{
    const char *text = ippGetString(attr, 0, nullptr);
    return text ? QString::fromUtf8(text) : QString();
}

} // namespace

QString shellVariable(const QString &text, const QString &key)
{
    const QRegularExpression re(QStringLiteral("^\\s*(?:export\\s+)?%1=(.*)$")
                                    .arg(QRegularExpression::escape(key)),
                                QRegularExpression::MultilineOption);
    QString value = re.match(text).captured(1).trimmed();
    if (value.size() >= 2 && (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\''))
        && value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    return value;
}

void readMemInfo(const QString &meminfo, TSystemFacts &f)
{
    f.TotalPhysical = kiloBytes(meminfo, QStringLiteral("MemTotal"));
    f.AvailablePhysical = kiloBytes(meminfo, QStringLiteral("MemAvailable"));
    if (f.AvailablePhysical == 0) // kernels before 3.14
        f.AvailablePhysical = kiloBytes(meminfo, QStringLiteral("MemFree"));
    f.TotalPageFile = kiloBytes(meminfo, QStringLiteral("SwapTotal"));
    f.AvailablePageFile = kiloBytes(meminfo, QStringLiteral("SwapFree"));
    f.MemoryLoad = f.TotalPhysical > 0
                       ? int((f.TotalPhysical - f.AvailablePhysical) * 100 / f.TotalPhysical)
                       : 0;
}

QList<TSystemFacts::Printer> printers()
{
    // Asks the local CUPS server only; no network browsing.
    QList<TSystemFacts::Printer> result;
    ipp_t *request = ippNewRequest(IPP_OP_CUPS_GET_PRINTERS);
    static const char *const wanted[] = {"printer-name", "printer-make-and-model", "device-uri"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  int(std::size(wanted)), nullptr, wanted);
    ipp_t *response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    if (!response)
        return result;
    TSystemFacts::Printer printer;
    auto flush = [&] {
        if (!printer.Name.isEmpty())
            result << printer;
        printer = TSystemFacts::Printer();
    };
    for (ipp_attribute_t *attr = ippFirstAttribute(response); attr;
         attr = ippNextAttribute(response)) {
        const char *name = ippGetName(attr);
        if (!name) { // separator between printers
            flush();
            continue;
        }
        const QByteArray key(name);
        if (key == "printer-name")
            printer.Name = attributeText(attr);
        else if (key == "printer-make-and-model")
            printer.Driver = attributeText(attr);
        else if (key == "device-uri")
            printer.DeviceUri = attributeText(attr);
    }
    flush();
    ippDelete(response);
    std::sort(result.begin(), result.end(),
              [](const auto &a, const auto &b) { return a.Name < b.Name; });
    return result;
}

TSystemFacts gather()
{
    TSystemFacts facts;
    readSystem(facts);
    readMemInfo(readTextFile(QStringLiteral("/proc/meminfo")), facts);
    readLocale(facts);
    readScreen(facts);
    facts.Path = qEnvironmentVariable("PATH");
    facts.Printers = printers();
    return facts;
}

} // namespace SystemFacts
