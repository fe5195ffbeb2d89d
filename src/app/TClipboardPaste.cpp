#include "app/TClipboardPaste.h"

#include "app/TCardDrops.h"
#include "design/TGBusinessCardPanel32.h"
#include "objects/TGBusinessCardLabel.h"
#include "objects/TGImage.h"
#include "objects/TGMultiLineLabel.h"

#include <QBuffer>
#include <QImage>
#include <QMimeData>

namespace {

// Longer text is almost certainly a mistake; a label of it would freeze
// the card while it is measured.
constexpr int kMaxPastedCharacters = 4000;
constexpr int kMaxPastedLines = 40;

// Half the card's size: a box of even size centred on it has equal margins.
QPoint cardCentre(const TGBusinessCardPanel32 &panel)
{
    return QPoint(panel.width() / 2, panel.height() / 2);
}

// The clipboard's picture as PNG: the bytes as the other program gave them
// when they are PNG already, else the image encoded.
QByteArray pngOf(const QMimeData &data)
{
    const QByteArray png = data.data(QStringLiteral("image/png"));
    if (!png.isEmpty())
        return png;
    const QImage image = qvariant_cast<QImage>(data.imageData());
    if (image.isNull())
        return {};
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return encoded;
}

bool pastePicture(TGBusinessCardPanel32 &panel, const QByteArray &png)
{
    TPicture picture;
    if (!picture.LoadFromData(png, QStringLiteral("Pasted.png")))
        return false;
    auto *image = new TGImage(&panel);
    image->Loaded();
    panel.PlaceObject(image, TCardDrops::PictureBox(picture, cardCentre(panel), panel));
    image->SetPicture(picture);
    image->NotifyChanged();
    panel.SelectOnly({image});
    return true;
}

bool pasteText(TGBusinessCardPanel32 &panel, QString text)
{
    text = text.left(kMaxPastedCharacters);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList lines = text.split(QLatin1Char('\n'));
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
    while (!lines.isEmpty() && lines.first().trimmed().isEmpty())
        lines.removeFirst();
    if (lines.isEmpty())
        return false;
    lines = lines.mid(0, kMaxPastedLines);
    TGGraphicControl *placed = nullptr;
    if (lines.size() == 1) {
        auto *label = new TGBusinessCardLabel(&panel);
        label->Loaded();
        label->SetFont(panel.Font());
        label->SetCaption(lines.first().trimmed());
        panel.PlaceObject(label, QRect(0, 0, 10, 15));
        label->FitToText();
        placed = label;
    } else {
        auto *label = new TGMultiLineLabel(&panel);
        label->Loaded();
        label->SetFont(panel.Font());
        label->SetItems(lines);
        panel.PlaceObject(label, QRect(0, 0, 10, 15));
        label->FitLines();
        placed = label;
    }
    // Centred on the card, or at its corner when wider than the card.
    const QRect box = placed->BoundsRect();
    const QPoint centre = cardCentre(panel);
    placed->SetBounds(std::max(0, centre.x() - box.width() / 2), std::max(0, centre.y() - box.height() / 2),
                      box.width(), box.height());
    placed->NotifyChanged();
    panel.SelectOnly({placed});
    return true;
}

} // namespace

bool PasteForeignContent(TGBusinessCardPanel32 &panel, const QMimeData &data)
{
    if (data.hasImage() || data.hasFormat(QStringLiteral("image/png"))) {
        if (pastePicture(panel, pngOf(data)))
            return true;
    }
    return data.hasText() && pasteText(panel, data.text());
}

void InstallClipboardPaste(TGBusinessCardPanel32 &panel)
{
    panel.SetForeignPaste([&panel](const QMimeData &data) { return PasteForeignContent(panel, data); });
}
