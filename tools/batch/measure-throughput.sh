#!/bin/sh
# Throughput of linelab-batch for a 10,000-run bit error rate measurement with noise
# (scene "Noise", cmbNoise 0.4, the scene's panels as it sets them), timed as a whole
# process: start-up, the runs and the output.
#
# Usage: measure-throughput.sh [BUILD_DIR | PATH_TO_linelab-batch]   (default: build)
# Prints the runs per second alone on standard output (for the benchmark table) and the
# details on standard error. Uses hyperfine when it is installed (mean of 3 timed runs
# after a warm-up), otherwise one timed run with date +%s.%N.
set -eu

runs=10000
target=${1:-build}
if [ -d "$target" ]; then
    batch="$target/tools/linelab-batch"
else
    batch="$target"
fi
if [ ! -x "$batch" ]; then
    echo "measure-throughput: no linelab-batch at $batch (build it first)" >&2
    exit 1
fi

measure_with_hyperfine() {
    report=$(mktemp)
    trap 'rm -f "$report"' EXIT
    hyperfine --style none --warmup 1 --runs 3 --export-json "$report" \
        "'$batch' --runs $runs cmbScene=Noise cmbNoise=0.4" >/dev/null
    sed -n 's/^ *"mean": *\([0-9.eE+-]*\),*$/\1/p' "$report" | head -n 1
}

measure_with_date() {
    start=$(date +%s.%N)
    "$batch" --runs "$runs" cmbScene=Noise cmbNoise=0.4 >/dev/null
    end=$(date +%s.%N)
    awk -v s="$start" -v e="$end" 'BEGIN { printf "%.6f\n", e - s }'
}

if command -v hyperfine >/dev/null 2>&1; then
    seconds=$(measure_with_hyperfine)
    how="hyperfine, mean of 3"
else
    seconds=$(measure_with_date)
    how="date, one run"
fi

awk -v n="$runs" -v s="$seconds" -v how="$how" 'BEGIN {
    printf "linelab-batch: %d runs with noise in %.3f s (%s)\n", n, s, how > "/dev/stderr"
    printf "%.0f\n", n / s
}'
