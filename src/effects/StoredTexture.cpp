#include "effects/StoredTexture.h"

#include "effects/TextureStream.h"

void StoredTexture::set(const QImage &image)
{
    m_image = image.isNull() || image.width() == 0 || image.height() == 0 ? QImage() : image.copy();
    m_stream.clear();
}

QByteArray StoredTexture::data() const
{
    if (m_stream.isEmpty() && !m_image.isNull())
        m_stream = TextureStream::encode(m_image);
    return m_stream;
}

void StoredTexture::setData(const QByteArray &data)
{
    set(TextureStream::decode(data));
    if (!m_image.isNull())
        m_stream = data;
}
