#pragma once

#include <QByteArray>
#include <QPicture>
#include <QRectF>
#include <QSize>
#include <QSizeF>
#include <QString>

#include <array>
#include <memory>

class QPainter;
class QSvgRenderer;

// An SVG or SVGZ picture kept as its original bytes and drawn as vectors
// through Qt SVG: onto the screen, and as a QPicture recording for PDF, the
// print preview and printers, so it never becomes an image on paper.
//
// A drawing never reaches outside its bytes: elements that link to files or
// addresses (an <image> or <use> whose link is neither "#id" nor a "data:"
// address) are left out before Qt SVG sees the document, and a compressed
// SVGZ is inflated here within MaxXmlBytes.
class TSvgDrawing
{
public:
    // The largest SVG document read, also after inflating an SVGZ.
    static constexpr qint64 MaxXmlBytes = qint64(32) * 1024 * 1024;

    // Null with `error` set when the bytes are not a usable SVG picture.
    static std::shared_ptr<const TSvgDrawing> FromData(const QByteArray &bytes, QString *error = nullptr);
    // Whether the bytes look like SVG (an <svg element near the start) or SVGZ.
    static bool LooksLikeSvg(const QByteArray &bytes);

    ~TSvgDrawing();

    // The original bytes, as stored.
    const QByteArray &Data() const { return m_data; }
    bool Compressed() const;
    // Whether links to outside files were left out.
    bool LinksRemoved() const { return m_linksRemoved; }

    // The picture's own size in inches (CSS pixels are 1/96 inch) and in
    // screen pixels.
    QSizeF SizeInches() const { return m_inches; }
    QSize Size() const;
    int Width() const { return Size().width(); }
    int Height() const { return Size().height(); }

    // Draws the picture stretched into `target`, mirrored left-right with
    // `reverse` and top-bottom with `flip`.
    void Play(QPainter &painter, const QRectF &target, bool reverse = false, bool flip = false) const;
    // A vector recording of the picture over Frame(), mirrored as asked; made
    // once per mirroring.
    const QPicture &Picture(bool reverse = false, bool flip = false) const;
    // The recording's frame: (0, 0) to the picture's size in CSS pixels.
    QRect Frame() const;

private:
    TSvgDrawing();

    QByteArray m_data;
    QSizeF m_inches;
    bool m_linksRemoved = false;
    std::unique_ptr<QSvgRenderer> m_renderer;
    mutable std::array<std::unique_ptr<QPicture>, 4> m_pictures;
};
