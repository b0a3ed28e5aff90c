#!/usr/bin/python3
"""`picrows insert` of a folder of phone and camera photographs (HEIC, AVIF, WebP, JPEG, PNG,
made by make_phone_photos.py, stored turned with the metadata that turns them upright):

- every cell gets its picture, upright as shown (the colour marks painted in known corners
  before encoding are found in those corners of the rendered cells);
- the paste-info text shows each photograph's shooting date;
- the workbook stores only JPEG and PNG pictures;
- with --libreoffice: LibreOffice shows every picture, upright, on the printed page.

    phone_photos_test.py PICROWS SOURCE_DIR [--libreoffice]

Set PICROWS_KEEP_RENDER=DIR to keep the workbook and the rendered pages for a look.
"""
import json
import os
import shutil
import subprocess
import sys
import tempfile
import zipfile

from PIL import Image
import openpyxl

RED, GREEN, BLUE = (220, 20, 20), (20, 200, 20), (20, 40, 220)
TEMPLATE = "[FILENAME1]|[SHOOTINGDATE]|[SHOOTINGDATE_DATE]|[SHOOTINGDATE_TIME]"
TARGETS = ["$B$2", "$B$3", "$B$4", "$B$5", "$D$2", "$D$3", "$D$4", "$D$5"]

failures = []


def fail(message):
    failures.append(message)
    print("FAIL", message)


def near(pixel, colour, tolerance=60):
    return all(abs(a - b) <= tolerance for a, b in zip(pixel[:3], colour))


def run(args, env=None):
    result = subprocess.run(args, capture_output=True, text=True, env=env)
    if result.returncode != 0:
        print(result.stdout, result.stderr)
    return result


def make_book(path):
    book = openpyxl.Workbook()
    sheet = book.active
    sheet.title = "写真"
    for column, width in (("A", 3), ("B", 24), ("C", 30), ("D", 24), ("E", 30)):
        sheet.column_dimensions[column].width = width
    for row in range(2, 6):
        sheet.row_dimensions[row].height = 100
    sheet.page_setup.orientation = "landscape"
    book.save(path)


def check_cells_and_pixels(picrows, out, expected, work):
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    inspected = run([picrows, "inspect", out, "--json", "--range", "B2:E5"], env)
    if inspected.returncode != 0:
        fail("inspect failed")
        return
    sheet = json.loads(inspected.stdout)["sheets"][0]
    cells = {c["address"]: c for c in sheet["cells"]}
    pictures = [s for s in sheet["shapes"] if s["type"] == 13]
    if len(pictures) != len(expected):
        fail(f"{len(pictures)} pictures on the sheet, {len(expected)} expected")
        return

    # The shooting dates in the paste-info cells beside the targets.
    for target, (name, when, _) in zip(TARGETS, expected):
        info = target.replace("$B$", "$C$").replace("$D$", "$E$")
        date, time = when.split(" ")
        want = f"{name}|{when}|{date}|{time}"
        got = str(cells.get(info, {}).get("value"))
        if got != want:
            fail(f"{info}: paste-info '{got}', expected '{want}'")

    # Every picture upright as rendered: red top left, green top right, blue bottom left.
    scale = 2
    png = os.path.join(work, "render.png")
    if run([picrows, "render", out, "--range", "B2:E5", "--scale", str(scale), "-o", png],
           env).returncode != 0:
        fail("render failed")
        return
    image = Image.open(png).convert("RGB")
    origin = cells["$B$2"]
    px = scale * 4 / 3
    for target, (name, _, _) in zip(TARGETS, expected):
        cell = cells[target]
        shape = next((s for s in pictures if cell["left"] - 1 <= s["left"] < cell["left"]
                      + cell["width"] and cell["top"] - 1 <= s["top"] < cell["top"]
                      + cell["height"]), None)
        if shape is None:
            fail(f"{name}: no picture in {target}")
            continue
        if abs(shape["rotation"]) > 0.01:
            fail(f"{name}: shown turned by the shape ({shape['rotation']} degrees)")

        def sample(fx, fy):
            x = (shape["left"] - origin["left"] + fx * shape["width"]) * px
            y = (shape["top"] - origin["top"] + fy * shape["height"]) * px
            return image.getpixel((int(x), int(y)))

        width_over_height = shape["width"] / shape["height"]
        if not 1.3 < width_over_height < 1.7:
            fail(f"{name}: shown {shape['width']:.1f} x {shape['height']:.1f}, not landscape 3:2")
        for (fx, fy), colour, corner in (((0.08, 0.12), RED, "top left"),
                                          ((0.92, 0.12), GREEN, "top right"),
                                          ((0.08, 0.88), BLUE, "bottom left")):
            pixel = sample(fx, fy)
            if not near(pixel, colour):
                fail(f"{name}: {corner} is {pixel}, expected about {colour}")


