"""Point lists for the art generators."""
import math


def arc(cx, cy, rx, ry, a0, a1, n=None):
    """Points on an ellipse from angle a0 to a1 (degrees, clockwise on screen)."""
    if n is None:
        n = max(4, int(abs(a1 - a0) / 6))
    return [(cx + rx * math.cos(math.radians(a0 + (a1 - a0) * i / n)),
             cy + ry * math.sin(math.radians(a0 + (a1 - a0) * i / n))) for i in range(n + 1)]


def circle(cx, cy, r, n=72):
    return arc(cx, cy, r, r, 0, 360, n)[:-1]


def band(cx, cy, r_out, r_in, a0, a1):
    """An annular sector as one polygon."""
    return arc(cx, cy, r_out, r_out, a0, a1) + arc(cx, cy, r_in, r_in, a1, a0)


def star(cx, cy, r_out, r_in, points=5, rotation=-90):
    pts = []
    for i in range(points * 2):
        r = r_out if i % 2 == 0 else r_in
        a = math.radians(rotation + i * 180 / points)
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


def bezier(p0, p1, p2, p3, n=16):
    pts = []
    for i in range(n + 1):
        t = i / n
        u = 1 - t
        pts.append((u ** 3 * p0[0] + 3 * u * u * t * p1[0] + 3 * u * t * t * p2[0] + t ** 3 * p3[0],
                    u ** 3 * p0[1] + 3 * u * u * t * p1[1] + 3 * u * t * t * p2[1] + t ** 3 * p3[1]))
    return pts


def rotate(points, cx, cy, degrees):
    a = math.radians(degrees)
    c, s = math.cos(a), math.sin(a)
    return [(cx + (x - cx) * c - (y - cy) * s, cy + (x - cx) * s + (y - cy) * c) for x, y in points]


def rounded_rect(l, t, r, b, radius):
    return (arc(r - radius, t + radius, radius, radius, -90, 0, 6)
            + arc(r - radius, b - radius, radius, radius, 0, 90, 6)
            + arc(l + radius, b - radius, radius, radius, 90, 180, 6)
            + arc(l + radius, t + radius, radius, radius, 180, 270, 6))
