#include "richtext/RtfCodePage.h"

#include "platform/Windows1252.h"

#include <QHash>
#include <QStringDecoder>

namespace RtfCodePage {

int ofCharset(int charset)
{
    switch (charset) {
    case 0: return 1252;
    case 2: return Symbol;
    case 77: return 10000;
    case 128: return 932;
    case 129: return 949;
    case 130: return 1361;
    case 134: return 936;
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    case 255: return 437;
    default: return 0;
    }
}

namespace {

QByteArray decoderName(int codePage)
{
    switch (codePage) {
    case 932: return "Shift_JIS";
    case 936: return "GBK";
    case 949: return "windows-949";
    case 950: return "Big5";
    case 10000: return "macintosh";
    case 437: return "IBM437";
    default: return "windows-" + QByteArray::number(codePage);
    }
}

} // namespace

QString decode(QByteArrayView bytes, int codePage)
{
    // Symbol-font bytes are codes, held as the Windows-1252 characters that
    // store them (SymbolFonts::characterOf), so they are written back as read.
    if (codePage == Ansi || codePage == Symbol || codePage <= 0)
        return Windows1252::decode(bytes);
    QStringDecoder decoder(decoderName(codePage).constData());
    if (!decoder.isValid())
        return Windows1252::decode(bytes);
    return decoder.decode(bytes);
}

} // namespace RtfCodePage
