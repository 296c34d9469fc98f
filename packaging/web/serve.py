#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 L'équipe Quelvara
# SPDX-License-Identifier: GPL-3.0-or-later
"""Serves the web folder as a school's static server would: the brotli or
gzip copy beside a file when the browser accepts it, with the headers asked
for. For trying the folder on one's own machine, and for the browser tests.

    serve.py FOLDER PORT [--header "Name: value"]... [--no-compression]
"""
import argparse
import http.server
import os

parser = argparse.ArgumentParser()
parser.add_argument("folder")
parser.add_argument("port", type=int)
parser.add_argument("--header", action="append", default=[])
parser.add_argument("--no-compression", action="store_true")
options = parser.parse_args()
headers = [tuple(part.strip() for part in line.split(":", 1)) for line in options.header]
encodings = [] if options.no_compression else [("br", ".br"), ("gzip", ".gz")]


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".js": "text/javascript",
                      ".webmanifest": "application/manifest+json"}

    def end_headers(self):
        for name, value in headers:
            self.send_header(name, value)
        self.send_header("Cache-Control", "no-cache")
        super().end_headers()

    def send_head(self):
        path = self.translate_path(self.path)
        if os.path.isdir(path):
            path = os.path.join(path, "index.html")
        accepted = [part.split(";")[0].strip() for part in self.headers.get("Accept-Encoding", "").split(",")]
        for encoding, suffix in encodings:
            if encoding in accepted and os.path.isfile(path + suffix):
                body = open(path + suffix, "rb")
                self.send_response(200)
                self.send_header("Content-Type", self.guess_type(path))
                self.send_header("Content-Encoding", encoding)
                self.send_header("Vary", "Accept-Encoding")
                self.send_header("Content-Length", str(os.fstat(body.fileno()).st_size))
                self.end_headers()
                return body
        return super().send_head()


handler = lambda *args: Handler(*args, directory=options.folder)
http.server.ThreadingHTTPServer(("127.0.0.1", options.port), handler).serve_forever()
