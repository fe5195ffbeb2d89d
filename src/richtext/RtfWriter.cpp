#include "richtext/RtfWriter.h"

#include "platform/Fonts.h"
#include "platform/Windows1252.h"
#include "richtext/RtfReader.h"

#include <QColor>
#include <QList>
#include <QStringList>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

#include <cmath>

namespace RtfWriter {

namespace {

int toTwips(qreal documentPixels)
{
    return int(std::lround(documentPixels * 15.0));
}

QString familyOf(const QTextCharFormat &format, const QTextDocument &document)
{
    const QStringList families = format.fontFamilies().toStringList();
    const QString family = families.isEmpty() ? document.defaultFont().family() : families.first();
    return Fonts::windowsName(family);
}

qreal pointSizeOf(const QTextCharFormat &format, const QTextDocument &document)
{
    if (format.hasProperty(QTextFormat::FontPointSize))
        return format.fontPointSize();
    const qreal fallback = document.defaultFont().pointSizeF();
    return fallback > 0 ? fallback : 12.0;
}

// Both tables, collected in order of first use.
struct Tables {
    QStringList fonts;
    QList<QRgb> colors; // written after the automatic entry 0

    int font(const QString &name)
    {
        int i = fonts.indexOf(name);
        if (i < 0) {
            fonts.append(name);
            i = int(fonts.size()) - 1;
        }
        return i;
    }
    int color(const QBrush &brush)
    {
        if (brush.style() == Qt::NoBrush)
            return 0;
        const QRgb rgb = brush.color().rgb() & 0xFFFFFFu;
        int i = int(colors.indexOf(rgb));
        if (i < 0) {
            colors.append(rgb);
            i = int(colors.size()) - 1;
        }
        return i + 1;
    }
};

void appendText(QByteArray &out, const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += char(c);
        } else if (c == '\t') {
            out += "\\tab ";
        } else if (c == QChar::LineSeparator) {
            out += "\\line ";
        } else if (c == 0x00A0) {
            out += "\\~";
        } else if (c >= 0x20 && c < 0x80) {
            out += char(c);
        } else if (const std::optional<unsigned char> b = Windows1252::fromUnicode(c); b && c >= 0x80) {
            out += "\\'" + QByteArray::number(*b, 16).rightJustified(2, '0');
        } else if (c >= 0x20) {
            // Units above 32767 are written negative, each followed by the
            // one-character fallback older readers show.
            out += "\\u" + QByteArray::number(qint16(c)) + '?';
        }
    }
}

QByteArray paragraphProperties(const QTextBlockFormat &f)
{
    QByteArray out = "\\pard";
    const Qt::Alignment h = f.alignment() & Qt::AlignHorizontal_Mask;
    if (h & Qt::AlignJustify)
        out += "\\qj";
    else if (h & Qt::AlignHCenter)
        out += "\\qc";
    else if (h & Qt::AlignRight)
        out += "\\qr";
    auto twips = [&out](const char *word, qreal value) {
        const int t = toTwips(value);
        if (t != 0)
            out += QByteArray("\\") + word + QByteArray::number(t);
    };
    twips("li", f.leftMargin());
    twips("ri", f.rightMargin());
    twips("fi", f.textIndent());
    twips("sb", f.topMargin());
    twips("sa", f.bottomMargin());
    return out;
}

QByteArray characterProperties(const QTextCharFormat &f, const QTextDocument &document, Tables &tables)
{
    QByteArray out = "\\plain\\f" + QByteArray::number(tables.font(familyOf(f, document)));
    out += "\\fs" + QByteArray::number(std::lround(pointSizeOf(f, document) * 2));
    if (f.fontWeight() >= QFont::DemiBold)
        out += "\\b";
    if (f.fontItalic())
        out += "\\i";
    if (f.fontUnderline())
        out += "\\ul";
    if (f.fontStrikeOut())
        out += "\\strike";
    if (f.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        out += "\\super";
    else if (f.verticalAlignment() == QTextCharFormat::AlignSubScript)
        out += "\\sub";
    if (const int c = tables.color(f.foreground()))
        out += "\\cf" + QByteArray::number(c);
    if (const int c = tables.color(f.background()))
        out += "\\highlight" + QByteArray::number(c);
    return out + ' ';
}

QByteArray body(const QTextDocument &document, Tables &tables)
{
    QByteArray out;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block != document.begin())
            out += "\\par\n";
        out += paragraphProperties(block.blockFormat());
        bool wroteText = false;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            out += characterProperties(fragment.charFormat(), document, tables);
            appendText(out, fragment.text());
            wroteText = true;
        }
        if (!wroteText)
            out += characterProperties(block.charFormat(), document, tables);
    }
    return out;
}

} // namespace

QByteArray write(const QTextDocument &document)
{
    Tables tables;
    const QByteArray text = body(document, tables);
    QByteArray out = "{\\rtf1\\ansi\\deff0\\deftab" + QByteArray::number(RtfReader::defaultTabTwips(document));
    out += "{\\fonttbl";
    if (tables.fonts.isEmpty())
        tables.fonts.append(Fonts::windowsName(document.defaultFont().family()));
    for (int i = 0; i < tables.fonts.size(); ++i) {
        const QString &name = tables.fonts.at(i);
        const bool symbol = Fonts::isSymbolFontName(name);
        out += "{\\f" + QByteArray::number(i) + "\\fnil\\fcharset" + (symbol ? "2 " : "0 ");
        QByteArray encoded;
        appendText(encoded, name);
        out += encoded + ";}";
    }
    out += "}\n{\\colortbl ;";
    for (QRgb rgb : tables.colors)
        out += "\\red" + QByteArray::number(qRed(rgb)) + "\\green" + QByteArray::number(qGreen(rgb))
               + "\\blue" + QByteArray::number(qBlue(rgb)) + ';';
    out += "}\n" + text + "\n}";
    return out;
}

} // namespace RtfWriter
