// Windows metafiles (placeable and plain WMF, EMF): the checks made when a
// metafile is read, playing it onto a bitmap and recording it.

#include "FuzzSupport.h"

#include "platform/Metafile.h"

#include <QImage>
#include <QPainter>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::start();
    QString error;
    const auto metafile = TMetafile::FromData(FuzzSupport::bytes(data, size), &error);
    if (!metafile) {
        if (error.isEmpty())
            FuzzSupport::fail("a refused metafile has no reason");
        return 0;
    }
    static QImage image(96, 96, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        metafile->Play(painter, QRectF(4, 4, 88, 88));
    }
    // The recording the canvases and print jobs stretch.
    const QPicture &picture = metafile->Picture();
    (void)picture.boundingRect();
    // What a card document stores must read as the same metafile.
    const auto again = TMetafile::FromData(metafile->Data(), &error);
    if (!again || again->Data() != metafile->Data())
        FuzzSupport::fail("a metafile's stored form does not read back", metafile->Data());
    FuzzSupport::settle();
    return 0;
}
