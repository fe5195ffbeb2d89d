// Picture files and stored pictures: the BMP, JPEG and icon decoders, the
// picture container of card documents ("TBitmap", "TMetafile", "TPngImage"
// and the other kept files, with their streams), stored textures, PNG, GIF,
// TIFF and WebP files through Qt's readers, and SVG / SVGZ drawings. The
// first byte picks the reader.

#include "FuzzSupport.h"

#include "design/stream/StreamError.h"
#include "effects/TextureStream.h"
#include "platform/Picture.h"
#include "platform/PictureFiles.h"

#include <QImage>
#include <QPainter>

namespace {

// No decoder may hand back a picture the limits refuse.
void checkLimits(const QImage &image, const QByteArray &input)
{
    if (image.isNull())
        return;
    if (image.width() > PictureFiles::MaxSide || image.height() > PictureFiles::MaxSide
        || qint64(image.width()) * image.height() > PictureFiles::MaxPixels)
        FuzzSupport::fail("a picture beyond the limits was decoded", input.left(64));
}

// A picture read as a file: stored and read back to the same bytes, and
// drawn small on the screen's way and the printer's.
void checkPicture(const QByteArray &input, const QString &name)
{
    TPicture picture;
    QString error;
    if (!picture.LoadFromData(input, name, &error))
        return;
    checkLimits(picture.ScreenBitmap(), input);
    const QByteArray stored = picture.ToData();
    TPicture again;
    if (!again.FromData(stored, &error) || again.ToData() != stored)
        FuzzSupport::fail("a kept picture does not read back", stored.left(256));
    QImage canvas(48, 32, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    if (const TSvgDrawing *svg = picture.Svg()) {
        svg->Play(painter, QRectF(0, 0, 48, 32), true, false);
        painter.drawPicture(0, 0, svg->Picture(false, true));
    } else if (picture.IsBitmap()) {
        painter.drawImage(QRectF(0, 0, 48, 32), picture.ScreenBitmap());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::start();
    if (size < 1)
        return 0;
    const QByteArray input = FuzzSupport::bytes(data + 1, size - 1);
    QString error;
    switch (data[0] % 7) {
    case 0: checkLimits(PictureFiles::DecodeBitmap(input, &error), input); break;
    case 1: checkLimits(PictureFiles::DecodeJpeg(input, &error), input); break;
    case 2: checkLimits(PictureFiles::DecodeIcon(input, &error), input); break;
    case 3: {
        TPicture picture;
        if (picture.FromData(input, &error)) {
            checkLimits(picture.Bitmap(), input);
            const QByteArray stored = picture.ToData();
            TPicture again;
            if (!again.FromData(stored, &error) || again.ToData() != stored)
                FuzzSupport::fail("a stored picture does not read back", stored.left(256));
        }
        break;
    }
    case 5: checkPicture(input, QStringLiteral("picture.png")); break;
    case 6: checkPicture(input, QStringLiteral("picture.svg")); break;
    default:
        try {
            const QImage texture = TextureStream::decode(input);
            checkLimits(texture, input);
            if (!texture.isNull() && TextureStream::decode(TextureStream::encode(texture)).isNull())
                FuzzSupport::fail("a stored texture does not read back", input.left(256));
        } catch (const StreamError &) {
        }
        break;
    }
    FuzzSupport::settle();
    return 0;
}
