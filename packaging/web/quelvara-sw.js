// SPDX-FileCopyrightText: 2026 L'équipe Quelvara
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Keeps the lesson's files after the first visit, so that it opens with no
// network. Each build has a cache of its own, named after the build: a page
// is always served one build's files, never a mix. An updated folder comes
// with a new copy of this file; the browser then fills the new cache in the
// background, and once no page of the old build is open, the next visit gets
// the new one and the old cache goes. build.sh writes in the build and its files.
const build = "@QUELVARA_BUILD@";
const files = [@QUELVARA_FILES@];
const cacheName = "quelvara-" + build;

self.addEventListener("install", event => {
  // Revalidated, not downloaded again, where the browser's cache still holds them.
  event.waitUntil(caches.open(cacheName).then(cache =>
    cache.addAll(files.map(file => new Request(file, { cache: "no-cache" })))));
});

self.addEventListener("activate", event => {
  event.waitUntil(caches.keys().then(names => Promise.all(
    names.filter(name => name.startsWith("quelvara-") && name !== cacheName).map(name => caches.delete(name)))));
});

self.addEventListener("fetch", event => {
  const request = event.request;
  if (request.method !== "GET" || new URL(request.url).origin !== location.origin)
    return;
  event.respondWith(caches.open(cacheName).then(cache =>
    cache.match(request, { ignoreSearch: true }).then(kept => kept || fetch(request))));
});
