#include "support/MetafileSamples.h"

#include <QtEndian>

#include <cstring>

namespace MetafileSamples {

namespace {

class Emf
{
public:
    Emf(QSize devicePixels, QSize millimetres, QRect frame) : m_device(devicePixels), m_mm(millimetres), m_frame(frame) {}

    Emf &record(quint32 type, const QByteArray &payload)
    {
        QByteArray r;
        u32(r, type);
        u32(r, quint32(8 + payload.size()));
        r.append(payload);
        m_records.append(r);
        ++m_count;
        return *this;
    }

    QByteArray build() const
    {
        QByteArray eof;
        u32(eof, 14); u32(eof, 20); u32(eof, 0); u32(eof, 16); u32(eof, 20);
        QByteArray h;
        u32(h, 1); u32(h, 88);
        rect(h, QRect(QPoint(0, 0), m_device - QSize(1, 1)));
        rect(h, m_frame);
        u32(h, 0x464D4520); u32(h, 0x10000);
        const quint32 total = quint32(88 + m_records.size() + eof.size());
        u32(h, total); u32(h, quint32(m_count + 2));
        h.append(QByteArray(4, '\0')); // handles 0, reserved
        qToLittleEndian<quint16>(8, h.data() + h.size() - 4);
        u32(h, 0); u32(h, 0); u32(h, 0);
        u32(h, quint32(m_device.width())); u32(h, quint32(m_device.height()));
        u32(h, quint32(m_mm.width())); u32(h, quint32(m_mm.height()));
        return h + m_records + eof;
    }

