"""The web folder in headless Chromium, driven as a player would.

The folder is served on a local port by a small static server (as a
school's server would serve it); Chromium gets the tests' platform
(test_platform.js) in every page before it loads, so that the countdown's
clock, the random draws, the beep and downloads are the test's. The
player's acts are real input through DevTools (mouse presses at a point of
the element that is not covered, key presses, text as a keyboard or an
input method gives it); checks read the page's elements, found by the
design name the page puts on each.

Run with Debian's python3 (python3-selenium).
"""

import base64
import functools
import http.server
import json
import os
import subprocess
import tempfile
import threading

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

HERE = os.path.dirname(os.path.abspath(__file__))
KEYS = {
    # key, code, Windows key code, text, modifiers (1 Alt, 2 Ctrl, 8 Shift), location
    "enter": ("Enter", "Enter", 13, "\r", 0, 0),
    "shift-enter": ("Enter", "Enter", 13, "\r", 8, 0),
    "ctrl-enter": ("Enter", "Enter", 13, "\n", 2, 0),
    "alt-enter": ("Enter", "Enter", 13, "", 1, 0),
    "keypad-enter": ("Enter", "NumpadEnter", 13, "\r", 0, 3),
    "tab": ("Tab", "Tab", 9, "", 0, 0),
    "shift-tab": ("Tab", "Tab", 9, "", 8, 0),
    "space": (" ", "Space", 32, " ", 0, 0),
    "escape": ("Escape", "Escape", 27, "", 0, 0),
    "end": ("End", "End", 35, "", 0, 0),
}


# Once the page has marked itself ready (the game window drawn and its start
# notice shown) and taken in everything since.
WHEN_READY = """
new PerformanceObserver((list, observer) => {
  if (!list.getEntriesByName("tavri-ready").length) return;
  observer.disconnect();
  (globalThis.tavriTestPlatform?.whenIdle() ?? Promise.resolve()).then(() => done(true));
}).observe({ type: "mark", buffered: true });
"""


class StepError(Exception):
    """A step that cannot be taken (the scenario ends there)."""


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {
        ".wasm": "application/wasm",
        ".js": "text/javascript",
        ".css": "text/css",
        ".woff2": "font/woff2",
        ".webmanifest": "application/manifest+json",
    }

    def log_message(self, *args):
        pass


def names_from(command):
    """The plays' names, as scenario_names prints them."""
    return json.loads(subprocess.run(command, check=True, capture_output=True, text=True).stdout)


def serve(folder):
    """The folder on a free local port; the server runs until shut down."""
    server = http.server.ThreadingHTTPServer(
        ("127.0.0.1", 0), functools.partial(Handler, directory=folder))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


class Browser:
    """Headless Chromium with a profile of its own."""

    def __init__(self, binary, chromedriver, platform=True, size=(1000, 800)):
        self.profile = tempfile.TemporaryDirectory()
        options = webdriver.ChromeOptions()
        options.binary_location = binary
        for flag in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic",
                     "--no-first-run", "--disable-background-networking",
                     "--disable-component-update", "--disable-sync",
                     "--disable-background-timer-throttling", f"--window-size={size[0]},{size[1]}",
                     f"--user-data-dir={self.profile.name}"):
            options.add_argument(flag)
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        self.web = webdriver.Chrome(service=Service(chromedriver), options=options)
        self.web.set_script_timeout(30)
        self.platform = None
        if platform:
            with open(os.path.join(HERE, "test_platform.js"), encoding="utf-8") as script:
                self.platform = script.read()
            self.cdp("Page.addScriptToEvaluateOnNewDocument", source=self.platform)

    def new_tab(self):
        """Another tab of the same browser (same storage and locks); current."""
        self.web.switch_to.new_window("tab")
        if self.platform:
            self.cdp("Page.addScriptToEvaluateOnNewDocument", source=self.platform)
        return self.web.current_window_handle

    def cdp(self, command, **params):
        return self.web.execute_cdp_cmd(command, params)

    def js(self, script, *args):
        return self.web.execute_script(script, *args)

    def wait(self, script, *args):
        """Runs an async script: `done` is its callback."""
        return self.web.execute_async_script(
            "const done = arguments[arguments.length - 1];\n" + script, *args)

    def errors(self):
        return [entry["message"] for entry in self.web.get_log("browser")
                if entry["level"] == "SEVERE"]

    def quit(self):
        self.web.quit()
        self.profile.cleanup()


