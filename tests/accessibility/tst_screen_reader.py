#!/usr/bin/python3
"""The real program read as a screen reader reads it: through the AT-SPI bus,
on a private X server. Run inside its own D-Bus session (dbus-run-session).

    tst_screen_reader.py PATH-TO-QUELVARA
"""
import ctypes
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

TAB_STOPS = ["Hydrogène", "Lithium", "Sodium", "Autre constellation", "Fer", "Mercure",
             "Curseur de longueur d'onde", "Argon", "Titane", "AIDE", "Calcium",
             "Dessiner la constellation", "Vega", "Deneb", "Spectres d'émission des éléments",
             "Spectre de l'étoile", "À propos de Quelvara"]
VEGA = "Spectre de Vega : raies d'absorption à 412, 433, 450, 470, 485, 560, 603, 610, 642, 653, 668, 671 nm"
DENEB = "Spectre de Deneb : raies d'absorption à 438, 450, 467, 470, 489, 498, 532, 560, 589, 603, 642, 668 nm"
NO_STAR = "Aucune étoile choisie : spectre continu, sans raie"


def wait_for(what, condition, seconds=10):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        while GLib.MainContext.default().iteration(False):
            pass
        value = condition()
        if value:
            return value
        time.sleep(0.1)
    sys.exit(f"FAIL: {what} (focus: {focus_now()})")


# What a screen reader is told to say at once, wherever the focus is: an
# announcement (Qt 6.8 and later), or a notification that comes up.
heard = []


def on_event(event):
    if event.type.startswith("object:announcement"):
        heard.append(str(event.any_data))
    elif event.detail1 and event.source.getRole() == pyatspi.ROLE_NOTIFICATION:
        heard.append(event.source.name)


def hears(message):
    return lambda: message in heard


def focus_now():
    return [c.name for c in children(the_frame) if c.getState().contains(pyatspi.STATE_FOCUSED)] if the_frame else None


the_frame = None


def children(node):
    return [node.getChildAtIndex(i) for i in range(node.childCount)]


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def named(frame, name):
    return next((c for c in children(frame) if c.name == name and showing(c)), None)


def focused(frame):
    return next((c.name for c in children(frame) if c.getState().contains(pyatspi.STATE_FOCUSED)), None)


class XTest:
    """Real pointer and key events on the X server, as a pupil's."""

    def __init__(self):
        self.x11 = ctypes.CDLL("libX11.so.6")
        self.xtst = ctypes.CDLL("libXtst.so.6")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        self.x11.XFlush.argtypes = [ctypes.c_void_p]
        self.xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.c_int,
                                                   ctypes.c_ulong]
        for function in (self.xtst.XTestFakeButtonEvent, self.xtst.XTestFakeKeyEvent):
            function.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
        self.display = ctypes.c_void_p(self.x11.XOpenDisplay(None))

    def click(self, x, y):
        self.xtst.XTestFakeMotionEvent(self.display, -1, x, y, 0)
        for down in (1, 0):
            self.xtst.XTestFakeButtonEvent(self.display, 1, down, 0)
            self.x11.XFlush(self.display)
            time.sleep(0.05)

    def key(self, keysym):
        code = self.x11.XKeysymToKeycode(self.display, keysym)
        for down in (1, 0):
            self.xtst.XTestFakeKeyEvent(self.display, code, down, 0)
        self.x11.XFlush(self.display)


def key(keysym):
    xtest.key(keysym)


