// After one visit the page works offline: its service worker keeps the site (installable
// too, with the manifest). Service workers exist only in a secure context (https, localhost).
'use strict';

if ('serviceWorker' in navigator && window.isSecureContext) {
  window.addEventListener('load', () => {
    navigator.serviceWorker.register('service-worker.js').catch((e) => {
      console.warn(`LineLab works online only here: ${e.message}`);
    });
  });
}
