#!/usr/bin/env python3
"""The plays (tests/scenarios/plays/*.play) on the page in headless Chromium.

    play_scenarios.py FOLDER PLAYS CHROMIUM CHROMEDRIVER NAMES_COMMAND...

FOLDER is the web folder, PLAYS the plays' folder, NAMES_COMMAND runs
scenario_names (the plays' names for windows, controls and menu items). The player reads the plays' language as the native player
does (tests/scenarios/README.md): every step is checked when the file is
read, a failed check is noted and the scenario goes on, a step that cannot
be taken ends it. Every scenario starts the page afresh in one browser.
With TAVRI_PLAYS set to a file's stem (or stem.test) only those are played.
"""

import os
import re
import struct
import sys

from page_driver import Browser, PageDriver, StepError, names_from, serve


class PlayError(Exception):
    pass


# --- A play's words ------------------------------------------------------------------------

def split_line(text):
    words, pos = [], 0
    blank = " \t\r"
    while True:
        while pos < len(text) and text[pos] in blank:
            pos += 1
        if pos == len(text) or text[pos] == "#":
            break
        if text[pos] == '"':
            word, pos = [], pos + 1
            while True:
                if pos == len(text):
                    raise PlayError("a text has no closing quote")
                c = text[pos]
                if c == '"':
                    pos += 1
                    if pos < len(text) and text[pos] not in blank and text[pos] != "#":
                        raise PlayError("a text runs into the next word")
                    break
                if c == "\\":
                    pos += 1
                    escapes = {"r": "\r", '"': '"', "\\": "\\"}
                    if pos == len(text) or text[pos] not in escapes:
                        raise PlayError("unknown escape")
                    word.append(escapes[text[pos]])
                else:
                    word.append(c)
                pos += 1
            words.append(("".join(word), True))
            continue
        start = pos
        while pos < len(text) and text[pos] not in blank and text[pos] != "#":
            if text[pos] == '"':
                raise PlayError("a quote inside a word")
            pos += 1
        words.append((text[start:pos], False))
    source = text[:pos].strip(blank)
    return words, source


class Args:
    def __init__(self, words, first, names):
        self.words, self.at, self.names = words, first, names

    def next(self, what):
        if self.at == len(self.words):
            raise PlayError(f"{what} is missing")
        self.at += 1
        return self.words[self.at - 1]

    def bare(self, what):
        text, quoted = self.next(what)
        if quoted:
            raise PlayError(f"{what} is not a text in quotes")
        return text

    def text(self, what):
        text, quoted = self.next(what)
        if not quoted:
            raise PlayError(f"{what} must be a text in double quotes")
        return text

    def next_is_text(self):
        return self.at < len(self.words) and self.words[self.at][1]

    def at_end(self):
        return self.at == len(self.words)

    def int(self, what, low, high):
        text = self.bare(what)
        if not re.fullmatch(r"-?[0-9]+", text) or not low <= int(text) <= high:
            raise PlayError(f"{what} must be a number from {low} to {high}, not '{text}'")
        return int(text)

    def one_of(self, what, choices):
        word = self.bare(what)
        if word not in choices:
            raise PlayError(f"{what} must be {'|'.join(choices)}, not '{word}'")
        return choices[word] if isinstance(choices, dict) else word

    def accept(self, word):
        if self.at < len(self.words) and self.words[self.at] == (word, False):
            self.at += 1
            return True
        return False

    def window(self):
        name = self.bare("a window")
        if name not in self.names["windows"]:
            raise PlayError(f"no window is called '{name}' (game, results, help)")
        return name

    def control(self, window):
        name = self.bare("a control")
        if name not in self.names["controls"][window]:
            raise PlayError(f"the {window} window has no control '{name}'")
        return name

    def menu_item(self):
        name = self.bare("a menu item")
        if name not in self.names["menu"]:
            raise PlayError(f"the menu has no item '{name}'")
        return name

    def end(self):
        if self.at < len(self.words):
            raise PlayError(f"'{self.words[self.at][0]}' is one word too many")


# --- Bytes as the plays write them ----------------------------------------------------------

def cp932(text):
    return text.encode("cp932", errors="replace")


def record(name_bytes, score):
    if len(name_bytes) > 10:
        raise PlayError("a name takes at most 10 bytes")
    return name_bytes.ljust(10, b" ") + struct.pack("<h", score)


def single(value):
    return struct.unpack("f", struct.pack("f", value))[0]


