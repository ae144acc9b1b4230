#!/usr/bin/python3
"""Draws the editor window's pictures and writes them as PNG files.

Run from anywhere:  /usr/bin/python3 editor/pictures/make_pictures.py
Needs Pillow (Debian: python3-pil). Every shape is drawn several times larger
than its final size and shrunk with a box filter, which gives clean
antialiased edges; coordinates below are in final pixels.
"""

import math
import os
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
RES = os.path.join(ROOT, "Res")


# ---------------------------------------------------------------- colours

def rgb(code, alpha=255):
    code = code.lstrip("#")
    return (int(code[0:2], 16), int(code[2:4], 16), int(code[4:6], 16), alpha)


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(4))


def ramp(stops, t):
    """Colour at t (0..1) along a list of (position, colour) stops."""
    t = min(max(t, 0.0), 1.0)
    for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
        if t <= p1:
            return mix(c0, c1, 0.0 if p1 == p0 else (t - p0) / (p1 - p0))
    return stops[-1][1]


GREEN = {
    "rim": rgb("#17602a"),
    "top": rgb("#9be38f"),
    "mid": rgb("#4fb85a"),
    "bottom": rgb("#23853a"),
    "glow": rgb("#b8f0a8"),
    "ink": rgb("#0f4a1f"),
}
RED = {
    "rim": rgb("#7d1414"),
    "top": rgb("#ff9d8f"),
    "mid": rgb("#e4473c"),
    "bottom": rgb("#b51f1f"),
    "glow": rgb("#ffc0b0"),
    "ink": rgb("#5e0c0c"),
}
GOLD = {
    "edge": rgb("#7a5606"),
    "top": rgb("#f9e07a"),
    "mid": rgb("#d4a017"),
    "bottom": rgb("#a87a0a"),
    "shine": rgb("#fff6c8"),
    "hole": rgb("#4e3600"),
    "bar_light": rgb("#e6b92e"),
    "bar_dark": rgb("#9c720c"),
}
GREY = {
    "edge": rgb("#4d4d4d"),
    "top": rgb("#c4c4c4"),
    "mid": rgb("#9a9a9a"),
    "bottom": rgb("#767676"),
    "shine": rgb("#eeeeee"),
    "hole": rgb("#3a3a3a"),
    "bar_light": rgb("#b4b4b4"),
    "bar_dark": rgb("#7c7c7c"),
}


# ---------------------------------------------------------------- canvas

