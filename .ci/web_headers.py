#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 L'équipe Quelvara
# SPDX-License-Identifier: GPL-3.0-or-later
"""What a real server sends for the web folder, as LISEZMOI.html asks of it:
each file's type, the compressed copy the browser asks for with Vary, the
policy, and the cache headers.

    web_headers.py URL CODING      (CODING: br or gzip, what a browser asking for both gets)
"""
import html
import re
import sys
import urllib.request

url, coding = sys.argv[1:3]
lisezmoi = open("packaging/web/LISEZMOI.html", encoding="utf-8").read()
policy = html.unescape(re.search(r'<pre id="csp">(.*?)</pre>', lisezmoi, re.S).group(1))
build = urllib.request.urlopen(url + "version.txt").read().decode().split()[-1]
expected = {"": "text/html", "index.html": "text/html", f"quelvara-page-{build}.js": "text/javascript",
            f"quelvara-{build}.js": "text/javascript", f"quelvara-{build}.wasm": "application/wasm",
            "quelvara.webmanifest": "application/manifest+json"}
faults = []
for name, content_type in expected.items():
    for asked in ("br, gzip", "identity"):
        request = urllib.request.Request(url + name, headers={"Accept-Encoding": asked})
        headers = urllib.request.urlopen(request).headers
        sent = (headers.get("Content-Type") or "").split(";")[0].strip()
        # Both are JavaScript's own type to every browser.
        sent = "text/javascript" if sent == "application/javascript" else sent
        got = {"type": sent, "coding": headers.get("Content-Encoding"),
               "vary": "accept-encoding" in (headers.get("Vary") or "").lower(),
               "policy": headers.get("Content-Security-Policy"), "cache": headers.get("Cache-Control")}
        want = {"type": content_type, "coding": coding if asked != "identity" else None, "vary": True,
                "policy": policy, "cache": "public, max-age=31536000, immutable" if build in name else "no-cache"}
        if got != want:
            faults.append(f"{name or './'} asked with {asked}: {got}, not {want}")
if faults:
    sys.exit("FAIL: " + "\n      ".join(faults))
print(f"PASS: types, {coding}, Vary, the policy and the cache headers of {url}")
