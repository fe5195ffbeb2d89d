#pragma once

#include "design/TGGraphicControl.h"
#include "objects/BorderStyle.h"
#include "platform/Picture.h"

#include <QImage>

// A clip-art picture: a bitmap (from a BMP, JPEG or icon file) or a Windows
// metafile, drawn stretched to the box on a white ground; or a PNG, GIF,
// TIFF, WebP or SVG picture, drawn with its transparency (an SVG as vectors
// on paper). With `AutoSize` the box takes the picture's size times the
// zoom; `Stretch` is always the opposite of `AutoSize`. Bitmaps and SVG
// drawings can be mirrored (`Flip` top-bottom, `Reverse` left-right).
class TGImage : public TGGraphicControl
{
    Q_OBJECT
public:
    explicit TGImage(QObject *owner = nullptr);
    ~TGImage() override;

    static const TPropertyList &properties();
    const TPropertyList &StoredProperties() const override { return properties(); }

    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool value);
    bool Stretch() const { return m_stretch; }
    void SetStretch(bool value);
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle value);
    bool Flip() const { return m_flip; }
    void SetFlip(bool value);
    bool Reverse() const { return m_reverse; }
    void SetReverse(bool value);

    const TPicture &Picture() const { return m_picture; }
    // The object's picture becomes a copy of `picture`.
    void SetPicture(const TPicture &picture);
    // The stored form ("Picture.Data"). Damaged data fails the document
    // being read (a StreamError).
    QByteArray PictureData() const { return m_picture.ToData(); }
    void SetPictureData(const QByteArray &data);

    // Runs on every picture change: fits the box when auto-sized, repaints.
    void PictureChanged();

    // The clip-art browser: on "Ok" with a file chosen the picture becomes
    // the browser's preview and the two check boxes set Stretch and AutoSize.
    void LoadImageFromDisk();
    // The picture's natural size (at the zoom), scaled down to fit `room`
    // (the card) with its aspect kept, and placed inside it.
    void SizeToPicture(QSize room);

    void Paint(TCanvas &canvas) override;
    void BoundsChanged() override;
    void RefreshPopup() override;
    void PrintTo(TReport &report, double left, double top) override;

    // The off-screen composition Paint copies: picture, empty frame, border.
    // The picture as it shows in the object's box; `ratio` device pixels per
    // pixel (a HiDPI screen), `smooth` filtered when stretched.
    QImage Compose(qreal ratio = 1.0, bool smooth = false) const;

protected:
    void BuildMenu() override;

private:
    // The picture mirrored as Flip and Reverse say into a Width x Height bitmap.
    QImage MirroredBitmap() const;
    // A picture kept with its transparency, mirrored as asked, over `image`.
    void DrawTransparent(QImage &image) const;

    bool m_autoSize = false;
    bool m_stretch = true;
    TBorderStyle m_borderStyle = bsNone;
    bool m_flip = false;
    bool m_reverse = false;
    TPicture m_picture;

    // The last composition, reused while nothing it depends on changes.
    struct TCacheKey {
        quint64 serial = 0;
        QSize size;
        bool flip = false, reverse = false;
        TBorderStyle border = bsNone;
        qreal ratio = 1.0;
        bool smooth = false;
        bool operator==(const TCacheKey &) const = default;
    };
    TCacheKey CacheKey(qreal ratio, bool smooth) const;
    mutable QImage m_cache;
    mutable TCacheKey m_cacheKey;

    QAction *m_borderItem = nullptr;
    QAction *m_stretchItem = nullptr;
    QAction *m_autoSizeItem = nullptr;
    QAction *m_flipItem = nullptr;
    QAction *m_reverseItem = nullptr;
};
