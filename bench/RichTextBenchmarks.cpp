// Rich text: repainting a card of rich-text objects (every frame loads each
// object's document into the one master engine, as the card does), and
// reading hostile RTF of several megabytes.

#include "Bench.h"

#include "design/TGBusinessCardPanel32.h"
#include "objects/TGPRichBaseLabel.h"
#include "platform/Canvas.h"
#include "richtext/RichTextLayout.h"
#include "richtext/RtfReader.h"
#include "richtext/TRichText.h"
#include "richtext/TRichTextEngine.h"

#include <QImage>
#include <QTextDocument>
#include <QWidget>

#include <algorithm>
#include <functional>

namespace {

QByteArray cardText(int i)
{
    return "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}{\\f1 Times New Roman;}}"
           "{\\colortbl;\\red139\\green0\\blue0;\\red0\\green0\\blue255;}"
           "\\pard\\qc\\f1\\fs32\\b\\cf1 Jane Q. Doe " + QByteArray::number(i) + "\\par"
           "\\pard\\qc\\plain\\f0\\fs18\\i Senior Engineer\\i0  \\emdash  Caf\\'e9 & B\\'fcro\\par"
           "\\pard\\ql\\f0\\fs16\\cf2\\ul jane@example.com\\ulnone\\cf0\\tab +1 555 0100\\par"
           "\\pard\\qj\\fs14 A longer justified line that wraps across the width of the box.\\par}";
}

QByteArray repeated(const QByteArray &unit, qsizetype bytes)
{
    QByteArray out;
    out.reserve(bytes + unit.size());
    while (out.size() < bytes)
        out += unit;
    return out;
}

} // namespace

KARVELLO_BENCH("rich text")
{
    QWidget window;
    TRichTextEngine::CreateMaster(&window);
    auto *panel = new TGBusinessCardPanel32(&window);
    panel->resize(336, 192);
    for (int i = 0; i < 5; ++i) {
        auto *o = new TGPRichBaseLabel(panel);
        o->SetRTFText(TRichText::fromRtf(cardText(i)));
        o->Loaded();
        panel->PlaceObject(o, QRect(8 + (i % 2) * 164, 8 + (i / 2) * 60, 156, 56));
    }
    panel->SetZoom(1.5f);
    QImage frame(panel->size(), QImage::Format_RGB32);
    {
        TCanvas canvas(&frame);
        panel->PaintAll(canvas); // the first frame parses each document once
    }
    const int parses = RichTextCache::parseCount();
    const double ms = Bench::medianMs(101, [&] {
        TCanvas canvas(&frame);
        panel->PaintAll(canvas);
    });
    Bench::report("rich text: repaint 5 objects at 150 %", ms, "ms", 8);
    Bench::report("rich text: documents parsed again while repainting", RichTextCache::parseCount() - parses,
                  "parses");

    // The most expensive of several hostile inputs.
    const qsizetype size = (Bench::quick() ? 1 : 8) * 1024 * 1024;
    // Made one at a time, so that the run's peak memory holds one input only.
    const std::function<QByteArray()> inputs[] = {
        [&] { return "{\\rtf1 " + QByteArray(size / 2, '{') + "x" + QByteArray(size / 2, '}'); },
        [&] { return "{\\rtf1 " + repeated("{\\b a", size); },
        [&] { return "{\\rtf1 " + repeated("\\fs" + QByteArray(1024 * 1024, '9') + " x", size); },
        [&] { return "{\\rtf1 a\\bin2147483647 " + QByteArray(size, 'z'); },
        [&] { return "{\\rtf1 " + repeated("\\b a\\b0 b\\i c\\i0 ", size); },
        [&] { return "{\\rtf1{\\fonttbl" + repeated("{\\f7 Arial;}", size) + "} x}"; },
        [&] { return "{\\rtf1\\uc1 " + repeated("\\u-10179?\\u-8704?", size); },
        [&] { return "{\\rtf1 " + repeated("\\par ", size); },
    };
    double worst = 0;
    for (const auto &make : inputs) {
        const QByteArray rtf = make();
        worst = std::max(worst, Bench::medianMs(1, [&] {
            QTextDocument document;
            RichTextLayout::prepareDocument(document);
            RtfReader::read(rtf, document);
        }));
    }
    Bench::report(QStringLiteral("rich text: read %1 MiB of hostile RTF, slowest kind").arg(size >> 20), worst, "ms");
}
