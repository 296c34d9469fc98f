#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 L'équipe Quelvara
# SPDX-License-Identifier: GPL-3.0-or-later
"""The program's peak memory in the browser after a whole lesson's clicks
(an element, two stars in each view, the help and the About box), at the
pixel ratios of a desktop (1), a phone (3) and a desktop zoomed to 500 %
(5): Qt's window images grow with its square. WebAssembly memory only
grows, so its size at the end is the peak.

    web_memory.py URL
"""
import os
import sys
import time
sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", ".ci"))
import headless_chromium  # noqa: E402


url = sys.argv[1]
# Places in the lesson, as the end-to-end test clicks them.
CLICKS = [(72, 104), (611, 84), (740, 264), (776, 424), (668, 166), (776, 424), (600, 508), (245, 519),
          (870, 506)]
SHOWN = "return document.getElementById('message').hidden"
PIXEL = """
const canvas = document.getElementById('qt-shadow-container').shadowRoot.querySelector('canvas');
const scale = canvas.width / canvas.clientWidth;
return Array.from(canvas.getContext('2d').getImageData(arguments[0] * scale, arguments[1] * scale, 1, 1).data);
"""
# The program's memory kept aside as it is instantiated (its exports' names
# are minified), in the page's own world.
KEEP = """
const instantiate = WebAssembly.instantiate;
WebAssembly.instantiate = function () {
    return instantiate.apply(this, arguments).then(result => {
        const exports = Object.values((result.instance || result).exports);
        window.quelvaraMemory = exports.find(e => e instanceof WebAssembly.Memory);
        return result;
    });
};
"""



def peak(ratio):
    browser = headless_chromium.start()
    try:
        browser.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                                {"width": 1280, "height": 1024, "deviceScaleFactor": ratio, "mobile": False})
        browser.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": KEEP})
        browser.get(url)
        deadline = time.time() + 60
        while not browser.execute_script(SHOWN):
            if time.time() > deadline:
                sys.exit("FAIL: the lesson did not come up")
            time.sleep(0.1)
        time.sleep(1)
        corner = browser.execute_script("const r = document.getElementById('screen').getBoundingClientRect();"
                                        "return [r.left, r.top];")
        for n, (x, y) in enumerate(CLICKS):
            for kind in ("mousePressed", "mouseReleased"):
                browser.execute_cdp_cmd("Input.dispatchMouseEvent", {"type": kind, "x": corner[0] + x,
                                                                     "y": corner[1] + y, "button": "left",
                                                                     "clickCount": 1})
            time.sleep(0.5)
            # Vega's spectrum shows: the clicks reach the lesson.
            if n == 1 and browser.execute_script(PIXEL, 16 + 71, 440)[:3] != [127, 0, 85]:
                sys.exit("FAIL: the clicks do not reach the lesson")
        size = browser.execute_script("return window.quelvaraMemory.buffer.byteLength")
        return size
    finally:
        browser.quit()


for ratio in (1, 3, 5):
    print(f"WebAssembly memory after a whole lesson at pixel ratio {ratio}: {peak(ratio) / 2**20:.1f} MiB")
