#!/usr/bin/python3
"""Draws the organizer window's pictures and writes them as PNG files.

Run from anywhere:  /usr/bin/python3 organizer/pictures/make_pictures.py
Needs Pillow (Debian: python3-pil). Shapes are drawn eight times larger than
their final size and shrunk with a box filter for clean antialiased edges;
coordinates below are in final pixels. The banner is the editor's.
"""

import os

from PIL import Image, ImageDraw, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
SCALE = 8
FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"


def canvas(w, h):
    return Image.new("RGBA", (w * SCALE, h * SCALE), (0, 0, 0, 0))


def box(x0, y0, x1, y1):
    return [x0 * SCALE, y0 * SCALE, x1 * SCALE, y1 * SCALE]


def finish(img, w, h, name):
    img.resize((w, h), Image.BOX).save(os.path.join(HERE, name), optimize=True)


def step_button(digit):
    """A round dark button with a light-blue ring and a green digit, 50 by 50."""
    img = canvas(50, 50)
    d = ImageDraw.Draw(img)
    d.ellipse(box(1, 1, 49, 49), fill=(120, 200, 255, 255))
    d.ellipse(box(4, 4, 46, 46), fill=(20, 40, 70, 255))
    d.ellipse(box(6, 6, 44, 44), fill=(34, 34, 40, 255))
    # A soft highlight over the upper half gives the button its roundness.
    d.ellipse(box(10, 7, 40, 24), fill=(70, 74, 86, 255))
    font = ImageFont.truetype(FONT, 30 * SCALE)
    left, top, right, bottom = d.textbbox((0, 0), digit, font=font)
    x = (50 * SCALE - (right - left)) / 2 - left
    y = (50 * SCALE - (bottom - top)) / 2 - top
    d.text((x, y), digit, font=font, fill=(60, 220, 80, 255))
    finish(img, 50, 50, "step%s.png" % digit)


def step_marker():
    """The marker under the step to take next: a green disc with a white upward arrow, 24 by 24."""
    img = canvas(24, 24)
    d = ImageDraw.Draw(img)
    d.ellipse(box(0.5, 0.5, 23.5, 23.5), fill=(20, 110, 40, 255))
    d.ellipse(box(1.5, 1.5, 22.5, 22.5), fill=(40, 170, 60, 255))
    d.polygon([(12 * SCALE, 4 * SCALE), (19 * SCALE, 12 * SCALE), (14.5 * SCALE, 12 * SCALE),
               (14.5 * SCALE, 19 * SCALE), (9.5 * SCALE, 19 * SCALE), (9.5 * SCALE, 12 * SCALE),
               (5 * SCALE, 12 * SCALE)], fill=(255, 255, 255, 255))
    finish(img, 24, 24, "marker.png")


def stop_square():
    """The stop button's face: a grey square, 24 by 24."""
    img = canvas(24, 24)
    d = ImageDraw.Draw(img)
    d.rectangle(box(4, 4, 20, 20), fill=(90, 90, 90, 255))
    d.rectangle(box(5, 5, 19, 19), fill=(140, 140, 140, 255))
    finish(img, 24, 24, "stop.png")


if __name__ == "__main__":
    for digit in "123":
        step_button(digit)
    step_marker()
    stop_square()
