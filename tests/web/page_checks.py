#!/usr/bin/env python3
"""What the page does that no play says: the web folder as a school's
server serves it, in headless Chromium.

    page_checks.py FOLDER CHROMIUM CHROMEDRIVER NAMES_COMMAND...

- The real page (the browser's own clock, timers and storage): it draws the
  game window and its start notice in the web font, the service worker
  keeps every file, Chromium finds it installable, and it loads again with
  the server stopped.
- With the tests' platform: two tabs saving at once both keep their
  entries; an input method's committing Enter does not judge; a countdown
  whose timer comes late still loses the problem at 22 s and drops the
  ticks of a countdown restarted meanwhile; import keeps a desktop file byte
  for byte and refuses a short, a huge and a non-results file without
  changing the list; export writes what the desktop programs write; a
  finger's taps play.
"""

import os
import struct
import sys
import tempfile

from page_driver import WHEN_READY, Browser, PageDriver, names_from, serve

failures = []


def check(condition, what):
    print(("ok: " if condition else "FAILED: ") + what)
    if not condition:
        failures.append(what)


def record(name, score):
    """A record as the desktop programs write it, by hand."""
    return name.encode("cp932").ljust(10, b" ") + struct.pack("<h", score)


BLANK = record("", 0)

# --- The real page -------------------------------------------------------------------------

CACHED_FILES = """
navigator.serviceWorker.ready
  .then(() => navigator.serviceWorker.controller ? null : new Promise((resolve) =>
    navigator.serviceWorker.addEventListener("controllerchange", resolve, { once: true })))
  .then(() => caches.keys())
  .then((names) => Promise.all(names.map((name) => caches.open(name).then((cache) => cache.keys()))))
  .then((lists) => done(lists.flat().map((request) => new URL(request.url).pathname)))
  .catch((error) => done("error: " + error));
"""

FONT_LOADED = """
document.fonts.ready.then(() => done([...document.fonts]
  .filter((face) => face.family.replace(/"/g, "") === "Tavri Gothic")
  .map((face) => face.status)));
"""

SHOWN = """
const box = document.querySelector(".message .caption");
const game = document.querySelector(`.window[data-design="${arguments[0]}"]`);
return [box && box.textContent, game && !game.hidden,
        game && getComputedStyle(game.querySelector(".label")).fontFamily];
"""


def real_page(folder, binary, chromedriver, names):
    server = serve(folder)
    url = f"http://127.0.0.1:{server.server_address[1]}/"
    browser = Browser(binary, chromedriver, platform=False)
    try:
        browser.web.get(url)
        browser.wait(WHEN_READY)
        notice, shown, face = browser.js(SHOWN, names["windowDesigns"]["game"])
        check(notice == "スタート" and shown, f"the game window and its start notice: {notice!r}")
        check(face.startswith('"Tavri Gothic"'), f"labels in the web font: {face}")
        check(browser.wait(FONT_LOADED) == ["loaded"], "the web font is loaded")
        cached = browser.wait(CACHED_FILES)
        check(isinstance(cached, list) and {"/", "/tavri.wasm", "/main.js", "/front_end.js",
                                            "/tavri-gothic.woff2"} <= set(cached),
              f"the service worker keeps the files: {cached}")
        errors = browser.cdp("Page.getInstallabilityErrors").get("installabilityErrors")
        check(not errors, f"Chromium finds the page installable: {errors}")
        server.shutdown()
        server.server_close()
        browser.web.refresh()
        browser.wait(WHEN_READY)
        notice, shown, _ = browser.js(SHOWN, names["windowDesigns"]["game"])
        check(notice == "スタート" and shown, "the page loads again with the server stopped")
        errors = browser.errors()
        check(not errors, f"no errors on the console: {errors}")
    finally:
        browser.quit()


# --- With the tests' platform ----------------------------------------------------------------

def fresh(driver, file=None, draws=()):
    driver.started = False
    driver.set_results_file(file)
    driver.queue_random(list(draws))
    driver.start()
    driver.answer_box("ok")


def text(driver, window, control):
    return driver.control(window, control)["text"]


