#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 L'équipe Quelvara
# SPDX-License-Identifier: GPL-3.0-or-later
"""The page when the program cannot be downloaded: the French message, seen
and heard, and "Réessayer"; once the file is back, the button brings the lesson up.

    web_retry.py URL FOLDER     (FOLDER: the served copy of build-web/)
"""
import os
import sys
import time

from selenium.common.exceptions import WebDriverException
from selenium.webdriver.common.by import By
sys.path.insert(0, os.path.dirname(__file__))
import headless_chromium  # noqa: E402

url, folder = sys.argv[1:3]
program = [os.path.join(folder, name) for name in ("quelvara.wasm", "quelvara.wasm.br", "quelvara.wasm.gz")]


def wait_for(what, condition, seconds=20):
    deadline = time.time() + seconds
    while time.time() < deadline:
        try:
            if condition():
                return
        except WebDriverException:  # the page between two loads
            pass
        time.sleep(0.1)
    sys.exit(f"FAIL: {what}")


browser = headless_chromium.start()
try:
    for path in program:
        os.rename(path, path + ".away")
    browser.get(url)
    status, retry = browser.find_element(By.ID, "status"), browser.find_element(By.ID, "retry")
    wait_for("the failure told", lambda: retry.is_displayed())
    expected = "Le serveur n'a pas envoyé le programme (quelvara.wasm : erreur 404)."
    assert status.text == expected, status.text
    # and heard: the text is in the accessibility tree, not hidden from it
    heard = [node for node in browser.execute_cdp_cmd("Accessibility.getFullAXTree", {})["nodes"]
             if not node.get("ignored") and node.get("name", {}).get("value") == expected]
    assert heard, "the failure is hidden from a screen reader"
    assert retry.text == "Réessayer", retry.text
    assert browser.find_element(By.LINK_TEXT, "le mode d'emploi").get_attribute("href").endswith("/LISEZMOI.html")
    for path in program:
        os.rename(path + ".away", path)
    retry.click()
    wait_for("the lesson after Réessayer", lambda: not browser.find_element(By.ID, "message").is_displayed()
             and browser.execute_script("const s = document.getElementById('qt-shadow-container');"
                                        "return !!(s && s.shadowRoot.querySelector('canvas'));"))
    print("PASS: a failed download told in French, and Réessayer bringing the lesson up")
finally:
    for path in program:
        if os.path.exists(path + ".away"):
            os.rename(path + ".away", path)
    browser.quit()
