#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 L'équipe Quelvara
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the fonts that the program builds in where the system has no font
configuration (Windows, the browser): Liberation Sans, regular and bold,
cut down to the characters that a French physics lesson can show, with
every hint and kerning pair kept, so that what is drawn stays the same. The
font's licence reserves its name for the unmodified font: the cut copy is
"Quelvara Sans".

    subset_fonts.py [SOURCE-FOLDER [OUTPUT-FOLDER]]

SOURCE-FOLDER holds Debian's fonts-liberation (by default its own folder);
OUTPUT-FOLDER is by default app/fonts/.
"""
import os
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

# French and its neighbours, the Greek of physics, and the punctuation and
# signs a lesson writes; U+FFFD for whatever else comes.
RANGES = [(0x20, 0x7E), (0xA0, 0x17F), (0x370, 0x3FF), (0x2010, 0x2027), (0x2030, 0x205E),
          (0x20AC, 0x20AC), (0x2122, 0x2122), (0x2190, 0x2199), (0x2212, 0x2212), (0x2248, 0x2248),
          (0x2260, 0x2265), (0xFFFD, 0xFFFD)]
STYLES = ("Regular", "Bold")
FAMILY = "Quelvara Sans"


def rename(font, style):
    name = font["name"]
    full = FAMILY if style == "Regular" else f"{FAMILY} {style}"
    version = name.getDebugName(5) or ""
    for record in list(name.names):
        if record.nameID in (7, 16, 17):  # the trademark, and the typographic names
            name.removeNames(nameID=record.nameID)
    texts = {1: FAMILY, 2: style, 3: f"{full}: {version}", 4: full, 6: f"QuelvaraSans-{style}",
             10: "Liberation Sans, cut down to the characters of French for Quelvara; not the original font."}
    for record in name.names:
        if record.nameID in texts:
            record.string = texts[record.nameID]


def cut(source, target, style):
    options = subset.Options()
    options.layout_features = ["*"]
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    options.hinting_tables = ["*"]
    options.legacy_kern = True
    options.notdef_outline = True
    options.drop_tables += ["FFTM"]  # the font editor's time stamps
    font = TTFont(source, recalcTimestamp=False)
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=[u for first, last in RANGES for u in range(first, last + 1)])
    subsetter.subset(font)
    rename(font, style)
    font.save(target)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    source = sys.argv[1] if len(sys.argv) > 1 else "/usr/share/fonts/truetype/liberation"
    output = sys.argv[2] if len(sys.argv) > 2 else os.path.join(here, "..", "app", "fonts")
    for style in STYLES:
        cut(os.path.join(source, f"LiberationSans-{style}.ttf"), os.path.join(output, f"QuelvaraSans-{style}.ttf"),
            style)


if __name__ == "__main__":
    main()
