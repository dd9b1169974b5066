#!/usr/bin/python3
"""CPU time of `tolvi-vat-cli --batch` beside a naive one-line gawk VAT calculation, on the same
500,000 generated rows, measured side by side in one run.

    bench/batch/compare.py [--cli build/src/tolvi-vat-cli] [--rows 500000] [--rounds 7]
                           [--also OTHER_CLI ...]

The rows are tests/cli/batch_rows.py's, from its fixed seed: invoice amounts with two decimals,
a fifth of them with group commas, the usual rates, both modes. Each round runs every
program once, in turn, with the file as standard input and its output thrown away; the figures
are the medians of user plus system CPU time over the rounds, and the ratio of each program to
gawk is taken round by round, so a machine that drifts in speed moves both sides alike.

The gawk line does what a person would write in a hurry: the VAT and the price without VAT,
rounded to cents, with printf. It does less than the calculator, which passes every
intermediate value through its 15-digit text form and writes five fields.
"""

import argparse
import os
import resource
import statistics
import subprocess
import sys
import tempfile

GAWK_PROGRAM = ('{a = $2; gsub(",", "", a); '
                'v = $1 == "inclusive" ? a - a * 100 / (100 + $3) : a * $3 / 100; '
                'printf "%.2f\\t%.2f\\n", v, a - v}')


def cpu_seconds(command, rows):
    """User plus system CPU time of one run of `command` reading `rows`."""
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    with open(rows, "rb") as stdin:
        subprocess.run(command, stdin=stdin, stdout=subprocess.DEVNULL, check=True)
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    return (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)


def main():
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    make_rows = os.path.join(root, "tests", "cli", "batch_rows.py")
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--cli", default=os.path.join(root, "build", "src", "tolvi-vat-cli"))
    parser.add_argument("--also", nargs="*", default=[], help="more calculators to compare")
    parser.add_argument("--rows", type=int, default=500_000)
    parser.add_argument("--rounds", type=int, default=7)
    args = parser.parse_args()

    programs = {"gawk": ["gawk", "-F", "\t", GAWK_PROGRAM]}
    for cli in [args.cli] + args.also:
        programs[cli] = [cli, "--batch"]
    with tempfile.TemporaryDirectory() as scratch:
        rows = os.path.join(scratch, "rows.tsv")
        with open(rows, "wb") as out:
            subprocess.run([sys.executable, make_rows, str(args.rows)], stdout=out, check=True)
        for command in programs.values():  # warm up: the file and the programs in the cache
            cpu_seconds(command, rows)
        times = {name: [] for name in programs}
        for _ in range(args.rounds):
            for name, command in programs.items():
                times[name].append(cpu_seconds(command, rows))

    print(f"{args.rows} rows, {args.rounds} rounds, CPU seconds (user + system), median:")
    gawk = times["gawk"]
    for name, values in times.items():
        ratios = [t / g for t, g in zip(values, gawk)]
        print(f"  {name:40} {statistics.median(values):7.3f} s   "
              f"{statistics.median(ratios):5.2f}x gawk (min {min(ratios):.2f}, "
              f"max {max(ratios):.2f})")


if __name__ == "__main__":
    sys.exit(main())
