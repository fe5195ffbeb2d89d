"""Card templates (.KVLT): INI files in 96-per-inch pixels, with labels
that take the user's personal information when a card is made from them."""
import os

CARD_W, CARD_H = 336, 192          # 3.5 x 2 inches at 96 pixels per inch

CAPTIONS = {
    'Name': 'Your Own Name', 'Company': 'Your Business Name', 'Title': 'Title or Qualifications',
    'Address1': 'Address Line One', 'Address2': 'Address Line Two', 'Address3': 'Address Line Three',
    'Phone1': 'Phone One', 'Phone2': 'Phone Two', 'Email': 'Email Address', 'Fax': 'Fax Number',
}
NAMED = {'#000000': 'clBlack', '#ffffff': 'clWhite', '#808080': 'clGray'}
ALIGN = {'left': 0, 'right': 1, 'center': 2}


def colour(c):
    c = c.lower()
    if c in NAMED:
        return NAMED[c]
    return '$00%s%s%s' % (c[5:7], c[3:5], c[1:3])


def height_for(size):
    return round(size * 96 / 72 * 1.25) + 2


class Template:
    def __init__(self, name, background='', portrait=False, font='Arial', ink='#000000'):
        self.name, self.background, self.portrait = name, background, portrait
        self.font, self.ink = font, ink
        self.sections = []
        self.shapes = self.lines = self.generic = 0
        self.w, self.h = (CARD_H, CARD_W) if portrait else (CARD_W, CARD_H)

    def text(self, section, left, top, width, size, align='left', bold=False, italic=False,
             ink=None, font=None, caption=None, angle=0, lines=1):
        """A label; with `lines` above one it wraps its words within a box that
        many lines high ("Word Wrap", which the Windows version does not read:
        there the label is one line)."""
        box_w, box_h = width, height_for(size) * lines
        if lines > 1 and align == 'center':
            # Wrapped lines centre a pixel right of the box's middle, one-line
            # labels a pixel left of it: this keeps both on one centre line.
            left -= 2
        if angle in (90, 270):   # turned text: the box stands upright
            box_w, box_h = box_h, width
        if left + box_w > self.w:
            box_w = self.w - left
        if section not in CAPTIONS:
            self.generic += 1
            caption, section = caption or section, 'Label%d' % self.generic
        style = ','.join(s for s, on in (('fsBold', bold), ('fsItalic', italic)) if on)
        self.sections.append((section, [
            ('Type', 'psLabel'), ('Caption', caption or CAPTIONS[section]),
            ('Left', left), ('Top', top), ('Width', box_w), ('Height', box_h),
            ('Font Name', font or self.font), ('Font Size', size), ('Font Color', colour(ink or self.ink)),
            ('Font Style', '[%s]' % style), ('Alignment', ALIGN[align]),
            ('Highlight Depth', 0), ('Shadow Depth', 0), ('Highlight Direction', 4),
            ('Shadow Direction', 4), ('Highlight Color', 'clWhite'), ('Shadow Color', 'clGray'),
            ('Angle', angle), ('Transparent', 1), ('Background Color', 'clWhite'), ('Border Style', 0)]
            + ([('Word Wrap', 1)] if lines > 1 else [])))
        return top + box_h

    def shape(self, kind, left, top, width, height, fill=None, pen='#000000', pen_width=1):
        self.shapes += 1
        kinds = {'rect': (0, 'stRectangle'), 'round': (2, 'stRoundRect'), 'ellipse': (4, 'stEllipse')}
        ordinal, type_name = kinds[kind]
        self.sections.append(('Shape%d' % self.shapes, [
            ('Type', type_name), ('Left', left), ('Top', top), ('Width', width), ('Height', height),
            ('Transparent', 0 if fill else 1), ('Round Percent', 20), ('Shape', ordinal),
            ('Brush Style', 0 if fill else 1), ('Brush Color', colour(fill or '#ffffff')),
            ('Pen Color', colour(pen or fill)), ('Pen Width', pen_width)]))

    def rule(self, left, top, width, ink='#000000', pen_width=1, vertical=False, length=None):
        self.lines += 1
        w, h = (4, length) if vertical else (width, 4)
        self.sections.append(('Line%d' % self.lines, [
            ('Type', 'psLine'), ('Left', left), ('Top', top), ('Width', w), ('Height', h),
            ('Line Style', 1 if vertical else 0), ('Pen Color', colour(ink)), ('Pen Width', pen_width)]))

    def logo(self, left, top):
        self.sections.append(('Logo', [('Type', 'psImage'), ('Left', left), ('Top', top),
                                       ('Width', 48), ('Height', 48)]))

    def contact(self, left, top, width, size=8, align='left', sections=None, gap=0, **kw):
        for s in sections or ('Address1', 'Address2', 'Address3', 'Phone1', 'Email'):
            top = self.text(s, left, top, width, size, align, **kw) + gap
        return top

    def ini(self):
        out = []
        for section, keys in self.sections:
            out.append('[%s]' % section)
            out += ['%s=%s' % (k, v) for k, v in keys]
            out.append('')
        out += ['[Card Data]', 'Portrait Mode=%d' % self.portrait, 'Background File=%s' % self.background, '']
        return '\r\n'.join(out)


