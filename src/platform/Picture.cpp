#include "platform/Picture.h"

#include "platform/PictureFiles.h"

#include <QFileInfo>
#include <QtEndian>

#include <atomic>

namespace {

quint64 nextSerial()
{
    static std::atomic<quint64> serial{0};
    return ++serial;
}

bool fail(QString *error, const QString &message)
{
    if (error)
        *error = message;
    return false;
}

void appendU32(QByteArray &out, quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

const QByteArray BitmapClass = QByteArrayLiteral("TBitmap");
const QByteArray MetafileClass = QByteArrayLiteral("TMetafile");

} // namespace

int TPicture::Width() const
{
    if (IsBitmap())
        return m_bitmap.width();
    return m_metafile ? m_metafile->Width() : 0;
}

int TPicture::Height() const
{
    if (IsBitmap())
        return m_bitmap.height();
    return m_metafile ? m_metafile->Height() : 0;
}

void TPicture::SetBitmap(const QImage &bitmap, const QByteArray &bmpFile)
{
    m_bitmap = bitmap;
    m_bmpFile = bitmap.isNull() ? QByteArray() : bmpFile;
    m_metafile.reset();
    m_serial = nextSerial();
}

void TPicture::SetMetafile(std::shared_ptr<const TMetafile> metafile)
{
    m_bitmap = QImage();
    m_bmpFile.clear();
    m_metafile = std::move(metafile);
    m_serial = nextSerial();
}

void TPicture::Clear()
{
    m_bitmap = QImage();
    m_bmpFile.clear();
    m_metafile.reset();
    m_serial = nextSerial();
}

bool TPicture::LoadFromFile(const QString &fileName, QString *error)
{
    const QString ext = QFileInfo(fileName).suffix().toUpper();
    if (ext == QLatin1String("WMF") || ext == QLatin1String("EMF")) {
        auto metafile = TMetafile::FromFile(fileName, error);
        if (!metafile)
            return false;
        SetMetafile(std::move(metafile));
        return true;
    }
    if (ext == QLatin1String("BMP")) {
        // A bitmap file is kept as it is, so a saved card holds the same bytes.
        QByteArray data;
        if (!PictureFiles::ReadWholeFile(fileName, data, error))
            return false;
        const QImage image = PictureFiles::DecodeBitmap(data, error);
        if (image.isNull())
            return false;
        SetBitmap(image, data);
        return true;
    }
    const QImage image = LoadPictureFile(fileName, error);
    if (image.isNull())
        return false;
    SetBitmap(image);
    return true;
}

QByteArray TPicture::ToData() const
{
    if (IsEmpty())
        return QByteArray();
    QByteArray out;
    if (IsBitmap()) {
        const QByteArray file = m_bmpFile.isEmpty() ? PictureFiles::EncodeBitmap(m_bitmap) : m_bmpFile;
        out.append(char(BitmapClass.size())).append(BitmapClass);
        appendU32(out, quint32(file.size()));
        out.append(file);
    } else {
        const QByteArray &file = m_metafile->Data();
        out.append(char(MetafileClass.size())).append(MetafileClass);
        appendU32(out, quint32(file.size() + 4));
        out.append(file);
    }
    return out;
}

bool TPicture::FromData(const QByteArray &data, QString *error)
{
    if (data.isEmpty()) {
        Clear();
        return true;
    }
    const int nameLength = quint8(data[0]);
    if (data.size() < 1 + nameLength + 4)
        return fail(error, QStringLiteral("Picture data is truncated"));
    const QByteArray className = data.mid(1, nameLength);
    const quint32 length = qFromLittleEndian<quint32>(data.constData() + 1 + nameLength);
    const QByteArray rest = data.mid(1 + nameLength + 4);
    if (className == BitmapClass) {
        if (length > quint32(rest.size()))
            return fail(error, QStringLiteral("Picture data is truncated"));
        const QByteArray file = rest.left(length);
        const QImage image = PictureFiles::DecodeBitmap(file, error);
        if (image.isNull())
            return false;
        SetBitmap(image, file);
        return true;
    }
    if (className == MetafileClass) {
        if (length < 4 || length - 4 > quint32(rest.size()))
            return fail(error, QStringLiteral("Picture data is truncated"));
        auto metafile = TMetafile::FromData(rest.left(length - 4), error);
        if (!metafile)
            return false;
        SetMetafile(std::move(metafile));
        return true;
    }
    return fail(error, QStringLiteral("Unknown picture class ") + QString::fromLatin1(className));
}
