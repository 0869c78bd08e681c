#!/usr/bin/env bash
# Installs what is missing (Debian 12), builds タンコラ into build/ and starts it.
# Arguments go to the program: bash run.sh --data ~/Data info
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(qt6-base-dev qt6-base-dev-tools libqt6printsupport6 cmake g++ libgtest-dev
          libbenchmark-dev fonts-ipafont-gothic fonts-ipafont-mincho poppler-utils)

install_missing() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' ||
      missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  echo "Installing: ${missing[*]}" >&2
  "${sudo[@]}" apt-get update
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
}

install_missing
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"${JOBS:-2}" --target tankora
exec build/tankora "$@"
