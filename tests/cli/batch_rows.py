#!/usr/bin/env python3
"""Writes COUNT seeded batch rows, MODE<TAB>AMOUNT<TAB>RATE, as invoices hold them: amounts
from 0.01 to 99,999.99, a fifth of them grouped with commas, at the usual rates.

    batch_rows.py COUNT [SEED]
"""

import random
import sys

RATES = ("0", "5", "7", "10", "17.5", "19", "20", "21", "25", "8.1", "12.5")


def main():
    count = int(sys.argv[1])
    rng = random.Random(int(sys.argv[2]) if len(sys.argv) > 2 else 20261207)
    rows = []
    for _ in range(count):
        cents = rng.randint(1, 9_999_999)
        amount = f"{cents // 100}.{cents % 100:02d}"
        if rng.random() < 0.2:
            amount = f"{cents // 100:,}.{cents % 100:02d}"
        mode = "inclusive" if rng.random() < 0.5 else "exclusive"
        rows.append(f"{mode}\t{amount}\t{rng.choice(RATES)}\n")
    sys.stdout.write("".join(rows))


if __name__ == "__main__":
    main()
