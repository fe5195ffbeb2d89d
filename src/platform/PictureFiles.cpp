#include "platform/PictureFiles.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace {

// Large enough for any real clip art or photo, small enough that a file
// claiming absurd dimensions cannot exhaust memory.
constexpr int MaxPictureSide = 20000;

QByteArray formatOf(const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == u"jpg" || suffix == u"jpeg" || suffix == u"jif")
        return "jpeg";
    if (suffix == u"bmp")
        return "bmp";
    if (suffix == u"ico")
        return "ico";
    return {};
}

} // namespace

QImage LoadPictureData(const QByteArray &data, const QString &fileName, QString *error)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, formatOf(fileName));
    reader.setDecideFormatFromContent(true);
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > MaxPictureSide || size.height() > MaxPictureSide)) {
        if (error)
            *error = QStringLiteral("The picture is too large.");
        return {};
    }
    QImage image = reader.read();
    if (image.isNull() && error)
        *error = reader.errorString();
    return image;
}

QImage LoadPictureFile(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return {};
    }
    return LoadPictureData(file.readAll(), path, error);
}