class PageDriver:
    """The scenario driver of the browser (tests/scenarios/driver.h)."""

    def __init__(self, browser, url, names):
        self.browser = browser
        self.url = url
        self.names = names
        self.window_designs = names["windowDesigns"]
        self.pending_file = None
        self.pending_draws = []
        self.started = False

    # --- Names --------------------------------------------------------------------------

    def window_design(self, window):
        return self.window_designs[window]

    def control_design(self, window, control):
        return self.names["controls"][window][control]["design"]

    def control_name(self, window, design):
        for name, entry in self.names["controls"][window].items():
            if entry["design"] == design:
                return name
        return design

    # --- Helpers ------------------------------------------------------------------------

    def idle(self):
        self.browser.wait("tavriTestPlatform.whenIdle().then(() => done(true));")

    def click_at(self, point):
        x, y = point
        for kind in ("mouseMoved", "mousePressed", "mouseReleased"):
            self.browser.cdp("Input.dispatchMouseEvent", type=kind, x=x, y=y, button="left",
                             clickCount=1)
        self.idle()

    def point(self, selector, window=None):
        return self.browser.js("return tavriProbe.point(arguments[0], arguments[1]);", selector,
                               self.window_design(window) if window else None)

    def key(self, name):
        key, code, vk, text, modifiers, location = KEYS[name]
        down = dict(type="keyDown" if text else "rawKeyDown", key=key, code=code,
                    windowsVirtualKeyCode=vk, nativeVirtualKeyCode=vk, modifiers=modifiers,
                    location=location)
        if text:
            down.update(text=text, unmodifiedText=text)
        self.browser.cdp("Input.dispatchKeyEvent", **down)
        self.browser.cdp("Input.dispatchKeyEvent", type="keyUp", key=key, code=code,
                         windowsVirtualKeyCode=vk, nativeVirtualKeyCode=vk, modifiers=modifiers,
                         location=location)
        self.idle()

    def type_characters(self, text):
        # A keyboard's characters as keys; others as an input method or an
        # on-screen keyboard commits them.
        for character in text:
            if " " < character <= "~":
                code = ord(character.upper()) if character.isalnum() else 0
                self.browser.cdp("Input.dispatchKeyEvent", type="keyDown", key=character,
                                 text=character, unmodifiedText=character,
                                 windowsVirtualKeyCode=code)
                self.browser.cdp("Input.dispatchKeyEvent", type="keyUp", key=character,
                                 windowsVirtualKeyCode=code)
            elif character == " ":
                self.key("space")
                continue
            else:
                self.browser.cdp("Input.insertText", text=character)
            self.idle()

    def reaches(self, window, act, must_be_active):
        seen = self.window(window)
        if not seen["exists"] or not seen["visible"]:
            raise StepError(f"{act}: the {window} window is not open")
        if self.open_box() or not seen["takesInput"]:
            return False
        if must_be_active and not seen["active"]:
            raise StepError(f"{act}: the {window} window is not the active one; "
                            "a play activates it first")
        return True

    # --- Before the start ---------------------------------------------------------------

    def set_results_file(self, data):
        self.pending_file = data

    def queue_random(self, draws):
        if self.started:
            self.browser.js("tavriTestPlatform.draws.push(...arguments[0]);", draws)
        else:
            self.pending_draws += draws

    def start(self):
        browser = self.browser
        browser.web.get(self.url)
        browser.wait("tavriTestPlatform.whenLoaded.then(() => done(true));")
        data = list(self.pending_file) if self.pending_file is not None else None
        result = browser.wait("""
          import("./storage.js").then((storage) => storage.whileLocked(
              () => storage.write(arguments[0] && new Uint8Array(arguments[0]))))
            .then(() => done("ok"), (error) => done(String(error)));""", data)
        if result != "ok":
            raise StepError(f"start: the results file could not be put in place: {result}")
        browser.js("tavriTestPlatform.draws.push(...arguments[0]); tavriTestPlatform.go();",
                   self.pending_draws)
        self.pending_draws = []
        self.started = True
        browser.wait(WHEN_READY)

    # --- The player ---------------------------------------------------------------------

    def click(self, window, control):
        if not self.reaches(window, "click", True):
            return
        seen = self.control(window, control)
        if not seen["visible"] or not seen["enabled"]:
            return
        design = self.control_design(window, control)
        point = self.point(f'[data-design="{design}"]', window)
        if point is None:
            raise StepError(f"click: no part of {control} can be reached")
        self.click_at(point)

    def choose_menu(self, item):
        if not self.reaches("game", "menu", True):
            return
        design = self.names["menu"][item]["design"]
        top = self.browser.js("""
          const item = document.querySelector(`.menubar [data-design="${arguments[0]}"]`);
          if (!item) return null;
          if (item.matches(".top")) return item.dataset.design;
          return item.closest(".menu").previousElementSibling.dataset.design;""", design)
        self.click_at(self.point(f'.menubar [data-design="{top}"]', "game"))
        if top != design:
            point = self.point(f'.menu [data-design="{design}"]', "game")
            if point is None:
                raise StepError(f"menu: {item} cannot be reached")
            self.click_at(point)

    def type(self, window, control, text):
        if not self.reaches(window, "type", True):
            return
        seen = self.control(window, control)
        if seen is None or not seen["visible"] or not seen["enabled"] or not self.browser.js(
                "return tavriProbe.controlEl(tavriProbe.windowEl(arguments[0]), arguments[1])"
                "?.matches('input') ?? false;",
                self.window_design(window), self.control_design(window, control)):
            raise StepError(f"type: {control} is not a text box shown and enabled")
        self.click(window, control)
        self.key("end")
        self.type_characters(text)

    def press(self, key):
        self.key(key)

    def type_into_focus(self, text):
        self.type_characters(text)

    def activate(self, window):
        if not self.reaches(window, "activate", False) or self.window(window)["active"]:
            return
        point = self.point(".title .caption", window)
        if point is None:
            raise StepError(f"activate: no part of the {window} window's title bar can be reached")
        self.click_at(point)

    def close(self, window):
        if not self.reaches(window, "close", True):
            return
        point = self.point(".title .close", window)
        if point is None:
            raise StepError(f"close: the {window} window's close box cannot be reached")
        self.click_at(point)

    def tick(self):
        self.browser.js("tavriTestPlatform.fire();")
        self.idle()

    def open_box(self):
        box = self.browser.js("return tavriProbe.box();")
        if box is None:
            return None
        box["owner"] = next((name for name, design in self.window_designs.items()
                             if design == box["owner"]), box["owner"])
        return box

    def answer_box(self, answer):
        point = self.browser.js(
            "return tavriProbe.point(`.message [data-answer='${arguments[0]}']`);", answer)
        if point is None:
            raise StepError(f"answer: the box has no {answer} button")
        self.click_at(point)

    # --- What the screen shows ------------------------------------------------------------

    def window(self, window):
        seen = self.browser.js("return tavriProbe.window(arguments[0]);", self.window_design(window))
        if seen.get("owner") is not None:
            seen["owner"] = next((name for name, design in self.window_designs.items()
                                  if design == seen["owner"]), seen["owner"])
        return seen

    def control(self, window, control):
        return self.browser.js("return tavriProbe.control(arguments[0], arguments[1]);",
                               self.window_design(window), self.control_design(window, control))

    def focus(self, window):
        design = self.browser.js("return tavriProbe.focus(arguments[0]);",
                                 self.window_design(window))
        return None if design is None else self.control_name(window, design)

    def menu_checked(self, item):
        return self.browser.js("return tavriProbe.menuChecked(arguments[0]);",
                               self.names["menu"][item]["design"])

    def timer_running(self):
        return self.browser.js("return tavriTestPlatform.timers.size > 0;")

    def beeps(self):
        return self.browser.js("return tavriTestPlatform.beeps;")

    def screen(self):
        return self.browser.js("return tavriProbe.screen();")

    def results_file(self):
        """The stored bytes, read back through the page's export."""
        self.browser.js("tavriTestPlatform.downloads = [];"
                        "document.getElementById('export').click();")
        self.idle()
        encoded = self.browser.wait("""
          const download = tavriTestPlatform.downloads[0];
          if (!download) done(null);
          else download.blob.arrayBuffer().then((buffer) => {
            let text = "";
            for (const byte of new Uint8Array(buffer)) text += String.fromCharCode(byte);
            done(btoa(text));
          });""")
        return None if encoded is None else base64.b64decode(encoded)

    def snapshot_when_shown(self, shown, window, control):
        self.browser.js("tavriTestPlatform.watch = {shown: arguments[0], window: arguments[1],"
                        " control: arguments[2], seen: undefined};",
                        self.window_design(shown), self.window_design(window),
                        self.control_design(window, control))

    def snapshot(self):
        return self.browser.js("const seen = tavriTestPlatform.watch?.seen;"
                               "return seen === undefined ? null : seen;")
