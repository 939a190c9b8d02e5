// The statistical eye's worker: the BER contours and the bathtubs worked out from the
// window's present settings, and the BER Curve's statistical curve of a sweep's settings, away
// from the simulation's thread (a hard setting takes up to a second), and handed back as the
// session's module gives them.
/* global LineLabModule */
importScripts('linelab.js');

let module = null;
const waiting = new Map();  // until the module is in: the latest job of each kind

function handle(m) {
  if (m.kind === 'curve') {
    const curve = module.statCurve(m.settings, m.noise, m.thresholds, m.first, m.last,
                                   m.samples, m.lowest);
    postMessage({kind: 'curve', id: m.id, ...JSON.parse(curve)});
  } else {
    postMessage({id: m.id, ...JSON.parse(module.statViews(m.settings, !!m.bathtub))});
  }
}

self.onmessage = (e) => {
  if (module) handle(e.data); else waiting.set(e.data.kind || 'views', e.data);
};
LineLabModule().then((m) => {
  module = m;
  for (const job of waiting.values()) handle(job);
  waiting.clear();
});
