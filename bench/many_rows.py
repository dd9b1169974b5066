#!/usr/bin/env python3
"""Rows a second of tolvi-vat-cli --batch in one process, and with GNU parallel on every core,
in wall-clock time: medians of interleaved rounds on the same seeded rows, each run's output
checked against one process's.

    many_rows.py TOLVI_VAT_CLI [--rows 500000] [--rounds 5] [--block 1M]
"""

import argparse
import os
import pathlib
import statistics
import subprocess
import tempfile
import time

ROWS_SCRIPT = pathlib.Path(__file__).resolve().parent.parent / "tests" / "cli" / "batch_rows.py"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("cli")
    parser.add_argument("--rows", type=int, default=500_000)
    parser.add_argument("--rounds", type=int, default=5)
    parser.add_argument("--block", default="1M")
    args = parser.parse_args()

    with tempfile.TemporaryDirectory() as work:
        rows = os.path.join(work, "rows")
        with open(rows, "wb") as out:
            subprocess.run([str(ROWS_SCRIPT), str(args.rows)], stdout=out, check=True)
        ways = {
            "one process": [args.cli, "--batch"],
            "parallel --pipe": ["parallel", "--pipe", "--keep-order", "--block", args.block,
                                args.cli, "--batch"],
            "parallel --pipepart": ["parallel", "--pipepart", "-a", rows, "--keep-order",
                                    "--block", "-1", args.cli, "--batch"],
        }
        times = {name: [] for name in ways}
        expected = None
        for _ in range(args.rounds):
            for name, command in ways.items():
                output = os.path.join(work, "out")
                with open(rows, "rb") as given, open(output, "wb") as taken:
                    start = time.perf_counter()
                    subprocess.run(command, stdin=given, stdout=taken, check=True)
                    times[name].append(time.perf_counter() - start)
                produced = pathlib.Path(output).read_bytes()
                expected = expected or produced
                if produced != expected:
                    raise SystemExit(f"{name}: the output differs from one process's")
        one = statistics.median(times["one process"])
        print(f"{args.rows} rows, {os.cpu_count()} cores, median of {args.rounds} rounds:")
        for name, seconds in times.items():
            median = statistics.median(seconds)
            print(f"  {name:20} {median:6.3f} s  {args.rows / median / 1e6:5.2f} million rows/s"
                  f"  speed-up {one / median:4.2f}  (min {min(seconds):.3f}, max {max(seconds):.3f})")


if __name__ == "__main__":
    main()
