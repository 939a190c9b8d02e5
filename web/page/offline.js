// After one visit the page works offline: its service worker keeps the site (installable
// too, with the manifest). Service workers exist only in a secure context (https, localhost).
'use strict';

// The worker is registered once the page shows its first frame: its copy of the site never
// competes with the page's own start.
if ('serviceWorker' in navigator && window.isSecureContext) {
  window.addEventListener('linelab-first-frame', () => {
    navigator.serviceWorker.register('service-worker.js').catch((e) => {
      console.warn(`LineLab works online only here: ${e.message}`);
    });
  }, {once: true});
}
