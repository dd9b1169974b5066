#!/usr/bin/python3
"""Measures the online calculator page against its budgets: the size of its files, the time
from navigation to the first result being ready, the time from one keystroke to every field
updated, and the time Enter takes to add a line to the list, in Debian's headless Chromium with
a server on this machine, with a list of 500 lines kept.

    bench/web/measure.py [--site build-web/site] [--baseline OTHER_SITE] [--rounds 5] [--loads 8]
                         [--keystrokes 96] [--list-lines 500] [--adds 20]

Everything is measured in rounds that take turns (cold loads, loads through the service
worker, keystrokes in the page, keystrokes in a bare text box, and the cold loads and keystrokes
of another build of the page given as --baseline), so that a busy machine weighs on all of them
alike; the figures are medians over all rounds.

"Ready" is the moment the page's module has loaded and the amount box takes typing: the next
key gives a result. A cold load has no HTTP cache and no service worker, from the loopback
server of the browser tests, which sends each response at once as a production server does.
DevTools' network domain stays off throughout: its instrumentation alone adds tens of
milliseconds to a load.
A load through the service worker gets every file, the page too, from the worker's cache;
after it the page asks the server which release it holds, in the background. It is measured
with the server answering at once ("up"), after 2 s ("slow"), never ("stalled": it holds
every request until that round's stalled loads are over) and stopped ("gone"), in every round
beside the cold loads; with
--baseline, the baseline's returning visitor is measured the same way, in the same rounds.

Keys are pressed a frame apart, as a person's are. A keystroke is timed from the key event's
time stamp to the end of the input event's
handlers, by which the page has written every field. Of that, the page's own work is what its
handlers take (the key rule in keydown and beforeinput, the recalculation and the writing of the
fields in input), and with it what it leaves for later (fitting long results to their boxes
before the next frame, the address and the screen reader's summary once typing pauses); the rest
is Chromium's, which a bare text box on an empty page shows. The pages are served cross-origin
isolated, which gives the browser's clock microseconds.

Every page but the bare one starts with the list kept (--list-lines lines of both modes at
three rates, put in the browser's storage as the page keeps it). The list is drawn before the
page is ready, and its rows are laid out by the frame after: both are timed. Adding a line is
timed from Enter's key event to the end of its handlers (the row appended, the totals of the
whole list recalculated and drawn, the list kept), and to the end of the layout that makes
for the next frame; the list is put back to its length before each round.
"""

import argparse
import json
import contextlib
import math
import os
import statistics
import sys
import tempfile
import threading

root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.path.insert(0, os.path.join(root, "tests", "web"))

import browser_session  # noqa: E402

BUDGET_BYTES = 250 * 1000
BUDGET_COLD_MS = 100
BUDGET_WORKER_MS = 50
BUDGET_WORKER_TO_COLD = 0.75
SLOW_S = 2
NETWORKS = {"up": 0, "slow": SLOW_S, "stalled": math.inf}
BUDGET_PAGE_WORK_MS = 0.5
BUDGET_RATIO = 1.25
BUDGET_ADD_MS = 16

