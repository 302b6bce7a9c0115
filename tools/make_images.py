#!/usr/bin/env python3
"""Draws Scribbit's bitmaps and icons into resources/images/.

The pictures are generated rather than checked in as opaque binaries so that
they can be reviewed, changed and rebuilt on any machine with a plain Python 3
(no imaging library is assumed).  Output is byte-for-byte deterministic:
there are no timestamps, and palettes are built in a sorted order.

Run from anywhere:  python3 tools/make_images.py
"""

import math
import os
import struct
import sys

OUT_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)),
                       os.pardir, "resources", "images")

# ---------------------------------------------------------------------------
# Colours
# ---------------------------------------------------------------------------

BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
FACE = (192, 192, 192)        # classic 3D button face
HILIGHT = (255, 255, 255)
LIGHT = (223, 223, 223)
SHADOW = (128, 128, 128)
DKSHADOW = (64, 64, 64)

# The fixed 16-colour VGA palette, in the index order Windows expects for
# 4-bit icons.
VGA = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
V_BLACK, V_MAROON, V_GREEN, V_OLIVE, V_NAVY, V_PURPLE, V_TEAL, V_SILVER, \
    V_GREY, V_RED, V_LIME, V_YELLOW, V_BLUE, V_MAGENTA, V_CYAN, V_WHITE = VGA


# ---------------------------------------------------------------------------
# Drawing
# ---------------------------------------------------------------------------

