"""Seamless texture tiles: every pattern is periodic over the tile, so the
left edge continues the right one and the top the bottom."""
import math
import os
import random

from bmp import write_bmp
from noise import TileNoise, lerp_colour

S = 256
TAU = 2 * math.pi


def marble(stops, seed, veins=3):
    n = TileNoise(S, seed)
    def pixel(x, y):
        t = n.fractal(x, y, 4, 5)
        v = 0.5 + 0.5 * math.sin(TAU * (x + y) * veins / S + 9 * t)
        return lerp_colour(stops, v ** 0.6)
    return pixel


def wood(stops, seed):
    n = TileNoise(S, seed)
    def pixel(x, y):
        t = n.fractal(x, y, 2, 4, 1, 4)
        fine = n.value(x, y, 4, 64)
        v = (math.sin(TAU * (y * 6 / S + 1.5 * t)) + 1) / 2
        return lerp_colour(stops, 0.75 * v + 0.25 * fine)
    return pixel


def cloudy(stops, seed, base=4, octaves=5, speck=0.0):
    n = TileNoise(S, seed)
    rnd = random.Random(seed)
    def pixel(x, y):
        v = n.fractal(x, y, base, octaves)
        if speck and rnd.random() < speck:
            v = rnd.choice((0.0, 1.0))
        return lerp_colour(stops, (v - 0.2) / 0.6)
    return pixel


def linen(stops, seed):
    n = TileNoise(S, seed)
    def pixel(x, y):
        warp = 0.5 + 0.5 * math.sin(TAU * x * 64 / S)
        weft = 0.5 + 0.5 * math.sin(TAU * y * 64 / S)
        slub = n.value(x, y, 8, 128) * 0.5 + n.value(x, y, 128, 8) * 0.5
        return lerp_colour(stops, 0.35 * warp + 0.35 * weft + 0.3 * slub)
    return pixel


def brushed(stops, seed):
    n = TileNoise(S, seed)
    def pixel(x, y):
        v = 0.6 * n.fractal(x, y, 1, 3, 1, 64) + 0.4 * n.value(x, y, 2, 128)
        sheen = 0.5 + 0.5 * math.cos(TAU * x / S)
        return lerp_colour(stops, 0.7 * v + 0.3 * sheen)
    return pixel


def granite(stops, seed):
    n = TileNoise(S, seed)
    def pixel(x, y):
        v = n.value(x, y, 64) * 0.55 + n.value(x, y, 128) * 0.3 + n.fractal(x, y, 4, 3) * 0.15
        return lerp_colour(stops, (v - 0.2) / 0.6)
    return pixel


def denim(stops, seed):
    n = TileNoise(S, seed)
    def pixel(x, y):
        twill = 0.5 + 0.5 * math.sin(TAU * (x + y) * 64 / S)
        fade = n.fractal(x, y, 4, 4, 1, 8)
        return lerp_colour(stops, 0.45 * twill + 0.55 * fade)
    return pixel


def slate(stops, seed):
    n = TileNoise(S, seed)
    def pixel(x, y):
        layers = 0.5 + 0.5 * math.sin(TAU * y * 3 / S + 6 * n.fractal(x, y, 2, 3))
        return lerp_colour(stops, 0.4 * layers + 0.6 * n.fractal(x, y, 8, 4))
    return pixel


def rgb(h):
    h = h.lstrip('#')
    return tuple(int(h[i:i + 2], 16) for i in (0, 2, 4))


def ramp(*colours):
    return [(i / (len(colours) - 1), rgb(c)) for i, c in enumerate(colours)]


TEXTURES = [
    ('WhiteMarble', marble(ramp('#8f9299', '#d9dadd', '#f4f4f2', '#fbfbfa'), 1)),
    ('GreenMarble', marble(ramp('#0d3b2e', '#1f6650', '#5f9e86', '#c8e0d4'), 2, 2)),
    ('RoseMarble', marble(ramp('#9c6b6b', '#d8b0a8', '#f1dcd6', '#fbf3f0'), 3, 4)),
    ('Oak', wood(ramp('#8a5a2b', '#b07b45', '#c99a62', '#a26d3a'), 4)),
    ('Walnut', wood(ramp('#3b2416', '#5a3a25', '#7a5236', '#4a2e1d'), 5)),
    ('Parchment', cloudy(ramp('#c9b48a', '#e3d3ad', '#f3e9cf'), 6, 3, 5)),
    ('RecycledCard', cloudy(ramp('#b9b2a3', '#d8d2c4', '#e9e4d9'), 7, 16, 3, 0.01)),
    ('Linen', linen(ramp('#cfc7b8', '#e4ddd0', '#f4efe6'), 8)),
    ('BrushedSteel', brushed(ramp('#7d838a', '#a9aeb4', '#d5d9dd', '#eef0f2'), 9)),
    ('BrushedGold', brushed(ramp('#8d6a1f', '#bf9436', '#e3c36f', '#f6e3a8'), 10)),
    ('Granite', granite(ramp('#2c2c2e', '#6e6a66', '#b8b2aa', '#e8e4de'), 11)),
    ('Sandstone', cloudy(ramp('#b98b5a', '#d4aa77', '#e8c99b'), 12, 8, 5, 0.02)),
    ('Denim', denim(ramp('#1d2f55', '#2f4d82', '#5875a8'), 13)),
    ('Slate', slate(ramp('#2f3a40', '#4a5861', '#67767f'), 14)),
    ('Clouds', cloudy(ramp('#7aaede', '#b9d6f0', '#ffffff'), 15, 4, 6)),
    ('Cork', cloudy(ramp('#7b5230', '#a87647', '#caa06c'), 16, 32, 3, 0.08)),
    ('Concrete', cloudy(ramp('#8e8d89', '#b1b0ab', '#cfcdc8'), 17, 8, 5, 0.03)),
    ('Terracotta', cloudy(ramp('#9c4a2f', '#c0633f', '#d88a63'), 18, 4, 5, 0.01)),
]


def generate(folder):
    for name, pixel in TEXTURES:
        write_bmp(os.path.join(folder, name + '.bmp'), S, S, pixel, 96)
    return len(TEXTURES)
