#include "app/WindowsCopy.h"

#include "design/CardDocument.h"
#include "design/TGBusinessCardPanel32.h"
#include "objects/TGImage.h"
#include "platform/CaseInsensitivePath.h"
#include "platform/PictureFiles.h"
#include "platform/PlainFile.h"
#include "platform/ScreenMetrics.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace WindowsCopy {

bool Needed(const TGBusinessCardPanel32 &panel)
{
    for (TGGraphicControl *object : panel.Objects())
        if (auto *image = qobject_cast<TGImage *>(object); image && image->Picture().KeepsTransparency())
            return true;
    return false;
}

QString PathFor(const QString &path)
{
    const QFileInfo info(path);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(" (Windows).") + info.suffix());
}

bool Write(const QString &savedPath, const QString &copyPath, QString *error)
{
    TGBusinessCardPanel32 panel;
    if (!CardDocument::LoadFromFile(panel, savedPath, error))
        return false;
    const double dotsPerPixel = 300.0 / ScreenMetrics::pixelsPerInch();
    for (TGGraphicControl *object : panel.Objects()) {
        auto *image = qobject_cast<TGImage *>(object);
        if (!image || !image->Picture().KeepsTransparency())
            continue;
        const TPicture &picture = image->Picture();
        // An auto-sized box takes the picture's size: keep that size.
        const TPicture bitmap = image->AutoSize()
            ? picture.ToBitmapOnWhite(QSize(picture.Width(), picture.Height()), PictureFiles::MaxSide)
            : picture.ToBitmapOnWhite(QSize(int(image->Width() * dotsPerPixel), int(image->Height() * dotsPerPixel)),
                                      MaxSide);
        image->SetPicture(bitmap);
    }
    if (!CardDocument::SaveToFile(panel, copyPath, error))
        return false;
    const QString companion = CaseInsensitivePath::findExisting(CardDocument::CompanionFileName(savedPath));
    if (companion.isEmpty())
        return true;
    QByteArray ini;
    if (!PlainFile::read(companion, qint64(1) << 20, ini, error))
        return false;
    QSaveFile file(CardDocument::CompanionFileName(copyPath));
    if (!file.open(QIODevice::WriteOnly) || file.write(ini) != ini.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace WindowsCopy
