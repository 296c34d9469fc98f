#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 L'équipe Quelvara
# SPDX-License-Identifier: GPL-3.0-or-later
"""How long the lesson takes to come up in Chromium: over a shared school
network (10 Mbit/s, 40 ms, an empty cache), then again from the offline
cache with the network cut off. "Up" is the first column of the continuum
in its colour on the page's own canvas. Prints one line per run and the
medians, and the bytes that came over the wire.

    web_load.py URL [RUNS]
"""
import os
import statistics
import sys
import tempfile
import time
sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", ".ci"))
import headless_chromium  # noqa: E402


url = sys.argv[1]
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 5
SHOWN = """
const screen = document.getElementById('qt-shadow-container');
const canvas = screen && screen.shadowRoot && screen.shadowRoot.querySelector('canvas');
if (!canvas || !canvas.clientWidth) return false;
const scale = canvas.width / canvas.clientWidth;
const [r, g, b] = canvas.getContext('2d').getImageData(16 * scale, 408 * scale, 1, 1).data;
return r === 99 && g === 2 && b === 255;
"""
KEPT = """
const done = arguments[arguments.length - 1];
navigator.serviceWorker.ready.then(r => done(r.active.state === 'activated'));
"""

def until(browser, script, seconds=60):
    started = time.time()
    while time.time() - started < seconds:
        if browser.execute_script(script):
            return
        time.sleep(0.01)
    sys.exit("FAIL: the lesson did not come up")


def load(browser, network):
    browser.execute_cdp_cmd("Network.emulateNetworkConditions", network)
    started = time.time()
    browser.get(url)
    until(browser, SHOWN)
    return time.time() - started


shared = {"offline": False, "latency": 40, "downloadThroughput": 10e6 / 8, "uploadThroughput": 10e6 / 8}
cut = {"offline": True, "latency": 0, "downloadThroughput": -1, "uploadThroughput": -1}
cold, offline = [], []
for run in range(runs):
    browser = headless_chromium.start("--window-size=1280,1024",
                                      "--user-data-dir=" + tempfile.mkdtemp(prefix="quelvara-bench-"))
    try:
        browser.execute_cdp_cmd("Network.enable", {})
        cold.append(load(browser, shared))
        wire = browser.execute_script(
            "return performance.getEntriesByType('resource').concat(performance.getEntriesByType('navigation'))"
            ".reduce((n, e) => n + e.transferSize, 0)")
        deadline = time.time() + 30
        while not browser.execute_async_script(KEPT) and time.time() < deadline:
            time.sleep(0.2)
        offline.append(load(browser, cut))
        print(f"run {run + 1}: {cold[-1]:.2f} s at 10 Mbit/s, {wire / 1e6:.2f} MB over the wire; "
              f"{offline[-1]:.2f} s from the offline cache")
    finally:
        browser.quit()
print(f"median: {statistics.median(cold):.2f} s at 10 Mbit/s and 40 ms, "
      f"{statistics.median(offline):.2f} s from the offline cache")
