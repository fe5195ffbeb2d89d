#include "report/RecordedJob.h"

#include <QBuffer>
#include <QDataStream>
#include <QIODevice>

namespace {

constexpr quint32 kMagic = 0x4B56524A; // "KVRJ"
constexpr quint16 kVersion = 1;
constexpr int kMaxPages = 100000;

} // namespace

QSizeF RecordedJob::pageSizeInches() const
{
    if (!metrics.isValid())
        return {};
    return QSizeF(double(metrics.page.width()) / metrics.dpiX,
                  double(metrics.page.height()) / metrics.dpiY);
}

bool RecordedJob::write(QIODevice &stream) const
{
    QDataStream out(&stream);
    out.setVersion(QDataStream::Qt_6_4);
    out << kMagic << kVersion << title << qint32(metrics.dpiX) << qint32(metrics.dpiY)
        << metrics.page << metrics.printable << qint32(pages.size());
    for (const QPicture &page : pages)
        out << QByteArray(page.data(), page.size());
    return out.status() == QDataStream::Ok;
}

QByteArray RecordedJob::toByteArray() const
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    write(buffer);
    return buffer.data();
}

std::optional<RecordedJob> RecordedJob::read(QIODevice &stream)
{
    QDataStream in(&stream);
    in.setVersion(QDataStream::Qt_6_4);
    quint32 magic = 0;
    quint16 version = 0;
    in >> magic >> version;
    if (magic != kMagic || version != kVersion)
        return std::nullopt;
    RecordedJob job;
    qint32 dpiX = 0, dpiY = 0, count = 0;
    in >> job.title >> dpiX >> dpiY >> job.metrics.page >> job.metrics.printable >> count;
    job.metrics.dpiX = dpiX;
    job.metrics.dpiY = dpiY;
    if (in.status() != QDataStream::Ok || !job.metrics.isValid() || count < 0 || count > kMaxPages)
        return std::nullopt;
    for (qint32 i = 0; i < count; ++i) {
        QByteArray data;
        in >> data;
        // Every recorded page starts with the picture format's own signature.
        if (in.status() != QDataStream::Ok || (!data.isEmpty() && !data.startsWith("QPIC")))
            return std::nullopt;
        QPicture page;
        if (!data.isEmpty())
            page.setData(data.constData(), uint(data.size()));
        job.pages.append(page);
    }
    return job;
}

std::optional<RecordedJob> RecordedJob::fromByteArray(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return read(buffer);
}
