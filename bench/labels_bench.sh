#!/bin/sh
# Labels against gLabels: the same 10,000-record CSV merged onto A4 sheets of
# 3 x 7 labels of 63.5 x 38.1 mm (477 pages), a Code 128 symbol with its text
# on each, into one PDF: ours best of three, gLabels once (it takes minutes).
#   sh bench/labels_bench.sh PROGRAM [RECORDS]
# Skipped when glabels-3-batch is not installed (Debian: apt-get install glabels).
set -eu
program=$1
records=${2:-10000}
if ! command -v glabels-3-batch >/dev/null 2>&1; then
  echo "labels bench: gLabels is not installed (apt-get install glabels); skipped" >&2
  exit 0
fi
base=${BENCH_TMP:-$( [ -d /dev/shm ] && [ -w /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")}
work=$(mktemp -d "$base/labels-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT INT TERM

awk -v n="$records" 'BEGIN { for (i = 1; i <= n; i++) printf "ASSET-%05d\n", i }' > "$work/list.csv"

# The same sheet for gLabels, with its own Code 128 (GNU Barcode) and text;
# the symbol spans the label less 4 mm each side, as ours does at X = 0.339 mm.
cat > "$work/sheet.glabels" <<EOF
<?xml version="1.0"?>
<Glabels-document xmlns="http://glabels.org/xmlns/3.0/">
  <Template brand="Bench" part="A4-3x7" size="A4" description="3 x 7 of 63.5 x 38.1 mm">
    <Label-rectangle id="0" width="63.5mm" height="38.1mm" round="0mm" x_waste="0mm" y_waste="0mm">
      <Layout nx="3" ny="7" x0="7.25mm" y0="15.15mm" dx="66mm" dy="38.1mm"/>
    </Label-rectangle>
  </Template>
  <Objects id="0" rotate="False">
    <Object-barcode x="4mm" y="5mm" w="55.5mm" h="28mm" backend="gnu-barcode" style="Code128"
      text="True" checksum="True" color="0x000000ff" field="1"
      a0="1" a1="0" a2="0" a3="1" a4="0" a5="0"/>
  </Objects>
  <Merge type="Text/Comma" src="$work/list.csv"/>
</Glabels-document>
EOF

# Wall and CPU seconds (user + system), and peak memory in kB: "wall cpu kb".
timed() {
  /usr/bin/time -f '%e %U %S %M' -o "$work/time" "$@" >/dev/null 2>&1
  awk '{ printf "%s %.3f %s\n", $1, $2 + $3, $4 }' "$work/time"
}
smaller() { [ -z "$1" ] || [ "$(echo "$2 < $1" | bc -l)" = 1 ] && echo "$2" || echo "$1"; }

wall_ours=; cpu_ours=
for round in 1 2 3; do
  set -- $(timed "$program" --labels a4-3x7-63.5x38.1 --type code128 --batch "$work/list.csv" \
             --output "$work/ours.pdf")
  wall_ours=$(smaller "$wall_ours" "$1"); cpu_ours=$(smaller "$cpu_ours" "$2"); kb_ours=$3
done
set -- $(timed glabels-3-batch -o "$work/glabels.pdf" "$work/sheet.glabels")
wall_gl=$1; cpu_gl=$2; kb_gl=$3
pages_ours=$(pdfinfo "$work/ours.pdf" | awk '/^Pages:/ { print $2 }')
pages_gl=$(pdfinfo "$work/glabels.pdf" | awk '/^Pages:/ { print $2 }')

# Memory stays flat: a run of a tenth of the records peaks about as high.
awk -v n="$((records / 10))" 'BEGIN { for (i = 1; i <= n; i++) printf "ASSET-%05d\n", i }' \
  > "$work/short.csv"
set -- $(timed "$program" --labels a4-3x7-63.5x38.1 --type code128 --batch "$work/short.csv" \
           --output "$work/short.pdf")
kb_short=$3

printf 'labels %s records: ours %.2f s (%s pages, CPU %.2f s, peak %s kB; %s records: %s kB), glabels %.2f s (%s pages, CPU %.2f s, peak %s kB)\n' \
  "$records" "$wall_ours" "$pages_ours" "$cpu_ours" "$kb_ours" "$((records / 10))" "$kb_short" \
  "$wall_gl" "$pages_gl" "$cpu_gl" "$kb_gl"
printf 'ratio labels/glabels %.3f\n' "$(echo "$wall_ours / $wall_gl" | bc -l)"
printf 'cpu ratio labels/glabels %.3f\n' "$(echo "$cpu_ours / $cpu_gl" | bc -l)"
