// SPDX-FileCopyrightText: 2026 L'équipe Quelvara
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The page's part of Quelvara: checks that the browser can run it, loads
// the program's scripts, fetches the program with a count of what has
// arrived, compiles it as it streams in, starts it, and tells every failure
// in French for what it is, with a way to try again where that can help.
// It also fits the lesson to the screen, from a phone to a large monitor.
// Written in the oldest JavaScript, so that a browser too old for the
// program still reads this far and is told so. assemble.sh writes in the
// build and the program's size.
(function () {
  "use strict";
  var build = "@QUELVARA_BUILD@";
  var programSize = Number("@QUELVARA_WASM_SIZE@");
  var program = "quelvara-" + build + ".wasm";
  var scripts = ["quelvara-" + build + ".js", "qtloader-" + build + ".js"];
  // No answer, or no more bytes, for this long ends the wait.
  var waitSeconds = 30;
  var screen = document.getElementById("screen");
  var message = document.getElementById("message");
  var status = document.getElementById("status");
  var progress = document.getElementById("progress");
  var help = document.getElementById("help");
  var retry = document.getElementById("retry");
  // The page's own words for when this script never runs.
  var stuck = document.getElementById("stuck");
  stuck.parentNode.removeChild(stuck);

  // Once a failure is told, the download's count no longer shows over it.
  var stopped = false;
  function fail(text, button) {
    stopped = true;
    status.removeAttribute("aria-hidden");
    status.textContent = text;
    progress.hidden = true;
    help.hidden = false;
    retry.textContent = button || "Réessayer";
    retry.hidden = button === null;
    message.hidden = false;
    retry.focus();
  }
  retry.addEventListener("click", function () { location.reload(); });

  // Where the screen is smaller than the lesson, the page is zoomed out by
  // its viewport until the whole lesson fits; it is never enlarged. Qt takes
  // that zoom into its pixel ratio, so the lesson is drawn sharp at it, not
  // stretched. The lesson stands on whole CSS pixels, never on a half.
  var lessonWidth = 959, lessonHeight = 536, turnHeight = 48, smallest = 0.6;
  var viewport = document.querySelector('meta[name="viewport"]');
  var turn = document.getElementById("turn");
  function fit() {
    var visual = window.visualViewport;
    // The screen in CSS pixels at zoom 1, whatever the zoom is now.
    var width = visual ? visual.width * visual.scale : window.innerWidth;
    var height = visual ? visual.height * visual.scale : window.innerHeight;
    var zoom = Math.min(1, width / lessonWidth, height / lessonHeight);
    // Held upright, a phone shows the lesson too small to read: a line asks
    // for it to be turned.
    var turning = zoom < smallest && height > width;
    if (turning)
      zoom = Math.min(zoom, height / (lessonHeight + turnHeight));
    zoom = Math.floor(zoom * 1000) / 1000;
    var content = zoom < 1 ? "width=" + Math.ceil(width / zoom) + ", initial-scale=" + zoom
                           : "width=device-width, initial-scale=1";
    if (viewport.getAttribute("content") !== content)
      viewport.setAttribute("content", content);
    // Centred in the page as laid out, which a desktop browser never zooms.
    // Where the page holds the lesson twice over or more (a browser full
    // screen on a projector), the lesson's screen is that whole number of
    // times larger, and Qt draws the lesson sharp at that scale, on whole
    // pixels of the lesson.
    var page = document.documentElement;
    var above = turning ? turnHeight : 0;
    var scale = zoom < 1 ? 1 : Math.max(1, Math.floor(Math.min(page.clientWidth / lessonWidth,
                                                                page.clientHeight / lessonHeight)));
    screen.style.width = lessonWidth * scale + "px";
    screen.style.height = lessonHeight * scale + "px";
    var left = Math.max(0, Math.floor((page.clientWidth / scale - lessonWidth) / 2)) * scale;
    var top = Math.max(0, Math.floor((page.clientHeight / scale - lessonHeight - above) / 2)) * scale + above;
    screen.style.left = left + "px";
    screen.style.top = top + "px";
    turn.style.top = (top - turnHeight) + "px";
    turn.hidden = !turning;
  }
  fit();
  window.addEventListener("resize", fit);
  window.addEventListener("orientationchange", fit);
  if (window.visualViewport)
    window.visualViewport.addEventListener("resize", fit);

  // A failure already told in the pupil's words.
  function Told(text) { this.message = text; }

  var told = {
    tooOld: "Ce navigateur est trop ancien pour Quelvara (il lui manque @). Il faut Chrome ou Edge 97, "
            + "Firefox 102, Safari 16 ou plus récent.",
    refused: "Ce navigateur refuse d'exécuter Quelvara : soit il est trop ancien (il faut Chrome ou Edge 97, "
             + "Firefox 102, Safari 16 ou plus récent), soit les règles de sécurité du serveur l'interdisent "
             + "('wasm-unsafe-eval' manque à sa Content-Security-Policy).",
    missing: "Le fichier @ manque sur le serveur (erreur #) : le dossier de Quelvara y est incomplet, ou mêle "
             + "deux versions. Il faut le copier de nouveau en entier.",
    denied: "Le serveur refuse d'envoyer le fichier @ (erreur #).",
    blocked: "Le navigateur a refusé le script @ : les règles de sécurité du serveur ou un filtre du réseau "
             + "l'empêchent. Le service informatique trouvera les réglages qui conviennent dans le mode d'emploi.",
    page: "Le serveur a envoyé une page web à la place du fichier @, sans doute une page de connexion : "
          + "connecte-toi à l'ENT dans un autre onglet, puis réessaie.",
    undeclared: "Le serveur envoie le fichier @ compressé sans l'annoncer (en-tête Content-Encoding manquant) : "
                + "le service informatique doit corriger sa configuration, voir le mode d'emploi.",
    mixed: "Le dossier de Quelvara sur le serveur est incomplet, ou mêle deux versions (fichier @) : "
           + "il faut le copier de nouveau en entier.",
    silent: "Le serveur ne répond pas (fichier @, rien reçu en " + waitSeconds + " s). Réessaie dans un moment.",
    stalled: "Le téléchargement de Quelvara s'est arrêté : le réseau ne répond plus.",
    network: "Le téléchargement de Quelvara a échoué : vérifie la connexion au réseau.",
    memory: "Il n'y a plus assez de mémoire pour Quelvara : ferme les autres onglets et applications, puis réessaie.",
    crashed: "Quelvara s'est arrêté sur une erreur : recharge la page.",
    failed: "Quelvara n'a pas pu démarrer : recharge la page."
  };
  function tell(what, file, status) {
    return new Told(told[what].replace("@", file).replace("#", status));
  }
  function outOfMemory(error) {
    return error instanceof RangeError || /memory|OOM/i.test(String(error && error.message || error));
  }

  // What the program needs of the browser, or null.
  function missing() {
    if (typeof WebAssembly !== "object" || typeof WebAssembly.compile !== "function")
      return "WebAssembly";
    // A module with one try block: the program's C++ exceptions are
    // WebAssembly's own (Chrome 95, Firefox 100, Safari 15.2 and later).
    if (!WebAssembly.validate(new Uint8Array([0, 97, 115, 109, 1, 0, 0, 0, 1, 4, 1, 96, 0, 0, 3, 2, 1, 0,
                                              10, 7, 1, 5, 0, 6, 64, 11, 11])))
      return "les exceptions de WebAssembly";
    if (typeof Promise !== "function" || typeof fetch !== "function" || typeof ReadableStream !== "function"
        || typeof TextDecoder !== "function")
      return "fetch";
    var canvas = document.createElement("canvas");
    if (!canvas.getContext || !canvas.getContext("2d"))
      return "canvas";
    return null;
  }

  // Under a Content-Security-Policy, a browser that does not know
  // 'wasm-unsafe-eval' (before Chrome 97, Firefox 102, Safari 16) refuses to
  // compile any module at all.
  function compileRefused() {
    try {
      new WebAssembly.Module(new Uint8Array([0, 97, 115, 109, 1, 0, 0, 0]));
      return false;
    } catch (error) {
      return true;
    }
  }

  function showArrived(received) {
    if (!programSize || stopped)
      return;
    var part = Math.min(received / programSize, 1);
    progress.value = part;
    status.textContent = "Chargement de Quelvara… " + Math.floor(100 * part) + " %";
  }

  // Rejects with what is told if PROMISE has not settled within the wait.
  function inTime(promise, what, file) {
    var timer;
    var late = new Promise(function (resolve, reject) {
      timer = setTimeout(function () { reject(tell(what, file)); }, waitSeconds * 1000);
    });
    return Promise.race([promise, late]).then(function (value) {
      clearTimeout(timer);
      return value;
    }, function (error) {
      clearTimeout(timer);
      throw error;
    });
  }

  // The program's bytes as the browser decodes them, counted against its
  // size; a program that is not one (a page, a file still compressed) or not
  // whole is told as such, and a download that stalls ends with an error.
  // The browser's compiler gives its own error for a stream that failed:
  // report() learns why.
  function counted(body, report) {
    var reader = body.getReader();
    var received = 0;
    return new ReadableStream({
      pull: function (controller) {
        return inTime(reader.read(), "stalled").then(function (part) {
          if (part.done) {
            if (programSize && received !== programSize)
              throw tell("mixed", program);
            if (!stopped)
              status.textContent = "Démarrage…";
            controller.close();
            return;
          }
          if (received === 0 && part.value.length >= 4 && String.fromCharCode.apply(null, part.value.subarray(0, 4))
              !== "\0asm")
            throw tell(/^\s*</.test(String.fromCharCode.apply(null, part.value.subarray(0, 64))) ? "page"
                       : "undeclared", program);
          received += part.value.length;
          showArrived(received);
          controller.enqueue(part.value);
        }).catch(function (error) {
          reader.cancel().catch(function () {});
          error = error instanceof Told ? error : tell("network");
          report(error);
          controller.error(error);
        });
      }
    });
  }

  // What a file that did not come as the program's tells of the server.
  function fromResponse(response, file) {
    if (response.status === 404 || response.status === 410)
      return tell("missing", file, response.status);
    if (!response.ok)
      return tell("denied", file, response.status);
    if (/html/i.test(response.headers.get("Content-Type") || ""))
      return tell("page", file);
    return null;
  }

  function fetchProgram() {
    return inTime(fetch(program), "silent", program).then(function (response) {
      var wrong = fromResponse(response, program);
      if (wrong)
        throw wrong;
      var failure = null;
      var streamed = new Response(counted(response.body, function (why) { failure = why; }),
                                  { headers: { "Content-Type": "application/wasm" } });
      var compiled = typeof WebAssembly.compileStreaming === "function" ? WebAssembly.compileStreaming(streamed)
          : streamed.arrayBuffer().then(function (bytes) { return WebAssembly.compile(bytes); });
      return compiled.catch(function (error) { throw failure || error; });
    }, function (error) {
      throw error instanceof Told ? error : tell("network");
    });
  }

  // A script that did not run: asked again to learn why.
  function diagnose(file) {
    return fetch(file, { cache: "no-store" }).then(function (response) {
      return fromResponse(response, file) || tell("blocked", file);
    }, function () {
      return tell("network");
    });
  }

  function loadScript(file, defines) {
    var loading = new Promise(function (resolve, reject) {
      var script = document.createElement("script");
      script.src = file;
      script.onload = function () { resolve(); };
      script.onerror = function () { reject(); };
      document.head.appendChild(script);
    }).then(function () {
      if (typeof window[defines] !== "function")
        throw null;
    }).catch(function () {
      return diagnose(file).then(function (why) { throw why; });
    });
    return inTime(loading, "silent", file);
  }

  // Offline use once the lesson has come up; only where the browser allows
  // it (https, or this machine), and silently otherwise. The service worker
  // says when the folder is not one build's whole.
  function keepForOffline() {
    if (!("serviceWorker" in navigator && window.isSecureContext))
      return;
    navigator.serviceWorker.addEventListener("message", function (event) {
      if (event.data && event.data.quelvara === "mixed")
        fail(tell("mixed", event.data.file).message);
    });
    navigator.serviceWorker.register("quelvara-sw.js").catch(function () {});
  }

  function start() {
    if (location.protocol === "file:") {
      fail("Quelvara ne s'ouvre pas depuis un fichier : il faut le servir par un serveur web.", null);
      return;
    }
    var lacking = missing();
    if (lacking) {
      fail(tell("tooOld", lacking).message, null);
      return;
    }
    if (compileRefused()) {
      fail(told.refused, null);
      return;
    }
    // The first failure is told, whichever comes first.
    var failed = false;
    function failOnce(error) {
      if (failed)
        return;
      failed = true;
      fail(error instanceof Told ? error.message : told[outOfMemory(error) ? "memory" : "failed"]);
    }
    var module = fetchProgram();
    module.catch(failOnce);
    loadScript(scripts[0], "quelvara_entry").then(function () {
      return loadScript(scripts[1], "qtLoad");
    }).then(function () {
      return window.qtLoad({
        qt: {
          module: module,
          containerElements: [screen],
          entryFunction: window.quelvara_entry,
          onLoaded: function () {
            message.hidden = true;
            keepForOffline();
          },
          onExit: function (exit) {
            if (exit.crashed)
              failOnce(outOfMemory(exit.text) ? tell("memory") : tell("crashed"));
            else
              fail("Quelvara est fermé.", "Rouvrir Quelvara");
          }
        }
      });
    }).catch(failOnce);
  }
  start();
})();
