#!/bin/sh
# The release zip unpacks to tavri.exe and its two read-me texts, and the
# unpacked program starts under Wine and ends through its close box.
#   check_zip.sh ZIP SCRATCH WINE START_CHECK_EXE
set -eu
zip="$1"; scratch="$2"; wine="$3"; start_check="$4"
rm -rf "$scratch"
mkdir -p "$scratch"
(cd "$scratch" && cmake -E tar xf "$zip")
folder="$scratch/tavri-1.00"
status=0
for file in tavri.exe README-ja.txt README-en.txt; do
  [ -f "$folder/$file" ] || { echo "missing: $file"; status=1; }
done
# Read-me texts for Notepad: CRLF line ends; the Japanese one UTF-8 with a BOM.
[ "$(head -c 3 "$folder/README-ja.txt" | od -An -tx1 | tr -d ' ')" = "efbbbf" ] ||
  { echo "README-ja.txt has no UTF-8 byte order mark"; status=1; }
for file in README-ja.txt README-en.txt; do
  if tr -d '\r' <"$folder/$file" | cmp -s - "$folder/$file"; then
    echo "$file has no CRLF line ends"; status=1
  elif [ "$(grep -c "$(printf '[^\r]$')" "$folder/$file" || true)" != "0" ]; then
    echo "$file mixes line ends"; status=1
  fi
done
"$wine" "$start_check" "$folder/tavri.exe" || status=1
exit $status
