#!/usr/bin/env bash
# Builds the desktop program and starts it on the bundled sample product line:
# the build fits data/catalogue into igbt_devspec.ini, igbt_condition.ini and
# igbt_devparam.bin and draws img/*.jpg beside the executables, where the
# program looks for them.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

tools/deps.sh

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build/release -j "$(nproc)" --target thermalyx sample_library outline_pictures

# A window needs a display; without one, say how to get one (the build is done).
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
    cat >&2 <<'MESSAGE'
thermalyx is built (build/release/bin/thermalyx), but it is a desktop program
and there is no display here ($DISPLAY and $WAYLAND_DISPLAY are empty). Start it
on a virtual X display instead:

    xvfb-run -a tools/start.sh

or choose a Qt platform plugin yourself, e.g.

    QT_QPA_PLATFORM=vnc tools/start.sh      # then connect a VNC viewer to port 5900
MESSAGE
    exit 2
fi

exec build/release/bin/thermalyx "$@"
