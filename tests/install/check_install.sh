#!/bin/sh
# Installs the build into a scratch prefix and checks what a desktop needs.
set -eu
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
fail=0
for f in bin/barcode-generator libexec/barcode-generator/barcode-generator-window \
         share/applications/barcode-generator.desktop \
         share/icons/hicolor/16x16/apps/barcode-generator.png \
         share/icons/hicolor/32x32/apps/barcode-generator.png \
         share/icons/hicolor/48x48/apps/barcode-generator.png; do
  if [ ! -s "$prefix/$f" ]; then echo "missing: $f"; fail=1; fi
done
[ -x "$prefix/bin/barcode-generator" ] || { echo "not executable: bin/barcode-generator"; fail=1; }
# The batch and --verify run in a program of their own, which the installed one finds.
full="$prefix/libexec/barcode-generator/barcode-generator-full"
[ -x "$full" ] || { echo "not executable: libexec/barcode-generator/barcode-generator-full"; fail=1; }
printf 'A1\n' | "$prefix/bin/barcode-generator" --batch - --type code39 --output "$prefix/batch" 2>/dev/null &&
  [ -s "$prefix/batch/1_A1.png" ] || { echo "the installed program runs no batch"; fail=1; }
for size in 16 32 48; do
  got=$(file -b "$prefix/share/icons/hicolor/${size}x${size}/apps/barcode-generator.png" | grep -o "$size x $size" || true)
  [ -n "$got" ] || { echo "icon ${size}x${size} has the wrong size"; fail=1; }
done
# Without options the program starts the window from libexec: still running
# when the time runs out (124), not "cannot be started" (127).
status=0
QT_QPA_PLATFORM=offscreen timeout 3 "$prefix/bin/barcode-generator" >/dev/null 2>&1 || status=$?
[ "$status" -eq 124 ] || { echo "the installed window did not start (status $status)"; fail=1; }
desktop-file-validate "$prefix/share/applications/barcode-generator.desktop" || fail=1
exit $fail
