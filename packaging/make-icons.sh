#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders vespera.svg into the hicolor PNG sizes committed under icons/, and packs four of
# them into the Windows icon windows/vespera.ico (the 256 pixel one kept as PNG, as Windows
# wants it). Run again after changing the SVG (needs rsvg-convert and icotool, Debian:
# librsvg2-bin and icoutils).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
for size in 16 32 48 64 128 256; do
  mkdir -p "$here/icons/${size}x${size}"
  rsvg-convert -w "$size" -h "$size" "$here/vespera.svg" -o "$here/icons/${size}x${size}/vespera.png"
done
icotool -c -o "$here/windows/vespera.ico" "$here"/icons/{16x16,32x32,48x48}/vespera.png \
  -r "$here/icons/256x256/vespera.png"
