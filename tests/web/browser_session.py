"""The page served from a local static server and opened in Debian's headless Chromium.

Shared by the browser tests, the benchmark and the screenshot script. Everything stays on this
machine: the server listens on a free loopback port, the browser starts with a fresh profile
and with its own background traffic switched off.
"""

import contextlib
import functools
import http.server
import json
import os
import shutil
import socket
import sys
import tempfile
import threading

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

CHROMIUM = os.environ.get("TOLVI_CHROMIUM", "/usr/bin/chromium")
CHROMEDRIVER = os.environ.get("TOLVI_CHROMEDRIVER", "/usr/bin/chromedriver")

CHROMIUM_FLAGS = [
    "--headless",
    "--no-sandbox",
    "--disable-gpu",
    "--disable-quic",
    "--no-first-run",
    "--disable-background-networking",
    "--disable-component-update",
    "--disable-sync",
    "--disable-dev-shm-usage",
    "--force-device-scale-factor=1",
]


class _QuietHandler(http.server.SimpleHTTPRequestHandler):
    # Keeps connections open and sends each response at once, as a production server does,
    # instead of waiting for the acknowledgement of its headers (Nagle's algorithm).
    protocol_version = "HTTP/1.1"
    disable_nagle_algorithm = True

    extra_headers = {}
    hold = None

    def do_GET(self):  # noqa: N802 - the base class's name
        if self.hold:
            self.hold()
        super().do_GET()

    def end_headers(self):
        for name, value in self.extra_headers.items():
            self.send_header(name, value)
        super().end_headers()

    def log_message(self, format, *args):  # noqa: A002 - the base class's name
        pass


class _Server(http.server.ThreadingHTTPServer):
    """Keeps its connections, so that stopping it ends them too: a browser's kept-alive
    connection would otherwise still be answered."""

    def server_activate(self):
        super().server_activate()
        self.connections = set()

    def process_request(self, request, client_address):
        self.connections.add(request)
        super().process_request(request, client_address)

    def shutdown_request(self, request):
        self.connections.discard(request)
        super().shutdown_request(request)

    def handle_error(self, request, client_address):
        # A browser that goes away mid-response (a page left, a worker stopped) is no error.
        if not isinstance(sys.exc_info()[1], ConnectionError):
            super().handle_error(request, client_address)

    def server_close(self):
        for connection in list(self.connections):
            with contextlib.suppress(OSError):
                connection.shutdown(socket.SHUT_RDWR)
        super().server_close()


@contextlib.contextmanager
def static_server(directory, headers=None, hold=None, port=0):
    """Serves `directory` on a loopback port (a free one unless given), with `headers` added to
    every response; yields the origin, http://127.0.0.1:PORT. `hold`, if given, is called before
    each GET is answered (a slow or stalled network). On leaving, the server and its connections
    stop."""
    handler_class = type("Handler", (_QuietHandler,), {
        "extra_headers": dict(headers or {}), "hold": staticmethod(hold) if hold else None})
    handler = functools.partial(handler_class, directory=directory)
    server = _Server(("127.0.0.1", port), handler)
    thread = threading.Thread(target=server.serve_forever, daemon=True)
    thread.start()
    try:
        yield f"http://127.0.0.1:{server.server_address[1]}"
    finally:
        server.shutdown()
        server.server_close()
        thread.join()


@contextlib.contextmanager
def chromium(width=1024, height=768, network_log=True):
    """A headless Chromium driven through ChromeDriver, logging the console and, unless told
    otherwise (its instrumentation slows the page down), the network."""
    profile = tempfile.mkdtemp(prefix="tolvi-chromium-")
    options = webdriver.ChromeOptions()
    options.binary_location = CHROMIUM
    for flag in CHROMIUM_FLAGS:
        options.add_argument(flag)
    options.add_argument(f"--user-data-dir={profile}")
    options.add_argument(f"--window-size={width},{height}")
    logs = {"browser": "ALL"}
    if network_log:
        logs["performance"] = "ALL"
    options.set_capability("goog:loggingPrefs", logs)
    driver = webdriver.Chrome(service=Service(CHROMEDRIVER), options=options)
    try:
        yield driver
    finally:
        driver.quit()
        shutil.rmtree(profile, ignore_errors=True)


def wait_until_ready(driver, timeout=10):
    """Waits until the page's module has loaded: the amount box then takes typing."""
    driver.set_script_timeout(timeout)
    driver.execute_async_script(
        """
        const done = arguments[0];
        const box = document.getElementById('Text_amount');
        (function poll() {
            if (!box.readOnly) { done(); } else { setTimeout(poll, 5); }
        })();
        """
    )


def requested_urls(driver, origin):
    """The URLs requested since the last call (from the browser's network log) by documents of
    `origin`, and every request over the network whoever made it: the browser's own pages and
    what they load from themselves (chrome:, data:) are left out."""
    urls = []
    for entry in driver.get_log("performance"):
        message = json.loads(entry["message"])["message"]
        if message["method"] != "Network.requestWillBeSent":
            continue
        url = message["params"]["request"]["url"]
        document = message["params"].get("documentURL", "")
        if document.startswith(origin) or url.startswith(("http:", "https:", "ws:", "wss:")):
            urls.append(url)
    return urls
