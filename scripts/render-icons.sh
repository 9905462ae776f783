#!/usr/bin/env bash
# Renders the PNG sizes of the program's icon from its SVG (packaging/icons/), with rsvg-convert
# (Debian package librsvg2-bin, installed by scripts/install-deps.sh). The PNGs are committed;
# run this after changing the SVG.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
icons=$root/packaging/icons
id=de.tabellario.Tabellario
for size in 16 24 32 48 64 128 256; do
  mkdir -p "$icons/$size"
  rsvg-convert --width "$size" --height "$size" "$icons/$id.svg" --output "$icons/$size/$id.png"
done
echo "Symbole erzeugt: $icons/<Größe>/$id.png"
