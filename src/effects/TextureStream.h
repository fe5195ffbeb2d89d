#pragma once

#include <QByteArray>
#include <QImage>

// A texture picture as card documents store a bare bitmap property: a 4-byte
// little-endian length followed by that many bytes of a complete bitmap file.
namespace TextureStream {

// Textures larger than this on either side are refused when read.
constexpr int MaxSide = 20000;

// Empty bytes for a null or empty image.
QByteArray encode(const QImage &image);

// The image of stored bytes (a null image for empty bytes). Throws
// StreamError when the bytes are damaged, truncated, hold no bitmap or
// claim a picture larger than MaxSide a side or larger than its data.
QImage decode(const QByteArray &bytes);

} // namespace TextureStream
