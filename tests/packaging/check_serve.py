#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 L'équipe Quelvara
# SPDX-License-Identifier: GPL-3.0-or-later
"""The local server of the web folder: only its folder, the copy the browser
accepts, Vary and revalidation as a real server sends them, a folder's
address redirected to its slash, a malformed header refused at start.

    check_serve.py SERVE_PY
"""
import http.client
import os
import socket
import subprocess
import sys
import tempfile
import time

serve = sys.argv[1]
top = tempfile.mkdtemp()
folder = os.path.join(top, "web")
os.makedirs(os.path.join(folder, "sub"))
for name, body in {"index.html": b"page", "index.html.br": b"BR", "index.html.gz": b"GZ", "secret.txt": b"no",
                   "sub/index.html.gz": b"GZ"}.items():
    with open(os.path.join(top, "secret.txt" if name == "secret.txt" else os.path.join("web", name)), "wb") as f:
        f.write(body)
os.symlink(os.path.join(top, "secret.txt"), os.path.join(folder, "out.txt"))

bad = subprocess.run([sys.executable, serve, folder, "1", "--header", "no colon"], capture_output=True, text=True,
                     timeout=20)
assert bad.returncode != 0 and '"no colon" is not "Name: value"' in bad.stderr, bad.stderr

with socket.socket() as s:
    s.bind(("127.0.0.1", 0))
    port = s.getsockname()[1]
server = subprocess.Popen([sys.executable, serve, folder, str(port), "--header", "X-Test: yes"],
                          stderr=subprocess.DEVNULL)


def get(path, **headers):
    for _ in range(50):
        try:
            connection = http.client.HTTPConnection("127.0.0.1", port)
            connection.request("GET", path, headers=headers)
            reply = connection.getresponse()
            return reply.status, reply.headers, reply.read()
        except ConnectionRefusedError:
            time.sleep(0.1)
    sys.exit("FAIL: the server does not answer")


try:
    status, headers, body = get("/out.txt")
    assert status == 404, "a link out of the folder is followed"
    status, headers, body = get("/", **{"Accept-Encoding": "GZIP, br;q=0"})
    assert (status, headers["Content-Encoding"], body) == (200, "gzip", b"GZ"), (status, dict(headers))
    assert headers["Vary"] == "Accept-Encoding" and headers["X-Test"] == "yes"
    status, headers, body = get("/index.html", **{"Accept-Encoding": "identity"})
    assert (status, body, headers["Vary"]) == (200, b"page", "Accept-Encoding"), dict(headers)
    status, again, body = get("/index.html", **{"Accept-Encoding": "br", "If-None-Match": headers["ETag"]})
    assert status == 200 and body == b"BR", "the brotli copy revalidated with the plain file's tag"
    status, _, body = get("/index.html", **{"Accept-Encoding": "br", "If-None-Match": again["ETag"]})
    assert (status, body) == (304, b""), status
    status, headers, _ = get("/sub", **{"Accept-Encoding": "gzip"})
    assert status == 301 and headers["Location"] == "/sub/", (status, dict(headers))
    print("PASS: serve.py")
finally:
    server.kill()
