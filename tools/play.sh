#!/usr/bin/env bash
# Installs what is missing, builds Ashen Reach and starts it on the bundled campaign.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
exec ./build/ashenreach --data data "$@"
