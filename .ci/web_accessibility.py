#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 L'équipe Quelvara
# SPDX-License-Identifier: GPL-3.0-or-later
"""The lesson as a screen reader finds it in the browser: Chromium's
accessibility tree (DevTools' Accessibility.getFullAXTree), after real
clicks and keys. Names and roles at start-up, with no opt-in to find; the
slider's range, value and text, after a step too; a switch's state after
each press; Tab followed by the focus; the help's text; the announcement
once a star is chosen, by a region there from the start; a control that a
screen reader focuses is the one keys then act on. The names and texts are
the desktop screen-reader test's own.

    web_accessibility.py URL
"""
import os
import sys
import time
sys.path.insert(0, os.path.dirname(__file__))
import headless_chromium  # noqa: E402


sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "accessibility"))
from tst_screen_reader import NO_STAR, TAB_STOPS, VEGA  # noqa: E402

CHECK_BOXES = ["Hydrogène", "Titane", "Sodium", "Argon", "Calcium", "Mercure", "Lithium", "Fer",
               "Dessiner la constellation", "Vega", "Deneb"]
BUTTONS = ["Autre constellation", "AIDE", "À propos de Quelvara"]
SLIDER = "Curseur de longueur d'onde"
HYDROGEN, VEGA_AT = (72, 104), (611, 84)
HELP_START = "1- Au départ clique sur une des étoiles les plus"
HELP_SECOND = "brillantes du ciel ."
# The line of the focused text under its caret, where its lines are not wrapped.
CARET_LINE = """
const area = document.getElementById('qt-shadow-container').shadowRoot.activeElement;
if (!area || area.tagName !== 'TEXTAREA' || getComputedStyle(area).whiteSpace !== 'pre') return null;
const start = area.value.lastIndexOf('\\n', area.selectionStart - 1) + 1, end = area.value.indexOf('\\n', start);
return area.value.slice(start, end < 0 ? undefined : end);
"""
# What a screen reader's browse mode does: the page's focus put on a control's element.
FOCUS_ELEMENT = """
const root = document.getElementById('qt-shadow-container').shadowRoot;
const element = [...root.querySelectorAll('input')].find(e => e.getAttribute('aria-label') === arguments[0]);
element.focus();
"""
failures = []


def nodes(browser):
    """Every node that is not ignored: its role, name, value and properties."""
    found = []
    for node in browser.execute_cdp_cmd("Accessibility.getFullAXTree", {})["nodes"]:
        if node.get("ignored"):
            continue
        found.append({"role": node.get("role", {}).get("value"), "name": node.get("name", {}).get("value", ""),
                      "value": node.get("value", {}).get("value"),
                      "description": node.get("description", {}).get("value"),
                      **{p["name"]: p["value"].get("value") for p in node.get("properties", [])}})
    return found


def named(browser, name):
    return next((n for n in nodes(browser) if n["name"] == name), None)


def wait_for(what, condition, seconds=10):
    deadline = time.time() + seconds
    while time.time() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(0.1)
    failures.append(what)
    return None


def click(browser, point):
    corner = browser.execute_script("const r = document.getElementById('screen').getBoundingClientRect();"
                                    "return [r.left, r.top];")
    for kind in ("mousePressed", "mouseReleased"):
        browser.execute_cdp_cmd("Input.dispatchMouseEvent", {"type": kind, "x": corner[0] + point[0],
                                                             "y": corner[1] + point[1], "button": "left",
                                                             "clickCount": 1})


def key(browser, name, code):
    for kind in ("rawKeyDown", "keyUp"):
        browser.execute_cdp_cmd("Input.dispatchKeyEvent", {"type": kind, "key": name, "code": name,
                                                           "windowsVirtualKeyCode": code})
    time.sleep(0.2)


def focused(browser):
    """The focused control (the page itself says it has the focus too)."""
    return next((n["name"] for n in nodes(browser) if n.get("focused") and n["role"] != "RootWebArea"), None)


