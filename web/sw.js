// The offline copy: every file of the page is cached on the first visit and
// served from the cache afterwards, so the game starts without a network and
// starts sooner. A new build has a new version, whose files replace the old.
"use strict";

// Filled in by scripts/web-site when the page is put together.
var VERSION = "@VERSION@";
var FILES = ["./"].concat(@FILES@);
var CACHE = "cairnfall-" + VERSION;

self.addEventListener("install", function (event) {
  event.waitUntil(
    caches.open(CACHE).then(function (cache) {
      return cache.addAll(FILES);
    }).then(function () {
      return self.skipWaiting();
    })
  );
});

self.addEventListener("activate", function (event) {
  event.waitUntil(
    caches.keys().then(function (names) {
      return Promise.all(names.filter(function (name) {
        return name.indexOf("cairnfall-") === 0 && name !== CACHE;
      }).map(function (name) {
        return caches.delete(name);
      }));
    }).then(function () {
      return self.clients.claim();
    })
  );
});

self.addEventListener("fetch", function (event) {
  if (event.request.method !== "GET") return;
  event.respondWith(
    caches.open(CACHE).then(function (cache) {
      return cache.match(event.request, { ignoreSearch: true }).then(function (hit) {
        return hit || fetch(event.request);
      });
    })
  );
});