def check_media(out):
    with zipfile.ZipFile(out) as z:
        media = [n for n in z.namelist() if n.startswith("xl/media/")]
        for name in media:
            head = z.read(name)[:8]
            if not (head.startswith(b"\xff\xd8\xff") or head.startswith(b"\x89PNG")):
                fail(f"{name} is stored as neither JPEG nor PNG ({head!r})")
        types = z.read("[Content_Types].xml").decode()
        for kind in ("heic", "heif", "avif", "webp"):
            if kind in types:
                fail(f"the package declares {kind} content")


def components(mask, width, height):
    """Bounding boxes of the 4-connected regions of a set of pixels, larger than a speck."""
    seen, boxes = set(), []
    for start in mask:
        if start in seen:
            continue
        stack, region = [start], []
        seen.add(start)
        while stack:
            x, y = stack.pop()
            region.append((x, y))
            for n in ((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)):
                if n in mask and n not in seen:
                    seen.add(n)
                    stack.append(n)
        if len(region) >= 30:
            xs, ys = [p[0] for p in region], [p[1] for p in region]
            boxes.append((min(xs), min(ys), max(xs), max(ys)))
    return boxes


def upright_pictures(page):
    """Pictures on a page image shown upright: a red mark with a green one level with it to the
    right and a blue one straight below it."""
    width, height = page.size
    pixels = page.load()
    masks = {RED: set(), GREEN: set(), BLUE: set()}
    for y in range(height):
        for x in range(width):
            p = pixels[x, y]
            for colour, mask in masks.items():
                if near(p, colour, 50):
                    mask.add((x, y))
    red, green, blue = (components(masks[c], width, height) for c in (RED, GREEN, BLUE))
    found = 0
    for r in red:
        side = r[3] - r[1] + 1
        level = [g for g in green if abs(g[1] - r[1]) <= side / 3 and g[0] > r[2]]
        below = [b for b in blue if abs(b[0] - r[0]) <= side / 3 and b[1] > r[3]]
        if level and below:
            found += 1
    return found


def check_libreoffice(out, count, work, keep):
    if not shutil.which("soffice") or not shutil.which("pdftoppm"):
        print("SKIP: LibreOffice or poppler-utils are not installed")
        sys.exit(77)
    pdf_dir = os.path.join(work, "pdf")
    result = run(["soffice", "--headless", f"-env:UserInstallation=file://{work}/profile",
                  "--convert-to", "pdf", "--outdir", pdf_dir, out])
    pdf = os.path.join(pdf_dir, "out.pdf")
    if result.returncode != 0 or not os.path.exists(pdf):
        fail("LibreOffice wrote no PDF")
        return
    run(["pdftoppm", "-r", "60", "-png", pdf, os.path.join(work, "page")])
    pages = sorted(f for f in os.listdir(work) if f.startswith("page") and f.endswith(".png"))
    found = sum(upright_pictures(Image.open(os.path.join(work, p)).convert("RGB"))
                for p in pages)
    if keep:
        for p in pages:
            shutil.copy(os.path.join(work, p), keep)
    if found != count:
        fail(f"LibreOffice shows {found} upright pictures of {count}")


def main():
    picrows, src = sys.argv[1], sys.argv[2]
    with_libreoffice = "--libreoffice" in sys.argv[3:]
    keep = os.environ.get("PICROWS_KEEP_RENDER")
    if keep:
        os.makedirs(keep, exist_ok=True)
    with tempfile.TemporaryDirectory() as work:
        photos = os.path.join(work, "photos")
        subprocess.run([sys.executable, os.path.join(src, "tests/cli/make_phone_photos.py"),
                        photos], check=True)
        with open(os.path.join(photos, "expected.tsv"), encoding="utf-8") as f:
            expected = [tuple(line.rstrip("\n").split("\t")) for line in f]
        book, out = os.path.join(work, "book.xlsx"), os.path.join(work, "out.xlsx")
        make_book(book)
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
        result = run([picrows, "insert", book, "--range", "B2:B5,D2:D5", "--one-per-cell",
                      "--no-exclude", "--size", "fit", "--point", "center", "--info", TEMPLATE,
                      "--info-cell", "1,0", "--config-dir", os.path.join(work, "config"),
                      photos, "-o", out], env)
        if result.returncode != 0 or result.stdout.strip():
            fail(f"insert exited {result.returncode}: {result.stdout} {result.stderr}")
        else:
            check_cells_and_pixels(picrows, out, expected, work)
            check_media(out)
            if with_libreoffice:
                check_libreoffice(out, len(expected), work, keep)
        if keep:
            for name in ("out.xlsx", "render.png"):
                if os.path.exists(os.path.join(work, name)):
                    shutil.copy(os.path.join(work, name), keep)
    if failures:
        sys.exit(1)
    print("ok:", len(expected), "photographs inserted upright with their shooting dates")


if __name__ == "__main__":
    main()
