#!/usr/bin/env bash
# Long fuzz runs, by hand or at night: tools/fuzz.sh SECONDS [TARGET...]
#
# Builds the libFuzzer targets (build/fuzz, clang), then runs each one (or the
# named ones) for SECONDS with its seeds, dictionary and the kept regressions,
# one after the other. New inputs collect in build/fuzz/tests/fuzz/corpus/, so
# the next run starts where this one ended. Prints each target's executions and
# exits non-zero when any target found something; the failing input is in
# build/fuzz/tests/fuzz/fuzz-artifacts/ and belongs in tests/fuzz/regressions/.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

if [[ $# -lt 1 || ! "$1" =~ ^[0-9]+$ ]]; then
    echo "usage: tools/fuzz.sh SECONDS [TARGET...]" >&2
    exit 64
fi
seconds=$1
shift

CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTHERMALYX_FUZZ=ON -DTHERMALYX_GUI=OFF -DTHERMALYX_BENCH=OFF >/dev/null
if [[ $# -gt 0 ]]; then
    targets=("$@")
else
    mapfile -t targets < <(ctest --test-dir build/fuzz -N -L fuzz | sed -n 's/^ *Test *#[0-9]*: *//p')
fi
cmake --build build/fuzz -j "$(nproc)" --target "${targets[@]}"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
out=build/fuzz/tests/fuzz
logs=$out/fuzz-logs
mkdir -p "$logs" "$out/fuzz-artifacts"
failed=0
summary=()
for target in "${targets[@]}"; do
    stem=${target%_fuzz}
    options=()
    [[ -f tests/fuzz/$stem.dict ]] && options+=("-dict=tests/fuzz/$stem.dict")
    mkdir -p "$out/corpus/$target"
    echo "== $target (${seconds} s)"
    status=0
    "build/fuzz/bin/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -max_len=65536 -print_final_stats=1 -artifact_prefix="$out/fuzz-artifacts/" \
        "${options[@]}" "$out/corpus/$target" "tests/fuzz/corpus/$stem" tests/fuzz/regressions \
        >"$logs/$target.log" 2>&1 || status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$logs/$target.log" | tail -n 1)
    if [[ $status -ne 0 ]]; then
        failed=1
        summary+=("$target: FAILED (exit $status) after ${runs:-?} executions, see $logs/$target.log")
        tail -n 30 "$logs/$target.log"
    else
        summary+=("$target: ${runs:-?} executions in $seconds s, no finding")
    fi
done
printf '%s\n' "${summary[@]}"
exit $failed
