#!/usr/bin/env bash
# Builds and runs every test: a normal build, a build under AddressSanitizer and
# UndefinedBehaviorSanitizer, the tests of the parallel analyses under
# ThreadSanitizer, and a short bounded run of every fuzz target.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
tools/deps.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

echo "== format (clang-format, the repository's .clang-format)"
git ls-files -z -- '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror

echo "== normal build"
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build/release -j "$jobs"
ctest --test-dir build/release --output-on-failure -j "$jobs"

echo "== sanitized build (ASan + UBSan)"
cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTHERMALYX_SANITIZE=ON -DTHERMALYX_BENCH=OFF
cmake --build build/asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build/asan --output-on-failure -j "$jobs"

echo "== parallel analyses under ThreadSanitizer (tests labelled parallel)"
cmake -S . -B build/tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTHERMALYX_TSAN=ON \
    -DTHERMALYX_GUI=OFF -DTHERMALYX_BENCH=OFF
cmake --build build/tsan -j "$jobs" --target analysis_parallel_tests cli_batch_tests
TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
    ctest --test-dir build/tsan --output-on-failure -j "$jobs" -L parallel

echo "== fuzz targets (libFuzzer, bounded)"
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTHERMALYX_FUZZ=ON -DTHERMALYX_GUI=OFF -DTHERMALYX_BENCH=OFF
cmake --build build/fuzz -j "$jobs"
ctest --test-dir build/fuzz --output-on-failure -L fuzz
