#!/usr/bin/env bash
# Builds the program and starts it on the bundled sample product line: the build
# fits data/catalogue into igbt_devspec.ini, igbt_condition.ini and
# igbt_devparam.bin and draws img/*.jpg beside the executables, where the
# program looks for them.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
tools/deps.sh

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build/release -j "$(nproc)"

exec build/release/bin/thermalyx-cli library "$@"
