#!/usr/bin/python3
"""Draws the add-in's two 32x32 ribbon pictures (24-bit colour, no alpha channel).
PNG_ICON_SAVEPIC: a landscape picture with a download arrow into a tray (save as picture).
PNG_ICON_RESMALL: a large picture frame with arrows pointing in to a small one (shrink).
Run with the system Python (Pillow) from this folder."""
from PIL import Image, ImageDraw

WHITE = (255, 255, 255)
FRAME = (60, 60, 70)
SKY = (120, 180, 235)
HILL = (70, 150, 60)
SUN = (245, 190, 40)
ARROW = (200, 40, 40)


def photo(draw, x0, y0, x1, y1):
    draw.rectangle([x0, y0, x1, y1], fill=SKY, outline=FRAME)
    h = y1 - y0
    draw.polygon([(x0 + 1, y1 - 1), (x0 + (x1 - x0) // 3, y0 + h // 2),
                  (x0 + (x1 - x0) * 2 // 3, y1 - 1)], fill=HILL)
    r = max(1, h // 6)
    draw.ellipse([x1 - 3 * r - 1, y0 + r, x1 - r - 1, y0 + 3 * r], fill=SUN)


def savepic():
    img = Image.new('RGB', (32, 32), WHITE)
    d = ImageDraw.Draw(img)
    photo(d, 1, 1, 21, 16)
    # Arrow down into a tray.
    d.rectangle([24, 4, 27, 17], fill=ARROW)
    d.polygon([(20, 17), (31, 17), (25, 24)], fill=ARROW)
    d.line([(6, 26), (6, 30), (30, 30), (30, 26)], fill=FRAME, width=2)
    return img


def resmall():
    img = Image.new('RGB', (32, 32), WHITE)
    d = ImageDraw.Draw(img)
    d.rectangle([1, 1, 30, 30], outline=FRAME)
    photo(d, 10, 11, 21, 20)
    for (x0, y0, x1, y1) in ((3, 3, 8, 9), (28, 3, 23, 9), (3, 28, 8, 22), (28, 28, 23, 22)):
        d.line([(x0, y0), (x1, y1)], fill=ARROW, width=2)
        d.rectangle([x1 - 1, y1 - 1, x1 + 1, y1 + 1], fill=ARROW)
    return img


if __name__ == '__main__':
    savepic().save('PNG_ICON_SAVEPIC.png')
    resmall().save('PNG_ICON_RESMALL.png')
