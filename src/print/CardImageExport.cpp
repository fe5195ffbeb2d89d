#include "print/CardImageExport.h"

#include "design/TGBusinessCardPanel32.h"
#include "platform/AppRoutines.h"
#include "platform/IniFile.h"
#include "print/PrintScopes.h"
#include "report/ImageTarget.h"
#include "report/TReport.h"

#include <QDir>
#include <QImageWriter>
#include <QPageSize>
#include <QSaveFile>

namespace CardImageExport {

namespace {
const QString Section = QStringLiteral("Print Shop");
} // namespace

QImage Render(const PrintShopExport::Card &card, int dpi, bool transparent)
{
    dpi = std::clamp(dpi, MinDpi, MaxDpi);
    ZoomScope zoom(card.Panel);
    const QPageSize paper(card.Size, QPageSize::Inch, QStringLiteral("Card"), QPageSize::ExactMatch);
    auto target = std::make_unique<ImageTarget>(SimulatedDevice(dpi, dpi, paper));
    target->setTransparent(transparent);
    ImageTarget &pages = *target;
    TReport job(std::move(target));
    job.setOrientation(poPortrait);
    job.onPrint = [&](TReport &j) {
        if (!transparent)
            PrintShopExport::PrintBackground(j, card, QRectF(QPointF(0, 0), card.Size));
        if (card.Panel) {
            PrintingScope printing(card.Panel);
            card.Panel->PrintAll(j, 0, 0);
        }
    };
    if (!job.run() || pages.pages().isEmpty())
        return QImage();
    return pages.pages().constFirst();
}

bool WritePicture(const QImage &picture, const QString &path, const QByteArray &format, QString *error)
{
    QSaveFile file(path);
    QString why;
    if (file.open(QIODevice::WriteOnly)) {
        QImageWriter writer(&file, format);
        if (format == "jpg")
            writer.setQuality(100);
        if (!writer.write(picture))
            why = writer.errorString();
        else if (!file.commit())
            why = file.errorString();
    } else {
        why = file.errorString();
    }
    if (why.isEmpty())
        return true;
    file.cancelWriting();
    if (error)
        *error = QStringLiteral("Unable to write %1: %2").arg(QDir::toNativeSeparators(path), why);
    return false;
}

Settings Remembered()
{
    const IniFile ini(SettingsFileName());
    Settings s;
    s.Dpi = std::clamp(ini.readInteger(Section, QStringLiteral("PngDpi"), DefaultDpi), MinDpi, MaxDpi);
    s.Transparent = ini.readBool(Section, QStringLiteral("PngTransparent"), false);
    return s;
}

void Remember(const Settings &settings)
{
    IniFile ini(SettingsFileName());
    ini.writeInteger(Section, QStringLiteral("PngDpi"), settings.Dpi);
    ini.writeBool(Section, QStringLiteral("PngTransparent"), settings.Transparent);
    ini.flush();
}

} // namespace CardImageExport
