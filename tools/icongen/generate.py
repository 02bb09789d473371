#!/usr/bin/env python3
"""Draw Brivane's menu icons and dialog bitmaps (standard library only).

Every pictogram is drawn on a 32x32 design grid, rendered at 4x
supersampling and box-filtered down, so the same drawing code produces
the 16x16 and 32x32 icon images and the larger dialog bitmaps.

Writes:
  resources/icons/NNN.ico       16x16 + 32x32, 32-bit BGRA with alpha
  resources/bitmaps/*.bmp       24-bit, composited on white
  /tmp/icongen-sheet.png        contact sheet for eyeballing (not committed)

Usage: python3 tools/icongen/generate.py [repository root]
"""
import math
import os
import struct
import sys
import zlib

SS = 4  # supersampling factor per axis

# ---------------------------------------------------------------- palette
INK = (50, 50, 55)
WHITE = (255, 255, 255)
PAPER_EDGE = (120, 120, 125)
LINE = (150, 160, 175)
BLUE, BLUE_D, BLUE_L = (40, 115, 215), (20, 60, 140), (130, 185, 245)
SKY, SKY_D = (150, 205, 250), (60, 130, 210)
YEL, YEL_D = (255, 210, 50), (185, 130, 15)
FOLD, FOLD_D, FOLD_L = (235, 180, 65), (165, 110, 25), (255, 220, 120)
GREEN, GREEN_D = (60, 175, 75), (25, 105, 40)
RED, RED_D = (220, 55, 45), (135, 25, 20)
GREY, GREY_D, GREY_L = (165, 170, 178), (85, 90, 98), (220, 223, 228)
PURPLE, PURPLE_D = (120, 65, 150), (70, 30, 95)
ORANGE, ORANGE_D = (245, 140, 35), (160, 75, 10)
BROWN, BROWN_D = (165, 105, 55), (95, 55, 25)


def vgrad(y0, y1, c0, c1):
    """Vertical gradient fill usable wherever a colour is expected."""
    def f(x, y):
        t = min(1.0, max(0.0, (y - y0) / float(y1 - y0)))
        return tuple(a + (b - a) * t for a, b in zip(c0, c1))
    return f


# ---------------------------------------------------------------- geometry
def arc_pts(cx, cy, r, a0, a1, n=None, ry=None):
    """Points on an arc; angles in degrees, 0 = right, 90 = down."""
    ry = r if ry is None else ry
    n = n or max(8, int(abs(a1 - a0) / 6))
    return [(cx + r * math.cos(math.radians(a0 + (a1 - a0) * i / n)),
             cy + ry * math.sin(math.radians(a0 + (a1 - a0) * i / n)))
            for i in range(n + 1)]


def circle_pts(cx, cy, r, ry=None):
    return arc_pts(cx, cy, r, 0, 360, 72, ry)[:-1]


def rrect_pts(x0, y0, x1, y1, r):
    if r <= 0:
        return [(x0, y0), (x1, y0), (x1, y1), (x0, y1)]
    return (arc_pts(x1 - r, y0 + r, r, 270, 360, 6) + arc_pts(x1 - r, y1 - r, r, 0, 90, 6)
            + arc_pts(x0 + r, y1 - r, r, 90, 180, 6) + arc_pts(x0 + r, y0 + r, r, 180, 270, 6))


def inset(pts, d):
    """Offset a simple polygon inwards by d (mitred corners)."""
    area = sum(pts[i - 1][0] * p[1] - p[0] * pts[i - 1][1] for i, p in enumerate(pts))
    s = 1 if area > 0 else -1
    lines = []
    for i, a in enumerate(pts):
        b = pts[(i + 1) % len(pts)]
        dx, dy = b[0] - a[0], b[1] - a[1]
        ln = math.hypot(dx, dy) or 1.0
        nx, ny = -dy / ln * s * d, dx / ln * s * d
        lines.append(((a[0] + nx, a[1] + ny), (dx, dy)))
    out = []
    for i in range(len(lines)):
        (p, u), (q, v) = lines[i - 1], lines[i]
        den = u[0] * v[1] - u[1] * v[0]
        if abs(den) < 1e-9:
            out.append(q)
            continue
        t = ((q[0] - p[0]) * v[1] - (q[1] - p[1]) * v[0]) / den
        out.append((p[0] + u[0] * t, p[1] + u[1] * t))
    return out


