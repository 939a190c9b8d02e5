#!/usr/bin/env bash
# Fails when a file includes a project folder that is not below its own. The layers, bottom
# first; folders on one line are peers and may not include each other:
#
#   common                      number texts, Signal, run arrays, tables, reporting
#   dsp                         FFT, complex product, the design of the responses
#   ports                       what a tick needs from its owner (interfaces only)
#   transmit receiver display   the stages and the drawing routines
#   engine                      the frame loop, run control and the engine's commands
#   analysis                    measurements over run data
#   folded                      the link folded onto its decision instants, for sweeps
#   sweep                       many engines on a pool of threads
#   ui                          the form model (no Qt)
#   lesson                      lesson files: read, applied, collected, saved
#   app/curves                  the BER Curve window's side of a sweep, for both front ends
#   app/qt tools web            the Qt view, linelab-batch and the page's module
#
# bench/, fuzz/ and tests/ sit on top and may include anything.
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root"

rank_of() {
    case "$1" in
        common) echo 0 ;;
        dsp) echo 1 ;;
        ports) echo 2 ;;
        transmit | receiver | display) echo 3 ;;
        engine) echo 4 ;;
        analysis) echo 5 ;;
        folded) echo 6 ;;
        sweep) echo 7 ;;
        ui) echo 8 ;;
        lesson) echo 9 ;;
        app/curves) echo 10 ;;
        app/qt | tools | web) echo 11 ;;
        *) echo "" ;;
    esac
}

# The layer a path belongs to: app/qt and app/curves as one layer each, else the first path
# element.
layer_of() {
    case "$1" in
        app/qt/*) echo app/qt ;;
        app/curves/*) echo app/curves ;;
        *) echo "${1%%/*}" ;;
    esac
}

status=0
while IFS= read -r file; do
    from=$(layer_of "$file")
    from_rank=$(rank_of "$from")
    [[ -z "$from_rank" ]] && continue
    while IFS= read -r target; do
        to=$(layer_of "$target")
        to_rank=$(rank_of "$to")
        [[ -z "$to_rank" || "$to" == "$from" ]] && continue
        if ((to_rank >= from_rank)); then
            echo "$file includes $target: $to is not below $from" >&2
            status=1
        fi
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
done < <(find . \( -path ./build\* -o -path ./web/node_modules \) -prune -o -type f \( -name '*.h' -o -name '*.cpp' \) -print |
         sed 's#^\./##' | sort)

# The same rule for the build: a folder's CMake file may link only the libraries of folders
# below it. A library is named after its folder (linelab_view is app/qt's).
folder_of_library() {
    case "$1" in
        linelab_view) echo app/qt ;;
        linelab_curves) echo app/curves ;;
        linelab_*) echo "${1#linelab_}" ;;
        *) echo "" ;;
    esac
}
while IFS= read -r cmake; do
    dir=${cmake%/CMakeLists.txt}
    from_rank=$(rank_of "$(layer_of "$dir/x")")
    [[ -z "$from_rank" ]] && continue
    # Every linelab_ name inside a target_link_libraries call, which may span lines.
    while IFS= read -r library; do
        to=$(folder_of_library "$library")
        to_rank=$(rank_of "$to")
        [[ -z "$to_rank" || "$to" == "$(layer_of "$dir/x")" ]] && continue
        if ((to_rank >= from_rank)); then
            echo "$cmake links $library: $to is not below $dir" >&2
            status=1
        fi
    done < <(awk '/target_link_libraries\(/ {on = 1} on {print} on && /\)/ {on = 0}' "$cmake" |
             grep -o 'linelab_[a-z_]*' | grep -v '^linelab_options$' | sort -u)
done < <(find . -path ./build\* -prune -o -path ./tests -prune -o -path ./bench -prune \
              -o -path ./fuzz -prune -o -name CMakeLists.txt -print | sed 's#^\./##' | sort)

if ((status == 0)); then echo "layers: every include and every link points down"; fi
exit $status
