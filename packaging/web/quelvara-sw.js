// SPDX-FileCopyrightText: 2026 L'équipe Quelvara
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Keeps the lesson's files after the first visit, so that it opens with no
// network. Each folder and build has a cache of its own: a page is always
// served one build's files, never a mix, and another folder of the same site
// (another teacher's copy) is never touched. Each file is checked against
// its build's SHA-256 before it is kept. An updated folder comes with a new
// copy of this file; the browser then fills the new cache in the background,
// and once no page of the old build is open, the next visit gets the new one
// and the folder's old cache goes. assemble.sh writes in the build and its files.
const build = "@QUELVARA_BUILD@";
const files = {@QUELVARA_FILES@};
const folder = self.registration.scope;
const cacheName = "quelvara " + folder + " " + build;
const page = new URL("index.html", folder).href;

class Mixed extends Error {}

function hex(digest) {
  return Array.from(new Uint8Array(digest), byte => byte.toString(16).padStart(2, "0")).join("");
}

// Revalidated, not downloaded again, where the browser's cache still holds it.
async function checked(file) {
  const response = await fetch(new Request(file, { cache: "no-cache" }));
  const digest = response.ok && hex(await crypto.subtle.digest("SHA-256", await response.clone().arrayBuffer()));
  if (digest !== files[file])
    throw new Mixed(file);
  return response;
}

async function keep() {
  try {
    const responses = await Promise.all(Object.keys(files).map(checked));
    const cache = await caches.open(cacheName);
    await Promise.all(Object.keys(files).map((file, i) => cache.put(file, responses[i])));
  } catch (error) {
    await caches.delete(cacheName);
    if (error instanceof Mixed)
      for (const client of await self.clients.matchAll({ includeUncontrolled: true }))
        client.postMessage({ quelvara: "mixed", file: error.message });
    throw error;
  }
}

// This folder's caches of other builds, by their name or, for caches named
// by earlier builds, by the page they hold.
async function superseded(name) {
  if (name === cacheName || !name.startsWith("quelvara"))
    return false;
  if (name.startsWith("quelvara "))
    return name.startsWith("quelvara " + folder + " ");
  const cache = await caches.open(name);
  return Boolean(await cache.match(page, { ignoreSearch: true }));
}

self.addEventListener("install", event => event.waitUntil(keep()));

self.addEventListener("activate", event => {
  event.waitUntil(caches.keys().then(async names => {
    for (const name of names)
      if (await superseded(name))
        await caches.delete(name);
  }));
});

self.addEventListener("fetch", event => {
  const request = event.request;
  const url = new URL(request.url);
  if (request.method !== "GET" || url.origin !== location.origin)
    return;
  // The folder itself, offline, is its page: the host need not answer it.
  const kept = request.mode === "navigate" && url.origin + url.pathname === folder ? page : request;
  event.respondWith(caches.open(cacheName).then(cache =>
    cache.match(kept, { ignoreSearch: true }).then(response => response || fetch(request))));
});
