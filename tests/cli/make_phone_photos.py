#!/usr/bin/python3
"""Makes a folder of photographs as phones and cameras write them: HEIC, AVIF, WebP, JPEG and
PNG, stored turned with the metadata that says how to show them upright, and with shooting dates.

    make_phone_photos.py OUTDIR [--width W --height H]

Every picture shows the same upright scene: a grey field with a red square in its top-left
corner, a green one top right and a blue one bottom left, so that a picture shown turned or
mirrored is seen at once. What is stored is that scene turned the other way by what the
metadata asks to undo. The HEIF files take their turn from the container's own rotation (irot)
only; their EXIF orientation is stale or contradicts it, as it must then be ignored.

Writes OUTDIR/expected.tsv: file name, shooting date shown ("YYYY/MM/DD H:MM:SS"), whether
the picture keeps transparency. Needs Pillow (python3-pil) and heif-enc (libheif-examples).
"""
import argparse
import os
import struct
import subprocess
import sys
import tempfile
from datetime import datetime

from PIL import Image, ImageDraw

RED, GREEN, BLUE, GREY = (220, 20, 20), (20, 200, 20), (20, 40, 220), (128, 128, 128)

# EXIF orientation -> PIL transpose that shows the stored picture upright.
UPRIGHT = {2: Image.Transpose.FLIP_LEFT_RIGHT, 3: Image.Transpose.ROTATE_180,
           4: Image.Transpose.FLIP_TOP_BOTTOM, 5: Image.Transpose.TRANSPOSE,
           6: Image.Transpose.ROTATE_270, 7: Image.Transpose.TRANSVERSE,
           8: Image.Transpose.ROTATE_90}
INVERSE = {1: 1, 2: 2, 3: 3, 4: 4, 5: 5, 6: 8, 7: 7, 8: 6}

TAG_ORIENTATION, TAG_EXIF_IFD = 0x0112, 0x8769
TAG_DATE_ORIGINAL, TAG_DATE_DIGITIZED = 0x9003, 0x9004


def scene(width, height, transparent=False):
    background = (0, 0, 0, 0) if transparent else GREY + (255,)
    image = Image.new("RGBA", (width, height), background)
    draw = ImageDraw.Draw(image)
    side = height // 3
    draw.rectangle([0, 0, side - 1, side - 1], fill=RED)
    draw.rectangle([width - side, 0, width - 1, side - 1], fill=GREEN)
    draw.rectangle([0, height - side, side - 1, height - 1], fill=BLUE)
    return image if transparent else image.convert("RGB")


def stored_for_exif(upright, orientation):
    """What a camera stores so that applying `orientation` shows `upright`."""
    inverse = INVERSE[orientation]
    return upright if inverse == 1 else upright.transpose(UPRIGHT[inverse])


def stored_for_irot(upright, quarter_turns):
    """What a HEIF file stores under irot (anti-clockwise quarter turns applied to show it)."""
    return upright.rotate(-90 * quarter_turns, expand=True)


def exif_bytes(orientation=None, original=None, digitized=None):
    exif = Image.Exif()
    if orientation is not None:
        exif[TAG_ORIENTATION] = orientation
    sub = {}
    if original:
        sub[TAG_DATE_ORIGINAL] = original
    if digitized:
        sub[TAG_DATE_DIGITIZED] = digitized
    if sub:
        exif[TAG_EXIF_IFD] = sub
    return exif.tobytes()


# ---- the HEIF container: adding a rotation (irot) to the primary image ----------------------

def boxes(data, start, end):
    at = start
    while at + 8 <= end:
        size, kind = struct.unpack(">I4s", data[at:at + 8])
        if size < 8 or at + size > end:
            raise ValueError("unexpected box layout")
        yield at, size, kind
        at += size


def find(data, start, end, kind):
    for at, size, k in boxes(data, start, end):
        if k == kind:
            return at, size
    raise ValueError(f"no {kind!r} box")