# Before the page's own scripts: notes when the amount box stops being read-only, and times
# each key. Listeners on the window run before (capturing) and after (bubbling) the page's own,
# which sit on the boxes. Work the page leaves for a frame or a timer counts for the last key.
_OBSERVER = """
window.__bench = { ready: null, laidOut: null, keystrokes: [], adds: [], requestFrame: null };
new MutationObserver((changes, observer) => {
    const box = document.getElementById('Text_amount');
    if (box && !box.readOnly) {
        window.__bench.ready = performance.now();
        observer.disconnect();
        window.__bench.requestFrame(() => {
            void document.body.offsetHeight;
            window.__bench.laidOut = performance.now();
        });
    }
}).observe(document, { subtree: true, childList: true, attributes: true,
                       attributeFilter: ['readonly'] });
let key = null;
let last = null;
const now = () => performance.now();
addEventListener('keydown', (event) => {
    key = { start: event.timeStamp, page: 0, later: 0 };
}, true);
for (const type of ['keydown', 'beforeinput']) {
    let begin = 0;
    addEventListener(type, () => { begin = now(); }, true);
    addEventListener(type, () => { if (key) { key.page += now() - begin; } });
}
let inputBegin = 0;
addEventListener('input', () => { inputBegin = now(); }, true);
addEventListener('input', () => {
    if (key) {
        const end = now();
        key.page += end - inputBegin;
        key.total = end - key.start;
        window.__bench.keystrokes.push(key);
        last = key;
        key = null;
    }
});
// A frame's callbacks are timed after the layout the frame makes anyway.
const timed = (callback, layOut) => function (...args) {
    if (layOut) { for (const e of document.querySelectorAll('output')) { void e.scrollWidth; } }
    const begin = now();
    try {
        return callback.apply(this, args);
    } finally {
        if (last) { last.later += now() - begin; }
    }
};
const requestFrame = window.requestAnimationFrame.bind(window);
window.__bench.requestFrame = requestFrame;  // for the benchmark's own waits, untimed
window.requestAnimationFrame = (callback) => requestFrame(timed(callback, true));
const setTimer = window.setTimeout.bind(window);
window.setTimeout = (callback, ...rest) => setTimer(timed(callback), ...rest);
// Enter, which adds a line: to the end of its handlers, and of the layout the line needs (made
// at once rather than by the next frame, which would add the wait for it).
addEventListener('keydown', (event) => {
    if (event.key === 'Enter') {
        const add = { start: event.timeStamp };
        event.target.addEventListener('keydown', () => {
            add.handlers = now() - add.start;
            void document.body.offsetHeight;
            add.laidOut = now() - add.start;
            window.__bench.adds.push(add);
        }, { once: true });
    }
}, true);
"""
_ISOLATED = {"Cross-Origin-Opener-Policy": "same-origin",
             "Cross-Origin-Embedder-Policy": "require-corp"}
_BARE_PAGE = ('<!DOCTYPE html><html lang="en"><head><meta charset="utf-8"><title>bare</title>'
              '</head><body><input id="Text_vat"> <input id="Text_amount"></body></html>')


def kept_list(count):
    """A list of `count` lines as the page keeps it: both modes, three rates, varied amounts."""
    kinds = [("exclusive", "6"), ("inclusive", "20"), ("exclusive", "17.5")]
    lines = [[*kinds[i % 3][:1], f"{(i * 7919) % 100000 / 100:.2f}", kinds[i % 3][1]]
             for i in range(count)]
    return json.dumps({"lines": lines})


def keep_list(driver, origin, text):
    """Puts the list in the storage of the page at `origin`."""
    driver.get(origin + "/index.html")
    driver.execute_script("localStorage.setItem('tolvi-vat-list /', arguments[0])", text)


def site_sizes(site):
    """name -> (bytes, bytes of its .gz copy or None), for the files the site serves."""
    sizes = {}
    for name in sorted(os.listdir(site)):
        if name.endswith(".gz"):
            continue
        packed = os.path.join(site, name + ".gz")
        sizes[name] = (os.path.getsize(os.path.join(site, name)),
                       os.path.getsize(packed) if os.path.exists(packed) else None)
    return sizes


def ready_times(driver, origin, loads, cold):
    """Loads the page and answers when each was ready. A cold load starts with no HTTP cache
    and no service worker. (DevTools' network instrumentation stays off: it slows a load
    down by more than the budget.)"""
    def forget():
        driver.execute_cdp_cmd("Network.clearBrowserCache", {})
        driver.execute_cdp_cmd("Storage.clearDataForOrigin", {
            "origin": origin, "storageTypes": "service_workers,cache_storage"})

    times = []
    for _ in range(loads):
        if cold:
            forget()
        driver.get(origin + "/index.html")
        browser_session.wait_until_ready(driver)
        driver.execute_async_script(
            "const done = arguments[0]; (function poll() {"
            " window.__bench.laidOut ? done() : setTimeout(poll, 5); })()")
        times.append(driver.execute_script(
            "return [window.__bench.ready, window.__bench.laidOut]"))
    if cold:
        forget()  # the worker the last load started stops keeping files while others load
    return times