def draw_of(outcome, count):
    return single((outcome + 0.5) / count)


def problem_draws(relationship, a, b):
    draws = [draw_of(relationship, 3)]
    if relationship == 1:
        return draws + [draw_of(abs(a) // 6 - 1, 3), 0.25 if a < 0 else 0.75]
    draws.append(draw_of(a + 4, 9))
    if relationship == 2:
        draws.append(draw_of(b + 4, 9))
    return draws


def quote(text):
    return '"' + text.replace("\r", "\\r") + '"'


# --- Steps --------------------------------------------------------------------------------

class Stage:
    def __init__(self, driver):
        self.driver = driver
        self.results_file = None
        self.failures = []
        self.step = None

    def check(self, passed, shown):
        if not passed:
            self.failures.append((self.step, shown))


def results_entry(a):
    r, p = a.int("the range", 0, 3), a.int("the place", 1, 5)
    data = record(cp932(a.text("the name")), a.int("the score", -32768, 32767))
    a.end()

    def act(s):
        if s.results_file is None:
            s.results_file = record(b"", 0) * 75
        at = (r * 5 + p - 1) * 12
        s.results_file = s.results_file[:at] + data + s.results_file[at + 12:]
    return act


def problem(a):
    relationship = a.one_of("the relationship", {"proportional": 0, "inverse": 1, "linear": 2})
    coefficient = a.int("a", -18, 18)
    if relationship == 1 and (coefficient == 0 or coefficient % 6):
        raise PlayError("a of y = a / x is ±6, ±12 or ±18")
    if relationship != 1 and (coefficient == 0 or abs(coefficient) > 4):
        raise PlayError("a is -4 … 4, not 0")
    constant = 1
    if relationship == 2:
        constant = a.int("b", -4, 4)
        if constant == 0:
            raise PlayError("b is -4 … 4, not 0")
    a.end()
    draws = problem_draws(relationship, coefficient, constant)
    return lambda s: s.driver.queue_random(draws)


def simple(act, *readers):
    def compile_step(a):
        values = [reader(a) for reader in readers]
        a.end()
        return lambda s: act(s.driver, *values)
    return compile_step


def window_and_control(a):
    window = a.window()
    return window, a.control(window)


def type_step(a):
    window, control = window_and_control(a)
    text = a.text("the text")
    a.end()
    return lambda s: s.driver.type(window, control, text)


def tick(a):
    times = 1 if a.at_end() else a.int("the number of ticks", 1, 100)
    a.end()

    def act(s):
        for _ in range(times):
            s.driver.tick()
    return act


def answer(a):
    given = a.one_of("the answer", ["ok", "cancel"])
    a.end()

    def act(s):
        if not s.driver.open_box():
            raise StepError("no box is open")
        s.driver.answer_box(given)
    return act


def snapshot_when_shown(a):
    shown = a.window()
    window, control = window_and_control(a)
    a.end()
    return lambda s: s.driver.snapshot_when_shown(shown, window, control)


def results_none(a):
    a.end()

    def act(s):
        s.results_file = None
    return act


def start(a):
    a.end()

    def act(s):
        s.driver.set_results_file(s.results_file)
        s.driver.start()
    return act


KEY_NAMES = ["enter", "shift-enter", "ctrl-enter", "alt-enter", "keypad-enter", "tab",
             "shift-tab", "space", "escape"]

BEFORE, ANYTIME, START, AFTER = range(4)
STEPS = {
    "results none": (BEFORE, results_none),
    "results entry": (BEFORE, results_entry),
    "problem": (ANYTIME, problem),
    "start": (START, start),
    "click": (AFTER, lambda a: simple(lambda d, w: d.click(*w), window_and_control)(a)),
    "menu": (AFTER, simple(lambda d, item: d.choose_menu(item), Args.menu_item)),
    "type": (AFTER, type_step),
    "keys": (AFTER, simple(lambda d, text: d.type_into_focus(text),
                           lambda a: a.text("the text"))),
    "press": (AFTER, simple(lambda d, key: d.press(key), lambda a: a.one_of("the key", KEY_NAMES))),
    "activate": (AFTER, simple(lambda d, w: d.activate(w), Args.window)),
    "close": (AFTER, simple(lambda d, w: d.close(w), Args.window)),
    "tick": (AFTER, tick),
    "answer": (AFTER, answer),
    "snapshot-when-shown": (AFTER, snapshot_when_shown),
}


# --- Checks -------------------------------------------------------------------------------

def missing(window):
    return f"the {window} window does not exist"


def on_control(window, control, test):
    def act(s):
        if not s.driver.window(window)["exists"]:
            return s.check(False, missing(window))
        shown = test(s.driver.control(window, control))
        if shown is not None:
            s.check(False, shown)
    return act


def on_window(window, test):
    def act(s):
        seen = s.driver.window(window)
        if not seen["exists"]:
            return s.check(False, missing(window))
        shown = test(seen, s)
        if shown is not None:
            s.check(False, shown)
    return act


def unless(passed, shown):
    return None if passed else shown


def describe_box(box):
    return (f"the box {quote(box['title'])} {quote(box['text'])} {box['icon']} "
            f"{'ok-cancel' if box['buttons'] == 2 else 'ok'} default-{box['defaultButton'] + 1} "
            f"over {box['owner']} is open")


def describe_file(data):
    return "there is no file" if data is None else f"the file has {len(data)} bytes"


def flag(key, wanted, otherwise):
    def compile_check(a):
        window, control = window_and_control(a)
        a.end()
        return on_control(window, control, lambda seen: unless(seen[key] == wanted, otherwise))
    return compile_check


def narrowed(wanted):
    def compile_check(a):
        window, control = window_and_control(a)
        a.end()
        return on_control(window, control, lambda seen: unless(
            (seen["widthPercent"] < 100) == wanted,
            f"its font is at {seen['widthPercent']} % of its width"))
    return compile_check


def place(with_size):
    def compile_check(a):
        window, control = window_and_control(a)
        want = [a.int("left", -10000, 10000), a.int("top", -10000, 10000)]
        if with_size:
            want += [a.int("width", 0, 10000), a.int("height", 0, 10000)]
        a.end()
        return on_control(window, control, lambda seen: unless(
            seen["rect"][:len(want)] == want,
            "it is at " + " ".join(str(v) for v in seen["rect"])))
    return compile_check


def takes_input(wanted):
    def compile_check(a):
        window = a.window()
        a.end()
        return on_window(window, lambda seen, s: unless(
            seen["takesInput"] == wanted, "it takes no input" if wanted else "it takes input"))
    return compile_check


def checked(wanted):
    def compile_check(a):
        item = a.menu_item()
        a.end()
        return lambda s: s.check(s.driver.menu_checked(item) == wanted,
                                 "it has no check mark" if wanted else "it has a check mark")
    return compile_check


def box_check(a):
    title = a.text("the title")
    text = a.text("the text") if a.next_is_text() else None
    icon = "exclamation" if a.accept("exclamation") else "question" if a.accept("question") else None
    buttons = 1 if a.accept("ok") else 2 if a.accept("ok-cancel") else None
    second_default = a.accept("default-2")
    owner = a.window() if a.accept("over") else None
    a.end()

    def act(s):
        box = s.driver.open_box()
        if not box:
            return s.check(False, "no box is open")
        s.check(box["title"] == title and (text is None or box["text"] == text)
                and (icon is None or box["icon"] == icon)
                and (buttons is None or box["buttons"] == buttons)
                and (not second_default or box["defaultButton"] == 1)
                and (owner is None or box["owner"] == owner), describe_box(box))
    return act


def no_box(a):
    a.end()

    def act(s):
        box = s.driver.open_box()
        s.check(not box, describe_box(box) if box else "")
    return act


def text_check(a):
    window, control = window_and_control(a)
    text = a.text("the text")
    a.end()
    return on_control(window, control, lambda seen: unless(
        seen["text"] == text, "it shows " + quote(seen["text"])))


def window_state(a):
    window = a.window()
    wanted = a.one_of("the state", ["open", "hidden", "closed"])
    a.end()

    def act(s):
        seen = s.driver.window(window)
        state = "closed" if not seen["exists"] else "open" if seen["visible"] else "hidden"
        s.check(state == wanted, f"it is {state}")
    return act


def active(a):
    window = a.window()
    a.end()

    def act(s):
        shown = "no window of the program is active"
        for other in s.driver.names["windows"]:
            if s.driver.window(other).get("active"):
                shown = f"the active window is {other}"
        s.check(bool(s.driver.window(window).get("active")), shown)
    return act


def focus(a):
    window, control = window_and_control(a)
    a.end()

    def act(s):
        seen = s.driver.focus(window)
        s.check(seen == control, f"the focus is on {seen}" if seen
                else f"no control of the {window} window has the focus")
    return act


def owner(a):
    window = a.window()
    wanted = None if a.accept("none") else a.window()
    a.end()
    return on_window(window, lambda seen, s: unless(
        seen["owner"] == wanted,
        f"it is owned by {seen['owner']}" if seen["owner"] else "it has no owner"))


def centred(a):
    window = a.window()
    if not a.accept("on"):
        raise PlayError("'on' is missing")
    around = None if a.accept("screen") else a.window()
    a.end()

    def test(seen, s):
        area = s.driver.screen()
        if around:
            other = s.driver.window(around)
            if not other["exists"]:
                return missing(around)
            middle = other["frame"]
        else:
            middle = area
        frame = seen["frame"]
        left = max(area[0], min(middle[0] + (middle[2] - frame[2]) // 2, area[0] + area[2] - frame[2]))
        top = max(area[1], min(middle[1] + (middle[3] - frame[3]) // 2, area[1] + area[3] - frame[3]))
        return unless(abs(frame[0] - left) <= 1 and abs(frame[1] - top) <= 1,
                      f"its frame is at {' '.join(map(str, frame))}, centred it would start at "
                      f"{left} {top}")
    return on_window(window, test)


def inside_screen(a):
    window = a.window()
    a.end()

    def test(seen, s):
        area, f = s.driver.screen(), seen["frame"]
        return unless(f[0] >= area[0] and f[1] >= area[1] and f[0] + f[2] <= area[0] + area[2]
                      and f[1] + f[3] <= area[1] + area[3],
                      f"its frame is at {f}, the work area at {area}")
    return on_window(window, test)


def client(a):
    window = a.window()
    size = [a.int("width", 0, 10000), a.int("height", 0, 10000)]
    a.end()
    return on_window(window, lambda seen, s: unless(
        seen["client"] == size, f"its client area is {seen['client'][0]} × {seen['client'][1]}"))


def timer(a):
    running = a.one_of("the timer", {"running": True, "stopped": False})
    a.end()
    return lambda s: s.check(s.driver.timer_running() == running,
                             "it is stopped" if running else "it is running")


def beeps(a):
    wanted = a.int("the number of beeps", 0, 1000)
    a.end()

    def act(s):
        heard = s.driver.beeps()
        s.check(heard == wanted, f"{heard} beeps were heard")
    return act


def file_none(a):
    if not a.accept("none"):
        raise PlayError("'expect file' takes 'none'")
    a.end()

    def act(s):
        data = s.driver.results_file()
        s.check(data is None, describe_file(data))
    return act


def file_size(a):
    size = a.int("the size", 0, 1 << 20)
    a.end()

    def act(s):
        data = s.driver.results_file()
        s.check(data is not None and len(data) == size, describe_file(data))
    return act


def record_check(a):
    number = a.int("the record", 1, 1000)
    if a.accept("hex"):
        hex_text = a.text("the name's bytes")
        if not re.fullmatch(r"( *[0-9a-fA-F]{2})* *", hex_text):
            raise PlayError("bytes are written as pairs of hex digits")
        name = bytes.fromhex(hex_text)
    else:
        name = cp932(a.text("the name"))
    wanted = record(name, a.int("the score", -32768, 32767))
    a.end()

    def act(s):
        data = s.driver.results_file()
        at = (number - 1) * 12
        if data is None or len(data) < at + 12:
            return s.check(False, describe_file(data))
        held = data[at:at + 12]
        s.check(held == wanted, f"it holds {held.hex(' ')}, not {wanted.hex(' ')}")
    return act


def snapshot(a):
    text = a.text("the text")
    a.end()

    def act(s):
        kept = s.driver.snapshot()
        s.check(kept == text, "it showed " + quote(kept) if kept is not None
                else "the window has not been shown since")
    return act


CHECKS = {
    "box": box_check,
    "no-box": no_box,
    "text": text_check,
    "shown": flag("visible", True, "it is hidden"),
    "hidden": flag("visible", False, "it is shown"),
    "enabled": flag("enabled", True, "it is disabled"),
    "disabled": flag("enabled", False, "it is enabled"),
    "window": window_state,
    "active": active,
    "blocked": takes_input(False),
    "usable": takes_input(True),
    "focus": focus,
    "checked": checked(True),
    "unchecked": checked(False),
    "timer": timer,
    "beeps": beeps,
    "owner": owner,
    "centred": centred,
    "inside-screen": inside_screen,
    "rect": place(True),
    "top-left": place(False),
    "client": client,
    "narrowed": narrowed(True),
    "not-narrowed": narrowed(False),
    "file": file_none,
    "file-size": file_size,
    "record": record_check,
    "snapshot": snapshot,
}


# --- Reading and playing ---------------------------------------------------------------------

def kind_of(words):
    two = len(words) > 1 and not words[0][1] and not words[1][1]
    if two and words[0][0] == "expect" and words[1][0] in CHECKS:
        return AFTER, CHECKS[words[1][0]], 2
    if not words[0][1] and words[0][0] in STEPS:
        return (*STEPS[words[0][0]], 1)
    if two and f"{words[0][0]} {words[1][0]}" in STEPS:
        return (*STEPS[f"{words[0][0]} {words[1][0]}"], 2)
    raise PlayError("no step begins this line")


def read_play(text, file, names):
    scenarios, titles, started = [], set(), False
    for number, line in enumerate(text.split("\n"), 1):
        try:
            words, source = split_line(line)
            if not words:
                continue
            if words[0] == ("scenario", False):
                args = Args(words, 1, names)
                title = args.text("the scenario's title")
                args.end()
                if title in titles:
                    raise PlayError("a second scenario of that title")
                titles.add(title)
                scenarios.append({"title": title, "steps": []})
                started = False
                continue
            if not scenarios:
                raise PlayError("a step before the first scenario")
            when, compile_step, first = kind_of(words)
            if when == AFTER and not started:
                raise PlayError("this step needs the program started")
            if when in (BEFORE, START) and started:
                raise PlayError("this step comes before start")
            started = started or when == START
            scenarios[-1]["steps"].append((number, source, compile_step(Args(words, first, names))))
        except PlayError as error:
            raise PlayError(f"{file}:{number}: {error}") from None
    return scenarios


def test_name(title):
    name = ""
    for c in title:
        if "A" <= c <= "Z":
            name += c.lower()
        elif "a" <= c <= "z" or "0" <= c <= "9":
            name += c
        elif c == "'":
            continue
        elif name and not name.endswith("_"):
            name += "_"
    return name.rstrip("_") or "scenario"


def play(scenario, driver):
    stage = Stage(driver)
    for number, source, action in scenario["steps"]:
        stage.step = (number, source)
        try:
            action(stage)
        except StepError as error:
            stage.failures.append((stage.step, str(error)))
            break
        except Exception as error:  # the page or the browser failed the step
            stage.failures.append((stage.step, f"the step could not be played: {error!r}"))
            break
    return stage.failures


def main():
    folder, plays, chromium, chromedriver = sys.argv[1:5]
    names = names_from(sys.argv[5:])
    only = os.environ.get("TAVRI_PLAYS")
    server = serve(folder)
    url = f"http://127.0.0.1:{server.server_address[1]}/"
    browser = Browser(chromium, chromedriver)
    failed = passed = 0
    try:
        for play_file in sorted(f for f in os.listdir(plays) if f.endswith(".play")):
            stem = play_file[:-5]
            path = os.path.join(plays, play_file)
            with open(path, encoding="utf-8") as text:
                try:
                    scenarios = read_play(text.read(), path, names)
                except PlayError as error:
                    print(f"FAILED {stem}.reading\n  {error}")
                    failed += 1
                    continue
            seen = set()
            for scenario in scenarios:
                name = test_name(scenario["title"])
                n = 2
                while name in seen:
                    name, n = f"{test_name(scenario['title'])}_{n}", n + 1
                seen.add(name)
                if only and only not in (stem, f"{stem}.{name}"):
                    continue
                failures = play(scenario, PageDriver(browser, url, names))
                errors = browser.errors()
                if failures or errors:
                    failed += 1
                    print(f"FAILED {stem}.{name}")
                    for (number, source), what in failures:
                        print(f"  {path}:{number}: {source}\n    {what}")
                    for error in errors:
                        print(f"  console: {error}")
                else:
                    passed += 1
                    print(f"ok {stem}.{name}")
    finally:
        browser.quit()
        server.shutdown()
    print(f"{passed} scenarios passed, {failed} failed")
    return 1 if failed or not passed else 0


if __name__ == "__main__":
    sys.exit(main())
