#!/usr/bin/env python3
"""Draws every image in res/: toolbar pictograms (1x and 2x), cursors, the
application icon in six sizes and the table picture of the user manual.

Only the Python 3 standard library is needed, except for the manual's table
picture, whose characters are rendered with ImageMagick's `convert` and the
IPAMincho font, and the picture of a drawing in a Western font (for the manual
and docs/ of the README), rendered with DejaVu Sans Mono and IPAGothic; each is
skipped with a note when those are missing. The output is deterministic, so
running the script again changes no committed file.

Usage: res/make-images.py [--sheet FILE]   (--sheet also writes an overview)
"""

import math
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import unicodedata
import zlib

RES = os.path.dirname(os.path.abspath(__file__))

# ---------------------------------------------------------------------------
# PNG output


def write_png(path, width, height, rgba_rows):
    """rgba_rows: list of bytes objects, 4 bytes per pixel."""
    raw = b"".join(b"\x00" + row for row in rgba_rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(raw, 9))
    png += chunk(b"IEND", b"")
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(png)


# ---------------------------------------------------------------------------
# A small anti-aliasing rasterizer. Shapes are given in "units"; one unit is
# `scale` device pixels, so a pictogram designed on a 16 x 15 grid is drawn at
# 1x and 2x from the same description. Edges on whole units stay crisp.

SUB = 4  # sub-samples per pixel edge


class Image:
    def __init__(self, width, height, scale=1):
        self.w, self.h, self.s = width, height, scale
        self.crisp = False  # hard edges for polygons and strokes (pixel art at 1x)
        self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(width * height)]

    @property
    def hair(self):
        """One device pixel, in units."""
        return 1.0 / self.s

    def blend(self, i, j, color, cover):
        if cover <= 0.0 or not (0 <= i < self.w and 0 <= j < self.h):
            return
        alpha = (color[3] / 255.0 if len(color) > 3 else 1.0) * min(cover, 1.0)
        d = self.px[j * self.w + i]
        out = alpha + d[3] * (1.0 - alpha)
        if out <= 0.0:
            return
        for k in range(3):
            d[k] = (color[k] / 255.0 * alpha + d[k] * d[3] * (1.0 - alpha)) / out
        d[3] = out

    def get(self, i, j):
        return self.px[j * self.w + i]

    def set(self, i, j, color):
        self.px[j * self.w + i] = [color[0] / 255.0, color[1] / 255.0, color[2] / 255.0,
                                   (color[3] if len(color) > 3 else 255) / 255.0]

    # Exact coverage of an axis-aligned rectangle.
    def rect(self, x0, y0, x1, y1, color):
        s = self.s
        X0, Y0, X1, Y1 = x0 * s, y0 * s, x1 * s, y1 * s
        for j in range(max(0, math.floor(Y0)), min(self.h, math.ceil(Y1))):
            cy = min(Y1, j + 1) - max(Y0, j)
            if cy <= 0:
                continue
            for i in range(max(0, math.floor(X0)), min(self.w, math.ceil(X1))):
                cx = min(X1, i + 1) - max(X0, i)
                if cx > 0:
                    self.blend(i, j, color, cx * cy)

    def frame(self, x0, y0, x1, y1, fill, ink, width=None):
        """A filled rectangle with an outline `width` units wide inside its edge."""
        width = self.hair if width is None else width
        if fill is None:
            self.rect(x0, y0, x1, y0 + width, ink)
            self.rect(x0, y1 - width, x1, y1, ink)
            self.rect(x0, y0 + width, x0 + width, y1 - width, ink)
            self.rect(x1 - width, y0 + width, x1, y1 - width, ink)
            return
        self.rect(x0, y0, x1, y1, ink)
        self.rect(x0 + width, y0 + width, x1 - width, y1 - width, fill)

    # Sampled coverage of any shape: inside(x, y) in units.
    def shape(self, inside, bbox, color, hard=None):
        hard = self.crisp if hard is None else hard
        s = self.s
        x0, y0, x1, y1 = bbox
        for j in range(max(0, math.floor(y0 * s)), min(self.h, math.ceil(y1 * s))):
            for i in range(max(0, math.floor(x0 * s)), min(self.w, math.ceil(x1 * s))):
                n = 0
                for a in range(SUB):
                    for b in range(SUB):
                        if inside((i + (b + 0.5) / SUB) / s, (j + (a + 0.5) / SUB) / s):
                            n += 1
                cover = n / (SUB * SUB)
                if hard:
                    cover = 1.0 if cover >= 0.5 else 0.0
                self.blend(i, j, color, cover)

    def poly(self, pts, color, hard=None):
        self.shape(poly_inside(pts), bbox_of(pts), color, hard)

    def outlined_poly(self, pts, fill, ink, width=None):
        width = self.hair if width is None else width
        self.poly(pts, ink)
        if fill is not None:
            inside, edge = poly_inside(pts), edge_distance(pts, True)
            self.shape(lambda x, y: inside(x, y) and edge(x, y) >= width, bbox_of(pts), fill)

    def stroke(self, pts, width, color, closed=False, hard=None):
        dist = edge_distance(pts, closed)
        r = width / 2.0
        x0, y0, x1, y1 = bbox_of(pts)
        self.shape(lambda x, y: dist(x, y) <= r, (x0 - r, y0 - r, x1 + r, y1 + r), color, hard)

    def ellipse(self, cx, cy, rx, ry, color):
        self.shape(lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0,
                   (cx - rx, cy - ry, cx + rx, cy + ry), color)

    def ring(self, cx, cy, r, width, color):
        self.shape(lambda x, y: abs(math.hypot(x - cx, y - cy) - r) <= width / 2.0,
                   (cx - r - width, cy - r - width, cx + r + width, cy + r + width), color)

    def bitmap(self, rows, x, y, color, cell=1.0):
        """'#' marks in `rows` become squares of `cell` units from (x, y)."""
        for r, line in enumerate(rows):
            for c, ch in enumerate(line):
                if ch == "#":
                    self.rect(x + c * cell, y + r * cell, x + (c + 1) * cell,
                              y + (r + 1) * cell, color)

    def rows(self):
        out = []
        for j in range(self.h):
            row = bytearray()
            for i in range(self.w):
                r, g, b, a = self.px[j * self.w + i]
                if a <= 0.0:
                    row += b"\x00\x00\x00\x00"
                else:
                    row += bytes(max(0, min(255, round(v * 255))) for v in (r, g, b, a))
            out.append(bytes(row))
        return out

    def save(self, path):
        write_png(path, self.w, self.h, self.rows())


