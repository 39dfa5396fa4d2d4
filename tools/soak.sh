#!/usr/bin/env bash
# Soak run: plays levels headless, unpaced, with random input from a fixed seed
# for SOAK_FRAMES frames each (default 108000: an hour of game time at 30
# frames a second) and samples the process's resident memory as it goes.
# Fails when a run does not finish cleanly (a sanitizer report included) or
# when its memory keeps growing: the last sample may exceed the sample taken a
# quarter of the way in by at most SOAK_GROWTH_MB (default 16). Sample every
# SOAK_EVERY seconds; a run with fewer than four samples is not judged on memory.
#
#   tools/soak.sh [PROGRAM]            (default build-asan/ashenreach)
#   SOAK_LEVELS="5 100 50" SOAK_FRAMES=108000 SOAK_SEED=1 SOAK_EVERY=5 tools/soak.sh
#
# Level 5 is a generated level, 100 the campaign's first, 50 the deathmatch
# arena. Alone on levels 5 and 100 the player is soon killed and the world
# plays on around him; in the arena two players (the keyboard and its second
# layout) fight on and come back with the use key each time they fall, so the
# whole hour is played by living players. Each run leaves its input script,
# memory samples (seconds, KiB) and state dump in SOAK_OUT (default soak-out/).
set -uo pipefail
cd "$(dirname "$0")/.."
BIN=${1:-build-asan/ashenreach}
LEVELS=${SOAK_LEVELS:-"5 100 50"}
FRAMES=${SOAK_FRAMES:-108000}
SEED=${SOAK_SEED:-1}
EVERY=${SOAK_EVERY:-5}
GROWTH=${SOAK_GROWTH_MB:-16}
OUT=${SOAK_OUT:-soak-out}
mkdir -p "$OUT"
[ -x "$BIN" ] || { echo "soak: no program $BIN" >&2; exit 2; }

# Sanitizer settings for a sanitizer build (ignored by a normal one): a small
# quarantine of freed blocks, so that its filling up is not mistaken for growth.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:quarantine_size_mb=16:malloc_context_size=10}"
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$PWD/tools/lsan.supp:print_suppressions=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

# Random input: a movement key held for a while, fire directions, weapon
# choice, inventory slots, zoom and the automap. Keys that open menus or ask
# to quit (Escape, F1, F5, F9) are left out: they would wait for an answer.
# The use key (space) is pressed in the arena only (ARENA=1): there a fallen
# player presses it to come back; a lone player who dies and presses it gives
# the game up, which would end the run, so alone he stays down and the world
# plays on. In the arena the second player plays the keyboard's second layout:
# i j k l push the stick, p fires along it, o with a stick push picks a weapon
# or an item, o and p together use (and bring him back when he is down).
makeinput() {
  awk -v frames="$1" -v seed="$2" -v arena="$3" 'BEGIN {
    srand(seed)
    n = split("a d w s", move, " ")
    m = split("left right up down", fire, " ")
    k = split("1 2 3 4 5 6 7 8 9 e r t y u z tab", other, " ")
    f = 10
    while (f < frames - 60) {
      mk = move[int(rand() * n) + 1]; hold = 3 + int(rand() * 40)
      print f " down " mk
      if (rand() < 0.6) { fk = fire[int(rand() * m) + 1]; print f + 1 " down " fk; print f + 1 + int(rand() * hold) " up " fk }
      if (rand() < 0.15) { ok = other[int(rand() * k) + 1]; print f + 2 " down " ok; print f + 4 " up " ok }
      if (arena && rand() < 0.2) { print f + 3 " down space"; print f + 5 " up space" }
      print f + hold " up " mk
      f += hold + 1 + int(rand() * 8)
    }
    if (!arena) exit
    n = split("i j k l", stick, " ")
    f = 13
    while (f < frames - 60) {
      sk = stick[int(rand() * n) + 1]; hold = 3 + int(rand() * 40); r = rand()
      if (r < 0.5) { print f " down p" }
      else if (r < 0.6) { print f " down o" }
      else if (r < 0.75) { print f " down o"; print f " down p" }
      print f + 1 " down " sk
      print f + hold " up " sk
      print f + hold " up o"; print f + hold " up p"
      f += hold + 1 + int(rand() * 8)
    }
  }' | sort -s -n -k1,1
}

status=0
for level in $LEVELS; do
  script="$OUT/input_$level.txt"
  samples="$OUT/rss_$level.txt"
  user="$OUT/user_$level"
  rm -rf "$user"; mkdir -p "$user"
  arena=0; [ "$level" = 50 ] && arena=1
  makeinput "$FRAMES" "$SEED" "$arena" >"$script"
  start=$(date +%s)
  "$BIN" --headless --size 320x200 --frames "$FRAMES" --seed "$SEED" --input "$script" \
         --data data --user-dir "$user" --dump-state "$OUT/dump_$level.json" "$level" \
         >"$OUT/log_$level.txt" 2>&1 &
  pid=$!
  : >"$samples"
  while kill -0 "$pid" 2>/dev/null; do
    rss=$(awk '/^VmRSS:/ {print $2}' "/proc/$pid/status" 2>/dev/null)
    [ -n "$rss" ] && echo "$(( $(date +%s) - start )) $rss" >>"$samples"
    sleep "$EVERY"
  done
  wait "$pid"; rc=$?
  secs=$(( $(date +%s) - start ))
  played=$(grep -o '"frames": *[0-9]*' "$OUT/dump_$level.json" 2>/dev/null | grep -o '[0-9]*$')
  dead=$(grep -o '"dead": *[a-z]*' "$OUT/dump_$level.json" 2>/dev/null | head -1 | grep -o '[a-z]*$')
  deaths=$(jq -r '[.players[] | .deaths] | map(tostring) | join("/")' "$OUT/dump_$level.json" 2>/dev/null)
  read -r first quarter last peak count < <(awk '{ v[NR] = $2; if ($2 > p) p = $2 }
      END { q = int(NR / 4); if (q < 2) q = 2; if (q > NR) q = NR; print v[1], v[q], v[NR], p, NR }' "$samples")
  verdict=ok
  if [ "$rc" -ne 0 ]; then verdict="exit $rc"; fi
  if [ "${played:-0}" -lt "$FRAMES" ]; then verdict="ended after ${played:-?} frames"; fi
  if grep -q -E "ERROR: (Address|Leak)Sanitizer|runtime error:" "$OUT/log_$level.txt"; then verdict="sanitizer report"; fi
  # The first sample is the program starting up; growth is judged from a
  # quarter of the way in, once there are samples enough for that.
  if [ "${count:-0}" -ge 4 ] && [ $(( (last - quarter) / 1024 )) -gt "$GROWTH" ]; then verdict="memory grew"; fi
  echo "soak level $level: $verdict; ${played:-?} frames in ${secs} s (player dead at the end: ${dead:-?}, deaths ${deaths:-?});" \
       "RSS KiB first ${first:-?}," \
       "at a quarter ${quarter:-?}, last ${last:-?}, peak ${peak:-?} (${count:-0} samples)"
  [ "$verdict" = ok ] || { status=1; tail -30 "$OUT/log_$level.txt"; }
done
exit $status
