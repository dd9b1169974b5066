#!/usr/bin/python3
"""CPU time of the Windows `tolvi-vat-cli.exe --batch` under wine beside the Linux
`tolvi-vat-cli --batch`, on the same generated rows, side by side in one run.

    bench/batch/windows_vs_linux.py --windows build-windows/src/tolvi-vat-cli.exe
                                    [--linux build/src/tolvi-vat-cli] [--rows 500000] [--rounds 5]

The rows are tests/cli/batch_rows.py's, from its fixed seed. Each round runs, in turn, the
Linux batch, the Windows batch and the Windows batch on empty input (what starting a Windows
program under wine costs), each with the file as standard input and the output thrown away.
The figures are medians over the rounds of user plus system CPU time: of the process itself,
and of the wine server, which does part of a Windows program's work (its reads and writes of
the standard handles) in a process of its own. The server is kept running through the rounds,
with a wine prefix of its own beside the .exe, and ended afterwards.
"""

import argparse
import os
import resource
import statistics
import subprocess
import sys
import tempfile

TICKS = os.sysconf("SC_CLK_TCK")


def server_seconds(prefix):
    """CPU time used so far by the wine servers of this prefix."""
    total = 0.0
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{pid}/environ", "rb") as env:
                if f"WINEPREFIX={prefix}".encode() not in env.read().split(b"\0"):
                    continue
            with open(f"/proc/{pid}/stat") as stat:
                fields = stat.read().rsplit(")", 1)
            if "wineserver" not in fields[0]:
                continue
            values = fields[1].split()
            total += (int(values[11]) + int(values[12])) / TICKS
        except OSError:
            pass
    return total


def cpu_seconds(command, rows, prefix=None):
    """User plus system CPU time of one run of `command` reading `rows`, and the server's."""
    server_before = server_seconds(prefix) if prefix else 0.0
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    with open(rows, "rb") as stdin:
        subprocess.run(command, stdin=stdin, stdout=subprocess.DEVNULL, check=False)
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    server = server_seconds(prefix) - server_before if prefix else 0.0
    return (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime), server


def main():
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--windows", required=True, help="tolvi-vat-cli.exe")
    parser.add_argument("--linux", default=os.path.join(root, "build", "src", "tolvi-vat-cli"))
    parser.add_argument("--rows", type=int, default=500_000)
    parser.add_argument("--rounds", type=int, default=5)
    args = parser.parse_args()

    exe = os.path.abspath(args.windows)
    prefix = os.path.join(os.path.dirname(exe), "wine-prefix-bench")
    os.environ["WINEPREFIX"] = prefix
    os.environ["WINEDEBUG"] = "-all"
    windows = ["wine", exe, "--batch"]
    linux = [os.path.abspath(args.linux), "--batch"]
    try:
        # Make the prefix, then keep one server up through the rounds.
        subprocess.run(["wine", exe, "--version"], stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, check=True)
        subprocess.run(["wineserver", "-k"], check=False)
        subprocess.run(["wineserver", "-p"], check=True)
        with tempfile.TemporaryDirectory() as scratch:
            rows = os.path.join(scratch, "rows.tsv")
            empty = os.path.join(scratch, "empty.tsv")
            open(empty, "wb").close()
            with open(rows, "wb") as out:
                subprocess.run([sys.executable, os.path.join(root, "tests", "cli",
                                                             "batch_rows.py"), str(args.rows)],
                               stdout=out, check=True)
            cpu_seconds(windows, empty, prefix)  # warm up: the prefix, the caches
            cpu_seconds(windows, rows, prefix)
            cpu_seconds(linux, rows)
            runs = {"linux": [], "windows": [], "server": [], "start": [], "start server": []}
            for _ in range(args.rounds):
                runs["linux"].append(cpu_seconds(linux, rows)[0])
                process, server = cpu_seconds(windows, rows, prefix)
                runs["windows"].append(process)
                runs["server"].append(server)
                process, server = cpu_seconds(windows, empty, prefix)
                runs["start"].append(process)
                runs["start server"].append(server)
    finally:
        subprocess.run(["wineserver", "-k"], check=False)

    median = {name: statistics.median(values) for name, values in runs.items()}
    ratios = [(w + s - st - ss) / l for w, s, st, ss, l in
              zip(runs["windows"], runs["server"], runs["start"], runs["start server"],
                  runs["linux"])]
    print(f"{args.rows} rows, {args.rounds} rounds, CPU seconds (user + system), median:")
    print(f"  Linux batch                               {median['linux']:7.3f} s")
    print(f"  Windows batch under wine: the process     {median['windows']:7.3f} s")
    print(f"                            the wine server {median['server']:7.3f} s")
    print(f"  Windows start on empty input: process     {median['start']:7.3f} s")
    print(f"                            the wine server {median['start server']:7.3f} s")
    print(f"  Windows batch less its start, both        "
          f"{median['windows'] + median['server'] - median['start'] - median['start server']:7.3f} s"
          f"   {statistics.median(ratios):5.2f}x Linux (min {min(ratios):.2f}, "
          f"max {max(ratios):.2f})")


if __name__ == "__main__":
    sys.exit(main())