# Every label holds the longest information a user is expected to give (a
# name, company and e-mail address of 40 letters, address lines of 60) in
# its box: Arial takes about 4.6 pixels a letter at 7 points, so address
# lines want a full-width box at 7 points (Times New Roman at 8), names
# and companies 10 points bold or 11 regular across the card.

def classic_centered():
    t = Template('Classic Centered', 'WarmPaper.wmf', font='Times New Roman')
    t.text('Company', 12, 16, 312, 11, 'center', bold=True, ink='#3b2a1a')
    y = t.text('Name', 12, 50, 312, 12, 'center')
    t.text('Title', 12, y, 312, 9, 'center', italic=True, ink='#5a4632')
    t.rule(138, 96, 60, '#8a6d3b')
    t.contact(12, 106, 312, 8, 'center', ('Address1', 'Address2', 'Phone1', 'Email'))
    return t


def classic_framed():
    t = Template('Classic Framed', 'DoubleFrame.wmf', font='Times New Roman')
    y = t.text('Name', 24, 28, 288, 10, 'center', bold=True, ink='#4a3520')
    t.text('Title', 24, y, 288, 8, 'center', italic=True, ink='#6b5334')
    t.text('Company', 24, 74, 288, 10, 'center', ink='#4a3520')
    t.contact(24, 112, 288, 7, 'center', ('Address1', 'Address2', 'Phone1'))
    return t


def classic_left_rule():
    t = Template('Classic Left Rule', font='Times New Roman')
    t.text('Company', 16, 14, 304, 11, 'left', bold=True, ink='#1f2f4a')
    t.rule(16, 38, 304, '#1f2f4a', 2)
    y = t.text('Name', 16, 48, 304, 11, 'left')
    t.text('Title', 16, y, 304, 8, 'left', italic=True)
    t.contact(16, 104, 304, 7, 'left', ('Address1', 'Address2', 'Address3'))
    t.text('Phone1', 16, 150, 120, 7, 'left')
    t.text('Fax', 16, 164, 120, 7, 'left')
    t.text('Email', 136, 150, 184, 7, 'right')
    return t


def cotton_classic():
    t = Template('Cotton Paper', 'CottonPaper.bmp', font='Times New Roman')
    t.text('Name', 12, 34, 312, 12, 'center', ink='#222222')
    t.text('Title', 12, 62, 312, 9, 'center', italic=True, ink='#555555')
    t.contact(12, 106, 312, 8, 'center', ('Company', 'Address1', 'Phone1', 'Email'), ink='#333333')
    return t


