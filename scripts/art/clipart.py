"""Clip art: line pictograms in one ink colour on a 1000-unit square, plus a
few coloured sample logos. Written as placeable metafiles (one inch square)."""
import math

from geom import arc, band, bezier, circle, rotate, rounded_rect, star
from wmf import Metafile

INK = '#24476b'
W = 64          # stroke width of every pictogram


def dot(m, x, y, r=42):
    m.circle(x, y, r, fill=INK)


def line(m, *pts):
    m.polyline(list(pts), INK, W)


def outline(m, pts):
    m.polygon(pts, None, INK, W)


def telephone(m):
    outline(m, [(250, 480), (750, 480), (860, 840), (140, 840)])
    m.polygon(band(500, 520, 420, 300, 200, 340), INK)
    for i in range(3):
        for j in range(3):
            dot(m, 380 + 120 * j, 580 + 80 * i, 30)


def mobile(m):
    m.round_rect(300, 100, 700, 900, 70, None, INK, W)
    line(m, (300, 220), (700, 220))
    line(m, (300, 760), (700, 760))
    dot(m, 500, 830, 36)


def envelope(m):
    m.rect(110, 230, 890, 770, None, INK, W)
    line(m, (120, 240), (500, 540), (880, 240))


def globe(m):
    m.circle(500, 500, 380, pen=INK, pen_width=W)
    m.ellipse(330, 120, 670, 880, pen=INK, pen_width=W)
    line(m, (120, 500), (880, 500))
    line(m, *arc(500, 60, 320, 240, 38, 142))
    line(m, *arc(500, 940, 320, 240, -38, -142))


def map_pin(m):
    pts = arc(500, 380, 280, 280, 145, 395) + [(500, 920)]
    outline(m, pts)
    m.circle(500, 380, 100, pen=INK, pen_width=W)


def fax(m):
    m.round_rect(120, 420, 880, 860, 40, None, INK, W)
    outline(m, [(270, 420), (270, 110), (640, 110), (730, 200), (730, 420)])
    line(m, (350, 230), (620, 230))
    line(m, (350, 320), (650, 320))
    m.rect(220, 520, 500, 640, None, INK, W)
    for i in range(2):
        for j in range(3):
            dot(m, 610 + 90 * j, 560 + 110 * i, 30)


def at_sign(m):
    m.circle(500, 500, 150, pen=INK, pen_width=W)
    line(m, *(arc(500, 500, 360, 360, 0, 320) ))
    line(m, (650, 380), (650, 560), *arc(750, 560, 100, 100, 180, 90, 6)[1:],
         *arc(500, 500, 360, 360, 0, 10, 2)[-1:])


def web(m):
    m.round_rect(90, 160, 910, 840, 50, None, INK, W)
    line(m, (90, 330), (910, 330))
    for x in (180, 260, 340):
        dot(m, x, 245, 28)
    m.circle(500, 590, 150, pen=INK, pen_width=W)
    line(m, (350, 590), (650, 590))
    m.ellipse(440, 440, 560, 740, pen=INK, pen_width=W)


def house(m):
    outline(m, [(500, 130), (880, 470), (780, 470), (780, 870), (220, 870), (220, 470), (120, 470)])
    m.rect(420, 620, 580, 870, None, INK, W)


def office(m):
    m.rect(250, 100, 750, 900, None, INK, W)
    for i in range(4):
        for j in range(3):
            m.rect(330 + 130 * j, 190 + 140 * i, 410 + 130 * j, 260 + 140 * i, INK)
    m.rect(440, 760, 560, 900, INK)


def briefcase(m):
    m.round_rect(100, 300, 900, 850, 60, None, INK, W)
    m.round_rect(370, 160, 630, 300, 40, None, INK, W)
    line(m, (100, 520), (900, 520))
    m.rect(450, 470, 550, 580, INK)


def clock(m):
    m.circle(500, 500, 390, pen=INK, pen_width=W)
    line(m, (500, 240), (500, 500), (680, 600))
    for k in range(12):
        a = math.radians(k * 30)
        dot(m, 500 + 320 * math.cos(a), 500 + 320 * math.sin(a), 18)


def calendar(m):
    m.round_rect(120, 180, 880, 880, 40, None, INK, W)
    line(m, (120, 350), (880, 350))
    line(m, (320, 100), (320, 250))
    line(m, (680, 100), (680, 250))
    for i in range(3):
        for j in range(4):
            m.rect(215 + 160 * j, 440 + 130 * i, 305 + 160 * j, 510 + 130 * i, INK)


def printer(m):
    m.round_rect(100, 360, 900, 720, 50, None, INK, W)
    outline(m, [(260, 360), (260, 120), (740, 120), (740, 360)])
    m.rect(260, 600, 740, 900, None, INK, W)
    line(m, (340, 700), (660, 700))
    line(m, (340, 790), (600, 790))
    dot(m, 790, 460, 32)


