#include "objects/TGImage.h"

#include "design/TGBusinessCardPanel32.h"
#include "design/stream/StreamError.h"
#include "objects/TGImageBrowser.h"
#include "platform/Canvas.h"
#include "platform/Numbers.h"
#include "platform/UserDialogs.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QPainter>

#include <algorithm>
#include <cmath>

TGImage::TGImage(QObject *owner) : TGGraphicControl(owner)
{
    InitSize(105, 105);
}

TGImage::~TGImage() = default;

const TPropertyList &TGImage::properties()
{
    using C = TGImage;
    static const TPropertyList list = TPropertyBuilder<C>(TGGraphicControl::properties())
        .boolean("AutoSize", &C::AutoSize, &C::SetAutoSize, false)
        .enumeration("BorderStyle", borderStyleNames(), &C::BorderStyle, &C::SetBorderStyle)
        .picture("Picture", &C::PictureData, &C::SetPictureData)
        .boolean("Stretch", &C::Stretch, &C::SetStretch, true)
        .boolean("Reverse", &C::Reverse, &C::SetReverse)
        .boolean("Flip", &C::Flip, &C::SetFlip)
        .build();
    return list;
}

void TGImage::SetAutoSize(bool value)
{
    m_autoSize = value;
    m_stretch = !value;
    if (IsLoading())
        return;
    PictureChanged();
    NotifyChanged();
}

void TGImage::SetStretch(bool value)
{
    m_stretch = value;
    m_autoSize = !value;
    Invalidate();
}

void TGImage::SetBorderStyle(TBorderStyle value)
{
    if (value == m_borderStyle)
        return;
    m_borderStyle = value;
    Invalidate();
    if (!IsLoading())
        NotifyChanged();
}

void TGImage::SetFlip(bool value)
{
    if (value == m_flip)
        return;
    m_flip = value;
    Invalidate();
    if (!IsLoading())
        NotifyChanged();
}

void TGImage::SetReverse(bool value)
{
    if (value == m_reverse)
        return;
    m_reverse = value;
    Invalidate();
    if (!IsLoading())
        NotifyChanged();
}

void TGImage::SetPicture(const TPicture &picture)
{
    m_picture = picture;
    PictureChanged();
}

void TGImage::SetPictureData(const QByteArray &data)
{
    TPicture picture;
    QString error;
    if (!picture.FromData(data, &error))
        throw StreamError(QStringLiteral("Picture: ") + error);
    SetPicture(picture);
}

void TGImage::PictureChanged()
{
    if (!IsLoading())
        BoundsChanged();
    Invalidate();
}

void TGImage::BoundsChanged()
{
    TGGraphicControl::BoundsChanged();
    const int w = m_picture.Width(), h = m_picture.Height();
    if (m_autoSize && w > 0 && h > 0)
        SetBounds(Left(), Top(), Numbers::roundHalfEven(double(w) * double(Zoom())),
                  Numbers::roundHalfEven(double(h) * double(Zoom())));
}

// ---- the clip-art browser ----

void TGImage::LoadImageFromDisk()
{
    // The browser's directory list moves the current directory about.
    const QString remembered = QDir::currentPath();
    {
        TGImageBrowser browser;
        browser.SetStretch(m_stretch);
        browser.SetAutoSize(m_autoSize);
        const int result = UserDialogs::runModal(browser);
        // The previewed picture is the one chosen, whether or not its file
        // is still selected in the list. A file that could not be read has
        // said so and cleared the preview, so the picture stays as it was (a
        // new, still empty object is then discarded).
        if (result == QDialog::Accepted && !browser.PreviewPicture().IsEmpty()) {
            // The file already loaded for the preview, not a second read.
            m_picture = browser.PreviewPicture();
            m_stretch = browser.StretchChecked();
            m_autoSize = browser.AutoSizeChecked();
            PictureChanged();
            NotifyChanged();
        }
    }
    QDir::setCurrent(remembered);
}

void TGImage::SizeToPicture(QSize room)
{
    if (m_picture.IsEmpty() || m_picture.Width() <= 0 || m_picture.Height() <= 0)
        return;
    // The picture's own pixels at the object's zoom, scaled down (never up)
    // to fit the room, and moved back inside it.
    const double z = double(Zoom());
    const double w = m_picture.Width() * z, h = m_picture.Height() * z;
    const double scale = std::min({1.0, room.width() / w, room.height() / h});
    const int width = std::max(1, int(std::lround(w * scale)));
    const int height = std::max(1, int(std::lround(h * scale)));
    const int left = std::clamp(Left(), 0, std::max(0, room.width() - width));
    const int top = std::clamp(Top(), 0, std::max(0, room.height() - height));
    SetBounds(left, top, width, height);
}

// ---- menu ----

