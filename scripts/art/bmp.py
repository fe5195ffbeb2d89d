"""Writes 24-bit BMP files from rows of (r, g, b) tuples."""
import struct


def write_bmp(path, width, height, pixel, dpi=150):
    """pixel(x, y) -> (r, g, b); rows are stored bottom-up."""
    stride = (width * 3 + 3) & ~3
    pad = b'\0' * (stride - width * 3)
    rows = []
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((max(0, min(255, int(b))), max(0, min(255, int(g))), max(0, min(255, int(r)))))
        rows.append(bytes(row) + pad)
    data = b''.join(rows)
    ppm = round(dpi / 0.0254)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(data), ppm, ppm, 0, 0)
    header = struct.pack('<2sIHHI', b'BM', 14 + 40 + len(data), 0, 0, 54)
    with open(path, 'wb') as f:
        f.write(header + info + data)