# ---------------------------------------------------------------- canvas
class Canvas:
    """Premultiplied RGBA supersampled canvas addressed in 32-unit design space."""

    def __init__(self, size):
        self.size = size
        self.n = size * SS
        self.k = self.n / 32.0
        self.p = 32.0 / size  # one output pixel, in design units
        self.buf = [[0.0, 0.0, 0.0, 0.0] for _ in range(self.n * self.n)]

    # -- core: even-odd scanline fill of one or more contours
    def fill(self, contours, color):
        k, n = self.k, self.n
        edges = []
        for pts in contours:
            sp = [(x * k, y * k) for x, y in pts]
            edges += [(sp[i - 1], sp[i]) for i in range(len(sp)) if sp[i - 1][1] != sp[i][1]]
        if not edges:
            return
        ys = [e[0][1] for e in edges] + [e[1][1] for e in edges]
        for j in range(max(0, int(min(ys))), min(n, int(max(ys)) + 1)):
            yc = j + 0.5
            xs = sorted(a[0] + (yc - a[1]) * (b[0] - a[0]) / (b[1] - a[1])
                        for a, b in edges if (a[1] <= yc) != (b[1] <= yc))
            for xa, xb in zip(xs[0::2], xs[1::2]):
                for i in range(max(0, math.ceil(xa - 0.5)), min(n, math.ceil(xb - 0.5))):
                    self._put(i, j, color)

    def _put(self, i, j, color):
        px = self.buf[j * self.n + i]
        if color is None:  # erase
            px[:] = [0.0, 0.0, 0.0, 0.0]
            return
        if callable(color):
            color = color((i + 0.5) / self.k, (j + 0.5) / self.k)
        a = color[3] / 255.0 if len(color) > 3 else 1.0
        for ch in range(3):
            px[ch] = color[ch] / 255.0 * a + px[ch] * (1 - a)
        px[3] = a + px[3] * (1 - a)

    # -- shapes
    def poly(self, pts, color):
        self.fill([pts], color)

    def rect(self, x0, y0, x1, y1, color):
        self.fill([rrect_pts(x0, y0, x1, y1, 0)], color)

    def rrect(self, x0, y0, x1, y1, r, color):
        self.fill([rrect_pts(x0, y0, x1, y1, r)], color)

    def circle(self, cx, cy, r, color, ry=None):
        self.fill([circle_pts(cx, cy, r, ry)], color)

    def line(self, x0, y0, x1, y1, w, color, cap=True):
        dx, dy = x1 - x0, y1 - y0
        ln = math.hypot(dx, dy) or 1.0
        nx, ny = -dy / ln * w / 2, dx / ln * w / 2
        self.poly([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)], color)
        if cap:
            self.circle(x0, y0, w / 2, color)
            self.circle(x1, y1, w / 2, color)

    def path(self, pts, w, color):
        """Stroke a polyline with round joins and caps."""
        for a, b in zip(pts, pts[1:]):
            self.line(a[0], a[1], b[0], b[1], w, color, cap=False)
        for x, y in pts:
            self.circle(x, y, w / 2, color)

    def opath(self, pts, w, fill, edge):
        """Stroke with a one-pixel edge around it."""
        self.path(pts, w + 2 * self.p, edge)
        self.path(pts, w, fill)

    # -- shapes with a crisp one-pixel outline
    def opoly(self, pts, fill, edge):
        self.poly(pts, edge)
        self.poly(inset(pts, self.p), fill)

    def orect(self, x0, y0, x1, y1, fill, edge, r=0):
        p = self.p
        self.rrect(x0, y0, x1, y1, r, edge)
        self.rrect(x0 + p, y0 + p, x1 - p, y1 - p, max(0, r - p), fill)

    def ocircle(self, cx, cy, r, fill, edge):
        self.circle(cx, cy, r, edge)
        self.circle(cx, cy, r - self.p, fill)

    # -- output
    def pixels(self):
        """Box-filter down to size x size straight-alpha RGBA tuples (0..255)."""
        out, n, s2 = [], self.n, SS * SS
        for y in range(self.size):
            for x in range(self.size):
                acc = [0.0] * 4
                for j in range(y * SS, y * SS + SS):
                    for px in self.buf[j * n + x * SS: j * n + x * SS + SS]:
                        for ch in range(4):
                            acc[ch] += px[ch]
                a = acc[3] / s2
                if a < 1.5 / 255:
                    out.append((0, 0, 0, 0))
                    continue
                out.append(tuple(min(255, int(acc[ch] / acc[3] * 255 + 0.5)) for ch in range(3))
                           + (int(a * 255 + 0.5),))
        return out


