#!/usr/bin/env bash
# Renders the program's icon src/resources/vuka-manager.svg into the PNG sizes the
# desktop uses: vuka-manager.png (64x64, also compiled into the program),
# vuka-manager-48.png and vuka-manager-128.png. Run it after changing the SVG and
# commit the results; it needs rsvg-convert (Debian package librsvg2-bin).
set -euo pipefail
resources="$(cd "$(dirname "$0")/../src/resources" && pwd)"
render() {  # size, output file
  rsvg-convert --width "$1" --height "$1" --output "$resources/$2" "$resources/vuka-manager.svg"
}
render 48 vuka-manager-48.png
render 64 vuka-manager.png
render 128 vuka-manager-128.png