browser = headless_chromium.start("--window-size=1280,1024")
try:
    browser.execute_cdp_cmd("Accessibility.enable", {})
    # Headless, the page has the focus only by emulation.
    browser.execute_cdp_cmd("Emulation.setFocusEmulationEnabled", {"enabled": True})
    browser.get(sys.argv[1])
    wait_for("the lesson in the tree", lambda: named(browser, "Hydrogène"), 60)

    # At start-up: every control with its French name and its role, nothing in English to press first.
    tree = nodes(browser)
    for names, role in ((CHECK_BOXES, "checkbox"), (BUTTONS, "button"), ([SLIDER], "slider")):
        for name in names:
            node = next((n for n in tree if n["name"] == name), None)
            if not node or node["role"] != role:
                failures.append(f"{name}: {node and node['role']}, not a {role}")
    if any(n["name"] == "Enable Screen Reader" for n in tree):
        failures.append("an opt-in button in English")
    # The region that speaks is there before its first message, which it would drop otherwise.
    if not any(n["role"] == "status" for n in tree):
        failures.append("no live region before the first announcement")
    strip = named(browser, "Spectre de l'étoile")
    if not strip or strip.get("description") != NO_STAR:
        failures.append(f"the star's strip says {strip and strip.get('description')}")
    slider = named(browser, SLIDER) or {}
    # Its text as a description: Chromium reads no aria-valuetext on a range input.
    if [slider.get(k) for k in ("valuemin", "valuemax", "value", "description")] != [379, 779, 379, "379 nm"]:
        failures.append(f"the slider: {slider}")

    # The first button has the focus, as on the desktop.
    wait_for("the focus on Hydrogène at start-up", lambda: focused(browser) == "Hydrogène")

    # A switch pressed twice reads checked, then unchecked.
    for state in ("true", "false"):
        click(browser, HYDROGEN)
        wait_for(f"Hydrogène checked {state}", lambda: (named(browser, "Hydrogène") or {}).get("checked") == state)

    # Tab is followed: from "Hydrogène" on, each stop takes the page's focus.
    wait_for("the focus on Hydrogène", lambda: focused(browser) == "Hydrogène")
    for expected in TAB_STOPS[1:TAB_STOPS.index(SLIDER) + 1]:
        key(browser, "Tab", 9)
        wait_for(f"Tab reaching {expected}", lambda: focused(browser) == expected)
    # One step right: the wavelength and its text.
    key(browser, "ArrowRight", 39)
    wait_for("the slider one step on",
             lambda: [(named(browser, SLIDER) or {}).get(k) for k in ("value", "description")] == [380, "380 nm"]
             and named(browser, "380 nm"))

    # F1: the help's text, focused, for the arrows to read line by line; Esc closes it.
    key(browser, "F1", 112)
    wait_for("the help's text focused", lambda: next((n for n in nodes(browser) if n.get("focused")
                                                       and str(n["value"]).startswith(HELP_START)), None))
    # Down: the caret on the second line, a line as the dialog has it, not
    # one wrapped in the browser's font.
    key(browser, "ArrowDown", 40)
    wait_for("the help's second line under the caret", lambda: browser.execute_script(CARET_LINE) == HELP_SECOND)
    key(browser, "Escape", 27)
    wait_for("the help closed, the focus back", lambda: focused(browser) == SLIDER)

    # A star chosen by the mouse: its spectrum announced at once, and the strip's text.
    click(browser, VEGA_AT)
    wait_for("Vega announced", lambda: any(n["name"] == "Vega choisie. " + VEGA for n in nodes(browser)))
    wait_for("Vega's spectrum on its strip",
             lambda: (named(browser, "Spectre de l'étoile") or {}).get("description") == VEGA)

    # Browse mode puts the page's focus on "Titane": Qt's follows, so Tab goes on from there.
    browser.execute_script(FOCUS_ELEMENT, "Titane")
    wait_for("the focus on Titane", lambda: focused(browser) == "Titane")
    key(browser, "Tab", 9)
    wait_for("Tab going on from Titane", lambda: focused(browser) == TAB_STOPS[TAB_STOPS.index("Titane") + 1])
finally:
    browser.quit()
if failures:
    sys.exit("FAIL: " + "; ".join(failures))
print("PASS: the lesson in the browser's accessibility tree")
