// Card documents and the clipboard file: the component stream reader with
// the object streamer and every registered class. An input that reads is
// painted, saved, read back and saved again; the two saves must agree.

#include "FuzzSupport.h"

#include "design/ComponentStreamer.h"
#include "design/TGBusinessCardPanel32.h"
#include "design/TGGraphicControl.h"
#include "platform/Canvas.h"

#include <QImage>

namespace {

TGBusinessCardPanel32 &panel()
{
    static TGBusinessCardPanel32 *card = [] {
        auto *p = new TGBusinessCardPanel32;
        p->resize(336, 192);
        return p;
    }();
    return *card;
}

bool readInto(TGBusinessCardPanel32 &card, const QByteArray &container)
{
    QList<TGGraphicControl *> read;
    QString error;
    return ComponentStreamer::Read(container, card, {}, &read, &error);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::start();
    TGBusinessCardPanel32 &card = panel();
    const QByteArray input = FuzzSupport::bytes(data, size);
    if (!readInto(card, input)) {
        if (!card.Objects().isEmpty())
            FuzzSupport::fail("a failed read left objects on the panel", input);
        FuzzSupport::settle();
        return 0;
    }
    static QImage image(336, 192, QImage::Format_RGB32);
    {
        TCanvas canvas(&image);
        card.PaintAll(canvas);
    }
    const QByteArray first = ComponentStreamer::WriteContainer(card.Objects());
    card.RemoveAllObjects();
    if (!readInto(card, first))
        FuzzSupport::fail("a saved document does not read back", first);
    const QByteArray second = ComponentStreamer::WriteContainer(card.Objects());
    card.RemoveAllObjects();
    if (first != second)
        FuzzSupport::fail("saving a read-back document changed it", first + "\n----\n" + second);
    FuzzSupport::settle();
    return 0;
}
