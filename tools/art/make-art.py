#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 The Pollwick developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Draw Pollwick's artwork and write it into the window's resources folder
(RESOURCES below), and the alert sound beside the sound player (SOUNDS).

Everything here is drawn from scratch by code: shapes are signed distance
functions rendered with one-pixel anti-aliasing, the two 16-colour icons are
painted with palette indices, and the lettering of the splash picture uses a
small stroke font defined below. Pillow writes the PNG and BMP files and
packs the icons' pixels, and the standard wave module writes the sound, so
regenerating the artwork needs Pillow (Debian: apt-get install python3-pil).

The output is deterministic: running the script twice gives byte-identical
files.

Usage: tools/art/make-art.py [--preview DIR] [output-directory]

An output directory given takes every file, the sound included.

--preview DIR also writes the four icon images as PNG files into DIR, to look
at them while changing the drawing.
"""

import io
import math
import os
import struct
import sys
import wave

try:
    from PIL import Image
except ImportError:
    sys.exit("make-art.py needs Pillow: apt-get install python3-pil")

# The default output directories, relative to the top of the source tree.
RESOURCES = os.path.join("src", "window", "resources")
SOUNDS = os.path.join("src", "platform", "qt")
TOP = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))


# ---------------------------------------------------------------------------
# Shapes: signed distance functions in unit coordinates (0..1 across the
# picture, y pointing down). Negative inside, positive outside.
# ---------------------------------------------------------------------------

class Shape:
    def __init__(self, fn, bbox):
        self.fn = fn          # (x, y) -> signed distance
        self.bbox = bbox      # (x0, y0, x1, y1), or None for everywhere

    def __and__(self, other):
        a, b = self.fn, other.fn
        return Shape(lambda x, y: max(a(x, y), b(x, y)), _bbox_and(self.bbox, other.bbox))

    def __or__(self, other):
        a, b = self.fn, other.fn
        return Shape(lambda x, y: min(a(x, y), b(x, y)), _bbox_or(self.bbox, other.bbox))

    def __sub__(self, other):
        a, b = self.fn, other.fn
        return Shape(lambda x, y: max(a(x, y), -b(x, y)), self.bbox)


def _bbox_and(a, b):
    if a is None:
        return b
    if b is None:
        return a
    return (max(a[0], b[0]), max(a[1], b[1]), min(a[2], b[2]), min(a[3], b[3]))


def _bbox_or(a, b):
    if a is None or b is None:
        return None
    return (min(a[0], b[0]), min(a[1], b[1]), max(a[2], b[2]), max(a[3], b[3]))


def disc(cx, cy, r):
    return Shape(lambda x, y: math.hypot(x - cx, y - cy) - r,
                 (cx - r, cy - r, cx + r, cy + r))


def ring(cx, cy, r, w):
    h = w / 2.0
    return Shape(lambda x, y: abs(math.hypot(x - cx, y - cy) - r) - h,
                 (cx - r - h, cy - r - h, cx + r + h, cy + r + h))


def _seg_dist(x, y, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    ll = dx * dx + dy * dy
    t = 0.0 if ll == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / ll))
    return math.hypot(x - ax - t * dx, y - ay - t * dy)


def line(ax, ay, bx, by, w):
    """A stroke with round caps."""
    h = w / 2.0
    return Shape(lambda x, y: _seg_dist(x, y, ax, ay, bx, by) - h,
                 (min(ax, bx) - h, min(ay, by) - h, max(ax, bx) + h, max(ay, by) + h))


def arc(cx, cy, r, a0, a1, w):
    """A stroke along a circle from angle a0 to a1 (degrees, increasing
    clockwise on screen since y points down), with round caps."""
    h = w / 2.0
    t0, t1 = math.radians(a0), math.radians(a1)
    span = (t1 - t0) % (2 * math.pi) if a1 - a0 < 360 else 2 * math.pi
    p0 = (cx + r * math.cos(t0), cy + r * math.sin(t0))
    p1 = (cx + r * math.cos(t1), cy + r * math.sin(t1))

    def fn(x, y):
        dx, dy = x - cx, y - cy
        rel = (math.atan2(dy, dx) - t0) % (2 * math.pi)
        if rel <= span:
            return abs(math.hypot(dx, dy) - r) - h
        return min(math.hypot(x - p0[0], y - p0[1]), math.hypot(x - p1[0], y - p1[1])) - h
    return Shape(fn, (cx - r - h, cy - r - h, cx + r + h, cy + r + h))


def sector(cx, cy, r, a0, a1):
    """A filled pie slice from angle a0 to a1 (degrees, clockwise on screen),
    spanning less than 180 degrees."""
    t0, t1 = math.radians(a0), math.radians(a1)
    # Outward normals of the two straight edges.
    n0 = (math.sin(t0), -math.cos(t0))
    n1 = (-math.sin(t1), math.cos(t1))

    def fn(x, y):
        dx, dy = x - cx, y - cy
        return max(math.hypot(dx, dy) - r, dx * n0[0] + dy * n0[1], dx * n1[0] + dy * n1[1])
    return Shape(fn, (cx - r, cy - r, cx + r, cy + r))


def polygon(pts):
    """A filled polygon (any simple polygon)."""
    n = len(pts)

    def fn(x, y):
        d = float("inf")
        inside = False
        j = n - 1
        for i in range(n):
            ax, ay = pts[j]
            bx, by = pts[i]
            d = min(d, _seg_dist(x, y, ax, ay, bx, by))
            if (by > y) != (ay > y) and x < (ax - bx) * (y - by) / (ay - by) + bx:
                inside = not inside
            j = i
        return -d if inside else d
    xs = [p[0] for p in pts]
    ys = [p[1] for p in pts]
    return Shape(fn, (min(xs), min(ys), max(xs), max(ys)))


def everywhere():
    return Shape(lambda x, y: -1e9, None)


# ---------------------------------------------------------------------------
# Full-colour canvas: premultiplied RGBA floats, one-pixel anti-aliasing.
# ---------------------------------------------------------------------------

def hexcol(s, a=1.0):
    s = s.lstrip("#")
    return (int(s[0:2], 16) / 255.0, int(s[2:4], 16) / 255.0, int(s[4:6], 16) / 255.0, a)


def mix(c0, c1, t):
    t = max(0.0, min(1.0, t))
    return tuple(a + (b - a) * t for a, b in zip(c0, c1))


class Canvas:
    def __init__(self, w, h, scale=None, background=(0.0, 0.0, 0.0, 0.0)):
        self.w, self.h = w, h
        self.s = float(scale if scale is not None else w)
        r, g, b, a = background
        self.px = [r * a, g * a, b * a, a] * (w * h)

    def fill(self, shape, paint, soft=1.0):
        """Paint `shape` with a colour tuple or a function (x, y) -> colour.
        `soft` widens the anti-aliasing ramp (in pixels) for glows."""
        s = self.s
        if shape.bbox is None:
            x0, y0, x1, y1 = 0, 0, self.w, self.h
        else:
            pad = soft + 1
            x0 = max(0, int(math.floor(shape.bbox[0] * s - pad)))
            y0 = max(0, int(math.floor(shape.bbox[1] * s - pad)))
            x1 = min(self.w, int(math.ceil(shape.bbox[2] * s + pad)))
            y1 = min(self.h, int(math.ceil(shape.bbox[3] * s + pad)))
        fn = shape.fn
        const = None if callable(paint) else paint
        px = self.px
        for j in range(y0, y1):
            uy = (j + 0.5) / s
            for i in range(x0, x1):
                ux = (i + 0.5) / s
                d = fn(ux, uy) * s
                cov = 0.5 - d / soft
                if cov <= 0.0:
                    continue
                if cov > 1.0:
                    cov = 1.0
                r, g, b, a = const if const is not None else paint(ux, uy)
                a *= cov
                if a <= 0.0:
                    continue
                k = (j * self.w + i) * 4
                inv = 1.0 - a
                px[k] = r * a + px[k] * inv
                px[k + 1] = g * a + px[k + 1] * inv
                px[k + 2] = b * a + px[k + 2] * inv
                px[k + 3] = a + px[k + 3] * inv

    def rgba_bytes(self):
        """Straight (not premultiplied) 8-bit RGBA rows, top-down."""
        out = bytearray()
        px = self.px
        for k in range(0, len(px), 4):
            a = px[k + 3]
            if a <= 0.0:
                out += b"\0\0\0\0"
                continue
            out.append(_q(px[k] / a))
            out.append(_q(px[k + 1] / a))
            out.append(_q(px[k + 2] / a))
            out.append(_q(a))
        return bytes(out)


def _q(v):
    return max(0, min(255, int(v * 255.0 + 0.5)))


# ---------------------------------------------------------------------------
# Writing the files: Pillow encodes the pictures, the wave module the sound.
# ---------------------------------------------------------------------------

def encode(image, fmt, **options):
    buf = io.BytesIO()
    image.save(buf, fmt, **options)
    return buf.getvalue()


def png_bytes(w, h, rgba):
    return encode(Image.frombytes("RGBA", (w, h), rgba), "PNG", compress_level=9)


# The standard 16-colour VGA/Windows palette, as (R, G, B).
VGA = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = range(8)
GRAY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = range(8, 16)
CLEAR = -1   # transparent: AND mask bit set


# Pillow cannot write these icons: its BMP writer knows only 1, 8, 24 and 32
# bits a pixel, and its ICO writer stores 8-bit or 32-bit images with an empty
# AND mask. So the icon container and the bitmap headers are put together here
# with struct, and Pillow's raw encoder packs the 4-bit pixels and the mask.

def ico_image(cv):
    """One 4-bit ICO image of an IndexCanvas: BITMAPINFOHEADER, palette, XOR
    bitmap and AND mask, rows bottom-up and padded to 32 bits."""
    size = cv.size
    xor = Image.new("P", (size, size))
    xor.putdata([0 if v == CLEAR else v for v in cv.idx])
    mask = Image.new("1", (size, size))
    mask.putdata([255 if v == CLEAR else 0 for v in cv.idx])  # set bit: transparent
    bits = (xor.tobytes("raw", "P;4", ((size * 4 + 31) // 32) * 4, -1)
            + mask.tobytes("raw", "1", ((size + 31) // 32) * 4, -1))
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(bits), 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in VGA)
    return header + palette + bits


def ico_bytes(images):
    """images: IndexCanvas objects, largest first."""
    out = struct.pack("<HHH", 0, 1, len(images))
    blobs = [ico_image(cv) for cv in images]
    offset = 6 + 16 * len(images)
    for cv, blob in zip(images, blobs):
        out += struct.pack("<BBBBHHII", cv.size % 256, cv.size % 256, 16, 0, 1, 4, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blobs)


def bmp24_bytes(w, h, rgba):
    """A 24-bit uncompressed Windows bitmap of opaque pixels."""
    return encode(Image.frombytes("RGBA", (w, h), rgba).convert("RGB"), "BMP")


def wav_bytes(rate, samples):
    """16-bit mono PCM."""
    buf = io.BytesIO()
    with wave.open(buf, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(struct.pack("<%dh" % len(samples), *samples))
    return buf.getvalue()


# ---------------------------------------------------------------------------
# Indexed canvas for the 16-colour icons: hard-edged, pixel coordinates.
# A pixel takes a shape's colour when its centre lies inside the shape.
# ---------------------------------------------------------------------------

class IndexCanvas:
    def __init__(self, size):
        self.size = size
        self.idx = [CLEAR] * (size * size)

    def paint(self, shape, colour, grow=0.0):
        n = self.size
        if shape.bbox is None:
            x0, y0, x1, y1 = 0, 0, n, n
        else:
            x0 = max(0, int(math.floor(shape.bbox[0] - grow - 1)))
            y0 = max(0, int(math.floor(shape.bbox[1] - grow - 1)))
            x1 = min(n, int(math.ceil(shape.bbox[2] + grow + 1)))
            y1 = min(n, int(math.ceil(shape.bbox[3] + grow + 1)))
        for j in range(y0, y1):
            for i in range(x0, x1):
                x, y = i + 0.5, j + 0.5
                if shape.fn(x, y) - grow < 0:
                    self.idx[j * n + i] = colour(x, y) if callable(colour) else colour

    def rgba_preview(self):
        out = bytearray()
        for v in self.idx:
            out += b"\0\0\0\0" if v == CLEAR else bytes(VGA[v]) + b"\xff"
        return bytes(out)


def union(shapes):
    fns = [s.fn for s in shapes]
    box = shapes[0].bbox
    for s in shapes[1:]:
        box = _bbox_or(box, s.bbox)
    return Shape(lambda x, y: min(f(x, y) for f in fns), box)


# ---------------------------------------------------------------------------
# The radar motif
# ---------------------------------------------------------------------------

BEAM = -48.0          # direction of the sweep line, degrees clockwise from east
TRAIL = 95.0          # how far the fading trail reaches behind the beam
BLIP_ANGLE = -78.0    # where the echo sits: just swept, upper right
BLIP_R = 0.56         # as a fraction of the screen radius


def polar(cx, cy, r, deg):
    t = math.radians(deg)
    return cx + r * math.cos(t), cy + r * math.sin(t)


def angle_paint(cx, cy, a0, a1, c0, c1, gamma=1.0):
    """Colour varying with the angle around (cx, cy): c0 at a0, c1 at a1."""
    t0 = math.radians(a0)
    span = math.radians(a1 - a0)

    def paint(x, y):
        rel = (math.atan2(y - cy, x - cx) - t0) % (2 * math.pi)
        t = rel / span if rel <= span else (0.0 if rel > math.pi + span / 2 else 1.0)
        return mix(c0, c1, t ** gamma)
    return paint


def linear_paint(x0, y0, x1, y1, c0, c1):
    dx, dy = x1 - x0, y1 - y0
    ll = dx * dx + dy * dy

    def paint(x, y):
        return mix(c0, c1, ((x - x0) * dx + (y - y0) * dy) / ll)
    return paint


def radial_paint(cx, cy, r, c0, c1):
    def paint(x, y):
        return mix(c0, c1, math.hypot(x - cx, y - cy) / r)
    return paint


def draw_radar(cv, cx, cy, R, px, bezel=True, detail=2):
    """Full-colour radar scope of outer radius R centred on (cx, cy), in the
    canvas's units; px is one pixel in those units. detail 0..2 thins out the
    grid for small sizes."""
    if bezel:
        rs = R * 0.80                      # screen radius
        # Soft drop shadow.
        if R / px >= 20:
            cv.fill(disc(cx, cy + R * 0.04, R * 0.99), hexcol("000000", 0.45), soft=R / px * 0.10)
        # Metal bezel, lit from the top left.
        cv.fill(disc(cx, cy, R), linear_paint(cx - R, cy - R, cx + R * 0.7, cy + R * 0.7,
                                              hexcol("eef2f5"), hexcol("4d555d")))
        cv.fill(ring(cx, cy, R - px * 0.5, px), hexcol("20262b", 0.85))
        # Inner bevel, lit the other way so the screen looks sunk in.
        rb = rs + max(px * 1.2, R * 0.045)
        cv.fill(disc(cx, cy, rb), linear_paint(cx - rb, cy - rb, cx + rb * 0.7, cy + rb * 0.7,
                                               hexcol("3c444c"), hexcol("d7dde2")))
    else:
        rs = R
    # The screen.
    screen = disc(cx, cy, rs)
    cv.fill(screen, radial_paint(cx, cy, rs, hexcol("0e3d24"), hexcol("020d07")))
    lw = max(px, rs * 0.018)
    grid = hexcol("35c46a", 0.42 if detail else 0.5)
    rings = [0.66, 0.33] if detail >= 2 else ([0.55] if detail == 1 else [0.5])
    for f in rings:
        cv.fill(ring(cx, cy, rs * f, lw), grid)
    if detail >= 1:
        cv.fill(line(cx - rs, cy, cx + rs, cy, lw) & screen, grid)
        cv.fill(line(cx, cy - rs, cx, cy + rs, lw) & screen, grid)
    if detail >= 2:
        # Tick marks round the rim.
        for k in range(0, 360, 15):
            inner = 0.90 if k % 45 == 0 else 0.94
            ax, ay = polar(cx, cy, rs * inner, k)
            bx, by = polar(cx, cy, rs * 0.985, k)
            cv.fill(line(ax, ay, bx, by, lw * 0.9), hexcol("35c46a", 0.5))
    # Sweep trail fading behind the beam.
    trail = sector(cx, cy, rs, BEAM - TRAIL, BEAM) & screen
    cv.fill(trail, angle_paint(cx, cy, BEAM - TRAIL, BEAM, hexcol("3dff7e", 0.0),
                               hexcol("3dff7e", 0.7 if detail >= 2 else 0.8), gamma=2.2))
    # The beam.
    bx, by = polar(cx, cy, rs * 0.98, BEAM)
    bw = max(px * 1.1, rs * 0.035)
    if R / px >= 24:
        cv.fill(line(cx, cy, bx, by, bw * 3.0), hexcol("6dff9c", 0.25), soft=bw * 2.0 / px)
    cv.fill(line(cx, cy, bx, by, bw), hexcol("c8ffd8"))
    cv.fill(disc(cx, cy, bw * 1.1), hexcol("e8fff0"))
    # The echo: a bright blip with a glow and a ping ring.
    ex, ey = polar(cx, cy, rs * BLIP_R, BLIP_ANGLE)
    br = max(px * 1.0, rs * 0.07)
    if R / px >= 24:
        cv.fill(disc(ex, ey, br * 2.6), radial_paint(ex, ey, br * 2.6, hexcol("fff27a", 0.55),
                                                     hexcol("fff27a", 0.0)))
        cv.fill(ring(ex, ey, br * 2.3, lw), hexcol("fff6a8", 0.55))
    cv.fill(disc(ex, ey, br), radial_paint(ex, ey, br, hexcol("ffffff"), hexcol("ffe94a")))
    # A faint second echo, not yet swept.
    if detail >= 2:
        fx, fy = polar(cx, cy, rs * 0.42, 148.0)
        cv.fill(disc(fx, fy, br * 0.6), hexcol("4fe08a", 0.45))
    # Glass: a soft highlight across the top left.
    if bezel and R / px >= 24:
        glass = disc(cx, cy, rs) - disc(cx + rs * 0.18, cy + rs * 0.22, rs * 0.98)
        cv.fill(glass, hexcol("ffffff", 0.10))


def main_icon_png(size):
    cv = Canvas(size, size)
    px = 1.0 / size
    detail = 1 if size <= 32 else 2
    if size <= 64:
        # Centre on a pixel so that one-pixel grid lines stay crisp.
        c, r = 0.5 - px * 0.5, 0.5 - px
    else:
        c, r = 0.5, 0.5 - px * 0.5
    draw_radar(cv, c, c, r, px, bezel=True, detail=detail)
    return cv


# ---------------------------------------------------------------------------
# The 16-colour icons, painted with palette indices
# ---------------------------------------------------------------------------

def main_icon_indexed(size):
    """The radar at 32 or 16 pixels: a circle of odd diameter round the
    middle pixel, a two-tone bezel, and on the dark screen a grid, a trail
    dithered off behind the beam, the beam itself and a yellow echo."""
    cv = IndexCanvas(size)
    c = size / 2.0 - 0.5
    if size >= 32:
        r_out, r_dark, r_scr, rings = 15.5, 12.5, 11.5, [7.5, 3.5]
        blip = [".Y.", "YWY", ".Y."]
    else:
        r_out, r_dark, r_scr, rings = 7.5, 5.5, 5.5, [3.5]
        blip = ["YW"]

    def bezel(x, y):
        a = math.degrees(math.atan2(y - c, x - c))
        if -160.0 <= a <= -110.0:
            return WHITE
        return SILVER if (x - c) + (y - c) < 0.0 else GRAY
    cv.paint(disc(c, c, r_out), BLACK)
    cv.paint(disc(c, c, r_out - 1.0), bezel)
    cv.paint(disc(c, c, r_dark), BLACK)
    inner = disc(c, c, r_scr)
    grid = [ring(c, c, r, 1.0) for r in rings]
    grid += [line(c - r_scr, c, c + r_scr, c, 0.9), line(c, c - r_scr, c, c + r_scr, 0.9)]
    cv.paint(union(grid) & inner, GREEN)

    def trail(x, y):
        a = math.degrees(math.atan2(y - c, x - c))
        behind = (BEAM - a) % 360.0
        if behind < TRAIL * 0.45:
            return GREEN
        if behind < TRAIL * 0.8:
            return GREEN if (int(x) + int(y)) % 2 == 0 else cv.idx[int(y) * size + int(x)]
        return cv.idx[int(y) * size + int(x)]
    cv.paint(sector(c, c, r_scr, BEAM - TRAIL, BEAM + 3.0) & inner, trail)
    bx, by = polar(c, c, r_scr, BEAM)
    cv.paint(line(c, c, bx, by, 1.0) & inner, LIME)
    ex, ey = polar(c, c, r_scr * BLIP_R, BLIP_ANGLE)
    ex, ey = int(ex), int(ey)
    h = len(blip) // 2
    for j, row in enumerate(blip):
        for i, ch in enumerate(row):
            if ch != ".":
                cv.idx[(ey - h + j) * size + ex - h + i] = WHITE if ch == "W" else YELLOW
    return cv


def paths_icon_indexed(size):
    """A yellow folder with a red-and-white target on its front corner."""
    cv = IndexCanvas(size)
    k = size / 32.0
    P = lambda pts: polygon([(x * k, y * k) for x, y in pts])
    back = P([(2, 5), (11, 5), (13, 8), (29, 8), (29, 27), (2, 27)])
    paper = P([(6, 10), (26, 10), (26, 17), (6, 17)])
    front = P([(6, 13), (31, 13), (28, 28), (2, 28), (2, 18)]) if size >= 32 else \
        P([(6, 14), (31, 14), (29, 28), (2, 28), (2, 18)])
    cv.paint(back, BLACK, grow=1.0)
    cv.paint(back, OLIVE)
    cv.paint(paper, BLACK, grow=1.0)
    cv.paint(paper, WHITE)
    cv.paint(front, BLACK, grow=1.0)
    cv.paint(front, YELLOW)
    if size >= 32:
        cv.paint(line(6.5, 14.5, 29.5, 14.5, 0.9), WHITE)      # lit front edge
        tc = (24.0, 23.0)
        rings = [(6.4, BLACK), (5.4, WHITE), (4.3, RED), (2.6, WHITE), (1.5, RED)]
    else:
        tc = (12.0, 12.0)
        rings = [(3.7, BLACK), (3.0, RED), (1.9, WHITE), (0.8, RED)]
    for r, col in rings:
        cv.paint(disc(tc[0], tc[1], r), col)
    return cv


# ---------------------------------------------------------------------------
# A small stroke font. Glyphs are drawn in em units with y pointing up from
# the baseline (cap height 1, x-height 0.62). Strokes: ("L", x0, y0, x1, y1)
# a straight line, ("A", cx, cy, r, a0, a1) an arc counter-clockwise from a0
# to a1 degrees, ("D", x, y) a dot. The second field of each entry is the
# glyph's advance before spacing.
# ---------------------------------------------------------------------------

XH = 0.62
FONT = {
    "P": (0.52, [("L", 0, 0, 0, 1), ("L", 0, 1, 0.27, 1), ("A", 0.27, 0.755, 0.245, -90, 90),
                 ("L", 0.27, 0.51, 0, 0.51)]),
    "W": (0.86, [("L", 0, 1, 0.2, 0), ("L", 0.2, 0, 0.43, 0.74), ("L", 0.43, 0.74, 0.66, 0),
                 ("L", 0.66, 0, 0.86, 1)]),
    "b": (0.62, [("L", 0, 0, 0, 1), ("A", 0.31, 0.31, 0.31, 0, 360)]),
    "c": (0.56, [("A", 0.31, 0.31, 0.31, 42, 318)]),
    "f": (0.40, [("L", 0.13, 0, 0.13, 0.78), ("A", 0.36, 0.78, 0.23, 90, 180),
                 ("L", 0.36, 1.01, 0.42, 1.01), ("L", 0, XH, 0.34, XH)]),
    "i": (0.0, [("L", 0, 0, 0, XH), ("D", 0, 0.88)]),
    "k": (0.46, [("L", 0, 0, 0, 1), ("L", 0.44, XH, 0.0, 0.22), ("L", 0.15, 0.35, 0.46, 0)]),
    "l": (0.0, [("L", 0, 0, 0, 1)]),
    "m": (0.80, [("L", 0, 0, 0, XH), ("A", 0.2, 0.42, 0.2, 0, 180), ("L", 0.4, 0.42, 0.4, 0),
                 ("A", 0.6, 0.42, 0.2, 0, 180), ("L", 0.8, 0.42, 0.8, 0)]),
    "o": (0.62, [("A", 0.31, 0.31, 0.31, 0, 360)]),
    "r": (0.36, [("L", 0, 0, 0, XH), ("A", 0.31, 0.31, 0.31, 90, 180), ("L", 0.31, XH, 0.36, XH)]),
    "w": (0.76, [("L", 0, XH, 0.18, 0), ("L", 0.18, 0, 0.38, 0.5), ("L", 0.38, 0.5, 0.58, 0),
                 ("L", 0.58, 0, 0.76, XH)]),
    "x": (0.50, [("L", 0, 0, 0.5, XH), ("L", 0, XH, 0.5, 0)]),
    " ": (0.22, []),
}


def text_width(text, em, stroke, tracking):
    adv = [FONT[ch][0] * em for ch in text]
    return sum(adv) + (len(text) - 1) * (stroke + tracking * em) + stroke


def text_shape(text, x, baseline, em, stroke, tracking):
    """The union of all strokes of `text`, its left edge at x (pixels)."""
    shapes = []
    pen = x + stroke / 2.0
    for ch in text:
        adv, strokes = FONT[ch]
        for st in strokes:
            if st[0] == "L":
                _, x0, y0, x1, y1 = st
                shapes.append(line(pen + x0 * em, baseline - y0 * em,
                                   pen + x1 * em, baseline - y1 * em, stroke))
            elif st[0] == "A":
                _, cx, cy, r, a0, a1 = st
                # Counter-clockwise with y up is clockwise with y down.
                shapes.append(arc(pen + cx * em, baseline - cy * em, r * em, -a1, -a0, stroke)
                              if a1 - a0 < 360 else
                              ring(pen + cx * em, baseline - cy * em, r * em, stroke))
            else:
                _, dx, dy = st
                shapes.append(disc(pen + dx * em, baseline - dy * em, stroke * 0.62))
        pen += adv * em + stroke + tracking * em
    return union(shapes)


# ---------------------------------------------------------------------------
# The splash picture
# ---------------------------------------------------------------------------

def splash():
    W = H = 250
    cv = Canvas(W, H, scale=1)
    cv.fill(everywhere(), hexcol("000000"))
    cx, cy, R = 125.0, 86.0, 60.0
    # A faint halo and two expanding ping rings round the scope.
    cv.fill(disc(cx, cy, R * 1.45), radial_paint(cx, cy, R * 1.45, hexcol("0c3a22", 0.55),
                                                 hexcol("0c3a22", 0.0)))
    cv.fill(ring(cx, cy, R * 1.16, 1.0), hexcol("2fa85a", 0.30))
    cv.fill(ring(cx, cy, R * 1.34, 1.0), hexcol("2fa85a", 0.14))
    cv.fill(ring(cx, cy, R + 1.5, 2.0), hexcol("3fcf74", 0.85))
    draw_radar(cv, cx, cy, R, 1.0, bezel=False, detail=2)

    # Title.
    em, stroke, tracking = 37.0, 4.4, 0.16
    tw = text_width("Pollwick", em, stroke, tracking)
    title = text_shape("Pollwick", (W - tw) / 2.0, 205.0, em, stroke, tracking)
    glow = Shape(lambda x, y, f=title.fn: f(x, y) - 2.5,
                 (title.bbox[0] - 4, title.bbox[1] - 4, title.bbox[2] + 4, title.bbox[3] + 4))
    cv.fill(glow, hexcol("2cff74", 0.22), soft=7.0)
    cv.fill(title, linear_paint(0, 205.0 - em, 0, 205.0, hexcol("effff3"), hexcol("66ea92")))

    # Subtitle.
    em2, stroke2, tracking2 = 14.0, 1.7, 0.22
    sub = "for Wombix"
    sw = text_width(sub, em2, stroke2, tracking2)
    cv.fill(text_shape(sub, (W - sw) / 2.0, 231.0, em2, stroke2, tracking2), hexcol("8dbb9c"))
    # Two short rules either side of the subtitle.
    for side in (-1, 1):
        x_in = W / 2.0 + side * (sw / 2.0 + 8)
        x_out = x_in + side * 22
        cv.fill(line(x_in, 226.0, x_out, 226.0, 1.0),
                linear_paint(x_in, 0, x_out, 0, hexcol("3f8f5c", 0.9), hexcol("3f8f5c", 0.0)))
    return cv


# ---------------------------------------------------------------------------
# The alert sound: two short rising chimes
# ---------------------------------------------------------------------------

def alert_samples(rate=22050):
    total = 0.66
    n = int(total * rate)
    notes = [(0.000, 987.77, 0.30), (0.150, 1318.51, 0.51)]     # B5 then E6
    out = []
    for k in range(n):
        t = k / rate
        v = 0.0
        for t0, f, dur in notes:
            u = t - t0
            if u < 0.0 or u > dur:
                continue
            attack = 0.5 - 0.5 * math.cos(math.pi * min(1.0, u / 0.008))
            release = 0.5 - 0.5 * math.cos(math.pi * min(1.0, (dur - u) / 0.06))
            env = attack * release * math.exp(-u / 0.16)
            w = 2 * math.pi * f * u
            v += env * (math.sin(w) + 0.30 * math.exp(-u / 0.05) * math.sin(2 * w)
                        + 0.10 * math.sin(3 * w))
        out.append(int(round(max(-1.0, min(1.0, v * 0.42)) * 32767)))
    return out


# ---------------------------------------------------------------------------
# A scalable copy of the main icon, written out as SVG from the same geometry
# ---------------------------------------------------------------------------

def svg_icon():
    S = 256.0
    cx = cy = S / 2.0
    R = S / 2.0 - 1.0
    rs = R * 0.80
    rb = rs + R * 0.045
    f = lambda v: ("%.2f" % v).rstrip("0").rstrip(".")
    out = []
    add = out.append
    add('<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">')
    add('  <title>Pollwick</title>')
    add('  <defs>')
    add('    <linearGradient id="bezel" x1="0" y1="0" x2="0.85" y2="0.85">')
    add('      <stop offset="0" stop-color="#eef2f5"/><stop offset="1" stop-color="#4d555d"/>')
    add('    </linearGradient>')
    add('    <linearGradient id="bevel" x1="0" y1="0" x2="0.85" y2="0.85">')
    add('      <stop offset="0" stop-color="#3c444c"/><stop offset="1" stop-color="#d7dde2"/>')
    add('    </linearGradient>')
    add('    <radialGradient id="screen">')
    add('      <stop offset="0" stop-color="#0e3d24"/><stop offset="1" stop-color="#020d07"/>')
    add('    </radialGradient>')
    add('    <radialGradient id="echo">')
    add('      <stop offset="0" stop-color="#fff27a" stop-opacity="0.55"/>')
    add('      <stop offset="1" stop-color="#fff27a" stop-opacity="0"/>')
    add('    </radialGradient>')
    add('    <radialGradient id="blip">')
    add('      <stop offset="0" stop-color="#ffffff"/><stop offset="1" stop-color="#ffe94a"/>')
    add('    </radialGradient>')
    add('  </defs>')
    add('  <circle cx="%s" cy="%s" r="%s" fill="url(#bezel)" stroke="#20262b" stroke-opacity="0.85"/>'
        % (f(cx), f(cy), f(R - 0.5)))
    add('  <circle cx="%s" cy="%s" r="%s" fill="url(#bevel)"/>' % (f(cx), f(cy), f(rb)))
    add('  <circle cx="%s" cy="%s" r="%s" fill="url(#screen)"/>' % (f(cx), f(cy), f(rs)))
    lw = rs * 0.018
    add('  <g fill="none" stroke="#35c46a" stroke-opacity="0.42" stroke-width="%s">' % f(lw))
    for k in (0.66, 0.33):
        add('    <circle cx="%s" cy="%s" r="%s"/>' % (f(cx), f(cy), f(rs * k)))
    add('    <path d="M%s %sH%sM%s %sV%s"/>' % (f(cx - rs), f(cy), f(cx + rs), f(cx), f(cy - rs), f(cy + rs)))
    add('  </g>')
    ticks = []
    for k in range(0, 360, 15):
        ax, ay = polar(cx, cy, rs * (0.90 if k % 45 == 0 else 0.94), k)
        bx, by = polar(cx, cy, rs * 0.985, k)
        ticks.append("M%s %sL%s %s" % (f(ax), f(ay), f(bx), f(by)))
    add('  <path d="%s" stroke="#35c46a" stroke-opacity="0.5" stroke-width="%s" stroke-linecap="round"/>'
        % ("".join(ticks), f(lw * 0.9)))
    # The trail: nested slices that all end at the beam, so their opacities
    # stack up to the same fade as the raster version, without seams.
    steps = 24
    below = 0.0
    for i in range(steps):
        target = 0.7 * ((i + 0.5) / steps) ** 2.2
        opacity = 1.0 - (1.0 - target) / (1.0 - below)
        below = target
        x0, y0 = polar(cx, cy, rs, BEAM - TRAIL + TRAIL * i / steps)
        x1, y1 = polar(cx, cy, rs, BEAM)
        add('  <path d="M%s %sL%s %sA%s %s 0 0 1 %s %sZ" fill="#3dff7e" fill-opacity="%.4f"/>'
            % (f(cx), f(cy), f(x0), f(y0), f(rs), f(rs), f(x1), f(y1), opacity))
    bx, by = polar(cx, cy, rs * 0.98, BEAM)
    bw = rs * 0.035
    add('  <path d="M%s %sL%s %s" stroke="#6dff9c" stroke-opacity="0.25" stroke-width="%s" '
        'stroke-linecap="round"/>' % (f(cx), f(cy), f(bx), f(by), f(bw * 3)))
    add('  <path d="M%s %sL%s %s" stroke="#c8ffd8" stroke-width="%s" stroke-linecap="round"/>'
        % (f(cx), f(cy), f(bx), f(by), f(bw)))
    add('  <circle cx="%s" cy="%s" r="%s" fill="#e8fff0"/>' % (f(cx), f(cy), f(bw * 1.1)))
    ex, ey = polar(cx, cy, rs * BLIP_R, BLIP_ANGLE)
    br = rs * 0.07
    add('  <circle cx="%s" cy="%s" r="%s" fill="url(#echo)"/>' % (f(ex), f(ey), f(br * 2.6)))
    add('  <circle cx="%s" cy="%s" r="%s" fill="none" stroke="#fff6a8" stroke-opacity="0.55" '
        'stroke-width="%s"/>' % (f(ex), f(ey), f(br * 2.3), f(lw)))
    add('  <circle cx="%s" cy="%s" r="%s" fill="url(#blip)"/>' % (f(ex), f(ey), f(br)))
    fx, fy = polar(cx, cy, rs * 0.42, 148.0)
    add('  <circle cx="%s" cy="%s" r="%s" fill="#4fe08a" fill-opacity="0.45"/>' % (f(fx), f(fy), f(br * 0.6)))
    add('</svg>')
    return "\n".join(out) + "\n"


# ---------------------------------------------------------------------------
# Writing the files
# ---------------------------------------------------------------------------

def write(out_dir, name, data):
    if isinstance(data, str):
        data = data.encode("utf-8")
    path = os.path.join(out_dir, name)
    with open(path, "wb") as f:
        f.write(data)
    print("%-20s %8d bytes" % (name, len(data)))


def main(argv):
    args = argv[1:]
    preview = None
    if len(args) >= 2 and args[0] == "--preview":
        preview = args[1]
        args = args[2:]
    out_dir = args[0] if args else os.path.join(TOP, RESOURCES)
    sound_dir = args[0] if args else os.path.join(TOP, SOUNDS)
    os.makedirs(out_dir, exist_ok=True)

    icons = {"pollwick": [main_icon_indexed(32), main_icon_indexed(16)],
             "paths": [paths_icon_indexed(32), paths_icon_indexed(16)]}
    for name, images in icons.items():
        write(out_dir, name + ".ico", ico_bytes(images))
        if preview:
            os.makedirs(preview, exist_ok=True)
            for cv in images:
                write(preview, "%s-ico-%d.png" % (name, cv.size),
                      png_bytes(cv.size, cv.size, cv.rgba_preview()))
    for size in (16, 32, 48, 64, 128, 256):
        write(out_dir, "pollwick-%d.png" % size, png_bytes(size, size, main_icon_png(size).rgba_bytes()))
    write(out_dir, "pollwick.svg", svg_icon())
    write(out_dir, "splash.bmp", bmp24_bytes(250, 250, splash().rgba_bytes()))
    write(sound_dir, "alert.wav", wav_bytes(22050, alert_samples(22050)))


if __name__ == "__main__":
    main(sys.argv)