def finish_game(driver, right):
    """From the start: `right` problems of y = −4x answered right, the rest
    wrong; the results window of the game end is then open."""
    driver.click("game", "start")
    for problem in range(5):
        if problem < right:
            driver.click("game", "proportional")
            driver.type_characters("-4")
            driver.press("enter")
        else:
            driver.click("game", "inverse")


def two_tabs(driver):
    browser = driver.browser
    first = browser.web.current_window_handle
    fresh(driver)
    finish_game(driver, 1)
    driver.type("results", "name-box", "Aki")
    second = browser.new_tab()
    fresh(driver)
    finish_game(driver, 2)
    driver.type("results", "name-box", "Ben")
    # A third tab holds the lock on the list while both press Enter.
    third = browser.new_tab()
    browser.web.get(driver.url)
    browser.wait("""navigator.locks.request("tavri.rnk", () => {
      done(true); return new Promise((release) => { window.release = release; }); });""")
    for tab in (first, second):
        browser.web.switch_to.window(tab)
        browser.cdp("Input.dispatchKeyEvent", type="keyDown", key="Enter", code="Enter",
                    windowsVirtualKeyCode=13, text="\r")
        browser.cdp("Input.dispatchKeyEvent", type="keyUp", key="Enter", code="Enter",
                    windowsVirtualKeyCode=13)
    waiting = [browser.js("return tavriTestPlatform.busy;")]
    browser.web.switch_to.window(first)
    waiting.append(browser.js("return tavriTestPlatform.busy;"))
    browser.web.switch_to.window(third)
    browser.js("window.release();")
    browser.web.close()
    for tab in (second, first):
        browser.web.switch_to.window(tab)
        driver.idle()
    saved = driver.results_file()
    check(waiting == [True, True] and saved is not None
          and saved[:24] == record("Ben", 20) + record("Aki", 10),
          "two tabs saving at once both keep their entries: "
          + (saved[:24].hex(" ") if saved else "no file"))
    browser.web.switch_to.window(second)
    browser.web.close()
    browser.web.switch_to.window(first)


def input_method(driver):
    browser = driver.browser
    fresh(driver)
    driver.click("game", "start")
    driver.click("game", "proportional")
    browser.cdp("Input.imeSetComposition", text="－４", selectionStart=2, selectionEnd=2)
    driver.idle()
    # The Enter that commits the composition, as Chromium delivers it.
    browser.cdp("Input.dispatchKeyEvent", type="rawKeyDown", key="Enter", code="Enter",
                windowsVirtualKeyCode=229)
    browser.cdp("Input.dispatchKeyEvent", type="keyUp", key="Enter", code="Enter",
                windowsVirtualKeyCode=13)
    browser.cdp("Input.insertText", text="－４")
    driver.idle()
    committed = (text(driver, "game", "mark-1"), text(driver, "game", "coefficient"))
    check(committed == ("○", "－４"), f"the Enter that commits a composition judges nothing: {committed}")
    driver.press("enter")
    check(text(driver, "game", "mark-1") == "○○", "the next Enter judges the full-width answer")


def late_timer(driver):
    browser = driver.browser
    fresh(driver)
    driver.click("game", "start")

    def late(at):
        browser.js("tavriTestPlatform.fire(arguments[0]);", at)
        driver.idle()
        return [text(driver, "game", name) for name in ("heading", "points", "mark-1", "mark-2")]

    check(late(21999) == ["第 1問", " 0", "", ""], "ten ticks due at once by 21.999 s")
    check(late(22000) == ["第 2問", "10", "×", ""], "the problem is lost at 22 s")
    # The next problem counts from the tick that began it; when its timer
    # comes 38 s late, eleven ticks lose it and the rest are dropped.
    check(late(29999) == ["第 2問", " 7", "×", ""], "the next problem's ticks from 22 s")
    check(late(60000) == ["第 3問", "10", "×", "×"],
          "a timer 30 s late: the problem lost, the new countdown from now")


# How far the text of a label runs, and how wide its box is, on the screen.
TEXT_AND_BOX = """
const label = tavriProbe.controlEl(tavriProbe.windowEl(arguments[0]), arguments[1]);
const range = document.createRange();
range.selectNodeContents(label.querySelector(".text"));
const box = label.getBoundingClientRect();
return [Math.max(...[...range.getClientRects()].map((r) => r.right)) - box.left, box.width];
"""


