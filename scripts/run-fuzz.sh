#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz and runs them, then prints each one's
# executions per second and the size of its corpus.
#     run-fuzz.sh          all three below in turn, FUZZ_SECONDS (600 unless set) shared
#                          between them (make fuzz)
#     run-fuzz.sh form     the form model, on corpus/, for FUZZ_SECONDS
#     run-fuzz.sh lesson   the lesson reader, on corpus-lesson/ (seeded with lessons/*.json and
#                          a few lessons near the 1 MB limit), inputs up to that limit
#     run-fuzz.sh arguments
#                          linelab-batch's command line, on corpus-arguments/ (seeded with
#                          fuzz/seeds-arguments: one input per hostile case, the arguments
#                          NUL-separated)
# A broken rule or a sanitizer report stops the run with a non-zero
# status; the input that caused it is left in build-fuzz/ as crash-*, and the action
# sequence that repeats it is in the printed log.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$root/build-fuzz"
which="${1:-all}"
seconds="${FUZZ_SECONDS:-600}"
if [ "$which" = all ]; then
    share=$((seconds / 3))
    status=0
    for one in form lesson arguments; do
        FUZZ_SECONDS="$share" "$0" "$one" || status=$?
    done
    exit "$status"
fi
target=linelab_fuzz
corpus="$root/corpus"
max_len=4096
options=()
case "$which" in
form) ;;
lesson)
    target=linelab_fuzz_lesson
    corpus="$root/corpus-lesson"
    # A lesson file may have 1 MB (kMaxLessonBytes), and the reader must refuse the largest
    # within the time limit: an input taking longer is kept as a timeout.
    max_len=1048576
    options=(-timeout=20)
    ;;
arguments)
    target=linelab_fuzz_arguments
    corpus="$root/corpus-arguments"
    max_len=16384
    options=(-timeout=20)
    ;;
*)
    echo "run-fuzz: form, lesson or arguments, not $which" >&2
    exit 2
    ;;
esac
log="$build/fuzz-$which.log"

# The folder is this script's own: a cache made with another compiler cannot be reused.
if [ -f "$build/CMakeCache.txt" ] && ! grep -q '^CMAKE_CXX_COMPILER:.*clang' "$build/CMakeCache.txt"; then
    rm -rf "$build/CMakeCache.txt" "$build/CMakeFiles"
fi
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release ${launcher[@]+"${launcher[@]}"} \
    -DLINELAB_FUZZ=ON -DLINELAB_BUILD_UI=OFF -DLINELAB_BUILD_BENCH=OFF >/dev/null
# The arguments' target is built as linelab_fuzz_arguments_target (its library has the name).
build_target="$target"
[ "$which" = arguments ] && build_target=linelab_fuzz_arguments_target
cmake --build "$build" --target "$build_target" -j 2 >/dev/null

mkdir -p "$corpus"
if [ "$target" = linelab_fuzz_lesson ] && [ -z "$(ls -A "$corpus")" ]; then
    cp "$root"/lessons/*.json "$corpus"/
fi
if [ "$which" = arguments ]; then
    cp -n "$root"/fuzz/seeds-arguments/* "$corpus"/
fi
# Large seeds, each just under the size limit, for the shapes whose reading could grow
# faster than the file: many keys in one object, one key many times, a long text, a long
# array, many small objects.
if [ "$target" = linelab_fuzz_lesson ]; then
    for shape in keys duplicates text array objects; do
        [ -f "$corpus/large-$shape.json" ] && continue
        awk -v shape="$shape" 'BEGIN {
            q = "\""
            printf "{" q "format" q ": " q "linelab-lesson" q ", " q "version" q ": 1, "
            if (shape == "keys") {
                printf q "lists" q ": {"
                for (i = 0; i < 85000; i++) printf "%s" q "%d" q ":0", (i ? "," : ""), i
                print "}}"
            } else if (shape == "duplicates") {
                printf q "lists" q ": {"
                for (i = 0; i < 40000; i++) printf "%s" q "cmbNoise" q ":" q "0.%d" q, (i ? "," : ""), i % 10
                print "}}"
            } else if (shape == "text") {
                printf q "lists" q ": {" q "cmbNoise" q ": " q
                for (i = 0; i < 100000; i++) printf "0123456789"
                print q "}}"
            } else if (shape == "array") {
                printf q "sliders" q ": {" q "vscThreshold" q ": ["
                for (i = 0; i < 300000; i++) printf "%s1", (i ? "," : "")
                print "]}}"
            } else {
                printf q "run" q ": ["
                for (i = 0; i < 60000; i++) printf "%s{" q "a" q ":1," q "b" q ":2}", (i ? "," : "")
                print "]}"
            }
        }' >"$corpus/large-$shape.json"
    done
    # The hostile cases of their own: text after a NUL, one token of a megabyte, a long
    # run of words in a value quoted by the refusal.
    [ -f "$corpus/nul-then-text.json" ] ||
        { cat "$root/lessons/pam4-noise.json"; printf '\0 anything'; } >"$corpus/nul-then-text.json"
    [ -f "$corpus/large-token.json" ] ||
        { printf '{"format": tru'; head -c 1000000 /dev/zero | tr '\0' e; printf '}'; } \
            >"$corpus/large-token.json"
    [ -f "$corpus/large-words.json" ] || {
        printf '{"format": "linelab-lesson", "version": 1, "scene": "'
        head -c 180000 /dev/zero | tr '\0' ' ' | sed 's/ /word /g'
        printf '"}'
    } >"$corpus/large-words.json"
fi
echo "run-fuzz: $target for ${seconds} s on $corpus"
status=0
"$build/fuzz/$target" -max_len="$max_len" ${options[@]+"${options[@]}"} -len_control=10 -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$build/" "$corpus" >"$log" 2>&1 || status=$?

runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
inputs=$(find "$corpus" -type f | wc -l)
bytes=$(du -sb "$corpus" | cut -f1)
echo "run-fuzz: ${runs:-?} runs, ${rate:-?} exec/s; corpus: ${inputs} inputs, ${bytes} bytes"
if [ "$status" -ne 0 ]; then
    echo "run-fuzz: the fuzzer stopped with status $status; see $log" >&2
    grep -E -A40 'ERROR|broken:|runtime error' "$log" | head -80 >&2 || true
fi
exit "$status"
