# SPDX-FileCopyrightText: 2026 L'équipe Quelvara
# SPDX-License-Identifier: GPL-3.0-or-later
"""Debian's Chromium, headless, through its WebDriver: for the browser leg's
checks and the benchmarks. Quiet: no first-run pages, no background traffic."""
from selenium import webdriver
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
