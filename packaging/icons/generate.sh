#!/usr/bin/env bash
# Renders the application icon tavri.svg into everything the platforms want:
# the hicolor PNG sizes a Linux desktop looks up and the multi-size .ico that
# the Windows resource script embeds. The results are committed (a Windows
# build has neither tool), so run this after every change to tavri.svg and
# commit what it writes; the test suite re-renders and fails on stale files.
#
#   bash packaging/icons/generate.sh            # writes beside this script
#   bash packaging/icons/generate.sh OUTDIR     # writes into OUTDIR instead
#
# Needs rsvg-convert (librsvg2-bin) and icotool (icoutils).
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
out="${1:-$here}"
source_svg="$here/tavri.svg"
name=tavri

# Sizes of the freedesktop hicolor theme that desktops actually ask for.
hicolor_sizes=(16 22 24 32 48 64 128 256)
# Sizes Windows picks from for title bars, the task bar, Explorer's views and
# high-DPI screens; 256 is stored as PNG, the rest as bitmaps any Windows reads.
ico_sizes=(16 24 32 48 64)
ico_png_size=256

for tool in rsvg-convert icotool; do
  if ! command -v "$tool" >/dev/null; then
    echo "generate.sh: $tool is missing (run scripts/setup.sh)" >&2
    exit 1
  fi
done

for size in "${hicolor_sizes[@]}"; do
  dir="$out/hicolor/${size}x${size}/apps"
  mkdir -p "$dir"
  rsvg-convert --format=png --width="$size" --height="$size" "$source_svg" \
    --output="$dir/$name.png"
done

ico_inputs=()
for size in "${ico_sizes[@]}"; do
  ico_inputs+=("$out/hicolor/${size}x${size}/apps/$name.png")
done
icotool --create --output="$out/$name.ico" "${ico_inputs[@]}" \
  --raw="$out/hicolor/${ico_png_size}x${ico_png_size}/apps/$name.png"
