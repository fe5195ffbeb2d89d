#include "platform/Picture.h"

#include "platform/PictureFiles.h"

#include <QFileInfo>
#include <QPainter>
#include <QStringList>
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

// The classes kept as their own files, in TKind order from pkPng.
const QByteArray FileClasses[] = {QByteArrayLiteral("TPngImage"), QByteArrayLiteral("TGIFImage"),
                                  QByteArrayLiteral("TTiffImage"), QByteArrayLiteral("TWebPImage"),
                                  QByteArrayLiteral("TSvgImage")};

// Full-resolution decodes of large pictures, kept for the next few calls
// (a sheet prints the same picture on every position).
struct TFullImage {
    quint64 serial;
    QImage image;
};
QList<TFullImage> &fullImages()
{
    static QList<TFullImage> images;
    return images;
}

} // namespace

int TPicture::Width() const
{
    if (IsBitmap())
        return m_size.width();
    if (m_metafile)
        return m_metafile->Width();
    return m_svg ? m_svg->Width() : 0;
}

int TPicture::Height() const
{
    if (IsBitmap())
        return m_size.height();
    if (m_metafile)
        return m_metafile->Height();
    return m_svg ? m_svg->Height() : 0;
}

QImage TPicture::Bitmap() const
{
    if (m_bitmap.size() == m_size || !IsImage())
        return m_bitmap;
    QList<TFullImage> &cache = fullImages();
    for (qsizetype i = 0; i < cache.size(); ++i) {
        if (cache[i].serial == m_serial) {
            cache.move(i, 0);
            return cache.first().image;
        }
    }
    const QImage full = PictureFiles::DecodeImage(m_file);
    if (full.isNull())
        return m_bitmap; // decoded once already; only memory can fail now
    cache.prepend({m_serial, full});
    while (cache.size() > 2)
        cache.removeLast();
    return full;
}

void TPicture::SetBitmap(const QImage &bitmap, const QByteArray &bmpFile)
{
    m_kind = bitmap.isNull() ? pkEmpty : pkBitmap;
    m_bitmap = bitmap;
    m_size = bitmap.size();
    m_file = bitmap.isNull() ? QByteArray() : bmpFile;
    m_metafile.reset();
    m_svg.reset();
    m_serial = nextSerial();
}

void TPicture::SetMetafile(std::shared_ptr<const TMetafile> metafile)
{
    Clear();
    m_kind = metafile ? pkMetafile : pkEmpty;
    m_metafile = std::move(metafile);
}

void TPicture::Clear()
{
    m_kind = pkEmpty;
    m_bitmap = QImage();
    m_size = QSize();
    m_file.clear();
    m_metafile.reset();
    m_svg.reset();
    m_serial = nextSerial();
}