def bbox_of(pts):
    xs, ys = [p[0] for p in pts], [p[1] for p in pts]
    return min(xs), min(ys), max(xs), max(ys)


def poly_inside(pts):
    """Non-zero winding test."""
    n = len(pts)

    def inside(x, y):
        wind = 0
        for k in range(n):
            (ax, ay), (bx, by) = pts[k], pts[(k + 1) % n]
            if ay <= y:
                if by > y and (bx - ax) * (y - ay) - (x - ax) * (by - ay) > 0:
                    wind += 1
            elif by <= y and (bx - ax) * (y - ay) - (x - ax) * (by - ay) < 0:
                wind -= 1
        return wind != 0

    return inside


def edge_distance(pts, closed):
    segs = list(zip(pts, pts[1:] + pts[:1] if closed else pts[1:]))

    def dist(x, y):
        best = 1e9
        for (ax, ay), (bx, by) in segs:
            dx, dy = bx - ax, by - ay
            ll = dx * dx + dy * dy
            t = 0.0 if ll == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / ll))
            best = min(best, math.hypot(x - ax - t * dx, y - ay - t * dy))
        return best

    return dist


def arc_points(cx, cy, r, a0, a1, steps=48):
    """Points of an arc; angles in degrees, counter-clockwise on screen (y down)."""
    return [(cx + r * math.cos(math.radians(a0 + (a1 - a0) * k / steps)),
             cy - r * math.sin(math.radians(a0 + (a1 - a0) * k / steps)))
            for k in range(steps + 1)]


def arrow_head(tip, direction, length, half_width):
    """Triangle with its point at `tip`, pointing along `direction` (a vector)."""
    dx, dy = direction
    n = math.hypot(dx, dy)
    dx, dy = dx / n, dy / n
    bx, by = tip[0] - dx * length, tip[1] - dy * length
    return [tip, (bx - dy * half_width, by + dx * half_width),
            (bx + dy * half_width, by - dx * half_width)]


# ---------------------------------------------------------------------------
# Colours shared by every picture

INK = (38, 42, 52)
PAPER = (255, 255, 255)
PAPER_SHADE = (214, 220, 230)
TEXT_GREY = (150, 156, 168)
BLUE = (28, 74, 156)  # ruled lines, as in the application icon
SKY = (96, 148, 220)
YELLOW = (246, 196, 54)
YELLOW_DARK = (214, 158, 30)
WOOD = (238, 200, 150)
RED = (206, 52, 44)
GREEN = (36, 142, 64)
BROWN = (156, 104, 54)
METAL = (176, 182, 192)
METAL_DARK = (118, 124, 136)
PINK = (240, 150, 166)
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)

# ---------------------------------------------------------------------------
# Toolbar pictograms on a 16 x 15 grid

DIGITS = {
    "0": ["###", "#.#", "#.#", "#.#", "###"],
    "1": [".#.", "##.", ".#.", ".#.", "###"],
    "8": ["###", "#.#", "###", "#.#", "###"],
    "9": ["###", "#.#", "###", "..#", "###"],
}


