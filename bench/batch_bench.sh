#!/bin/sh
# Batch export against `zint --batch`: the same 10,000-line Code 128 list
# (printable ASCII, 8 to 24 characters), each program writing into its own
# empty folder, PNG at 2 dots per module with the label, then SVG; then our
# PDF beside our SVG.
#   sh bench/batch_bench.sh PROGRAM [LINES]
# BENCH_TMP chooses where the folders go (default: /dev/shm when there is
# one, so that the file system's state weighs on neither program).
# BENCH_MILLION=1 also runs a 1,000,000-line list from standard input and
# reports the peak memory.
set -eu
program=$1
lines=${2:-10000}
base=${BENCH_TMP:-$( [ -d /dev/shm ] && [ -w /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")}
work=$(mktemp -d "$base/batch-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT INT TERM

if ! command -v zint >/dev/null 2>&1; then
  echo "batch bench: zint is not installed (apt-get install zint)" >&2
  exit 1
fi

# A fixed list: the same every run.
awk -v n="$lines" 'BEGIN {
  srand(20261208)
  for (i = 0; i < n; i++) {
    len = 8 + int(rand() * 17); s = ""
    for (j = 0; j < len; j++) s = s sprintf("%c", 33 + int(rand() * 94))
    print s
  }
}' > "$work/list.txt"

# Wall and CPU seconds (user + system) of a command: "wall cpu".
timed() {
  /usr/bin/time -f '%e %U %S' -o "$work/time" "$@" >/dev/null
  awk '{ printf "%s %.3f\n", $1, $2 + $3 }' "$work/time"
}

run_ours() {  # format
  out=$(mktemp -d "$work/ours.XXXXXX")
  timed "$program" --batch "$work/list.txt" --type code128 --dots 2 --format "$1" --output "$out"
  rm -rf "$out"
}

run_zint() {  # format; zint's scale 1 is 2 pixels a module; its label is on by default
  out=$(mktemp -d "$work/zint.XXXXXX")
  (cd "$out" && timed zint --batch --barcode=20 --scale=1 --filetype="$1" -i "$work/list.txt" \
     -o "~~~~~.$1")
  rm -rf "$out"
}

smaller() { [ -z "$1" ] || [ "$(echo "$2 < $1" | bc -l)" = 1 ] && echo "$2" || echo "$1"; }

for format in png svg; do
  # Each side three times, alternating; the best of each counts. The machine
  # may be shared: CPU time is steadier than the clock, and is shown too.
  wall_ours=; cpu_ours=; wall_zint=; cpu_zint=
  for round in 1 2 3; do
    set -- $(run_ours "$format"); wall_ours=$(smaller "$wall_ours" "$1"); cpu_ours=$(smaller "$cpu_ours" "$2")
    set -- $(run_zint "$format"); wall_zint=$(smaller "$wall_zint" "$1"); cpu_zint=$(smaller "$cpu_zint" "$2")
  done
  printf 'batch %s: ours %.2f s (%.0f records/s, CPU %.2f s), zint %.2f s (%.0f records/s, CPU %.2f s)\n' \
    "$format" "$wall_ours" "$(echo "$lines / $wall_ours" | bc -l)" "$cpu_ours" \
    "$wall_zint" "$(echo "$lines / $wall_zint" | bc -l)" "$cpu_zint"
  printf 'ratio batch/zint %s %.2f\n' "$format" "$(echo "$wall_ours / $wall_zint" | bc -l)"
  printf 'cpu ratio batch/zint %s %.2f\n' "$format" "$(echo "$cpu_ours / $cpu_zint" | bc -l)"
done

# PDF against our own SVG: zint 2.11 writes no PDF.
cpu_svg=$cpu_ours
cpu_pdf=
for round in 1 2 3; do
  set -- $(run_ours pdf); cpu_pdf=$(smaller "$cpu_pdf" "$2")
done
printf 'batch pdf: ours CPU %.2f s (%.0f us a record), our svg CPU %.2f s\n' "$cpu_pdf" \
  "$(echo "$cpu_pdf * 1000000 / $lines" | bc -l)" "$cpu_svg"
printf 'cpu ratio batch pdf/svg %.2f\n' "$(echo "$cpu_pdf / $cpu_svg" | bc -l)"

if [ "${BENCH_MILLION:-0}" = 1 ]; then
  out=$(mktemp -d "$work/million.XXXXXX")
  awk 'BEGIN { for (i = 0; i < 1000000; i++) printf "R%07d\n", i }' |
    /usr/bin/time -f 'batch 1000000 lines: %e s, peak memory %M KB' \
      "$program" --batch - --type code128 --dots 1 --no-label --format svg --output "$out" >/dev/null
  rm -rf "$out"
fi