class Canvas:
    """A picture drawn at `ss` times its size; all coordinates in final pixels."""

    def __init__(self, w, h, ss=8):
        self.w, self.h, self.ss = w, h, ss
        self.size = (w * ss, h * ss)
        self.img = Image.new("RGBA", self.size, (0, 0, 0, 0))

    # -- shapes, returned as large 8-bit masks
    def mask(self):
        return Image.new("L", self.size, 0)

    def _box(self, x0, y0, x1, y1):
        s = self.ss
        return [x0 * s, y0 * s, x1 * s - 1, y1 * s - 1]

    def rect(self, x0, y0, x1, y1, radius=0.0):
        m = self.mask()
        d = ImageDraw.Draw(m)
        if radius > 0:
            d.rounded_rectangle(self._box(x0, y0, x1, y1), radius=radius * self.ss, fill=255)
        else:
            d.rectangle(self._box(x0, y0, x1, y1), fill=255)
        return m

    def disc(self, cx, cy, r):
        m = self.mask()
        ImageDraw.Draw(m).ellipse(self._box(cx - r, cy - r, cx + r, cy + r), fill=255)
        return m

    def polygon(self, points):
        m = self.mask()
        s = self.ss
        # a large pixel i is centred on i, so an edge at final x lies at x * s - 0.5
        ImageDraw.Draw(m).polygon([(x * s - 0.5, y * s - 0.5) for x, y in points], fill=255)
        return m

    def ring_arc(self, cx, cy, r_out, width, start, end):
        """Band of a circle between angles (degrees, clockwise from 3 o'clock)."""
        m = self.mask()
        ImageDraw.Draw(m).arc(self._box(cx - r_out, cy - r_out, cx + r_out, cy + r_out),
                              start, end, fill=255, width=int(round(width * self.ss)))
        return m

    def line(self, points, width):
        m = self.mask()
        s = self.ss
        ImageDraw.Draw(m).line([(x * s - 0.5, y * s - 0.5) for x, y in points], fill=255,
                               width=int(round(width * s)), joint="curve")
        return m

    # -- mask arithmetic
    @staticmethod
    def union(*masks):
        out = masks[0]
        for m in masks[1:]:
            out = ImageChops.lighter(out, m)
        return out

    @staticmethod
    def intersect(a, b):
        return ImageChops.multiply(a, b)

    @staticmethod
    def minus(a, b):
        return ImageChops.subtract(a, b)

    def grow(self, m, r):
        """Mask widened by r final pixels (rounded corners)."""
        sigma = r * self.ss / 2.05
        blurred = m.filter(ImageFilter.GaussianBlur(sigma))
        return blurred.point(lambda v: 255 if v > 5 else 0)

    def shrink(self, m, r):
        return ImageChops.invert(self.grow(ImageChops.invert(m), r))

    # -- paints: smooth colour fields, sampled at final resolution and enlarged
    def field(self, fn):
        small = Image.new("RGBA", (self.w, self.h))
        small.putdata([tuple(int(round(c)) for c in fn(x + 0.5, y + 0.5))
                       for y in range(self.h) for x in range(self.w)])
        return small.resize(self.size, Image.BILINEAR)

    def vertical(self, y0, y1, stops):
        column = Image.new("RGBA", (1, self.size[1]))
        column.putdata([tuple(int(round(c)) for c in
                              ramp(stops, ((y + 0.5) / self.ss - y0) / max(y1 - y0, 1e-6)))
                        for y in range(self.size[1])])
        return column.resize(self.size, Image.NEAREST)

    # -- painting
    def fill(self, mask, paint, opacity=1.0):
        if isinstance(paint, tuple):
            layer = Image.new("RGBA", self.size, tuple(int(c) for c in paint))
        else:
            layer = paint.copy()
        alpha = ImageChops.multiply(layer.getchannel("A"), mask)
        if opacity < 1.0:
            alpha = alpha.point(lambda v: int(v * opacity + 0.5))
        layer.putalpha(alpha)
        self.img.alpha_composite(layer)

    def erase(self, mask):
        """Cuts the mask out of everything drawn so far."""
        alpha = ImageChops.multiply(self.img.getchannel("A"), ImageChops.invert(mask))
        self.img.putalpha(alpha)

    def shadow(self, mask, dx, dy, blur, opacity):
        moved = ImageChops.offset(mask, int(round(dx * self.ss)), int(round(dy * self.ss)))
        soft = moved.filter(ImageFilter.GaussianBlur(blur * self.ss))
        self.fill(soft, (0, 0, 0, 255), opacity)

    def result(self):
        return self.img.resize((self.w, self.h), Image.BOX)


def save(img, path, opaque=False):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    if opaque:
        img = img.convert("RGB")
    img.save(path, "PNG", optimize=True)
    print("wrote", os.path.relpath(path, ROOT), "%dx%d" % img.size)


# ---------------------------------------------------------------- round buttons

def round_button(w, h, palette, symbol):
    """Glossy round button; `symbol(canvas, cx, cy, k)` returns the white mark's mask.

    Geometry is laid out for a 48 px button and scaled by k for other sizes.
    """
    k = min(w, h + 1) / 48.0
    ss = 8 if k < 2 else 4
    c = Canvas(w, h, ss)
    cx, cy, r = w / 2.0, 23.0 * k, 22.0 * k

    body = c.disc(cx, cy, r)
    c.shadow(body, 0, 1.0 * k, 1.0 * k, 0.35)
    c.fill(body, palette["rim"])

    face_r = r - 1.5 * k
    face = c.disc(cx, cy, face_r)
    top, bottom = cy - face_r, cy + face_r
    c.fill(face, c.vertical(top, bottom, [(0.0, palette["top"]), (0.5, palette["mid"]),
                                          (1.0, palette["bottom"])]))

    # light thrown back up from below, as through coloured glass
    glow_cx, glow_cy, glow_r = cx, cy + face_r * 0.85, face_r * 1.0
    glow = palette["glow"]

    def bounce(x, y):
        d = math.hypot((x - glow_cx) / glow_r, (y - glow_cy) / (glow_r * 0.7))
        return glow[:3] + (max(0.0, 1.0 - d) ** 1.5 * 150,)
    c.fill(face, c.field(bounce))

    # glossy cap over the upper half
    hl_w, hl_h = face_r * 1.56, face_r * 1.0
    hl_top = top + 1.0 * k
    cap = c.intersect(c.rect(cx - hl_w / 2, hl_top, cx + hl_w / 2, hl_top + hl_h, radius=hl_h / 2), face)
    c.fill(cap, c.vertical(hl_top, hl_top + hl_h, [(0.0, (255, 255, 255, 175)),
                                                  (1.0, (255, 255, 255, 20))]))

    mark = symbol(c, cx, cy, k)
    outline = c.grow(mark, 1.0 * k)
    c.shadow(outline, 0, 0.7 * k, 0.6 * k, 0.30)
    c.fill(outline, palette["ink"])
    c.fill(mark, (255, 255, 255, 255))
    return c.result()