def digits(img, text, x, y, color):
    for k, ch in enumerate(text):
        img.bitmap(DIGITS[ch], x + 4 * k, y, color)


def letter_a(img, x, y, color):
    """A bold capital A, 7 units wide and 8 high, from (x, y)."""
    if img.s == 1:
        img.bitmap(["..###..", "..###..", ".##.##.", ".##.##.", "##...##", "#######",
                    "##...##", "##...##"], x, y, color)
        return
    # Drawn as strokes at higher resolutions so the slopes stay smooth.
    w = 1.6
    img.poly([(x + 2.6, y), (x + 4.4, y), (x + 7, y + 8), (x + 7 - w - 0.2, y + 8),
              (x + 3.5, y + 1.9), (x + w + 0.2, y + 8), (x, y + 8)], color)
    img.rect(x + 1.6, y + 5, x + 5.4, y + 6.3, color)


def page(img, x0, y0, x1, y1, fold=0, lines=()):
    """A sheet of paper with an optional folded top-right corner and text lines."""
    pts = [(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)]
    if fold:
        img.outlined_poly(pts, PAPER, INK)
        img.outlined_poly([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)],
                          PAPER_SHADE, INK)
    else:
        img.frame(x0, y0, x1, y1, PAPER, INK)
    for (lx0, ly, lx1) in lines:
        img.rect(lx0, ly, lx1, ly + 1, TEXT_GREY)


def pencil(img, tip, length, width):
    """A pencil lying from `tip` up to the right at 45 degrees."""
    d = (math.sqrt(0.5), -math.sqrt(0.5))
    n = (math.sqrt(0.5), math.sqrt(0.5))
    hw = width / 2.0

    def at(t, u):
        return (tip[0] + d[0] * t + n[0] * u, tip[1] + d[1] * t + n[1] * u)

    cone = width * 1.05
    cap = width * 0.75
    img.outlined_poly([at(cone, -hw), at(length - cap, -hw), at(length - cap, hw),
                       at(cone, hw)], YELLOW, INK)
    img.outlined_poly([at(length - cap, -hw), at(length, -hw), at(length, hw),
                       at(length - cap, hw)], PINK, INK)
    img.outlined_poly([at(0, 0), at(cone, -hw), at(cone, hw)], WOOD, INK)
    img.poly([at(0, 0), at(cone * 0.42, -hw * 0.42), at(cone * 0.42, hw * 0.42)], INK)


PIXEL_COLORS = {"k": INK, "b": BLUE, "g": GREEN, "m": METAL_DARK, "r": RED, "y": YELLOW,
                "o": (190, 124, 14)}


def pixel_art(img, rows):
    """A hand-drawn 1x picture: one letter of PIXEL_COLORS per pixel."""
    for y, line in enumerate(rows):
        for x, ch in enumerate(line):
            if ch in PIXEL_COLORS:
                img.rect(x, y, x + 1, y + 1, PIXEL_COLORS[ch])


def diagonal_pixels(img, ox, oy, length, half, color_at):
    """Pixel art of a block lying at 45 degrees from pixel (ox, oy) up to the right:
    t runs along it (0..length), u across it (-half..half); color_at(t, u)."""
    for t in range(length + 1):
        for u in range(-half, half + 1):
            if (t + u) % 2 == 0:
                color = color_at(t, u)
                if color is not None:
                    x, y = ox + (t + u) // 2, oy + (u - t) // 2
                    img.rect(x, y, x + 1, y + 1, color)


def pixel_pencil(img, ox, oy):
    """The 1x pencil: lead and cone at (ox, oy), 12 pixels along the diagonal."""

    def color_at(t, u):
        if abs(u) > t:
            return None  # outside the cone
        if t <= 1:
            return INK
        if abs(u) == 2 or t in (5, 12):
            return INK
        return WOOD if t < 5 else YELLOW if t < 10 else PINK

    diagonal_pixels(img, ox, oy, 12, 2, color_at)


def pixel_eraser(img, ox, oy):
    def color_at(t, u):
        if abs(u) == 3 or t in (0, 6, 16):
            return INK
        return PINK if t < 6 else SKY

    diagonal_pixels(img, ox, oy, 16, 3, color_at)


def icon_new(img):
    page(img, 3, 0, 13, 15, fold=4)


def icon_open(img):
    img.outlined_poly([(1, 2), (6, 2), (7.5, 3.5), (13, 3.5), (13, 14), (1, 14)],
                      YELLOW_DARK, INK)
    img.outlined_poly([(3.5, 7), (16, 7), (13, 14), (1, 14)], YELLOW, INK)


def icon_save(img):
    img.outlined_poly([(1, 1), (13, 1), (15, 3), (15, 15), (1, 15)], BLUE, INK)
    img.frame(4, 1, 12, 6, METAL, INK)
    img.rect(9, 2, 11, 5, INK)
    img.frame(3, 8.5, 13, 15, PAPER, INK)
    img.rect(4.5, 10.5, 11.5, 11.5, TEXT_GREY)
    img.rect(4.5, 12.5, 11.5, 13.5, TEXT_GREY)


