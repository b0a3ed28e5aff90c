#!/usr/bin/env bash
# Installs every Debian package the project needs and builds it into build/.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  # build; clang with libFuzzer's runtime for the sanitizer build and its fuzz targets
  cmake ninja-build g++ pkg-config clang-format ccache clang libclang-rt-14-dev
  # libraries (libheif decodes HEIC with its built-in libde265 and AVIF with dav1d or aom;
  # Qt's image plugins read WebP)
  qt6-base-dev qt6-base-dev-tools qt6-image-formats-plugins libqt6svg6-dev
  libzip-dev zipcmp libpugixml-dev libturbojpeg0-dev libjpeg-dev zlib1g-dev libgif-dev
  libgsf-1-dev libheif-dev libxcb1-dev
  libgtest-dev libgmock-dev libx11-dev
  # the host application: Qt's X11 platform plugin and what it loads (its tests and
  # screenshots run under Xvfb, below)
  qt6-qpa-plugins libxcb-cursor0
  # Qt's own texts (standard buttons, file dialogs) in Japanese, like the programs' own
  qt6-translations-l10n
  # tests: fixture producers, rendering checks; fonts the tests and the renderer name (Japanese
  # text, Calibri's metrics, Liberation Sans for Arial's); phone photographs (HEIC and AVIF
  # through heif-enc, WebP, JPEG and PNG through Pillow)
  python3-openpyxl libreoffice-calc-nogui libreoffice-draw-nogui poppler-utils xvfb xauth
  fonts-noto-cjk fonts-crosextra-carlito fonts-liberation libheif-examples python3-pil
  # end-to-end tests: a window manager on the Xvfb display, clicks and keys from outside,
  # window owners read back
  openbox xdotool x11-utils
  # the host's built-in ribbon images (imageMso names map onto this theme's icons)
  adwaita-icon-theme
  # benchmarks: the Python script insert_bench measures against
  python3-pil
  # the user manual: Writer turns its HTML source into Help.pdf
  libreoffice-writer-nogui
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# One source a compile, through ccache (the top-level CMakeLists turns it on): a rebuild in
# another clone or after a small change takes only what changed. A unity build would build a
# cold tree faster, but its batch files name sources by absolute path, which no cache shares.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build

# The suite's add-ins of this build, in the user's add-in list of picrows-host.
build/bin/picrows-host --register-addins