# ---------------------------------------------------------------- building blocks
def arrow(c, x0, y0, x1, y1, w, hw, hl, fill, edge):
    dx, dy = x1 - x0, y1 - y0
    ln = math.hypot(dx, dy)
    ux, uy = dx / ln, dy / ln
    nx, ny = -uy, ux
    bx, by = x1 - ux * hl, y1 - uy * hl
    pts = [(x0 + nx * w / 2, y0 + ny * w / 2), (bx + nx * w / 2, by + ny * w / 2),
           (bx + nx * hw / 2, by + ny * hw / 2), (x1, y1),
           (bx - nx * hw / 2, by - ny * hw / 2), (bx - nx * w / 2, by - ny * w / 2),
           (x0 - nx * w / 2, y0 - ny * w / 2)]
    c.opoly(pts, fill, edge)


def page(c, x0, y0, x1, y1, lines=0, fold=7):
    c.opoly([(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)], WHITE, PAPER_EDGE)
    c.opoly([(x1 - fold, y0), (x1, y0 + fold), (x1 - fold, y0 + fold)], GREY_L, PAPER_EDGE)
    for i in range(lines):
        y = y0 + fold + 3 + i * 4
        if y < y1 - 3:
            c.rect(x0 + 4, y, x1 - 4, y + c.p, LINE)


def folder(c, x0, y0, x1, y1):
    c.opoly([(x0, y0 + 1), (x0 + 1, y0), (x0 + 10, y0), (x0 + 12, y0 + 3), (x1, y0 + 3),
             (x1, y1), (x0, y1)], FOLD, FOLD_D)
    c.orect(x0, y0 + 7, x1, y1, vgrad(y0 + 7, y1, FOLD_L, FOLD), FOLD_D)


def picture(c, x0, y0, x1, y1, frame=WHITE, edge=GREY_D):
    c.orect(x0, y0, x1, y1, frame, edge)
    b = 2 * c.p
    ix0, iy0, ix1, iy1 = x0 + b, y0 + b, x1 - b, y1 - b
    c.rect(ix0, iy0, ix1, iy1, vgrad(iy0, iy1, SKY_D, SKY))
    w, h = ix1 - ix0, iy1 - iy0
    c.circle(ix0 + w * 0.75, iy0 + h * 0.3, min(w, h) * 0.16, YEL)
    c.poly([(ix0, iy1), (ix0, iy1 - h * 0.35), (ix0 + w * 0.35, iy0 + h * 0.35),
            (ix0 + w * 0.7, iy1 - h * 0.2), (ix0 + w * 0.82, iy1 - h * 0.38),
            (ix1, iy1 - h * 0.15), (ix1, iy1)], GREEN)


def monitor(c, screen):
    c.orect(1, 3, 31, 25, vgrad(3, 25, (215, 218, 224), (160, 165, 172)), INK, r=2)
    c.rect(3 + c.p, 5 + c.p, 29 - c.p, 23 - c.p, screen)
    c.rect(13, 25, 19, 28, GREY_D)
    c.orect(8, 27, 24, 31, GREY, INK, r=1)


def book(c, cover, cover_d):
    c.orect(8, 4, 28, 30, WHITE, GREY_D, r=1)         # page block
    c.orect(4, 2, 26, 28, cover, cover_d, r=2)        # cover
    c.rect(6, 2 + c.p, 8, 28 - c.p, cover_d)          # spine


def star_pts(cx, cy, ro, ri, n=5):
    return [(cx + (ro if i % 2 == 0 else ri) * math.cos(math.radians(-90 + i * 180.0 / n)),
             cy + (ro if i % 2 == 0 else ri) * math.sin(math.radians(-90 + i * 180.0 / n)))
            for i in range(2 * n)]


def gear(c, cx, cy, r, teeth, fill, edge, hole=None):
    pts, tooth = [], 360.0 / teeth
    for t in range(teeth):
        a = t * tooth
        for da, rr in ((-0.30, r), (0.05, r), (0.20, r * 0.74), (0.70, r * 0.74)):
            ang = math.radians(a + da * tooth)
            pts.append((cx + rr * math.cos(ang), cy + rr * math.sin(ang)))
    c.opoly(pts, fill, edge)
    hole = hole if hole is not None else r * 0.3
    c.circle(cx, cy, hole + c.p, edge)
    c.circle(cx, cy, hole, None)


def emblem(c):
    """Brivane's emblem: a blue rounded square with a white stroked B."""
    c.orect(1, 1, 31, 31, vgrad(1, 31, (80, 150, 240), (20, 80, 180)), BLUE_D, r=6)
    w = 4.5
    c.path([(11, 7.5), (11, 24.5)], w, WHITE)
    c.path([(11, 7.5), (16.5, 7.5)] + arc_pts(16.5, 11.5, 4, 270, 450)[1:] + [(11, 15.5)], w, WHITE)
    c.path([(11, 15.5), (17.5, 15.5)] + arc_pts(17.5, 20, 4.5, 270, 450)[1:] + [(11, 24.5)], w, WHITE)


