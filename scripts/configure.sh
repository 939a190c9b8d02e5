#!/usr/bin/env bash
# Configures one build folder: scripts/configure.sh FOLDER [cmake options...]
# A new folder gets Ninja where it is installed (a folder keeps the generator it was first
# made with), and every folder compiles through ccache where it is installed, so a second
# folder, a clean clone or a rebuild after `git checkout` costs what changed, not everything.
# CMAKE may name a wrapper (the browser build runs "emcmake cmake").
set -euo pipefail
dir="$1"
shift
args=()
if [ ! -f "$dir/CMakeCache.txt" ] && command -v ninja >/dev/null; then
    args+=(-G Ninja)
fi
if command -v ccache >/dev/null && [ "${LINELAB_CCACHE:-1}" != 0 ]; then
    # The precompiled headers of the tests and the view are cached too (they carry no macros
    # or times of their own that ccache would have to check).
    args+=("-DCMAKE_CXX_COMPILER_LAUNCHER=env;CCACHE_SLOPPINESS=pch_defines,time_macros;ccache")
fi
# shellcheck disable=SC2086  # CMAKE is a command with its arguments
exec ${CMAKE:-cmake} -S . -B "$dir" "${args[@]}" "$@" >/dev/null
