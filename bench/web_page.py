#!/usr/bin/env python3
"""The page against a plain page of the same window, in headless Chromium.

    web_page.py FOLDER CHROMIUM CHROMEDRIVER [RUNS]

Page ready: from the start of the navigation to the page's mark
"tavri-ready" (the game window drawn and its start notice shown), as a first
visit gets it (Chromium's cache and the service worker bypassed) and as
every later visit does (the files from the service worker and the cache),
the folder served by a small static server on this machine. The plain page is the same
window built as static HTML: the page's own elements once it is ready (the
game window and the notice), its style sheet and font, and no script but
the mark, taken once it has its font. Served the same way, in the same
browser, alternating, RUNS times each (default 15); medians.

Bytes of a first visit: every file the service worker keeps, compressed
(web/first_visit_size.py).
"""

import os
import shutil
import statistics
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "web"))

from page_driver import WHEN_READY, Browser, serve  # noqa: E402

# The page as it stands once ready, with nothing of its program left: no
# script, no module or WebAssembly fetched, no measuring element.
STATIC_COPY = """
const copy = document.documentElement.cloneNode(true);
for (const gone of copy.querySelectorAll(
    'script, link[rel="modulepreload"], link[as="fetch"], link[rel="manifest"], .measure'))
  gone.remove();
return "<!doctype html>\\n" + copy.outerHTML;
"""

PLAIN_MARK = """<script>
document.fonts.ready.then(() => performance.mark("tavri-ready"));
</script>
"""

READY_AT = 'return performance.getEntriesByName("tavri-ready")[0].startTime;'


def alternate(browser, base, runs):
    """Page ready of the page and of the plain page, alternating."""
    times = {"page": [], "plain": []}
    for run in range(runs + 1):
        for name, url in (("page", base), ("plain", base + "plain.html")):
            browser.web.get("about:blank")
            browser.web.get(url)
            browser.wait(WHEN_READY)
            if run:  # the first of each warms the browser itself
                times[name].append(browser.js(READY_AT))
    return times


def main():
    folder, binary, chromedriver = sys.argv[1:4]
    runs = int(sys.argv[4]) if len(sys.argv) > 4 else 15
    with tempfile.TemporaryDirectory() as scratch:
        served = os.path.join(scratch, "tavri")
        shutil.copytree(folder, served)
        server = serve(served)
        base = f"http://127.0.0.1:{server.server_address[1]}/"
        browser = Browser(binary, chromedriver, platform=False)
        try:
            browser.cdp("Network.enable")
            browser.cdp("Network.setCacheDisabled", cacheDisabled=True)
            browser.cdp("Network.setBypassServiceWorker", bypass=True)
            browser.web.get(base)
            browser.wait(WHEN_READY)
            plain = browser.js(STATIC_COPY).replace("</head>", PLAIN_MARK + "</head>", 1)
            with open(os.path.join(served, "plain.html"), "w", encoding="utf-8") as out:
                out.write(plain)
            first = alternate(browser, base, runs)
            browser.cdp("Network.setCacheDisabled", cacheDisabled=False)
            browser.cdp("Network.setBypassServiceWorker", bypass=False)
            later = alternate(browser, base, runs)
        finally:
            browser.quit()
            server.shutdown()
    sizes = subprocess.run([sys.executable, os.path.join(HERE, "..", "web", "first_visit_size.py"),
                            folder, "300"], capture_output=True, text=True).stdout.strip()
    total = sizes.splitlines()[-1]
    kib = float(total.split("(")[1].split(" KiB")[0])
    print(f"\nThe page in headless Chromium: medians of {runs} visits each, alternating.\n")
    print("| measure | page | plain page of the same window | page / plain | target | met |")
    print("|---|---|---|---|---|---|")
    for what, times in (("first visit", first), ("later visits", later)):
        page, plain = statistics.median(times["page"]), statistics.median(times["plain"])
        ratio = page / plain
        print(f"| page ready, {what} (ms) | {page:.1f} | {plain:.1f} | {ratio:.2f} | <= 1.20 | "
              f"{'yes' if ratio <= 1.2 else 'NO'} |")
    print(f"| first visit, gzip (KiB) | {kib:.1f} | - | - | < 300 | {'yes' if kib < 300 else 'NO'} |")
    print("\n" + sizes)


if __name__ == "__main__":
    main()