def monitor(m):
    m.round_rect(80, 140, 920, 700, 40, None, INK, W)
    line(m, (500, 700), (500, 860))
    line(m, (320, 870), (680, 870))


def laptop(m):
    m.round_rect(190, 180, 810, 640, 30, None, INK, W)
    outline(m, [(60, 740), (940, 740), (880, 840), (120, 840)])


def camera(m):
    m.round_rect(80, 280, 920, 820, 60, None, INK, W)
    outline(m, [(330, 280), (380, 170), (620, 170), (670, 280)])
    m.circle(500, 550, 170, pen=INK, pen_width=W)
    dot(m, 790, 380, 34)


def chat(m):
    outline(m, rounded_rect(100, 150, 900, 700, 80)[:13] + [(420, 700), (250, 880), (280, 700)]
            + rounded_rect(100, 150, 900, 700, 80)[14:])
    for x in (320, 500, 680):
        dot(m, x, 425, 45)


def share(m):
    line(m, (720, 230), (280, 500), (720, 770))
    for x, y in ((720, 230), (280, 500), (720, 770)):
        m.circle(x, y, 120, fill='#ffffff', pen=INK, pen_width=W)


def person(m):
    m.circle(500, 320, 190, pen=INK, pen_width=W)
    line(m, *arc(500, 900, 340, 330, 180, 360))


def heart(m):
    pts = []
    for i in range(73):
        t = math.radians(i * 5)
        x = 16 * math.sin(t) ** 3
        y = 13 * math.cos(t) - 5 * math.cos(2 * t) - 2 * math.cos(3 * t) - math.cos(4 * t)
        pts.append((500 + 24 * x, 460 - 24 * y))
    outline(m, pts)


def star_symbol(m):
    outline(m, star(500, 530, 420, 180))


def check_badge(m):
    m.circle(500, 500, 390, pen=INK, pen_width=W)
    line(m, (310, 510), (450, 650), (700, 370))


def lightbulb(m):
    line(m, *(arc(500, 400, 280, 280, 135, 405)), (590, 680), (410, 680), (400, 598))
    line(m, (400, 770), (600, 770))
    line(m, (430, 860), (570, 860))


def gear(m):
    pts = []
    for k in range(8):
        a = k * 45
        pts += arc(500, 500, 390, 390, a - 11, a + 11, 2)
        pts += arc(500, 500, 300, 300, a + 16, a + 29, 2)
    outline(m, pts)
    m.circle(500, 500, 120, pen=INK, pen_width=W)


def scissors(m):
    m.circle(300, 740, 130, pen=INK, pen_width=W)
    m.circle(700, 740, 130, pen=INK, pen_width=W)
    line(m, (390, 640), (760, 120))
    line(m, (610, 640), (240, 120))


def coffee(m):
    outline(m, [(170, 400), (690, 400), (640, 850), (220, 850)])
    line(m, *arc(700, 560, 130, 120, -80, 90))
    for x in (320, 430, 540):
        line(m, *bezier((x, 320), (x - 50, 250), (x + 50, 200), (x, 120), 8))


def restaurant(m):
    line(m, (330, 100), (330, 900))
    line(m, (230, 100), (230, 330), *arc(330, 330, 100, 100, 180, 90, 4)[1:])
    line(m, (430, 100), (430, 330), *arc(330, 330, 100, 100, 0, 90, 4)[1:])
    outline(m, [(690, 900), (690, 100), (790, 160), (790, 500), (690, 540)])


def key(m):
    m.circle(300, 500, 190, pen=INK, pen_width=W)
    line(m, (490, 500), (900, 500))
    line(m, (780, 500), (780, 640))
    line(m, (880, 500), (880, 610))


def cart(m):
    line(m, (60, 150), (210, 150), (320, 650), (820, 650), (900, 300), (250, 300))
    m.circle(380, 800, 70, fill=INK)
    m.circle(760, 800, 70, fill=INK)


def truck(m):
    m.rect(60, 220, 600, 700, None, INK, W)
    outline(m, [(600, 380), (800, 380), (930, 540), (930, 700), (600, 700)])
    m.circle(250, 760, 100, fill='#ffffff', pen=INK, pen_width=W)
    m.circle(780, 760, 100, fill='#ffffff', pen=INK, pen_width=W)


def mortarboard(m):
    outline(m, [(500, 170), (950, 380), (500, 590), (50, 380)])
    line(m, (250, 490), (250, 730), *arc(500, 730, 250, 110, 180, 0, 10)[1:], (750, 490))
    line(m, (880, 410), (880, 700))


def music(m):
    line(m, (400, 760), (400, 180), (820, 100), (820, 680))
    m.ellipse(170, 670, 410, 850, INK)
    m.ellipse(590, 590, 830, 770, INK)
    line(m, (400, 320), (820, 240))


def leaf(m):
    pts = bezier((150, 850), (150, 350), (450, 120), (880, 120), 14)
    pts += bezier((880, 120), (880, 550), (650, 850), (150, 850), 14)[1:]
    outline(m, pts)
    line(m, (150, 850), (620, 380))