def modern_left_bar():
    t = Template('Modern Left Bar', 'LeftBar.wmf')
    y = t.text('Name', 44, 22, 284, 9, 'left', bold=True, ink='#263b50')
    t.text('Title', 44, y, 284, 8, 'left', ink='#9a7b16')
    t.text('Company', 44, 70, 284, 9, 'left', bold=True, ink='#263b50')
    t.contact(44, 108, 284, 7, 'left', ('Address1', 'Address2', 'Phone1', 'Email'), ink='#3d4f61')
    return t


def modern_swoosh():
    t = Template('Modern Swoosh', 'CornerSwoosh.wmf')
    y = t.text('Name', 16, 12, 304, 10, 'left', bold=True, ink='#1f4e79')
    t.text('Title', 16, y, 304, 8, 'left', ink='#2e86ab')
    t.contact(16, 58, 304, 7, 'left', ('Company', 'Address1', 'Address2', 'Phone1', 'Phone2', 'Email'),
              ink='#333333')
    return t


def modern_header():
    t = Template('Header Band', 'HeaderBand.wmf')
    t.text('Company', 16, 10, 304, 10, 'left', bold=True, ink='#ffffff')
    y = t.text('Name', 16, 52, 304, 10, 'left', bold=True, ink='#134e5e')
    t.text('Title', 16, y, 304, 8, 'left', ink='#5b7f88')
    t.contact(16, 100, 304, 7, 'left', ('Address1', 'Address2', 'Address3'), ink='#333333')
    t.text('Phone1', 16, 148, 152, 7, 'left', ink='#333333')
    t.text('Fax', 168, 148, 152, 7, 'right', ink='#333333')
    t.text('Email', 16, 162, 304, 7, 'left', ink='#333333')
    return t


def modern_dots():
    t = Template('Dot Fade', 'DotFade.wmf')
    y = t.text('Name', 16, 24, 304, 10, 'left', bold=True, ink='#1d3557')
    t.text('Title', 16, y, 304, 8, 'left', ink='#457b9d')
    t.contact(16, 96, 304, 7, 'left', ('Company', 'Address1', 'Phone1', 'Email'), ink='#1d3557')
    return t


def modern_two_column():
    t = Template('Sky Two Columns', 'SkyGradient.wmf')
    t.text('Company', 16, 12, 304, 10, 'right', bold=True, ink='#2b5f8a')
    y = t.text('Name', 16, 44, 304, 10, 'left', bold=True, ink='#16324f')
    t.text('Title', 16, y, 304, 8, 'left', ink='#2b5f8a')
    t.rule(16, 90, 304, '#2b5f8a')
    t.contact(16, 100, 304, 7, 'left', ('Address1', 'Address2', 'Address3'))
    t.text('Phone1', 16, 148, 152, 7, 'left')
    t.text('Phone2', 168, 148, 152, 7, 'right')
    t.text('Email', 16, 162, 304, 7, 'left')
    return t


def bold_charcoal():
    t = Template('Bold Charcoal', 'Charcoal.wmf')
    y = t.text('Name', 16, 26, 304, 10, 'left', bold=True, ink='#ffffff')
    t.text('Title', 16, y, 304, 9, 'left', ink='#e0a526')
    t.contact(16, 96, 304, 7, 'left', ('Company', 'Address1', 'Phone1', 'Email'), ink='#d8dbde')
    return t


def bold_red_corners():
    t = Template('Bold Red Corners', 'RedCorners.wmf')
    y = t.text('Name', 12, 56, 312, 10, 'center', bold=True, ink='#b8323d')
    t.text('Title', 12, y, 312, 9, 'center', ink='#333333')
    t.contact(12, 118, 312, 7, 'center', ('Company', 'Phone1', 'Email'), ink='#333333')
    return t


