#include "objects/QRMatrix.h"

#include <qrencode.h>

#include <cerrno>
#include <map>
#include <memory>
#include <utility>

namespace {

QRecLevel toQrLevel(TQRLevel level)
{
    switch (level) {
    case qlL: return QR_ECLEVEL_L;
    case qlQ: return QR_ECLEVEL_Q;
    case qlH: return QR_ECLEVEL_H;
    case qlM: break;
    }
    return QR_ECLEVEL_M;
}

QString levelLetter(TQRLevel level) { return QStringLiteral("LMQH").mid(int(level), 1); }

bool isAscii(const QByteArray &bytes)
{
    for (char c : bytes)
        if (static_cast<unsigned char>(c) > 0x7F)
            return false;
    return true;
}

struct CodeDeleter {
    void operator()(QRcode *code) const { QRcode_free(code); }
};
struct InputDeleter {
    void operator()(QRinput *input) const { QRinput_free(input); }
};
using CodePtr = std::unique_ptr<QRcode, CodeDeleter>;

CodePtr encodeBytes(const QByteArray &bytes, TQRLevel level)
{
    if (isAscii(bytes)) {
        // Plain ASCII: libqrencode picks numeric and alphanumeric stretches itself.
        return CodePtr(QRcode_encodeString(bytes.constData(), 0, toQrLevel(level), QR_MODE_8, 1));
    }
    std::unique_ptr<QRinput, InputDeleter> input(QRinput_new2(0, toQrLevel(level)));
    if (!input)
        return nullptr;
    constexpr unsigned int Utf8Eci = 26;
    if (QRinput_appendECIheader(input.get(), Utf8Eci) != 0
        || QRinput_append(input.get(), QR_MODE_8, bytes.size(),
                          reinterpret_cast<const unsigned char *>(bytes.constData())) != 0)
        return nullptr;
    return CodePtr(QRcode_encodeInput(input.get()));
}

} // namespace

int QRMatrix::ByteCapacity(TQRLevel level)
{
    // Version 40 in 8-bit mode.
    static constexpr int capacity[] = {2953, 2331, 1663, 1273};
    return capacity[int(level)];
}

QString QRMatrix::TooLongMessage(const QString &text, TQRLevel level)
{
    return QStringLiteral("The content is too long for a QR code: it takes %1 bytes, and at "
                          "error correction %2 a QR code holds at most %3. Shorten the text "
                          "or choose a lower error correction.")
        .arg(text.toUtf8().size())
        .arg(levelLetter(level))
        .arg(ByteCapacity(level));
}

std::optional<QRMatrix> QRMatrix::Encode(const QString &text, TQRLevel level, QString *error)
{
    auto fail = [error](const QString &why) -> std::optional<QRMatrix> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    QByteArray bytes = text.toUtf8();
    // A C string ends at the first NUL; the text must not end early.
    bytes.replace('\0', "");
    if (bytes.isEmpty())
        return fail(QStringLiteral("There is nothing to put into the QR code."));
    errno = 0;
    const CodePtr code = encodeBytes(bytes, level);
    if (!code) {
        if (errno == ERANGE || bytes.size() > ByteCapacity(level))
            return fail(TooLongMessage(text, level));
        return fail(QStringLiteral("The QR code could not be made."));
    }
    QRMatrix matrix;
    matrix.m_size = code->width;
    matrix.m_version = code->version;
    matrix.m_dark.resize(size_t(code->width) * size_t(code->width));
    for (size_t i = 0; i < matrix.m_dark.size(); ++i)
        matrix.m_dark[i] = code->data[i] & 1;
    if (error)
        error->clear();
    return matrix;
}

QList<QRect> QRMatrix::DarkRects() const
{
    // Open rectangles by their column span; a span that does not continue on
    // the next row is closed.
    QList<QRect> rects;
    std::map<std::pair<int, int>, QRect> open;
    for (int y = 0; y < m_size; ++y) {
        std::map<std::pair<int, int>, QRect> next;
        for (int x = 0; x < m_size;) {
            if (!Dark(x, y)) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < m_size && Dark(x, y))
                ++x;
            const std::pair<int, int> span(start, x);
            auto it = open.find(span);
            if (it != open.end()) {
                QRect r = it->second;
                r.setBottom(y);
                next.emplace(span, r);
                open.erase(it);
            } else {
                next.emplace(span, QRect(start, y, x - start, 1));
            }
        }
        for (const auto &[span, r] : open)
            rects.append(r);
        open = std::move(next);
    }
    for (const auto &[span, r] : open)
        rects.append(r);
    return rects;
}