def padlock(c, closed):
    lift = 0 if closed else 5
    right = [(22, 15), (22, 11 - lift)]
    left = [(10, 11 - lift), (10, 15 if closed else 11 - lift)]
    c.opath(right + arc_pts(16, 11 - lift, 6, 0, -180)[1:-1] + left, 3.5, GREY, GREY_D)
    c.orect(5, 14, 27, 30, vgrad(14, 30, (255, 225, 90), (225, 165, 20)), YEL_D, r=2)
    c.circle(16, 20.5, 2.5, INK)
    c.poly([(15, 21), (17, 21), (18, 26), (14, 26)], INK)


def glyph(c, ch, x, y, s, w, color):
    """A few letters drawn as strokes inside an s-wide, 1.5*s-tall box at (x, y)."""
    h = s * 1.5
    strokes = {
        'A': [[(x, y + h), (x + s / 2, y), (x + s, y + h)], [(x + s * 0.22, y + h * 0.62), (x + s * 0.78, y + h * 0.62)]],
        'Z': [[(x, y), (x + s, y), (x, y + h), (x + s, y + h)]],
        'X': [[(x, y), (x + s, y + h)], [(x + s, y), (x, y + h)]],
        'J': [[(x + s * 0.2, y), (x + s, y), (x + s, y + h * 0.7)] + arc_pts(x + s / 2, y + h * 0.7, s / 2, 0, 160)[1:]],
        '#': [[(x + s * 0.35, y), (x + s * 0.25, y + h)], [(x + s * 0.75, y), (x + s * 0.65, y + h)],
              [(x, y + h * 0.33), (x + s, y + h * 0.33)], [(x, y + h * 0.67), (x + s, y + h * 0.67)]],
        '?': [arc_pts(x + s / 2, y + s / 2, s / 2, 180, 400) + [(x + s / 2, y + h * 0.7)]],
    }
    for st in strokes[ch]:
        c.path(st, w, color)
    if ch == '?':
        c.circle(x + s / 2, y + h * 0.7 + w * 1.8, w * 0.75, color)


def badge(c, fill, edge, mark):
    """Round badge with a white question mark, exclamation or 'i'."""
    c.ocircle(16, 16, 15, vgrad(1, 31, tuple(min(255, v + 50) for v in fill), fill), edge)
    if mark == '?':
        glyph(c, '?', 11, 6, 10, 4, WHITE)
    elif mark == 'i':
        c.circle(16, 9, 2.6, WHITE)
        c.path([(13, 14), (16, 14), (16, 24)], 4, WHITE)
        c.rect(12, 23, 20, 25.5, WHITE)
    elif mark == 'X':
        c.path([(10, 10), (22, 22)], 4.5, WHITE)
        c.path([(22, 10), (10, 22)], 4.5, WHITE)


# ---------------------------------------------------------------- the icons
ICONS = {}


def icon(num):
    def register(fn):
        ICONS[num] = fn
        return fn
    return register


@icon(402)
def product(c):
    emblem(c)


@icon(403)
def decrypt(c):
    padlock(c, closed=False)


@icon(405)
def encrypt(c):
    padlock(c, closed=True)


@icon(404)
def delete_empty(c):
    c.orect(12, 1, 20, 6, None, GREY_D, r=1)
    c.orect(4, 4, 28, 9, GREY, GREY_D, r=1)
    c.opoly([(6, 9), (26, 9), (24, 31), (8, 31)], vgrad(9, 31, GREY_L, GREY), GREY_D)
    for x in (11, 16, 21):
        c.rect(x - c.p / 2, 12, x + c.p / 2, 28, GREY_D)


@icon(406)
def extract_from_folder(c):
    folder(c, 1, 10, 27, 31)
    page(c, 8, 3, 20, 18, fold=4)
    arrow(c, 14, 17, 29, 3, 4, 11, 7, GREEN, GREEN_D)


@icon(407)
def extract_to_folder(c):
    folder(c, 1, 12, 31, 31)
    arrow(c, 16, 0.5, 16, 24, 5, 14, 9, BLUE, BLUE_D)


@icon(408)
def join(c):
    c.orect(16, 6, 30, 26, GREEN, GREEN_D)
    c.orect(2, 6, 16, 26, BLUE, BLUE_D)
    c.ocircle(16, 16, 4.5, BLUE, BLUE_D)
    c.rect(16 - 3 * c.p, 11, 16, 21, BLUE)


