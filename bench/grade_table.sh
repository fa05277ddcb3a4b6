#!/bin/sh
# Grades and ink-spread tolerances of all eight types at X 0.25, 0.33 and 0.5 mm, ours as
# SVG with and without "Optimize for Printing" (every bar one dot narrower), beside zint's
# PNG of the same data and X, all graded by --grade at the same resolution.
#   sh bench/grade_table.sh PROGRAM [DPI]
# Prints a Markdown table. A cell is "grade (tolerance for C or better)"; the physical
# checks that fail follow: X out of range, bar height (h) or quiet zones (q) short.
set -eu
program=$1
dpi=${2:-600}
work=$(mktemp -d "${TMPDIR:-/tmp}/grade-table.XXXXXX")
trap 'rm -rf "$work"' EXIT INT TERM

if ! command -v zint >/dev/null 2>&1; then
  echo "grade table: zint is not installed (apt-get install zint)" >&2
  exit 1
fi

# The summary line in a few characters: "A 4.0 -0.10..+0.15 h".
cell() {
  line=$("$program" --grade "$@" 2>&1 | grep '^grade ' | tail -n 1 || true)
  [ -n "$line" ] || { echo "not graded"; return; }
  echo "$line" | awk '{
    split($0, parts, "; ")
    grade = parts[1]; sub(/^grade /, "", grade); sub(/ at X.*/, "", grade); sub(/[()]/, "", grade); sub(/[()]/, "", grade)
    tolerance = "none"; failed = ""
    for (i = 2; i in parts; i++) {
      p = parts[i]
      if (p ~ /or better from/) { t = p; sub(/.* from /, "", t); sub(/ mm ink spread/, "", t); sub(/ to /, "..", t); tolerance = t }
      if (p ~ /^X .*(below|above)/) failed = failed " X"
      if (p ~ /^bar height/) failed = failed " h"
      if (p ~ /quiet zone/ && failed !~ /q/) failed = failed " q"
      if (p ~ /zxing-cpp|zbar/ && p !~ /^zxing-cpp and zbar read/) failed = failed " unread"
    }
    printf "%s %s%s\n", grade, tolerance, failed
  }'
}

echo "| type | X (mm) | ours SVG | ours SVG, bars 1 dot narrower | zint PNG |"
echo "|---|---|---|---|---|"
while read -r key data zint zdata; do
  for x in 0.25 0.33 0.5; do
    dots=$(awk -v x="$x" -v d="$dpi" 'BEGIN { n = int(x * d / 25.4 + 0.5); print n < 1 ? 1 : n }')
    real=$(awk -v n="$dots" -v d="$dpi" 'BEGIN { printf "%.3f", n * 25.4 / d }')
    "$program" --type "$key" --data "$data" --dots "$dots" --dpi "$dpi" --output "$work/plain.svg" >/dev/null
    "$program" --type "$key" --data "$data" --dots "$dots" --dpi "$dpi" --optimize \
      --output "$work/reduced.svg" >/dev/null
    # zint's raster scale is half its pixels a module.
    scale=$(awk -v n="$dots" 'BEGIN { print n / 2 }')
    zint -b "$zint" -d "$zdata" --scale="$scale" --quietzones -o "$work/zint.png" >/dev/null
    echo "| $key | $x ($real) | $(cell "$work/plain.svg" --type "$key" --dpi "$dpi") |" \
      "$(cell "$work/reduced.svg" --type "$key" --dpi "$dpi") |" \
      "$(cell "$work/zint.png" --type "$key" --dpi "$dpi") |"
  done
done <<EOF
code39 CODE39 8 CODE39
i2of5 12345678 3 12345678
code128 Code128 20 Code128
codabar 123456 18 A123456A
ean13 400638133393 13 400638133393
jan13 490123456789 13 490123456789
isbn 978030640615 13 978030640615
upca 03600029145 34 03600029145
EOF
