#!/usr/bin/python3
"""Draws the sample photographs of samples/photos: four small outdoor scenes, made here from
gradients, shapes and a little grain so that they compress like photographs. Run with
/usr/bin/python3 (Debian's PIL); the output is the same on every run."""
import random
from pathlib import Path

from PIL import Image, ImageDraw, ImageFilter

HERE = Path(__file__).resolve().parent
SIZE = (320, 240)


def sky(draw, top, bottom):
    w, h = SIZE
    for y in range(h):
        t = y / (h - 1)
        draw.line([(0, y), (w, y)], fill=tuple(int(a + (b - a) * t) for a, b in zip(top, bottom)))


def hills(draw, rng, colour, base, height):
    w, h = SIZE
    points = [(0, h)]
    for x in range(0, w + 20, 20):
        points.append((x, base - rng.randint(0, height)))
    points.append((w, h))
    draw.polygon(points, fill=colour)


def grain(img, rng):
    px = img.load()
    w, h = img.size
    for _ in range(w * h // 6):
        x, y = rng.randrange(w), rng.randrange(h)
        r, g, b = px[x, y]
        d = rng.randint(-14, 14)
        px[x, y] = (max(0, min(255, r + d)), max(0, min(255, g + d)), max(0, min(255, b + d)))
    return img.filter(ImageFilter.GaussianBlur(0.6))


def cherry_trees(rng):
    img = Image.new("RGB", SIZE)
    d = ImageDraw.Draw(img)
    sky(d, (140, 190, 240), (225, 235, 250))
    hills(d, rng, (120, 170, 90), 190, 25)
    for cx in (70, 170, 260):
        d.rectangle([cx - 5, 120, cx + 5, 200], fill=(90, 60, 40))
        for _ in range(60):
            x, y = cx + rng.randint(-45, 45), 110 + rng.randint(-40, 30)
            r = rng.randint(6, 12)
            d.ellipse([x - r, y - r, x + r, y + r], fill=(245, 190 + rng.randint(0, 30), 210))
    return grain(img, rng)


def school_gate(rng):
    img = Image.new("RGB", SIZE)
    d = ImageDraw.Draw(img)
    sky(d, (110, 170, 230), (210, 230, 245))
    d.rectangle([0, 170, 320, 240], fill=(170, 160, 150))
    d.rectangle([40, 60, 280, 170], fill=(235, 230, 215))
    for x in range(60, 270, 40):
        for y in (80, 120):
            d.rectangle([x, y, x + 24, y + 22], fill=(120, 150, 180))
    d.rectangle([145, 125, 175, 170], fill=(110, 80, 60))
    d.ellipse([250, 20, 290, 60], fill=(255, 240, 180))
    return grain(img, rng)


def picnic(rng):
    img = Image.new("RGB", SIZE)
    d = ImageDraw.Draw(img)
    sky(d, (90, 150, 220), (200, 225, 245))
    hills(d, rng, (70, 120, 80), 120, 40)
    hills(d, rng, (100, 160, 80), 170, 20)
    d.rectangle([90, 180, 230, 220], fill=(200, 60, 60))
    for x in range(90, 230, 20):
        d.rectangle([x, 180, x + 10, 220], fill=(240, 240, 240))
    d.ellipse([30, 25, 70, 65], fill=(255, 250, 200))
    return grain(img, rng)


def sports_day(rng):
    img = Image.new("RGB", SIZE)
    d = ImageDraw.Draw(img)
    sky(d, (120, 180, 235), (220, 235, 250))
    d.rectangle([0, 130, 320, 240], fill=(190, 150, 110))
    d.ellipse([20, 150, 300, 230], outline=(250, 250, 250), width=4)
    for i, colour in enumerate([(220, 50, 50), (50, 90, 220), (240, 200, 40), (40, 160, 80)]):
        x = 50 + i * 60
        d.line([(x, 20), (x + 60, 35)], fill=(80, 80, 80), width=1)
        d.polygon([(x + 10, 22), (x + 25, 26), (x + 16, 40)], fill=colour)
    for i in range(5):
        x = 60 + i * 45
        d.ellipse([x, 150, x + 14, 164], fill=(240, 210, 180))
        d.rectangle([x + 2, 164, x + 12, 190], fill=(250, 250, 250))
    return grain(img, rng)


def main():
    out = HERE / "photos"
    out.mkdir(exist_ok=True)
    scenes = [("01_sakura.jpg", cherry_trees), ("02_nyugakushiki.jpg", school_gate),
              ("03_ensoku.jpg", picnic), ("04_undokai.jpg", sports_day)]
    for i, (name, draw) in enumerate(scenes):
        draw(random.Random(i + 1)).save(out / name, quality=80, dpi=(96, 96))
        print(f"wrote {out / name}")


if __name__ == "__main__":
    main()
