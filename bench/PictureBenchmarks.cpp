// Painting a card with a photo and a clip-art metafile.
#include "Bench.h"

#include "design/TGBusinessCardPanel32.h"
#include "objects/TGImage.h"
#include "platform/Metafile.h"
#include "platform/ScreenMetrics.h"

#include <QImage>
#include <QtEndian>

#include <cmath>

namespace {

void put32(QByteArray &b, quint32 v)
{
    char c[4];
    qToLittleEndian(v, c);
    b.append(c, 4);
}

// An EMF of about 200 records: 66 coloured octagons, each with its own
// brush made, selected and deleted, as drawing programs write them.
QByteArray clipArt()
{
    QByteArray records;
    int count = 0;
    auto record = [&](quint32 type, std::initializer_list<qint32> values) {
        put32(records, type);
        put32(records, quint32(8 + 4 * values.size()));
        for (qint32 v : values)
            put32(records, quint32(v));
        ++count;
    };
    for (int i = 0; i < 66; ++i) {
        record(39, {1, 0, qint32((i * 40) & 0xFF) | ((i * 90) & 0xFF) << 8 | 0x80 << 16, 0}); // CREATEBRUSHINDIRECT
        record(37, {1});                                                                     // SELECTOBJECT
        const int cx = 60 + (i % 11) * 80, cy = 60 + (i / 11) * 80;
        QList<qint32> polygon{cx - 50, cy - 50, cx + 50, cy + 50, 8};
        for (int k = 0; k < 8; ++k) {
            polygon << qint32(cx + 45 * std::cos(k * 0.785)) << qint32(cy + 45 * std::sin(k * 0.785));
        }
        put32(records, 3); // POLYGON
        put32(records, quint32(8 + 4 * polygon.size()));
        for (qint32 v : polygon)
            put32(records, quint32(v));
        ++count;
    }
    QByteArray h;
    for (quint32 v : {1u, 88u, 0u, 0u, 900u, 540u, 0u, 0u, 23812u, 14287u, 0x464D4520u, 0x10000u})
        put32(h, v);
    put32(h, quint32(88 + records.size() + 20));
    put32(h, quint32(count + 2));
    for (quint32 v : {2u, 0u, 0u, 0u, 960u, 540u, 254u, 143u})
        put32(h, v);
    QByteArray eof;
    for (quint32 v : {14u, 20u, 0u, 16u, 20u})
        put32(eof, v);
    return h + records + eof;
}

} // namespace

KARVELLO_BENCH("pictures")
{
    ScreenMetrics::setOverride(96);
    TGBusinessCardPanel32 panel;
    panel.resize(336, 192);
    QImage photo(1200, 800, QImage::Format_Indexed8);
    photo.setColorCount(256);
    for (int i = 0; i < 256; ++i)
        photo.setColor(i, qRgb(i, 255 - i, i / 2));
    for (int y = 0; y < 800; ++y)
        for (int x = 0; x < 1200; ++x)
            photo.scanLine(y)[x] = uchar((x * 7 + y * 3) & 255);
    TPicture bitmap;
    bitmap.SetBitmap(photo);
    TPicture metafile;
    metafile.SetMetafile(TMetafile::FromData(clipArt()));
    auto *a = new TGImage(&panel);
    a->Loaded();
    panel.PlaceObject(a, QRect(10, 10, 150, 100));
    a->SetPicture(bitmap);
    auto *b = new TGImage(&panel);
    b->Loaded();
    panel.PlaceObject(b, QRect(170, 10, 150, 150));
    b->SetPicture(metafile);
    panel.SetZoom(1.5f);
    QImage frame(panel.size(), QImage::Format_RGB32);
    Bench::report(QStringLiteral("repaint card with a 1200 x 800 photo and a 200-record metafile at 150 %"),
                  Bench::medianMs(20, [&] { panel.render(&frame); }), QStringLiteral("ms"), 10);
    // Every frame after a zoom step composes both pictures afresh.
    float zoom = 1.5f;
    Bench::report(QStringLiteral("first repaint of the photo and metafile card after a zoom step"),
                  Bench::medianMs(20, [&] {
                      zoom = zoom == 1.5f ? 1.4f : 1.5f;
                      panel.SetZoom(zoom);
                      frame = QImage(panel.size(), QImage::Format_RGB32);
                      panel.render(&frame);
                  }),
                  QStringLiteral("ms"));
    // The same metafile as the card's background, played on every repaint.
    TGBusinessCardPanel32 background;
    background.resize(504, 288);
    background.SetColorMetafile(metafile.MetafileShared());
    QImage card(background.size(), QImage::Format_RGB32);
    Bench::report(QStringLiteral("repaint card with a 200-record metafile background"),
                  Bench::medianMs(20, [&] { background.render(&card); }), QStringLiteral("ms"));
    ScreenMetrics::resetOverride();
}
