#!/usr/bin/env bash
# Runs every benchmark and ends with one table of the project's headline figures.
set -euo pipefail
build="${1:-build}"
out="$build/bench-results"
mkdir -p "$out"

run_bench() {  # program, csv file, extra arguments...
    local program="$1" csv="$2"
    shift 2
    if [ -x "$program" ]; then
        "$program" --benchmark_out="$csv" --benchmark_out_format=csv "$@"
    else
        echo "run-bench: $program was not built; skipped" >&2
        : >"$csv"
    fi
}

run_bench "$build/bench/linelab_bench" "$out/core.csv" --benchmark_min_time=0.5
run_bench "$build/ui/qt/linelab_bench_paint" "$out/paint.csv"
batch_rate=$(tools/batch/measure-throughput.sh "$build" 2>/dev/null || echo "n/a")

# cpu time of one benchmark in microseconds, from Google Benchmark's CSV output.
micros() {  # csv, benchmark name
    awk -F, -v name="\"$2\"" '
        $1 == name || $1 == substr(name, 2, length(name) - 2) {
            t = $4; u = $5; gsub(/"/, "", u)
            if (u == "ns") t /= 1000; else if (u == "ms") t *= 1000; else if (u == "s") t *= 1e6
            printf "%.2f", t; found = 1; exit
        }
        END { if (!found) printf "n/a" }' "$1"
}
per_second() { awk -v t="$1" 'BEGIN { if (t == "n/a" || t == 0) print "n/a"; else printf "%.0f", 1e6 / t }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (a == "n/a" || b == "n/a" || b == 0) print "n/a"; else printf "%.2f", a / b }'; }

fft=$(micros "$out/core.csv" BM_FFT2048_Forward)
fftw=$(micros "$out/core.csv" BM_FFTW2048_InPlace)
quiet=$(micros "$out/core.csv" BM_TickQuiet)
busy=$(micros "$out/core.csv" BM_TickBusyNoisy)
draw=$(micros "$out/core.csv" BM_DisplayFrame)
paint=$(micros "$out/paint.csv" BM_PaintedFrameScene6)

cat <<TABLE

LineLab headline figures (cpu time on one core)
------------------------------------------------------------------------------
2048-point FFT, ours                      ${fft} us   (FFTW ${fftw} us, ratio $(ratio "$fft" "$fftw"); target <= 3.5)
Headless tick, panels off, no noise       $(per_second "$quiet") runs/s   (target >= 30000)
Headless tick, all panels, noise          $(per_second "$busy") runs/s   (target >= 8000)
Drawing one frame on a null canvas        ${draw} us   (target < 300)
Painted frame, scene 6, offscreen         ${paint} us   (target < 8000)
linelab-batch, 10,000-run BER with noise  ${batch_rate} runs/s (whole process)
------------------------------------------------------------------------------
TABLE
