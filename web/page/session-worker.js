// The simulation's own thread: the session (the window's form model) runs here, so the page
// never waits for a run. The page sends control events; after each action or tick this
// worker sends back what changed: controls, panel drawings, messages and the readouts.
/* global LineLabModule */
importScripts('linelab.js');

let session = null;
let fast = false;
let held = false;  // a message is open on the page: no tick until it closes
let timer = null;
let sweep = null;
const recent = [];  // times of the last ticks, for the runs per second of the status bar
let lastFrames = '';  // the panel frames last sent: sent again only when they change
let lastTheory = '';  // View > Theory's curve last sent: the same
const kRateWindowMs = 2000;
// The page acknowledges each update once it has drawn it; ticks go on meanwhile, their
// drawing gathering in the session's panels, and the next update goes out only when the page
// has caught up, so it never builds a backlog. Counts and BER go out with the next update.
let awaitingDrawn = false;
let owed = false;  // a tick's update is held back until the page has drawn the last one
// A slice of the fast run is followed at once by the next: a zero timeout nested in a worker
// waits about 4 ms, a message to ourselves does not (and still lets the page's messages in).
// One such message at most is on its way.
const yieldChannel = new MessageChannel();
let yieldSent = false;
yieldChannel.port1.onmessage = () => {
  yieldSent = false;
  if (timer === 'yield') fastSlice();
};

function state() {
  const now = performance.now();
  while (recent.length && recent[0] < now - kRateWindowMs) recent.shift();
  const enabled = session.timerEnabled();
  const rate = !enabled ? 0 : fast ? session.fastRate() : recent.length * 1000 / kRateWindowMs;
  return {
    errors: session.bitErrors(), bits: session.bitsCompared(), berRuns: session.berRuns(),
    readouts: JSON.parse(session.readouts()),
    timer: {enabled, interval: session.timerInterval()}, fast, rate,
    status: JSON.parse(session.statusTexts(fast, rate)),
    scene: session.scene(), compact: session.compactLayout(),
    view: JSON.parse(session.viewOptions()),
  };
}

// A tick's update: sent now when the page has drawn the last one, else when it has.
function postTick() {
  if (awaitingDrawn) {
    owed = true;
    return;
  }
  owed = false;
  post('update');
}

// Everything the page needs after a change, panels as transferable arrays.
function post(type, extra = {}) {
  awaitingDrawn = true;
  const t0 = performance.now();
  const panels = session.takePanels();
  const messages = session.takeMessages();
  if (messages.length) held = true;
  const changed = JSON.parse(session.changed());
  const frames = session.frames();
  // The View options' pictures: the theory's curve when it changes, the calipers and the
  // density eyes with every update while they are on.
  const theory = session.theory();
  const densities = session.densities();
  const message = {
    type, changed, frames: frames === lastFrames ? {} : JSON.parse(frames),
    panels, messages, state: state(), eyeOpening: JSON.parse(session.eyeOpening()), densities,
    ...extra,
  };
  if (theory !== lastTheory) message.theory = JSON.parse(theory);
  lastFrames = frames;
  lastTheory = theory;
  message.postMs = performance.now() - t0;
  postMessage(message, [...panels.map((p) => p.commands.buffer),
                        ...densities.map((d) => d.pixels.buffer)]);
}

function schedule() {
  if (timer !== 'yield') clearTimeout(timer);
  timer = null;
  if (held || !session.timerEnabled()) return;
  if (fast) {
    timer = 'yield';
    if (!yieldSent) yieldChannel.port2.postMessage(0);
    yieldSent = true;
  } else {
    timer = setTimeout(tick, session.timerInterval());
  }
}

function tick() {
  timer = null;
  session.tick();
  recent.push(performance.now());
  postTick();
  schedule();
}

function fastSlice() {
  timer = null;
  const drawn = session.fastSlice(1e18);
  if (session.messagesPending() || !session.timerEnabled()) post('update');
  else if (drawn || owed) postTick();
  schedule();
}

