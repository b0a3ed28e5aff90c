#!/usr/bin/env bash
# Refreshes the pictures of the user manual (docs/manual/images/) from the screenshots that
# scripts/screenshots.sh wrote into build/screenshots/: each picture is cut to the part the
# manual talks about and scaled down to at most the width given. Run screenshots.sh first.
#   bash scripts/manual_images.sh [SCREENSHOT_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
shots=${1:-build/screenshots}
out=docs/manual/images
mkdir -p "$out"

# name in the manual | screenshot | crop box left,top,right,bottom ("-" for the whole picture)
# | largest width in pixels
table='
album_filled.png          host_photo_album_filled.png  0,118,620,740   620
ribbon.png                host_ribbon_addin_v16.png    0,0,640,250     640
menu.png                  host_menu_addin_v11.png      0,0,700,300     700
insert_dialog.png         frmGet_list.png              -               430
mode_tooltip.png          frmGet_tooltip.png           0,0,430,200     430
excluded_cells.png        frmShowJogaiMsg.png          -               340
trimming.png              frmTrimming_0deg.png         -               640
trimming_free_angle.png   frmTrimming_free_angle.png   -               640
reduce_results.png        frmConvertPic_results.png    -               502
template_open.png         frmTemplateGet.png           -               400
settings_general.png      frmSetting_tab1.png          -               636
about.png                 frmAbout.png                 -               382
'

missing=0
while read -r name shot box width; do
  [ -n "$name" ] || continue
  if [ ! -f "$shots/$shot" ]; then
    echo "missing $shots/$shot (run scripts/screenshots.sh)" >&2
    missing=1
    continue
  fi
  /usr/bin/python3 - "$shots/$shot" "$out/$name" "$box" "$width" <<'EOF'
import sys
from PIL import Image

source, target, box, width = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
image = Image.open(source).convert("RGB")
if box != "-":
    left, top, right, bottom = (int(v) for v in box.split(","))
    image = image.crop((left, top, min(right, image.width), min(bottom, image.height)))
if image.width > width:
    image = image.resize((width, round(image.height * width / image.width)), Image.LANCZOS)
image.save(target, optimize=True)
print(f"{target} {image.width}x{image.height}")
EOF
done <<<"$table"
exit $missing
