#!/usr/bin/env bash
# The Debian package on a fresh Debian 12: builds the package with cpack,
# installs it with apt into a minimal Debian 12 system made by debootstrap
# (so the package's declared dependencies come from the Debian archive and
# nothing of this machine's own libraries helps), then starts the installed
# program there headless on a campaign level without --data and checks its
# state dump. With Xvfb on this machine it also opens a real window in the
# fresh system (OpenGL through the libraries the package pulled in).
#
# Not part of CI: the first run downloads Debian's base system and the
# game's libraries. Needs root (debootstrap, chroot, mount) and the network.
#
#   tools/deb_check.sh
#   DEB_CACHE=/tmp/ashenreach-debcheck DEB_TREE=build-deb DEB_LEVEL=100 tools/deb_check.sh
#
# The base system is made once and kept in DEB_CACHE/bookworm; every run
# installs into a fresh copy of it (DEB_CACHE/run), removed at the end unless
# DEB_KEEP=1.
set -euo pipefail
cd "$(dirname "$0")/.."
SRC=$PWD
CACHE=${DEB_CACHE:-/tmp/ashenreach-debcheck}
TREE=${DEB_TREE:-build-deb}
LEVEL=${DEB_LEVEL:-100}
MIRROR=${DEB_MIRROR:-http://deb.debian.org/debian}
JOBS=$(nproc); [ "$JOBS" -gt 2 ] && JOBS=2
export PATH="$PATH:/usr/sbin:/sbin"

fail() { echo "deb check: FAILED: $*" >&2; exit 1; }
[ "$(id -u)" -eq 0 ] || fail "needs root (debootstrap, chroot)"
command -v debootstrap >/dev/null || fail "no debootstrap (apt-get install debootstrap)"

# 1. The package, built the way a release is: only the program is compiled.
cmake -S . -B "$TREE" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DASHEN_BENCHMARKS=OFF \
      -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
cmake --build "$TREE" -j"$JOBS" --target ashenreach
rm -f "$TREE"/ashenreach_*.deb
(cd "$TREE" && cpack -G DEB >/dev/null)
deb=$(ls "$TREE"/ashenreach_*.deb 2>/dev/null | head -1)
[ -n "$deb" ] || fail "cpack made no package"
echo "deb check: package $deb"
dpkg-deb --field "$deb" Depends

# 2. A minimal Debian 12, made once.
mkdir -p "$CACHE"
base="$CACHE/bookworm"
if [ ! -f "$base/.complete" ]; then
  rm -rf "$base.tmp"
  echo "deb check: debootstrap bookworm into $base (once)"
  debootstrap --variant=minbase bookworm "$base.tmp" "$MIRROR" >"$CACHE/debootstrap.log" 2>&1 ||
    { tail -20 "$CACHE/debootstrap.log"; fail "debootstrap"; }
  rm -rf "$base"
  mv "$base.tmp" "$base"
  touch "$base/.complete"
fi

# 3. A fresh copy of it for this run; apt's downloads are kept between runs.
run="$CACHE/run"
mounted=()
cleanup() {
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount "${mounted[$i]}" 2>/dev/null || umount -l "${mounted[$i]}" || true; done
  [ "${DEB_KEEP:-0}" = 1 ] || rm -rf "$run"
}
trap cleanup EXIT
rm -rf "$run"
cp -a "$base" "$run"
rm -f "$run/.complete"
mkdir -p "$CACHE/archives/partial"
for m in proc sys dev; do
  mount --bind "/$m" "$run/$m" && mounted+=("$run/$m")
done
mount --bind "$CACHE/archives" "$run/var/cache/apt/archives" && mounted+=("$run/var/cache/apt/archives")
cp /etc/resolv.conf "$run/etc/resolv.conf"
cp "$deb" "$run/tmp/"
in_root() { chroot "$run" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"; }

echo "deb check: apt-get install ./$(basename "$deb") in a fresh Debian 12"
in_root apt-get update -qq
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "/tmp/$(basename "$deb")" \
  >"$CACHE/apt-install.log" 2>&1 || { tail -30 "$CACHE/apt-install.log"; fail "apt-get install"; }
grep -E "^(Setting up|Unpacking) ashenreach" "$CACHE/apt-install.log" | head -2

# 4. What the package put in place, and whether every library resolves.
for f in /usr/games/ashenreach /usr/bin/ashenreach; do [ -x "$run$f" ] && prog=$f; done
[ -n "${prog:-}" ] || fail "no installed program in /usr/bin or /usr/games"
for f in /usr/share/ashenreach/CAMPAIGN/main/MAPS/map1.txt /usr/share/ashenreach/GFX/NORM/130.png \
         /usr/share/applications/ashenreach.desktop /usr/share/icons/hicolor/48x48/apps/ashenreach.png \
         /usr/share/man/man6/ashenreach.6; do
  [ -e "$run$f" ] || [ -e "$run$f.gz" ] || fail "package lacks $f"
done
missing=$(in_root sh -c "ldd $prog" | grep "not found" || true)
[ -z "$missing" ] || fail "libraries not found in the fresh system: $missing"

# 5. A player's start: a user's home, an unrelated working folder, no --data.
in_root sh -c 'rm -rf /tmp/play && mkdir -p /tmp/play/home'
set +e
in_root sh -c "cd /tmp/play && HOME=/tmp/play/home $prog --headless --frames 90 --seed 1 \
  --dump-state /tmp/play/dump.json $LEVEL" >"$CACHE/play.log" 2>&1
rc=$?
set -e
[ "$rc" -eq 0 ] || { cat "$CACHE/play.log"; fail "installed program exited with $rc"; }
dump="$run/tmp/play/dump.json"
[ -s "$dump" ] || fail "no state dump"
got=$(jq -r '[.currentmap, .frames, .mapsize[0], .mapsize[1], .mapname] | @tsv' "$dump") || fail "dump is not JSON"
read -r map frames w h name <<<"$got"
[ "$map" = "$LEVEL" ] || fail "dump's level is $map, not $LEVEL"
[ "$frames" -ge 90 ] && [ "$w" -gt 0 ] && [ "$h" -gt 0 ] || fail "dump: frames $frames, map $w x $h"
echo "deb check: headless level $map ($name): $frames frames, map $w x $h"

# 6. A real window through the installed libraries, when this machine can show one.
if command -v Xvfb >/dev/null; then
  disp=:$((90 + RANDOM % 9))
  Xvfb "$disp" -screen 0 1280x720x24 -nolisten tcp >"$CACHE/xvfb.log" 2>&1 &
  xpid=$!
  sleep 2
  # The X server's abstract socket is reachable from the chroot (same network namespace).
  set +e
  in_root sh -c "cd /tmp/play && HOME=/tmp/play/home DISPLAY=$disp SDL_AUDIODRIVER=dummy $prog --frames 60 --seed 1 \
    --screenshot /tmp/play/window.png --dump-state /tmp/play/window.json $LEVEL" >"$CACHE/window.log" 2>&1
  rc=$?
  set -e
  kill "$xpid" 2>/dev/null; wait "$xpid" 2>/dev/null || true
  [ "$rc" -eq 0 ] || { cat "$CACHE/window.log"; fail "windowed start exited with $rc"; }
  [ -s "$run/tmp/play/window.png" ] || fail "windowed start wrote no screenshot"
  cp "$run/tmp/play/window.png" "$CACHE/window.png"
  echo "deb check: window opened, screenshot in $CACHE/window.png"
fi
echo "deb check: ok"
