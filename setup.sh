#!/usr/bin/env bash
# Installs the Debian packages that building and testing need. Idempotent and quiet:
# packages already installed are skipped, and apt runs only when something is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  qt6-base-dev qt6-multimedia-dev libqt6multimedia6 ffmpeg
  libpugixml-dev libsqlite3-dev libzip-dev libxlsxwriter-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  libturbojpeg0-dev libjpeg-dev libgif-dev libtiff-dev libxml2-dev libgumbo-dev libstb-dev
  fonts-dejavu-core shared-mime-info adwaita-icon-theme unzip python3-openpyxl
  # real HTML pages no one here wrote, for the HTML reader's differential test
  debian-faq developers-reference
  # pages in UTF-8 with "id" targets, named entities beyond Latin-1, XHTML with self-closed anchors
  debian-policy libffi-dev libxslt1-dev
  # hand-made pages with "style" elements inside the body
  sqlite3-doc
  # opening what the programs write, in tests: PDF pages and text
  poppler-utils
  # locale sources, from which tests make a comma-decimal locale with localedef
  locales
  # making the pictures bench/pictures/make_pictures.sh writes (convert, cjpeg, tiffcp)
  imagemagick-6.q16 libjpeg-turbo-progs libtiff-tools
)
# The presentation and spreadsheet exports are checked by opening them with a headless office
# suite, and RTF to HTML is tried on RTF documents its word processor writes (about 80 MB to
# fetch). A machine with the desktop suite gets its spreadsheet program beside it (the headless
# packages would replace a desktop installation); a suite installed some other way is kept.
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
if installed libreoffice-core; then
  packages+=(libreoffice-calc)
elif installed libreoffice-core-nogui || ! command -v soffice >/dev/null; then
  packages+=(libreoffice-calc-nogui libreoffice-impress-nogui libreoffice-writer-nogui)
fi

missing=()
for p in "${packages[@]}"; do
  if ! installed "$p"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "setup.sh: need root or sudo to install: ${missing[*]}" >&2; exit 1; }
  as_root=(sudo)
fi

echo "setup.sh: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
