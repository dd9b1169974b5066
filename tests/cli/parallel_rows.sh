#!/usr/bin/env bash
# GNU parallel spreads a batch over every core, and over other machines, with the very bytes one
# process writes: the rows in order, each whole, and a bad row answered in its place.
#     parallel_rows.sh TOLVI_VAT_CLI
set -euo pipefail
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
here=$(dirname "$0")

# Rows in blocks of 64 kB, so that there are many jobs; one row is not a number.
"$here/batch_rows.py" 60000 20261207 >"$work/rows"
printf 'exclusive\t1.234,56\t19\n' >>"$work/rows"
"$here/batch_rows.py" 20000 7 >>"$work/rows"

status=0
"$cli" --batch <"$work/rows" >"$work/one" || status=$?
[ "$status" -eq 2 ] || { echo "one process: status $status, not 2" >&2; exit 1; }

# Every core, as the README shows it; parallel's status counts the jobs that failed (here the
# one with the bad row).
status=0
parallel --pipe --keep-order --block 64k "$cli" --batch <"$work/rows" >"$work/cores" ||
    status=$?
[ "$status" -eq 1 ] || { echo "parallel: status $status, not 1" >&2; exit 1; }
cmp "$work/one" "$work/cores"

# Several machines: here one login, ":" (this machine without ssh), from a login file.
printf ':\n' >"$work/logins"
parallel --sshloginfile "$work/logins" --pipe --keep-order --block 64k "$cli" --batch \
    <"$work/rows" >"$work/machines" || true
cmp "$work/one" "$work/machines"
echo "$(wc -l <"$work/one") rows: the same bytes from one process, from parallel on every core," \
    "and from parallel over a login file"
