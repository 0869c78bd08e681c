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

# The core once more under the address and undefined-behaviour sanitizers:
# a read of freed memory or an overflow passes an ordinary build silently.
# SANITIZE=0 skips it on a quick local run.
if [ "${SANITIZE:-1}" != 0 ]; then
  cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DTANKORA_BUILD_APP=OFF \
    -DTANKORA_BUILD_BENCH=OFF \
    "-DCMAKE_CXX_FLAGS=-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
  cmake --build build-sanitize -j"$jobs" --target core_tests
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ./build-sanitize/core_tests --gtest_brief=1
fi

# The libFuzzer target for a minute on its seed corpus (a copy: what it finds
# stays out of the repository), where clang is installed. FUZZ=0 skips it.
if [ "${FUZZ:-1}" != 0 ]; then
  probe='extern "C" int LLVMFuzzerTestOneInput(const char*, unsigned long) { return 0; }'
  if command -v clang++ >/dev/null && echo "$probe" |
      clang++ -x c++ -fsanitize=fuzzer - -o /dev/null 2>/dev/null; then
    cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
      -DTANKORA_BUILD_FUZZ=ON -DTANKORA_BUILD_APP=OFF -DTANKORA_BUILD_TESTS=OFF \
      -DTANKORA_BUILD_BENCH=OFF
    cmake --build build-fuzz -j"$jobs" --target store_fuzz
    corpus=$(mktemp -d)
    cp fuzz/corpus/* "$corpus"
    ./build-fuzz/fuzz/store_fuzz -max_total_time=60 -timeout=25 -print_final_stats=1 \
      -artifact_prefix=build-fuzz/ "$corpus"
    rm -rf "$corpus"
  else
    echo "test.sh: clang++ with libFuzzer not found; the fuzzer is skipped" >&2
  fi
fi
