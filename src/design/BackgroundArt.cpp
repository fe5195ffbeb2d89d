#include "design/BackgroundArt.h"

#include "design/CardPainting.h"
#include "platform/CaseInsensitivePath.h"
#include "platform/PictureFiles.h"
#include "platform/ScreenMetrics.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

namespace BackgroundArt {

bool Load(const QString &storedName, TPicture &picture, QString *error)
{
    // Screen, print and preview find the same file whatever case it is named in.
    const QString fileName = CaseInsensitivePath::findExisting(storedName);
    if (fileName.isEmpty()) {
        if (error)
            *error = QStringLiteral("File not found");
        return false;
    }
    static const QStringList own = {"BMP", "JPG", "JIF", "JPEG", "ICO", "WMF", "EMF"};
    if (own.contains(QFileInfo(fileName).suffix().toUpper()))
        return picture.LoadFromFile(fileName, error);
    QImageReader reader(fileName);
    const QSize size = reader.size();
    if (size.width() > PictureFiles::MaxSide || size.height() > PictureFiles::MaxSide) {
        if (error)
            *error = QStringLiteral("Picture size out of range");
        return false;
    }
    const QImage image = reader.read();
    if (image.isNull()) {
        if (error)
            *error = reader.errorString();
        return false;
    }
    picture.SetBitmap(image);
    return true;
}

QString NotLoadedMessage(const QString &fileName)
{
    const QString reason = QFileInfo::exists(fileName) ? QStringLiteral("cannot be read")
                                                       : QStringLiteral("cannot be found");
    return QStringLiteral("The background file \"%1\" %2; the card has no background.")
        .arg(QDir::toNativeSeparators(fileName), reason);
}

QImage TurnedForPortrait(const TPicture &picture)
{
    if (picture.IsBitmap())
        return CardPainting::rotateQuarterClockwise(picture.Bitmap());
    if (!picture.IsMetafile())
        return QImage();
    const int ppi = ScreenMetrics::pixelsPerInch();
    QImage card(int(3.5 * ppi), 2 * ppi, QImage::Format_RGB32);
    card.fill(Qt::white);
    {
        QPainter painter(&card);
        const TMetafile &metafile = *picture.Metafile();
        metafile.Play(painter, QRectF(0, 0, metafile.Width(), metafile.Height()));
    }
    return CardPainting::rotateQuarterClockwise(card);
}

} // namespace BackgroundArt
