// Picture files and stored pictures: the BMP, JPEG and icon decoders, the
// picture container of card documents ("TBitmap" / "TMetafile" and their
// streams) and stored textures. The first byte picks the reader.

#include "FuzzSupport.h"

#include "design/stream/StreamError.h"
#include "effects/TextureStream.h"
#include "platform/Picture.h"
#include "platform/PictureFiles.h"

#include <QImage>

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::start();
    if (size < 1)
        return 0;
    const QByteArray input = FuzzSupport::bytes(data + 1, size - 1);
    QString error;
    switch (data[0] % 5) {
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
