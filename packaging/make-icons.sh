#!/usr/bin/env bash
# Renders vespera.svg into the hicolor PNG sizes committed under icons/.
# Run again after changing the SVG (needs rsvg-convert, Debian: librsvg2-bin).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
for size in 16 32 48 64 128 256; do
  mkdir -p "$here/icons/${size}x${size}"
  rsvg-convert -w "$size" -h "$size" "$here/vespera.svg" -o "$here/icons/${size}x${size}/vespera.png"
done