def bold_deco():
    t = Template('Art Deco', 'DecoFans.wmf', font='Times New Roman')
    # Clear of the fans in the corners.
    t.text('Company', 12, 54, 312, 9, 'center', bold=True, ink='#c9a74d')
    t.text('Name', 12, 80, 312, 11, 'center', ink='#ffffff')
    t.text('Title', 12, 102, 312, 8, 'center', italic=True, ink='#c9a74d')
    t.contact(12, 124, 312, 7, 'center', ('Phone1', 'Email'), ink='#ffffff')
    return t


def bold_block():
    t = Template('Bold Block')
    t.shape('rect', 0, 0, 40, 192, '#e76f51', None)
    t.text('Title', 12, 12, 168, 8, bold=True, ink='#ffffff', angle=90)
    y = t.text('Name', 52, 24, 272, 9, 'left', bold=True, ink='#264653')
    t.text('Company', 52, y + 2, 272, 9, 'left', ink='#e76f51')
    t.contact(52, 96, 272, 6, 'left', ('Address1', 'Address2', 'Phone1', 'Email'), ink='#264653', gap=2)
    return t


def minimal_name():
    t = Template('Minimal')
    t.text('Name', 16, 76, 304, 10, 'left', ink='#111111')
    t.contact(16, 148, 304, 7, 'left', ('Phone1', 'Email'), ink='#777777')
    return t


def minimal_centered_rule():
    t = Template('Minimal Centered')
    t.text('Name', 12, 62, 312, 10, 'center', ink='#222222')
    t.rule(148, 92, 40, '#222222')
    t.text('Title', 12, 100, 312, 7, 'center', ink='#666666')
    t.contact(12, 150, 312, 7, 'center', ('Phone1', 'Email'), ink='#444444')
    return t


def minimal_split():
    t = Template('Split Tone', 'SplitTone.wmf')
    t.logo(12, 72)
    y = t.text('Name', 96, 40, 232, 8, 'left', ink='#222222')
    t.text('Title', 96, y, 232, 7, 'left', ink='#5c7c99')
    t.contact(88, 100, 240, 6, 'left', ('Company', 'Address1', 'Phone1', 'Email'), ink='#444444', gap=2)
    return t


def minimal_dot():
    t = Template('Minimal Dot')
    t.shape('ellipse', 24, 82, 12, 12, '#2a9d8f', None)
    y = t.text('Name', 46, 76, 282, 10, 'left', ink='#222222')
    t.text('Title', 46, y, 282, 7, 'left', ink='#2a9d8f')
    t.contact(46, 150, 282, 6, 'left', ('Phone1', 'Email'), ink='#555555')
    return t


def logo_left():
    t = Template('Logo Left')
    t.logo(16, 20)
    t.text('Company', 76, 34, 244, 8, 'left', bold=True, ink='#22313f')
    t.rule(16, 84, 304, '#f2c14e', 2)
    y = t.text('Name', 16, 94, 304, 10, 'left', bold=True)
    t.text('Title', 16, y, 304, 7, 'left', ink='#666666')
    t.contact(16, 136, 304, 7, 'left', ('Address1', 'Phone1', 'Email'))
    return t


def logo_right():
    t = Template('Logo Right')
    t.logo(268, 16)
    t.text('Company', 16, 30, 244, 8, 'left', bold=True, ink='#2f6d3a')
    y = t.text('Name', 16, 74, 304, 10, 'left', bold=True, ink='#2f6d3a')
    t.text('Title', 16, y, 304, 8, 'left', ink='#555555')
    t.contact(16, 118, 304, 7, 'left', ('Address1', 'Address2', 'Phone1', 'Email'))
    return t


def logo_left_hex():
    t = Template('Logo Hexagons', 'Hexagons.wmf')
    t.logo(16, 16)
    y = t.text('Name', 16, 72, 304, 10, 'left', bold=True, ink='#2e4a62')
    t.text('Title', 16, y, 304, 7, 'left', ink='#6b7f92')
    t.contact(16, 116, 304, 7, 'left', ('Company', 'Address1', 'Phone1', 'Email'), ink='#2e4a62')
    return t


