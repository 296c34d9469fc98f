#!/usr/bin/python3
"""A short lesson done with the keyboard alone, under Orca, with what Orca
said after each step taken from its debug log.

    lesson_keys.py ORCA-DEBUG-LOG
"""
import ctypes
import datetime
import re
import sys
import time

STEPS = [
    ("Le programme s'ouvre", []),
    ("Espace : l'hydrogène", ["space"]),
    ("Tab six fois : le curseur", ["Tab"] * 6),
    ("Flèche droite", ["Right"]),
    ("Tab six fois : Vega", ["Tab"] * 6),
    ("Espace : Vega", ["space"]),
    ("Tab : Deneb", ["Tab"]),
    ("Espace : Deneb", ["space"]),
    ("Tab : la bande des spectres d'émission", ["Tab"]),
    ("Tab : la bande du spectre de l'étoile", ["Tab"]),
    ("Tab : « À propos »", ["Tab"]),
    ("Tab, Tab, Tab, Tab : « Autre constellation », Espace", ["Tab"] * 4 + ["space"]),
    ("F1 : l'aide", ["F1"]),
    ("Flèche bas", ["Down"]),
    ("Flèche bas", ["Down"]),
]


class Keyboard:
    def __init__(self):
        self.x11 = ctypes.CDLL("libX11.so.6")
        self.xtst = ctypes.CDLL("libXtst.so.6")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XStringToKeysym.restype = ctypes.c_ulong
        self.x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        self.x11.XFlush.argtypes = [ctypes.c_void_p]
        self.xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
        self.display = ctypes.c_void_p(self.x11.XOpenDisplay(None))

    def press(self, name):
        code = self.x11.XKeysymToKeycode(self.display, self.x11.XStringToKeysym(name.encode()))
        for down in (1, 0):
            self.xtst.XTestFakeKeyEvent(self.display, code, down, 0)
            self.x11.XFlush(self.display)
            time.sleep(0.05)


def spoken(log):
    """What Orca said, with the time it said it. A text that ends a line
    (a line of the help) goes on to the next line of the log."""
    with open(log, encoding="utf-8", errors="replace") as f:
        text = f.read()
    said = []
    for match in re.finditer(r"^(\d\d:\d\d:\d\d\.\d+) - SPEECH OUTPUT: '(.*?)'(?: \{[^\n]*)?$", text,
                             re.MULTILINE | re.DOTALL):
        words = " ".join(match.group(2).split())
        if words:
            said.append((match.group(1), words))
    return said


def main():
    log = sys.argv[1]
    keyboard = Keyboard()
    time.sleep(4)
    started = []
    for title, keys in STEPS:
        started.append(datetime.datetime.now().strftime("%H:%M:%S.%f"))
        for name in keys:
            keyboard.press(name)
            time.sleep(0.4)
        time.sleep(1.5)
    time.sleep(2)
    said = spoken(log)
    for index, (title, _) in enumerate(STEPS):
        end = started[index + 1] if index + 1 < len(started) else "99"
        print(f"{title} :")
        for stamp, text in said:
            if (index == 0 or stamp >= started[index]) and stamp < end:
                print(f"    « {text} »")


if __name__ == "__main__":
    main()