def arrow_left(c, cx, cy, k, direction=-1):
    half_len, head_len, head_half, shaft_half = 12.5 * k, 11.5 * k, 10.5 * k, 4.0 * k
    tip = cx + direction * half_len
    base = tip - direction * head_len
    tail = cx - direction * half_len
    pts = [(tip, cy), (base, cy - head_half), (base, cy - shaft_half), (tail, cy - shaft_half),
           (tail, cy + shaft_half), (base, cy + shaft_half), (base, cy + head_half)]
    return c.polygon(pts)


def arrow_right(c, cx, cy, k):
    return arrow_left(c, cx, cy, k, direction=+1)


def plus_points(cx, cy, arm, half, angle=0.0):
    raw = [(-half, -arm), (half, -arm), (half, -half), (arm, -half), (arm, half), (half, half),
           (half, arm), (-half, arm), (-half, half), (-arm, half), (-arm, -half), (-half, -half)]
    ca, sa = math.cos(math.radians(angle)), math.sin(math.radians(angle))
    return [(cx + x * ca - y * sa, cy + x * sa + y * ca) for x, y in raw]


def plus_mark(c, cx, cy, k):
    return c.polygon(plus_points(cx, cy, 11.0 * k, 4.0 * k))


def cross_mark(c, cx, cy, k):
    return c.polygon(plus_points(cx, cy, 11.5 * k, 3.8 * k, 45.0))


def sync_mark(c, cx, cy, k):
    """Two curved arrows chasing each other round a circle (clockwise)."""
    radius, stroke = 11.0 * k, 5.2 * k
    head_half, head_sweep = 6.0 * k, 40.0
    r_out = radius + stroke / 2
    parts = []
    for start in (190.0, 10.0):
        end = start + 105.0
        parts.append(c.ring_arc(cx, cy, r_out, stroke, start, end + 1.0))
        # isosceles head: its base is square to the chord from the band end to the tip
        a_end, a_tip = math.radians(end), math.radians(end + head_sweep)
        a_mid = (a_end + a_tip) / 2
        hx, hy = cx + radius * math.cos(a_end), cy + radius * math.sin(a_end)
        ux, uy = math.cos(a_mid), math.sin(a_mid)
        parts.append(c.polygon([
            (hx + head_half * ux, hy + head_half * uy),
            (cx + radius * math.cos(a_tip), cy + radius * math.sin(a_tip)),
            (hx - head_half * ux, hy - head_half * uy),
        ]))
    return c.union(*parts)


# ---------------------------------------------------------------- edit-mode switch

