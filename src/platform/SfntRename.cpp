#include "platform/SfntRename.h"

#include <QtEndian>

#include <algorithm>
#include <vector>

namespace SfntRename {

namespace {

// The tables a font may have that matter to a renderer; anything else is
// left out of the copy.
constexpr const char *kTags[] = {"BASE", "CFF ", "DSIG", "GDEF", "GPOS", "GSUB", "JSTF", "LTSH", "MATH",
                                 "OS/2", "VDMX", "cmap", "cvt ", "fpgm", "gasp", "glyf", "hdmx", "head",
                                 "hhea", "hmtx", "kern", "loca", "maxp", "post", "prep", "vhea", "vmtx"};

void put16(QByteArray &out, quint16 value)
{
    char bytes[2];
    qToBigEndian(value, bytes);
    out.append(bytes, 2);
}

void put32(QByteArray &out, quint32 value)
{
    char bytes[4];
    qToBigEndian(value, bytes);
    out.append(bytes, 4);
}

quint32 checksum(const QByteArray &data)
{
    quint32 sum = 0;
    for (qsizetype i = 0; i < data.size(); i += 4) {
        quint32 word = 0;
        for (int k = 0; k < 4; ++k)
            word = (word << 8) | (i + k < data.size() ? quint8(data[i + k]) : 0u);
        sum += word;
    }
    return sum;
}

QByteArray nameTable(const QString &family)
{
    QString postScript = family;
    postScript.remove(QLatin1Char(' '));
    const std::vector<std::pair<quint16, QString>> names{
        {1, family}, {2, QStringLiteral("Regular")}, {3, family}, {4, family}, {6, postScript}};
    QByteArray strings;
    QByteArray table;
    put16(table, 0);
    put16(table, quint16(names.size()));
    put16(table, quint16(6 + 12 * names.size()));
    for (const auto &[id, text] : names) {
        QByteArray utf16;
        for (const QChar c : text)
            put16(utf16, c.unicode());
        put16(table, 3);      // Windows
        put16(table, 1);      // Unicode BMP
        put16(table, 0x0409); // English (United States)
        put16(table, id);
        put16(table, quint16(utf16.size()));
        put16(table, quint16(strings.size()));
        strings += utf16;
    }
    return table + strings;
}

} // namespace

QByteArray renamedCopy(const QRawFont &font, const QString &family)
{
    if (!font.isValid())
        return {};
    std::vector<std::pair<QByteArray, QByteArray>> tables;
    for (const char *tag : kTags) {
        const QByteArray data = font.fontTable(tag);
        if (!data.isEmpty())
            tables.emplace_back(QByteArray(tag, 4), data);
    }
    tables.emplace_back(QByteArray("name", 4), nameTable(family));
    std::sort(tables.begin(), tables.end());
    const auto has = [&tables](const char *tag) {
        return std::any_of(tables.begin(), tables.end(), [tag](const auto &t) { return t.first == tag; });
    };
    if (!has("head") || !has("cmap") || !has("maxp") || !(has("glyf") || has("CFF ")))
        return {};

    const quint16 count = quint16(tables.size());
    quint16 entrySelector = 0;
    while ((2u << entrySelector) <= count)
        ++entrySelector;
    const quint16 searchRange = quint16(16u << entrySelector);
    QByteArray out;
    put32(out, has("glyf") ? 0x00010000u : 0x4F54544Fu); // TrueType or 'OTTO'
    put16(out, count);
    put16(out, searchRange);
    put16(out, entrySelector);
    put16(out, quint16(count * 16 - searchRange));
    quint32 offset = 12 + 16u * count;
    qsizetype headOffset = -1;
    QByteArray body;
    for (auto &[tag, data] : tables) {
        if (tag == "head" && data.size() >= 12)
            qToBigEndian<quint32>(0, data.data() + 8); // checkSumAdjustment, set below
        out.append(tag);
        put32(out, checksum(data));
        put32(out, offset + quint32(body.size()));
        put32(out, quint32(data.size()));
        if (tag == "head")
            headOffset = offset + body.size();
        body += data;
        body.append((4 - body.size() % 4) % 4, '\0');
    }
    out += body;
    if (headOffset >= 0)
        qToBigEndian<quint32>(0xB1B0AFBAu - checksum(out), out.data() + headOffset + 8);
    return out;
}

} // namespace SfntRename