@icon(409)
def list_detailed(c):
    c.orect(2, 1, 30, 31, WHITE, PAPER_EDGE)
    for i, col in enumerate((RED, GREEN, BLUE, ORANGE)):
        y = 4 + i * 7
        c.rect(5, y, 10, y + 5, col)
        c.rect(12, y + 1, 27, y + 1 + c.p, INK)
        c.rect(12, y + 3, 22, y + 3 + c.p, LINE)


@icon(410)
def list_simple(c):
    c.orect(2, 1, 30, 31, WHITE, PAPER_EDGE)
    for i in range(6):
        y = 4 + i * 4
        c.rect(6, y, 26 - (i % 3) * 4, y + 2, BLUE_D)


@icon(411)
def album_menu(c):
    book(c, (175, 45, 60), (100, 20, 30))
    c.orect(12, 8, 22, 14, (235, 200, 120), (140, 100, 40))


@icon(424)
def album_entry(c):
    book(c, (175, 45, 60), (100, 20, 30))
    picture(c, 10, 8, 24, 20)


@icon(413)
def rename(c):
    c.rect(2, 28, 18, 30, BLUE)
    # pencil laid along the diagonal, tip at bottom left; (u, v) = (along, across)
    tx, ty, ux, uy = 3.5, 28.5, math.sqrt(0.5), -math.sqrt(0.5)
    def P(u, v):
        return (tx + u * ux - v * uy, ty + u * uy + v * ux)
    w = 4.5
    c.opoly([P(28, -w), P(36, -w), P(36, w), P(28, w)], (240, 140, 150), RED_D)
    c.opoly([P(25, -w), P(29, -w), P(29, w), P(25, w)], GREY_L, GREY_D)
    c.opoly([P(0, 0), P(8, -w), P(26, -w), P(26, w), P(8, w)], (240, 205, 150), BROWN_D)
    c.opoly([P(8, -w), P(26, -w), P(26, w), P(8, w)], YEL, YEL_D)
    c.poly([P(8, -w / 3), P(26, -w / 3), P(26, w / 3), P(8, w / 3)], (255, 235, 120))
    c.poly([P(0, 0), P(3, -w * 3 / 8), P(3, w * 3 / 8)], INK)


@icon(414)
def security(c):
    pts = [(16, 1), (29, 5)] + [(29 - 13 * t ** 2, 14 + 17 * t) for t in (0.2, 0.4, 0.6, 0.8, 1.0)]
    pts += [(32 - x, y) for x, y in reversed(pts[1:-1])]
    c.opoly(pts, vgrad(1, 31, (90, 160, 245), (20, 75, 170)), BLUE_D)
    c.path([(10, 15), (14.5, 20), (22, 10)], 3.5, WHITE)


@icon(415)
def split(c):
    for sx in (1, -1):
        X = (lambda x: x) if sx == 1 else (lambda x: 32 - x)
        c.opoly([(X(19.5), 25), (X(17), 22), (X(5), 1), (X(10), 2), (X(21.5), 22)], vgrad(1, 25, GREY_L, GREY), GREY_D)
    for cx in (8, 24):
        c.circle(cx, 25, 6, RED_D)
        c.circle(cx, 25, 6 - c.p, RED)
        c.circle(cx, 25, 3 + c.p, RED_D)
        c.circle(cx, 25, 3, None)
    c.circle(16, 17.5, 1.5, INK)


@icon(416)
def help_contents(c):
    badge(c, (20, 90, 200), BLUE_D, '?')


@icon(417)
def favorites(c):
    c.opoly(star_pts(16, 17.5, 15.5, 6.5), vgrad(2, 30, (255, 235, 110), (245, 175, 20)), YEL_D)


@icon(418)
def help_menu(c):
    c.ocircle(16, 16, 15, WHITE, GREY_D)
    for a in (0, 90, 180, 270):
        c.poly(arc_pts(16, 16, 15 - c.p, a + 20, a + 70) + arc_pts(16, 16, 7, a + 70, a + 20), RED)
    c.circle(16, 16, 7 + c.p, GREY_D)
    c.circle(16, 16, 7, None)


@icon(419)
def copy(c):
    page(c, 2, 1, 20, 23, lines=3, fold=6)
    page(c, 12, 9, 30, 31, lines=4, fold=6)


@icon(420)
def manage_favorites(c):
    c.opoly(star_pts(13, 13, 13, 5.5), vgrad(0, 26, (255, 235, 110), (245, 175, 20)), YEL_D)
    gear(c, 23, 23, 9, 8, GREY, GREY_D)