def switch_face(state):
    w, h, rad = 105, 27, 5.0
    c = Canvas(w, h, 8)
    outer = c.rect(0, 0, w, h, radius=rad)
    inner = c.rect(1, 1, w - 1, h - 1, radius=rad - 1)
    if state == "normal":
        rim = [(0.0, rgb("#767676")), (1.0, rgb("#3c3c3c"))]
        face = [(0.0, rgb("#4a4a4a")), (1.0, rgb("#1a1a1a"))]
    elif state == "hover":
        rim = [(0.0, rgb("#b4b4b4")), (1.0, rgb("#6e6e6e"))]
        face = [(0.0, rgb("#5c5c5c")), (1.0, rgb("#282828"))]
    else:
        rim = [(0.0, rgb("#3a3a3a")), (1.0, rgb("#5a5a5a"))]
        face = [(0.0, rgb("#101010")), (1.0, rgb("#2e2e2e"))]
    c.fill(outer, c.vertical(0, h, rim))
    c.fill(inner, c.vertical(1, h - 1, face))

    if state == "pressed":
        # pushed in: shade falls on the top edge inside the rim
        c.fill(c.intersect(inner, c.rect(0, 1, w, 2)), (0, 0, 0, 255), 0.75)
        c.fill(c.intersect(inner, c.rect(0, 2, w, 3)), (0, 0, 0, 255), 0.30)
    else:
        # faint sheen along the upper half and a crisp catch-light under the top rim
        sheen = c.intersect(inner, c.rect(0, 1, w, h / 2))
        c.fill(sheen, c.vertical(1, h / 2, [(0.0, (255, 255, 255, 34)), (1.0, (255, 255, 255, 6))]))
        c.fill(c.intersect(inner, c.rect(0, 1, w, 2)), (255, 255, 255, 255),
               0.22 if state == "normal" else 0.32)
    if state == "hover":
        # soft glow just inside the rim
        ring = c.minus(inner, c.rect(2, 2, w - 2, h - 2, radius=rad - 2))
        c.fill(c.intersect(inner, ring.filter(ImageFilter.GaussianBlur(0.5 * c.ss))), (235, 235, 235, 255), 0.16)
        c.fill(c.intersect(inner, c.rect(0, h - 2, w, h - 1)), (255, 255, 255, 255), 0.08)
    c.erase(ImageChops.invert(outer))
    return c.result()


# ---------------------------------------------------------------- padlocks

def padlock(size, palette, closed):
    """Padlock at 16 or 24 px; every straight edge sits on the pixel grid."""
    c = Canvas(size, size, 8)
    line = 1.0  # rim width
    if size == 16:
        if closed:
            body = (2, 7, 14, 15)
            bar_cx, bar_cy, bar_r, bar_t, bar_bottom = 8.0, 5.0, 4.0, 2.0, 7.5
            free_leg = None
        else:
            body = (1, 7, 13, 15)
            bar_cx, bar_cy, bar_r, bar_t, bar_bottom = 12.0, 4.0, 4.0, 2.0, 7.5
            free_leg = 5.5
        hole_r, slot_w, slot_len = 1.2, 1.0, 2.4
    else:
        if closed:
            body = (3, 11, 21, 22)
            bar_cx, bar_cy, bar_r, bar_t, bar_bottom = 12.0, 8.0, 6.0, 3.0, 11.5
            free_leg = None
        else:
            body = (1, 11, 19, 22)
            bar_cx, bar_cy, bar_r, bar_t, bar_bottom = 17.0, 7.0, 6.0, 3.0, 11.5
            free_leg = 9.0
        hole_r, slot_w, slot_len = 1.7, 1.4, 3.6

    # shackle: upper half ring plus two legs, the right one free when open
    r_in = bar_r - bar_t
    half_ring = c.intersect(c.minus(c.disc(bar_cx, bar_cy, bar_r), c.disc(bar_cx, bar_cy, r_in)),
                            c.rect(0, 0, size, bar_cy))
    left_leg = c.rect(bar_cx - bar_r, bar_cy - 0.01, bar_cx - r_in, bar_bottom)
    right_end = bar_bottom if free_leg is None else free_leg
    right_leg = c.rect(bar_cx + r_in, bar_cy - 0.01, bar_cx + bar_r, right_end)
    shackle = c.union(half_ring, left_leg, right_leg)
    c.fill(shackle, palette["edge"])
    core = c.shrink(shackle, line * 0.55)
    c.fill(core, c.field(lambda x, y: ramp([(0.0, palette["bar_light"]), (1.0, palette["bar_dark"])],
                                           (x - (bar_cx - bar_r)) / (2 * bar_r))))

    # body: dark rim, metal gradient, catch-light along the top
    x0, y0, x1, y1 = body
    outer = c.rect(x0, y0, x1, y1, radius=1.6 if size == 16 else 2.2)
    c.fill(outer, palette["edge"])
    face = c.rect(x0 + line, y0 + line, x1 - line, y1 - line, radius=0.8 if size == 16 else 1.3)
    c.fill(face, c.vertical(y0 + line, y1 - line, [(0.0, palette["top"]), (0.45, palette["mid"]),
                                                  (1.0, palette["bottom"])]))
    c.fill(c.intersect(face, c.rect(x0 + line, y0 + line, x1 - line, y0 + line + 1)), palette["shine"], 0.75)

    # keyhole
    kx = (x0 + x1) / 2.0
    ky = y0 + (y1 - y0) * (0.42 if size == 16 else 0.40)
    hole = c.union(c.disc(kx, ky, hole_r),
                   c.polygon([(kx - slot_w * 0.35, ky), (kx + slot_w * 0.35, ky),
                              (kx + slot_w / 2, ky + slot_len), (kx - slot_w / 2, ky + slot_len)]))
    c.fill(hole, palette["hole"])
    return c.result()


