#pragma once

#include "platform/Metafile.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <memory>

// A picture container: empty, a bitmap or a metafile, with the stored form
// card documents use: the graphic's class name as a short string ("TBitmap"
// or "TMetafile") followed by the graphic's own stream. A bitmap's stream is
// a 4-byte length and the whole BMP file; a metafile's is a 4-byte length
// counting itself and the data, then the metafile file. Original file bytes
// are kept so that a picture read from a document is written back unchanged.
class TPicture
{
public:
    bool IsEmpty() const { return m_bitmap.isNull() && !m_metafile; }
    bool IsBitmap() const { return !m_bitmap.isNull(); }
    bool IsMetafile() const { return m_metafile != nullptr; }

    const QImage &Bitmap() const { return m_bitmap; }
    const TMetafile *Metafile() const { return m_metafile.get(); }
    std::shared_ptr<const TMetafile> MetafileShared() const { return m_metafile; }
    // Pixels for a bitmap, the metafile's own size in screen pixels.
    int Width() const;
    int Height() const;

    // `bmpFile`, when given, is the bitmap's file and is what gets stored.
    void SetBitmap(const QImage &bitmap, const QByteArray &bmpFile = QByteArray());
    void SetMetafile(std::shared_ptr<const TMetafile> metafile);
    void Clear();

    // Loads a picture file by its extension (letter case ignored): ".BMP",
    // ".JPG", ".JIF", ".JPEG", ".ICO" as bitmaps, ".WMF" and ".EMF" as
    // metafiles. False with `error` set, and the picture unchanged, otherwise.
    bool LoadFromFile(const QString &fileName, QString *error = nullptr);

    // The stored form; empty for an empty picture.
    QByteArray ToData() const;
    // Reads the stored form; an empty array clears. False with `error` set
    // (picture unchanged) when the data is damaged or of an unknown class.
    bool FromData(const QByteArray &data, QString *error = nullptr);

    // Identity of the graphic, for caches: changes whenever the picture does.
    quint64 Serial() const { return m_serial; }

    bool operator==(const TPicture &other) const { return m_serial == other.m_serial; }

private:
    QImage m_bitmap;
    QByteArray m_bmpFile;
    std::shared_ptr<const TMetafile> m_metafile;
    quint64 m_serial = 0;
};
