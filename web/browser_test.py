#!/usr/bin/env python3
"""The web folder in headless Chromium, served as a school's server would.

    browser_test.py FOLDER TEXTS CHROMIUM CHROMEDRIVER

Serves FOLDER on a free local port and checks that the page loads the core
and shows what it answered (one of the program's own texts, TEXTS, as
font_texts wrote them), in the web font; that the service worker keeps the
files, so that the page loads again with the server stopped; that Chromium
finds the page installable; and that nothing went to the console as an
error. Run with Debian's python3 (python3-selenium), as root too.
"""

import functools
import http.server
import sys
import tempfile
import threading

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

# What the page's core says once it has answered (performance.mark), with
# the text it shows; no polling.
WAIT_FOR_CORE = """
const done = arguments[arguments.length - 1];
const answer = () => done(document.getElementById("tavri").textContent);
if (performance.getEntriesByName("tavri-ready").length) answer();
else new PerformanceObserver((list, observer) => {
  if (list.getEntriesByName("tavri-ready").length) { observer.disconnect(); answer(); }
}).observe({ type: "mark", buffered: true });
"""

# Once the service worker controls the page: the files in its cache.
CACHED_FILES = """
const done = arguments[arguments.length - 1];
navigator.serviceWorker.ready
  .then(() => navigator.serviceWorker.controller ? null : new Promise((resolve) =>
    navigator.serviceWorker.addEventListener("controllerchange", resolve, { once: true })))
  .then(() => caches.keys())
  .then((names) => Promise.all(names.map((name) => caches.open(name).then((cache) => cache.keys()))))
  .then((lists) => done(lists.flat().map((request) => new URL(request.url).pathname)))
  .catch((error) => done("error: " + error));
"""

FONT_LOADED = """
const done = arguments[arguments.length - 1];
document.fonts.ready.then(() => done([...document.fonts]
  .filter((face) => face.family.replace(/"/g, "") === "Tavri Gothic")
  .map((face) => face.status)));
"""


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {
        ".wasm": "application/wasm",
        ".js": "text/javascript",
        ".woff2": "font/woff2",
        ".webmanifest": "application/manifest+json",
    }

    def log_message(self, *args):
        pass


def serve(folder):
    server = http.server.ThreadingHTTPServer(
        ("127.0.0.1", 0), functools.partial(Handler, directory=folder))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


def chromium(binary, driver, profile):
    options = webdriver.ChromeOptions()
    options.binary_location = binary
    for flag in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic",
                 "--no-first-run", "--disable-background-networking",
                 "--disable-component-update", "--disable-sync", f"--user-data-dir={profile}"):
        options.add_argument(flag)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    return webdriver.Chrome(service=Service(driver), options=options)


def main():
    folder, texts_path, binary, chromedriver = sys.argv[1:5]
    with open(texts_path, encoding="utf-8") as texts:
        own_texts = set(texts.read().split("\n"))
    failures = []

    def check(condition, what):
        print(("ok: " if condition else "FAILED: ") + what)
        if not condition:
            failures.append(what)

    server = serve(folder)
    url = f"http://127.0.0.1:{server.server_address[1]}/"
    with tempfile.TemporaryDirectory() as profile:
        driver = chromium(binary, chromedriver, profile)
        try:
            driver.set_script_timeout(30)
            driver.get(url)
            answer = driver.execute_async_script(WAIT_FOR_CORE)
            check(answer in own_texts and answer.strip(),
                  f"the page shows what the core answered: {answer!r}")
            check(driver.execute_async_script(FONT_LOADED) == ["loaded"],
                  "the web font is loaded")
            cached = driver.execute_async_script(CACHED_FILES)
            check(isinstance(cached, list) and "/tavri.wasm" in cached and "/" in cached,
                  f"the service worker keeps the files: {cached}")
            installable = driver.execute_cdp_cmd("Page.getInstallabilityErrors", {})
            check(not installable.get("installabilityErrors"),
                  f"Chromium finds the page installable: {installable}")

            server.shutdown()
            server.server_close()
            driver.refresh()
            answer_offline = driver.execute_async_script(WAIT_FOR_CORE)
            check(answer_offline == answer, "the page loads again with the server stopped")

            errors = [entry["message"] for entry in driver.get_log("browser")
                      if entry["level"] == "SEVERE"]
            check(not errors, f"no errors on the console: {errors}")
        finally:
            driver.quit()
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
