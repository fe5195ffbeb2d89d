#pragma once

#include "print/PrintShopExport.h"

#include <QImage>

// "Export as PNG...": the card alone as a picture at a chosen resolution,
// drawn by the report engine like a printed card, so that text and shapes
// are as sharp as on paper.
namespace CardImageExport {

constexpr int MinDpi = 96;
constexpr int MaxDpi = 1200;
constexpr int DefaultDpi = 300;

// The card at `dpi` (kept within MinDpi ... MaxDpi). Transparent leaves out
// the background art and leaves the card's surface clear.
QImage Render(const PrintShopExport::Card &card, int dpi, bool transparent = false);

// Writes the picture in one atomic replace: "png", "bmp" or "jpg" (quality
// 100); false with `error` when it cannot be written.
bool WritePicture(const QImage &picture, const QString &path, const QByteArray &format, QString *error = nullptr);

struct Settings {
    int Dpi = DefaultDpi;
    bool Transparent = false;
};
// The settings last used ("Print Shop" section of the settings file).
Settings Remembered();
void Remember(const Settings &settings);

} // namespace CardImageExport
