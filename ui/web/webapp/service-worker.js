// SPDX-License-Identifier: MIT
// Keeps every file of the web app's folder, so that an opening with no network shows the
// calculator. make-webapp.sh writes the build's name (from its files' content) and the list below.
// Each build has a cache of its own: a changed service-worker.js is a new build, which the browser
// installs at an opening with the network; it takes over at once and removes the caches of the
// builds before it, so the next opening shows it.
const kFolderCache = `threewire ${self.registration.scope} `;
const kCache = kFolderCache + '@@build';
const kFiles = [@@files];

// Fetched past the HTTP cache, which may still hold the last build's files.
self.addEventListener('install', (event) => {
  const fetched = kFiles.map((file) => new Request(file, {cache: 'reload'}));
  event.waitUntil(
      caches.open(kCache).then((cache) => cache.addAll(fetched)).then(() => self.skipWaiting()));
});

// Only this folder's caches: another app on the same host keeps its own.
self.addEventListener('activate', (event) => {
  const older = (name) => name.startsWith(kFolderCache) && name !== kCache;
  event.waitUntil(caches.keys()
      .then((names) => Promise.all(names.filter(older).map((name) => caches.delete(name))))
      .then(() => self.clients.claim()));
});

// From the cache first, which answers at once where the network hangs; the folder's own address
// is its index.html.
self.addEventListener('fetch', (event) => {
  const url = new URL(event.request.url);
  url.search = '';
  const key = url.href === self.registration.scope ? `${url.href}index.html` : url.href;
  event.respondWith(
      caches.match(key, {cacheName: kCache}).then((kept) => kept ?? fetch(event.request)));
});