@icon(421)
def image_resize(c):
    picture(c, 1, 5, 25, 25)
    c.path([(17, 17), (30, 30)], 3 + 2 * c.p, WHITE)
    arrow(c, 18, 18, 31, 31, 3, 10, 6, BLUE, BLUE_D)
    arrow(c, 30, 30, 17, 17, 3, 10, 6, BLUE, BLUE_D)


@icon(422)
def move(c):
    page(c, 2, 1, 22, 31, lines=5)
    arrow(c, 10, 20, 31, 20, 5, 14, 8, GREEN, GREEN_D)


@icon(423)
def organize(c):
    c.orect(4, 1, 28, 31, GREY, GREY_D, r=1)
    for y in (3, 13, 23):
        c.orect(6, y, 26, y + 7, vgrad(y, y + 7, GREY_L, GREY), GREY_D)
        c.rect(13, y + 2, 19, y + 4, INK)


@icon(425)
def alphabetize(c):
    glyph(c, 'A', 2.5, 1.5, 10, 3.5, BLUE_D)
    glyph(c, 'Z', 2.5, 16.5, 10, 3.5, BLUE_D)
    arrow(c, 23, 1, 23, 31, 4, 12, 8, GREEN, GREEN_D)


@icon(426)
def autonumber(c):
    c.orect(1, 1, 31, 31, vgrad(1, 31, (255, 170, 70), (225, 105, 20)), ORANGE_D, r=5)
    glyph(c, '#', 7, 5, 18, 3.5, WHITE)


@icon(427)
def find_replace(c):
    c.path([(19, 19), (29, 29)], 6 + 2 * c.p, INK)
    c.path([(20, 20), (29, 29)], 5, BROWN)
    c.ocircle(12, 12, 11, (220, 235, 250, 255), INK)
    c.circle(12, 12, 11 - 3 * c.p, (190, 220, 250))
    c.circle(9, 9, 3, WHITE)


@icon(428)
def split_join_menu(c):
    c.opoly([(2, 2), (14, 2), (11, 10), (15, 18), (11, 30), (2, 30)], BLUE_L, BLUE_D)
    c.opoly([(18, 2), (30, 2), (30, 30), (15, 30), (19, 18), (15, 10)], (150, 220, 150), GREEN_D)


@icon(429)
def about(c):
    badge(c, (20, 90, 200), BLUE_D, 'i')


@icon(431)
def settings(c):
    gear(c, 16, 16, 15.5, 9, vgrad(0, 32, (200, 205, 212), (120, 125, 135)), GREY_D, hole=5)


@icon(433)
def separator(c):
    c.rect(4, 4, 28, 8, LINE)
    c.rect(0, 14, 32, 16, GREY_D)
    c.rect(0, 16, 32, 16 + c.p, WHITE)
    c.rect(4, 24, 24, 28, LINE)


@icon(435)
def invert_selection(c):
    pitch = (4 if c.size <= 16 else 9) * c.p  # whole pixels per cell at either size
    o = round((32 - 3 * pitch - c.p) / 2 / c.p) * c.p
    c.rect(o, o, o + 3 * pitch + c.p, o + 3 * pitch + c.p, BLUE_D)
    for i in range(3):
        for j in range(3):
            x, y = o + i * pitch + c.p, o + j * pitch + c.p
            c.rect(x, y, x + pitch - c.p, y + pitch - c.p, BLUE if (i + j) % 2 == 0 else WHITE)


@icon(436)
def copy_path(c):
    c.orect(3, 4, 29, 31, BROWN, BROWN_D, r=2)
    c.orect(7, 7, 25, 29, WHITE, PAPER_EDGE)
    c.orect(10, 1, 22, 8, GREY, GREY_D, r=1)
    for y in (12, 16, 20, 24):
        c.rect(10, y, 22, y + c.p, INK if y == 12 else LINE)