bool TPicture::SetImageFile(const QByteArray &file, QString *error)
{
    const PictureFiles::TImageFormat format = PictureFiles::ImageFormatOf(file);
    QImage image = PictureFiles::DecodeImage(file, error);
    if (image.isNull())
        return false;
    Clear();
    m_size = image.size();
    if (std::max(image.width(), image.height()) > ScreenSide)
        image = image.scaled(ScreenSide, ScreenSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    m_bitmap = image;
    m_file = file;
    switch (format) {
    case PictureFiles::TImageFormat::Png: m_kind = pkPng; break;
    case PictureFiles::TImageFormat::Gif: m_kind = pkGif; break;
    case PictureFiles::TImageFormat::Tiff: m_kind = pkTiff; break;
    default: m_kind = pkWebP; break;
    }
    return true;
}

bool TPicture::SetSvgFile(const QByteArray &file, QString *error)
{
    auto svg = TSvgDrawing::FromData(file, error);
    if (!svg)
        return false;
    Clear();
    m_kind = pkSvg;
    m_svg = std::move(svg);
    return true;
}

QStringList TPicture::Extensions()
{
    return {"BMP", "JPG", "JIF", "JPEG", "ICO", "WMF", "EMF", "PNG", "GIF", "TIF", "TIFF", "WEBP", "SVG", "SVGZ"};
}

bool TPicture::LoadFromData(const QByteArray &data, const QString &fileName, QString *error)
{
    const QString ext = QFileInfo(fileName).suffix().toUpper();
    if (PictureFiles::ImageFormatOf(data) != PictureFiles::TImageFormat::None)
        return SetImageFile(data, error);
    const bool svg = ext == QLatin1String("SVG") || ext == QLatin1String("SVGZ");
    if (svg || (ext.isEmpty() && !data.startsWith("BM") && TSvgDrawing::LooksLikeSvg(data)))
        return SetSvgFile(data, error);
    if (ext == QLatin1String("WMF") || ext == QLatin1String("EMF")) {
        auto metafile = TMetafile::FromData(data, error);
        if (!metafile)
            return false;
        SetMetafile(std::move(metafile));
        return true;
    }
    if (ext == QLatin1String("BMP") || (ext.isEmpty() && data.startsWith("BM"))) {
        // A bitmap file is kept as it is, so a saved card holds the same bytes.
        const QImage image = PictureFiles::DecodeBitmap(data, error);
        if (image.isNull())
            return false;
        SetBitmap(image, data);
        return true;
    }
    if (QStringList({"PNG", "GIF", "TIF", "TIFF", "WEBP"}).contains(ext))
        return fail(error, QStringLiteral("Damaged or truncated picture file"));
    const QImage image = LoadPictureData(data, fileName, error);
    if (image.isNull())
        return false;
    SetBitmap(image);
    return true;
}

bool TPicture::LoadFromFile(const QString &fileName, QString *error)
{
    QByteArray data;
    if (!PictureFiles::ReadWholeFile(fileName, data, error))
        return false;
    return LoadFromData(data, fileName, error);
}

QByteArray TPicture::ToData() const
{
    QByteArray out;
    switch (m_kind) {
    case pkEmpty: break;
    case pkBitmap: {
        const QByteArray file = m_file.isEmpty() ? PictureFiles::EncodeBitmap(m_bitmap) : m_file;
        out.append(char(BitmapClass.size())).append(BitmapClass);
        appendU32(out, quint32(file.size()));
        out.append(file);
        break;
    }
    case pkMetafile: {
        const QByteArray &file = m_metafile->Data();
        out.append(char(MetafileClass.size())).append(MetafileClass);
        appendU32(out, quint32(file.size() + 4));
        out.append(file);
        break;
    }
    default: {
        const QByteArray &name = FileClasses[m_kind - pkPng];
        out.append(char(name.size())).append(name);
        out.append(m_kind == pkSvg ? m_svg->Data() : m_file);
        break;
    }
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
    if (data.size() < 1 + nameLength)
        return fail(error, QStringLiteral("Picture data is truncated"));
    const QByteArray className = data.mid(1, nameLength);
    for (int kind = pkPng; kind <= pkSvg; ++kind) {
        if (className != FileClasses[kind - pkPng])
            continue;
        const QByteArray file = data.mid(1 + nameLength);
        TPicture picture;
        const bool ok = kind == pkSvg ? picture.SetSvgFile(file, error) : picture.SetImageFile(file, error);
        if (!ok)
            return false;
        if (picture.m_kind != kind)
            return fail(error, QStringLiteral("Picture data does not match its class ") + QString::fromLatin1(className));
        *this = picture;
        return true;
    }
    if (data.size() < 1 + nameLength + 4)
        return fail(error, QStringLiteral("Picture data is truncated"));
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

TPicture TPicture::ToBitmapOnWhite(QSize size, int maxSide) const
{
    if (!KeepsTransparency())
        return *this;
    QSize pixels = IsSvg() ? size : m_size;
    if (std::max(pixels.width(), pixels.height()) > maxSide)
        pixels.scale(maxSide, maxSide, Qt::KeepAspectRatio);
    pixels = pixels.expandedTo(QSize(1, 1));
    QImage white(pixels, QImage::Format_RGB32);
    white.fill(Qt::white);
    {
        QPainter painter(&white);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        if (IsSvg())
            m_svg->Play(painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
        else
            painter.drawImage(QRect(QPoint(0, 0), pixels), Bitmap());
    }
    TPicture bitmap;
    bitmap.SetBitmap(white);
    return bitmap;
}
