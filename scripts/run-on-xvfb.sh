#!/usr/bin/env bash
# run-on-xvfb.sh [--wm] PROGRAM [ARGS...]: runs PROGRAM on a fresh virtual X screen of
# 1280x800 (Xvfb, through xvfb-run) with Qt's X11 platform; with --wm, a small window manager
# (openbox) manages the screen first, as on a desktop. PROGRAM's exit status is returned.
set -euo pipefail
wm=""
if [ "${1:-}" = "--wm" ]; then
    wm=openbox
    shift
fi
exec xvfb-run -a -s "-screen 0 1280x800x24 -nolisten tcp" bash -c '
    wm="$1"
    shift
    if [ -n "$wm" ]; then
        "$wm" --sm-disable >/dev/null 2>&1 &
        wmpid=$!
        # The manager takes the screen within a moment; a window shown before that is
        # managed as soon as it does.
        sleep 0.3
    fi
    status=0
    QT_QPA_PLATFORM=xcb "$@" || status=$?
    if [ -n "$wm" ]; then kill "$wmpid" 2>/dev/null || true; fi
    exit "$status"' run-on-xvfb "$wm" "$@"
