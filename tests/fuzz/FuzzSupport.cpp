#include "FuzzSupport.h"

#include "app/CardClasses.h"
#include "app/ConsoleDialogs.h"
#include "platform/AppRoutines.h"
#include "platform/ScreenMetrics.h"
#include "platform/UserDialogs.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTextStream>

#include <cstdio>
#include <cstdlib>

namespace FuzzSupport {

namespace {

QString scratchFolder()
{
    static const QString folder = [] {
        // scripts/fuzz.sh names one (and removes it afterwards); otherwise
        // /dev/shm keeps a million small writes off the disk.
        QString path = qEnvironmentVariable("KARVELLO_FUZZ_SCRATCH");
        if (path.isEmpty()) {
            const QString base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm")
                                                                            : QDir::tempPath();
            path = base + QStringLiteral("/karvello-fuzz-%1").arg(QCoreApplication::applicationPid());
        }
        QDir().mkpath(path);
        return path;
    }();
    return folder;
}

void removeScratch()
{
    QDir(scratchFolder()).removeRecursively();
}

} // namespace

void start()
{
    static QApplication *app = nullptr;
    if (app)
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_LOGGING_RULES", "*.debug=false;qt.*=false");
    static int argc = 1;
    static char name[] = "karvello-fuzz";
    static char *argv[] = {name, nullptr};
    app = new QApplication(argc, argv);
    // Warnings about damaged input are expected by the thousand; keep the
    // fuzzer's own output readable.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
        if (type == QtFatalMsg) {
            std::fprintf(stderr, "Qt fatal: %s\n", qPrintable(message));
            std::abort();
        }
    });
    // Damaged input makes some objects report an error box; nobody would
    // answer it, so messages go nowhere and every question is answered No.
    static QFile nowhere(QStringLiteral("/dev/null"));
    nowhere.open(QIODevice::WriteOnly);
    static QTextStream messages(&nowhere);
    UserDialogs::install(std::make_unique<ConsoleDialogs>(messages));
    ScreenMetrics::setOverride(96);
    setProgramFolderOverride(scratchFolder() + QLatin1Char('/'));
    registerCardClasses();
    std::atexit(removeScratch);
}

QByteArray bytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

QString scratchPath(const QString &name)
{
    return scratchFolder() + QLatin1Char('/') + name;
}

QString writeScratch(const QString &name, const QByteArray &contents)
{
    const QString path = scratchPath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(contents) != contents.size())
        fail("cannot write the scratch file", path.toLocal8Bit());
    return path;
}

QByteArray readScratch(const QString &name)
{
    QFile file(scratchPath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void fail(const char *what, const QByteArray &detail)
{
    std::fprintf(stderr, "\n*** %s\n%s\n", what, detail.toHex(' ').left(30000).constData());
    std::abort();
}

} // namespace FuzzSupport
