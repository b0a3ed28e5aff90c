#!/usr/bin/python3
"""The straightforward way to put photographs into cells, for comparison with `picrows insert`.

insert_baseline.py TEMPLATE.xlsx OUT.xlsx COLUMNS ROWS FIRST_COL FIRST_ROW WIDTH_PT HEIGHT_PT
                   PIXELS_PER_POINT PHOTO...

Fills the block of COLUMNS x ROWS cells of WIDTH_PT x HEIGHT_PT points starting at
FIRST_COL/FIRST_ROW (1-based), row by row: each photograph is decoded in draft mode (libjpeg's
scaled decode) at the smallest scale that still covers the cell at PIXELS_PER_POINT, resized to
cover it, cropped about its centre, encoded as JPEG and anchored into its cell at the cell's size. Uses Debian's python3-openpyxl and python3-pil.
"""

import io
import sys

from openpyxl import load_workbook
from openpyxl.drawing.image import Image as SheetImage
from openpyxl.drawing.spreadsheet_drawing import OneCellAnchor, AnchorMarker
from openpyxl.drawing.xdr import XDRPositiveSize2D
from PIL import Image


def cover(photo, width, height):
    """The photograph resized to cover width x height and cropped about its centre."""
    scale = max(width / photo.width, height / photo.height)
    w = max(width, round(photo.width * scale))
    h = max(height, round(photo.height * scale))
    photo = photo.resize((w, h), Image.LANCZOS)
    left = (w - width) // 2
    top = (h - height) // 2
    return photo.crop((left, top, left + width, top + height))


def main(argv):
    template, out, columns, rows, first_col, first_row, width_pt, height_pt, density = argv[1:10]
    columns, rows = int(columns), int(rows)
    first_col, first_row = int(first_col), int(first_row)
    width_pt, height_pt, density = float(width_pt), float(height_pt), float(density)
    width, height = round(width_pt * density), round(height_pt * density)
    photos = argv[10:]

    book = load_workbook(template)
    sheet = book.active
    for index, path in enumerate(photos[: columns * rows]):
        photo = Image.open(path)
        photo.draft("RGB", (width, height))
        picture = cover(photo.convert("RGB"), width, height)
        data = io.BytesIO()
        picture.save(data, "JPEG", quality=90)
        data.seek(0)
        image = SheetImage(data)
        row, column = divmod(index, columns)
        marker = AnchorMarker(col=first_col - 1 + column, row=first_row - 1 + row)
        size = XDRPositiveSize2D(round(width_pt * 12700), round(height_pt * 12700))
        image.anchor = OneCellAnchor(_from=marker, ext=size)
        sheet.add_image(image)
    book.save(out)


if __name__ == "__main__":
    main(sys.argv)
