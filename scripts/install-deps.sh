#!/usr/bin/env bash
# Installs with apt-get every Debian package that building, testing and running Tabellario need,
# and nothing when all of them are there already.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  # the Excel workbooks of the export; pdftotext for the tests of the printed pages
  libxlsxwriter-dev poppler-utils
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-qpa-plugins libgl-dev qt6-translations-l10n
  xdg-utils xvfb xauth
  clang libclang-rt-14-dev
  # the Debian package and its checks: CPack's dependency list, lintian, desktop entry and
  # metainfo, manual pages, the icon's PNG sizes
  dpkg-dev file lintian desktop-file-utils appstream man-db librsvg2-bin
  # the end-to-end test on a real X server: window manager, keys, clipboard, window properties
  openbox xdotool xclip x11-utils
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

echo "Installiere fehlende Pakete: ${missing[*]}"
sudo=()
if [[ $(id -u) -ne 0 ]]; then
  sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
