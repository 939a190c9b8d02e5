#!/usr/bin/env bash
# Runs every benchmark and ends with one table of the project's headline figures.
set -euo pipefail
build="${1:-build}"
out="$build/bench-results"
mkdir -p "$out"

run_bench() {  # program, json file, extra arguments...
    local program="$1" csv="$2"
    shift 2
    if [ -x "$program" ]; then
        "$program" --benchmark_out="$csv" --benchmark_out_format=json "$@"
    else
        echo "run-bench: $program was not built; skipped" >&2
        : >"$csv"
    fi
}

run_bench "$build/bench/linelab_bench" "$out/core.json" --benchmark_min_time=0.5
run_bench "$build/app/qt/linelab_bench_paint" "$out/paint.json"
run_bench "$build/bench/linelab_bench_sweep" "$out/sweep.json"
batch_rate=$(tools/batch/measure-throughput.sh "$build" 2>/dev/null || echo "n/a")

# cpu time of one benchmark in microseconds, from Google Benchmark's JSON output (one key
# per line: "name" comes before "cpu_time" and "time_unit" within each run).
micros() {  # json, benchmark name
    awk -v name="$2" '
        /"name":/ { current = $0; sub(/.*"name": *"/, "", current); sub(/".*/, "", current) }
        current == name && /"cpu_time":/ { t = $0; sub(/.*"cpu_time": */, "", t); sub(/,.*/, "", t) }
        current == name && /"time_unit":/ {
            u = $0; sub(/.*"time_unit": *"/, "", u); sub(/".*/, "", u)
            if (u == "ns") t /= 1000; else if (u == "ms") t *= 1000; else if (u == "s") t *= 1e6
            printf "%.2f", t; found = 1; exit
        }
        END { if (!found) printf "n/a" }' "$1"
}
# A user counter of one benchmark (the soak's resident memory), as reported.
counter() {  # json, benchmark name, counter
    awk -v name="$2" -v key="\"$3\":" '
        /"name":/ { current = $0; sub(/.*"name": *"/, "", current); sub(/".*/, "", current) }
        current == name && index($0, key) { v = $0; sub(/.*: */, "", v); sub(/,.*/, "", v)
                                            printf "%.0f", v; found = 1; exit }
        END { if (!found) printf "n/a" }' "$1"
}
per_second() { awk -v t="$1" 'BEGIN { if (t == "n/a" || t == 0) print "n/a"; else printf "%.0f", 1e6 / t }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (a == "n/a" || b == "n/a" || b == 0) print "n/a"; else printf "%.2f", a / b }'; }

