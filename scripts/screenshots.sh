#!/usr/bin/env bash
# Screenshots of the host application (and of the dialogs, as they come) into
# build/screenshots/, on an X display: under Xvfb, started here when there is no DISPLAY.
# A shot is one line: `shot NAME PROGRAM [ARGS...]`, the program taking --screenshot FILE.png.
# With --libreoffice, each workbook shown is also printed by LibreOffice into
# build/screenshots/libreoffice/NAME.png, to look at beside the window.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1600x1000x24" bash "$0" "$@"
fi
libreoffice=false
[ "${1:-}" = "--libreoffice" ] && libreoffice=true

out=build/screenshots
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
host=build/bin/picrows-host
corpus=${PICROWS_CORPUS:-/work/shared/corpus}

# Takes the program's picture; the workbook among the arguments, if any, is printed by
# LibreOffice as well.
shot() {
  local name=$1 program=$2
  shift 2
  env -u QT_QPA_PLATFORM XDG_CONFIG_HOME="$work/config" "$program" --screenshot "$out/$name.png" "$@"
  echo "$out/$name.png"
  if $libreoffice; then
    for arg in "$@"; do
      case "$arg" in
        *.xlsx) printed "$name" "$arg" ;;
      esac
    done
  fi
}

printed() {
  local name=$1 book=$2
  mkdir -p "$out/libreoffice" "$work/pdf"
  soffice --headless -env:UserInstallation=file://"$work/lo" --convert-to pdf \
    --outdir "$work/pdf" "$book" >/dev/null 2>&1
  pdftoppm -png -r 96 -f 1 -l 1 -singlefile "$work/pdf/$(basename "${book%.*}").pdf" \
    "$out/libreoffice/$name"
  echo "$out/libreoffice/$name.png"
}

# The sample album as it comes, and filled with the sample photographs by the batch command.
build/bin/picrows insert samples/photo_album.xlsx --range "B3:B10,D3:D10,B13:B20,D13:D20" \
  --no-exclude --size fill --config-dir "$work/config" samples/photos -o "$work/album.xlsx" \
  >/dev/null
shot host_photo_album "$host" samples/photo_album.xlsx
shot host_photo_album_filled "$host" "$work/album.xlsx"
shot host_rotated_pictures "$host" tests/fixtures/rotated_pictures.xlsx
shot host_crop_mode "$host" --crop-first-picture tests/fixtures/rotated_pictures.xlsx
if [ -f "$corpus/test_files__Attendance.xlsx" ]; then
  shot host_formatted_corpus "$host" "$corpus/test_files__Attendance.xlsx"
else
  echo "no corpus at $corpus: the formatted workbook's shot is left out" >&2
fi

