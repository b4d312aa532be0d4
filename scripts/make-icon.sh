#!/usr/bin/env bash
# Renders packaging/qostrel.svg at every size the windows ask for: the PNGs
# in packaging/icons/ that the Qt windows carry, and src/ui/win32/qostrel.ico,
# the Windows program's icon.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-packages.sh librsvg2-bin imagemagick
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sizes=(16 24 32 48 256)
for size in "${sizes[@]}"; do
    rsvg-convert -w "$size" -h "$size" packaging/qostrel.svg -o "$work/$size.png"
done
convert $(printf "$work/%s.png " "${sizes[@]}") src/ui/win32/qostrel.ico
mkdir -p packaging/icons
for size in 16 24 32 48 64; do
    rsvg-convert -w "$size" -h "$size" packaging/qostrel.svg -o "packaging/icons/qostrel-$size.png"
done
