"""A small Windows metafile writer (placeable WMF) with an SVG twin.

Each drawing call goes to both outputs, so a metafile can be looked at as
SVG without a metafile player. Only the records a card picture needs are
written: pens, brushes, polygons, polylines, ellipses and rectangles.
"""
import struct


def rgb(hexcolour):
    h = hexcolour.lstrip('#')
    return int(h[0:2], 16), int(h[2:4], 16), int(h[4:6], 16)


def colorref(c):
    r, g, b = rgb(c)
    return r | (g << 8) | (b << 16)


def mix(a, b, t):
    ra, ga, ba = rgb(a)
    rb, gb, bb = rgb(b)
    return '#%02x%02x%02x' % (round(ra + (rb - ra) * t), round(ga + (gb - ga) * t),
                              round(ba + (bb - ba) * t))


class Metafile:
    """Drawing in logical units; `per_inch` logical units make one inch."""

    def __init__(self, width, height, per_inch):
        self.w, self.h, self.per_inch = width, height, per_inch
        self.records = []
        self.svg = []
        self.slots = []          # object table: None = free
        self.max_objects = 0
        self.pen = None          # (colour, width) or None for no pen
        self.brush = None        # colour or None for no brush
        self.pen_slot = self.brush_slot = None
        self._record(0x0103, 8)          # SETMAPMODE MM_ANISOTROPIC
        self._record(0x020B, 0, 0)       # SETWINDOWORG (y, x)
        self._record(0x020C, height, width)  # SETWINDOWEXT (y, x)
        self._record(0x0102, 1)          # SETBKMODE TRANSPARENT
        self._record(0x0106, 2)          # SETPOLYFILLMODE WINDING
        self.set_pen(None)
        self.set_brush(None)

    # -- records -------------------------------------------------------
    def _record(self, function, *words, raw=b''):
        body = b''.join(struct.pack('<h' if w < 0 else '<H', w) for w in words) + raw
        size = 3 + len(body) // 2
        self.records.append(struct.pack('<IH', size, function) + body)

    def _new_slot(self):
        for i, s in enumerate(self.slots):
            if s is None:
                self.slots[i] = True
                return i
        self.slots.append(True)
        self.max_objects = max(self.max_objects, len(self.slots))
        return len(self.slots) - 1

    def set_pen(self, colour, width=1):
        key = None if colour is None else (colour, width)
        if key == self.pen and self.pen_slot is not None:
            return
        style, c = (5, 0) if colour is None else (0, colorref(colour))
        slot = self._new_slot()
        self._record(0x02FA, raw=struct.pack('<HhhI', style, int(width), 0, c))
        self._record(0x012D, slot)
        if self.pen_slot is not None:
            self._record(0x01F0, self.pen_slot)
            self.slots[self.pen_slot] = None
        self.pen, self.pen_slot = key, slot

    def set_brush(self, colour):
        if colour == self.brush and self.brush_slot is not None:
            return
        style, c = (1, 0) if colour is None else (0, colorref(colour))
        slot = self._new_slot()
        self._record(0x02FC, raw=struct.pack('<HIH', style, c, 0))
        self._record(0x012D, slot)
        if self.brush_slot is not None:
            self._record(0x01F0, self.brush_slot)
            self.slots[self.brush_slot] = None
        self.brush, self.brush_slot = colour, slot

    def _style(self):
        fill = self.brush or 'none'
        if self.pen is None:
            return 'fill="%s" stroke="none"' % fill
        return 'fill="%s" stroke="%s" stroke-width="%d" stroke-linejoin="round"' % (
            fill, self.pen[0], max(1, self.pen[1]))

    # -- drawing -------------------------------------------------------
    def use(self, fill=None, pen=None, pen_width=1):
        self.set_pen(pen, pen_width)
        self.set_brush(fill)

    def polygon(self, points, fill=None, pen=None, pen_width=1):
        self.use(fill, pen, pen_width)
        pts = [(round(x), round(y)) for x, y in points]
        self._record(0x0324, len(pts), raw=b''.join(struct.pack('<hh', x, y) for x, y in pts))
        self.svg.append('<polygon points="%s" %s/>' % (
            ' '.join('%d,%d' % p for p in pts), self._style()))

    def polypolygon(self, polys, fill=None, pen=None, pen_width=1):
        """Polygons filled together (winding), so inner rings in the
        opposite direction make holes."""
        self.use(fill, pen, pen_width)
        polys = [[(round(x), round(y)) for x, y in p] for p in polys]
        raw = struct.pack('<H', len(polys)) + b''.join(struct.pack('<H', len(p)) for p in polys)
        raw += b''.join(struct.pack('<hh', x, y) for p in polys for x, y in p)
        self._record(0x0538, raw=raw)
        d = ' '.join('M' + ' L'.join('%d,%d' % q for q in p) + ' Z' for p in polys)
        self.svg.append('<path fill-rule="nonzero" d="%s" %s/>' % (d, self._style()))

    def polyline(self, points, pen, pen_width=1):
        self.use(None, pen, pen_width)
        pts = [(round(x), round(y)) for x, y in points]
        self._record(0x0325, len(pts), raw=b''.join(struct.pack('<hh', x, y) for x, y in pts))
        self.svg.append('<polyline points="%s" %s/>' % (
            ' '.join('%d,%d' % p for p in pts), self._style()))

    def rect(self, l, t, r, b, fill=None, pen=None, pen_width=1):
        self.use(fill, pen, pen_width)
        l, t, r, b = round(l), round(t), round(r), round(b)
        self._record(0x041B, b, r, t, l)
        self.svg.append('<rect x="%d" y="%d" width="%d" height="%d" %s/>' % (
            l, t, r - l, b - t, self._style()))

    def round_rect(self, l, t, r, b, radius, fill=None, pen=None, pen_width=1):
        self.use(fill, pen, pen_width)
        l, t, r, b, d = round(l), round(t), round(r), round(b), round(radius * 2)
        self._record(0x061C, d, d, b, r, t, l)
        self.svg.append('<rect x="%d" y="%d" width="%d" height="%d" rx="%d" %s/>' % (
            l, t, r - l, b - t, d // 2, self._style()))

    def ellipse(self, l, t, r, b, fill=None, pen=None, pen_width=1):
        self.use(fill, pen, pen_width)
        l, t, r, b = round(l), round(t), round(r), round(b)
        self._record(0x0418, b, r, t, l)
        self.svg.append('<ellipse cx="%g" cy="%g" rx="%g" ry="%g" %s/>' % (
            (l + r) / 2, (t + b) / 2, (r - l) / 2, (b - t) / 2, self._style()))

    def circle(self, cx, cy, radius, **kw):
        self.ellipse(cx - radius, cy - radius, cx + radius, cy + radius, **kw)

    # -- output --------------------------------------------------------
    def wmf_bytes(self):
        records = b''.join(self.records) + struct.pack('<IH', 3, 0)
        max_record = max(len(r) for r in self.records) // 2
        header = struct.pack('<HHHIHIH', 1, 9, 0x0300, 9 + len(records) // 2,
                             max(1, self.max_objects), max_record, 0)
        words = struct.pack('<IHhhhhH', 0x9AC6CDD7, 0, 0, 0, self.w, self.h, self.per_inch) + b'\0\0\0\0'
        checksum = 0
        for i in range(0, len(words), 2):
            checksum ^= struct.unpack_from('<H', words, i)[0]
        placeable = words + struct.pack('<H', checksum)
        return placeable + header + records

    def svg_text(self):
        return ('<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 %d %d" width="%d" height="%d">'
                '%s</svg>\n' % (self.w, self.h, self.w * 96 // self.per_inch,
                                self.h * 96 // self.per_inch, ''.join(self.svg)))

    def save(self, path, svg_path=None):
        with open(path, 'wb') as f:
            f.write(self.wmf_bytes())
        if svg_path:
            with open(svg_path, 'w') as f:
                f.write(self.svg_text())
