#!/usr/bin/env bash
# Lists which top-level folder includes which, from the #include "folder/..."
# lines of every tracked .h and .cpp, and fails when the arrows close a loop:
# two folders that include each other, or any longer cycle.
#
#   tools/folder_arrows.sh [SOURCE_DIR]
#
# Prints one line per arrow ("pages -> engine (11)"), then, on failure, every
# group of folders that reach each other.
set -euo pipefail
root=${1:-"$(dirname "${BASH_SOURCE[0]}")/.."}
cd "$root"

if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    files=$(git ls-files -- '*.h' '*.cpp')
else
    files=$(find . -path ./build -prune -o \( -name '*.h' -o -name '*.cpp' \) -print | sed 's|^\./||')
fi

# "from to" per include line that names another top-level folder of the tree.
arrows=$(
    for file in $files; do
        from=${file%%/*}
        [ "$from" = "$file" ] && continue
        sed -nE 's|^[[:space:]]*#[[:space:]]*include[[:space:]]+"([^/"]+)/[^"]*".*|\1|p' "$file" |
            while read -r to; do
                if [ "$to" != "$from" ] && [ -d "$to" ]; then echo "$from $to"; fi
            done
    done | sort | uniq -c
)

echo "$arrows" | awk 'NF == 3 { printf "%s -> %s (%d)\n", $2, $3, $1 }'

# Folders that reach each other over the arrows (transitive closure).
echo "$arrows" | awk '
NF == 3 {
    reach[$2, $3] = 1
    if (!($2 in seen)) { seen[$2] = 1; names[++n] = $2 }
    if (!($3 in seen)) { seen[$3] = 1; names[++n] = $3 }
}
END {
    for (k = 1; k <= n; k++)
        for (i = 1; i <= n; i++)
            if ((names[i], names[k]) in reach)
                for (j = 1; j <= n; j++)
                    if ((names[k], names[j]) in reach) reach[names[i], names[j]] = 1
    failed = 0
    for (i = 1; i <= n; i++) {
        if (done[names[i]] || !((names[i], names[i]) in reach)) continue
        group = names[i]
        for (j = i + 1; j <= n; j++) {
            if (((names[i], names[j]) in reach) && ((names[j], names[i]) in reach)) {
                group = group " " names[j]
                done[names[j]] = 1
            }
        }
        print "folders that include each other: " group > "/dev/stderr"
        failed = 1
    }
    exit failed
}'