def icon_undo(img):
    if img.s == 1:
        pixel_art(img, [
            "................",
            "................",
            "....b...........",
            "...bb...........",
            "..bbbbbbbbbb....",
            ".bbbbbbbbbbbbb..",
            "..bbb.......bbb.",
            "...bb........bb.",
            "....b........bb.",
            ".............bb.",
            "............bbb.",
            "..........bbbb..",
            ".......bbbbbb...",
            ".......bbbb.....",
        ])
        return
    pts = [(4.5, 5)] + arc_points(10, 8.5, 3.5, 90, -90) + [(8, 12)]
    img.stroke(pts, 2.0, BLUE)
    img.poly([(0.8, 5), (5.2, 1), (5.2, 9)], BLUE)


def icon_redo(img):
    # The undo arrow, mirrored left to right.
    icon_undo(img)
    for j in range(img.h):
        row = img.px[j * img.w:(j + 1) * img.w]
        img.px[j * img.w:(j + 1) * img.w] = row[::-1]


def icon_cut(img):
    if img.s == 1:
        pixel_art(img, [
            "..m..........m..",
            "..mm........mm..",
            "...mm......mm...",
            "....mm....mm....",
            ".....mm..mm.....",
            "......mkkm......",
            "......mkkm......",
            ".....mm..mm.....",
            "....mm....mm....",
            "..rrrr....rrrr..",
            ".r....r..r....r.",
            ".r....r..r....r.",
            ".r....r..r....r.",
            "..rrrr....rrrr..",
        ])
        return
    img.stroke([(5.4, 9.6), (11.5, 0.8)], 1.7, METAL_DARK)
    img.stroke([(10.6, 9.6), (4.5, 0.8)], 1.7, METAL_DARK)
    img.ellipse(8, 5.6, 1.0, 1.0, INK)
    for cx in (4.3, 11.7):
        img.ring(cx, 11.7, 2.2, 1.6, RED)


def icon_copy(img):
    page(img, 1, 0, 10, 11, lines=[(3, 3, 8), (3, 5, 8), (3, 7, 7)])
    page(img, 6, 4, 15, 15, lines=[(8, 7, 13), (8, 9, 13), (8, 11, 12)])


def clipboard(img):
    img.frame(1, 1.5, 12, 15, BROWN, INK)
    img.frame(4, 0, 9, 3.5, METAL, INK)


def icon_paste(img):
    clipboard(img)
    page(img, 6, 5, 15, 15, lines=[(8, 8, 13), (8, 10, 13), (8, 12, 12)])


def icon_tpaste(img):
    clipboard(img)
    img.rect(6, 5, 15, 15, INK)
    for r in range(5):
        for c in range(5):
            x, y = 6 + img.hair + c * 2, 5 + img.hair + r * 2
            color = PAPER if (r + c) % 2 == 0 else (168, 174, 186)
            img.rect(x, y, min(x + 2, 15 - img.hair), min(y + 2, 15 - img.hair), color)


def rotate_arrow(img, a_start, a_end):
    cx, cy, r = 8, 6.5, 4.5
    pts = arc_points(cx, cy, r, a_start, a_end)
    img.stroke(pts[:-4], 1.8, GREEN)
    ex, ey = pts[-1]
    a = math.radians(a_end)
    # Clockwise on screen: the tangent points along (sin a, cos a).
    img.poly(arrow_head((ex + 1.2 * math.sin(a), ey + 1.2 * math.cos(a)),
                        (math.sin(a), math.cos(a)), 4.6, 3.2), GREEN)


def icon_rotate90(img):
    if img.s == 1:
        pixel_art(img, [
            "................",
            "....gggggg......",
            "....ggggggggg...",
            "...........ggg..",
            "............gg..",
            "..........gggggg",
            "...........gggg.",
            "............gg..",
        ])
    else:
        rotate_arrow(img, 100, -15)
    digits(img, "90", 5, 10, INK)


def icon_rotate180(img):
    if img.s == 1:
        pixel_art(img, [
            "................",
            "......ggggg.....",
            "....ggggggggg...",
            "...ggg.....ggg..",
            "...gg.......gg..",
            "...gg.....gggggg",
            "...gg......gggg.",
            "............gg..",
        ])
    else:
        rotate_arrow(img, 195, -15)
    digits(img, "180", 3, 10, INK)


def icon_print(img):
    page(img, 4, 0.5, 12, 6)
    img.outlined_poly([(1, 5), (15, 5), (15, 11.5), (1, 11.5)], METAL, INK)
    img.rect(12, 6.5, 13.5, 8, GREEN)
    page(img, 3.5, 9.5, 12.5, 15, lines=[(5, 11.5, 11), (5, 13, 10)])