    static void u32(QByteArray &b, quint32 v) { char c[4]; qToLittleEndian(v, c); b.append(c, 4); }
    static void i32(QByteArray &b, qint32 v) { u32(b, quint32(v)); }
    static void f32(QByteArray &b, float v) { char c[4]; std::memcpy(c, &v, 4); b.append(c, 4); }
    static void rect(QByteArray &b, QRect r) { i32(b, r.left()); i32(b, r.top()); i32(b, r.right()); i32(b, r.bottom()); }
    static QByteArray ints(std::initializer_list<qint32> values)
    {
        QByteArray b;
        for (qint32 v : values)
            i32(b, v);
        return b;
    }

private:
    QSize m_device, m_mm;
    QRect m_frame;
    QByteArray m_records;
    int m_count = 0;
};

constexpr quint32 SETMAPMODE = 17, SETWORLDTRANSFORM = 35, INTERSECTCLIPRECT = 30, CREATEBRUSHINDIRECT = 39,
                  SELECTOBJECT = 37, RECTANGLE = 43, SAVEDC = 33, RESTOREDC = 34, EXTCREATEFONTINDIRECTW = 82,
                  SETTEXTALIGN = 22, SETTEXTCOLOR = 24, SETBKMODE = 18, EXTTEXTOUTW = 84, STRETCHDIBITS = 81,
                  POLYGON = 3;
constexpr qint32 NullPen = qint32(0x80000008u);

Emf square() { return Emf(QSize(1000, 1000), QSize(100, 100), QRect(QPoint(0, 0), QPoint(2646, 2646))); }

QByteArray bitmapHeader(qint32 w, qint32 h, quint16 bits)
{
    QByteArray b = Emf::ints({40, w, h});
    b.append(char(1)).append('\0').append(char(bits)).append('\0');
    b.append(Emf::ints({0, 0, 0, 0, 0, 0}));
    return b;
}

} // namespace

QByteArray emfMappingSample()
{
    QByteArray world;
    for (float v : {1.0f, 0.0f, 0.0f, 1.0f, 0.0f, -2646.0f})
        Emf::f32(world, v);
    return square()
        .record(SETMAPMODE, Emf::ints({3}))
        .record(SETWORLDTRANSFORM, world)
        .record(INTERSECTCLIPRECT, Emf::ints({0, 1323, 1323, 2646}))
        .record(CREATEBRUSHINDIRECT, Emf::ints({1, 0, 0x0000FF, 0}))
        .record(SELECTOBJECT, Emf::ints({1}))
        .record(SELECTOBJECT, Emf::ints({NullPen}))
        .record(RECTANGLE, Emf::ints({0, 1323, 2646, 2646}))
        .build();
}

QByteArray emfSaveRestoreSample()
{
    return square()
        .record(SAVEDC, {})
        .record(INTERSECTCLIPRECT, Emf::ints({0, 0, 50, 50}))
        .record(RESTOREDC, Emf::ints({-1}))
        .record(CREATEBRUSHINDIRECT, Emf::ints({1, 0, 0xFF0000, 0}))
        .record(SELECTOBJECT, Emf::ints({1}))
        .record(SELECTOBJECT, Emf::ints({NullPen}))
        .record(RECTANGLE, Emf::ints({-5, -5, 270, 270}))
        .build();
}

QByteArray emfTextSample()
{
    Emf emf(QSize(2000, 1000), QSize(200, 100), QRect(QPoint(0, 0), QPoint(5292, 2646)));
    // LOGFONTW: height, width, escapement, orientation, weight, italic...,
    // then the face name in 32 UTF-16 units; the extended part follows.
    QByteArray font = Emf::ints({1, -106, 0, 0, 0, 400});
    font.append(QByteArray(8, '\0'));
    QByteArray face(64, '\0');
    const QString arial = "Arial";
    for (int i = 0; i < arial.size(); ++i)
        face[2 * i] = char(arial[i].unicode());
    font.append(face);
    font.append(QByteArray(320 - 92 + 8, '\0')); // full name, style, script...
    // EXTTEXTOUTW: bounds, graphics mode, x and y scale, then the text
    // record; the string and the advances follow it.
    const qint32 fixed = 8 + 16 + 12 + 40;
    QByteArray text = Emf::ints({0, 0, -1, -1, 1});
    Emf::f32(text, 1);
    Emf::f32(text, 1);
    text.append(Emf::ints({26, 132, 5, fixed, 0, 0, 0, -1, -1, fixed + 12}));
    const QString hello = "HELLO";
    for (QChar c : hello)
        text.append(char(c.unicode())).append('\0');
    text.append(QByteArray(2, '\0'));
    text.append(Emf::ints({70, 70, 70, 70, 70}));
    return emf.record(EXTCREATEFONTINDIRECTW, font)
        .record(SELECTOBJECT, Emf::ints({1}))
        .record(SETTEXTALIGN, Emf::ints({24}))
        .record(SETTEXTCOLOR, Emf::ints({0}))
        .record(SETBKMODE, Emf::ints({1}))
        .record(EXTTEXTOUTW, text)
        .build();
}

QByteArray emfWithHostileBitmap()
{
    QByteArray r = Emf::ints({0, 0, 100, 100, 0, 0, 0, 0, 30000, 30000, 80, 40, 120, 16, 0, 0x00CC0020, 265, 265});
    r.append(bitmapHeader(30000, 30000, 24));
    r.append(QByteArray(16, '\x7F'));
    return square().record(STRETCHDIBITS, r).build();
}

QByteArray wmfWithHostileBitmap()
{
    auto u16 = [](QByteArray &b, quint16 v) { char c[2]; qToLittleEndian(v, c); b.append(c, 2); };
    QByteArray f;
    Emf::u32(f, 0x9AC6CDD7u);
    for (quint16 v : {0, 0, 0, 1000, 1000, 1000})
        u16(f, v);
    Emf::u32(f, 0);
    u16(f, 0); // checksum, not checked
    // Header: type, header words, version, size, objects, largest record, 0.
    QByteArray record;
    Emf::u32(record, 0x00CC0020); // SRCCOPY
    for (quint16 v : {0, 30000, 30000, 0, 0, 1000, 1000, 0, 0}) // usage, source h w y x, dest h w y x
        u16(record, v);
    record.append(bitmapHeader(30000, 30000, 24));
    record.append(QByteArray(16, '\x7F'));
    QByteArray body;
    Emf::u32(body, quint32(3 + record.size() / 2));
    u16(body, 0x0F43);
    body.append(record);
    Emf::u32(body, 3);
    u16(body, 0);
    QByteArray header;
    for (quint16 v : {1, 9, 0x300})
        u16(header, v);
    Emf::u32(header, quint32((18 + body.size()) / 2));
    u16(header, 0);
    Emf::u32(header, quint32(body.size() / 2));
    u16(header, 0);
    return f + header + body;
}

QByteArray wmfShapesSample()
{
    auto u16 = [](QByteArray &b, quint16 v) { char c[2]; qToLittleEndian(v, c); b.append(c, 2); };
    QByteArray body;
    auto record = [&](quint16 function, std::initializer_list<int> params) {
        Emf::u32(body, quint32(3 + params.size()));
        u16(body, function);
        for (int p : params)
            u16(body, quint16(p));
    };
    record(0x020B, {100, 100});             // SETWINDOWORG y, x
    record(0x020C, {100, 200});             // SETWINDOWEXT y, x
    record(0x02FC, {0, 0x00FF, 0x0000, 0}); // CREATEBRUSHINDIRECT red -> slot 0
    record(0x02FA, {5, 0, 0, 0, 0});        // CREATEPENINDIRECT null -> slot 1
    record(0x012D, {0});                    // SELECTOBJECT
    record(0x012D, {1});
    record(0x001E, {});                     // SAVEDC
    record(0x0415, {200, 150, 150, 100});   // EXCLUDECLIPRECT b, r, t, l
    record(0x041B, {200, 200, 100, 100});   // RECTANGLE b, r, t, l
    record(0x0127, {0xFFFF});               // RESTOREDC -1
    record(0x01F0, {0});                    // DELETEOBJECT 0
    record(0x02FC, {0, 0x0000, 0x00FF, 0}); // CREATEBRUSHINDIRECT blue -> slot 0 again
    record(0x012D, {0});
    record(0x041B, {200, 300, 150, 200});
    record(0x0000, {});                     // EOF
    QByteArray header;
    for (quint16 v : {1, 9, 0x300})
        u16(header, v);
    Emf::u32(header, quint32((18 + body.size()) / 2));
    u16(header, 2);
    Emf::u32(header, 8);
    u16(header, 0);
    return header + body;
}

QByteArray wmfWithRecords(int records)
{
    auto u16 = [](QByteArray &b, quint16 v) { char c[2]; qToLittleEndian(v, c); b.append(c, 2); };
    QByteArray body;
    auto record = [&](quint16 function, std::initializer_list<int> params) {
        Emf::u32(body, quint32(3 + params.size()));
        u16(body, function);
        for (int p : params)
            u16(body, quint16(p));
    };
    record(0x020C, {100, 200}); // SETWINDOWEXT y, x
    for (int i = 2; i < records; ++i)
        record(0x001E, {}); // SAVEDC
    record(0x0000, {});
    QByteArray header;
    for (quint16 v : {1, 9, 0x300})
        u16(header, v);
    Emf::u32(header, quint32((18 + body.size()) / 2));
    u16(header, 0);
    Emf::u32(header, 5);
    u16(header, 0);
    return header + body;
}

QByteArray emfWithPolygonCount(quint32 count)
{
    QByteArray r = Emf::ints({0, 0, 10, 10});
    Emf::u32(r, count);
    r.append(Emf::ints({0, 0, 10, 10}));
    return square().record(POLYGON, r).build();
}

QByteArray emfWithFrame(const QRect &frame)
{
    return Emf(QSize(1000, 1000), QSize(100, 100), frame).build();
}

} // namespace MetafileSamples
