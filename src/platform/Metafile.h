#pragma once

#include <QByteArray>
#include <QPicture>
#include <QRectF>
#include <QSize>
#include <QString>

#include <memory>

class QPainter;

// A Windows metafile (a placeable or plain WMF, or an EMF) kept as its
// original bytes and drawn as vectors onto any QPainter: screen, bitmap,
// PDF, or a QPicture recording for the print preview.
//
// The bytes are checked when the metafile is made: every record must lie
// inside the file, and the header's frame must be sane, so that drawing never
// reads outside the data. Records the player does not know are skipped.
class TMetafile
{
public:
    enum TKind { mkWmf, mkEmf };

    // Clip art has a few thousand records; a file with more than this is
    // refused, so that drawing it stays cheap.
    static constexpr int MaxRecords = 500000;

    // Reads a metafile from its file bytes; null with `error` set when the
    // bytes are not a metafile or are damaged. A plain WMF gets a placeable
    // header made from its window extent, so that the stored form is always
    // the one a card document holds.
    static std::shared_ptr<const TMetafile> FromData(const QByteArray &bytes, QString *error = nullptr);
    static std::shared_ptr<const TMetafile> FromFile(const QString &fileName, QString *error = nullptr);

    TKind Kind() const { return m_kind; }
    // The stored form: an EMF as read, a WMF with its 22-byte placeable header.
    const QByteArray &Data() const { return m_data; }

    // The metafile's own size in inches and in screen pixels.
    QSizeF SizeInches() const { return m_inches; }
    QSize Size() const;
    int Width() const { return Size().width(); }
    int Height() const { return Size().height(); }

    // Draws the whole picture stretched into `target` (painter coordinates).
    void Play(QPainter &painter, const QRectF &target) const;
    // A recording of the picture whose bounding rectangle is its frame, for
    // the canvases and print jobs that stretch QPictures. Made once.
    const QPicture &Picture() const;

    // The frame in the player's units (hundredths of a millimetre, origin 0).
    QSizeF Frame() const { return m_frame; }

private:
    TMetafile() = default;
    bool ParseWmf(QString *error);
    bool ParseEmf(QString *error);
    // Draws in frame units: (0, 0) to Frame().
    void PlayFrame(QPainter &painter) const;

    TKind m_kind = mkWmf;
    QByteArray m_data;
    QSizeF m_inches;
    QSizeF m_frame;
    // WMF: the placeable bounding box in logical units and units per inch.
    QRect m_wmfBox;
    int m_wmfInch = 1440;
    mutable std::unique_ptr<QPicture> m_picture;
};
