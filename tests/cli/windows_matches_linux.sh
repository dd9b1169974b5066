#!/usr/bin/env bash
# The Windows command line under wine gives the Linux one's bytes: the same standard output,
# standard error and exit status, strict and lenient, on the worked recalculations, on generated
# invoice rows and on rows of every form (CR LF, Ctrl+Z bytes, control characters, bad and
# overlong lines, calculation errors), for single amounts, usage mistakes and a full disk. Ctrl+C
# (SIGINT, which wine turns into the console's control event) ends a batch with whole rows and
# status 130.
#     windows_matches_linux.sh TOLVI_VAT_CLI_EXE TOLVI_VAT_CLI [ROWS]
# wine runs with a prefix of its own beside the .exe, and its server is ended afterwards.
set -euo pipefail
win=$(realpath "$1")
linux=$(realpath "$2")
rows=${3:-100000}
here=$(cd "$(dirname "$0")" && pwd)
export WINEPREFIX="$(dirname "$win")/wine-prefix-cli-test" WINEDEBUG=-all
work=$(mktemp -d)
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
failed=0
wine "$win" --version >/dev/null 2>&1 || true # a new prefix tells of its making on stderr

# Runs both on the same input ($1, a file) and arguments; compares what they give.
same() {
    local input=$1 name=$2
    shift 2
    local ws=0 ls=0
    wine "$win" "$@" <"$input" >"$work/w.out" 2>"$work/w.err" || ws=$?
    "$linux" "$@" <"$input" >"$work/l.out" 2>"$work/l.err" || ls=$?
    if [ "$ws" != "$ls" ] || ! cmp -s "$work/w.out" "$work/l.out" ||
        ! cmp -s "$work/w.err" "$work/l.err"; then
        echo "FAIL $name ($*): status $ws under wine, $ls on Linux" >&2
        cmp "$work/w.out" "$work/l.out" >&2 || true
        diff <(head -c 2000 "$work/w.err") <(head -c 2000 "$work/l.err") >&2 || true
        failed=1
    else
        echo "ok   $name ($*): $(wc -l <"$work/l.out") rows, status $ls"
    fi
}

# The worked recalculations, from the table every front end is checked against.
python3 - "$here/../support/worked_recalculations.h" >"$work/worked" <<'PY'
import re, sys
text = open(sys.argv[1], encoding="utf-8").read()
for mode, amount, rate in re.findall(r'\{VatMode::(\w+),\s*"([^"]*)",\s*"([^"]*)"', text):
    sys.stdout.write(f"{mode.lower()}\t{amount}\t{rate}\n")
PY
"$here/batch_rows.py" "$rows" 20261207 >"$work/generated"
# Rows of every form; the last one without its line feed.
{
    printf 'exclusive\t105\t17.5\r\n'
    printf 'exclusive\t1\x1a2\t20\n\x1a\nexclusive\t5\t20\x1a\r\n'
    printf 'inclusive\t100\t-100\nexclusive\t1e308\t17.5\nexclusive\t1e999\t20\n'
    printf 'exclusive\t1d3\t20\nexclusive\t1,2345\t20\nexclusive\t1.234,56\t19\n'
    printf 'inclusive\t\xe2\x82\xac100\t19\ninclusive\t1.234,56\x01\t19\nexclusive\t1\x7f\t2\n'
    printf 'sideways\t5\t5\nexclusive\t5\n\n\r\nexclusive\t \t\n'
    printf 'exclusive\t%s\t5\n' "$(head -c 1048600 /dev/zero | tr '\0' 9)"
    printf 'inclusive\t117\t17.5'
} >"$work/forms"
: >"$work/empty"

for reading in "" --lenient; do
    for input in worked generated forms; do
        same "$work/$input" "$input" --batch $reading
        same "$work/$input" "$input" --totals $reading
    done
done
for arguments in "--exclusive 105 17.5" "--inclusive 117 17.5" "--inclusive 100 -100" \
    "--exclusive 1d3 20" "--exclusive 1,2345 20" "117 20" "--batch x" "--help" "--version"; do
    # shellcheck disable=SC2086  # the words are the arguments
    same "$work/empty" single $arguments
    same "$work/empty" single $arguments --lenient
done
same "$work/empty" "not in the ANSI code page" --lenient --inclusive '€100' 19
same "$work/empty" "a line feed" --inclusive $'100\n' 17.5

# A full disk: status 3 and the same cause.
ws=0
wine "$win" --exclusive 105 17.5 >/dev/full 2>"$work/w.err" </dev/null || ws=$?
ls=0
"$linux" --exclusive 105 17.5 >/dev/full 2>"$work/l.err" </dev/null || ls=$?
if [ "$ws" != 3 ] || [ "$ls" != 3 ] || ! cmp -s "$work/w.err" "$work/l.err"; then
    echo "FAIL a full disk: status $ws under wine, $ls on Linux: $(cat "$work/w.err")" >&2
    failed=1
else
    echo "ok   a full disk: status 3, $(cat "$work/w.err")"
fi

# Ctrl+C while the batch waits for more input: the rows so far, whole, and status 130.
mkfifo "$work/fifo"
{ head -n 1000 "$work/generated"; sleep 30; } >"$work/fifo" &
feeder=$!
wine "$win" --batch <"$work/fifo" >"$work/w.out" 2>/dev/null &
batch=$!
for _ in $(seq 300); do
    [ "$(wc -l <"$work/w.out")" -ge 1000 ] && break
    sleep 0.1
done
kill -INT "$batch"
ws=0
wait "$batch" || ws=$?
kill "$feeder" 2>/dev/null || true
wait "$feeder" 2>/dev/null || true
head -n 1000 "$work/generated" | "$linux" --batch >"$work/l.out"
if [ "$ws" != 130 ] || ! cmp -s "$work/w.out" "$work/l.out"; then
    echo "FAIL Ctrl+C: status $ws, $(wc -l <"$work/w.out") of 1000 rows" >&2
    failed=1
else
    echo "ok   Ctrl+C while waiting for input: status 130, 1000 whole rows"
fi
exit "$failed"
