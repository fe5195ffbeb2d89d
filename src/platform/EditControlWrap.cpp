#include "platform/EditControlWrap.h"

#include <QFontMetrics>

namespace EditControlWrap {

namespace {

constexpr int kFrame = 2; // the sunken client edge, each side

bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

void wrapParagraph(const QString &text, const TFont &font, int ppi, int width, QStringList &lines,
                   QList<bool> &broken)
{
    const qsizetype n = text.size();
    if (n == 0) {
        lines << QString();
        broken << false;
        return;
    }
    qsizetype pos = 0;
    while (pos < n) {
        qsizetype end = pos;
        qsizetype lastBreak = -1; // just after a run of blanks
        while (end < n) {
            if (isBlank(text[end])) {
                ++end;
                lastBreak = end;
                continue;
            }
            // Measured up to a letter, so the blanks that end a line hang.
            if (Fonts::textExtent(font, ppi, text.mid(pos, end + 1 - pos)).width() > width)
                break;
            ++end;
        }
        if (end >= n) {
            lines << text.mid(pos);
            broken << false;
            return;
        }
        const bool inWord = lastBreak <= pos;
        const qsizetype next = inWord ? qMax(end, pos + 1) : lastBreak;
        lines << text.mid(pos, next - pos);
        broken << inWord;
        pos = next;
    }
}

} // namespace

int formatWidth(const TFont &font, int pixelsPerInch, int controlWidth)
{
    const QFontMetrics metrics(Fonts::toQFont(font, pixelsPerInch));
    int left = qMax(0, -metrics.minLeftBearing());
    int right = qMax(0, -metrics.minRightBearing());
    // Fonts with glyphs that reach far out get the control's standard
    // margins instead: half an average character each side.
    const int average = Fonts::metrics(font, pixelsPerInch).averageCharWidth;
    if (left + right > average) {
        left = average / 2;
        right = average / 2;
    }
    return qMax(0, controlWidth - 2 * kFrame - left - right);
}

QStringList wrap(const QString &text, const TFont &font, int pixelsPerInch, int controlWidth,
                 QList<bool> *brokenInWord)
{
    const int width = formatWidth(font, pixelsPerInch, controlWidth);
    QString normal = text;
    normal.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QStringList lines;
    QList<bool> broken;
    const QStringList paragraphs = normal.split(QLatin1Char('\n'));
    for (const QString &paragraph : paragraphs)
        wrapParagraph(paragraph, font, pixelsPerInch, width, lines, broken);
    if (brokenInWord)
        *brokenInWord = broken;
    return lines;
}

} // namespace EditControlWrap
