#!/usr/bin/env python3
"""Pictures of the page for the README, in headless Chromium.

    render_page.py FOLDER OUTPUT CHROMIUM CHROMEDRIVER NAMES_COMMAND...

Writes page-phone-*.png (a phone held upright, 390 × 844 at 2 device
pixels to the CSS pixel) and page-200-*.png (a 800 × 600 window at 200 %)
of the game window during a problem, a formula being typed, the results
window after a game and the help window. The games are scripted (the
tests' platform), so every picture comes out the same.
"""

import base64
import os
import sys

from page_driver import Browser, PageDriver, names_from, serve
from play_scenarios import problem_draws

VIEWPORTS = {"phone": (390, 844, 2, True), "200": (800, 600, 2, False)}


def begin(driver, draws=(), file=None):
    driver.started = False
    driver.set_results_file(file)
    driver.queue_random(list(draws))
    driver.start()
    driver.answer_box("ok")


def game(driver):
    begin(driver, problem_draws(1, 12, 1))
    driver.click("game", "start")
    for _ in range(3):
        driver.tick()


def formula(driver):
    begin(driver, problem_draws(2, 3, -2))
    driver.click("game", "start")
    driver.tick()
    driver.click("game", "linear")
    driver.type_characters("3")
    driver.press("enter")
    driver.type_characters("-2")


def results(driver):
    stored = bytearray(b" " * 10 + b"\0\0") * 75
    for place, (name, score) in enumerate((("ミカ", 46), ("Jo", 31), ("さくら", 12))):
        stored[place * 12:place * 12 + 12] = name.encode("cp932").ljust(10, b" ") + bytes([score, 0])
    begin(driver, file=bytes(stored))
    driver.click("game", "start")
    for problem in range(5):
        if problem % 2 == 0:
            driver.tick()
            driver.click("game", "proportional")
            driver.type_characters("-4")
            driver.press("enter")
        else:
            driver.click("game", "inverse")
    driver.type_characters("ケン")


def help_window(driver):
    begin(driver)
    driver.click("game", "help")


def main():
    folder, output = sys.argv[1:3]
    binary, chromedriver = sys.argv[3:5]
    names = names_from(sys.argv[5:])
    os.makedirs(output, exist_ok=True)
    server = serve(folder)
    browser = Browser(binary, chromedriver)
    driver = PageDriver(browser, f"http://127.0.0.1:{server.server_address[1]}/", names)
    try:
        for viewport, (width, height, scale, mobile) in VIEWPORTS.items():
            browser.cdp("Emulation.setDeviceMetricsOverride", width=width, height=height,
                        deviceScaleFactor=scale, mobile=mobile)
            for name, scene in (("game", game), ("formula", formula), ("results", results),
                                ("help", help_window)):
                scene(driver)
                picture = browser.cdp("Page.captureScreenshot", format="png")["data"]
                path = os.path.join(output, f"page-{viewport}-{name}.png")
                with open(path, "wb") as out:
                    out.write(base64.b64decode(picture))
                print(path)
    finally:
        browser.quit()
        server.shutdown()


if __name__ == "__main__":
    main()
