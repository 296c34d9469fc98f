#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 L'équipe Quelvara
# SPDX-License-Identifier: GPL-3.0-or-later
"""Every way the page can fail, produced for real by a server or a browser
made to fail that way: the exact French text, seen and heard, and
"Réessayer" only where a retry can help. Once the file is back, the button
brings the lesson up.

    web_failures.py FOLDER     (FOLDER: a copy of build-web/, changed and put back)
"""
import http.server
import os
import sys
import threading
import time
from concurrent.futures import ThreadPoolExecutor

from selenium.webdriver.common.by import By
sys.path.insert(0, os.path.dirname(__file__))
import headless_chromium  # noqa: E402
from headless_chromium import LESSON_UP, wait_for  # noqa: E402

folder = sys.argv[1]
build = open(os.path.join(folder, "version.txt")).read().split()[-1]
program, glue, loader = f"quelvara-{build}.wasm", f"quelvara-{build}.js", f"qtloader-{build}.js"


class Failing(http.server.SimpleHTTPRequestHandler):
    extensions_map = {".html": "text/html", ".js": "text/javascript", ".wasm": "application/wasm"}

    def log_message(self, *args):
        pass

    def end_headers(self):
        for header in self.server.fault.get("headers", []):
            self.send_header(*header)
        super().end_headers()

    def do_GET(self):
        what = self.server.fault.get(self.path.lstrip("/").split("?")[0])
        if what == "silent":
            time.sleep(45)
        elif what == "missing":
            self.send_error(404)
        elif what == "slow":
            body = open(os.path.join(folder, self.path.lstrip("/")), "rb").read()
            self.send_response(200)
            self.send_header("Content-Type", "application/wasm")
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            for start in range(0, len(body), 1 << 16):
                self.wfile.write(body[start:start + (1 << 16)])
                time.sleep(0.03)
        elif what == "login":
            body = "<!doctype html><title>ENT : connexion</title><form>Identifiant</form>".encode()
            self.send_response(200)
            self.send_header("Content-Type", "text/html; charset=utf-8")
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body)
        elif what == "undeclared":
            self.path += ".br"
            super().do_GET()
        elif what == "text":
            self.extensions_map = {".js": "text/plain"}
            super().do_GET()
        else:
            super().do_GET()

    def guess_type(self, path):
        return super().guess_type(path.removesuffix(".br"))




def serving(fault):
    """The address of a server of the folder that fails as FAULT says: {file: what it does, "headers": [...]}."""
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), lambda *a: Failing(*a, directory=folder))
    server.fault = fault
    server.handle_error = lambda *args: None  # a browser closed in the middle of a reply
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return f"http://127.0.0.1:{server.server_address[1]}/"


def told(browser, expected, retried, seconds=20):
    status, retry = browser.find_element(By.ID, "status"), browser.find_element(By.ID, "retry")
    wait_for(f"the failure told: {expected}", lambda: browser.find_element(By.ID, "help").is_displayed(), seconds)
    assert status.text == expected, f"{status.text!r}, not {expected!r}"
    assert retry.is_displayed() == retried, f"Réessayer shown: {retry.is_displayed()} for {expected!r}"
    # and heard: the text is in the accessibility tree, not hidden from it
    heard = [node for node in browser.execute_cdp_cmd("Accessibility.getFullAXTree", {})["nodes"]
             if not node.get("ignored") and node.get("name", {}).get("value") == expected]
    assert heard, f"hidden from a screen reader: {expected}"
    assert browser.find_element(By.LINK_TEXT, "le mode d'emploi").get_attribute("href").endswith("/LISEZMOI.html")
    return retry


def case(expected, retried=True, options=(), seconds=20, **faults):
    browser = headless_chromium.start(*options)
    try:
        browser.get(serving(faults))
        told(browser, expected, retried, seconds)
    finally:
        browser.quit()
    print(f"PASS: {expected}")


missing = ("Le fichier {} manque sur le serveur (erreur 404) : le dossier de Quelvara y est incomplet, ou mêle deux "
           "versions. Il faut le copier de nouveau en entier.")
too_old = ("Ce navigateur est trop ancien pour Quelvara (il lui manque WebAssembly). Il faut Chrome ou Edge 97, "
           "Firefox 102, Safari 16 ou plus récent.")