class ReturningVisitor:
    """A browser whose service worker keeps a site, served on a port of its own by a server
    that can be held back (answering `delay` seconds late; math.inf: never, until let go) or
    stopped and started again."""

    def __init__(self, driver, site):
        self.driver, self.site, self.port = driver, site, 0
        self.delay, self.held, self.server = 0, threading.Event(), None

    def hold(self):
        if self.delay:
            self.held.wait(None if self.delay == math.inf else self.delay)

    def let_go(self):
        """Answers every request held so far."""
        self.held.set()
        self.held = threading.Event()

    def start(self):
        self.server = contextlib.ExitStack()
        self.origin = self.server.enter_context(
            browser_session.static_server(self.site, hold=self.hold, port=self.port))
        self.port = int(self.origin.rsplit(":", 1)[1])

    def stop(self):
        self.let_go()
        self.server.close()


@contextlib.contextmanager
def returning_visitor(site, kept):
    with browser_session.chromium(network_log=False) as driver:
        driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": _OBSERVER})
        visitor = ReturningVisitor(driver, site)
        visitor.start()
        try:
            keep_list(driver, visitor.origin, kept)
            install_worker(driver, visitor.origin)
            # The worker's first loads after it kept the release (it compiles the scripts it
            # keeps).
            ready_times(driver, visitor.origin, 4, cold=False)
            yield visitor
        finally:
            visitor.stop()


def install_worker(driver, origin):
    driver.get(origin + "/index.html")
    browser_session.wait_until_ready(driver)
    driver.execute_async_script("navigator.serviceWorker.ready.then(() => arguments[0]())")


def keystroke_times(driver, url, count):
    """Per key: {total, page, later}, in milliseconds."""
    driver.get(url)
    browser_session.wait_until_ready(driver)
    # Inclusive at 17.5 %: a rate, then amounts typed and deleted digit by digit.
    for key in ["End", "Backspace", "1", "7", ".", "5"]:
        press(driver, "Text_vat", key)
    keys = []
    while len(keys) < count:
        keys += ["1", "2", "3", "4", "5", ".", "6", "7"] + ["Backspace"] * 8
    driver.execute_script("window.__bench.keystrokes = []")
    driver.execute_script("document.getElementById('Text_amount').focus()")
    for key in keys[:count]:
        press(driver, None, key)
        # A person's keys come frames apart: the page is drawn between them.
        driver.execute_async_script(
            "const frame = window.__bench.requestFrame; frame(() => frame(arguments[0]))")
    # The work left for later is done once the typing pauses.
    driver.execute_async_script("setTimeout(arguments[0], 1200)")
    return driver.execute_script("return window.__bench.keystrokes")


def add_times(driver, url, count, kept):
    """Per Enter adding a line to the kept list: {handlers, laidOut}, in milliseconds."""
    keep_list(driver, url.rsplit("/", 1)[0], kept)
    driver.get(url)
    browser_session.wait_until_ready(driver)
    for key in ["End", "Backspace", "1", "7", ".", "5"]:
        press(driver, "Text_vat", key)
    for key in "117":
        press(driver, "Text_amount", key)
    driver.execute_script("window.__bench.adds = []")
    for _ in range(count):
        press(driver, None, "Enter")
        driver.execute_async_script(
            "const frame = window.__bench.requestFrame; frame(() => frame(arguments[0]))")
    added = driver.execute_script("return window.__bench.adds")
    keep_list(driver, url.rsplit("/", 1)[0], kept)  # the next round's pages start as this one
    return added


