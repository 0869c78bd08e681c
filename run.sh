#!/usr/bin/env bash
# Installs what is missing (Debian 12), builds タンコラ into build/ and starts it.
# Arguments go to the program: bash run.sh --data ~/Data info
set -euo pipefail
cd "$(dirname "$0")"

bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"${JOBS:-2}" --target tankora
exec build/tankora "$@"
