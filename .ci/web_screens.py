#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 L'équipe Quelvara
# SPDX-License-Identifier: GPL-3.0-or-later
"""The whole lesson on every screen: Chromium emulating phones, tablets and
large monitors, touch only where the device has it. On each, the page's
real pixels hold the lesson whole, with its proportions, at scale 1 where
it fits, at the largest whole scale where it fits twice over or more, and
at scale 1 again once the screen is smaller; the line asking to turn the device shows on an upright phone only;
turning the device fits the lesson again. On the tablet and the phone held
sideways, a finger's taps on "Hydrogène" and beside Vega do what clicks do,
at the page's zoom, a finger drags the slider's thumb and its label follows,
and a finger held on the emission strip shows the tooltip, above the finger
at its place, with the words the mouse's tooltip has there. Screenshots go to
FOLDER.

    web_screens.py URL FOLDER
"""
import io
import os
import re
import sys
import time

from PIL import Image, ImageChops
sys.path.insert(0, os.path.dirname(__file__))
import headless_chromium  # noqa: E402

url, folder = sys.argv[1:3]
LESSON = (959, 536)
BACKGROUND = (0x40, 0x40, 0x40)
TOOLTIP = (255, 255, 225)
LABEL, THUMB_AT = (340, 390, 91, 18), (200, 366, 24, 20)  # the slider's label; where the thumb goes
# name, CSS width and height, device pixel ratio, a touch device, the zoom expected
SCREENS = [
    ("phone-landscape", 844, 390, 3, True, None),
    ("phone-portrait", 390, 844, 3, True, None),
    ("tablet", 1024, 768, 2, True, 1),
    ("desktop", 1920, 1080, 1, False, 2),
    ("desktop-4k", 3840, 2160, 1, False, 4),
]
SHOWN = """
const screen = document.getElementById('qt-shadow-container');
const canvas = screen && screen.shadowRoot && screen.shadowRoot.querySelector('canvas');
return !!canvas && document.getElementById('message').hidden;
"""


TURN_LINE = """
const line = document.getElementById('turn'), view = window.visualViewport;
if (line.hidden) return null;
const r = line.getBoundingClientRect(), k = view.scale;
return [(r.left - view.offsetLeft) * k, (r.top - view.offsetTop) * k, (r.right - view.offsetLeft) * k,
        (r.bottom - view.offsetTop) * k];
"""


# A lesson's point in the page's CSS pixels, where DevTools' input goes
# whatever the zoom, and the colour there (the window's image is drawn at
# the page's zoom, so within a margin).
PLACE = """
const r = document.getElementById('screen').getBoundingClientRect();
return [r.left + arguments[0], r.top + arguments[1]];
"""
PIXEL = """
const canvas = document.getElementById('qt-shadow-container').shadowRoot.querySelector('canvas');
const scale = canvas.width / canvas.clientWidth;
return Array.from(canvas.getContext('2d').getImageData(Math.floor((arguments[0] + 0.5) * scale),
                                                       Math.floor((arguments[1] + 0.5) * scale), 1, 1).data);
"""
# Taps and what they must draw: the red bar under "Hydrogène"; a touch 14
# pixels below Vega's hot spot, Vega's line at 451 nm on the continuum.
TAPS = [((72, 104), (30, 124), (255, 0, 0)), ((611, 98), (16 + 71, 440), (127, 0, 85))]


REGION = PIXEL.replace("1, 1).data", "arguments[2] * scale, arguments[3] * scale).data")


def finger(browser, kind, point=None):
    points = [dict(zip("xy", browser.execute_script(PLACE, *point)))] if point else []
    browser.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": kind, "touchPoints": points})


def mouse_over(browser, *places):
    """The mouse through these places, a tooltip's wait at the last."""
    browser.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": False})
    for place in places:
        point = dict(zip("xy", browser.execute_script(PLACE, *place)))
        browser.execute_cdp_cmd("Input.dispatchMouseEvent", {"type": "mouseMoved", **point})
        time.sleep(0.3)
    time.sleep(2)
    browser.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": True, "maxTouchPoints": 5})


def tap(browser, point):
    finger(browser, "touchStart", point)
    finger(browser, "touchEnd")


