// Reading hostile RTF: time and memory for inputs built to be expensive.
// Run: QT_QPA_PLATFORM=offscreen build/bench_rtf_hostile

#include "richtext/RichTextLayout.h"
#include "richtext/RtfReader.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTextDocument>

#include <cstdio>
#include <functional>

namespace {

double residentMiB(const char *key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key))).trimmed().split(' ').first().toDouble() / 1024.0;
    return -1;
}

QByteArray repeated(const QByteArray &unit, qsizetype bytes)
{
    QByteArray out;
    out.reserve(bytes + unit.size());
    while (out.size() < bytes)
        out += unit;
    return out;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const qsizetype size = (argc > 1 ? QByteArray(argv[1]).toLongLong() : 8192) * 1024; // KiB
    const struct {
        const char *name;
        QByteArray rtf;
    } inputs[] = {
        {"groups nested 8 Mi deep", "{\\rtf1 " + QByteArray(size / 2, '{') + "x" + QByteArray(size / 2, '}')},
        {"unclosed groups", "{\\rtf1 " + repeated("{\\b a", size)},
        {"numbers of 1 Mi digits", "{\\rtf1 " + repeated("\\fs" + QByteArray(1024 * 1024, '9') + " x", size)},
        {"\\bin claiming 2 GiB", "{\\rtf1 a\\bin2147483647 " + QByteArray(size, 'z')},
        {"format change every character", "{\\rtf1 " + repeated("\\b a\\b0 b\\i c\\i0 ", size)},
        {"font table of 1 Mi fonts", "{\\rtf1{\\fonttbl" + repeated("{\\f7 Arial;}", size) + "} x}"},
        {"unicode escapes", "{\\rtf1\\uc1 " + repeated("\\u-10179?\\u-8704?", size)},
        {"paragraphs", "{\\rtf1 " + repeated("\\par ", size)},
    };
    std::printf("%-32s %8s %10s %12s %12s\n", "input", "ms", "chars", "RSS MiB", "peak MiB");
    for (const auto &input : inputs) {
        QTextDocument document;
        RichTextLayout::prepareDocument(document);
        QElapsedTimer timer;
        timer.start();
        RtfReader::read(input.rtf, document);
        const qint64 ms = timer.elapsed();
        std::printf("%-32s %8lld %10d %12.1f %12.1f\n", input.name, ms, document.characterCount(),
                    residentMiB("VmRSS:"), residentMiB("VmHWM:"));
    }
    return 0;
}
