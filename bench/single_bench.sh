#!/bin/sh
# One export per process against zint: the same EAN-13 written as PNG, SVG,
# PDF and EPS by a fresh process each time, CPU time (user + system, the
# children included) per process, best of three runs of RUNS processes.
# zint 2.11 writes no PDF: its EPS, its nearest vector file, stands in.
#   sh bench/single_bench.sh PROGRAM [RUNS]
# Files go to /dev/shm when there is one (BENCH_TMP to choose), so that
# neither program's figure holds the disk's: ours syncs each file it writes,
# zint does not.
# Then the widest Code 128 at 20 dots per module and 4800 dpi: its peak
# memory, which a PNG written row by row keeps near one row.
set -eu
program=$1
runs=${2:-200}
base=${BENCH_TMP:-$( [ -d /dev/shm ] && [ -w /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")}
work=$(mktemp -d "$base/single-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT INT TERM

if ! command -v zint >/dev/null 2>&1; then
  echo "single bench: zint is not installed (apt-get install zint)" >&2
  exit 1
fi

# CPU milliseconds a process of the command, best of three.
per_process() {
  best=
  for round in 1 2 3; do
    /usr/bin/time -f '%U %S' -o "$work/time" sh -c '
      n=$1; shift
      i=0; while [ $i -lt $n ]; do "$@" >/dev/null 2>&1; i=$((i + 1)); done' sh "$runs" "$@"
    ms=$(awk -v n="$runs" '{ printf "%.3f", ($1 + $2) * 1000 / n }' "$work/time")
    if [ -z "$best" ] || [ "$(echo "$ms < $best" | bc -l)" = 1 ]; then best=$ms; fi
  done
  echo "$best"
}

data=400638133393
for format in png svg pdf eps; do
  theirs=$format
  [ "$format" = pdf ] && theirs=eps
  ours=$(per_process "$program" --type ean13 --data "$data" --output "$work/ours.$format")
  zint=$(per_process zint -b 13 -d "$data" -o "$work/zint.$theirs")
  printf 'single %s: ours %.2f ms, zint %.2f ms (%s) CPU per process\n' "$format" "$ours" "$zint" "$theirs"
  printf 'ratio single/zint %s %.2f\n' "$format" "$(echo "$ours / $zint" | bc -l)"
done

# The widest Code 128 the program takes: digits, two to a character.
digits=$(awk 'BEGIN { for (i = 0; i < 5600; i++) printf "%d", i % 10 }')
while ! "$program" --type code128 --data "$digits" --no-label --output "$work/wide.svg" >/dev/null 2>&1; do
  digits=${digits%??????????}
done
/usr/bin/time -f '%M' -o "$work/rss" "$program" --type code128 --data "$digits" --dots 20 --dpi 4800 \
  --output "$work/wide.png" > "$work/size"
printf 'widest code128 (%d digits) at 20 dots: %s; peak memory %s KB\n' "${#digits}" \
  "$(sed 's/.*: //; s/, X.*//' "$work/size")" "$(cat "$work/rss")"