def shift_iloc(data, iloc_at, iloc_size, inserted_at, delta):
    """Moves the file offsets of items stored after `inserted_at` by `delta`."""
    out = bytearray(data)
    version = data[iloc_at + 8]
    pos = iloc_at + 12
    offset_size, length_size = data[pos] >> 4, data[pos] & 15
    base_size, index_size = data[pos + 1] >> 4, data[pos + 1] & 15
    pos += 2
    count_size = 4 if version == 2 else 2
    items = int.from_bytes(data[pos:pos + count_size], "big")
    pos += count_size

    def patch(at, size):
        if size == 0:
            return
        value = int.from_bytes(data[at:at + size], "big")
        if value >= inserted_at:
            out[at:at + size] = (value + delta).to_bytes(size, "big")

    for _ in range(items):
        pos += 4 if version == 2 else 2  # item id
        method = 0
        if version in (1, 2):
            method = int.from_bytes(data[pos:pos + 2], "big") & 15
            pos += 2
        reference = int.from_bytes(data[pos:pos + 2], "big")
        pos += 2
        in_file = method == 0 and reference == 0
        if in_file:
            patch(pos, base_size)
        base = int.from_bytes(data[pos:pos + base_size], "big") if base_size else 0
        pos += base_size
        extents = int.from_bytes(data[pos:pos + 2], "big")
        pos += 2
        for _ in range(extents):
            if version in (1, 2):
                pos += index_size
            if in_file and base_size == 0:
                patch(pos, offset_size)
            pos += offset_size + length_size
        del base
    return bytes(out)


def add_rotation(heif, quarter_turns):
    """The HEIF file with an irot property (anti-clockwise quarter turns) on its primary item."""
    meta_at, meta_size = find(heif, 0, len(heif), b"meta")
    body = meta_at + 12
    pitm_at, _ = find(heif, body, meta_at + meta_size, b"pitm")
    pitm_version = heif[pitm_at + 8]
    primary = int.from_bytes(heif[pitm_at + 12:pitm_at + (16 if pitm_version else 14)], "big")
    iprp_at, iprp_size = find(heif, body, meta_at + meta_size, b"iprp")
    ipco_at, ipco_size = find(heif, iprp_at + 8, iprp_at + iprp_size, b"ipco")
    ipma_at, ipma_size = find(heif, iprp_at + 8, iprp_at + iprp_size, b"ipma")
    index = sum(1 for _ in boxes(heif, ipco_at + 8, ipco_at + ipco_size)) + 1
    irot = struct.pack(">I4sB", 9, b"irot", quarter_turns & 3)

    # The primary item's associations gain the new property, marked essential.
    version, flags = heif[ipma_at + 8], int.from_bytes(heif[ipma_at + 9:ipma_at + 12], "big")
    wide = flags & 1
    pos = ipma_at + 12
    entries = int.from_bytes(heif[pos:pos + 4], "big")
    pos += 4
    ipma = bytearray(heif[ipma_at:ipma_at + ipma_size])
    added = None
    for _ in range(entries):
        id_size = 4 if version >= 1 else 2
        item = int.from_bytes(heif[pos:pos + id_size], "big")
        pos += id_size
        count = heif[pos]
        count_at = pos
        pos += 1 + count * (2 if wide else 1)
        if item == primary:
            association = (0x8000 | index).to_bytes(2, "big") if wide else bytes([0x80 | index])
            rel = count_at - ipma_at
            ipma[rel] = count + 1
            end = pos - ipma_at
            ipma[end:end] = association
            added = len(association)
            break
    if added is None:
        raise ValueError("the primary item has no properties")
    struct.pack_into(">I", ipma, 0, len(ipma))

    ipco = bytearray(heif[ipco_at:ipco_at + ipco_size]) + irot
    struct.pack_into(">I", ipco, 0, len(ipco))
    iprp_body = bytearray()
    for at, size, kind in boxes(heif, iprp_at + 8, iprp_at + iprp_size):
        iprp_body += ipco if kind == b"ipco" else ipma if kind == b"ipma" else heif[at:at + size]
    iprp = struct.pack(">I4s", 8 + len(iprp_body), b"iprp") + iprp_body
    delta = len(iprp) - iprp_size

    meta = heif[meta_at:iprp_at] + iprp + heif[iprp_at + iprp_size:meta_at + meta_size]
    meta = struct.pack(">I", len(meta)) + meta[4:]
    out = heif[:meta_at] + meta + heif[meta_at + meta_size:]
    # Item data stored after the meta box moved by delta.
    iloc_at, iloc_size = find(out, meta_at + 12, meta_at + len(meta), b"iloc")
    return shift_iloc(out, iloc_at, iloc_size, meta_at + meta_size, delta)


