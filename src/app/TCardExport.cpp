#include "app/TCardExport.h"

#include "app/TMainScreen.h"
#include "design/TGBusinessCardPanel32.h"
#include "platform/AppRoutines.h"
#include "platform/Brush.h"
#include "platform/Canvas.h"
#include "platform/JpegWriter.h"
#include "platform/Pen.h"
#include "platform/UserDialogs.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>

namespace {

struct FormatTexts {
    const char *caption;
    const char *filter;
    const char *suffix;
    const char *defaultName;
};

FormatTexts textsOf(TCardExport::Format format)
{
    if (format == TCardExport::Format::Jpeg)
        return {"Save Card As JPG", "JPG File (*.JPG)", "JPG", "BusinessCard.JPG"};
    return {"Save Card As Bitmap", "Bitmap File (*.BMP)", "BMP", "BusinessCard.Bmp"};
}

bool writeBitmap(const QImage &picture, const QString &path, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    QImageWriter writer(&file, "bmp");
    // An RGB888 picture is written with 24 bits per pixel.
    if (!writer.write(picture.convertToFormat(QImage::Format_RGB888))) {
        *error = writer.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace

QString TCardExport::SuggestedName(Format format, const QString &documentPath)
{
    const FormatTexts texts = textsOf(format);
    if (documentPath.isEmpty())
        return ProgramFolder() + QLatin1String(texts.defaultName);
    const QFileInfo info(documentPath);
    return info.path() + QLatin1Char('/') + info.completeBaseName() + QLatin1Char('.')
        + QLatin1String(texts.suffix);
}

void TCardExport::DrawBorder(QImage &picture)
{
    TCanvas canvas(&picture);
    canvas.brush().style = bsClear;
    canvas.pen() = TPen();
    canvas.pen().color = clBlack;
    canvas.pen().width = 1;
    canvas.rectangle(0, 0, picture.width(), picture.height());
}

bool TCardExport::WritePicture(const QImage &picture, Format format, const QString &path,
                               QString *error)
{
    if (format == Format::Jpeg)
        return JpegWriter::Write(picture, path, 100, error);
    return writeBitmap(picture, path, error);
}

void TCardExport::SaveAs(Format format)
{
    // The picture is taken at 100 %, and the card stays there afterwards.
    m_screen.SetZoom(1.0f);
    if (format == Format::Jpeg)
        QCoreApplication::processEvents();
    const FormatTexts texts = textsOf(format);
    const QString path = UserDialogs::current().saveFileName(
        QLatin1String(texts.caption), SuggestedName(format, m_screen.DocumentPath()),
        QLatin1String(texts.filter), QLatin1String(texts.suffix));
    if (path.isEmpty())
        return;
    QString error;
    if (Export(format, path, &error))
        Inform(QStringLiteral("Saved as ") + path);
    else
        UserDialogs::current().error(QStringLiteral("Unable to save %1: %2").arg(path, error));
}

bool TCardExport::Export(Format format, const QString &path, QString *error)
{
    const bool border = Ask(QStringLiteral("Would you like to draw a border around the card?"),
                            QStringLiteral("Save"));
    bool ok = false;
    {
        BusyCursorScope busy;
        TGBusinessCardPanel32 &panel = *m_screen.BusinessCardPanel;
        panel.repaint();
        QCoreApplication::processEvents();
        QImage picture = panel.RenderToBitmap();
        if (border)
            DrawBorder(picture);
        ok = WritePicture(picture, format, path, error);
        panel.update();
    }
    QCoreApplication::processEvents();
    m_screen.UpdateButtons();
    return ok;
}
