#!/usr/bin/env bash
# Unpacks the Debian package and runs its thermalyx-cli as installed: without
# --data it must find the product line in ../share/thermalyx and answer exactly
# as the build tree's program does.
# Usage: package_test.sh PACKAGE.deb BUILD-TREE-thermalyx-cli VERSION
set -euo pipefail
deb=$1 built_cli=$2 version=$3

fail() { echo "package_test: $*" >&2; exit 1; }
[[ -f "$deb" ]] || fail "no package $deb (build the 'package' target)"

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"

for f in usr/bin/thermalyx usr/bin/thermalyx-cli \
    usr/share/thermalyx/igbt_devspec.ini usr/share/thermalyx/igbt_condition.ini \
    usr/share/thermalyx/igbt_devparam.bin usr/share/applications/thermalyx.desktop \
    usr/share/icons/hicolor/scalable/apps/thermalyx.svg \
    usr/share/man/man1/thermalyx.1.gz usr/share/man/man1/thermalyx-cli.1.gz \
    usr/share/doc/thermalyx/copyright usr/share/doc/thermalyx/changelog.gz; do
    [[ -f "$root/$f" ]] || fail "the package lacks /$f"
done
ls "$root"/usr/share/thermalyx/img/*.jpg >/dev/null || fail "the package lacks the outline pictures"
[[ -z "$(ls "$root/usr/bin" | grep -v '^thermalyx')" ]] || fail "/usr/bin holds more than the programs"

# The installed program next to no data files, the build tree's beside its own.
args=(steady --series QH-Series --type 2NQ400E-060 --capacity 30)
installed=$("$root/usr/bin/thermalyx-cli" "${args[@]}") || fail "installed steady failed"
expected=$("$built_cli" "${args[@]}") || fail "build tree's steady failed"
[[ "$installed" == "$expected" ]] || fail "installed steady differs from the build tree's"
[[ "$installed" == "{"* ]] || fail "installed steady printed no JSON"

[[ "$("$root/usr/bin/thermalyx-cli" --version)" == "thermalyx-cli $version" ]] ||
    fail "thermalyx-cli --version"
[[ "$(env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/bin/thermalyx" --version)" == "thermalyx $version" ]] ||
    fail "thermalyx --version"
echo "package_test: $(basename "$deb") installs and answers as the build tree"
