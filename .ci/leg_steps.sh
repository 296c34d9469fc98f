# SPDX-FileCopyrightText: 2026 L'équipe Quelvara
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The steps that the platform legs share inside the chroot, in the sources.
# Everything a leg starts is ended by its id on exit, and its temporary
# folder removed. Sourced, not run.
#   leg_end_to_end PACKAGES...   installs them with the suite's, builds the
#                                end-to-end test: $leg_e2e
#   leg_xserver [XVFB-OPTIONS...] a private X server, once it answers: $DISPLAY
#   leg_stop PID                 ends one process the leg started
#   leg_serve DIR [OPTIONS...]   serves DIR on 127.0.0.1 with packaging/web/serve.py,
#                                once it answers: $leg_url
#   leg_site PATH=FOLDER...      a web site with a copy of each FOLDER at its PATH: its root
#   leg_nginx SITE [brotli]      serves SITE with nginx, configured by LISEZMOI.html's
#                                example (its brotli line too, if asked): $leg_url, $leg_log
#   leg_apache SITE              serves SITE with Apache, configured by LISEZMOI.html and
#                                the folder's .htaccess: $leg_url, $leg_log
#   leg_launcher NAME COMMAND... a program for the end-to-end test to start: its path
set -euo pipefail
leg_src=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$leg_src/tools/setup.sh"
leg_temp=$(mktemp -d)
leg_pids=()
leg_exit_steps=()
leg_cleanup() {
    local step pid
    for step in "${leg_exit_steps[@]}"; do eval "$step" || true; done
    for pid in "${leg_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${leg_pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    rm -rf "$leg_temp"
}
trap leg_cleanup EXIT

leg_end_to_end() {
    quelvara_install "${quelvara_packages[@]}" "${quelvara_test_packages[@]}" "$@"
    local build=/var/tmp/quelvara-e2e
    # Quiet when it works; what failed, when it does.
    cmake -S "$leg_src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON \
        >"$leg_temp/e2e-build.log" 2>&1 \
        && cmake --build "$build" --target tst_end_to_end >>"$leg_temp/e2e-build.log" 2>&1 \
        || { tail -40 "$leg_temp/e2e-build.log" >&2; echo "FAIL: the end-to-end test does not build" >&2; exit 1; }
    leg_e2e=$build/tests/tst_end_to_end
}

# Waits up to SECONDS for COMMAND... to succeed.
leg_wait_for() {
    local tries=0 most=$(($1 * 5))
    shift
    until "$@" 2>/dev/null; do
        tries=$((tries + 1))
        [ $tries -lt $most ] || return 1
        sleep 0.2
    done
}

leg_xserver() {
    local number=$leg_temp/display-$RANDOM
    # Xvfb writes its display number once it accepts clients.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp "$@" 3>"$number" 2>/dev/null &
    leg_xserver_pid=$!
    leg_pids+=("$leg_xserver_pid")
    leg_wait_for 10 test -s "$number" || { echo "FAIL: the X server does not start" >&2; exit 1; }
    DISPLAY=:$(cat "$number")
    export DISPLAY
}

leg_stop() {
    kill "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
}

leg_serve() {
    local dir=$1 port
    shift
    port=$(leg_port)
    python3 "$leg_src/packaging/web/serve.py" "$dir" "$port" "$@" >>"$leg_temp/http.log" 2>&1 &
    leg_url=http://127.0.0.1:$port/
    leg_answering $! "$port"
}

leg_port() {
    python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

# What LISEZMOI.html tells a school's IT to write: the text of its <pre id="ID">.
leg_instructions() {
    python3 -c 'import html, re, sys
page = open(sys.argv[1], encoding="utf-8").read()
print(html.unescape(re.search(r"<pre id=\"%s\">(.*?)</pre>" % sys.argv[2], page, re.S).group(1)))' \
        "$leg_src/packaging/web/LISEZMOI.html" "$1"
}

# Waits for the server that $1 started to take connections on PORT.
leg_answering() {
    leg_pids+=("$1")
    leg_wait_for 10 python3 -c "import socket; socket.create_connection(('127.0.0.1', $2)).close()" || {
        tail -n 20 "$leg_temp"/*/error.log >&2 || true
        echo "FAIL: the server does not start" >&2
        exit 1
    }
}

leg_nginx() {
    local site=$1 port conf=$leg_temp/nginx-$RANDOM
    port=$(leg_port)
    mkdir -p "$conf"
    leg_log=$conf/access.log
    {
        [ "${2:-}" != brotli ] || echo "include /etc/nginx/modules-enabled/*brotli*.conf;"
        echo "daemon off; pid $conf/nginx.pid; error_log $conf/error.log;"
        echo "events {}"
        echo "http { access_log $leg_log; client_body_temp_path $conf; proxy_temp_path $conf;"
        echo "  fastcgi_temp_path $conf; uwsgi_temp_path $conf; scgi_temp_path $conf;"
        echo "  server { listen 127.0.0.1:$port; root $site; include $conf/quelvara.conf; } }"
    } >"$conf/nginx.conf"
    ln -s /etc/nginx/mime.types "$conf/mime.types"
    if [ "${2:-}" = brotli ]; then
        leg_instructions nginx | sed 's/#brotli_static/brotli_static/'
    else
        leg_instructions nginx
    fi >"$conf/quelvara.conf"
    (cd /etc/nginx && exec nginx -c "$conf/nginx.conf") &
    leg_url=http://127.0.0.1:$port/quelvara/
    leg_answering $! "$port"
}

leg_apache() {
    local site=$1 port conf=$leg_temp/apache-$RANDOM module
    port=$(leg_port)
    mkdir -p "$conf"
    leg_log=$conf/access.log
    {
        for module in mpm_event authz_core mime dir headers rewrite; do
            echo "LoadModule ${module}_module /usr/lib/apache2/modules/mod_$module.so"
        done
        cat <<END
ServerName 127.0.0.1
Listen 127.0.0.1:$port
DefaultRuntimeDir $conf
PidFile $conf/apache.pid
ErrorLog $conf/error.log
CustomLog $leg_log "%h %l %u %t \"%r\" %>s %b"
User www-data
Group www-data
TypesConfig /etc/mime.types
DocumentRoot $site
<Directory $site>
    Require all granted
</Directory>
END
        leg_instructions apache | sed "s|/var/www/html/quelvara|$site/quelvara|"
    } >"$conf/apache.conf"
    apache2 -f "$conf/apache.conf" -DFOREGROUND &
    leg_url=http://127.0.0.1:$port/quelvara/
    leg_answering $! "$port"
}

# A web site on this machine, readable by the servers' own users, with a
# copy of FOLDER at each PATH: its root.
leg_site() {
    local site pair
    site=$(mktemp -d "$leg_temp/site.XXXXXX")
    for pair in "$@"; do
        mkdir -p "$(dirname "$site/${pair%%=*}")"
        cp -r "${pair#*=}" "$site/${pair%%=*}"
    done
    chmod 755 "$leg_temp"
    chmod -R a+rX "$site"
    echo "$site"
}

leg_launcher() {
    local path=$leg_temp/$1
    shift
    { echo '#!/bin/sh'; printf 'exec'; printf ' %q' "$@"; echo ' "$@"'; } >"$path"
    chmod +x "$path"
    echo "$path"
}
