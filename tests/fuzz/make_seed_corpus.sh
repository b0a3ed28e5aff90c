#!/usr/bin/env bash
# Assembles the seed corpus of one fuzz target into OUTDIR, from the workbook corpus beside the
# source tree (or $PICROWS_CORPUS_DIR), the tests' fixtures and the sample album: workbooks as
# links to them, pictures as the media inside them and small phone photographs made here.
#   make_seed_corpus.sh TARGET OUTDIR      TARGET: open_workbook, resave_workbook, decode_picture
set -euo pipefail
target=$1
out=$2
src=$(cd "$(dirname "$0")/../.." && pwd)
corpus=${PICROWS_CORPUS_DIR:-$src/../shared/corpus}
# Seeds are kept small: the fuzzer mutates them thousands of times a minute.
max_bytes=300000

rm -rf "$out"
mkdir -p "$out"

books=()
for book in "$corpus"/*.xlsx "$corpus"/*.xlsm "$src"/tests/fixtures/*.xlsx "$src"/samples/*.xlsx; do
  [ -f "$book" ] && [ "$(stat -c %s "$book")" -le "$max_bytes" ] && books+=("$book")
done

case $target in
open_workbook | resave_workbook)
  for book in "${books[@]}"; do
    ln -s "$book" "$out/$(basename "$book")"
  done
  ;;
decode_picture)
  /usr/bin/python3 - "$out" "$max_bytes" "${books[@]}" <<'PY'
import os, sys, zipfile
out, limit, books = sys.argv[1], int(sys.argv[2]), sys.argv[3:]
for book in books:
    try:
        with zipfile.ZipFile(book) as z:
            for info in z.infolist():
                if "/media/" in info.filename and 0 < info.file_size <= limit:
                    name = os.path.basename(book) + "__" + os.path.basename(info.filename)
                    with open(os.path.join(out, name), "wb") as f:
                        f.write(z.read(info))
    except (zipfile.BadZipFile, OSError, KeyError):
        pass
PY
  # Every format the host decodes, turned and dated as phones write them, in a small size.
  if command -v heif-enc >/dev/null; then
    /usr/bin/python3 "$src/tests/cli/make_phone_photos.py" "$out/photos" --width 48 --height 32
    for f in "$out"/photos/*; do
      case $f in *.tsv) ;; *) mv "$f" "$out/" ;; esac
    done
    rm -rf "$out/photos"
  fi
  /usr/bin/python3 - "$out" <<'PY'
import sys
from PIL import Image
out = sys.argv[1]
image = Image.new("RGB", (40, 24), (90, 140, 200))
image.putpixel((3, 3), (255, 0, 0))
image.save(f"{out}/small.gif")
image.save(f"{out}/small.bmp")
image.save(f"{out}/small.tiff", dpi=(200, 200))
image.convert("RGBA").save(f"{out}/small_alpha.webp", lossless=True)
PY
  ;;
*)
  echo "unknown fuzz target: $target" >&2
  exit 2
  ;;
esac
echo "$(find "$out" -maxdepth 1 \( -type f -o -type l \) | wc -l) seeds for $target in $out"
