// Placing and repainting a large photo and a complex SVG drawing: the
// screen works from a copy at most TPicture::ScreenSide pixels wide and from
// the object's composed box, never from the original.
#include "Bench.h"

#include "design/TGBusinessCardPanel32.h"
#include "objects/TGImage.h"
#include "platform/Picture.h"
#include "platform/ScreenMetrics.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>

#include <cmath>

namespace {

// A photo-like PNG: smooth colour ramps with fine detail, so it neither
// compresses to nothing nor decodes trivially.
QByteArray photoPng(int width, int height)
{
    QImage photo(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(photo.scanLine(y));
        for (int x = 0; x < width; ++x)
            line[x] = qRgb((x * 255 / width) ^ (y & 7), (y * 255 / height) ^ (x & 3), ((x + y) / 16) & 255);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.setCompression(1);
    writer.write(photo);
    return bytes;
}

// An SVG of `count` filled and stroked curves under gradients, with some
// text and groups with opacity: what a designer's detailed logo holds.
QByteArray complexSvg(int count)
{
    QByteArray svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"600\" height=\"400\" viewBox=\"0 0 600 400\">"
                     "<defs><linearGradient id=\"a\"><stop offset=\"0\" stop-color=\"#135\"/>"
                     "<stop offset=\"1\" stop-color=\"#f80\" stop-opacity=\"0.6\"/></linearGradient>"
                     "<radialGradient id=\"b\"><stop offset=\"0\" stop-color=\"#fff\"/>"
                     "<stop offset=\"1\" stop-color=\"#08c\"/></radialGradient></defs>\n";
    for (int i = 0; i < count; ++i) {
        const double x = 300 + 280 * std::sin(i * 0.37), y = 200 + 180 * std::cos(i * 0.23);
        if (i % 50 == 0)
            svg += "<g opacity=\"0.8\">";
        svg += QStringLiteral("<path d=\"M%1 %2 c 20 -30 40 30 60 0 s 20 40 -10 30 z\" fill=\"url(#%3)\" "
                              "stroke=\"#222\" stroke-width=\"0.7\"/>\n")
                   .arg(x, 0, 'f', 1)
                   .arg(y, 0, 'f', 1)
                   .arg(i % 2 ? 'a' : 'b')
                   .toUtf8();
        if (i % 50 == 49)
            svg += "</g>\n";
    }
    if (count % 50 != 0)
        svg += "</g>\n";
    svg += "<text x=\"20\" y=\"380\" font-size=\"36\" font-family=\"Liberation Sans\">Karvello Design</text></svg>\n";
    return svg;
}

// Takes the object off the panel before it goes: deleting it behind the
// panel's back left the panel a dangling pointer.
void drop(TGBusinessCardPanel32 &panel, TGImage *&object)
{
    if (!object)
        return;
    panel.FreeObject(object);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    object = nullptr;
}

TGImage *place(TGBusinessCardPanel32 &panel, const QByteArray &file, const QString &name)
{
    auto *image = new TGImage(&panel);
    image->Loaded();
    panel.PlaceObject(image, QRect(20, 20, 180, 120));
    TPicture picture;
    picture.LoadFromData(file, name);
    image->SetPicture(picture);
    return image;
}

} // namespace

KARVELLO_BENCH("large pictures")
{
    ScreenMetrics::setOverride(96);
    const bool quick = Bench::quick();
    const int width = quick ? 1500 : 6000, height = quick ? 1000 : 4000, paths = quick ? 500 : 5000;
    const QByteArray photo = photoPng(width, height);
    const QByteArray svg = complexSvg(paths);
    const int rounds = quick ? 1 : 3;
    const QString photoName = QStringLiteral("%1 x %2 PNG photo").arg(width).arg(height);
    const QString svgName = QStringLiteral("SVG of %1 gradient paths").arg(paths);

    TGBusinessCardPanel32 panel;
    panel.resize(336, 192);
    QImage frame(panel.size(), QImage::Format_RGB32);
    TGImage *object = nullptr;
    Bench::report(QStringLiteral("place a %1 (read, screen copy, first paint)").arg(photoName),
                  Bench::medianMs(rounds, [&] {
                      drop(panel, object);
                      object = place(panel, photo, QStringLiteral("photo.png"));
                      panel.render(&frame);
                  }),
                  QStringLiteral("ms"));
    Bench::report(QStringLiteral("repaint card with the %1").arg(photoName),
                  Bench::medianMs(20, [&] { panel.render(&frame); }), QStringLiteral("ms"), 10);
    const QImage screen = object->Picture().ScreenBitmap();
    Bench::report(QStringLiteral("pixels kept for the %1 between prints").arg(photoName),
                  double(screen.sizeInBytes()) / (1024 * 1024), QStringLiteral("MB"), 17);
    drop(panel, object);

    Bench::report(QStringLiteral("place an %1 (parse, first paint)").arg(svgName),
                  Bench::medianMs(rounds, [&] {
                      drop(panel, object);
                      object = place(panel, svg, QStringLiteral("logo.svg"));
                      panel.render(&frame);
                  }),
                  QStringLiteral("ms"));
    Bench::report(QStringLiteral("repaint card with the %1").arg(svgName),
                  Bench::medianMs(20, [&] { panel.render(&frame); }), QStringLiteral("ms"), 10);
    float zoom = 1.0f;
    Bench::report(QStringLiteral("first repaint of the %1 after a zoom step").arg(svgName),
                  Bench::medianMs(quick ? 2 : 10, [&] {
                      zoom = zoom == 1.0f ? 1.5f : 1.0f;
                      panel.SetZoom(zoom);
                      frame = QImage(panel.size(), QImage::Format_RGB32);
                      panel.render(&frame);
                  }),
                  QStringLiteral("ms"));
    drop(panel, object);
    ScreenMetrics::resetOverride();
}