# ---------------------------------------------------------------- banner

def banner():
    w, h = 714, 350
    left, right = rgb("#0b4d1e"), rgb("#7fd18b")
    bayer = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]
    pixels = []
    for y in range(h):
        v = y / (h - 1)
        shade = 1.0 + 0.05 * (0.5 - v)  # a touch lighter along the top edge
        for x in range(w):
            u = x / (w - 1)
            t = u * u * (3 - 2 * u) * 0.35 + u * 0.65  # gentle ease, kept mostly linear
            col = mix(left, right, t)
            # broad, very faint diagonal sheen
            d = (u - 0.58) + (v - 0.5) * 0.35
            sheen = 0.055 * math.exp(-(d / 0.16) ** 2)
            dither = (bayer[y & 3][x & 3] + 0.5) / 16.0
            out = []
            for ch in col[:3]:
                val = ch * shade + (255 - ch) * sheen
                out.append(min(255, max(0, int(val + dither))))
            pixels.append(tuple(out))
    img = Image.new("RGB", (w, h))
    img.putdata(pixels)
    return img


# ---------------------------------------------------------------- small toolbar pictures

def organizer():
    c = Canvas(24, 24, 8)
    paper_edge = rgb("#4b7a55")
    # back sheet
    back = c.rect(8, 1, 22, 17, radius=0.8)
    c.shadow(back, 0.5, 0.7, 0.6, 0.25)
    c.fill(back, paper_edge)
    c.fill(c.rect(9, 2, 21, 16, radius=0.3), c.vertical(2, 16, [(0.0, rgb("#e6f4e6")), (1.0, rgb("#c5e3c7"))]))
    # front sheet with a folded corner
    sheet = c.polygon([(2, 5), (14, 5), (18, 9), (18, 23), (2, 23)])
    c.shadow(sheet, 0.5, 0.7, 0.6, 0.30)
    c.fill(sheet, paper_edge)
    c.fill(c.polygon([(3, 6), (13.6, 6), (17, 9.4), (17, 22), (3, 22)]),
           c.vertical(6, 22, [(0.0, rgb("#ffffff")), (1.0, rgb("#eef3ee"))]))
    fold = c.polygon([(14, 5), (14, 9), (18, 9)])
    c.fill(fold, paper_edge)
    c.fill(c.polygon([(14.9, 6.9), (14.9, 8.1), (16.1, 8.1)]), rgb("#d7e8d8"))
    # tree: a trunk with three branches to green leaves and grey text lines
    trunk = rgb("#6f8f74")
    c.fill(c.rect(5, 9, 6, 19), trunk)
    for y in (9, 13, 18):
        c.fill(c.rect(6, y, 8, y + 1), trunk)
        c.fill(c.rect(8, y - 1, 11, y + 2, radius=0.4), rgb("#2f9a44"))
        c.fill(c.rect(12, y, 16, y + 1), rgb("#8a9a8c"))
    c.fill(c.rect(4, 7, 7, 9, radius=0.4), rgb("#1f6e31"))
    return c.result()


def framed_picture(c):
    """A small landscape in a thin frame, top-left of a 24 px canvas."""
    frame = c.rect(1, 3, 21, 19, radius=1.0)
    c.shadow(frame, 0.4, 0.7, 0.6, 0.30)
    c.fill(frame, rgb("#4f5b66"))
    c.fill(c.rect(2, 4, 20, 18), rgb("#fbfbfb"))
    view = c.rect(3, 5, 19, 17)
    c.fill(view, c.vertical(5, 17, [(0.0, rgb("#5ea7ea")), (1.0, rgb("#c9e4fb"))]))
    c.fill(c.intersect(view, c.disc(14.5, 8.5, 1.8)), rgb("#ffd23a"))
    far_hill = c.polygon([(3, 14), (7, 10), (10, 12.5), (13, 11), (19, 15), (19, 17), (3, 17)])
    c.fill(c.intersect(view, far_hill), rgb("#7cc47c"))
    near_hill = c.polygon([(3, 17), (3, 15.5), (8, 12.5), (13, 16), (15, 15), (19, 16.5), (19, 17)])
    c.fill(c.intersect(view, near_hill), rgb("#2f8a3e"))


