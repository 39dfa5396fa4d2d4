#!/usr/bin/env bash
# Installs what is missing, builds Ashen Reach and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
# CI sets the compile flags of the build type (BUILD_FLAGS) and the extra
# ones of the test programs' own units (TEST_FLAGS).
args=()
[ -n "${BUILD_FLAGS:-}" ] && args+=("-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=$BUILD_FLAGS")
[ -n "${TEST_FLAGS:-}" ] && args+=("-DASHEN_TEST_FLAGS=$TEST_FLAGS")
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo "${args[@]}"
cmake --build build -j"$(nproc)"
ctest --test-dir build --output-on-failure -j"$(nproc)"
