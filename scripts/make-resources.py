#!/usr/bin/env python3
"""Draws the programs' icons and tool-bar glyphs and writes them into resources/.

    python3 scripts/make-resources.py [OUTDIR]

Plain Python, no imaging library: the pictures are drawn from a few shapes and written as
Windows .ico (32-bit with alpha plus an AND mask, 16x16 and 32x32) and .bmp (24-bit) files.
The output is committed; run this again only after changing a drawing.
"""
import os
import struct
import sys

TRANSPARENT = None
MAGENTA = (255, 0, 255)  # the tool-bar strip's mask colour


class Canvas:
    def __init__(self, w, h, fill=TRANSPARENT):
        self.w, self.h = w, h
        self.px = [[fill] * w for _ in range(h)]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, c):  # inclusive corners, filled
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, c)

    def frame(self, x0, y0, x1, y1, c):
        for x in range(x0, x1 + 1):
            self.set(x, y0, c)
            self.set(x, y1, c)
        for y in range(y0, y1 + 1):
            self.set(x0, y, c)
            self.set(x1, y, c)

    def line(self, x0, y0, x1, y1, c):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.set(x0, y0, c)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def disc(self, cx, cy, r, c):
        for y in range(int(cy - r) - 1, int(cy + r) + 2):
            for x in range(int(cx - r) - 1, int(cx + r) + 2):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                    self.set(x, y, c)

    def ring(self, cx, cy, r, c, width=1.0):
        for y in range(int(cy - r) - 1, int(cy + r) + 2):
            for x in range(int(cx - r) - 1, int(cx + r) + 2):
                d = ((x - cx) ** 2 + (y - cy) ** 2) ** 0.5
                if r - width <= d <= r:
                    self.set(x, y, c)

    def poly(self, pts, c):  # filled, even-odd rule, sampled at pixel centres
        n = len(pts)
        for y in range(self.h):
            yc = y + 0.5
            xs = []
            for i in range(n):
                (x0, y0), (x1, y1) = pts[i], pts[(i + 1) % n]
                if (y0 <= yc < y1) or (y1 <= yc < y0):
                    xs.append(x0 + (yc - y0) * (x1 - x0) / (y1 - y0))
            xs.sort()
            for a, b in zip(xs[::2], xs[1::2]):
                for x in range(self.w):
                    if a <= x + 0.5 < b:
                        self.set(x, y, c)

    def blit(self, other, ox, oy):
        for y in range(other.h):
            for x in range(other.w):
                if other.px[y][x] is not TRANSPARENT:
                    self.set(ox + x, oy + y, other.px[y][x])


# Colours
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
GREY = (128, 128, 128)
LIGHT = (200, 200, 200)
NAVY = (24, 48, 120)
BLUE = (40, 96, 200)
SKY = (150, 190, 240)
RED = (200, 32, 32)
GREEN = (32, 140, 48)
YELLOW = (240, 200, 40)
ORANGE = (230, 120, 20)
BROWN = (140, 80, 30)
RUST = (180, 90, 40)


# --- icons -------------------------------------------------------------------------------