def badge(c, palette, symbol):
    cx, cy, r = 18.0, 18.0, 5.5
    c.erase(c.disc(cx, cy, r + 1.0))
    c.fill(c.disc(cx, cy, r), palette["rim"])
    face = c.disc(cx, cy, r - 0.9)
    c.fill(face, c.vertical(cy - r, cy + r, [(0.0, palette["top"]), (0.55, palette["mid"]),
                                            (1.0, palette["bottom"])]))
    c.fill(c.intersect(face, c.rect(cx - 3.6, cy - r + 1, cx + 3.6, cy - 0.5, radius=1.8)),
           c.vertical(cy - r + 1, cy, [(0.0, (255, 255, 255, 150)), (1.0, (255, 255, 255, 10))]))
    c.fill(symbol, (255, 255, 255, 255))


def load_picture():
    c = Canvas(24, 24, 8)
    framed_picture(c)
    badge(c, GREEN, c.polygon(plus_points(18.0, 18.0, 3.3, 1.0)))
    return c.result()


def delete_picture():
    c = Canvas(24, 24, 8)
    framed_picture(c)
    badge(c, RED, c.polygon(plus_points(18.0, 18.0, 3.3, 1.0, 45.0)))
    return c.result()


def floppy():
    c = Canvas(16, 16, 8)
    outline = c.polygon([(1, 1), (13, 1), (15, 3), (15, 15), (1, 15)])
    c.fill(outline, rgb("#1d2c40"))
    body = c.polygon([(2, 2), (12.6, 2), (14, 3.4), (14, 14), (2, 14)])
    c.fill(body, c.vertical(2, 14, [(0.0, rgb("#5a7ca3")), (1.0, rgb("#2d4668"))]))
    # metal shutter with its window
    c.fill(c.rect(4, 2, 12, 6), c.vertical(2, 6, [(0.0, rgb("#e9edf1")), (1.0, rgb("#b6c0cb"))]))
    c.fill(c.rect(9, 3, 11, 5), rgb("#2d4668"))
    # label
    c.fill(c.rect(3, 8, 13, 14, radius=0.5), rgb("#f6f8fa"))
    for y in (10, 12):
        c.fill(c.rect(4, y, 12, y + 1), rgb("#a9b7c7"))
    return c.result()


def cancel_cross():
    c = Canvas(16, 16, 8)
    x = c.polygon(plus_points(8.0, 8.0, 6.4, 1.9, 45.0))
    c.fill(c.grow(x, 0.9), rgb("#7a0f0f"))
    c.fill(x, c.vertical(2, 14, [(0.0, rgb("#ff7b6b")), (0.5, rgb("#e23a30")), (1.0, rgb("#b71c1c"))]))
    return c.result()


# ---------------------------------------------------------------- main

def main():
    out = HERE
    save(switch_face("normal"), os.path.join(RES, "Black_n.png"))
    save(switch_face("hover"), os.path.join(RES, "Black_HL.png"))
    save(switch_face("pressed"), os.path.join(RES, "Black_CL.png"))
    save(padlock(16, GOLD, True), os.path.join(RES, "lock.png"))
    save(padlock(16, GOLD, False), os.path.join(RES, "lock_off.png"))
    save(padlock(24, GREY, True), os.path.join(RES, "lock_disabled_24.png"))
    save(padlock(24, GREY, False), os.path.join(RES, "lock_off_disabled_24.png"))

    save(banner(), os.path.join(out, "banner.png"), opaque=True)
    save(round_button(48, 48, GREEN, arrow_left), os.path.join(out, "get_from_other.png"))
    save(round_button(48, 48, GREEN, arrow_right), os.path.join(out, "copy_to_other.png"))
    save(round_button(300, 300, GREEN, sync_mark), os.path.join(out, "sync_tags.png"))
    save(round_button(48, 47, GREEN, plus_mark), os.path.join(out, "create_tags.png"))
    save(round_button(48, 47, RED, cross_mark), os.path.join(out, "delete_tags.png"))
    save(organizer(), os.path.join(out, "organizer.png"))
    save(load_picture(), os.path.join(out, "load_picture.png"))
    save(delete_picture(), os.path.join(out, "delete_picture.png"))
    save(floppy(), os.path.join(out, "save.png"))
    save(cancel_cross(), os.path.join(out, "cancel.png"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
