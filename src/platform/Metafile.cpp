#include "platform/Metafile.h"

#include "platform/MetafilePlayer.h"
#include "platform/PictureFiles.h"
#include "platform/ScreenMetrics.h"

#include <QPainter>
#include <QtEndian>

#include <uemf.h>
#include <uemf_safe.h>

#include <cmath>

namespace {

constexpr quint32 PlaceableKey = 0x9AC6CDD7u;
constexpr int PlaceableSize = 22;
constexpr int WmfHeaderSize = 18;
constexpr double FrameUnitsPerInch = 2540.0; // hundredths of a millimetre

bool fail(QString *error, const QString &message)
{
    if (error)
        *error = message;
    return false;
}

quint16 u16(const QByteArray &d, qsizetype at) { return qFromLittleEndian<quint16>(d.constData() + at); }
qint16 i16(const QByteArray &d, qsizetype at) { return qFromLittleEndian<qint16>(d.constData() + at); }
quint32 u32(const QByteArray &d, qsizetype at) { return qFromLittleEndian<quint32>(d.constData() + at); }
qint32 i32(const QByteArray &d, qsizetype at) { return qFromLittleEndian<qint32>(d.constData() + at); }

// Point counts of the polygon records against their size, counted wide so
// that no product wraps.
bool emfCountsFit(const QByteArray &d, qsizetype at, quint32 type, quint32 size)
{
    const bool small = type >= U_EMR_POLYBEZIER16 && type <= U_EMR_POLYPOLYGON16;
    const bool single = (type >= U_EMR_POLYBEZIER && type <= U_EMR_POLYLINETO)
        || (type >= U_EMR_POLYBEZIER16 && type <= U_EMR_POLYLINETO16);
    const bool multi = type == U_EMR_POLYPOLYLINE || type == U_EMR_POLYPOLYGON
        || type == U_EMR_POLYPOLYLINE16 || type == U_EMR_POLYPOLYGON16;
    const quint64 step = small ? 4 : 8;
    if (single)
        return size >= 28 && 28 + quint64(u32(d, at + 24)) * step <= size;
    if (multi)
        return size >= 32 && 32 + quint64(u32(d, at + 24)) * 4 + quint64(u32(d, at + 28)) * step <= size;
    return true;
}

bool sizeOk(QSizeF inches)
{
    const double limit = double(PictureFiles::MaxSide) / ScreenMetrics::pixelsPerInch();
    return inches.width() > 0 && inches.height() > 0 && inches.width() <= limit && inches.height() <= limit;
}

} // namespace

std::shared_ptr<const TMetafile> TMetafile::FromData(const QByteArray &bytes, QString *error)
{
    std::shared_ptr<TMetafile> metafile(new TMetafile);
    metafile->m_data = bytes;
    bool ok;
    if (bytes.size() >= 44 && u32(bytes, 0) == U_EMR_HEADER && u32(bytes, 40) == U_ENHMETA_SIGNATURE) {
        metafile->m_kind = mkEmf;
        ok = metafile->ParseEmf(error);
    } else if (bytes.size() >= 4) {
        metafile->m_kind = mkWmf;
        ok = metafile->ParseWmf(error);
    } else {
        ok = fail(error, QStringLiteral("Not a metafile"));
    }
    if (!ok)
        return nullptr;
    return metafile;
}

std::shared_ptr<const TMetafile> TMetafile::FromFile(const QString &fileName, QString *error)
{
    QByteArray data;
    if (!PictureFiles::ReadWholeFile(fileName, data, error))
        return nullptr;
    return FromData(data, error);
}

bool TMetafile::ParseWmf(QString *error)
{
    const bool placeable = u32(m_data, 0) == PlaceableKey;
    const qsizetype header = placeable ? PlaceableSize : 0;
    if (m_data.size() < header + WmfHeaderSize)
        return fail(error, QStringLiteral("Metafile is truncated"));
    const quint16 type = u16(m_data, header);
    const quint16 headerWords = u16(m_data, header + 2);
    if ((type != 1 && type != 2) || headerWords != 9)
        return fail(error, QStringLiteral("Not a metafile"));
    // Every record must lie inside the file; the window is noted for a plain file.
    QPoint windowOrg;
    QSize windowExt;
    qsizetype at = header + WmfHeaderSize;
    bool ended = false;
    for (int records = 0; at + 6 <= m_data.size(); ++records) {
        if (records >= MaxRecords)
            return fail(error, QStringLiteral("Metafile has too many records"));
        const quint32 words = u32(m_data, at);
        const quint16 function = u16(m_data, at + 4);
        if (words < 3 || qint64(words) * 2 > m_data.size() - at)
            return fail(error, QStringLiteral("Metafile record outside the file"));
        if (function == 0) {
            ended = true;
            break;
        }
        if (function == 0x020B && words >= 5 && windowExt.isEmpty())
            windowOrg = QPoint(i16(m_data, at + 8), i16(m_data, at + 6));
        if (function == 0x020C && words >= 5 && windowExt.isEmpty())
            windowExt = QSize(i16(m_data, at + 8), i16(m_data, at + 6));
        at += qsizetype(words) * 2;
    }
    if (!ended && at != m_data.size())
        return fail(error, QStringLiteral("Metafile is truncated"));
    if (placeable) {
        m_wmfBox = QRect(QPoint(i16(m_data, 6), i16(m_data, 8)), QPoint(i16(m_data, 10), i16(m_data, 12)));
        m_wmfBox.setSize(QSize(i16(m_data, 10) - i16(m_data, 6), i16(m_data, 12) - i16(m_data, 8)));
        m_wmfInch = u16(m_data, 14);
    } else {
        // A plain file: its window is its frame, at 1440 units per inch, and a
        // placeable header is put in front so the stored form is complete.
        if (windowExt.isEmpty())
            return fail(error, QStringLiteral("Metafile without a size"));
        m_wmfBox = QRect(windowOrg, QSize(std::abs(windowExt.width()), std::abs(windowExt.height())));
        m_wmfInch = 1440;
        QByteArray head(PlaceableSize, '\0');
        char *h = head.data();
        qToLittleEndian<quint32>(PlaceableKey, h);
        qToLittleEndian<qint16>(qint16(m_wmfBox.left()), h + 6);
        qToLittleEndian<qint16>(qint16(m_wmfBox.top()), h + 8);
        qToLittleEndian<qint16>(qint16(m_wmfBox.left() + m_wmfBox.width()), h + 10);
        qToLittleEndian<qint16>(qint16(m_wmfBox.top() + m_wmfBox.height()), h + 12);
        qToLittleEndian<quint16>(quint16(m_wmfInch), h + 14);
        quint16 sum = 0;
        for (int i = 0; i < 10; ++i)
            sum ^= qFromLittleEndian<quint16>(h + 2 * i);
        qToLittleEndian<quint16>(sum, h + 20);
        m_data.prepend(head);
    }
    if (m_wmfInch <= 0 || m_wmfBox.width() == 0 || m_wmfBox.height() == 0)
        return fail(error, QStringLiteral("Metafile without a size"));
    m_inches = QSizeF(std::abs(double(m_wmfBox.width())) / m_wmfInch, std::abs(double(m_wmfBox.height())) / m_wmfInch);
    if (!sizeOk(m_inches))
        return fail(error, QStringLiteral("Metafile size out of range"));
    m_frame = m_inches * FrameUnitsPerInch;
    return true;
}

