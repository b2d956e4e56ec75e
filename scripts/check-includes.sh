#!/usr/bin/env bash
# Fails, with one line per offence, when a file of a layer folder includes a
# header of a layer above its own (the order is cmake/Layers.txt, top to
# bottom), or when product code and the device bench share headers: the bench
# sim/ reaches only sim/ and platform/, and no layer reaches sim/. tests/,
# bench/ and fuzz/ may include anything.
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A rank
line_no=0
while read -r line; do
    [[ -z "$line" || "$line" == \#* ]] && continue
    line_no=$((line_no + 1))
    for folder in $line; do rank[$folder]=$line_no; done
done < cmake/Layers.txt

# allowed FROM TO: whether a file of folder FROM may include a header of folder TO.
allowed() {
    local from=$1 to=$2
    case "$to" in tests | bench | fuzz) return 1 ;; esac
    if [[ "$from" == sim ]]; then
        [[ "$to" == sim || "$to" == platform ]]
        return
    fi
    [[ "$to" == sim ]] && return 1
    [[ -z "${rank[$to]:-}" ]] && return 0  # not a folder of the tree
    ((rank[$to] >= rank[$from]))
}

failures=0
for from in "${!rank[@]}" sim; do
    [[ -d "$from" ]] || continue
    while IFS=: read -r file number text; do
        to=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^/"]+)\/.*/\1/' <<<"$text")
        [[ "$to" == "$text" ]] && continue
        if ! allowed "$from" "$to"; then
            echo "$file:$number: $from/ includes a header of $to/: \"${text#*\"}"
            failures=$((failures + 1))
        fi
    done < <(grep -rnE --include='*.h' --include='*.cpp' --include='*.c' \
                 '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^/"]+/' "$from" || true)
done

if ((failures > 0)); then
    echo "$failures include(s) against the layer order in cmake/Layers.txt" >&2
    exit 1
fi
echo "includes follow the layer order"
