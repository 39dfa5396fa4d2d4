#!/usr/bin/env bash
# Builds a second tree (build-asan) with clang, AddressSanitizer,
# UndefinedBehaviorSanitizer and the fuzz targets, runs the whole test suite
# there, then each fuzz target for FUZZ_SECONDS (default 5) over its corpus.
# Any sanitizer report fails the run. The one suppressed leak is a system
# library's (tools/lsan.supp), never the game's own.
set -euo pipefail
cd "$(dirname "$0")/.."
JOBS=$(nproc); [ "$JOBS" -gt 2 ] && JOBS=2
TREE=${ASAN_TREE:-build-asan}
start=$(date +%s)
# CI sets the compile flags of the build type (ASAN_BUILD_FLAGS: -O1 with
# line tables only; the sanitizers find the same faults and their reports
# still name file and line) and of the test programs' own units (ASAN_TEST_FLAGS).
args=()
[ -n "${ASAN_BUILD_FLAGS:-}" ] && args+=("-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=$ASAN_BUILD_FLAGS")
[ -n "${ASAN_TEST_FLAGS:-}" ] && args+=("-DASHEN_TEST_FLAGS=$ASAN_TEST_FLAGS")
cmake -S . -B "$TREE" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
      -DASHEN_FUZZ=ON -DASHEN_BENCHMARKS=OFF -DASHEN_AUTHOR_TOOLS=OFF "${args[@]}" >/dev/null
cmake --build "$TREE" -j"$JOBS"
built=$(date +%s)
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1"
export LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# The GL library loads the software OpenGL driver when a window opens and
# unloads it when the window closes; blocks that only the driver's own data
# still points to then look lost at exit, and an unloaded library has no name
# a suppression could match. Loaded from the start, it stays until the leak
# checker has looked at its data.
dri=$(ls /usr/lib/*/dri/swrast_dri.so 2>/dev/null | head -1 || true)
# The committed glyph images and sounds are the generators' output as built
# by the default compiler, compared byte for byte; built by clang the
# generators make a few of them differently (the flame and blood pictures, the
# explosion sounds), so those two comparisons are left to tools/test.sh.
GENERATED='^(GlyphGenerators\.ModernSetAndCatalogueAreUpToDate|SoundFiles\.CommittedFilesAreTheGeneratorsOutput|LevelMusic\.CommittedFilesAreTheGeneratorsOutput)$'
# The campaign replays play every level to its exit (a quarter of an hour on
# one core under the sanitizers), and the long survival run replays some 85
# minutes of game time; the normal run plays them, and here every campaign
# level is still entered and played by the level-music run and the survival
# chain by the shorter bot run.
SLOW='^(Campaign\.EveryReplayLeavesThroughTheIntendedPortal|SurvivalLong\..*)$'
LD_PRELOAD="${dri}${LD_PRELOAD:+:$LD_PRELOAD}" \
  ctest --test-dir "$TREE" --output-on-failure -j"$JOBS" -E "$GENERATED|$SLOW"
tested=$(date +%s)
for f in tests/fuzz/fuzz_*.cpp; do
  name=$(basename "$f" .cpp)
  scratch=$(mktemp -d)
  # New inputs go to the scratch folder; the committed corpus is only read.
  rc=0
  "$TREE/$name" -max_total_time="${FUZZ_SECONDS:-5}" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$scratch/" "$scratch" "$PWD/tests/fuzz/corpus/$name" >"$scratch.log" 2>&1 || rc=$?
  echo "$name: $(grep -m1 stat::number_of_executed_units "$scratch.log" || echo 'no stats')"
  if [ "$rc" -ne 0 ]; then
    tail -40 "$scratch.log"
    echo "$name: failed (exit $rc); reproducer: $(ls "$scratch"/crash-* "$scratch"/timeout-* "$scratch"/leak-* 2>/dev/null | head -1)"
    exit 1
  fi
  rm -rf "$scratch" "$scratch.log"
done
echo "sanitizers: build $((built - start)) s, tests $((tested - built)) s, fuzz $(( $(date +%s) - tested )) s"