void TGImage::BuildMenu()
{
    TGGraphicControl::BuildMenu();
    AddMenuSeparator();
    AddMenuItem("Load Image From Disk", [this] { LoadImageFromDisk(); });
    AddMenuSeparator();
    auto tick = [this](const QString &caption, std::function<void()> action) {
        QAction *item = AddMenuItem(caption, std::move(action));
        item->setCheckable(true);
        return item;
    };
    m_borderItem = tick("Border", [this] { SetBorderStyle(m_borderStyle == bsSingle ? bsNone : bsSingle); });
    m_stretchItem = tick("Stretch to Fit", [this] {
        SetStretch(!m_stretch);
        Invalidate();
    });
    m_autoSizeItem = tick("AutoSize", [this] {
        SetAutoSize(!m_autoSize);
        Invalidate();
    });
    m_flipItem = tick("Flip", [this] { SetFlip(!m_flip); });
    m_reverseItem = tick("Reverse", [this] { SetReverse(!m_reverse); });
}

void TGImage::RefreshPopup()
{
    TGGraphicControl::RefreshPopup();
    if (!m_borderItem)
        return;
    m_borderItem->setChecked(m_borderStyle == bsSingle);
    m_stretchItem->setChecked(m_stretch);
    m_autoSizeItem->setChecked(m_autoSize);
    m_flipItem->setChecked(m_flip);
    m_reverseItem->setChecked(m_reverse);
    m_flipItem->setEnabled(m_picture.IsBitmap() || m_picture.IsSvg());
    m_reverseItem->setEnabled(m_picture.IsBitmap() || m_picture.IsSvg());
}

// ---- drawing ----

TGImage::TCacheKey TGImage::CacheKey(qreal ratio, bool smooth) const
{
    return {m_picture.Serial(), QSize(Width(), Height()), m_flip, m_reverse, m_borderStyle, ratio, smooth};
}

QImage TGImage::MirroredBitmap() const
{
    QImage mirrored(std::max(1, Width()), std::max(1, Height()), QImage::Format_RGB32);
    mirrored.fill(Qt::white);
    TCanvas canvas(&mirrored);
    // The destination runs backwards along a mirrored axis.
    canvas.stretchDraw(m_reverse ? Width() - 1 : 0, m_flip ? Height() - 1 : 0, m_reverse ? -Width() : Width(),
                       m_flip ? -Height() : Height(), m_picture.Bitmap());
    return mirrored;
}

QImage TGImage::Compose(qreal ratio, bool smooth) const
{
    const TCacheKey key = CacheKey(ratio, smooth);
    if (!m_cache.isNull() && key == m_cacheKey)
        return m_cache;
    const int w = std::max(1, Width()), h = std::max(1, Height());
    QImage image;
    if (m_picture.KeepsTransparency()) {
        image = QImage(QSize(w, h) * ratio, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::transparent);
        DrawTransparent(image);
    } else {
        image = QImage(QSize(w, h) * ratio, QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::white);
        if (m_picture.IsBitmap()) {
            TCanvas canvas(&image);
            canvas.setSmooth(smooth);
            if (m_flip || m_reverse)
                canvas.stretchDraw(m_reverse ? Width() - 1 : 0, m_flip ? Height() - 1 : 0,
                                   m_reverse ? -Width() : Width(), m_flip ? -Height() : Height(), m_picture.Bitmap());
            else
                canvas.stretchDraw(QRect(0, 0, Width(), Height()), m_picture.Bitmap());
        } else if (m_picture.IsMetafile()) {
            QPainter painter(&image);
            m_picture.Metafile()->Play(painter, QRectF(0, 0, Width(), Height()));
        }
    }
    {
        TCanvas canvas(&image);
        if (m_picture.IsEmpty()) {
            canvas.setPen(TPen());
            canvas.setBrush(TBrush());
            canvas.rectangle(0, 0, Width(), Height());
        }
        if (m_borderStyle == bsSingle) {
            TPen pen;
            pen.color = clBlack;
            pen.width = 1;
            pen.style = psSolid;
            canvas.setPen(pen);
            TBrush brush;
            brush.style = bsClear;
            canvas.setBrush(brush);
            canvas.rectangle(0, 0, Width(), Height());
        }
    }
    m_cache = image;
    m_cacheKey = key;
    return image;
}

void TGImage::DrawTransparent(QImage &image) const
{
    QPainter painter(&image);
    if (m_picture.IsSvg()) {
        m_picture.Svg()->Play(painter, QRectF(0, 0, Width(), Height()), m_reverse, m_flip);
        return;
    }
    // Scaled smoothly once per box size, in device pixels: a photo or logo
    // shrunk to the box keeps its detail, and stays sharp on HiDPI screens.
    const QImage scaled = m_picture.ScreenBitmap().scaled(image.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    painter.drawImage(QRectF(0, 0, Width(), Height()), scaled.mirrored(m_reverse, m_flip));
}

void TGImage::Paint(TCanvas &canvas)
{
    const auto *panel = qobject_cast<TGBusinessCardPanel32 *>(Panel());
    if (panel && panel->PaintingSuppressed())
        return;
    if (Width() <= 0 || Height() <= 0)
        return;
    const QPaintDevice *device = canvas.device();
    canvas.draw(0, 0, Compose(device ? device->devicePixelRatioF() : 1.0, canvas.smooth()));
    TGGraphicControl::Paint(canvas);
}