def heif_enc(source, target, *options):
    subprocess.run(["heif-enc", "-q", "90", *options, "-o", target, source], check=True,
                   stdout=subprocess.DEVNULL)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("outdir")
    parser.add_argument("--width", type=int, default=240)
    parser.add_argument("--height", type=int, default=160)
    args = parser.parse_args()
    os.makedirs(args.outdir, exist_ok=True)
    upright = scene(args.width, args.height)
    expected = []

    def out(name):
        return os.path.join(args.outdir, name)

    def shown(exif_date):
        when = datetime.strptime(exif_date, "%Y:%m:%d %H:%M:%S")
        return f"{when:%Y/%m/%d} {when.hour}:{when:%M:%S}"

    with tempfile.TemporaryDirectory() as work:
        def via_heif(name, stored, quarter_turns, exif, *options):
            source = os.path.join(work, name + ".jpg")
            stored.save(source, quality=97, exif=exif)
            encoded = os.path.join(work, name)
            heif_enc(source, encoded, *options)
            data = open(encoded, "rb").read()
            if quarter_turns:
                data = add_rotation(data, quarter_turns)
            open(out(name), "wb").write(data)

        # The container turns it a quarter anti-clockwise; EXIF states no orientation.
        date = "2024:04:01 09:15:30"
        via_heif("01_heic_container_turned.heic", stored_for_irot(upright, 1), 1,
                 exif_bytes(1, original=date))
        expected.append(("01_heic_container_turned.heic", shown(date), 0))
        # The container turns it a quarter clockwise, EXIF says the opposite quarter turn.
        date = "2024:04:02 10:20:40"
        via_heif("02_heic_exif_disagrees.heic", stored_for_irot(upright, 3), 3,
                 exif_bytes(8, original=date))
        expected.append(("02_heic_exif_disagrees.heic", shown(date), 0))
        # No container rotation: a stale EXIF orientation must not turn it; only the date the
        # picture was digitised.
        date = "2024:04:03 11:22:33"
        via_heif("03_heic_stale_exif.heic", upright, 0, exif_bytes(6, digitized=date))
        expected.append(("03_heic_stale_exif.heic", shown(date), 0))
        # AVIF turned half round by its container.
        date = "2024:04:04 12:00:00"
        via_heif("04_avif_turned.avif", stored_for_irot(upright, 2), 2,
                 exif_bytes(1, original=date), "-A")
        expected.append(("04_avif_turned.avif", shown(date), 0))

    # WebP and JPEG turned by their EXIF orientation.
    date = "2024:04:05 13:14:15"
    stored_for_exif(upright, 6).save(out("05_webp_exif6.webp"), quality=95,
                                     exif=exif_bytes(6, original=date))
    expected.append(("05_webp_exif6.webp", shown(date), 0))
    date = "2024:04:06 14:15:16"
    stored_for_exif(upright, 8).save(out("06_jpeg_exif8.jpg"), quality=95,
                                     exif=exif_bytes(8, original=date))
    expected.append(("06_jpeg_exif8.jpg", shown(date), 0))

    # A PNG without metadata: its shooting date is the file's modification date.
    upright.save(out("07_png_plain.png"))
    modified = datetime(2024, 4, 7, 15, 16, 17)
    os.utime(out("07_png_plain.png"), (modified.timestamp(), modified.timestamp()))
    expected.append(("07_png_plain.png", shown(modified.strftime("%Y:%m:%d %H:%M:%S")), 0))

    # An AVIF with transparency around its marks.
    date = "2024:04:08 16:17:18"
    with tempfile.TemporaryDirectory() as work:
        source = os.path.join(work, "alpha.png")
        clear = scene(args.width, args.height, transparent=True)
        clear.save(source, exif=exif_bytes(1, original=date))
        heif_enc(source, out("08_avif_transparent.avif"), "-A")
    expected.append(("08_avif_transparent.avif", shown(date), 1))

    with open(out("expected.tsv"), "w", encoding="utf-8") as f:
        for name, when, transparent in expected:
            f.write(f"{name}\t{when}\t{transparent}\n")


if __name__ == "__main__":
    sys.exit(main())