def kestrel_icon(size, ground, accent, badge=None):
    """An envelope on a rounded tile with a kestrel's head in profile on it."""
    s = size / 32.0
    c = Canvas(size, size)
    # tile
    r = 5 * s
    c.poly([(r, 0), (size - r, 0), (size, r), (size, size - r), (size - r, size), (r, size),
            (0, size - r), (0, r)], ground)
    # envelope
    ex0, ey0, ex1, ey1 = round(4 * s), round(9 * s), round(27 * s), round(26 * s)
    c.rect(ex0, ey0, ex1, ey1, WHITE)
    c.frame(ex0, ey0, ex1, ey1, NAVY)
    c.line(ex0, ey0, (ex0 + ex1) // 2, round(18 * s), NAVY)
    c.line(ex1, ey0, (ex0 + ex1) // 2 + 1, round(18 * s), NAVY)
    # kestrel head: round head, hooked beak, dark "moustache" stripe
    hx, hy = 21 * s, 13 * s
    c.disc(hx, hy, 7.5 * s, RUST)
    c.poly([(hx + 6.5 * s, hy - 2 * s), (hx + 11 * s, hy + 0.5 * s), (hx + 8 * s, hy + 4 * s),
            (hx + 6 * s, hy + 2 * s)], YELLOW if size >= 32 else accent)
    c.disc(hx + 3 * s, hy - 1.5 * s, max(1.0, 1.6 * s), BLACK)
    if size >= 32:
        c.line(round(hx + 2 * s), round(hy + 1 * s), round(hx + 1 * s), round(hy + 6 * s), BLACK)
        c.line(round(hx + 3 * s), round(hy + 1 * s), round(hx + 2 * s), round(hy + 6 * s), BLACK)
    if badge:
        badge(c, s)
    return c


def pencil_badge(c, s):
    pts = [(3 * s, 29 * s), (5 * s, 23 * s), (20 * s, 8 * s), (24 * s, 12 * s), (9 * s, 27 * s)]
    c.poly(pts, YELLOW)
    c.poly([(3 * s, 29 * s), (5 * s, 23 * s), (9 * s, 27 * s)], BROWN)
    c.poly([(20 * s, 8 * s), (22 * s, 6 * s), (26 * s, 10 * s), (24 * s, 12 * s)], RED)


def gear_badge(c, s):
    cx, cy = 24 * s, 24 * s
    c.disc(cx, cy, 7 * s, GREY)
    for dx, dy in ((0, -1), (0, 1), (-1, 0), (1, 0), (0.7, 0.7), (-0.7, 0.7), (0.7, -0.7),
                   (-0.7, -0.7)):
        c.disc(cx + dx * 7 * s, cy + dy * 7 * s, 1.8 * s, GREY)
    c.disc(cx, cy, 2.5 * s, WHITE)


# --- tool-bar glyphs (16x16, in the order of the buttons) --------------------------------

def g():
    return Canvas(16, 16)


def floppy(c):
    c.rect(1, 1, 14, 14, NAVY)
    c.rect(4, 1, 11, 6, LIGHT)
    c.rect(9, 2, 10, 5, NAVY)
    c.rect(3, 9, 12, 14, WHITE)
    c.line(4, 11, 11, 11, GREY)
    c.line(4, 13, 11, 13, GREY)


def arrow_left(c, y, x0=2, x1=13, col=BLUE):
    c.poly([(x0, y + 0.5), (x0 + 5, y - 4.5), (x0 + 5, y - 1.5), (x1 + 1, y - 1.5),
            (x1 + 1, y + 2.5), (x0 + 5, y + 2.5), (x0 + 5, y + 5.5)], col)


def arrow_right(c, y, x0=2, x1=13, col=BLUE):
    c.poly([(x1 + 1, y + 0.5), (x1 - 4, y - 4.5), (x1 - 4, y - 1.5), (x0, y - 1.5),
            (x0, y + 2.5), (x1 - 4, y + 2.5), (x1 - 4, y + 5.5)], col)


def triangle_up(c, y, col=BLUE):
    c.poly([(8, y), (14, y + 6), (2, y + 6)], col)


def triangle_down(c, y, col=BLUE):
    c.poly([(2, y), (14, y), (8, y + 6)], col)


def letter(c):
    c.rect(1, 3, 14, 12, WHITE)
    c.frame(1, 3, 14, 12, NAVY)
    c.line(1, 3, 7, 8, NAVY)
    c.line(14, 3, 8, 8, NAVY)


def star(c, x, y, col=YELLOW):
    c.line(x - 2, y, x + 2, y, col)
    c.line(x, y - 2, x, y + 2, col)
    c.set(x - 1, y - 1, col)
    c.set(x + 1, y + 1, col)
    c.set(x - 1, y + 1, col)
    c.set(x + 1, y - 1, col)


def page(c, x0, y0, x1, y1):
    c.rect(x0, y0, x1, y1, WHITE)
    c.frame(x0, y0, x1, y1, GREY)
    for y in range(y0 + 2, y1 - 1, 2):
        c.line(x0 + 2, y, x1 - 2, y, LIGHT)


def glyph_save_quit():
    c = g()
    floppy(c)
    c.poly([(9, 7), (15, 11.5), (9, 16)], GREEN)
    return c


def glyph_save():
    c = g()
    floppy(c)
    return c


def glyph_print():
    c = g()
    c.rect(4, 1, 11, 6, WHITE)
    c.frame(4, 1, 11, 6, GREY)
    c.rect(1, 6, 14, 12, LIGHT)
    c.frame(1, 6, 14, 12, BLACK)
    c.set(12, 8, GREEN)
    c.rect(4, 10, 11, 15, WHITE)
    c.frame(4, 10, 11, 15, GREY)
    return c


def glyph_header():
    c = g()
    page(c, 2, 1, 13, 14)
    c.rect(4, 3, 11, 6, SKY)
    c.line(5, 3, 5, 6, NAVY)
    c.line(8, 3, 8, 6, NAVY)
    c.line(5, 4, 8, 4, NAVY)
    return c


def glyph_reply():
    c = g()
    letter(c)
    arrow_left(c, 11, 1, 10, GREEN)
    return c


def glyph_reply_all():
    c = g()
    letter(c)
    arrow_left(c, 10, 0, 8, GREEN)
    arrow_left(c, 10, 5, 13, GREEN)
    return c


def glyph_reply_later():
    c = g()
    c.disc(7.5, 7.5, 7, NAVY)
    c.disc(7.5, 7.5, 5.8, WHITE)
    c.line(7, 3, 7, 7, BLACK)
    c.line(7, 7, 10, 9, BLACK)
    return c


def glyph_forward():
    c = g()
    letter(c)
    arrow_right(c, 11, 5, 14, ORANGE)
    return c


def glyph_delete():
    c = g()
    for d in (0, 1):
        c.line(2 + d, 2, 13 + d - 1, 13, RED)
        c.line(13 - d, 2, 2 - d + 1, 13, RED)
        c.line(2, 2 + d, 13, 13 + d - 1, RED)
        c.line(13, 2 + d, 2, 13 + d - 1, RED)
    return c


def glyph_prev():
    c = g()
    page(c, 3, 8, 12, 15)
    triangle_up(c, 1)
    return c


def glyph_next():
    c = g()
    page(c, 3, 0, 12, 7)
    triangle_down(c, 9)
    return c


def glyph_page_up():
    c = g()
    triangle_up(c, 1)
    triangle_up(c, 8)
    return c


def glyph_page_down():
    c = g()
    triangle_down(c, 1)
    triangle_down(c, 8)
    return c


def glyph_prev_new():
    c = g()
    triangle_up(c, 1, GREEN)
    c.rect(2, 9, 13, 15, WHITE)
    c.frame(2, 9, 13, 15, NAVY)
    star(c, 12, 4)
    return c


def glyph_next_new():
    c = g()
    c.rect(2, 0, 13, 6, WHITE)
    c.frame(2, 0, 13, 6, NAVY)
    triangle_down(c, 9, GREEN)
    star(c, 12, 12)
    return c


def glyph_cut():
    c = g()
    c.line(5, 1, 10, 10, GREY)
    c.line(10, 1, 5, 10, GREY)
    c.ring(4, 12, 3, RED, 1.3)
    c.ring(11, 12, 3, RED, 1.3)
    return c


def glyph_copy():
    c = g()
    page(c, 1, 1, 9, 11)
    page(c, 6, 4, 14, 14)
    return c


def glyph_paste():
    c = g()
    c.rect(1, 2, 10, 14, BROWN)
    c.rect(4, 1, 7, 3, LIGHT)
    page(c, 6, 6, 14, 15)
    return c


def glyph_find_next():
    c = g()
    c.ring(6, 6, 5, NAVY, 1.5)
    c.disc(6, 6, 3.6, SKY)
    for d in (0, 1):
        c.line(9 + d, 10, 13 + d, 14, BROWN)
    return c


def glyph_web():
    c = g()
    c.disc(7.5, 7.5, 7, BLUE)
    c.poly([(4, 3), (8, 2), (9, 5), (6, 8), (7, 11), (4, 10), (2, 6)], GREEN)
    c.poly([(10, 8), (13, 7), (13, 11), (10, 13)], GREEN)
    return c


def glyph_mail_to():
    c = g()
    letter(c)
    return c


def glyph_address_book():
    c = g()
    c.rect(3, 1, 13, 14, NAVY)
    c.rect(5, 2, 13, 13, SKY)
    c.rect(2, 3, 4, 4, GREY)
    c.rect(2, 7, 4, 8, GREY)
    c.rect(2, 11, 4, 12, GREY)
    c.disc(9, 6, 2, NAVY)
    c.poly([(6, 12), (7, 9), (11, 9), (12, 12)], NAVY)
    return c


GLYPHS = [
    ("save_quit", glyph_save_quit), ("save", glyph_save), ("print", glyph_print),
    ("header", glyph_header), ("reply", glyph_reply), ("reply_all", glyph_reply_all),
    ("reply_later", glyph_reply_later), ("forward", glyph_forward), ("delete", glyph_delete),
    ("prev_mail", glyph_prev), ("next_mail", glyph_next), ("page_up", glyph_page_up),
    ("page_down", glyph_page_down), ("prev_new", glyph_prev_new), ("next_new", glyph_next_new),
    ("cut", glyph_cut), ("copy", glyph_copy), ("paste", glyph_paste),
    ("find_next", glyph_find_next), ("web_browser", glyph_web), ("mail_to", glyph_mail_to),
    ("address_book", glyph_address_book),
]


# --- file formats ------------------------------------------------------------------------

def bmp24(canvas, background=MAGENTA):
    w, h = canvas.w, canvas.h
    stride = (w * 3 + 3) & ~3
    rows = []
    for y in range(h - 1, -1, -1):
        row = bytearray()
        for x in range(w):
            r, gg, b = canvas.px[y][x] or background
            row += bytes((b, gg, r))
        row += b"\0" * (stride - len(row))
        rows.append(bytes(row))
    data = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(data), 0, 0, 14 + len(info))
    return head + info + data


def ico(canvases):
    images = []
    for c in canvases:
        w, h = c.w, c.h
        xor = bytearray()
        for y in range(h - 1, -1, -1):
            for x in range(w):
                p = c.px[y][x]
                xor += bytes((p[2], p[1], p[0], 255)) if p else b"\0\0\0\0"
        mstride = ((w + 31) // 32) * 4
        mask = bytearray()
        for y in range(h - 1, -1, -1):
            row = bytearray(mstride)
            for x in range(w):
                if c.px[y][x] is None:
                    row[x // 8] |= 0x80 >> (x % 8)
            mask += row
        info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0,
                           0)
        images.append((w, h, info + bytes(xor) + bytes(mask)))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for w, h, data in images:
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, _, data in images:
        out += data
    return out


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)
    print(path)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "resources")
    os.makedirs(out, exist_ok=True)
    icons = {
        "kestrel.ico": (BLUE, YELLOW, None),
        "kestrel_edit.ico": (GREEN, YELLOW, pencil_badge),
        "kestrel_alt.ico": (ORANGE, YELLOW, None),
        "kestrelset.ico": (NAVY, YELLOW, gear_badge),
    }
    for name, (ground, accent, badge) in icons.items():
        write(os.path.join(out, name),
              ico([kestrel_icon(size, ground, accent, badge) for size in (32, 16)]))
    strip = Canvas(16 * len(GLYPHS), 16)
    for i, (_, draw) in enumerate(GLYPHS):
        strip.blit(draw(), 16 * i, 0)
    write(os.path.join(out, "toolbar.bmp"), bmp24(strip))


if __name__ == "__main__":
    main()