def narrowed_label(driver):
    fresh(driver)
    driver.click("game", "start")
    points = driver.control("game", "points")
    reach, width = driver.browser.js(TEXT_AND_BOX, driver.window_design("game"),
                                     driver.control_design("game", "points"))
    check(points["text"] == "10" and points["widthPercent"] < 100 and reach <= width,
          f"a label narrowed to {points['widthPercent']} % is drawn inside its box: "
          f"its text reaches {reach:.1f} of {width:.1f}")


def imports(driver):
    browser = driver.browser
    # A desktop list: two entries, a name with "～" and "－", and what an
    # older program left after the 75 records.
    desktop = (record("ミカ～－", 40) + record("Jo", 30) + BLANK * 73 + b"OLDPROGRAM\x07\x00")
    files = {"desktop.rnk": desktop, "short.rnk": desktop[:899],
             "huge.rnk": desktop * 1200, "notes.txt": b"tavri notes\n" * 75}
    fresh(driver, file=record("Keep", 7) + BLANK * 74)
    chooser = browser.web.find_element("id", "import-file")

    with tempfile.TemporaryDirectory() as scratch:
        def choose(name):
            path = os.path.join(scratch, name)
            with open(path, "wb") as out:
                out.write(files[name])
            chooser.send_keys(path)
            driver.idle()
            return browser.js("return document.getElementById('status').textContent;")

        kept = driver.results_file()
        for name, why in (("short.rnk", "途中で切れています"), ("huge.rnk", "1 MiB より大きな"),
                          ("notes.txt", "成績のファイルではありません")):
            said = choose(name)
            check(why in said and driver.results_file() == kept,
                  f"import of {name} is refused and changes nothing: {said}")
        said = choose("desktop.rnk")
        check(driver.results_file() == desktop, f"a desktop list is kept byte for byte: {said}")
    driver.choose_menu("list-item")
    check(text(driver, "results", "name-1") == "ミカ～－", "the imported list shows")
    driver.click("results", "back")
    driver.answer_box("ok")
    # A game stored over it: what a desktop program writes for the same
    # game (records 21 to 75 blank, what lies beyond them kept).
    finish_game(driver, 5)
    driver.type("results", "name-box", "ケン")
    driver.press("enter")
    expected = (record("ケン", 50) + record("ミカ～－", 40) + record("Jo", 30) + BLANK * 72
                + b"OLDPROGRAM\x07\x00")
    check(driver.results_file() == expected, "export writes what the desktop programs write")


def touch(driver):
    browser = driver.browser
    fresh(driver)

    def tap(window, control):
        design = driver.control_design(window, control)
        x, y = driver.point(f'[data-design="{design}"]', window)
        for kind in ("touchStart", "touchEnd"):
            points = [{"x": x, "y": y}] if kind == "touchStart" else []
            browser.cdp("Input.dispatchTouchEvent", type=kind, touchPoints=points)
        driver.idle()

    browser.cdp("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=5)
    tap("game", "start")
    tap("game", "proportional")
    focused = driver.focus("game")
    tap("game", "coefficient")
    driver.type_characters("-4")
    driver.press("enter")
    check(focused == "coefficient" and text(driver, "game", "mark-1") == "○○",
          "taps play: a button tapped clicks, a box tapped takes the typing")
    browser.cdp("Emulation.setTouchEmulationEnabled", enabled=False)


def main():
    folder, binary, chromedriver = sys.argv[1:4]
    names = names_from(sys.argv[4:])
    real_page(folder, binary, chromedriver, names)
    server = serve(folder)
    browser = Browser(binary, chromedriver)
    driver = PageDriver(browser, f"http://127.0.0.1:{server.server_address[1]}/", names)
    try:
        for part in (two_tabs, input_method, late_timer, narrowed_label, touch):
            part(driver)
        imports(driver)
        errors = browser.errors()
        check(not errors, f"no errors on the console: {errors}")
    finally:
        browser.quit()
        server.shutdown()
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
