// The page's service worker: after the first visit the page's files are kept,
// all of one build together, and served from there, so the page opens and
// calculates with the network off. The build writes each file's name with its
// content's hash and this worker's version from all of them: a new build is a
// new worker with a cache of its own, never mixed with an old one.
"use strict";
const version = "dotwise-@DOTWISE_VERSION@";
const files = [@DOTWISE_FILES@];

self.addEventListener("install", (event) => {
  event.waitUntil(caches.open(version).then((cache) => cache.addAll(files)).then(() => self.skipWaiting()));
});

self.addEventListener("activate", (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name.startsWith("dotwise-") && name !== version).map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

// The page itself whatever its address says (?lang=, ?x=, ...); the rest by name.
self.addEventListener("fetch", (event) => {
  const request = event.request;
  if (request.method !== "GET" || new URL(request.url).origin !== location.origin) return;
  const key = request.mode === "navigate" ? "index.html" : request;
  event.respondWith(caches.open(version)
    .then((cache) => cache.match(key, { ignoreSearch: request.mode === "navigate" }))
    .then((kept) => kept || fetch(request)));
});
