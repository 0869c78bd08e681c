#!/usr/bin/env bash
# Installs what is missing (Debian 12), builds everything into build/ (the
# benchmarks too, so they keep compiling) and runs every test without a display.
set -euo pipefail
cd "$(dirname "$0")"

bash scripts/install-deps.sh
jobs=${JOBS:-2}  # what CI has; JOBS=8 bash test.sh on a bigger machine
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j"$jobs"
