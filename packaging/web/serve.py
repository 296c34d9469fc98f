#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 L'équipe Quelvara
# SPDX-License-Identifier: GPL-3.0-or-later
"""Serves the web folder on this machine alone (127.0.0.1) as a school's
static server would: the brotli or gzip copy beside a file when the browser
accepts it, revalidated with its ETag, and the files whose name carries
their build cached for long. For trying the folder on one's own machine, and
for the browser tests.

    serve.py FOLDER PORT [--header "Name: value"]... [--no-compression]
"""
import argparse
import email.utils
import http.server
import os
import re

parser = argparse.ArgumentParser()
parser.add_argument("folder")
parser.add_argument("port", type=int)
parser.add_argument("--header", action="append", default=[])
parser.add_argument("--no-compression", action="store_true")
options = parser.parse_args()
headers = []
for line in options.header:
    name, colon, value = line.partition(":")
    if not colon or not re.fullmatch(r"[!#$%&'*+.^_`|~0-9A-Za-z-]+", name.strip()) or not value.strip():
        parser.error(f'--header "{line}" is not "Name: value"')
    headers.append((name.strip(), value.strip()))
root = os.path.realpath(options.folder)
encodings = [] if options.no_compression else [("br", ".br"), ("gzip", ".gz")]
# quelvara-page-0123456789abcdef.js: never changes under its name.
named_for_build = re.compile(r"-[0-9a-f]{16}\.[a-z]+$")


def accepted(header):
    """The codings a browser accepts, lower-case; those it refuses with q=0 left out."""
    codings = set()
    for part in header.split(","):
        coding, *parameters = [piece.strip().lower() for piece in part.split(";")]
        weights = [p[2:] for p in parameters if p.startswith("q=")]
        try:
            if weights and float(weights[0]) == 0:
                continue
        except ValueError:
            continue
        codings.add(coding)
    return codings


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".js": "text/javascript",
                      ".webmanifest": "application/manifest+json"}

    def end_headers(self):
        for name, value in headers:
            self.send_header(name, value)
        super().end_headers()

    def inside(self, path):
        real = os.path.realpath(path)
        return real == root or real.startswith(root + os.sep)

    def send_head(self):
        path = self.translate_path(self.path)
        if os.path.isdir(path):
            if not self.path.split("?")[0].endswith("/"):
                return super().send_head()  # redirected to the folder with its slash
            path = os.path.join(path, "index.html")
        copies = [(coding, path + suffix) for coding, suffix in encodings if os.path.isfile(path + suffix)]
        chosen = [(coding, copy) for coding, copy in copies if coding in accepted(
            self.headers.get("Accept-Encoding", ""))][:1]
        coding, sent = chosen[0] if chosen else (None, path)
        if not os.path.isfile(sent) or not self.inside(sent):
            self.send_error(404, "File not found")
            return None
        status = os.stat(sent)
        tag = f'"{status.st_mtime_ns:x}-{status.st_size:x}{"-" + coding if coding else ""}"'
        modified = email.utils.formatdate(status.st_mtime, usegmt=True)
        unchanged = self.headers.get("If-None-Match") == tag if "If-None-Match" in self.headers \
            else self.headers.get("If-Modified-Since") == modified
        self.send_response(304 if unchanged else 200)
        self.send_header("Content-Type", self.guess_type(path))
        if coding:
            self.send_header("Content-Encoding", coding)
        if copies:
            self.send_header("Vary", "Accept-Encoding")
        self.send_header("ETag", tag)
        self.send_header("Last-Modified", modified)
        self.send_header("Cache-Control", "public, max-age=31536000, immutable" if named_for_build.search(path)
                         else "no-cache")
        if unchanged:
            self.end_headers()
            return None
        self.send_header("Content-Length", str(status.st_size))
        self.end_headers()
        return open(sent, "rb")


handler = lambda *args: Handler(*args, directory=root)
http.server.ThreadingHTTPServer(("127.0.0.1", options.port), handler).serve_forever()