class Canvas:
    """A small RGB raster; None marks a transparent pixel."""

    def __init__(self, w, h, fill=None):
        self.w, self.h = w, h
        self.pix = [[fill] * w for _ in range(h)]

    def get(self, x, y):
        if 0 <= x < self.w and 0 <= y < self.h:
            return self.pix[y][x]
        return None

    def put(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.pix[y][x] = c

    def rect(self, x0, y0, x1, y1, c):
        for y in range(min(y0, y1), max(y0, y1) + 1):
            for x in range(min(x0, x1), max(x0, x1) + 1):
                self.put(x, y, c)

    def frame(self, x0, y0, x1, y1, c):
        self.line(x0, y0, x1, y0, c)
        self.line(x0, y1, x1, y1, c)
        self.line(x0, y0, x0, y1, c)
        self.line(x1, y0, x1, y1, c)

    def line(self, x0, y0, x1, y1, c):
        x0, y0, x1, y1 = int(round(x0)), int(round(y0)), int(round(x1)), int(round(y1))
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx = 1 if x0 < x1 else -1
        sy = 1 if y0 < y1 else -1
        err = dx + dy
        while True:
            self.put(x0, y0, c)
            if x0 == x1 and y0 == y1:
                break
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def polygon(self, pts, fill=None, outline=None):
        # Vertices are rounded first so that fill and outline agree exactly;
        # integer coordinates name pixel centres.
        pts = [(int(round(x)), int(round(y))) for x, y in pts]
        if fill is not None:
            ys = [p[1] for p in pts]
            for y in range(max(min(ys), 0), min(max(ys), self.h - 1) + 1):
                for x in range(self.w):
                    if _inside(pts, x, y):
                        self.put(x, y, fill)
        if outline is not None:
            for i in range(len(pts)):
                (ax, ay), (bx, by) = pts[i], pts[(i + 1) % len(pts)]
                self.line(ax, ay, bx, by, outline)

    def disc(self, cx, cy, r, c):
        for y in range(self.h):
            for x in range(self.w):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r * r + r * 0.8:
                    self.put(x, y, c)

    def blit(self, src, dx, dy):
        for y in range(src.h):
            for x in range(src.w):
                c = src.pix[y][x]
                if c is not None:
                    self.put(x + dx, y + dy, c)

    def text(self, s, x, y, c, font=None):
        font = font or DIGITS
        for ch in s:
            rows = font[ch]
            for j, row in enumerate(rows):
                for i, bit in enumerate(row):
                    if bit == "#":
                        self.put(x + i, y + j, c)
            x += len(rows[0]) + 1


def _inside(pts, px, py):
    """Even-odd test of a pixel centre against a polygon."""
    inside = False
    n = len(pts)
    for i in range(n):
        (x0, y0), (x1, y1) = pts[i], pts[(i + 1) % n]
        if (y0 > py) != (y1 > py):
            xc = x0 + (py - y0) * (x1 - x0) / (y1 - y0)
            if px < xc:
                inside = not inside
    return inside


def stick(cv, tip, end, half, segments, outline=BLACK, dividers=True):
    """Draws an elongated tool (pen, pencil, wand) from its tip to its end.

    `segments` is a list of (t0, t1, colour) along the axis, 0 at the tip.  A
    fourth value on the first segment, the cone length, narrows the stick to a
    point there, which is how writing tips read at icon size.
    """
    (tx, ty), (ex, ey) = tip, end
    length = math.hypot(ex - tx, ey - ty)
    ax, ay = (ex - tx) / length, (ey - ty) / length
    nx, ny = -ay, ax
    cone = segments[0][3] if len(segments[0]) > 3 else 0.0

    def width(t):
        return half if cone <= 0 else half * min(1.0, t / cone)

    def at(t, s):
        return (tx + ax * length * t + nx * s, ty + ay * length * t + ny * s)

    outline_pts = []
    for p in segments:
        t0, t1, col = p[0], p[1], p[2]
        knots = [t0] + ([cone] if t0 < cone < t1 else []) + [t1]
        left = [at(t, -width(t)) for t in knots]
        right = [at(t, width(t)) for t in reversed(knots)]
        cv.polygon(left + right, fill=col,
                   outline=outline if dividers else None)
    if outline is not None:
        knots = sorted({0.0, 1.0, cone} if cone > 0 else {0.0, 1.0})
        left = [at(t, -width(t)) for t in knots]
        right = [at(t, width(t)) for t in reversed(knots)]
        cv.polygon(left + right, outline=outline)


def star(cv, cx, cy, r, fill, edge):
    """A four-pointed sparkle."""
    if r <= 2:
        for d in range(-r, r + 1):
            cv.put(cx + d, cy, fill)
            cv.put(cx, cy + d, fill)
        cv.put(cx, cy, WHITE)
        return
    k = max(1, r // 3)
    pts = [(cx, cy - r), (cx + k, cy - k), (cx + r, cy), (cx + k, cy + k),
           (cx, cy + r), (cx - k, cy + k), (cx - r, cy), (cx - k, cy - k)]
    cv.polygon(pts, fill=fill, outline=edge)
    cv.put(cx, cy, WHITE)


# Bold 7x10 digits for the folder buttons: two-pixel strokes stay legible
# when the bitmap is drawn at its natural 32 px.
DIGITS = {
    "1": ["...##..",
          "..###..",
          ".####..",
          "...##..",
          "...##..",
          "...##..",
          "...##..",
          "...##..",
          "...##..",
          ".######"],
    "2": [".#####.",
          "##...##",
          ".....##",
          ".....##",
          "....##.",
          "...##..",
          "..##...",
          ".##....",
          "##.....",
          "#######"],
    "3": [".#####.",
          "##...##",
          ".....##",
          ".....##",
          "..####.",
          ".....##",
          ".....##",
          ".....##",
          "##...##",
          ".#####."],
    "4": ["....##.",
          "...###.",
          "..####.",
          ".##.##.",
          "##..##.",
          "#######",
          "....##.",
          "....##.",
          "....##.",
          "....##."],
    "5": ["#######",
          "##.....",
          "##.....",
          "######.",
          ".....##",
          ".....##",
          ".....##",
          ".....##",
          "##...##",
          ".#####."],
}


# ---------------------------------------------------------------------------
# File formats
# ---------------------------------------------------------------------------

def _row_stride(w, bpp):
    return ((w * bpp + 31) // 32) * 4


def _info_header(w, h, bpp, image_size, colours):
    # 2835 px/m = 72 dpi; any fixed value keeps the output reproducible.
    return struct.pack("<IiiHHIIiiII", 40, w, h, 1, bpp, 0, image_size,
                       2835, 2835, colours, 0)


def _pack_rows(indices, w, h, bpp):
    """Packs rows of palette indices (or RGB for 24 bpp) bottom-up."""
    stride = _row_stride(w, bpp)
    out = bytearray()
    for y in range(h - 1, -1, -1):
        row = indices[y]
        if bpp == 24:
            b = bytearray()
            for r, g, bl in row:
                b += bytes((bl, g, r))
        elif bpp == 8:
            b = bytearray(row)
        else:
            per = 8 // bpp
            b = bytearray()
            for x0 in range(0, w, per):
                v = 0
                for i in range(per):
                    v <<= bpp
                    if x0 + i < w:
                        v |= row[x0 + i]
                b.append(v)
        b += bytes(stride - len(b))
        out += b
    return bytes(out)


def _palette_bytes(pal, count):
    pal = list(pal) + [BLACK] * (count - len(pal))
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in pal)


def _write(path, data):
    with open(path, "wb") as f:
        f.write(data)


def _bmp_file(info, palette, bits):
    offset = 14 + len(info) + len(palette)
    head = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
    return head + info + palette + bits


def _solid(cv, background):
    return [[c if c is not None else background for c in row] for row in cv.pix]


def write_bmp24(path, cv, background=FACE):
    rows = _solid(cv, background)
    bits = _pack_rows(rows, cv.w, cv.h, 24)
    _write(path, _bmp_file(_info_header(cv.w, cv.h, 24, len(bits), 0), b"", bits))


def write_bmp8(path, cv, background=FACE, palette=None):
    rows = _solid(cv, background)
    if palette is None:
        # Sorted so the colour table never depends on drawing order.
        palette = sorted({c for row in rows for c in row})
    if len(palette) > 256:
        raise ValueError("%s: %d colours do not fit 8 bits" % (path, len(palette)))
    index = {c: i for i, c in enumerate(palette)}
    bits = _pack_rows([[index[c] for c in row] for row in rows], cv.w, cv.h, 8)
    _write(path, _bmp_file(_info_header(cv.w, cv.h, 8, len(bits), 256),
                           _palette_bytes(palette, 256), bits))


def write_bmp1(path, on_rows, w, h):
    bits = _pack_rows([[1 if v else 0 for v in row] for row in on_rows], w, h, 1)
    _write(path, _bmp_file(_info_header(w, h, 1, len(bits), 2),
                           _palette_bytes([BLACK, WHITE], 2), bits))


def write_ico(path, canvases):
    """16-colour icons: the VGA palette keeps them valid on every display."""
    index = {c: i for i, c in enumerate(VGA)}
    images = []
    for cv in canvases:
        xor = []
        mask = []
        for row in cv.pix:
            for c in row:
                if c is not None and c not in index:
                    raise ValueError("%s: %r is not a VGA colour" % (path, c))
            xor.append([index[c] if c is not None else 0 for c in row])
            mask.append([1 if c is None else 0 for c in row])
        xor_bits = _pack_rows(xor, cv.w, cv.h, 4)
        and_bits = _pack_rows(mask, cv.w, cv.h, 1)
        body = xor_bits + and_bits
        # Icon images store twice the height: XOR bitmap above AND mask.
        images.append((cv, _info_header(cv.w, 2 * cv.h, 4, len(body), 16)
                       + _palette_bytes(VGA, 16) + body))
    offset = 6 + 16 * len(images)
    head = struct.pack("<HHH", 0, 1, len(images))
    dirents = b""
    blobs = b""
    for cv, blob in images:
        dirents += struct.pack("<BBBBHHII", cv.w % 256, cv.h % 256, 16, 0,
                               1, 4, len(blob), offset)
        offset += len(blob)
        blobs += blob
    _write(path, head + dirents + blobs)


# ---------------------------------------------------------------------------
# Button pictures (22 x 22, transparent background)
# ---------------------------------------------------------------------------

PIC = 22


def pic_new():
    cv = Canvas(PIC, PIC)
    fold = 5
    x0, y0, x1, y1 = 3, 1, 16, 20
    page = [(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)]
    cv.polygon(page, fill=WHITE, outline=BLACK)
    cv.polygon([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)],
               fill=(200, 200, 200), outline=BLACK)
    # Green plus overlapping the lower right corner: "new".
    cx, cy, arm, half = 16, 16, 5, 1
    dark, green = (0, 96, 0), (0, 176, 0)
    cv.rect(cx - arm, cy - half - 1, cx + arm, cy + half + 1, dark)
    cv.rect(cx - half - 1, cy - arm, cx + half + 1, cy + arm, dark)
    cv.rect(cx - arm + 1, cy - half, cx + arm - 1, cy + half, green)
    cv.rect(cx - half, cy - arm + 1, cx + half, cy + arm - 1, green)
    cv.put(cx - half, cy - arm + 1, (96, 224, 96))
    return cv


def pic_eraser():
    cv = Canvas(PIC, PIC)
    pink, pink_top, pink_side = (255, 150, 170), (255, 190, 205), (210, 100, 125)
    white, white_side = (250, 250, 250), (170, 180, 200)
    band, band_side = (40, 90, 210), (20, 50, 140)
    dx, dy = 2, 1
    # Top face runs lower-left (rubbing end) to upper-right; depth goes down.
    a, b, c, d = (2, 13), (13, 2), (18, 6), (7, 17)
    depth = 4

    def lerp(p, q, t):
        return (p[0] + (q[0] - p[0]) * t, p[1] + (q[1] - p[1]) * t)

    def down(p):
        return (p[0], p[1] + depth)

    def sh(pts):
        return [(x + dx, y + dy) for x, y in pts]

    cuts = [(0.0, 0.5, pink_top, pink_side), (0.5, 0.62, band, band_side),
            (0.62, 1.0, white, white_side)]
    for t0, t1, top, side in cuts:
        p0, p1 = lerp(a, b, t0), lerp(a, b, t1)
        q0, q1 = lerp(d, c, t0), lerp(d, c, t1)
        cv.polygon(sh([q0, q1, down(q1), down(q0)]), fill=side, outline=BLACK)
        cv.polygon(sh([p0, p1, q1, q0]), fill=top, outline=BLACK)
    # The end face that does the rubbing.
    cv.polygon(sh([a, d, down(d), down(a)]), fill=pink, outline=BLACK)
    # Crumbs left behind.
    for x, y in ((1, 20), (3, 21), (6, 20)):
        cv.put(x, y, (150, 110, 120))
    return cv


def pic_delete():
    cv = Canvas(PIC, PIC)
    body, rib, lid, hi = (110, 130, 160), (70, 85, 110), (90, 105, 135), (190, 205, 225)
    # Handle.
    cv.rect(8, 1, 13, 3, BLACK)
    cv.rect(9, 2, 12, 3, None)
    # Bin body, wider at the top.
    cv.polygon([(4, 7), (17, 7), (15, 20), (6, 20)], fill=body, outline=BLACK)
    for tx, bx in ((7.5, 8.5), (10.5, 10.5), (13.5, 12.5)):
        cv.line(tx, 9, bx, 18, rib)
    cv.line(5, 8, 6, 18, hi)
    # Lid on top of the body.
    cv.rect(2, 4, 19, 7, BLACK)
    cv.rect(3, 5, 18, 6, lid)
    cv.line(3, 5, 18, 5, hi)
    return cv


def pic_edit_func():
    cv = Canvas(PIC, PIC)
    gold, edge = (255, 220, 0), (176, 112, 0)
    # Wand: black shaft, white tip at the top.
    stick(cv, (2, 20), (14, 8), 1.6,
          [(0.0, 0.72, (24, 24, 24)), (0.72, 1.0, WHITE)])
    star(cv, 17, 5, 4, gold, edge)
    star(cv, 9, 3, 2, gold, edge)
    star(cv, 19, 14, 2, gold, edge)
    return cv


def pic_openeditor():
    cv = Canvas(PIC, PIC)
    cv.polygon([(1, 1), (12, 1), (16, 5), (16, 20), (1, 20)], fill=WHITE,
               outline=BLACK)
    cv.polygon([(12, 1), (12, 5), (16, 5)], fill=(200, 200, 200), outline=BLACK)
    for y in (5, 8, 11, 14, 17):
        cv.line(3, y, 10 if y == 5 else 13, y, (90, 120, 200))
    # Pencil across the page, writing towards the lower left.
    stick(cv, (7, 19), (20, 6), 2.4,
          [(0.0, 0.25, (235, 200, 150), 0.25),
           (0.25, 0.78, (255, 200, 0)),
           (0.78, 0.86, (170, 170, 170)),
           (0.86, 1.0, (240, 120, 140))])
    # Graphite point.
    cv.put(7, 19, BLACK)
    cv.put(8, 18, (60, 60, 60))
    return cv


BUTTONS = [
    ("BTN_FRM_NEW", pic_new),
    ("BTN_FRM_ERASER", pic_eraser),
    ("BTN_FRM_DELETE", pic_delete),
    ("BTN_FRM_EDIT_FUNC", pic_edit_func),
    ("BTN_FRM_OPENEDITOR", pic_openeditor),
]


def button_face(pressed):
    cv = Canvas(32, 32, FACE)
    n = 31
    if pressed:
        # Sunken: the shadow moves to the top/left, the light to the bottom/right.
        outer_tl, inner_tl, outer_br, inner_br = DKSHADOW, SHADOW, HILIGHT, LIGHT
    else:
        outer_tl, inner_tl, outer_br, inner_br = HILIGHT, LIGHT, DKSHADOW, SHADOW
    cv.line(0, 0, n, 0, outer_tl)
    cv.line(0, 0, 0, n, outer_tl)
    cv.line(1, 1, n - 1, 1, inner_tl)
    cv.line(1, 1, 1, n - 1, inner_tl)
    cv.line(0, n, n, n, outer_br)
    cv.line(n, 0, n, n, outer_br)
    cv.line(1, n - 1, n - 1, n - 1, inner_br)
    cv.line(n - 1, 1, n - 1, n - 1, inner_br)
    return cv


def focus_frame(cv):
    # A dotted rectangle, like the system focus cue, just inside the bevel.
    lo, hi = 3, 28
    for i in range(lo, hi + 1):
        if (i - lo) % 2 == 0:
            cv.put(i, lo, BLACK)
            cv.put(i, hi, BLACK)
            cv.put(lo, i, BLACK)
            cv.put(hi, i, BLACK)


def disabled(pic):
    """Greys a picture the way disabled controls are drawn: flat grey with a
    white relief at (+1, +1) so the shape stays recognisable."""
    out = Canvas(pic.w + 1, pic.h + 1)
    for y in range(pic.h):
        for x in range(pic.w):
            c = pic.pix[y][x]
            if c is None:
                continue
            lum = (299 * c[0] + 587 * c[1] + 114 * c[2]) // 1000
            if lum < 128 and pic.get(x + 1, y + 1) is None:
                out.put(x + 1, y + 1, WHITE)
    for y in range(pic.h):
        for x in range(pic.w):
            c = pic.pix[y][x]
            if c is None:
                continue
            lum = (299 * c[0] + 587 * c[1] + 114 * c[2]) // 1000
            g = 128 + lum * 88 // 255
            out.put(x, y, (g, g, g))
    return out


def make_buttons():
    off = (32 - PIC) // 2
    grey_palette = [(i, i, i) for i in range(256)]
    for name, draw in BUTTONS:
        pic = draw()
        up = button_face(False)
        up.blit(pic, off, off)
        write_bmp24(os.path.join(OUT_DIR, name + "U.bmp"), up)

        down = button_face(True)
        down.blit(pic, off + 1, off + 1)
        write_bmp24(os.path.join(OUT_DIR, name + "D.bmp"), down)

        focus = button_face(False)
        focus.blit(pic, off, off)
        focus_frame(focus)
        write_bmp24(os.path.join(OUT_DIR, name + "F.bmp"), focus)

        grey = button_face(False)
        grey.blit(disabled(pic), off, off)
        write_bmp8(os.path.join(OUT_DIR, name + "X.bmp"), grey,
                   palette=grey_palette)


# ---------------------------------------------------------------------------
# Folder buttons
# ---------------------------------------------------------------------------

def folder(number):
    cv = Canvas(32, 32, FACE)
    edge = (120, 84, 16)
    back, front, front_hi = (214, 168, 64), (248, 208, 104), (255, 234, 160)
    cv.polygon([(2, 27), (2, 4), (4, 2), (11, 2), (13, 5), (29, 5), (29, 27)],
               fill=back, outline=edge)
    # A sheet of paper peeking out makes it read as a folder, not a box.
    cv.rect(5, 7, 26, 12, WHITE)
    cv.frame(5, 7, 26, 12, (150, 150, 150))
    cv.polygon([(1, 10), (30, 10), (30, 29), (1, 29)], fill=front, outline=edge)
    cv.line(2, 11, 29, 11, front_hi)
    cv.line(2, 12, 2, 28, front_hi)
    cv.line(2, 28, 29, 28, (224, 180, 80))
    cv.line(29, 12, 29, 28, (224, 180, 80))
    cv.text(str(number), 12, 15, (48, 28, 0))
    return cv


def make_folders():
    for n in range(1, 6):
        write_bmp8(os.path.join(OUT_DIR, "folder%d.bmp" % n), folder(n))


# ---------------------------------------------------------------------------
# Notepad with pen: tool picture and panel icon
# ---------------------------------------------------------------------------

RICH = {
    "page": (255, 250, 205), "line": (110, 150, 220), "margin": (230, 70, 70),
    "bind": (50, 60, 160), "ring": (210, 210, 220), "edge": BLACK,
    "shade": (220, 210, 150),
    "nib": (200, 200, 210), "body": (210, 30, 40), "band": (255, 200, 0),
    "cap": (30, 30, 40),
}
ICON = {
    "page": V_WHITE, "line": V_BLUE, "margin": V_RED, "bind": V_NAVY,
    "ring": V_SILVER, "edge": V_BLACK, "shade": V_SILVER,
    "nib": V_SILVER, "body": V_RED, "band": V_YELLOW, "cap": V_BLACK,
}


def notepad32(c):
    cv = Canvas(32, 32)
    x0, y0, x1, y1 = 3, 4, 23, 30
    cv.rect(x0 + 1, y0 + 1, x1 + 1, y1 + 1, c["edge"])     # stack beneath
    cv.rect(x0, y0, x1, y1, c["page"])
    cv.frame(x0, y0, x1, y1, c["edge"])
    cv.line(x0 + 1, y1 - 1, x1 - 1, y1 - 1, c["shade"])
    cv.rect(x0, y0, x1, y0 + 4, c["bind"])
    cv.frame(x0, y0, x1, y0 + 4, c["edge"])
    for x in range(x0 + 3, x1 - 1, 4):
        cv.rect(x, y0 - 2, x + 1, y0 + 2, c["ring"])
        cv.put(x, y0 - 3, c["edge"])
        cv.put(x + 1, y0 - 3, c["edge"])
        cv.line(x - 1, y0 - 2, x - 1, y0 + 1, c["edge"])
        cv.line(x + 2, y0 - 2, x + 2, y0 + 1, c["edge"])
    for y in range(y0 + 8, y1 - 1, 3):
        cv.line(x0 + 1, y, x1 - 1, y, c["line"])
    cv.line(x0 + 4, y0 + 5, x0 + 4, y1 - 2, c["margin"])
    stick(cv, (13, 25), (29, 9), 2.6,
          [(0.0, 0.22, c["nib"], 0.22),
           (0.22, 0.72, c["body"]),
           (0.72, 0.78, c["band"]),
           (0.78, 1.0, c["cap"])], outline=c["edge"])
    cv.put(13, 25, c["edge"])
    return cv


def notepad16(c):
    cv = Canvas(16, 16)
    x0, y0, x1, y1 = 1, 2, 11, 15
    cv.rect(x0, y0, x1, y1, c["page"])
    cv.frame(x0, y0, x1, y1, c["edge"])
    cv.rect(x0, y0, x1, y0 + 2, c["bind"])
    cv.frame(x0, y0, x1, y0 + 2, c["edge"])
    for x in (3, 6, 9):
        cv.line(x, y0 - 2, x, y0 + 1, c["ring"])
        cv.put(x, y0 - 2, c["edge"])
    for y in (6, 9, 12):
        cv.line(x0 + 1, y, x1 - 1, y, c["line"])
    cv.line(x0 + 2, y0 + 3, x0 + 2, y1 - 1, c["margin"])
    # At this size the pen is a 45-degree band: along it x - y grows, across
    # it x + y is constant, so both are easy to colour exactly.
    for y in range(16):
        for x in range(16):
            s, a = x + y, x - y
            if not (18 <= s <= 21 and -9 <= a <= 9):
                continue
            if s in (18, 21) and a < -7 + (s == 21):
                continue
            if s in (18, 21) or a >= 8 or a == -9:
                col = c["edge"]
            elif a <= -6:
                col = c["nib"]
            elif a <= 3:
                col = c["body"]
            elif a <= 5:
                col = c["band"]
            else:
                col = c["cap"]
            cv.put(x, y, col)
    return cv


def make_tool():
    pic = notepad32(RICH)
    # Black under the transparent areas lets the picture be ORed onto a
    # background that was first cleared through the mask.
    write_bmp8(os.path.join(OUT_DIR, "tool.bmp"), pic, background=BLACK)
    write_bmp1(os.path.join(OUT_DIR, "toolmask.bmp"),
               [[c is not None for c in row] for row in pic.pix], pic.w, pic.h)


# ---------------------------------------------------------------------------
# Read-only padlock
# ---------------------------------------------------------------------------

def padlock32():
    cv = Canvas(32, 32)
    cx, cy = 15.5, 14.0
    r_out, r_in = 9.0, 5.0
    for y in range(0, 20):
        for x in range(32):
            if y <= cy:
                d = math.hypot(x - cx, y - cy)
            else:
                d = abs(x - cx)
            if r_in <= d <= r_out:
                if d > r_out - 1 or d < r_in + 1:
                    col = V_BLACK
                elif d > r_out - 2.2 and x < cx:
                    col = V_WHITE
                elif d < r_in + 2 and x > cx:
                    col = V_GREY
                else:
                    col = V_SILVER
                cv.put(x, y, col)
    cv.rect(4, 16, 27, 30, V_YELLOW)
    cv.line(5, 17, 26, 17, V_WHITE)
    cv.line(5, 17, 5, 29, V_WHITE)
    cv.line(6, 29, 26, 29, V_OLIVE)
    cv.line(26, 18, 26, 29, V_OLIVE)
    cv.frame(4, 16, 27, 30, V_BLACK)
    cv.disc(15.5, 20.5, 2.5, V_BLACK)
    cv.polygon([(15, 21), (16, 21), (17, 26), (14, 26)], fill=V_BLACK,
               outline=V_BLACK)
    return cv


def padlock16():
    # The 32-pixel padlock redrawn for a small button: the toggle is 25 pixels
    # square, and the larger picture would be clipped there.
    cv = Canvas(16, 16)
    cx, cy = 7.5, 5.5
    r_out, r_in = 4.6, 1.7
    for y in range(0, 9):
        for x in range(16):
            d = math.hypot(x - cx, y - cy) if y <= cy else abs(x - cx)
            if r_in <= d <= r_out:
                if d > r_out - 1 or d < r_in + 1:
                    col = V_BLACK
                elif x < cx:
                    col = V_WHITE
                else:
                    col = V_SILVER
                cv.put(x, y, col)
    cv.rect(2, 8, 13, 15, V_YELLOW)
    cv.line(3, 9, 12, 9, V_WHITE)
    cv.line(3, 9, 3, 14, V_WHITE)
    cv.line(12, 10, 12, 14, V_OLIVE)
    cv.line(4, 14, 12, 14, V_OLIVE)
    cv.frame(2, 8, 13, 15, V_BLACK)
    cv.rect(7, 10, 8, 12, V_BLACK)
    return cv


def make_icons():
    write_ico(os.path.join(OUT_DIR, "panel.ico"),
              [notepad32(ICON), notepad16(ICON)])
    write_ico(os.path.join(OUT_DIR, "readonly.ico"), [padlock32(), padlock16()])


def main():
    os.makedirs(OUT_DIR, exist_ok=True)
    make_buttons()
    make_folders()
    make_tool()
    make_icons()
    return 0


if __name__ == "__main__":
    sys.exit(main())