def medical(m):
    outline(m, [(380, 120), (620, 120), (620, 380), (880, 380), (880, 620), (620, 620),
                (620, 880), (380, 880), (380, 620), (120, 620), (120, 380), (380, 380)])


def paintbrush(m):
    outline(m, rotate([(450, 100), (550, 100), (550, 560), (450, 560)], 500, 500, 40))
    outline(m, rotate([(430, 560), (570, 560), (570, 660), (430, 660)], 500, 500, 40))
    outline(m, rotate([(440, 660), (560, 660), (520, 900), (480, 900)], 500, 500, 40))


def plane(m):
    body = [(500, 60), (560, 140), (560, 380), (930, 580), (930, 660), (560, 540), (560, 780),
            (680, 880), (680, 940), (500, 890), (320, 940), (320, 880), (440, 780), (440, 540),
            (70, 660), (70, 580), (440, 380), (440, 140)]
    outline(m, body)


# Sample logos: filled, in two or three colours.
def logo_rings(m):
    for (x, y), c in zip(((380, 400), (620, 400), (500, 610)), ('#1b6ca8', '#e07a1f', '#3a9d5d')):
        m.circle(x, y, 220, pen=c, pen_width=70)


def logo_peak(m):
    m.polygon([(60, 860), (420, 200), (640, 600), (760, 420), (940, 860)], '#1f3b57')
    m.polygon([(420, 200), (500, 346), (455, 400), (390, 330), (330, 420), (360, 310)], '#ffffff')
    m.circle(780, 220, 90, fill='#e8a33d')


def logo_hex(m):
    pts = [(500 + 420 * math.cos(math.radians(a)), 500 + 420 * math.sin(math.radians(a)))
           for a in range(-90, 270, 60)]
    m.polygon(pts, '#2e7d7a')
    inner = [(500 + 250 * math.cos(math.radians(a)), 500 + 250 * math.sin(math.radians(a)))
             for a in range(-90, 270, 60)]
    m.polygon(inner, None, '#ffffff', 60)
    line_pts = [(500, 500), inner[0], (500, 500), inner[2], (500, 500), inner[4]]
    m.polyline(line_pts, '#ffffff', 60)


def logo_bars(m):
    for i, (h, c) in enumerate(((300, '#8c2f39'), (500, '#b23a48'), (700, '#e26d5c'))):
        m.round_rect(180 + i * 230, 880 - h, 360 + i * 230, 880, 30, c)
    m.polyline([(140, 560), (420, 360), (600, 470), (880, 160)], '#3d3d3d', 50)
    m.polygon([(880, 160), (780, 170), (860, 250)], '#3d3d3d')


def logo_leaf_circle(m):
    m.circle(500, 500, 430, fill='#2f6d3a')
    pts = bezier((290, 720), (290, 430), (470, 280), (730, 280), 12)
    pts += bezier((730, 280), (730, 560), (560, 720), (290, 720), 12)[1:]
    m.polygon(pts, '#ffffff')
    m.polyline([(290, 720), (600, 410)], '#2f6d3a', 40)


def logo_monogram(m):
    m.round_rect(100, 100, 900, 900, 180, '#22313f')
    m.polygon([(250, 760), (250, 240), (360, 240), (500, 470), (640, 240), (750, 240), (750, 760),
               (640, 760), (640, 440), (500, 660), (360, 440), (360, 760)], '#f2c14e')


PICTURES = [
    ('Telephone', telephone), ('Mobile', mobile), ('Envelope', envelope), ('Globe', globe),
    ('MapPin', map_pin), ('Fax', fax), ('AtSign', at_sign), ('WebPage', web), ('House', house),
    ('Office', office), ('Briefcase', briefcase), ('Clock', clock), ('Calendar', calendar),
    ('Printer', printer), ('Monitor', monitor), ('Laptop', laptop), ('Camera', camera),
    ('Chat', chat), ('Share', share), ('Person', person), ('Heart', heart), ('Star', star_symbol),
    ('Approved', check_badge), ('Idea', lightbulb), ('Gear', gear), ('Scissors', scissors),
    ('Coffee', coffee), ('Restaurant', restaurant), ('Key', key), ('Cart', cart), ('Truck', truck),
    ('Graduate', mortarboard), ('Music', music), ('Leaf', leaf), ('Medical', medical),
    ('Paintbrush', paintbrush), ('Plane', plane),
    ('LogoRings', logo_rings), ('LogoPeak', logo_peak), ('LogoHexagon', logo_hex),
    ('LogoGrowth', logo_bars), ('LogoLeaf', logo_leaf_circle), ('LogoMonogram', logo_monogram),
]


def generate(folder, preview=None):
    import os
    for name, draw in PICTURES:
        m = Metafile(1000, 1000, 1000)
        draw(m)
        m.save(os.path.join(folder, name + '.wmf'),
               preview and os.path.join(preview, 'clipart_' + name + '.svg'))
    return len(PICTURES)