const actions = {
  setText: (m) => session.setText(m.name, String(m.value)),

  pickItem: (m) => session.pickItem(m.name, m.value | 0),
  setValue: (m) => session.setValue(m.name, m.value | 0),
  click: (m) => session.click(m.name),
  scene: (m) => session.applyScene(m.value | 0),
  reset: () => (session.reset(), true),
  view: (m) => session.setViewOption(m.name, !!m.value),
};

function onMessage(m) {
  switch (m.type) {
    case 'action': {
      const ok = actions[m.op] ? actions[m.op](m) : false;
      const note = m.op === 'setText' ? session.typedNote(m.name, String(m.value)) : '';
      post('update', {ok, op: m.op, name: m.name, note});
      break;
    }
    case 'fast':
      fast = !!m.on;
      post('update');
      break;
    case 'message-closed':
      held = false;
      break;
    case 'drawn':
      // The page has drawn the last update: what the ticks since gathered goes out now.
      awaitingDrawn = false;
      if (owed) postTick();
      return;
    case 'lesson-open': {
      const problem = session.openLesson(m.text, m.name || 'lesson.json', String(m.step || ''));
      post('update', {lesson: {problem, name: m.name, source: m.source,
                               pane: JSON.parse(session.lessonPane())}});
      break;
    }
    case 'lesson-step': {
      const problem = session.goToStep(m.position | 0);
      post('update', {op: 'lesson-step', step: {problem, pane: JSON.parse(session.lessonPane())}});
      break;
    }
    case 'lesson-save': {
      const text = session.lessonText();
      postMessage({type: 'lesson-text', text, problem: text ? '' : session.lessonProblem(),
                   purpose: m.purpose, fileName: session.lessonFileName(),
                   position: session.lessonPosition()});
      break;
    }
    case 'runs': {
      // Exactly n ticks in one go, no timer tick between (the tests and the benchmark):
      // optionally from the start-up state with the given actions first, as linelab-batch
      // starts. Quiet ticks draw nothing.
      if (m.fresh) session.reset();
      for (const step of m.steps || []) actions[step.op](step);
      const start = performance.now();
      for (let i = 0; i < m.n; ++i) {
        if (m.quiet) session.fastSlice(1); else session.tick();
      }
      const elapsed = performance.now() - start;
      post('runs-done', {elapsed, n: m.n, controls: m.withControls ? JSON.parse(session.controls()) : null});
      break;
    }
    case 'controls':
      postMessage({type: 'controls', controls: JSON.parse(session.controls()), id: m.id});
      break;
    case 'stat-views':
      stat.contours = !!m.contours;
      stat.bathtub = !!m.bathtub;
      stat.asked = '';  // what is shown now is asked for again
      break;
    case 'sweep-start':
      startSweep(m);
      break;
    case 'sweep-stop':
      stopSweep('stopped');
      break;
    case 'curves-csv':
      // The curves' lines joined as the desktop and linelab-batch write them.
      postMessage({type: 'curves-csv', id: m.id, text: Module.curvesCsv(JSON.stringify(m.curves))});
      break;
  }
  schedule();
  askStatistics();
}

// ---- the statistical eye's views: one job at a time, asked again when the settings change --
const stat = {contours: false, bathtub: false, worker: null, busy: false, asked: '', id: 0};
function askStatistics() {
  if (!stat.contours && !stat.bathtub) return;
  const settings = session.settingsText();
  const key = `${stat.bathtub}${settings}`;
  if (stat.busy || key === stat.asked) return;  // a running job asks again when it is done
  stat.asked = key;
  stat.busy = true;
  stat.id += 1;
  statWorker().postMessage({id: stat.id, settings, bathtub: stat.bathtub});
}

function statWorker() {
  if (!stat.worker) {
    stat.worker = new Worker('stat-worker.js');
    stat.worker.onmessage = (e) => {
      if (e.data.kind === 'curve') {
        const {kind, ...curve} = e.data;
        postMessage({type: 'sweep-stat', ...curve});
        return;
      }
      stat.busy = false;
      postMessage({type: 'stat-views', ...e.data});
      askStatistics();
    };
  }
  return stat.worker;
}

