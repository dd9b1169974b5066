"""The page's module, inside Chromium, gives byte for byte the texts that
tolvi-vat-cli --batch --lenient (the window's reading) gives, on seeded random rows of every form,
and the totals of a list that tolvi-vat-cli --totals --lenient and the shared list rows give.

    same_digits_test.py --site SITE_DIR --cli TOLVI_VAT_CLI --lists LIST_ROWS_JSON_PROGRAM
                        [--rows N] [--seed S]
"""

import argparse
import collections
import json
import subprocess
import sys
import unittest

import browser_session
from random_rows import MODES, random_rows

ARGS = None

# Runs rows through the page's own calculator module, each from the window's initial texts,
# and writes them as the CLI's batch output does:
# VAT, ROUNDED VAT, TOTAL, PRICE, UNFORMATTED PRICE, ERROR joined by tabs.
_RECALCULATE_IN_PAGE = """
const [rows, done] = arguments;
const module = document.querySelector('script[type=module]').src;
import(module).then(async ({ loadCalculator }) => {
    const calculator = await loadCalculator();
    const lines = rows.map(([mode, amount, rate]) => {
        const { results: r, error } = calculator.recalculate(
            amount, rate, mode, calculator.initialResults());
        return [r.unroundedVat, r.roundedVat, r.total, r.price, r.unformattedPrice,
                error].join('\\t');
    });
    done(lines);
}).catch((error) => done('failed: ' + error));
"""

# The totals of lists [mode, amount, rate] from the page's module, as --totals writes its rows.
_LIST_TOTALS_IN_PAGE = """
const [lists, done] = arguments;
const module = document.querySelector('script[type=module]').src;
import(module).then(async ({ loadCalculator }) => {
    const calculator = await loadCalculator();
    const columns = ['mode', 'rate', 'lines', 'amount', 'vatPerLine', 'vatOnTotal',
        'vatDifference', 'pricePerLine', 'priceOnTotal', 'priceDifference', 'totalPerLine',
        'totalOnTotal', 'totalDifference'];
    done(lists.map((lines) => {
        const totals = calculator.listTotals(
            lines.map(([mode, amount, rate]) => ({ mode, amount, rate })));
        const rows = [...totals.groups, totals.all];
        return [rows.map((row) => columns.map((name) => row[name]).join('\\t') + '\\n').join(''),
                rows.filter((row) => row.vatPerLine === '').map((row) => row.error)];
    }));
}).catch((error) => done('failed: ' + error));
"""


def cli_lines(rows):
    batch = "".join(f"{mode}\t{amount}\t{rate}\n" for mode, amount, rate in rows).encode()
    run = subprocess.run([ARGS.cli, "--batch", "--lenient"], input=batch, capture_output=True,
                         check=True)
    return run.stdout.decode().split("\n")[:-1]


def page_lines(driver, rows, chunk=2000):
    lines = []
    for start in range(0, len(rows), chunk):
        part = driver.execute_async_script(_RECALCULATE_IN_PAGE,
                                           [list(row) for row in rows[start:start + chunk]])
        if isinstance(part, str):
            raise AssertionError(part)
        lines.extend(part)
    return lines


class SameDigitsTest(unittest.TestCase):
    def test_page_module_and_cli_give_the_same_texts(self):
        rows = random_rows(ARGS.rows, ARGS.seed)
        expected = cli_lines(rows)
        self.assertEqual(len(expected), len(rows))

        with browser_session.static_server(ARGS.site) as origin, \
                browser_session.chromium() as driver:
            driver.get(origin + "/index.html")
            browser_session.wait_until_ready(driver)
            driver.set_script_timeout(120)
            actual = page_lines(driver, rows)
            self.assertEqual([], [e for e in driver.get_log("browser") if e["level"] == "SEVERE"])

        mismatches = [
            f"{mode} {amount!r} at {rate!r}:\n    cli:  {cli!r}\n    page: {page!r}"
            for (mode, amount, rate), cli, page in zip(rows, expected, actual)
            if cli.encode() != page.encode()
        ]
        self.assertEqual(len(actual), len(rows))
        print(f"{len(rows)} rows compared, {len(mismatches)} differ", file=sys.stderr)
        if mismatches:
            self.fail(f"{len(mismatches)} rows differ:\n" + "\n".join(mismatches))

        # The rows reach every mode and every error, or the comparison proves little.
        modes = collections.Counter(mode for mode, _, _ in rows)
        errors = collections.Counter(line.rsplit("\t", 1)[1] for line in expected)
        print(f"modes: {dict(modes)}; endings: {dict(errors)}", file=sys.stderr)
        self.assertEqual(set(modes), set(MODES))
        for name in ("", "Overflow", "Division by zero", "Invalid operation", "Type mismatch"):
            self.assertGreater(errors[name], 10, f"too few rows ending with {name!r}")

    def test_list_totals_match_the_list_rows_and_the_cli(self):
        lists = json.loads(subprocess.run([ARGS.lists], capture_output=True, check=True).stdout)
        rows = random_rows(ARGS.rows, ARGS.seed)
        batch = "".join(f"{mode}\t{amount}\t{rate}\n" for mode, amount, rate in rows).encode()
        cli = subprocess.run([ARGS.cli, "--totals", "--lenient"], input=batch,
                             capture_output=True).stdout.decode()
        with browser_session.static_server(ARGS.site) as origin, \
                browser_session.chromium() as driver:
            driver.get(origin + "/index.html")
            browser_session.wait_until_ready(driver)
            driver.set_script_timeout(120)
            page = driver.execute_async_script(
                _LIST_TOTALS_IN_PAGE, [each["lines"] for each in lists] + [[list(r) for r in rows]])
        self.assertIsInstance(page, list, page)
        for each, (totals, errors) in zip(lists, page):
            self.assertEqual(totals, each["rows"])
            self.assertEqual(set(errors), {each["error"]} if errors else set())
        self.assertEqual(page[-1][0], cli.split("\n", 1)[1])


def main():
    global ARGS
    parser = argparse.ArgumentParser()
    parser.add_argument("--site", required=True)
    parser.add_argument("--cli", required=True)
    parser.add_argument("--lists", required=True)
    parser.add_argument("--rows", type=int, default=12000)
    parser.add_argument("--seed", type=int, default=20261207)
    ARGS, rest = parser.parse_known_args()
    unittest.main(argv=[sys.argv[0]] + rest)


if __name__ == "__main__":
    main()