def drag(browser, start, end, steps=10):
    finger(browser, "touchStart", start)
    for k in range(1, steps + 1):
        finger(browser, "touchMove", tuple(a + (b - a) * k // steps for a, b in zip(start, end)))
        time.sleep(0.03)
    finger(browser, "touchEnd")


def yellow_box(browser, lesson, ratio):
    """The tooltip's yellow in the lesson's pixels (right and bottom excluded),
    and its picture, text and all, or None."""
    shot = Image.open(io.BytesIO(browser.get_screenshot_as_png())).convert("RGB")
    mask = Image.new("L", shot.size)
    mask.putdata([255 if p == TOOLTIP else 0 for p in shot.getdata()])
    box = mask.getbbox()
    if box is None or (box[2] - box[0]) * (box[3] - box[1]) < 100:
        return None
    return tuple(round(v / ratio - lesson[i % 2]) for i, v in enumerate(box)), shot.crop(box)


def shows(browser, point, colour, seconds=5):
    deadline = time.time() + seconds
    while time.time() < deadline:
        if all(abs(a - b) <= 24 for a, b in zip(browser.execute_script(PIXEL, *point), colour)):
            return True
        time.sleep(0.1)
    return False


def lesson_box(browser, name, ratio):
    """The lesson's box in CSS pixels of the screen, found in the screenshot
    as what is not the page's background."""
    shot = Image.open(io.BytesIO(browser.get_screenshot_as_png())).convert("RGB")
    shot.save(os.path.join(folder, name + ".png"))
    # The line above the lesson, where it shows, is not the lesson.
    line = browser.execute_script(TURN_LINE)
    if line:
        shot.paste(BACKGROUND, tuple(round(v * ratio) for v in line))
    box = ImageChops.difference(shot, Image.new("RGB", shot.size, BACKGROUND)).getbbox()
    return [v / ratio for v in box]


failures = []
for name, width, height, ratio, touch, zoom in SCREENS:
    browser = headless_chromium.start("--hide-scrollbars")
    try:
        def emulate(w, h):
            browser.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
                "width": w, "height": h, "deviceScaleFactor": ratio, "mobile": touch,
                "screenOrientation": {"type": "portraitPrimary" if h > w else "landscapePrimary",
                                      "angle": 0 if h > w else 90}})
            browser.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": touch, "maxTouchPoints": 5})

        def check(w, h, label, zoom):
            deadline = time.time() + 30
            while not browser.execute_script(SHOWN):
                if time.time() > deadline:
                    sys.exit(f"FAIL: {label}: the lesson never came up")
                time.sleep(0.1)
            time.sleep(1)  # the page fitted, Qt drawn at its new ratio
            css = lesson_box(browser, label.replace(", turned", "-turned"), ratio)
            scale = (css[2] - css[0]) / LESSON[0]
            turn = browser.execute_script("return !document.getElementById('turn').hidden")
            print(f"{label}: {w} × {h}, lesson at {[round(v) for v in css]}, scale {scale:.3f}, "
                  f"turn line {'shown' if turn else 'hidden'}")
            # Cut at an edge, the lesson would lose its proportions.
            if abs((css[3] - css[1]) / LESSON[1] - scale) > 0.01:
                failures.append(f"{label}: the lesson's proportions changed")
            if zoom is not None and abs(scale - zoom) > 0.001:
                failures.append(f"{label}: the lesson at scale {scale:.3f}, not {zoom}")
            if zoom is None and scale > 1:
                failures.append(f"{label}: the lesson enlarged where it does not fit")
            if turn != (h > w and scale < 0.6):
                failures.append(f"{label}: the line asking to turn the device is {'shown' if turn else 'hidden'}")
            if touch and (w, h) in ((1024, 768), (844, 390)) and label == name:
                for place, where, colour in TAPS:
                    tap(browser, place)
                    if not shows(browser, where, colour):
                        failures.append(f"{label}: a tap at {place} does not draw {colour} at {where}")
                before = [browser.execute_script(REGION, *area) for area in (LABEL, THUMB_AT)]
                drag(browser, (11, 376), (211, 376))
                time.sleep(0.5)
                after = [browser.execute_script(REGION, *area) for area in (LABEL, THUMB_AT)]
                if before[0] == after[0] or before[1] == after[1]:
                    failures.append(f"{label}: the finger's drag moves {'neither' if before == after else 'one of'}"
                                    " the thumb and its label")
                # The label's value, as a screen reader reads it: 200 pixels
                # to the right of 379 nm is past 500 nm.
                read = {node["name"]["value"] for node in browser.execute_cdp_cmd(
                    "Accessibility.getFullAXTree", {})["nodes"] if not node.get("ignored")
                    and re.fullmatch(r"\d+ nm", node.get("name", {}).get("value", ""))}
                if len(read) != 1 or int(next(iter(read)).split()[0]) <= 500:
                    failures.append(f"{label}: after the finger's drag, the label reads {read}")
                # At scale 1, where the tip is drawn on whole pixels, its words are
                # compared with the mouse's tooltip's, after the mouse showed another
                # wavelength on the strip, so that a stale one shows.
                if zoom == 1:
                    mouse_over(browser, (16 + 210, 250), (16 + 100, 320), (16 + 210, 250))
                finger(browser, "touchStart", (16 + 210, 320))
                time.sleep(1)
                tip, words = yellow_box(browser, css, ratio) or (None, None)
                if tip is None:
                    failures.append(f"{label}: no tooltip under a finger held on the strip")
                # At scale 1, the tip's frame stands 2 pixels right of the finger
                # and ends 24 pixels above it: its yellow, a pixel inside.
                elif zoom == 1 and (tip[0], tip[3]) != (16 + 210 + 3, 320 - 24 - 1):
                    failures.append(f"{label}: the finger's tooltip at {tip}, not from x 229 to y 295")
                finger(browser, "touchEnd")
                if words and zoom == 1:
                    mouse_over(browser, (16 + 210, 250), (16 + 210, 320))
                    _, mouse_words = yellow_box(browser, css, ratio) or (None, None)
                    if mouse_words is None or mouse_words.size != words.size \
                            or ImageChops.difference(mouse_words, words).getbbox():
                        failures.append(f"{label}: the finger's tooltip does not say what the mouse's says there")

        emulate(width, height)
        browser.get(url)
        check(width, height, name, zoom)
        if touch:  # the device turned
            emulate(height, width)
            check(height, width, name + ", turned", None)
        elif zoom > 1:  # full screen left: the lesson fits at scale 1 again
            emulate(1280, 800)
            check(1280, 800, name + ", smaller", 1)
    finally:
        browser.quit()
if failures:
    sys.exit("FAIL: " + "; ".join(failures))
print("PASS: the whole lesson on every screen")
