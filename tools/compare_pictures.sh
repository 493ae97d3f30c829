#!/usr/bin/env bash
# Compares two folders from tools/record_pictures.sh. Qt writes the same PNG bytes for the
# same pixels, so identical files mean identical pictures; prints the pictures that differ
# or are missing and exits 1 if there is any.
#   tools/compare_pictures.sh OLD_OUTDIR NEW_OUTDIR
set -uo pipefail
[[ $# -eq 2 ]] || { echo "usage: compare_pictures.sh OLD_DIR NEW_DIR" >&2; exit 2; }
differ=0 total=0
while IFS= read -r -d '' old; do
    rel=${old#"$1"/}
    total=$((total + 1))
    if [[ ! -f $2/$rel ]]; then
        echo "$rel: missing"; differ=$((differ + 1))
    elif ! cmp -s "$old" "$2/$rel"; then
        echo "$rel: differs"; differ=$((differ + 1))
    fi
done < <(find "$1" -name '*.png' -print0 | sort -z)
echo "$differ of $total pictures differ"
[[ $differ -eq 0 ]]
