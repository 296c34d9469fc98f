# SPDX-FileCopyrightText: 2026 L'équipe Quelvara
# SPDX-License-Identifier: GPL-3.0-or-later
"""The teacher's guide and the pupil's sheet, printed by Chromium as a
teacher prints them, then read off the printed pages: the sheet is one A4
page whose axis graduations stand at the right millimetres, and Vega's
answer strip in the guide has its lines where the lesson draws them.

    python3 web_print.py URL DIR
"""
import base64
import os
import subprocess
import sys

from PIL import Image

sys.path.insert(0, os.path.dirname(__file__))
import headless_chromium  # noqa: E402

DPI = 254  # 10 pixels a millimetre
PX_PER_NM = 4  # one nanometre, one column of a strip, is 0.4 mm on paper
WHITE = (255, 255, 255)
# Vega's absorption lines, (wavelength, width in nanometres); a line of
# wavelength w darkens the strip's columns w - 379 to w - 380 + width.
VEGA = [(450, 1), (470, 1), (560, 1), (603, 1), (642, 1), (668, 1), (412, 1), (433, 1), (485, 1), (653, 2),
        (671, 1), (610, 1)]


def fail(text):
    print("FAIL: " + text, file=sys.stderr)
    sys.exit(1)


def near(a, b, tolerance):
    return all(abs(x - y) <= tolerance for x, y in zip(a, b))


def printed(browser, url, folder, name):
    browser.get(url + name + ".html")
    pdf = os.path.join(folder, name + ".pdf")
    with open(pdf, "wb") as out:
        out.write(base64.b64decode(browser.execute_cdp_cmd("Page.printToPDF", {"preferCSSPageSize": True})["data"]))
    info = subprocess.run(["pdfinfo", pdf], capture_output=True, text=True, check=True).stdout
    pages = int(next(line.split()[-1] for line in info.splitlines() if line.startswith("Pages:")))
    if "(A4)" not in info:
        fail(name + " is not printed on A4:\n" + info)
    subprocess.run(["pdftoppm", "-r", str(DPI), "-png", pdf, os.path.join(folder, name)], check=True)
    width = len(str(pages))
    return [Image.open(os.path.join(folder, "%s-%0*d.png" % (name, width, page))).convert("RGB")
            for page in range(1, pages + 1)]


def strip_row(image, colour, tolerance):
    """A row through a strip 160 mm long that has a pixel of that colour, and the
    strip's first and last pixel on it; None where there is none."""
    pixels = image.load()
    for y in range(0, image.height - 10, 2):
        if any(near(pixels[x, y], colour, tolerance) for x in range(image.width)):
            inked = [x for x in range(image.width) if not near(pixels[x, y + 10], WHITE, 30)]
            if inked and abs(inked[-1] + 1 - inked[0] - 400 * PX_PER_NM) <= 3:
                return y + 10, inked[0], inked[-1]
    return None


def runs(xs):
    """Runs of consecutive x, as (first, last)."""
    found = []
    for x in xs:
        if found and x == found[-1][1] + 1:
            found[-1] = (found[-1][0], x)
        else:
            found.append((x, x))
    return found


def check_sheet(pages):
    if len(pages) != 1:
        fail("the pupil's sheet takes %d pages, not one" % len(pages))
    page = pages[0]
    # The continuous spectrum starts with the colour of the lesson's first column.
    found = strip_row(page, (99, 2, 255), 12)
    if not found:
        fail("no continuous spectrum 160 mm long on the sheet")
    y, left, right = found
    pixels = page.load()
    bottom = y
    while near(pixels[left + 20, bottom + 1], WHITE, 30) is False:
        bottom += 1
    # The graduations, 1 mm under the strip: one every 10 nm from 380 nm,
    # each on the column where a line of that wavelength is drawn.
    ticks = runs([x for x in range(left - 20, right + 20) if sum(pixels[x, bottom + 10]) < 300])
    centres = [(a + b) / 2 for a, b in ticks]
    expected = [left + (w - 379 + 0.5) * PX_PER_NM for w in range(380, 780, 10)]
    if len(centres) != len(expected) or any(abs(c - e) > 1.5 for c, e in zip(centres, expected)):
        fail("the graduations stand at %s mm from the strip's start, not at %s" % (
            [round((c - left) / 10, 2) for c in centres], [round((e - left) / 10, 2) for e in expected]))
    print("PASS: the pupil's sheet is one A4 page, its axis graduated every 4 mm from 380 nm")


def check_guide(pages):
    for page in pages:
        # Printed colours are exact, which tells the absorption lines from the
        # ramp's last columns, (128, 0, 84).
        found = strip_row(page, (127, 0, 85), 0)
        if not found:
            continue
        y, left, right = found
        pixels = page.load()
        dark = runs([x for x in range(left, right + 1) if pixels[x, y] == (127, 0, 85)])
        expected = sorted((w - 379, w - 380 + n) for w, n in VEGA)
        scale = (right + 1 - left) / 400
        columns = [((a - left) / scale, (b + 1 - left) / scale) for a, b in dark]
        if abs(scale - PX_PER_NM) > 0.02 or len(columns) != len(expected) or any(
                abs(a - first) > 0.5 or abs(b - (last + 1)) > 0.5 for (a, b), (first, last) in zip(columns, expected)):
            fail("Vega's lines in the guide fall on columns %s, not %s" % (
                [(round(a, 1), round(b, 1)) for a, b in columns], [(a, b + 1) for a, b in expected]))
        print("PASS: the guide's answer strip for Vega has its 12 lines on the lesson's columns, at 0.4 mm a column")
        return
    fail("no star's spectrum in the printed guide")


def main():
    url, folder = sys.argv[1], sys.argv[2]
    browser = headless_chromium.start()
    try:
        check_sheet(printed(browser, url, folder, "fiche-eleve"))
        check_guide(printed(browser, url, folder, "guide-enseignant"))
    finally:
        browser.quit()


if __name__ == "__main__":
    main()
