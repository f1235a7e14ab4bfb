#!/usr/bin/env bash
# Renders the icon's pictures from its drawing, in every size installed.
# Run after changing the drawing; needs rsvg-convert (librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 22 24 32 48 64 128 256; do
  mkdir -p "$size"
  rsvg-convert -w "$size" -h "$size" org.mirrowdale.Tarvoss.svg -o "$size/org.mirrowdale.Tarvoss.png"
done