def main():
    xvfb_display = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(xvfb_display[1]), "-screen", "0", "1280x1024x24",
                               "-nolisten", "tcp"], pass_fds=[xvfb_display[1]], stderr=subprocess.DEVNULL)
    os.close(xvfb_display[1])
    os.environ["DISPLAY"] = ":" + os.read(xvfb_display[0], 16).decode().strip()
    environment = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    environment.pop("QT_QPA_PLATFORM", None)
    program = subprocess.Popen([sys.argv[1]], env=environment)
    global xtest
    xtest = XTest()
    try:
        desktop = pyatspi.Registry.getDesktop(0)
        app = wait_for("the program on the accessibility bus",
                       lambda: next((a for a in children(desktop) if a is not None and a.name == "quelvara"), None))
        frame = wait_for("its main window", lambda: next((c for c in children(app) if c.name == "Quelvara"), None))
        global the_frame
        the_frame = frame
        wait_for("the window shown", lambda: named(frame, "Hydrogène"))
        pyatspi.Registry.registerEventListener(on_event, "object:announcement", "object:state-changed:showing")
        x, y = origin(frame)

        # A session with the mouse alone: a click that disables "Dessiner la
        # constellation" leaves the focus on a button, never on a star.
        for point in [(776, 464), (776, 464), (740, 264)]:  # Dessiner twice, Deneb
            xtest.click(x + point[0], y + point[1])
        wait_for("Deneb chosen by the mouse", lambda: named(frame, "Deneb").getState().contains(pyatspi.STATE_CHECKED))
        wait_for("the focus kept off the stars", lambda: focused(frame) == "Hydrogène", 3)
        xtest.click(x + 740, y + 264)

        # The tree: every control on screen has a name; the sky names its view.
        for child in children(frame):
            if showing(child):
                assert child.name.strip(), f"a {child.getRoleName()} without a name"
        assert named(frame, "Ciel : la Lyre et le Cygne, figures masquées"), "the sky does not name its view"
        slider = named(frame, "Curseur de longueur d'onde")
        assert slider.description == "379 nm", slider.description
        value = slider.queryValue()
        assert (value.minimumValue, value.maximumValue, value.currentValue) == (379, 779, 379), \
            (value.minimumValue, value.maximumValue, value.currentValue)
        # Set through the accessibility interface, as by a pupil's move.
        value.currentValue = 500
        wait_for("the label following the value", lambda: named(frame, "500 nm") and slider.description == "500 nm")
        value.currentValue = 379
        wait_for("the label back at 379 nm", lambda: named(frame, "379 nm"))
        strip = named(frame, "Spectre de l'étoile")
        assert strip.description == NO_STAR, strip.description

        # An element shown, then hidden, heard with the emission strip's lines.
        hydrogen = named(frame, "Hydrogène").queryAction()
        hydrogen.doAction(0)
        wait_for("hydrogen heard", hears("Hydrogène affiché. Raies d'émission à 412, 433, 485, 653 nm"), 2)
        hydrogen.doAction(0)
        wait_for("hydrogen hidden heard", hears("Hydrogène masqué. Aucun élément affiché : aucune raie"), 2)

        # Vega's press action, then the continuum strip's text.
        vega = named(frame, "Vega")
        actions = vega.queryAction()
        actions.doAction([actions.getName(i) for i in range(actions.nActions)].index("Press"))
        wait_for("Vega's spectrum read out", lambda: strip.description == VEGA)
        assert vega.getState().contains(pyatspi.STATE_CHECKED), "Vega does not say it is chosen"
        actions.doAction(0)
        wait_for("Vega's spectrum taken away", lambda: strip.description == NO_STAR)
        wait_for("Vega released heard", hears("Vega n'est plus choisie. " + NO_STAR), 1)

        # Tab through every stop, from the first button, which has the focus.
        xtest.click(x + 470, y + 30)  # the window's background
        wait_for("the first button focused", lambda: focused(frame) == "Hydrogène")
        for expected in TAB_STOPS[1:] + TAB_STOPS[:1]:
            key(0xff09)  # Tab
            wait_for(f"Tab reaching {expected}", lambda: focused(frame) == expected, 5)

        # Space on a star does what a click does.
        for expected in TAB_STOPS[1:TAB_STOPS.index("Vega") + 1]:
            key(0xff09)
            wait_for(f"Tab reaching {expected}", lambda: focused(frame) == expected, 5)
        key(0x20)  # space
        wait_for("Space on Vega choosing it", lambda: strip.description == VEGA)
        assert vega.getState().contains(pyatspi.STATE_CHECKED), "Vega chosen with Space does not say so"
        wait_for("Vega heard with its spectrum", hears("Vega choisie. " + VEGA), 1)
        key(0xff09)
        key(0x20)
        wait_for("Deneb heard, and Vega released", hears("Deneb choisie, Vega n'est plus choisie. " + DENEB), 1)
        key(0xff09)
        wait_for("Tab reaching the emission strip", lambda: focused(frame) == "Spectres d'émission des éléments", 5)

        # The figures are a switch; the other view is heard, with the star
        # chosen in this one released, and its stars reached.
        figures = named(frame, "Dessiner la constellation")
        deneb = named(frame, "Deneb").queryAction()
        deneb.doAction(0)
        wait_for("the figures' button enabled", lambda: figures.getState().contains(pyatspi.STATE_ENABLED))
        assert figures.getRole() == pyatspi.ROLE_CHECK_BOX, figures.getRoleName()
        figures.queryAction().doAction(0)
        wait_for("the figures switched on", lambda: figures.getState().contains(pyatspi.STATE_CHECKED))
        deneb.doAction(0)
        wait_for("Deneb chosen again", lambda: strip.description == DENEB)
        named(frame, "Autre constellation").queryAction().doAction(0)
        wait_for("the other view heard",
                 hears("Ciel : les Gémeaux et Betelgeuse, figures masquées. Étoiles : Betelgeuse, Pollux. "
                       "Deneb n'est plus choisie."), 1)
        assert not figures.getState().contains(pyatspi.STATE_CHECKED), "a new view starts with its figures shown"
        for expected in TAB_STOPS[15:] + TAB_STOPS[:12] + ["Pollux", "Betelgeuse"]:
            key(0xff09)
            wait_for(f"Tab reaching {expected}", lambda: focused(frame) == expected, 5)

        # The help text: the Down arrow moves the caret a line on, and that
        # line is what the text interface reads there.
        key(0xffbe)  # F1
        memo = wait_for("the help text focused", lambda: next(
            (c for w in children(app) for c in children(w) if c.getRole() == pyatspi.ROLE_TEXT
             and c.getState().contains(pyatspi.STATE_FOCUSED)), None))
        text = memo.queryText()
        key(0xff54)  # Down
        wait_for("the caret on the second line", lambda: text.caretOffset > 0)
        line = text.getTextAtOffset(text.caretOffset, pyatspi.TEXT_BOUNDARY_LINE_START)[0]
        assert line.strip() == "brillantes du ciel .", line
        key(0xff1b)  # Esc

        # Back on the main window, Enter on the last stop opens the About box.
        xtest.click(x + 470, y + 30)
        wait_for("the focus back on Betelgeuse", lambda: focused(frame) == "Betelgeuse")
        for expected in TAB_STOPS[14:]:
            key(0xff09)
            wait_for(f"Tab reaching {expected}", lambda: focused(frame) == expected, 5)
        assert named(frame, "À propos de Quelvara").getRole() == pyatspi.ROLE_PUSH_BUTTON
        key(0xff0d)  # Return
        wait_for("the About box open", lambda: next((c for c in children(app) if c.name == "A propos" and showing(c)), None))
        print("PASS: tree, slider, press action, tab stops, stars and views heard, About and help by keyboard")
    finally:
        program.kill()
        server.kill()


def origin(frame):
    extents = frame.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return extents.x, extents.y


if __name__ == "__main__":
    main()