bool TMetafile::ParseEmf(QString *error)
{
    const quint32 headerSize = u32(m_data, 4);
    if (headerSize < 88 || headerSize > quint32(m_data.size()))
        return fail(error, QStringLiteral("Metafile is truncated"));
    qsizetype at = 0;
    bool ended = false;
    for (int records = 0; at + 8 <= m_data.size(); ++records) {
        if (records >= MaxRecords)
            return fail(error, QStringLiteral("Metafile has too many records"));
        const quint32 type = u32(m_data, at);
        const quint32 size = u32(m_data, at + 4);
        if (size < 8 || size % 4 != 0 || qint64(size) > m_data.size() - at)
            return fail(error, QStringLiteral("Metafile record outside the file"));
        // The library checks each record's own counts and offsets against
        // its size, so the player never reads past a record.
        if (!U_emf_record_safe(m_data.constData() + at) || !emfCountsFit(m_data, at, type, size))
            return fail(error, QStringLiteral("Damaged metafile record"));
        at += size;
        if (type == U_EMR_EOF) {
            ended = true;
            break;
        }
    }
    if (!ended)
        return fail(error, QStringLiteral("Metafile is truncated"));
    const QRect frame(QPoint(i32(m_data, 24), i32(m_data, 28)), QPoint(i32(m_data, 32), i32(m_data, 36)));
    double w = double(frame.right()) - frame.left();
    double h = double(frame.bottom()) - frame.top();
    if (w <= 0 || h <= 0) {
        // No frame: the bounds in reference-device pixels.
        const double devW = i32(m_data, 72), devH = i32(m_data, 76);
        const double mmW = i32(m_data, 80), mmH = i32(m_data, 84);
        if (devW <= 0 || devH <= 0 || mmW <= 0 || mmH <= 0)
            return fail(error, QStringLiteral("Metafile without a size"));
        w = (double(i32(m_data, 16)) - i32(m_data, 8)) * mmW * 100 / devW;
        h = (double(i32(m_data, 20)) - i32(m_data, 12)) * mmH * 100 / devH;
    }
    m_inches = QSizeF(w / FrameUnitsPerInch, h / FrameUnitsPerInch);
    if (!sizeOk(m_inches))
        return fail(error, QStringLiteral("Metafile size out of range"));
    m_frame = QSizeF(w, h);
    return true;
}

QSize TMetafile::Size() const
{
    const int ppi = ScreenMetrics::pixelsPerInch();
    return QSize(int(std::lround(m_inches.width() * ppi)), int(std::lround(m_inches.height() * ppi)));
}

void TMetafile::Play(QPainter &painter, const QRectF &target) const
{
    if (target.isEmpty() || m_frame.isEmpty())
        return;
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / m_frame.width(), target.height() / m_frame.height());
    PlayFrame(painter);
    painter.restore();
}

const QPicture &TMetafile::Picture() const
{
    if (!m_picture) {
        m_picture = std::make_unique<QPicture>();
        QPainter painter(m_picture.get());
        PlayFrame(painter);
        painter.end();
        m_picture->setBoundingRect(QRect(0, 0, int(std::ceil(m_frame.width())), int(std::ceil(m_frame.height()))));
    }
    return *m_picture;
}

void TMetafile::PlayFrame(QPainter &painter) const
{
    painter.save();
    // Clip art is drawn smoothed: shapes made of thin polygons keep their weight.
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setClipRect(QRectF(QPointF(0, 0), m_frame), Qt::IntersectClip);
    if (m_kind == mkWmf)
        MetafilePlayer::PlayWmf(painter, m_data, m_wmfBox, m_wmfInch, m_frame);
    else
        MetafilePlayer::PlayEmf(painter, m_data, m_frame);
    painter.restore();
}
