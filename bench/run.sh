#!/bin/sh
# Measures one conversion of a 4000 x 3000 8-bit RGB document: once through
# the real executable under /usr/bin/time -v, once in-process through
# ConvertImage alone. Run from the repository root after building in build/.
set -eu

root=$(pwd)
build=${BUILD:-$root/build}
work=$(mktemp -d "${TMPDIR:-/tmp}/pictavo-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT

# The bench program links the core library and the fixture writer.
c++ -std=c++20 -O2 -I"$root/src" -I"$root/tests" \
  "$root/bench/convert_bench.cpp" "$root/tests/support/psd_writer.cpp" \
  "$build/libpictavo_core.a" -lfreeimage \
  $(pkg-config --libs cairo pangocairo pango fontconfig libarchive) -lpthread \
  -o "$work/convert_bench"

"$work/convert_bench" write "$work/doc.psd"
echo "document: $(stat -c %s "$work/doc.psd") bytes"

mkdir -p "$work/out" "$work/runtime" "$work/config"
chmod 700 "$work/runtime"
echo "--- pictavo -i doc.psd -o out/"
XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work/config" \
  /usr/bin/time -v "$build/pictavo" -i "$work/doc.psd" -o "$work/out/" 2>"$work/time.txt" >"$work/console.txt" || true
cat "$work/console.txt"
grep -E "Elapsed \(wall clock\)|Maximum resident set size|User time|System time" "$work/time.txt"
ls -l "$work/out"

echo "--- ConvertImage in-process"
rm -f "$work/out/"*
"$work/convert_bench" convert "$work/doc.psd" "$work/out/"
