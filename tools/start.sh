#!/usr/bin/env bash
# Builds the program and starts it on the bundled sample product line.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
tools/deps.sh

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build/release -j "$(nproc)"

exec build/release/bin/thermalyx-cli library "$@"