# A host of version VERSION showing BOOK with the add-ins of this build loaded from the add-in
# list (ADDINS: "menu" for the menu add-in, "both" for it and the ribbon add-in); after an
# optional click at CLICK ("x y" in the window), KEYS are typed into the window, then it is
# taken.
addin_shot() {
  local name=$1 version=$2 book=$3 addins=$4 click=$5
  shift 5
  local config="$work/addins_$name"
  mkdir -p "$config/picrows-host"
  printf '[TORVA_Picrows.Connect]\nDescription=ピクロウアドイン\nFriendlyName=TORVA_Picrows\nLoadBehavior=3\nLibrary=%s\n' \
    "$PWD/build/bin/TORVA_Picrows.so" >"$config/picrows-host/addins.ini"
  if [ "$addins" = both ]; then
    printf '[TORVA_PicrowsFor2007.Connect2]\nDescription=ｻﾝﾌﾟﾙ ｱﾄﾞｲﾝ ﾌﾟﾛｼﾞｪｸﾄ\nFriendlyName=TORVA_PicrowsFor2007\nLoadBehavior=3\nLibrary=%s\n' \
      "$PWD/build/bin/TORVA_PicrowsFor2007.so" >>"$config/picrows-host/addins.ini"
  fi
  env -u QT_QPA_PLATFORM XDG_CONFIG_HOME="$config" "$host" --version "$version" "$book" &
  local pid=$! window=""
  for _ in $(seq 1 100); do
    window=$(xdotool search --onlyvisible --name "^$(basename "$book") - Picrows Host\$" 2>/dev/null | head -1) || true
    [ -n "$window" ] && break
    sleep 0.2
  done
  if [ -n "$window" ]; then
    sleep 1
    xdotool windowfocus --sync "$window"
    if [ -n "$click" ]; then
      # shellcheck disable=SC2086
      xdotool mousemove --window "$window" $click click 1
      sleep 0.5
    fi
    local key typed=0
    for key in "$@"; do
      xdotool key "$key"
      typed=$((typed + 1))
      if [ "$typed" -lt $# ]; then sleep 0.5; else sleep 0.8; fi
    done
    /usr/bin/python3 scripts/x_screenshot.py "$out/$name.png" "$window"
    echo "$out/$name.png"
  else
    echo "the host window did not show: $name left out" >&2
  fi
  kill "$pid"
  wait "$pid" || true
}

# The suite's menu open in a host of version 11, the menu add-in loaded: TORVA(&M) →
# ピクロウアドイン(&R), opened with keys through xdotool.
addin_shot host_menu_addin_v11 11 samples/photo_album.xlsx menu "" alt+m r

# The dialogs of the main program, each drawn by a program of the build into $out: the
# trimming dialog with a sample photograph (upright, a quarter turn, a free angle, re-trimming),
# the insertion dialog, the excluded-cell list and the about dialog, then the settings dialog
# tab by tab, the reduction dialog with its result rows and the template dialogs.
photo=$(ls samples/photos/*.jpg | head -1)
env -u QT_QPA_PLATFORM XDG_CONFIG_HOME="$work/config" build/bin/trimming_screenshots "$out" "$photo"
env -u QT_QPA_PLATFORM XDG_CONFIG_HOME="$work/config" build/bin/insert_dialog_screenshots "$out"
env -u QT_QPA_PLATFORM XDG_CONFIG_HOME="$work/config" build/bin/tool_dialog_screenshots "$out"

# Save as picture: the main program's "savepic" command against a running host, whose own
# save dialog asks for the file; the host window is taken with the dialog over it, then the
# dialog is cancelled and the program ends.
savepic_shot() {
  local name=$1
  mkdir -p "$work/runtime" && chmod 700 "$work/runtime"
  cp samples/photo_album.xlsx "$work/savepic.xlsx"
  env -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work/config" \
    "$host" "$work/savepic.xlsx" &
  local pid=$! window="" dialog=""
  for _ in $(seq 1 100); do
    window=$(xdotool search --onlyvisible --name '^savepic.xlsx - Picrows Host$' 2>/dev/null | head -1) || true
    [ -n "$window" ] && break
    sleep 0.2
  done
  if [ -z "$window" ]; then
    echo "the host window did not show: $name left out" >&2
    kill "$pid"; wait "$pid" || true
    return
  fi
  sleep 1
  # The album's title and its first row of frames, selected from the keyboard.
  xdotool windowfocus --sync "$window" key --delay 80 ctrl+Home Right shift+Down shift+Down \
    shift+Down shift+Down || true
  sleep 0.5
  env -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work/config" \
    timeout 60 build/bin/TORVA_PicrowsMain "$work/savepic.xlsx"$'\t'"$window"$'\t'savepic &
  local main=$!
  for _ in $(seq 1 100); do
    dialog=$(xdotool search --onlyvisible --name '画像の保存' 2>/dev/null | head -1) || true
    [ -n "$dialog" ] && break
    sleep 0.2
  done
  if [ -n "$dialog" ]; then
    sleep 1
    /usr/bin/python3 scripts/x_screenshot.py "$out/$name.png" "$window"
    /usr/bin/python3 scripts/x_screenshot.py "$out/${name}_dialog.png" "$dialog"
    echo "$out/$name.png"
    echo "$out/${name}_dialog.png"
    xdotool windowfocus --sync "$dialog" key Escape || true
  else
    echo "the save dialog did not show: $name left out" >&2
  fi
  wait "$main" || true
  kill "$pid"
  wait "$pid" || true
}
savepic_shot host_savepic

# The ribbon of a host of version 16 with both add-ins loaded: the suite's group on the
# Add-Ins tab (key tips Alt+X), and the picture tools' Format tab with the Size group copy,
# shown after a click on the filled album's first picture (Alt+J).
addin_shot host_ribbon_addin_v16 16 samples/photo_album.xlsx both "" alt+x
addin_shot host_ribbon_picture_format_v16 16 "$work/album.xlsx" both "135 360" alt+j
