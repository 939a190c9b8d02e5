#!/usr/bin/env bash
# Opens the window, or says how to when this machine has no display.
set -euo pipefail
build="${1:-build}"
app="$build/app/qt/linelab"
if [ ! -x "$app" ]; then
    echo "linelab: the window was not built (configure with -DLINELAB_BUILD_UI=ON)." >&2
    exit 1
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    cat >&2 <<MSG
linelab: no display found (DISPLAY and WAYLAND_DISPLAY are empty).
Run it on a desktop, or on a virtual display:
    xvfb-run -a $app
or render without any display:
    QT_QPA_PLATFORM=offscreen $app
MSG
    exit 1
fi
exec "$app"