// ---- BER Curve: one chunk worker per core, the plan here --------------------------------
const kStatCurveSamples = 60;  // the statistical curve's steps over the sweep's range
const kLowestShown = 1e-12;    // rates below are left off the plot, as on the desktop
function startSweep(m) {
  stopSweep(null);
  const coordinator = new Module.SweepCoordinator(session, m.noise, m.thresholds);
  const problem = m.points
    ? coordinator.plan(JSON.stringify(m.points), m.minErrors, m.maxBits, m.seed)
    : coordinator.planRange(String(m.range), m.minErrors, m.maxBits, m.seed);
  if (problem) {
    coordinator.delete();
    postMessage({type: 'sweep-error', text: problem});
    return;
  }
  const lesson = session.settingsText();  // the settings in force, a guided lesson's step too
  const count = Math.max(1, Math.min(m.workers || 1, 64));
  sweep = {coordinator, workers: [], busy: 0, id: (m.id || 0), header: coordinator.header(),
           label: coordinator.label(), started: performance.now()};
  const points = JSON.parse(coordinator.points());
  postMessage({type: 'sweep-started', label: sweep.label, header: sweep.header, id: sweep.id,
               legend: coordinator.legend(), statisticalName: coordinator.statisticalName(),
               theoryLines: JSON.parse(coordinator.theoryLines()),
               points, theory: points.map((x) => coordinator.theory(x)),
               rows: points.map((x) => JSON.parse(coordinator.emptyRow(x))), workers: count});
  // The chain's statistical curve over the sweep's range, as the desktop samples it, worked
  // out beside the runs.
  statWorker().postMessage({kind: 'curve', id: sweep.id, settings: lesson, noise: m.noise,
                            thresholds: m.thresholds, first: Math.min(...points),
                            last: Math.max(...points), samples: kStatCurveSamples,
                            lowest: kLowestShown});
  for (let i = 0; i < count; ++i) {
    const w = new Worker('chunk-worker.js');
    w.onmessage = (e) => chunkDone(w, e.data);
    w.postMessage({type: 'init', lesson, noise: m.noise, thresholds: m.thresholds,
                   engine: m.runner === 'engine'});
    sweep.workers.push(w);
    handOut(w);
  }
}

function handOut(w) {
  if (!sweep) return;
  const task = sweep.coordinator.next();
  if (!task) {
    w.idle = true;
    if (sweep.workers.every((x) => x.idle)) stopSweep('finished');
    return;
  }
  w.idle = false;
  w.task = task;
  w.postMessage({type: 'run', ...task});
}

function chunkDone(w, r) {
  if (!sweep) return;
  if (r.error) {
    postMessage({type: 'sweep-error', text: r.error});
    stopSweep('failed');
    return;
  }
  const t = w.task;
  const result = sweep.coordinator.finish(t.point, t.chunk, r.errors, r.bits, r.runs, r.folded, r.blocks);
  const progress = JSON.parse(sweep.coordinator.result(t.point));
  postMessage({type: 'sweep-point', point: progress, done: result !== '', id: sweep.id,
               legend: sweep.coordinator.legend()});
  handOut(w);
}

function stopSweep(outcome) {
  if (!sweep) return;
  for (const w of sweep.workers) w.terminate();
  const s = sweep;
  sweep = null;
  if (outcome) {
    postMessage({type: 'sweep-finished', outcome, id: s.id,
                 seconds: (performance.now() - s.started) / 1000});
  }
  s.coordinator.delete();
}

let Module = null;
LineLabModule().then((module) => {
  Module = module;
  session = new module.Session();
  self.onmessage = (e) => onMessage(e.data);
  session.changed();  // the page starts from the whole table
  lastFrames = session.frames();
  lastTheory = session.theory();
  postMessage({type: 'ready', controls: JSON.parse(session.controls()),
               layout: JSON.parse(session.layout()), frames: JSON.parse(lastFrames),
               state: state()});
  post('update');
  schedule();
});