fft=$(micros "$out/core.json" BM_FFT2048_Forward)
fftw=$(micros "$out/core.json" BM_FFTW2048_InPlace)
quiet=$(micros "$out/core.json" BM_TickQuiet)
busy=$(micros "$out/core.json" BM_TickBusyNoisy)
draw=$(micros "$out/core.json" BM_DisplayFrame)
paint=$(micros "$out/paint.json" BM_PaintedFrame)
density=$(micros "$out/paint.json" BM_PaintDensityEyes)
fast_rate=$(counter "$out/paint.json" "BM_FastRunPanelsOff/real_time" runs/s)
hundred=$(awk '
    /"name":/ { current = $0; sub(/.*"name": *"/, "", current); sub(/".*/, "", current) }
    current ~ /^BM_FastRunHundredErrors/ && /"real_time":/ { t = $0; sub(/.*"real_time": */, "", t); sub(/,.*/, "", t); printf "%.1f", t; found = 1; exit }
    END { if (!found) printf "n/a" }' "$out/paint.json")
# Sweeps: real (wall) time matters there, so the runs/s counters are rates over real time.
worker_rate=$(counter "$out/sweep.json" "BM_SweepWorker/real_time" runs/s)
one_rate=$(counter "$out/sweep.json" "BM_SweepThreads/threads:1/real_time" runs/s)
two_rate=$(counter "$out/sweep.json" "BM_SweepThreads/threads:2/real_time" runs/s)
cpu_one=$(counter "$out/sweep.json" "BM_SweepThreads/threads:1/real_time" cpu_us/run)
cpu_two=$(counter "$out/sweep.json" "BM_SweepThreads/threads:2/real_time" cpu_us/run)
cpu_bound=$(awk -v a="$cpu_one" -v b="$cpu_two" 'BEGIN { if (a == "n/a" || b == "n/a" || b == 0) print "n/a"; else printf "%.0f", 100 * a / b }')
efficiency=$(awk -v a="$two_rate" -v b="$one_rate" 'BEGIN { if (a == "n/a" || b == "n/a" || b == 0) print "n/a"; else printf "%.0f", 100 * a / (2 * b) }')
point_1e6=$(awk '
    /"name":/ { current = $0; sub(/.*"name": *"/, "", current); sub(/".*/, "", current) }
    current ~ /^BM_SweepPointAt1e6/ && /"real_time":/ { t = $0; sub(/.*"real_time": */, "", t); sub(/,.*/, "", t); printf "%.1f", t; found = 1; exit }
    END { if (!found) printf "n/a" }' "$out/sweep.json")
cancel=$(awk '
    /"name":/ { current = $0; sub(/.*"name": *"/, "", current); sub(/".*/, "", current) }
    current ~ /^BM_SweepCancel/ && /"real_time":/ { t = $0; sub(/.*"real_time": */, "", t); sub(/,.*/, "", t); printf "%.1f", t; found = 1; exit }
    END { if (!found) printf "n/a" }' "$out/sweep.json")
folded_rate=$(counter "$out/sweep.json" "BM_FoldedWorker/real_time" runs/s)
folded_cpu_one=$(counter "$out/sweep.json" "BM_FoldedThreads/threads:1/real_time" cpu_us/run)
folded_cpu_two=$(counter "$out/sweep.json" "BM_FoldedThreads/threads:2/real_time" cpu_us/run)
folded_core=$(awk -v a="$folded_cpu_one" 'BEGIN { if (a == "n/a" || a == 0) print "n/a"; else printf "%.0f", 1e6 / a }')
folded_efficiency=$(awk -v a="$folded_cpu_one" -v b="$folded_cpu_two" 'BEGIN { if (a == "n/a" || b == "n/a" || b == 0) print "n/a"; else printf "%.0f", 100 * a / b }')
point_1e7=$(awk '
    /"name":/ { current = $0; sub(/.*"name": *"/, "", current); sub(/".*/, "", current) }
    current ~ /^BM_FoldedPointAt1e7/ && /"real_time":/ { t = $0; sub(/.*"real_time": */, "", t); sub(/,.*/, "", t); printf "%.1f", t; found = 1; exit }
    END { if (!found) printf "n/a" }' "$out/sweep.json")
# A point at 1e-8 needs ten times the bits of one at 1e-7.
point_1e8=$(awk -v t="$point_1e7" 'BEGIN { if (t == "n/a") print "n/a"; else printf "%.1f", 10 * t / 60 }')
# The statistical eye, milliseconds of cpu time.
millis() { awk -v t="$1" 'BEGIN { if (t == "n/a") print "n/a"; else printf "%.1f", t / 1000 }'; }
stateye_start=$(millis "$(micros "$out/core.json" BM_StatisticalEye/0)")
stateye_worst=$(millis "$(micros "$out/core.json" BM_StatisticalEye/1)")
statcurve=$(millis "$(micros "$out/core.json" BM_StatisticalBerCurve/1)")
soak="BM_Soak/runs:1000000/panels:0/iterations:1"
rss_start=$(counter "$out/core.json" "$soak" rss_start_kB)
rss_end=$(counter "$out/core.json" "$soak" rss_end_kB)
soak_rate=$(counter "$out/core.json" "$soak" runs/s)

cat <<TABLE

LineLab headline figures (cpu time on one core)
------------------------------------------------------------------------------
2048-point FFT, ours                      ${fft} us   (FFTW ${fftw} us, ratio $(ratio "$fft" "$fftw"); target <= 1.3)
Headless tick, panels off, no noise       $(per_second "$quiet") runs/s   (target >= 30000)
Headless tick, all panels, noise          $(per_second "$busy") runs/s   (target >= 8000)
Drawing one frame on a null canvas        ${draw} us   (target < 300)
Painted frame, scene 6, offscreen         ${paint} us   (target < 8000)
Three density eyes and calipers painted   ${density} us   (target <= 2000)
linelab-batch, 10,000-run BER with noise  ${batch_rate} runs/s (whole process)
Soak, 1,000,000 runs with noise           ${soak_rate} runs/s, resident ${rss_start} kB -> ${rss_end} kB
Sweep worker, Noise scene, panels off     ${worker_rate} runs/s   (target >= 25000)
Sweep on two cores: parallel efficiency   ${efficiency} %   (target >= 85; cpu time per run allows ${cpu_bound} %)
Sweep point at BER 1e-6, 100 errors       ${point_1e6} s wall   (target <= 60)
Sweep cancel until every worker stopped   ${cancel} ms   (target < 100)
Folded sweep worker, Noise scene, RRC/M   ${folded_rate} runs/s wall, ${folded_core} runs/s by cpu time   (target >= 150000)
Folded sweep on two cores, by cpu time    ${folded_efficiency} %   (target >= 90)
Folded point at BER 1e-7, two threads     ${point_1e7} s wall; at 1e-8 about ${point_1e8} min   (target <= 10 min)
Fast in the window, Noise scene, panels off ${fast_rate} runs/s   ($(ratio "$fast_rate" "$worker_rate") of the sweep worker; target >= 0.80)
Fast in the window: BER ~4e-6, 100 errors ${hundred} s wall   (target < 120)
Statistical eye 65 x 256, start-up       ${stateye_start} ms   (target <= 100)
Statistical eye, HDB3 in 4B5B, echo       ${stateye_worst} ms   (target <= 1000)
Statistical BER curve, 30 points, worst   ${statcurve} ms   (target <= 1000)
------------------------------------------------------------------------------
TABLE
