#pragma once

#include <QImage>
#include <QString>

class TMainScreen;

// "Save As Bitmap" and "Save As JPG": the card at 100 % as a picture file,
// with a thin black border if the user wants one.
class TCardExport
{
public:
    enum class Format { Bitmap, Jpeg };

    explicit TCardExport(TMainScreen &screen) : m_screen(screen) {}

    void SaveAs(Format format);

    // The name the save dialog suggests: "BusinessCard.Bmp" / "BusinessCard.JPG"
    // in the program folder for a new card, otherwise the document's path
    // with the picture's extension.
    static QString SuggestedName(Format format, const QString &documentPath);
    // A one-pixel black frame along the picture's edges.
    static void DrawBorder(QImage &picture);
    // Writes a 24-bit BMP or a quality-100 JPEG; false with `error` on failure.
    static bool WritePicture(const QImage &picture, Format format, const QString &path,
                             QString *error);

private:
    bool Export(Format format, const QString &path, QString *error);

    TMainScreen &m_screen;
};