def logo_right_bubbles():
    t = Template('Logo Bubbles', 'Bubbles.wmf')
    t.logo(20, 16)
    t.text('Company', 80, 32, 240, 8, 'left', ink='#6d597a')
    y = t.text('Name', 20, 80, 300, 10, 'left', ink='#355070')
    t.text('Title', 20, y, 300, 7, 'left', ink='#b56576')
    t.contact(20, 128, 300, 7, 'left', ('Phone1', 'Email', 'Address1'), ink='#355070')
    return t


def logo_recycled():
    t = Template('Recycled Logo', 'RecycledPaper.bmp')
    t.logo(144, 16)
    t.text('Company', 12, 72, 312, 10, 'center', bold=True, ink='#3e3a32')
    t.text('Name', 12, 98, 312, 9, 'center', ink='#3e3a32')
    t.contact(12, 128, 312, 7, 'center', ('Address1', 'Phone1', 'Email'), ink='#5a5448')
    return t


def waves():
    t = Template('Soft Waves', 'SoftWaves.wmf')
    t.text('Company', 12, 16, 312, 10, 'center', bold=True, ink='#2f7f6f')
    y = t.text('Name', 12, 52, 312, 10, 'center', ink='#222222')
    t.text('Title', 12, y, 312, 7, 'center', italic=True, ink='#2f7f6f')
    t.contact(12, 98, 312, 7, 'center', ('Phone1', 'Email'), ink='#333333')
    return t


def eco():
    t = Template('Eco Leaf', 'EcoLeaf.wmf')
    t.text('Company', 16, 16, 304, 10, 'left', bold=True, ink='#3d6b35')
    t.text('Name', 16, 48, 296, 10, 'left', ink='#222222')
    t.text('Title', 16, 68, 296, 7, 'left', ink='#5b8c51')
    t.contact(16, 96, 244, 6, 'left', ('Address1', 'Phone1', 'Email'), ink='#333333', gap=2)
    return t


def confetti():
    t = Template('Celebration', 'Confetti.wmf')
    t.text('Company', 12, 44, 312, 10, 'center', bold=True, ink='#e76f51')
    t.text('Name', 12, 76, 312, 10, 'center', ink='#264653')
    t.contact(12, 104, 312, 7, 'center', ('Phone1', 'Email'), ink='#264653')
    return t


def pinstripe_corporate():
    t = Template('Pinstripe Corporate', 'Pinstripe.wmf')
    t.shape('rect', 0, 150, 336, 42, '#2d3e50', None)
    y = t.text('Name', 16, 28, 304, 10, 'left', bold=True, ink='#2d3e50')
    t.text('Title', 16, y, 304, 8, 'left', ink='#5d6d7e')
    t.text('Company', 16, 90, 304, 9, 'left', bold=True, ink='#2d3e50')
    t.contact(16, 156, 304, 7, 'left', ('Phone1', 'Email'), ink='#ffffff')
    return t


def rounded_badge():
    t = Template('Rounded Frame')
    t.shape('round', 10, 10, 316, 172, None, '#6a4c93', 2)
    y = t.text('Name', 14, 40, 308, 10, 'center', bold=True, ink='#6a4c93')
    t.text('Title', 14, y, 308, 8, 'center', ink='#555555')
    t.contact(14, 104, 308, 7, 'center', ('Company', 'Phone1', 'Email'), ink='#333333')
    return t


