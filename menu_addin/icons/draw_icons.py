"""Draws the menu add-in's three 16x16 button icons (transparent where the face shows)."""
from pathlib import Path

from PIL import Image, ImageDraw

HERE = Path(__file__).parent


def canvas():
    return Image.new("RGBA", (16, 16), (0, 0, 0, 0))


def icon_get():
    # A framed picture (sky, sun, hill) with a green plus: insert pictures.
    im = canvas()
    d = ImageDraw.Draw(im)
    d.rectangle([0, 2, 12, 13], fill=(120, 180, 235, 255), outline=(60, 60, 60, 255))
    d.ellipse([2, 4, 5, 7], fill=(255, 210, 40, 255))
    d.polygon([(1, 12), (5, 7), (8, 10), (10, 8), (12, 12)], fill=(60, 150, 60, 255))
    d.rectangle([11, 9, 15, 10], fill=(20, 140, 20, 255))
    d.rectangle([12, 8, 14, 11], fill=(20, 140, 20, 255))
    d.rectangle([13, 7, 13, 12], fill=(20, 140, 20, 255))
    return im


def icon_savepic():
    # A disk with a small picture on its label: save as a picture.
    im = canvas()
    d = ImageDraw.Draw(im)
    d.rectangle([1, 1, 14, 14], fill=(40, 70, 150, 255), outline=(20, 30, 80, 255))
    d.rectangle([4, 1, 11, 5], fill=(210, 210, 210, 255))
    d.rectangle([9, 2, 10, 4], fill=(40, 70, 150, 255))
    d.rectangle([3, 8, 12, 14], fill=(250, 250, 250, 255))
    d.polygon([(4, 13), (6, 10), (8, 12), (10, 9), (11, 13)], fill=(60, 150, 60, 255))
    return im


def icon_retrimming():
    # Two crop corners around a picture, with a turning arrow: crop again.
    im = canvas()
    d = ImageDraw.Draw(im)
    d.rectangle([4, 4, 11, 11], fill=(120, 180, 235, 255))
    d.line([(3, 0), (3, 12), (15, 12)], fill=(30, 30, 30, 255), width=2)
    d.line([(0, 3), (12, 3), (12, 15)], fill=(30, 30, 30, 255), width=2)
    d.arc([6, 6, 10, 10], 0, 270, fill=(200, 40, 40, 255))
    return im


for name, draw in (("ICON_GET", icon_get), ("ICON_SAVEPIC", icon_savepic),
                   ("ICON_RETRIMMING", icon_retrimming)):
    draw().save(HERE / f"{name}.png")