def press(driver, box, key):
    if box is not None:
        driver.execute_script("document.getElementById(arguments[0]).focus()", box)
    code = {"Backspace": 8, "End": 35, "Enter": 13}.get(key)
    event = {"key": key, "windowsVirtualKeyCode": code or ord(key.upper())}
    if code is None:
        event["text"] = key
    driver.execute_cdp_cmd("Input.dispatchKeyEvent", {"type": "keyDown", **event})
    driver.execute_cdp_cmd("Input.dispatchKeyEvent", {"type": "keyUp", "key": key})


def summary(values):
    values = sorted(values)
    if not values:
        return "no values"
    p95 = values[min(len(values) - 1, int(len(values) * 0.95))]
    return (f"median {statistics.median(values):7.2f}  p95 {p95:7.2f}  max {values[-1]:7.2f}  "
            f"(n={len(values)})")


def verdict(value, budget):
    return "met" if value <= budget else "MISSED"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--site", default=os.path.join(root, "build-web", "site"))
    parser.add_argument("--baseline", help="another build of the page, measured alongside")
    parser.add_argument("--rounds", type=int, default=5)
    parser.add_argument("--loads", type=int, default=8)
    parser.add_argument("--keystrokes", type=int, default=96)
    parser.add_argument("--list-lines", type=int, default=500)
    parser.add_argument("--adds", type=int, default=20)
    args = parser.parse_args()
    kept = kept_list(args.list_lines)

    sizes = site_sizes(args.site)
    total = sum(raw for raw, _ in sizes.values())
    print("Files (the .gz copies beside them are sent to browsers that take gzip):")
    for name, (raw, packed) in sizes.items():
        print(f"  {name:36} {raw:8} bytes  {packed or '':>7} gzipped")
    packed_total = sum(packed or raw for raw, packed in sizes.values())
    print(f"  {'all':36} {total:8} bytes  {packed_total:7} as sent"
          f"   budget {BUDGET_BYTES}: {verdict(total, BUDGET_BYTES)}")

    cases = list(NETWORKS) + ["gone"]
    loads = {"cold": [], "baseline": []}
    loads.update({(who, case): [] for who in ("page", "baseline") for case in cases})
    page, bare, baseline, adds = [], [], [], []
    visitors = {"page": args.site}
    if args.baseline:
        visitors["baseline"] = args.baseline
    # Browsers side by side: the returning visitors, whose workers keep their page, and one that
    # loads cold (clearing its caches) and types (on cross-origin isolated pages, after which a
    # browser changes its processes for the next page).
    with contextlib.ExitStack() as stack:
        returning = {who: stack.enter_context(returning_visitor(site, kept))
                     for who, site in visitors.items()}
        cold_driver = stack.enter_context(browser_session.chromium(network_log=False))
        bare_site = stack.enter_context(tempfile.TemporaryDirectory())
        with open(os.path.join(bare_site, "index.html"), "w", encoding="utf-8") as f:
            f.write(_BARE_PAGE)
        cold_driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": _OBSERVER})
        with browser_session.static_server(args.site) as origin, \
                browser_session.static_server(args.site, _ISOLATED) as isolated, \
                browser_session.static_server(bare_site, _ISOLATED) as bare_origin, \
                browser_session.static_server(args.baseline or bare_site) as other, \
                browser_session.static_server(args.baseline or bare_site, _ISOLATED) as other_isolated:
            for server in (origin, isolated, other, other_isolated):
                keep_list(cold_driver, server, kept)
            ready_times(cold_driver, origin, 1, cold=True)  # warm-up: the browser's first load
            for _ in range(args.rounds):
                for who, visitor in returning.items():
                    for case, delay in NETWORKS.items():
                        visitor.delay = delay
                        loads[who, case] += ready_times(visitor.driver, visitor.origin,
                                                        args.loads, cold=False)
                        visitor.let_go()
                    # The server is gone: every file from the worker's cache.
                    visitor.stop()
                    loads[who, "gone"] += ready_times(visitor.driver, visitor.origin, args.loads,
                                                      cold=False)
                    visitor.start()
                page += keystroke_times(cold_driver, isolated + "/index.html", args.keystrokes)
                bare += keystroke_times(cold_driver, bare_origin + "/index.html", args.keystrokes)
                loads["cold"] += ready_times(cold_driver, origin, args.loads, cold=True)
                adds += add_times(cold_driver, isolated + "/index.html", args.adds, kept)
                if args.baseline:
                    loads["baseline"] += ready_times(cold_driver, other, args.loads, cold=True)
                    baseline += keystroke_times(cold_driver, other_isolated + "/index.html",
                                                args.keystrokes)

    print(f"Navigation to the first result ready, with {args.list_lines} lines kept, ms:")

    def ready(key):
        return [ready for ready, _ in loads[key]]

    def laid_out(key):
        print(f"  {'  and the list laid out':40} {summary([out for _, out in loads[key]])}")

    cold = {"page": statistics.median(ready("cold"))}
    print(f"  {'cold: no HTTP cache, no worker':40} {summary(ready('cold'))}")
    laid_out("cold")
    if loads["baseline"]:
        cold["baseline"] = statistics.median(ready("baseline"))
        print(f"  {'the baseline, cold':40} {summary(ready('baseline'))}")
    worst = 0
    for case in cases:
        for who in visitors:
            label = f"{'the baseline' if who == 'baseline' else 'service worker'}, server {case}"
            median = statistics.median(ready((who, case)))
            print(f"  {label:40} {summary(ready((who, case)))}  "
                  f"{median / cold[who]:.2f}x its cold load")
            if who == "page":
                worst = max(worst, median)
    print(f"  budget {BUDGET_COLD_MS} ms cold: {verdict(cold['page'], BUDGET_COLD_MS)}; "
          f"{BUDGET_WORKER_MS} ms through the worker: {verdict(worst, BUDGET_WORKER_MS)}; "
          f"{BUDGET_WORKER_TO_COLD}x a cold load through the worker whatever the network: "
          f"{verdict(worst / cold['page'], BUDGET_WORKER_TO_COLD)}")

    print("One keystroke (typing and deleting digits), ms:")
    rows = [("key event to every field updated", [k["total"] for k in page]),
            ("  the page's handlers", [k["page"] for k in page]),
            ("  the page's handlers and later work", [k["page"] + k["later"] for k in page]),
            ("a bare text box, key event to input", [k["total"] for k in bare]),
            ("  the bare page's later work", [k["later"] for k in bare]),
            ("the baseline, every field updated", [k["total"] for k in baseline]),
            ("  the baseline's handlers and later work",
             [k["page"] + k["later"] for k in baseline])]
    for label, values in rows:
        if values:
            print(f"  {label:40} {summary(values)}")
    own = statistics.median(k["page"] + k["later"] for k in page)
    ratio = statistics.median(k["total"] for k in page) / statistics.median(
        k["total"] for k in bare)
    print(f"  budget {BUDGET_PAGE_WORK_MS} ms of the page's own work (median, with later "
          f"work): {verdict(own, BUDGET_PAGE_WORK_MS)}")
    print(f"  every field updated / bare text box: {ratio:.2f}x, budget {BUDGET_RATIO}x: "
          f"{verdict(ratio, BUDGET_RATIO)}")

    if adds:
        print(f"Enter adding a line to a list of {args.list_lines}, ms:")
        print(f"  {'key event to its handlers done':40} {summary([a['handlers'] for a in adds])}")
        print(f"  {'  and the layout it needs':40} {summary([a['laidOut'] for a in adds])}")
        added = statistics.median(a["laidOut"] for a in adds)
        print(f"  budget {BUDGET_ADD_MS} ms (median, laid out): {verdict(added, BUDGET_ADD_MS)}")


if __name__ == "__main__":
    main()
