#pragma once

#include <QByteArray>
#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// How much of a damaged code a reader can still restore: about 7, 15, 25
// and 30 percent.
enum TQRLevel { qlL, qlM, qlQ, qlH };

inline QStringList qrLevelNames() { return {"qlL", "qlM", "qlQ", "qlH"}; }

// The dark and light modules of one QR code, made by libqrencode. Text is
// encoded as UTF-8; text with characters beyond ASCII carries the UTF-8
// indicator (ECI 26) so that readers do not take it for another code page.
class QRMatrix
{
public:
    // The code for `text`, the smallest version that holds it; none when the
    // text is empty or too long (`error` then says so in words for the user).
    static std::optional<QRMatrix> Encode(const QString &text, TQRLevel level, QString *error = nullptr);

    // The message for content that no QR code can hold.
    static QString TooLongMessage(const QString &text, TQRLevel level);
    // Bytes a code of the largest version holds at `level` (8-bit data).
    static int ByteCapacity(TQRLevel level);

    // Modules per side (without quiet zone) and the version (1-40).
    int Size() const { return m_size; }
    int Version() const { return m_version; }
    bool Dark(int x, int y) const { return m_dark[size_t(y) * size_t(m_size) + size_t(x)]; }

    // The dark modules as few rectangles, in module units: runs along each
    // row, and runs of equal extent on consecutive rows joined into one.
    QList<QRect> DarkRects() const;

    // The quiet zone, in modules on each side, that readers expect.
    static constexpr int QuietModules = 4;

private:
    QRMatrix() = default;

    int m_size = 0;
    int m_version = 0;
    std::vector<bool> m_dark;
};
