"""Backgrounds for a 3.5 x 2 inch card: metafiles in thousandths of an inch,
and two paper-grain bitmaps at 150 dots per inch."""
import math
import os
import random

from bmp import write_bmp
from geom import arc, bezier, circle, star
from noise import TileNoise
from wmf import Metafile, mix

W, H = 3500, 2000


def card():
    return Metafile(W, H, 1000)


def vertical_gradient(m, top, bottom, l=0, t=0, r=W, b=H, steps=64):
    for i in range(steps):
        y0 = t + (b - t) * i / steps
        y1 = min(b, t + (b - t) * (i + 1.5) / steps + 1)
        m.rect(l, y0, r, y1, mix(top, bottom, i / (steps - 1)))


def horizontal_gradient(m, left, right, l=0, t=0, r=W, b=H, steps=80):
    for i in range(steps):
        x0 = l + (r - l) * i / steps
        x1 = min(r, l + (r - l) * (i + 1.5) / steps + 1)
        m.rect(x0, t, x1, b, mix(left, right, i / (steps - 1)))


def sky_gradient():
    m = card()
    vertical_gradient(m, '#dcebf7', '#ffffff')
    return m


def warm_paper_gradient():
    m = card()
    horizontal_gradient(m, '#fbf3e4', '#f1e2c6')
    return m


def corner_swoosh():
    m = card()
    m.rect(0, 0, W, H, '#ffffff')
    m.polygon(bezier((1900, 2000), (2600, 1900), (3100, 1500), (3500, 900), 24) + [(3500, 2000)], '#1f4e79')
    m.polygon(bezier((2300, 2000), (2900, 1950), (3300, 1700), (3500, 1350), 24) + [(3500, 2000)], '#2e86ab')
    m.polyline(bezier((1700, 2000), (2500, 1820), (3050, 1380), (3500, 700), 24), '#a9c6de', 18)
    return m


def left_bar():
    m = card()
    m.rect(0, 0, W, H, '#ffffff')
    m.rect(0, 0, 260, H, '#263b50')
    m.rect(300, 0, 330, H, '#c9a227')
    return m


def header_band():
    m = card()
    m.rect(0, 0, W, H, '#ffffff')
    vertical_gradient(m, '#134e5e', '#1d6f84', 0, 0, W, 420, 24)
    m.rect(0, 420, W, 450, '#d4af37')
    return m


def diagonal_corners():
    m = card()
    m.rect(0, 0, W, H, '#fafafa')
    m.polygon([(0, 0), (900, 0), (0, 700)], '#e8505b')
    m.polygon([(0, 0), (600, 0), (0, 470)], '#b8323d')
    m.polygon([(W, H), (W - 900, H), (W, H - 700)], '#e8505b')
    m.polygon([(W, H), (W - 600, H), (W, H - 470)], '#b8323d')
    return m


def soft_waves():
    m = card()
    m.rect(0, 0, W, H, '#ffffff')
    for i, c in enumerate(('#d9f0ec', '#a8dcd1', '#5fb3a1')):
        y = 1450 + i * 170
        pts = bezier((0, y), (1100, y - 260), (2300, y + 260), (W, y - 120), 40)
        m.polygon(pts + [(W, H), (0, H)], c)
    return m


def dots():
    m = card()
    m.rect(0, 0, W, H, '#ffffff')
    for j in range(0, 11):
        for i in range(0, 19):
            x = 2000 + i * 80 + (40 if j % 2 else 0)
            y = 120 + j * 170
            if x < W - 40:
                fade = (x - 2000) / 1500
                m.circle(x, y, 9 + 16 * fade, fill=mix('#ffffff', '#8fb8d8', 0.35 + 0.65 * fade))
    return m


def pinstripes():
    m = card()
    m.rect(0, 0, W, H, '#f7f7f4')
    for k in range(-2000, W, 70):
        m.polygon([(k, H), (k + 18, H), (k + 18 + H, 0), (k + H, 0)], '#ebebe4')
    return m


def double_frame():
    m = card()
    m.rect(0, 0, W, H, '#fffdf7')
    m.rect(90, 90, W - 90, H - 90, None, '#7a5c2e', 22)
    m.rect(150, 150, W - 150, H - 150, None, '#b8955a', 8)
    for x, y in ((150, 150), (W - 150, 150), (150, H - 150), (W - 150, H - 150)):
        m.polygon([(x, y - 45), (x + 45, y), (x, y + 45), (x - 45, y)], '#7a5c2e')
    return m


def bubbles():
    m = card()
    m.rect(0, 0, W, H, '#ffffff')
    rnd = random.Random(7)
    palette = ['#fde2e4', '#e2ece9', '#dfe7fd', '#fff1c1', '#e8dff5']
    for _ in range(26):
        x = 2300 + rnd.random() * 1300
        y = rnd.random() * 2000
        r = 60 + rnd.random() * 260 * (x - 2200) / 1300
        m.circle(x, y, r, fill=rnd.choice(palette))
    return m


