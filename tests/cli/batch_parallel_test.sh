#!/usr/bin/env bash
# A large batch split by GNU parallel, as the README shows it, answers line for
# line as one plain batch run: same id, exit and result or error, in order
# ("line" restarts in every chunk, so it is left out of the comparison).
# Usage: batch_parallel_test.sh THERMALYX-CLI
set -euo pipefail
cli=$1

fail() { echo "batch_parallel_test: $*" >&2; exit 1; }
command -v parallel >/dev/null || fail "GNU parallel is missing (tools/deps.sh installs it)"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# 3000 lines: steady at varied currents, some with an unknown device or bad JSON.
for ((i = 1; i <= 3000; i++)); do
    if ((i % 500 == 0)); then
        echo "{\"id\": $i, \"args\": [\"steady\", \"--series\", \"QH-Series\", \"--type\", \"NONE\", \"--capacity\", \"30\"]}"
    elif ((i % 701 == 0)); then
        echo "{\"id\": $i, \"args\": [\"steady\""
    else
        echo "{\"id\": $i, \"args\": [\"steady\", \"--series\", \"QH-Series\", \"--type\", \"2NQ400E-060\", \"--capacity\", \"30\", \"--output-current\", \"$((i % 200 + 1))\"]}"
    fi
done >"$work/in.jsonl"

status=0
"$cli" batch <"$work/in.jsonl" >"$work/plain.jsonl" || status=$?
((status == 5)) || fail "the plain batch exited $status, not 5"
status=0
parallel --pipe --keep-order -N 1000 -j 2 "$cli" batch <"$work/in.jsonl" >"$work/split.jsonl" ||
    status=$?
((status != 0)) || fail "the split batch hid the failed lines"

without_line() { sed 's/^{"line":[0-9]*,/{/' "$1"; }
[[ $(wc -l <"$work/plain.jsonl") -eq 3000 ]] || fail "the plain batch did not answer every line"
cmp -s <(without_line "$work/plain.jsonl") <(without_line "$work/split.jsonl") ||
    fail "the split batch answers differently"
echo "batch_parallel_test: 3000 lines split in 3 chunks answer as one batch"