def icon_select(img):
    # Marching ants: alternating runs of two units around the rectangle.
    x0, y0, x1, y1 = 1, 2, 15, 13
    cells = [(x, y0) for x in range(x0, x1)] + [(x1 - 1, y) for y in range(y0 + 1, y1)]
    cells += [(x, y1 - 1) for x in range(x1 - 2, x0 - 1, -1)]
    cells += [(x0, y) for y in range(y1 - 2, y0, -1)]
    for k, (x, y) in enumerate(cells):
        img.rect(x, y, x + 1, y + 1, INK if (k // 2) % 2 == 0 else WHITE)


def icon_hline(img):
    if img.s == 1:
        img.rect(0, 11, 9, 13, BLUE)
        pixel_pencil(img, 8, 12)
    else:
        img.rect(0, 11, 9.5, 13, BLUE)
        pencil(img, (9.3, 11.7), 11.0, 3.6)


def icon_vline(img):
    img.rect(3, 0, 5, 13, BLUE)
    if img.s == 1:
        pixel_pencil(img, 4, 13)
    else:
        pencil(img, (4.3, 13.7), 11.0, 3.6)


def icon_rect(img):
    img.frame(1, 1, 15, 14, None, BLUE, 2)


def text_arrow(img, horizontal):
    img.crisp = img.s == 1
    if horizontal:
        img.rect(8, 6, 12, 9, BLUE)
        img.poly([(16, 7.5), (11, 2.5), (11, 12.5)], BLUE)
    else:
        img.rect(9, 5, 11, 10, BLUE)
        img.poly([(10, 15), (5, 10), (15, 10)], BLUE)


def icon_htext(img):
    letter_a(img, 0, 3, INK)
    text_arrow(img, True)


def icon_vtext(img):
    letter_a(img, 2, 0, INK)
    text_arrow(img, False)


def icon_type(img):
    """Typing in place: a letter on a cell with the caret bar after it."""
    img.crisp = img.s == 1
    img.frame(0, 2, 10, 14, None, TEXT_GREY, 1)
    letter_a(img, 2, 4, INK)
    img.rect(12, 2, 14, 14, BLUE)
    img.rect(11, 1, 15, 2, BLUE)
    img.rect(11, 14, 15, 15, BLUE)


def star_points(cx, cy, outer, inner):
    pts = []
    for k in range(10):
        r = outer if k % 2 == 0 else inner
        a = math.radians(90 + 36 * k)
        pts.append((cx + r * math.cos(a), cy - r * math.sin(a)))
    return pts


def icon_symbol(img):
    if img.s == 1:
        pixel_art(img, [
            "................",
            "........o.......",
            ".......oyo......",
            ".......oyo......",
            "......oyyyo.....",
            ".ooooooyyyoooooo",
            "..oyyyyyyyyyyyo.",
            "...oyyyyyyyyyo..",
            "....oyyyyyyyo...",
            "....oyyyyyyyo...",
            "...oyyyyyyyyyo..",
            "...oyyyyoyyyyo..",
            "..oyyyoo.ooyyyo.",
            "..oyoo.....ooyo.",
            "..oo.........oo.",
        ])
        return
    img.outlined_poly(star_points(8, 8.1, 7.6, 3.0), YELLOW, PIXEL_COLORS["o"])


def icon_erase(img):
    if img.s == 1:
        img.rect(6, 13, 15, 14, TEXT_GREY)
        pixel_eraser(img, 3, 11)
        return
    d = (math.sqrt(0.5), -math.sqrt(0.5))
    n = (math.sqrt(0.5), math.sqrt(0.5))
    o = (3.2, 11.6)

    def at(t, u):
        return (o[0] + d[0] * t + n[0] * u, o[1] + d[1] * t + n[1] * u)

    img.rect(7, 13.5, 15, 14.5, TEXT_GREY)
    img.outlined_poly([at(0, -3), at(5, -3), at(5, 3), at(0, 3)], PINK, INK)
    img.outlined_poly([at(5, -3), at(13, -3), at(13, 3), at(5, 3)], SKY, INK)


def icon_thin(img):
    img.rect(1, 7, 14, 8, BLUE)
    img.rect(7, 1, 8, 14, BLUE)


def icon_thick(img):
    img.rect(1, 6, 14, 9, BLUE)
    img.rect(6, 1, 9, 14, BLUE)


TOOLBAR = [
    ("new", icon_new), ("open", icon_open), ("save", icon_save), ("undo", icon_undo),
    ("redo", icon_redo),
    ("cut", icon_cut), ("copy", icon_copy), ("paste", icon_paste), ("tpaste", icon_tpaste),
    ("rotate90", icon_rotate90), ("rotate180", icon_rotate180), ("print", icon_print),
    ("select", icon_select), ("hline", icon_hline), ("vline", icon_vline), ("rect", icon_rect),
    ("htext", icon_htext), ("vtext", icon_vtext), ("type", icon_type), ("symbol", icon_symbol),
    ("erase", icon_erase),
    ("thin", icon_thin), ("thick", icon_thick),
]

# ---------------------------------------------------------------------------
# Cursors: 32 x 32, black shapes with a white outline so they show on any
# background. Edges are hard (no partial alpha) as in a two-colour cursor.

# The same hot spots as view/CursorHotSpots.h (the resources test checks them
# against these pictures).
CURSOR_HOT_SPOTS = {"pencil": (8, 28), "eraser": (10, 19), "corner": (10, 10), "move": (15, 15)}


def outline_white(img):
    """Every transparent pixel next to a black one becomes white."""
    solid = [[img.get(i, j)[3] > 0.5 for i in range(img.w)] for j in range(img.h)]
    for j in range(img.h):
        for i in range(img.w):
            if solid[j][i]:
                continue
            if any(0 <= j + b < img.h and 0 <= i + a < img.w and solid[j + b][i + a]
                   for a in (-1, 0, 1) for b in (-1, 0, 1)):
                img.set(i, j, WHITE)


def cursor_pencil(img):
    d = (math.sqrt(0.5), -math.sqrt(0.5))
    n = (math.sqrt(0.5), math.sqrt(0.5))
    tip = (8.5, 28.5)  # centre of the hot-spot pixel

    def at(t, u):
        return (tip[0] + d[0] * t + n[0] * u, tip[1] + d[1] * t + n[1] * u)

    hw = 3.6
    img.poly([at(-0.6, 0), at(7, -hw), at(25, -hw), at(25, hw), at(7, hw)], BLACK, hard=True)
    return [(at(7, -hw + 0.4), at(7, hw - 0.4)), (at(20, -hw + 0.4), at(20, hw - 0.4))]


def cursor_eraser(img):
    corner = (10.5, 19.5)  # the rubbing corner, centre of the hot-spot pixel
    a = math.radians(35)
    along = (math.cos(a), -math.sin(a))
    up = (-math.sin(a), -math.cos(a))

    def at(t, u):
        return (corner[0] + along[0] * t + up[0] * u, corner[1] + along[1] * t + up[1] * u)

    img.poly([at(-0.5, -0.5), at(18, -0.5), at(18, 9), at(-0.5, 9)], BLACK, hard=True)
    return [(at(6.5, 0.5), at(6.5, 8))]


def cursor_corner(img):
    img.rect(10, 10, 24, 13, BLACK)
    img.rect(10, 10, 13, 24, BLACK)
    return []


def cursor_move(img):
    c = 15.5
    img.rect(c - 1.5, c - 9, c + 1.5, c + 9, BLACK)
    img.rect(c - 9, c - 1.5, c + 9, c + 1.5, BLACK)
    for dx, dy in ((0, -1), (0, 1), (-1, 0), (1, 0)):
        tip = (c + dx * 12.5, c + dy * 12.5)
        img.poly(arrow_head(tip, (dx, dy), 5.5, 5.0), BLACK, hard=True)
    return []


CURSORS = [("pencil", cursor_pencil), ("eraser", cursor_eraser), ("corner", cursor_corner),
           ("move", cursor_move)]


def make_cursor(name, draw):
    img = Image(32, 32)
    details = draw(img)
    outline_white(img)
    for a, b in details:  # white separating lines inside the black shape
        img.stroke([a, b], 1.0, WHITE, hard=True)
    x, y = CURSOR_HOT_SPOTS[name]
    if img.get(x, y)[3] < 1.0 or img.get(x, y)[0] > 0.0:
        raise SystemExit("cursor %s: hot spot (%d, %d) is not on the black shape" % (name, x, y))
    return img


# ---------------------------------------------------------------------------
# Application icon: a small ruled table in dark blue on a paper-white rounded
# square, snapped to whole pixels at every size.

ICON_SIZES = (16, 32, 48, 64, 128, 256)


def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return x0 <= x <= x1 and y0 <= y <= y1 and math.hypot(x - cx, y - cy) <= r

    return inside


def make_icon(n):
    img = Image(n, n)
    m = max(1, round(n / 32))
    r = n * 0.14
    border = max(1, round(n / 64))
    shadow = round(n / 48) if n >= 32 else 0
    bottom_edge = n - m - shadow
    if shadow:
        img.shape(rounded_rect(m, m + shadow, n - m, bottom_edge + shadow, r), (0, 0, n, n),
                  (0, 0, 0, 60))
    img.shape(rounded_rect(m, m, n - m, bottom_edge, r), (0, 0, n, n), (140, 150, 168))
    img.shape(rounded_rect(m + border, m + border, n - m - border, bottom_edge - border,
                           max(0.5, r - border)), (0, 0, n, n), (252, 252, 248))
    # The table: a thick frame, thin inner lines, two columns and three rows
    # (two rows at 16 pixels), all on whole pixels.
    thick = max(2, round(n * 0.045))
    thin = max(1, round(n * 0.016))
    left, right = round(n * 0.18), n - round(n * 0.18)
    top, bottom = round(n * 0.2), bottom_edge - round(n * 0.17)
    rows = 2 if n < 32 else 3
    img.frame(left, top, right, bottom, None, BLUE, thick)
    xs = [left + thick, (left + right - thin) // 2, right - thick]
    ys = [top + thick] + [top + thick + (bottom - top - 2 * thick) * k // rows - thin // 2
                          for k in range(1, rows)] + [bottom - thick]
    img.rect(xs[1], top, xs[1] + thin, bottom, BLUE)
    for y in ys[1:-1]:
        img.rect(left, y, right, y + thin, BLUE)
    if n >= 48:
        # Text in the cells, as short grey bars.
        h = max(2, round(n * 0.03))
        for c in range(2):
            x0 = xs[c] + (thin if c else 0)
            x1 = xs[c + 1]
            pad = (x1 - x0) // 5
            for k in range(rows):
                y0 = ys[k] + (thin if k else 0)
                y = (y0 + ys[k + 1] - h) // 2
                length = (x1 - x0 - 2 * pad) * (3 if (k + c) % 2 == 0 else 2) // 3
                img.rect(x0 + pad, y, x0 + pad + length, y + h, TEXT_GREY)
    return img


# ---------------------------------------------------------------------------
# The user manual's table picture: the README's table as printed on paper.
# Ruled lines are drawn as pixel-aligned bars from their arms, as the editor
# paints them; the characters come from IPAMincho through ImageMagick.

TABLE = [
    "┏━━━┯━━━┓",
    "┃品名  │数量  ┃",
    "┠───┼───┨",
    "┃      │      ┃",
    "┗━━━┷━━━┛",
]

# Arms (right, down, left, up) and whether each axis is thick, per character.
BOX = {
    "─": ("R L", ""), "━": ("R L", "H"), "│": ("D U", ""), "┃": ("D U", "V"),
    "┏": ("R D", "HV"), "┓": ("D L", "HV"), "┗": ("R U", "HV"), "┛": ("L U", "HV"),
    "┯": ("R D L", "H"), "┷": ("R L U", "H"), "┠": ("R D U", "V"), "┨": ("D L U", "V"),
    "┼": ("R D L U", ""),
}


def table_cells():
    """Split each row into cells: one full-width character or two half-width."""
    grid = []
    for line in TABLE:
        cells, k = [], 0
        while k < len(line):
            if ord(line[k]) < 0x80:
                cells.append(line[k:k + 2])
                k += 2
            else:
                cells.append(line[k])
                k += 1
        grid.append(cells)
    return grid


def make_table_picture(path):
    d, margin = 24, 12
    grid = table_cells()
    cols, rows = max(len(r) for r in grid), len(grid)
    w, h = cols * d + 2 * margin, rows * d + 2 * margin
    img = Image(w, h)
    img.rect(0, 0, w, h, PAPER)
    thin = max(1, round(0.04 * d))
    thick = max(thin + 1, round(0.12 * d))
    text = []
    for y, row in enumerate(grid):
        for x, cell in enumerate(row):
            x0, y0 = margin + x * d, margin + y * d
            if cell in BOX:
                arms, heavy = BOX[cell]
                cx, cy = x0 + d // 2, y0 + d // 2
                hw = thick if "H" in heavy else thin
                vw = thick if "V" in heavy else thin
                hx, vx = cy - hw // 2, cx - vw // 2
                if "R" in arms:
                    img.rect(cx - vw // 2, hx, x0 + d, hx + hw, BLACK)
                if "L" in arms:
                    img.rect(x0, hx, cx - vw // 2 + vw, hx + hw, BLACK)
                if "D" in arms:
                    img.rect(vx, cy - hw // 2, vx + vw, y0 + d, BLACK)
                if "U" in arms:
                    img.rect(vx, y0, vx + vw, cy - hw // 2 + hw, BLACK)
            elif cell.strip():
                text.append((x0, y0, cell))
    img.save(path)
    font = "/usr/share/fonts/opentype/ipafont-mincho/ipam.ttf"
    if not (shutil.which("convert") and os.path.exists(font)):
        print("note: convert or IPAMincho missing; %s has lines only" % path)
        return
    args = ["convert", path, "-font", font, "-pointsize", str(d), "-fill", "black"]
    for x0, y0, cell in text:
        # Baseline at 0.88 of the cell, as the editor places it.
        args += ["-annotate", "+%d+%d" % (x0, y0 + round(0.88 * d)), cell]
    with tempfile.TemporaryDirectory() as tmp:
        out = os.path.join(tmp, "t.png")
        subprocess.run(args + ["-strip", "-define", "png:exclude-chunks=date,time", out],
                       check=True)
        shutil.move(out, path)


# ---------------------------------------------------------------------------
# A drawing as a Western monospace font shows it: one column for box drawing
# and the other East Asian ambiguous characters, two for wide (CJK) ones, as
# terminals and code hosting sites lay text out.

WESTERN_WIDE = """\
┏━━━┯━━━┓
┃品名  │数量  ┃
┠───┼───┨
┃ペン  │3 本  ┃
┃ﾉｰﾄ   │12冊  ┃
┗━━━┷━━━┛"""

WESTERN_NARROW = """\
┏━━━━━━━┯━━━━━━━┓
┃ 品名  │ 数量  ┃
┠───────┼───────┨
┃ ペン  │ 3 本  ┃
┃ ﾉｰﾄ   │ 12冊  ┃
┗━━━━━━━┷━━━━━━━┛"""

WESTERN_PANELS = (("全角罫線", WESTERN_WIDE), ("半角罫線", WESTERN_NARROW))


def western_columns(ch):
    return 2 if unicodedata.east_asian_width(ch) in "WF" else 1


def western_font(ch, latin, cjk):
    """DejaVu Sans Mono where it has the character, as a terminal picks it."""
    wide = western_columns(ch) == 2 or 0xFF61 <= ord(ch) <= 0xFF9F
    return cjk if wide else latin


def make_western_picture(path):
    latin = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf"
    cjk = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf"
    if not (shutil.which("convert") and os.path.exists(latin) and os.path.exists(cjk)):
        print("note: convert, DejaVu Sans Mono or IPAGothic missing; %s not made" % path)
        return
    size, column, line = 16, 10, 19  # DejaVu Sans Mono: 0.6 em a column, 1.17 em a line
    margin, gap = 12, 48
    widths = [max(sum(map(western_columns, r)) for r in t.splitlines()) for _, t in WESTERN_PANELS]
    heights = [len(t.splitlines()) for _, t in WESTERN_PANELS]
    w = 2 * margin + sum(widths) * column + gap * (len(widths) - 1)
    h = 2 * margin + (max(heights) + 1) * line + 6
    args = ["convert", "-size", "%dx%d" % (w, h), "xc:white", "-fill", "black",
            "-pointsize", str(size)]
    x0 = margin
    for (caption, text), width in zip(WESTERN_PANELS, widths):
        args += ["-font", cjk, "-annotate", "+%d+%d" % (x0, margin + 15), caption]
        for y, row in enumerate(text.splitlines()):
            x = 0
            for ch in row:
                if ch != " ":
                    font = western_font(ch, latin, cjk)
                    at = "+%d+%d" % (x0 + x * column, margin + (y + 2) * line - 2)
                    args += ["-font", font, "-annotate", at, ch]
                x += western_columns(ch)
        x0 += width * column + gap
    with tempfile.TemporaryDirectory() as tmp:
        out = os.path.join(tmp, "w.png")
        subprocess.run(args + ["-strip", "-define", "png:exclude-chunks=date,time", out],
                       check=True)
        shutil.copy(out, path)


# ---------------------------------------------------------------------------


def main():
    for name, draw in TOOLBAR:
        for scale, suffix in ((1, ""), (2, "@2x")):
            img = Image(16 * scale, 15 * scale, scale)
            draw(img)
            img.save(os.path.join(RES, "toolbar", name + suffix + ".png"))
    for name, draw in CURSORS:
        make_cursor(name, draw).save(os.path.join(RES, "cursors", name + ".png"))
    for n in ICON_SIZES:
        make_icon(n).save(os.path.join(RES, "icons", "tavik-%d.png" % n))
    make_table_picture(os.path.join(RES, "help", "table.png"))
    make_western_picture(os.path.join(RES, "help", "fonts.png"))
    make_western_picture(os.path.join(os.path.dirname(RES), "docs", "western-font.png"))
    if "--sheet" in sys.argv:
        sheet = sys.argv[sys.argv.index("--sheet") + 1]
        make_sheet(sheet)


def make_sheet(path):
    """An overview of every image on a checkerboard, for looking at them."""
    files = [os.path.join(RES, "toolbar", n + ".png") for n, _ in TOOLBAR]
    files += [os.path.join(RES, "toolbar", n + "@2x.png") for n, _ in TOOLBAR]
    files += [os.path.join(RES, "cursors", n + ".png") for n, _ in CURSORS]
    files += [os.path.join(RES, "icons", "tavik-%d.png" % n) for n in ICON_SIZES[:4]]
    subprocess.run(["montage", *files, "-background", "#c0c8d0", "-tile", "21x",
                    "-geometry", "+2+2", path], check=True)


if __name__ == "__main__":
    main()
