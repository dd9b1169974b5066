#!/usr/bin/env bash
# Prints the size of each shipped Windows program and fails if one is over 1 MB.
#   program_sizes.sh PROGRAM.exe...
set -euo pipefail
limit=1000000
failed=0
for exe in "$@"; do
    size=$(stat -c %s "$exe")
    echo "$(basename "$exe"): $size bytes (at most $limit)"
    [ "$size" -le "$limit" ] || failed=1
done
exit $failed
