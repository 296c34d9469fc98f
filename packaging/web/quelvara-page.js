// SPDX-FileCopyrightText: 2026 L'équipe Quelvara
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The page's part of Quelvara: checks that the browser can run it, fetches
// the program with a count of what has arrived, compiles it as it streams
// in, starts it, and tells every failure in French with a way to try again.
// It also fits the lesson to the screen, from a phone to a large monitor.
// Written in the oldest JavaScript, so that a browser too old for the
// program still reads this far and is told so. build.sh writes in the
// program's size.
(function () {
  "use strict";
  var programSize = Number("@QUELVARA_WASM_SIZE@");
  var stallSeconds = 30;
  var screen = document.getElementById("screen");
  var message = document.getElementById("message");
  var status = document.getElementById("status");
  var progress = document.getElementById("progress");
  var help = document.getElementById("help");
  var retry = document.getElementById("retry");

  function fail(text, button) {
    status.removeAttribute("aria-hidden");
    status.textContent = text;
    progress.hidden = true;
    help.hidden = false;
    retry.textContent = button || "Réessayer";
    retry.hidden = false;
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
    if (typeof window.qtLoad !== "function" || typeof window.quelvara_entry !== "function")
      return "JavaScript";
    var canvas = document.createElement("canvas");
    if (!canvas.getContext || !canvas.getContext("2d"))
      return "canvas";
    return null;
  }

  function showArrived(received) {
    if (!programSize)
      return;
    var part = Math.min(received / programSize, 1);
    progress.value = part;
    status.textContent = "Chargement de Quelvara… " + Math.floor(100 * part) + " %";
  }

  // The program's bytes as the browser decodes them, counted against its
  // size; a download that stalls ends with an error.
  function counted(body) {
    var reader = body.getReader();
    var received = 0;
    return new ReadableStream({
      pull: function (controller) {
        var timer;
        var stalled = new Promise(function (resolve, reject) {
          timer = setTimeout(function () {
            reject(new Told("Le téléchargement de Quelvara s'est arrêté : le réseau ne répond plus."));
          }, stallSeconds * 1000);
        });
        return Promise.race([reader.read(), stalled]).then(function (part) {
          clearTimeout(timer);
          if (part.done) {
            status.textContent = "Démarrage…";
            controller.close();
            return;
          }
          received += part.value.length;
          showArrived(received);
          controller.enqueue(part.value);
        }, function (error) {
          clearTimeout(timer);
          reader.cancel().catch(function () {});
          controller.error(error instanceof Told ? error
              : new Told("Le téléchargement de Quelvara a été interrompu."));
        });
      }
    });
  }

  function fetchProgram() {
    return fetch("quelvara.wasm").then(function (response) {
      if (!response.ok)
        throw new Told("Le serveur n'a pas envoyé le programme (quelvara.wasm : erreur "
                       + response.status + ").");
      var streamed = new Response(counted(response.body), { headers: { "Content-Type": "application/wasm" } });
      if (typeof WebAssembly.compileStreaming === "function")
        return WebAssembly.compileStreaming(streamed);
      return streamed.arrayBuffer().then(function (bytes) { return WebAssembly.compile(bytes); });
    }, function () {
      throw new Told("Le téléchargement de Quelvara a échoué : vérifie la connexion au réseau.");
    });
  }

  // Offline use once the lesson has come up; only where the browser allows
  // it (https, or this machine), and silently otherwise.
  function keepForOffline() {
    if ("serviceWorker" in navigator && window.isSecureContext)
      navigator.serviceWorker.register("quelvara-sw.js").catch(function () {});
  }

  function start() {
    if (location.protocol === "file:") {
      fail("Quelvara ne s'ouvre pas depuis un fichier : il faut le servir par un serveur web.");
      return;
    }
    var lacking = missing();
    if (lacking) {
      fail("Ce navigateur est trop ancien pour Quelvara (il lui manque " + lacking + "). "
           + "Essaie un navigateur récent : Chrome, Edge, Firefox ou Safari.");
      return;
    }
    var module = fetchProgram();
    module.catch(function () {}); // told below, through qtLoad
    window.qtLoad({
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
            fail("Quelvara s'est arrêté sur une erreur (" + exit.text + ").");
          else
            fail("Quelvara est fermé.", "Rouvrir Quelvara");
        }
      }
    }).catch(function (error) {
      fail(error instanceof Told ? error.message
           : "Quelvara n'a pas pu démarrer (" + (error && error.message || error) + ").");
    });
  }
  start();
})();
