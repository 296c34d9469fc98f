#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 L'équipe Quelvara
# SPDX-License-Identifier: GPL-3.0-or-later
#
# How long the lesson takes to show in a browser: build-web/ served on
# 127.0.0.1 with compression, Chromium opened on a private X server, and the
# time from asking for the page until the first column of the continuum has
# its colour on the screen. Prints one figure per run.
#   bench/web_load.sh [RUNS]       (after packaging/web/build.sh)
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-5}
work=$(mktemp -d)
pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true; rm -rf "$work"' EXIT
# A server that sends the gzip files beside the originals, as a school's would.
cat >"$work/serve.py" <<'PY'
import http.server, os, sys
class Handler(http.server.SimpleHTTPRequestHandler):
    def send_head(self):
        path = self.translate_path(self.path.split('?')[0])
        if os.path.isdir(path): path = os.path.join(path, 'index.html')
        if 'gzip' in self.headers.get('Accept-Encoding', '') and os.path.exists(path + '.gz'):
            f = open(path + '.gz', 'rb')
            self.send_response(200)
            self.send_header('Content-Type', self.guess_type(path))
            self.send_header('Content-Encoding', 'gzip')
            self.send_header('Content-Length', str(os.fstat(f.fileno()).st_size))
            self.end_headers()
            return f
        return super().send_head()
    def log_message(self, *args): pass
http.server.ThreadingHTTPServer(('127.0.0.1', 8734), lambda *a: Handler(*a, directory=sys.argv[1])).serve_forever()
PY
python3 "$work/serve.py" "$src/build-web" &
pids+=($!)
Xvfb :97 -screen 0 1280x1024x24 -fbdir "$work" -nolisten tcp 2>/dev/null &
pids+=($!)
sleep 1
for ((run = 1; run <= runs; run++)); do
    started=$(date +%s.%N)
    DISPLAY=:97 sh "$src/packaging/web/open_in_chromium.sh" http://127.0.0.1:8734/ 2>/dev/null &
    browser=$!
    python3 - "$work/Xvfb_screen0" "$started" <<'PY'
import struct, sys, time
path, started = sys.argv[1], float(sys.argv[2])
while time.time() - started < 30:
    data = open(path, 'rb').read(1 << 23)
    h = struct.unpack('>25I', data[:100])
    offset = h[0] + h[19] * 12 + (244 + 408) * h[12] + 4 * (160 + 16)
    if data[offset:offset + 3] == bytes((255, 2, 99)):
        print(f"shown after {time.time() - started:.2f} s")
        break
    time.sleep(0.02)
else:
    print("not shown within 30 s")
PY
    kill $browser 2>/dev/null || true
    wait $browser 2>/dev/null || true
done