def hexagons():
    m = card()
    m.rect(0, 0, W, H, '#ffffff')
    size = 150
    for row in range(-1, 10):
        for col in range(-1, 10):
            cx = 2100 + col * size * 1.5
            cy = row * size * math.sqrt(3) + (size * math.sqrt(3) / 2 if col % 2 else 0)
            pts = [(cx + (size - 12) * math.cos(math.radians(a)), cy + (size - 12) * math.sin(math.radians(a)))
                   for a in range(0, 360, 60)]
            shade = min(1.0, max(0.0, (cx - 2000) / 1500))
            m.polygon(pts, None, mix('#ffffff', '#9aa9b8', shade), 10)
    return m


def deco_fans():
    m = card()
    m.rect(0, 0, W, H, '#1c1c1c')
    for cx, cy, a0 in ((0, 0, 0), (W, H, 180)):
        for r in range(700, 0, -110):
            m.polygon([(cx, cy)] + arc(cx, cy, r, r, a0, a0 + 90, 30), '#1c1c1c', '#c9a74d', 12)
    m.rect(80, 80, W - 80, H - 80, None, '#c9a74d', 10)
    return m


def eco_corner():
    m = card()
    m.rect(0, 0, W, H, '#fbfdf8')
    leaf = bezier((2500, 2000), (2550, 1300), (3000, 950), (3500, 800), 20)
    leaf += bezier((3500, 800), (3450, 1500), (3100, 1900), (2500, 2000), 20)[1:]
    m.polygon(leaf + [(3500, 2000)], '#cfe8c2')
    m.polygon(bezier((2850, 2000), (2900, 1600), (3200, 1380), (3500, 1320), 16) + [(3500, 2000)], '#7fb069')
    m.polyline(bezier((2500, 2000), (2900, 1650), (3200, 1200), (3500, 800), 20), '#5b8c51', 14)
    return m


def charcoal():
    m = card()
    vertical_gradient(m, '#3a3f44', '#1e2124')
    m.rect(0, H - 160, W, H - 130, '#e0a526')
    return m


def confetti_stars():
    m = card()
    m.rect(0, 0, W, H, '#fffef9')
    rnd = random.Random(3)
    for _ in range(40):
        x, y = rnd.random() * W, rnd.random() * H
        if 500 < x < 3000 and 350 < y < 1650:
            continue
        r = 25 + rnd.random() * 45
        m.polygon(star(x, y, r, r * 0.45, 5, rnd.random() * 360),
                  rnd.choice(['#f4c95d', '#e76f51', '#2a9d8f', '#8ab17d']))
    return m


def split_tone():
    m = card()
    m.rect(0, 0, W, H, '#ffffff')
    # Narrow enough that the long lines right of it fit.
    m.polygon([(0, 0), (900, 0), (700, H), (0, H)], '#f0f3f7')
    m.polygon([(900, 0), (960, 0), (760, H), (700, H)], '#5c7c99')
    return m


METAFILES = [
    ('SkyGradient', sky_gradient), ('WarmPaper', warm_paper_gradient), ('CornerSwoosh', corner_swoosh),
    ('LeftBar', left_bar), ('HeaderBand', header_band), ('RedCorners', diagonal_corners),
    ('SoftWaves', soft_waves), ('DotFade', dots), ('Pinstripe', pinstripes), ('DoubleFrame', double_frame),
    ('Bubbles', bubbles), ('Hexagons', hexagons), ('DecoFans', deco_fans), ('EcoLeaf', eco_corner),
    ('Charcoal', charcoal), ('Confetti', confetti_stars), ('SplitTone', split_tone),
]


def paper_grain(path, seed, base, fleck):
    w, h = 525, 300
    noise = TileNoise(512, seed)
    rnd = random.Random(seed)
    flecks = {(rnd.randrange(w), rnd.randrange(h)) for _ in range(900)}
    def pixel(x, y):
        n = noise.fractal(x, y, 16, 4)
        grain = (n - 0.5) * 14 + (rnd.random() - 0.5) * 6
        if (x, y) in flecks:
            return fleck
        return tuple(c + grain for c in base)
    write_bmp(path, w, h, pixel, 150)


def generate(folder, preview=None):
    for name, make in METAFILES:
        m = make()
        m.save(os.path.join(folder, name + '.wmf'), preview and os.path.join(preview, 'bg_' + name + '.svg'))
    paper_grain(os.path.join(folder, 'CottonPaper.bmp'), 11, (246, 243, 236), (200, 190, 172))
    paper_grain(os.path.join(folder, 'RecycledPaper.bmp'), 12, (234, 229, 216), (150, 140, 120))
    return len(METAFILES) + 2
