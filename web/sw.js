// SPDX-License-Identifier: GPL-3.0-or-later

// Keeps the site's own files, and nothing else, so that the page works offline after the
// first visit. site-files.js, written by the build, names them and their version; a new
// version replaces the old one whole.
importScripts('site-files.js');

// The caches are the origin's, shared with every other site on this host and port: this
// worker's are named from its scope, and it touches no other.
const OWN = `${new URL(self.registration.scope).pathname}vespera-`;
const CACHE = OWN + self.SITE_VERSION;
// How long a page waits to learn whether the site has changed before it is served as kept.
const PROBE_MILLISECONDS = 3000;

self.addEventListener('install', (event) => {
  // Past the browser's HTTP cache, which may still hold the files of the version before.
  const files = self.SITE_FILES.map((file) => new Request(file, { cache: 'reload' }));
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(files))
    .then(() => self.skipWaiting()));
});

async function forgetOwnCaches(except) {
  for (const name of await caches.keys()) {
    if (name.startsWith(OWN) && name !== except) await caches.delete(name);
  }
}

self.addEventListener('activate', (event) => {
  event.waitUntil(forgetOwnCaches(CACHE).then(() => self.clients.claim()));
});

// Whether the site still serves this version. False where it serves another, or no Vespera
// at all (another site on this host and port); true where it does not answer (offline).
async function siteUnchanged() {
  const stop = new AbortController();
  const timer = setTimeout(() => stop.abort(), PROBE_MILLISECONDS);
  try {
    const answer = await fetch('site-files.js', { cache: 'no-store', signal: stop.signal });
    return answer.ok && (await answer.text()).includes(`"${self.SITE_VERSION}"`);
  } catch {
    return true;
  } finally {
    clearTimeout(timer);
  }
}

// The kept files, each page with the files of its own version: where the site has changed,
// this worker forgets its files and steps aside, and the page comes whole from the site (the
// new version's page installs the new worker).
async function answer(request) {
  const kept = await caches.match(request, { cacheName: CACHE, ignoreSearch: true });
  if (kept && request.mode === 'navigate' && !(await siteUnchanged())) {
    await forgetOwnCaches(null);
    await self.registration.unregister();
    return fetch(request, { cache: 'no-cache' });
  }
  return kept ?? fetch(request, { cache: 'no-cache' });
}

self.addEventListener('fetch', (event) => {
  if (event.request.method === 'GET') event.respondWith(answer(event.request));
});
