#!/usr/bin/env bash
# The engine soak over COUNT random valid inputs: tools/soak.sh COUNT [SEED]
#
# Builds the soak program (build/release) and runs it; exits non-zero on any
# broken invariant. SEED (or THERMALYX_SOAK_SEED) picks the inputs; a reported
# input i comes back with `build/release/bin/soak_test 1 SEED+i`.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

if [[ $# -lt 1 || ! "$1" =~ ^[0-9]+$ ]]; then
    echo "usage: tools/soak.sh COUNT [SEED]" >&2
    exit 64
fi
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release -j "$(nproc)" --target soak_test
exec build/release/bin/soak_test "$@"
