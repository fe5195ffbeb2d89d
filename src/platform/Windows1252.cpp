#include "platform/Windows1252.h"

#include <array>

namespace Windows1252 {

namespace {

// Characters of bytes 0x80-0x9F; the undefined bytes keep their C1 code point.
constexpr std::array<char16_t, 32> kHighBlock = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, //
};

} // namespace

char16_t toUnicode(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return kHighBlock[byte - 0x80];
    return byte;
}

std::optional<unsigned char> fromUnicode(char16_t unit)
{
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF))
        return static_cast<unsigned char>(unit);
    for (std::size_t i = 0; i < kHighBlock.size(); ++i) {
        if (kHighBlock[i] == unit)
            return static_cast<unsigned char>(0x80 + i);
    }
    return std::nullopt;
}

QString decode(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = QChar(toUnicode(static_cast<unsigned char>(bytes[i])));
    return text;
}

std::optional<QByteArray> encode(const QString &text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const auto byte = fromUnicode(text[i].unicode());
        if (!byte)
            return std::nullopt;
        bytes[i] = static_cast<char>(*byte);
    }
    return bytes;
}

QByteArray encodeLossy(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < text.size()
            && QChar::isLowSurrogate(text[i + 1].unicode()))
            ++i;
        const auto byte = fromUnicode(unit);
        bytes.append(byte ? static_cast<char>(*byte) : '?');
    }
    return bytes;
}

bool canEncode(const QString &text)
{
    for (const QChar c : text) {
        if (!fromUnicode(c.unicode()))
            return false;
    }
    return true;
}

} // namespace Windows1252
