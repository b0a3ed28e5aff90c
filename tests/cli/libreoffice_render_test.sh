#!/usr/bin/env bash
# Resaves workbooks with the batch command, opens originals and results in LibreOffice
# headless, converts them to PDF and checks the rendered pages: the resaved book renders
# exactly like the original (page by page, pixel by pixel), the expected text is on its pages,
# Japanese is drawn with a CJK font, and the first page is not blank.
#   libreoffice_render_test.sh PICROWS SOURCE_DIR
# Set PICROWS_KEEP_RENDER=DIR to keep the PDFs and first pages as PNG for a look.
set -euo pipefail
picrows=$1
src=$2
command -v soffice >/dev/null || { echo "SKIP: soffice is not installed"; exit 77; }
command -v pdftoppm >/dev/null || { echo "SKIP: poppler-utils are not installed"; exit 77; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/orig" "$work/resaved" "$work/pdf-orig" "$work/pdf-resaved" "$work/px"

# book | text that must appear on its pages ("" for none)
cases=(
  "$src/samples/photo_album.xlsx|写真アルバム"
  "$src/tests/fixtures/libreoffice_layout.xlsx|写真の見出し"
  "$src/tests/fixtures/openpyxl_layout.xlsx|結合セル"
)
# Real-world books from several producers, when the corpus lies beside the source tree.
corpus="$src/../shared/corpus"
for name in XlsxWriter__merge_range01.xlsx exceljs__images.xlsx poi__45540_form_Header.xlsx \
  Open-XML-SDK__Complex01.xlsx PhpSpreadsheet__issue.2506.xlsx exceljs__google-sheets.xlsx; do
  [ -f "$corpus/$name" ] && cases+=("$corpus/$name|")
done

for entry in "${cases[@]}"; do
  book=${entry%%|*}
  cp "$book" "$work/orig/"
  QT_QPA_PLATFORM=offscreen "$picrows" resave "$book" -o "$work/resaved/$(basename "$book")"
done

for side in orig resaved; do
  soffice --headless "-env:UserInstallation=file://$work/profile" --convert-to pdf \
    --outdir "$work/pdf-$side" "$work/$side"/*.xlsx >"$work/soffice.log" 2>&1 || {
    cat "$work/soffice.log"; exit 1; }
done

# Number of dark pixels in a binary greyscale image (PGM).
dark_pixels() {
  /usr/bin/python3 - "$1" <<'PY'
import sys
data = open(sys.argv[1], "rb").read()
fields, pos = [], 0
while len(fields) < 4:  # magic, width, height, maxval
    while data[pos:pos + 1].isspace():
        pos += 1
    start = pos
    while not data[pos:pos + 1].isspace():
        pos += 1
    fields.append(data[start:pos])
print(sum(1 for b in data[pos + 1:] if b < 128))
PY
}

failed=0
for entry in "${cases[@]}"; do
  book=${entry%%|*}
  want=${entry#*|}
  stem=$(basename "$book" .xlsx)
  pdf="$work/pdf-resaved/$stem.pdf"
  if [ ! -s "$pdf" ]; then
    echo "FAIL $stem: LibreOffice wrote no PDF of the resaved book"; failed=1; continue
  fi
  pages=$(pdfinfo "$pdf" 2>/dev/null | awk '/^Pages:/ {print $2}')
  if [ "${pages:-0}" -lt 1 ]; then
    echo "FAIL $stem: no pages"; failed=1; continue
  fi
  if [ -n "$want" ]; then
    if ! pdftotext "$pdf" - 2>/dev/null | tr -d ' ' | grep -qF "$want"; then
      echo "FAIL $stem: '$want' is not on the pages"; failed=1
    fi
    if ! pdffonts "$pdf" 2>/dev/null | grep -qi 'cjk'; then
      echo "FAIL $stem: Japanese text without a CJK font"; pdffonts "$pdf"; failed=1
    fi
  fi

  pdftoppm -r 50 -gray "$work/pdf-orig/$stem.pdf" "$work/px/orig-$stem" 2>/dev/null
  pdftoppm -r 50 -gray "$pdf" "$work/px/resaved-$stem" 2>/dev/null
  orig_pages=$(ls "$work/px/orig-$stem"-*.pgm | wc -l)
  if [ "$orig_pages" -ne "$pages" ]; then
    echo "FAIL $stem: $pages page(s) after resave, $orig_pages before"; failed=1; continue
  fi
  differ=0
  for before in "$work/px/orig-$stem"-*.pgm; do
    after="$work/px/resaved-${before#"$work/px/orig-"}"
    cmp -s "$before" "$after" || differ=$((differ + 1))
  done
  if [ "$differ" -ne 0 ]; then
    echo "FAIL $stem: $differ of $pages page(s) render differently after resave"; failed=1
  fi
  first=$(ls "$work/px/resaved-$stem"-*.pgm | head -n 1)
  dark=$(dark_pixels "$first")
  if [ "$dark" -lt 5 ]; then
    echo "FAIL $stem: the first page is blank"; failed=1
  elif [ "$differ" -eq 0 ]; then
    echo "ok   $stem: $pages page(s) as before the resave, $dark dark pixels on page 1"
  fi
  if [ -n "${PICROWS_KEEP_RENDER:-}" ]; then
    mkdir -p "$PICROWS_KEEP_RENDER"
    cp "$pdf" "$PICROWS_KEEP_RENDER/"
    pdftoppm -r 80 -png -f 1 -l 1 "$pdf" "$PICROWS_KEEP_RENDER/$stem"
  fi
done
exit $failed