@icon(444)
def sort_desktop(c):
    monitor(c, WHITE)
    for i, col in enumerate((BLUE, GREEN, ORANGE, RED, PURPLE, YEL)):
        x, y = 5 + (i % 3) * 8, 7 + (i // 3) * 8
        c.rect(x, y, x + 6, y + 6, col)


@icon(446)
def theme_blue(c):
    monitor(c, vgrad(5, 23, (70, 150, 235), (180, 225, 255)))
    c.circle(11, 14, 3, WHITE)
    c.circle(15, 12, 4, WHITE)
    c.circle(19, 14, 3, WHITE)
    c.rect(11, 14, 19, 17, WHITE)


@icon(447)
def theme_dark(c):
    monitor(c, vgrad(5, 23, (95, 100, 110), (30, 32, 38)))
    c.rect(3 + c.p, 5 + c.p, 29 - c.p, 9, (20, 20, 24))


@icon(448)
def theme_eggplant(c):
    monitor(c, vgrad(5, 23, (165, 105, 195), (80, 35, 105)))
    c.rect(3 + c.p, 5 + c.p, 29 - c.p, 9, PURPLE_D)


@icon(449)
def theme_sunset(c):
    monitor(c, vgrad(5, 23, (255, 200, 60), (215, 50, 40)))
    c.poly(arc_pts(16, 23 - c.p, 6, 180, 360), (255, 240, 150))


@icon(450)
def move_up(c):
    folder(c, 1, 13, 31, 31)
    arrow(c, 16, 26, 16, 0.5, 5, 14, 9, GREEN, GREEN_D)


@icon(454)
def redo_sort(c):
    c.opath(arc_pts(16, 17, 10.5, -30, 230), 4.5, GREEN, GREEN_D)
    a = math.radians(-30)
    x, y = 16 + 10.5 * math.cos(a), 17 + 10.5 * math.sin(a)
    c.opoly([(x - 8, y - 1), (x + 6, y + 4), (x + 4, y - 11)], GREEN, GREEN_D)


@icon(455)
def touch(c):
    c.ocircle(16, 16, 15, BLUE, BLUE_D)
    c.circle(16, 16, 12, WHITE)
    for h in range(12):
        a = math.radians(h * 30)
        r0 = 9 if h % 3 == 0 else 10
        c.line(16 + r0 * math.cos(a), 16 + r0 * math.sin(a), 16 + 11 * math.cos(a), 16 + 11 * math.sin(a), c.p, GREY_D, cap=False)
    c.path([(16, 16), (16, 7)], 2.5, INK)
    c.path([(16, 16), (22, 19)], 2.5, INK)
    c.circle(16, 16, 2, RED)


@icon(456)
def image_menu(c):
    picture(c, 1, 3, 31, 29, frame=vgrad(3, 29, (200, 140, 80), (140, 85, 40)), edge=BROWN_D)


@icon(457)
def put_logo(c):
    picture(c, 1, 1, 27, 25)
    c.orect(15, 15, 31, 31, vgrad(15, 31, (80, 150, 240), (20, 80, 180)), WHITE, r=3)
    c.poly(star_pts(23, 23.5, 6.5, 2.8), WHITE)


@icon(458)
def to_jpeg(c):
    picture(c, 1, 1, 25, 21)
    c.orect(13, 13, 31, 31, vgrad(13, 31, (255, 170, 70), (225, 105, 20)), ORANGE_D, r=3)
    glyph(c, 'J', 17.5, 17, 8, 3, WHITE)


# ---------------------------------------------------------------- dialog bitmaps
def warning(c):
    c.opoly(inset([(16, 0.5), (31.5, 29.5), (0.5, 29.5)], -0.5), vgrad(1, 30, (255, 230, 90), (240, 180, 10)), (150, 100, 0))
    c.path([(16, 10), (16, 19)], 4, INK)
    c.circle(16, 24.5, 2.3, INK)


def update_mark(c):
    """The emblem with a green badge carrying a downward arrow: the update window's bitmap."""
    emblem(c)
    c.ocircle(23.5, 23.5, 8, vgrad(15.5, 31.5, (120, 215, 125), GREEN), GREEN_D)
    arrow(c, 23.5, 17.5, 23.5, 29, 3.2, 8, 4.5, WHITE, WHITE)


# name -> (pixel size, drawing); all are composited on white
BITMAPS = {
    'update': (40, update_mark),
    'product': (48, emblem),
    'error': (32, lambda c: badge(c, (200, 25, 25), RED_D, 'X')),
    'question': (32, lambda c: badge(c, (20, 90, 200), BLUE_D, '?')),
    'information': (32, lambda c: badge(c, (20, 90, 200), BLUE_D, 'i')),
    'warning': (32, warning),
}


# ---------------------------------------------------------------- file formats
def render(fn, size):
    c = Canvas(size)
    fn(c)
    return c.pixels()


def ico_bytes(images):
    """images: list of (size, rgba pixels top-down) -> .ico file bytes."""
    blobs = []
    for size, px in images:
        mask_stride = ((size + 31) // 32) * 4
        xor, mask = bytearray(), bytearray()
        for y in reversed(range(size)):
            row = px[y * size:(y + 1) * size]
            for r, g, b, a in row:
                xor += bytes((b, g, r, a))
            bits = bytearray(mask_stride)
            for x, p in enumerate(row):
                if p[3] == 0:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bits
        header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
        blobs.append((size, header + xor + mask))
    out = struct.pack('<HHH', 0, 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    for size, blob in blobs:
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    return out + b''.join(blob for _, blob in blobs)


def on_white(p):
    a = p[3] / 255.0
    return tuple(int(v * a + 255 * (1 - a) + 0.5) for v in p[:3])


def bmp_bytes(size, px):
    stride = (size * 3 + 3) & ~3
    data = bytearray()
    for y in reversed(range(size)):
        row = bytearray()
        for p in px[y * size:(y + 1) * size]:
            r, g, b = on_white(p)
            row += bytes((b, g, r))
        data += row + bytes(stride - len(row))
    info = struct.pack('<IiiHHIIiiII', 40, size, size, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return b'BM' + struct.pack('<IHHI', 14 + 40 + len(data), 0, 0, 54) + info + bytes(data)


def png_bytes(w, h, rows):
    def chunk(tag, data):
        return struct.pack('>I', len(data)) + tag + data + struct.pack('>I', zlib.crc32(tag + data) & 0xffffffff)
    raw = b''.join(b'\0' + bytes(r) for r in rows)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 2, 0, 0, 0))
            + chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


# 3x5 digits for labelling the contact sheet
DIGITS = ['111101101101111', '010110010010111', '111001111100111', '111001111001111', '101101111001001',
          '111100111001111', '111100111101111', '111001001001001', '111101111101111', '111101111001111']


def contact_sheet(entries, path):
    """entries: list of (label, {size: pixels}); each drawn at 1x and 4x on white and grey."""
    cell_w, cell_h, cols = 2 * (16 + 32 + 64 + 128 + 4 * 6) + 12, 128 + 28, 4
    rows_n = (len(entries) + cols - 1) // cols
    W, H = cols * cell_w, rows_n * cell_h
    img = [[255, 255, 255] * W for _ in range(H)]

    def put(x, y, rgb):
        img[y][3 * x:3 * x + 3] = rgb

    def blit(px, size, scale, ox, oy, bg):
        for y in range(size * scale):
            for x in range(size * scale):
                p = px[(y // scale) * size + x // scale]
                a = p[3] / 255.0
                put(ox + x, oy + y, [int(p[i] * a + bg[i] * (1 - a) + 0.5) for i in range(3)])

    for n, (label, imgs) in enumerate(entries):
        ox, oy = (n % cols) * cell_w + 6, (n // cols) * cell_h + 4
        for d, ch in enumerate(str(label)):
            for b, bit in enumerate(DIGITS[int(ch)] if ch.isdigit() else '0' * 15):
                if bit == '1':
                    for yy in range(3):
                        for xx in range(3):
                            put(ox + d * 12 + (b % 3) * 3 + xx, oy + (b // 3) * 3 + yy, [0, 0, 0])
        x = ox
        for bg in ((255, 255, 255), (128, 128, 128)):
            for size, scale in ((16, 1), (32, 1), (16, 4), (32, 4)):
                if size in imgs:
                    blit(imgs[size], size, scale, x, oy + 20, bg)
                x += size * scale + 6
    with open(path, 'wb') as f:
        f.write(png_bytes(W, H, img))


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..')
    icon_dir, bmp_dir = os.path.join(root, 'resources', 'icons'), os.path.join(root, 'resources', 'bitmaps')
    os.makedirs(icon_dir, exist_ok=True)
    os.makedirs(bmp_dir, exist_ok=True)
    sheet = []
    for num in sorted(ICONS):
        imgs = {size: render(ICONS[num], size) for size in (16, 32)}
        with open(os.path.join(icon_dir, '%d.ico' % num), 'wb') as f:
            f.write(ico_bytes([(16, imgs[16]), (32, imgs[32])]))
        sheet.append((num, imgs))
    for i, (name, (size, fn)) in enumerate(sorted(BITMAPS.items())):
        with open(os.path.join(bmp_dir, name + '.bmp'), 'wb') as f:
            f.write(bmp_bytes(size, render(fn, size)))
        # bitmaps are labelled 0.. in name order on the sheet, shown at 32x32 on white
        sheet.append((i, {32: [on_white(p) + (255,) for p in render(fn, 32)]}))
    contact_sheet(sheet, '/tmp/icongen-sheet.png')
    print('wrote %d icons and %d bitmaps' % (len(ICONS), len(BITMAPS)))


if __name__ == '__main__':
    main()
