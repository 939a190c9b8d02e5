#!/usr/bin/env bash
# Proves the Debian package on a machine that has never built LineLab: makes a minimal
# Debian 12 root with debootstrap from Debian's archive, installs the package there with apt
# (so a dependency the package fails to declare shows as a missing library), runs
# linelab-batch on an example lesson and keeps the window running on the offscreen platform
# for a few seconds.
#     check-clean-install.sh [DEB]     (default: build-package/linelab_*.deb, from make package)
# Needs root (debootstrap, chroot, mount) and the network; takes some minutes. The root is
# made in a scratch folder and removed afterwards unless KEEP_ROOT=1. MIRROR picks another
# Debian mirror. CI does not run it.
set -euo pipefail

root_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
deb="${1:-}"
if [ -z "$deb" ]; then
    deb=$(ls "$root_dir"/build-package/linelab_*.deb 2>/dev/null | tail -1 || true)
fi
[ -n "$deb" ] && [ -f "$deb" ] || { echo "check-clean-install: no package; run make package" >&2; exit 1; }
[ "$(id -u)" -eq 0 ] || { echo "check-clean-install: needs root (debootstrap, chroot)" >&2; exit 1; }
mirror="${MIRROR:-http://deb.debian.org/debian}"
seconds="${WINDOW_SECONDS:-5}"

say() { echo "check-clean-install: $*"; }

if ! command -v debootstrap >/dev/null; then
    say "installing debootstrap"
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap >/dev/null
fi

target=$(mktemp -d /var/tmp/linelab-clean-root.XXXXXX)
chmod 0755 "$target"  # apt downloads as _apt, which must reach the lists
cleanup() {
    umount "$target/proc" 2>/dev/null || true
    umount "$target/dev" 2>/dev/null || true
    if [ "${KEEP_ROOT:-0}" = 1 ]; then say "root kept in $target"; else rm -rf "$target"; fi
}
trap cleanup EXIT

say "debootstrap bookworm (minbase) into $target from $mirror"
start=$(date +%s)
debootstrap --variant=minbase bookworm "$target" "$mirror" >"$target.log" 2>&1 ||
    { tail -20 "$target.log" >&2; rm -f "$target.log"; exit 1; }
rm -f "$target.log"
say "root made in $(($(date +%s) - start)) s, $(du -sm "$target" | cut -f1) MB"
mount -t proc proc "$target/proc"
mount --bind /dev "$target/dev"
in_root() { chroot "$target" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
    LANG=C.UTF-8 DEBIAN_FRONTEND=noninteractive "$@"; }

package=/tmp/$(basename "$deb")
cp "$deb" "$target$package"
say "apt-get install $package"
in_root apt-get update -qq
# apt resolves the package's declared dependencies from the archive; an undeclared one
# shows below as a library the programs cannot find.
in_root apt-get install -y --no-install-recommends "$package" >"$target/apt.log" 2>&1 ||
    { tail -30 "$target/apt.log" >&2; exit 1; }
grep -E '^(E:|W:)|newly installed' "$target/apt.log" | grep -v -e 'unsandboxed' -e 'Can not write log' || true
say "$(grep -c '^Setting up' "$target/apt.log") packages set up"

status=0
for program in linelab linelab-batch; do
    missing=$(in_root ldd "/usr/bin/$program" | grep 'not found' || true)
    if [ -n "$missing" ]; then
        say "$program lacks libraries:"; echo "$missing"; status=1
    fi
done
for file in /usr/share/man/man1/linelab.1.gz /usr/share/man/man1/linelab-batch.1.gz \
            /usr/share/mime/packages/org.linelab.LineLab.xml \
            /usr/share/applications/org.linelab.LineLab.desktop; do
    [ -f "$target$file" ] || { say "missing $file"; status=1; }
done
if [ -f "$target/usr/share/mime/mime.cache" ] &&
    ! grep -q 'application/x-linelab-lesson' "$target/usr/share/mime/types" 2>/dev/null; then
    say "the MIME database does not know application/x-linelab-lesson"; status=1
fi

lesson=/usr/share/linelab/lessons/pam4-noise.json
say "linelab-batch --runs 20 --lesson $lesson"
in_root linelab-batch --runs 20 --lesson "$lesson" || { say "linelab-batch failed: $?"; status=1; }

say "linelab $lesson on the offscreen platform for $seconds s"
window=0
in_root QT_QPA_PLATFORM=offscreen timeout "$seconds" linelab "$lesson" >"$target/window.log" 2>&1 ||
    window=$?
head -5 "$target/window.log"
# timeout's 124: the window was still running when it was stopped, as it should be.
if [ "$window" -eq 124 ]; then
    say "the window ran for $seconds s"
else
    say "the window ended early with status $window"; status=1
fi

[ "$status" -eq 0 ] && say "passed" || say "FAILED"
exit "$status"