# The portrait cards read held upright. Two inches hold about 30 letters a
# line at 8 points, so the name, the company and the address lines wrap
# onto a second line ("Word Wrap" labels, `lines=2`); the name is 8 points
# because a 28-letter word (a double-barrelled surname) must still fit one
# line, and the e-mail address, one word, is 6 points on a line of its own.
# Text keeps a 1/8-inch margin on the left (or both sides when centred).
def portrait_classic():
    t = Template('Portrait Classic', 'LeftBar.wmf', portrait=True)
    # The bar runs across the top (0-32). A wrapped label's second line is
    # room kept for long text: each is followed by a rule or a gap, so that
    # with one line the room reads as spacing.
    y = t.text('Name', 12, 56, 168, 8, ink='#263b50', lines=2)
    t.rule(12, y + 4, 40, '#9a7b16')
    y = t.text('Title', 12, y + 14, 168, 7, ink='#9a7b16')
    y = t.text('Company', 12, y + 2, 168, 7, bold=True, ink='#263b50', lines=2)
    y = t.contact(12, y + 14, 168, 7, sections=('Address1', 'Address2', 'Address3'), ink='#3d4f61',
                  gap=2, lines=2)
    y = t.contact(12, y + 10, 172, 7, sections=('Phone1', 'Fax'), ink='#3d4f61')
    t.text('Email', 12, y, 172, 6, ink='#3d4f61')
    return t


def portrait_logo():
    t = Template('Portrait Logo', portrait=True)
    t.logo(72, 30)
    y = t.text('Company', 12, 90, 168, 8, 'center', bold=True, ink='#8c2f39', lines=2)
    y = t.text('Name', 12, y + 6, 168, 8, 'center', ink='#222222', lines=2)
    y = t.text('Title', 12, y, 168, 7, 'center', ink='#666666')
    t.rule(76, y + 8, 40, '#8c2f39')
    y = t.contact(12, y + 22, 168, 7, 'center', ('Address1', 'Address2'), ink='#333333', gap=2, lines=2)
    y = t.contact(12, y + 8, 168, 7, 'center', ('Phone1', 'Phone2'), ink='#333333')
    t.text('Email', 10, y, 172, 6, 'center', ink='#333333')
    return t


def portrait_minimal():
    t = Template('Portrait Minimal', portrait=True)
    t.shape('rect', 0, 0, 192, 8, '#2a9d8f', None)
    # The name alone in the middle; the title with the contact lines below.
    t.text('Name', 16, 140, 168, 8, ink='#222222', lines=2)
    t.text('Title', 16, 264, 168, 7, ink='#2a9d8f')
    t.text('Phone1', 16, 286, 168, 7, ink='#444444')
    t.text('Email', 16, 300, 172, 6, ink='#444444')
    return t


TEMPLATES = [
    ('Classic Centered', classic_centered), ('Classic Framed', classic_framed),
    ('Classic Left Rule', classic_left_rule), ('Cotton Paper', cotton_classic),
    ('Modern Left Bar', modern_left_bar), ('Modern Swoosh', modern_swoosh),
    ('Modern Header Band', modern_header), ('Modern Dot Fade', modern_dots),
    ('Modern Two Columns', modern_two_column), ('Bold Charcoal', bold_charcoal),
    ('Bold Red Corners', bold_red_corners), ('Bold Art Deco', bold_deco), ('Bold Block', bold_block),
    ('Minimal', minimal_name), ('Minimal Centered', minimal_centered_rule),
    ('Minimal Split Tone', minimal_split), ('Minimal Dot', minimal_dot), ('Logo Left', logo_left),
    ('Logo Right', logo_right), ('Logo Left Hexagons', logo_left_hex),
    ('Logo Bubbles', logo_right_bubbles), ('Logo Recycled Paper', logo_recycled),
    ('Soft Waves', waves), ('Eco Leaf', eco), ('Celebration', confetti),
    ('Pinstripe Corporate', pinstripe_corporate), ('Rounded Frame', rounded_badge),
    ('Portrait Classic', portrait_classic), ('Portrait Logo', portrait_logo),
    ('Portrait Minimal', portrait_minimal),
]


def generate(folder):
    for name, make in TEMPLATES:
        t = make()
        with open(os.path.join(folder, name + '.KVLT'), 'w', newline='') as f:
            f.write(t.ini())
    return len(TEMPLATES)
