#!/usr/bin/env bash
# Renders the application icon (packaging/icons/ID.svg) into the PNG sizes the
# desktop's icon theme looks for (packaging/icons/NxN/ID.png). The PNGs are kept
# in the repository, so a build needs no SVG renderer; run this after changing
# the SVG. Needs rsvg-convert (apt-get install librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../packaging/icons"
id=example.kmlb_library.Trakvella
command -v rsvg-convert > /dev/null || { echo "rsvg-convert is missing: apt-get install librsvg2-bin" >&2; exit 1; }
for size in 16 32 48 64 128 256; do
  mkdir -p "${size}x${size}"
  rsvg-convert --width "$size" --height "$size" "$id.svg" --output "${size}x${size}/$id.png"
done
