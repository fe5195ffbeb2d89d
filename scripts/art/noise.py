"""Tileable value noise: the lattice wraps, so a tile's edges meet."""
import math
import random


class TileNoise:
    def __init__(self, size, seed):
        self.size = size
        rnd = random.Random(seed)
        self.tables = {}
        self.rnd = rnd

    def _table(self, period):
        if period not in self.tables:
            self.tables[period] = [[self.rnd.random() for _ in range(period)] for _ in range(period)]
        return self.tables[period]

    def value(self, x, y, period_x, period_y=None):
        """Smooth noise in 0..1 at pixel (x, y) with a lattice of period cells across the tile."""
        period_y = period_y or period_x
        t = self._table(max(period_x, period_y))
        fx = x * period_x / self.size
        fy = y * period_y / self.size
        ix, iy = int(fx), int(fy)
        tx, ty = fx - ix, fy - iy
        tx = tx * tx * (3 - 2 * tx)
        ty = ty * ty * (3 - 2 * ty)
        x0, x1 = ix % period_x, (ix + 1) % period_x
        y0, y1 = iy % period_y, (iy + 1) % period_y
        a = t[y0][x0] + (t[y0][x1] - t[y0][x0]) * tx
        b = t[y1][x0] + (t[y1][x1] - t[y1][x0]) * tx
        return a + (b - a) * ty

    def fractal(self, x, y, base=4, octaves=4, stretch_x=1, stretch_y=1):
        total, amp, norm = 0.0, 1.0, 0.0
        p = base
        for _ in range(octaves):
            total += amp * self.value(x, y, p * stretch_x, p * stretch_y)
            norm += amp
            amp *= 0.5
            p *= 2
        return total / norm


def lerp_colour(stops, t):
    """stops: [(position, (r, g, b)), ...] sorted by position."""
    t = max(0.0, min(1.0, t))
    for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
        if t <= p1:
            u = 0 if p1 == p0 else (t - p0) / (p1 - p0)
            return tuple(a + (b - a) * u for a, b in zip(c0, c1))
    return stops[-1][1]
