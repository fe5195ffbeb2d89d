#pragma once

#include <QImage>

// An object whose surface may be a tiled texture picture; the texture
// browsers load pictures into such an example object.
class TTextured
{
public:
    virtual ~TTextured() = default;
    // The texture picture (null when there is none).
    virtual const QImage &TextureImage() const = 0;
    // Copies the picture in; a null image empties the texture.
    virtual void SetTextureImage(const QImage &image) = 0;
};
