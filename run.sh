#!/usr/bin/env bash
# Installs what is missing (Debian 12), builds タンコラ into build/ and starts it.
# Arguments go to the program: bash run.sh --data ~/Data info
# bash run.sh --demo opens a demo office instead of the real Data folder.
set -euo pipefail
cd "$(dirname "$0")"

bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"${JOBS:-2}" --target tankora
if [ "${1:-}" = --demo ]; then
  shift
  # Beside the real Data folder, never in it: $XDG_DATA_HOME/tankora/Demo.
  case "${XDG_DATA_HOME:-}" in
    /*) share=$XDG_DATA_HOME ;;
    *) share=$HOME/.local/share ;;
  esac
  demo=$share/tankora/Demo
  # Made once; what is typed into it stays until the folder is deleted.
  if [ ! -e "$demo/Kokyaku.120" ]; then
    build/tankora --data "$demo" demo
  fi
  exec build/tankora --data "$demo" "$@"
fi
exec build/tankora "$@"
