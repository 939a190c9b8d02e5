#!/usr/bin/env bash
# Installs, from Debian's archive, whatever the build and the tests need and the machine
# lacks. Non-interactive and idempotent; prints nothing when everything is already there.
set -euo pipefail

packages=(cmake make g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev
          qt6-base-dev libgl-dev libfftw3-dev xvfb xauth nlohmann-json3-dev libcli11-dev
          libboost-dev qt6-svg-dev dpkg-dev fakeroot desktop-file-utils appstream
          libqcustomplot-dev libxml2-utils xz-utils ninja-build ccache openbox)
if [ "${1:-}" = "--fuzz" ]; then
    packages+=(clang libclang-rt-14-dev)
fi
# The browser build: the compiler, its JavaScript parser for the optimizer, GoogleTest's
# sources (built for the browser), node to run the tests, a headless browser for the page's.
if [ "${1:-}" = "--web" ]; then
    packages+=(emscripten node-acorn googletest chromium nlohmann-json3-dev libboost-dev)
    # Node and npm may come from elsewhere already (a newer node carries its own npm).
    command -v node >/dev/null || packages+=(nodejs)
    command -v npm >/dev/null || packages+=(npm)
fi

missing=()
web_packages() {  # the page's plot library and browser driver, exactly as the lock file pins them
    local web
    web="$(cd "$(dirname "$0")/../web" && pwd)"
    # Installed again whenever the lock file is newer than what npm last installed from it.
    local installed="$web/node_modules/.package-lock.json"
    if [ "${1:-}" = "--web" ] && { [ ! -f "$installed" ] || [ "$web/package-lock.json" -nt "$installed" ]; }; then
        (cd "$web" && npm ci --no-audit --no-fund --loglevel=error)
    fi
}
# One query for all of them (one per package took seconds on a busy machine).
installed=" $(dpkg-query -W -f='${Package}:${Status}\n' "${packages[@]}" 2>/dev/null |
              sed -n 's/:install ok installed$//p' | tr '\n' ' ') "
for p in "${packages[@]}"; do
    [[ "$installed" == *" $p "* ]] || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
    web_packages "${1:-}"
    exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "install-deps: need root or sudo to install: ${missing[*]}" >&2; exit 1; }
    sudo="sudo"
fi
echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
web_packages "${1:-}"
