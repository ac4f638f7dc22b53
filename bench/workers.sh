#!/bin/sh
# What converting in worker processes costs, and what converting several
# files at once gains. Run from the repository root after building in build/.
#
#   1. One 4000 x 3000 8-bit RGB document: converted on the driver's own
#      thread (PICTAVO_CONVERT_IN_PROCESS=1) and in a worker process; then
#      the same for a 64 x 64 document, where starting the worker is most
#      of the work.
#   2. A batch of 24 such documents (12 megapixels each): in-process, in one
#      worker (--jobs=1), and with the default number of jobs (one per core).
#
# The variants of each part run alternately, RUNS (part 1) and BATCH_RUNS
# (part 2) times each; the script prints every run and then the medians of
# the wall time, of the processor time (user and system, the workers'
# included) and of the peak resident memory (of the largest process of the
# run: GNU time reports the driver's or, when larger, a worker's). Other
# work on the machine makes the wall times noisy: the load average is
# printed too.
set -eu

root=$(pwd)
build=${BUILD:-$root/build}
runs=${RUNS:-5}
batch_runs=${BATCH_RUNS:-3}
work=$(mktemp -d "${TMPDIR:-/tmp}/pictavo-workers-XXXXXX")
trap 'rm -rf "$work"' EXIT

# The corpus comes from the project's own document writer, through the
# pipeline benchmark's program.
c++ -std=c++20 -O2 -I"$root/src" -I"$root/tests" \
  "$root/bench/convert_bench.cpp" "$root/tests/support/psd_writer.cpp" \
  "$build/libpictavo_core.a" -lfreeimage \
  $(pkg-config --libs cairo pangocairo pango fontconfig libarchive) -lpthread \
  -o "$work/convert_bench"
mkdir -p "$work/one" "$work/batch" "$work/out" "$work/runtime" "$work/config"
chmod 700 "$work/runtime"
"$work/convert_bench" write "$work/one/doc.psd" 4000 3000 >/dev/null
mkdir -p "$work/tiny"
"$work/convert_bench" write "$work/tiny/doc.psd" 64 64 >/dev/null
for i in $(seq -w 1 24); do ln "$work/one/doc.psd" "$work/batch/doc$i.psd"; done
echo "document: 4000 x 3000 RGB, $(stat -c %s "$work/one/doc.psd") bytes; $(nproc) cores"
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"

# measure LABEL INPUT [OPTION...]: one run; appends "wall kilobytes cpu"
# to $work/LABEL.
measure() {
  label=$1
  input=$2
  shift 2
  rm -f "$work/out/"*
  env XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work/config" $env_extra \
    /usr/bin/time -f "%e %M %U %S" -o "$work/time.txt" \
    "$build/pictavo" -q -i "$input" -o "$work/out/" "$@" >/dev/null
  converted=$(ls "$work/out" | wc -l)
  awk '{ printf "%s %s %.2f\n", $1, $2, $3 + $4 }' "$work/time.txt" >"$work/run.txt"
  read -r wall kilobytes cpu <"$work/run.txt"
  printf "  %-20s %6s s wall %6s s cpu %8s kB  (%s files)\n" "$label" "$wall" "$cpu" \
    "$kilobytes" "$converted"
  cat "$work/run.txt" >>"$work/$label"
}

median() {  # median of column $2 of file $1
  cut -d' ' -f"$2" "$1" | sort -n | awk '{ v[NR] = $1 } END {
    if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

summary() {
  for label in "$@"; do
    printf "  %-20s median %6s s wall %6s s cpu %8s kB\n" "$label" \
      "$(median "$work/$label" 1)" "$(median "$work/$label" 3)" "$(median "$work/$label" 2)"
  done
}

echo "--- one document, $runs runs each"
i=0
while [ "$i" -lt "$runs" ]; do
  env_extra="PICTAVO_CONVERT_IN_PROCESS=1" measure one-in-process "$work/one/doc.psd"
  env_extra="" measure one-worker "$work/one/doc.psd"
  i=$((i + 1))
done
summary one-in-process one-worker

# A tiny document shows the fixed cost of starting a worker on its own.
echo "--- one 64 x 64 document, $runs runs each"
i=0
while [ "$i" -lt "$runs" ]; do
  env_extra="PICTAVO_CONVERT_IN_PROCESS=1" measure tiny-in-process "$work/tiny/doc.psd"
  env_extra="" measure tiny-worker "$work/tiny/doc.psd"
  i=$((i + 1))
done
summary tiny-in-process tiny-worker

echo "--- 24 documents, $batch_runs runs each"
i=0
while [ "$i" -lt "$batch_runs" ]; do
  env_extra="PICTAVO_CONVERT_IN_PROCESS=1" measure batch-in-process "$work/batch/"
  env_extra="" measure batch-jobs-1 "$work/batch/" --jobs=1
  env_extra="" measure batch-default-jobs "$work/batch/"
  i=$((i + 1))
done
summary batch-in-process batch-jobs-1 batch-default-jobs
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
