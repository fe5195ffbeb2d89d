#pragma once

#include "platform/Metafile.h"
#include "platform/SvgDrawing.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

#include <memory>

// A picture container: empty, a bitmap, a metafile or an SVG drawing, with
// the stored form card documents use: the graphic's class name as a short
// string followed by the graphic's own stream.
//
// - "TBitmap": a 4-byte length and the whole BMP file (also JPEG pictures
//   and icons, which become bitmaps when read);
// - "TMetafile": a 4-byte length counting itself and the data, then the
//   metafile file;
// - "TPngImage", "TGIFImage", "TTiffImage", "TWebPImage", "TSvgImage": the
//   PNG, GIF, TIFF, WebP or SVG/SVGZ file as it was read, running to the end
//   of the data.
//
// Original file bytes are kept, so that a picture read from a document is
// written back unchanged. Bitmaps and metafiles are drawn on white; the
// pictures kept as their own files keep their transparency.
class TPicture
{
public:
    // How the picture is kept and stored.
    enum TKind { pkEmpty, pkBitmap, pkMetafile, pkPng, pkGif, pkTiff, pkWebP, pkSvg };

    TKind Kind() const { return m_kind; }
    bool IsEmpty() const { return m_kind == pkEmpty; }
    // Pixels: a bitmap, or a PNG, GIF, TIFF or WebP picture.
    bool IsBitmap() const { return m_kind == pkBitmap || IsImage(); }
    bool IsMetafile() const { return m_kind == pkMetafile; }
    bool IsSvg() const { return m_kind == pkSvg; }
    // A PNG, GIF, TIFF or WebP picture.
    bool IsImage() const { return m_kind == pkPng || m_kind == pkGif || m_kind == pkTiff || m_kind == pkWebP; }
    // Kept as its own file and drawn with its transparency, not on white: a
    // picture the Windows original cannot read.
    bool KeepsTransparency() const { return IsImage() || IsSvg(); }

    // The pixels at full resolution. A large picture keeps only ScreenBitmap()
    // and is decoded again from its file here (the last few are cached).
    QImage Bitmap() const;
    // The pixels for drawing on the screen: the picture itself, or for a large
    // one a copy at most ScreenSide pixels on its longer side.
    const QImage &ScreenBitmap() const { return m_bitmap; }
    static constexpr int ScreenSide = 2048;
    const TMetafile *Metafile() const { return m_metafile.get(); }
    std::shared_ptr<const TMetafile> MetafileShared() const { return m_metafile; }
    const TSvgDrawing *Svg() const { return m_svg.get(); }
    // Pixels for a bitmap, the metafile's or drawing's own size in screen pixels.
    int Width() const;
    int Height() const;

    // `bmpFile`, when given, is the bitmap's file and is what gets stored.
    void SetBitmap(const QImage &bitmap, const QByteArray &bmpFile = QByteArray());
    void SetMetafile(std::shared_ptr<const TMetafile> metafile);
    void Clear();

    // Reads a picture file of a kind named below, from its bytes (the first
    // bytes decide; `fileName`'s extension only where they cannot). False
    // with `error` set, and the picture unchanged, otherwise.
    bool LoadFromData(const QByteArray &data, const QString &fileName, QString *error = nullptr);
    // Loads a picture file by its extension (letter case ignored): ".BMP",
    // ".JPG", ".JIF", ".JPEG", ".ICO" as bitmaps, ".WMF" and ".EMF" as
    // metafiles, ".PNG", ".GIF", ".TIF", ".TIFF", ".WEBP", ".SVG" and
    // ".SVGZ" kept as they are.
    bool LoadFromFile(const QString &fileName, QString *error = nullptr);
    // The extensions LoadFromFile takes, upper case.
    static QStringList Extensions();

    // The stored form; empty for an empty picture.
    QByteArray ToData() const;
    // Reads the stored form; an empty array clears. False with `error` set
    // (picture unchanged) when the data is damaged or of an unknown class.
    bool FromData(const QByteArray &data, QString *error = nullptr);

    // The picture as a bitmap on white that the Windows original can read,
    // at most `maxSide` pixels on its longer side (a drawing at `size`).
    TPicture ToBitmapOnWhite(QSize size, int maxSide) const;

    // Identity of the graphic, for caches: changes whenever the picture does.
    quint64 Serial() const { return m_serial; }

    bool operator==(const TPicture &other) const { return m_serial == other.m_serial; }

private:
    bool SetImageFile(const QByteArray &file, QString *error);
    bool SetSvgFile(const QByteArray &file, QString *error);

    TKind m_kind = pkEmpty;
    QImage m_bitmap;
    QSize m_size;
    // The bitmap's BMP file, or the PNG, GIF, TIFF or WebP file.
    QByteArray m_file;
    std::shared_ptr<const TMetafile> m_metafile;
    std::shared_ptr<const TSvgDrawing> m_svg;
    quint64 m_serial = 0;
};
