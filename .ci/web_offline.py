#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 L'équipe Quelvara
# SPDX-License-Identifier: GPL-3.0-or-later
"""Offline copies on a real server, as teachers share one site: two builds in
two folders each keep theirs whatever the order of visits, and open with the
folders gone from the server and the browser's HTTP cache cleared; a folder
replaced by a new build is never mixed with the old while a page of the old
is open, runs the new one once it is closed, and its old copy goes, never
another folder's; a folder whose files do not match its build is never kept,
and the page says so. Throughout, the browser refuses nothing under the
server's policy, and the page asks nothing of another site.

    web_offline.py URL SITE BUILD_B    (URL: SITE's quelvara/, which holds prof-a/ (build A),
                                        prof-b/ and prof-m/; BUILD_B: the folder of build B)
"""
import json
import os
import shutil
import sys
import time

from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
sys.path.insert(0, os.path.dirname(__file__))
import headless_chromium  # noqa: E402
from headless_chromium import LESSON_UP, wait_for  # noqa: E402

url, site, folder_b = sys.argv[1:4]
served = os.path.join(site, "quelvara")
build = {name: open(os.path.join(served, name, "version.txt")).read().split()[-1] for name in ("prof-a", "prof-b")}
known = set(build.values())
assert len(known) == 2, build
browser = headless_chromium.start(logging=True)


def builds_loaded():
    """The builds whose files this page loaded."""
    names = browser.execute_script("return performance.getEntriesByType('resource').map(e => e.name)"
                                   ".concat([...document.scripts].map(s => s.src))")
    return {b for b in known for name in names if b in name}


def visit(folder, expected_build, kept=True):
    browser.get(url + folder + "/")
    wait_for(f"the lesson in {folder}", lambda: browser.execute_script(LESSON_UP), 30)
    assert builds_loaded() == {expected_build}, f"{folder}: builds {builds_loaded()}, not {expected_build}"
    if kept:
        wait_for(f"{folder} kept offline", lambda: browser.execute_async_script(
            "navigator.serviceWorker.ready.then(r => arguments[0](!!r.active && r.active.state === 'activated'))"), 30)


def cache_names():
    return set(browser.execute_async_script("caches.keys().then(arguments[0])"))


def cache_of(folder, of_build):
    return f"quelvara {url}{folder}/ {of_build}"


def nothing_refused():
    refused = [entry["message"] for entry in browser.get_log("browser")]
    assert not refused, "the browser refused or logged: " + "\n".join(refused)
    origin = url.split("/quelvara/")[0]
    elsewhere = set()
    for entry in browser.get_log("performance"):
        message = json.loads(entry["message"])["message"]
        if message["method"] == "Network.requestWillBeSent":
            asked = message["params"]["request"]["url"]
            if not asked.startswith((origin + "/", "data:", "blob:")):
                elsewhere.add(asked)
    assert not elsewhere, f"the page asked another site: {elsewhere}"


try:
    visit("prof-a", build["prof-a"])
    visit("prof-b", build["prof-b"])
    visit("prof-a", build["prof-a"])
    assert cache_names() == {cache_of("prof-a", build["prof-a"]), cache_of("prof-b", build["prof-b"])}, cache_names()
    # The help window, with its title bar's images, under the policy too.
    browser.switch_to.active_element.send_keys(Keys.F1)
    time.sleep(1)
    browser.switch_to.active_element.send_keys(Keys.ESCAPE)
    nothing_refused()
    print("PASS: two folders of one site, each kept offline")

    os.rename(served, served + ".away")
    browser.execute_cdp_cmd("Network.clearBrowserCache", {})
    visit("prof-b", build["prof-b"], kept=False)
    visit("prof-a", build["prof-a"], kept=False)
    os.rename(served + ".away", served)
    browser.get_log("browser")  # the workers' update checks, refused by the server
    print("PASS: both open with nothing on the server, from their own offline copy")

    # The teacher replaces prof-a by build B while a pupil's page of A is open.
    first = browser.current_window_handle
    shutil.rmtree(os.path.join(served, "prof-a"))
    shutil.copytree(folder_b, os.path.join(served, "prof-a"))
    browser.switch_to.new_window("tab")
    visit("prof-a", build["prof-a"], kept=False)
    wait_for("build B ready beside A", lambda: browser.execute_async_script(
        "navigator.serviceWorker.getRegistration().then(r => arguments[0](!!r.waiting))"))
    assert builds_loaded() == {build["prof-a"]}
    browser.close()
    browser.switch_to.window(first)
    browser.switch_to.new_window("tab")
    blank = browser.current_window_handle
    browser.switch_to.window(first)
    browser.close()
    browser.switch_to.window(blank)
    browser.get("about:blank")
    time.sleep(2)
    visit("prof-a", build["prof-b"])
    assert cache_names() == {cache_of("prof-a", build["prof-b"]), cache_of("prof-b", build["prof-b"])}, cache_names()
    nothing_refused()
    print("PASS: the update: A alone while open, B once closed, A's copy gone, prof-b's kept")

    browser.get(url + "prof-m/")
    mixed = ("Le dossier de Quelvara sur le serveur est incomplet, ou mêle deux versions (fichier quelvara-192.png) : "
             "il faut le copier de nouveau en entier.")
    wait_for("the mixed folder told", lambda: browser.find_element(By.ID, "status").text == mixed)
    assert not any("prof-m" in name for name in cache_names()), cache_names()
    print("PASS: a folder that mixes two builds is never kept, and the page says so")
finally:
    if os.path.exists(served + ".away"):
        os.rename(served + ".away", served)
    browser.quit()
