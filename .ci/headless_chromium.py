# SPDX-FileCopyrightText: 2026 L'équipe Quelvara
# SPDX-License-Identifier: GPL-3.0-or-later
"""Debian's Chromium, headless, through its WebDriver: for the browser leg's
checks and the benchmarks. Quiet: no first-run pages, no background traffic."""
import sys
import time

from selenium import webdriver
from selenium.common.exceptions import WebDriverException
from selenium.webdriver.chrome.service import Service


def start(*extra, logging=False):
    """With logging, the browser's console and refusals and its requests are
    kept for get_log("browser") and get_log("performance")."""
    options = webdriver.ChromeOptions()
    if logging:
        options.set_capability("goog:loggingPrefs", {"browser": "ALL", "performance": "ALL"})
    options.binary_location = "/usr/bin/chromium"
    for option in ("--headless", "--no-sandbox", "--disable-gpu", "--no-first-run", "--disable-background-networking",
                   "--disable-component-update", "--disable-sync", *extra):
        options.add_argument(option)
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


# The lesson is up: the loading message gone and Qt's canvas in the page.
LESSON_UP = ("const s = document.getElementById('qt-shadow-container');"
             "return document.getElementById('message').hidden && !!(s && s.shadowRoot.querySelector('canvas'));")


def wait_for(what, condition, seconds=20):
    """Waits for condition(), through the page's reloads; fails the check after SECONDS."""
    deadline = time.time() + seconds
    while time.time() < deadline:
        try:
            if condition():
                return
        except WebDriverException:  # the page between two loads
            pass
        time.sleep(0.1)
    sys.exit(f"FAIL: {what}")
