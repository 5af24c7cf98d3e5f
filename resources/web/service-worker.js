// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Keeps the page, its manifest and its icons for use without a network. Each build of the site
// names its cache after what it holds: a visit with a network installs a new build, which drops
// the caches of the ones before.
const cacheName = 'lezomat-@SITE_HASH@';
const files = ['./', 'index.html', 'manifest.webmanifest', 'icon-192.png', 'icon-512.png'];

self.addEventListener('install', event => {
    event.waitUntil(caches.open(cacheName)
                        .then(cache => cache.addAll(files))
                        .then(() => self.skipWaiting()));
});

self.addEventListener('activate', event => {
    const old = names => names.filter(name => name.startsWith('lezomat-') && name != cacheName);
    event.waitUntil(caches.keys()
                        .then(names => Promise.all(old(names).map(name => caches.delete(name))))
                        .then(() => self.clients.claim()));
});

self.addEventListener('fetch', event => {
    if (event.request.method != 'GET')
        return;
    event.respondWith(caches.match(event.request, {ignoreSearch: true})
                          .then(kept => kept || fetch(event.request)));
});