def page_script_missing():
    """The page's own script missing: the page alone says so, once it is clear that the script will not come."""
    browser = headless_chromium.start()
    try:
        browser.get(serving({f"quelvara-page-{build}.js": "missing"}))
        stuck = browser.find_element(By.ID, "stuck")
        wait_for("the page's script told missing", stuck.is_displayed, 50)
        assert stuck.text == (f"Quelvara ne démarre pas : le fichier quelvara-page-{build}.js manque sur le serveur "
                              "ou y est refusé. Le dossier de Quelvara doit y être copié de nouveau en entier."), \
            stuck.text
        print("PASS: " + stuck.text)
    finally:
        browser.quit()


# The cases that wait for the page's time limits run beside the others.
pool = ThreadPoolExecutor(3)
waits = [pool.submit(case, f"Le serveur ne répond pas (fichier {silent}, rien reçu en 30 s). Réessaie dans un moment.",
                     seconds=50, **{silent: "silent"}) for silent in (program, loader)]
waits.append(pool.submit(page_script_missing))
case(missing.format(glue), **{glue: "missing"})
case("Le serveur a envoyé une page web à la place du fichier " + program + ", sans doute une page de connexion : "
     "connecte-toi à l'ENT dans un autre onglet, puis réessaie.", **{program: "login"})
case("Le serveur envoie le fichier " + program + " compressé sans l'annoncer (en-tête Content-Encoding manquant) : "
     "le service informatique doit corriger sa configuration, voir le mode d'emploi.", **{program: "undeclared"})
case("Le navigateur a refusé le script " + loader + " : les règles de sécurité du serveur ou un filtre du réseau "
     "l'empêchent. Le service informatique trouvera les réglages qui conviennent dans le mode d'emploi.",
     **{loader: "text", "headers": [("X-Content-Type-Options", "nosniff")]})
case("Il n'y a plus assez de mémoire pour Quelvara : ferme les autres onglets et applications, puis réessaie.",
     options=["--js-flags=--wasm-max-mem-pages=64"])
case(too_old, retried=False, options=["--js-flags=--jitless"])
case("Ce navigateur refuse d'exécuter Quelvara : soit il est trop ancien (il faut Chrome ou Edge 97, Firefox 102, "
     "Safari 16 ou plus récent), soit les règles de sécurité du serveur l'interdisent ('wasm-unsafe-eval' manque à "
     "sa Content-Security-Policy).", retried=False, headers=[("Content-Security-Policy", "script-src 'self'")])

# A slow download: the bar and its count rise to the end, never back.
browser = headless_chromium.start()
try:
    browser.get(serving({program: "slow"}))
    seen = []
    while not browser.execute_script(LESSON_UP):
        seen.append(browser.execute_script("return [document.getElementById('progress').value,"
                                           "document.getElementById('status').textContent]"))
        time.sleep(0.05)
    counts = [int(text.split()[-2]) for value, text in seen if text.endswith(" %")]
    values = [value for value, text in seen]
    assert counts == sorted(counts) and len(set(counts)) >= 5 and counts[-1] >= 90, counts
    values.append(browser.execute_script("return document.getElementById('progress').value"))
    assert values == sorted(values) and values[-1] == 1, values
    assert all(text == f"Chargement de Quelvara… {c} %" for c, (value, text) in
               zip(counts, [s for s in seen if s[1].endswith(" %")])), seen[:3]
    print(f"PASS: the loading bar rising to the end, through {len(set(counts))} counts to {counts[-1]} %")
finally:
    browser.quit()

for waiting in waits:
    waiting.result()
pool.shutdown()

# A folder copied half over another build's: the new page, the old program.
away = [os.path.join(folder, name) for name in (program, program + ".br", program + ".gz")]
browser = headless_chromium.start()
try:
    for path in away:
        os.rename(path, path + ".away")
    browser.get(serving({}))
    retry = told(browser, missing.format(program), True)
    for path in away:
        os.rename(path + ".away", path)
    retry.click()
    wait_for("the lesson after Réessayer", lambda: browser.execute_script(LESSON_UP))
    print("PASS: a missing program told in French, and Réessayer bringing the lesson up once it is back")
finally:
    for path in away:
        if os.path.exists(path + ".away"):
            os.rename(path + ".away", path)
    browser.quit()
