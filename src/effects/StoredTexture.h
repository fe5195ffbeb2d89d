#pragma once

#include <QByteArray>
#include <QImage>

// The texture picture of a SuperShape or SuperText together with its stored
// form: bytes read from a document are written back as they were, and a
// picture set otherwise is encoded when first asked for.
class StoredTexture
{
public:
    const QImage &image() const { return m_image; }
    // Copies the picture; a null or empty one empties the texture.
    void set(const QImage &image);
    void clear() { set(QImage()); }

    QByteArray data() const;
    // Throws StreamError for damaged or oversized data.
    void setData(const QByteArray &data);

private:
    QImage m_image;
    mutable QByteArray m_stream;
};
