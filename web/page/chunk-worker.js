// One of the BER Curve's workers: runs whole chunks of a sweep, each from its own seed, with
// the runner the desktop's sweep uses, and hands back their counts.
/* global LineLabModule */
importScripts('linelab.js');

let worker = null;
const queue = [];
let module = null;

function handle(m) {
  if (m.type === 'init') {
    worker = new module.ChunkWorker(m.lesson, m.noise, m.thresholds, !!m.engine);
    const error = worker.error();
    if (error) postMessage({error});
  } else if (m.type === 'run') {
    postMessage(worker.run(m.noise, m.seed, m.bits));
  }
}

self.onmessage = (e) => (module ? handle(e.data) : queue.push(e.data));
LineLabModule().then((m) => {
  module = m;
  while (queue.length) handle(queue.shift());
});
