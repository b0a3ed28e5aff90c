#!/usr/bin/python3
"""Measures how LibreOffice renders <a:lum bright contrast> on a picture.

Writes lum_libreoffice.tsv: for each (bright, contrast) pair, the 256 output levels of a grey
ramp 0..255. The workbook holds one ramp picture per pair; LibreOffice converts it to PDF, and
pdfimages extracts the adjusted bitmaps unscaled. Run with Debian's python3 (openpyxl, PIL):
    /usr/bin/python3 tests/host/imaging/make_lum_reference.py
"""
import os, re, subprocess, sys, tempfile, zipfile

import openpyxl
from openpyxl.drawing.image import Image
from PIL import Image as PImage

PAIRS = [(0, 0), (20000, 0), (-30000, 0), (0, 40000), (0, -40000), (20000, 40000),
         (-20000, -30000), (50000, 60000), (-60000, 80000), (100000, 0), (0, 100000),
         (0, -100000), (70000, -70000), (20500, -10900)]


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    with tempfile.TemporaryDirectory() as tmp:
        ramp = os.path.join(tmp, 'ramp.png')
        img = PImage.new('RGB', (256, 4))
        for x in range(256):
            for y in range(4):
                img.putpixel((x, y), (x, x, x))
        img.save(ramp)
        wb = openpyxl.Workbook()
        for i in range(len(PAIRS)):
            wb.active.add_image(Image(ramp), 'A%d' % (1 + i * 3))
        base = os.path.join(tmp, 'base.xlsx')
        wb.save(base)
        book = os.path.join(tmp, 'lum.xlsx')
        with zipfile.ZipFile(base) as zin, zipfile.ZipFile(book, 'w', zipfile.ZIP_DEFLATED) as zout:
            for item in zin.infolist():
                data = zin.read(item.filename)
                if item.filename.startswith('xl/drawings/drawing'):
                    parts = data.decode().split('<a:blip ')
                    out = parts[0]
                    for (bright, contrast), part in zip(PAIRS, parts[1:]):
                        m = re.match(r'([^>]*?)/>', part)
                        lum = '<a:lum bright="%d" contrast="%d"/>' % (bright, contrast)
                        out += '<a:blip ' + m.group(1) + '>' + lum + '</a:blip>' + part[m.end():]
                    data = out.encode()
                zout.writestr(item, data)
        subprocess.run(['soffice', '--headless', '--convert-to', 'pdf', '--outdir', tmp, book],
                       check=True, capture_output=True, timeout=180)
        subprocess.run(['pdfimages', '-png', os.path.join(tmp, 'lum.pdf'),
                        os.path.join(tmp, 'out')], check=True)
        with open(os.path.join(here, 'lum_libreoffice.tsv'), 'w') as tsv:
            tsv.write('# bright\tcontrast\toutput levels for inputs 0..255 (LibreOffice %s)\n'
                      % libreoffice_version())
            for i, (bright, contrast) in enumerate(PAIRS):
                got = PImage.open(os.path.join(tmp, 'out-%03d.png' % i)).convert('RGB')
                levels = [got.getpixel((x, 1))[0] for x in range(256)]
                tsv.write('%d\t%d\t%s\n' % (bright, contrast, ' '.join(map(str, levels))))


def libreoffice_version():
    out = subprocess.run(['soffice', '--version'], capture_output=True, text=True).stdout
    return out.split()[1] if out else 'unknown'


if __name__ == '__main__':
    sys.exit(main())
