// The statistical eye's worker: the BER contours and the bathtubs worked out from the
// window's present settings, away from the simulation's thread (a hard setting takes up to a
// second), and handed back as the session's module gives them.
/* global LineLabModule */
importScripts('linelab.js');

let module = null;
let waiting = null;

function handle(m) {
  postMessage({id: m.id, ...JSON.parse(module.statViews(m.settings, !!m.bathtub))});
}

self.onmessage = (e) => {
  if (module) handle(e.data); else waiting = e.data;  // only the latest settings matter
};
LineLabModule().then((m) => {
  module = m;
  if (waiting) handle(waiting);
});
