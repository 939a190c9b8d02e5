// The page's figures in headless Chromium, native ones beside them in the same run: real Fast
// mode (Run > Fast) with every panel off and with every panel shown, each against
// linelab-batch on the same settings (medians of three, alternating), the worst round trip of
// a request meanwhile, runs a second with every run drawn on every panel (commands replayed
// onto the page's canvases), load to first frame, and the gzip bytes of a first visit.
import {spawnSync} from 'node:child_process';
import path from 'node:path';
import puppeteer from 'puppeteer-core';
import {argument, serve} from './serve.mjs';

const site = path.resolve(argument('--site', 'build-web/site'));
const batch = path.resolve(argument('--batch', 'build/tools/linelab-batch'));
const runs = Number(argument('--runs', '20000'));  // the native tool's per measurement
const kScene = 'Full Channel';
const kPanels = ['chkData', 'chkPreData', 'chkCodedData', 'chkModData', 'chkDemodData',
                 'chkDecodedData', 'chkPostData', 'chkRxData', 'chkTxEye', 'chkChannelEye',
                 'chkRxEye', 'chkTxSpectrum', 'chkChannelSpectrum', 'chkRxSpectrum'];

function nativeRate(args) {
  // The batch tool's own start-up is timed apart and taken off.
  const time = (n) => {
    const start = process.hrtime.bigint();
    const r = spawnSync(batch, ['--runs', String(n), ...args], {encoding: 'utf8'});
    if (r.status !== 0) throw new Error(r.stderr);
    return Number(process.hrtime.bigint() - start) / 1e9;
  };
  const best = (n) => Math.min(time(n), time(n), time(n));
  return runs / Math.max(1e-6, best(runs) - best(0));
}

const server = await serve(site);
const browser = await puppeteer.launch({
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium', headless: true,
  args: ['--no-sandbox', '--disable-gpu', '--disable-dev-shm-usage'],
});
try {
  const page = await browser.newPage();
  await page.setViewport({width: 1280, height: 800});
  const start = Date.now();
  await page.goto(server.url);
  await page.waitForFunction(() => document.body.dataset.firstFrame, {timeout: 60000});
  const firstFrame = Date.now() - start;
  await new Promise((resolve) => setTimeout(resolve, 1500));  // the example list and the rest
  const bytes = server.stats.bytes;

  const act = (steps) => page.evaluate(async (steps) => {
    for (const m of steps) await window.lineLab.request({type: 'action', ...m}, 'update');
  }, steps);
  // Real Fast mode as a user starts it (Run > Fast), the runs counted by the BER's run count
  // over the wall clock, the status bar's runs/s beside; the native tool on the same settings
  // in between, so both see the same load.
  const fastRate = (seconds) => page.evaluate(async (seconds) => {
    const lab = window.lineLab;
    const wait = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
    document.getElementById('runFast').click();
    await wait(1000);  // the engine's code warmed up, the first rate counted
    const t0 = performance.now();
    const r0 = lab.state.berRuns;
    // A request's round trip while it runs: the page never waits behind a backlog.
    let worst = 0;
    while (performance.now() - t0 < seconds * 1000) {
      const s = performance.now();
      await lab.request({type: 'controls'}, 'controls');
      worst = Math.max(worst, performance.now() - s);
      await wait(200);
    }
    await wait(100);  // the last update in
    const runs = lab.state.berRuns - r0;
    const elapsed = performance.now() - t0;
    const shown = lab.state.rate;
    document.getElementById('runFast').click();
    return {rate: runs / (elapsed / 1000), shown, worst};
  }, seconds);
  const median = (xs) => [...xs].sort((a, b) => a - b)[Math.floor(xs.length / 2)];
  const sideBySide = async (steps, args) => {
    const web = [], native = [], shown = [], worst = [];
    for (let i = 0; i < 3; ++i) {
      await act([{op: 'reset'}, ...steps]);
      const f = await fastRate(3);
      web.push(f.rate); shown.push(f.shown); worst.push(f.worst);
      native.push(nativeRate(args));
    }
    const ratios = web.map((w, i) => w / native[i]);
    return {web: median(web), native: median(native), ratio: median(ratios),
            shown: median(shown), worst: Math.max(...worst)};
  };
  const scene = {op: 'setText', name: 'cmbScene', value: kScene};
  const off = [scene, ...kPanels.map((name) => ({op: 'setValue', name, value: 0}))];
  const on = [scene, ...kPanels.map((name) => ({op: 'setValue', name, value: 1}))];
  const fastOff = await sideBySide(off, [`cmbScene=${kScene}`, ...kPanels.map((n) => `${n}=0`)]);
  const fastOn = await sideBySide(on, [`cmbScene=${kScene}`, ...kPanels.map((n) => `${n}=1`)]);
  // Every run drawn on every panel: ticks in the worker, the drawing replayed on the page's
  // canvases; `batch` runs travel to the page in one message (the screen shows at most one
  // frame per message anyway).
  const drawn = (batch) => page.evaluate(async (steps, batch) => {
    const lab = window.lineLab;
    await lab.request({type: 'runs', n: 0, fresh: true, steps}, 'runs-done');
    const n = 300;
    const t0 = performance.now();
    for (let i = 0; i < n; i += batch) await lab.request({type: 'runs', n: batch}, 'runs-done');
    return n / ((performance.now() - t0) / 1000);
  }, on, batch);
  const drawnEach = await drawn(1);
  const drawnTen = await drawn(10);
  const rows = [
    ['Fast, panels off, runs/s (browser)', fastOff.web.toFixed(0)],
    ['Fast, panels off, runs/s (native batch)', fastOff.native.toFixed(0)],
    ['Fast, panels off, browser / native', fastOff.ratio.toFixed(2)],
    ['Fast, panels off, status bar runs/s', fastOff.shown.toFixed(0)],
    ['Fast, every panel shown, runs/s (browser)', fastOn.web.toFixed(0)],
    ['Fast, every panel shown, runs/s (native)', fastOn.native.toFixed(0)],
    ['Fast, every panel shown, browser / native', fastOn.ratio.toFixed(2)],
    ['Fast, worst request round trip, ms', Math.max(fastOff.worst, fastOn.worst).toFixed(0)],
    ['every panel drawn, runs/s, a message a run', drawnEach.toFixed(0)],
    ['every panel drawn, runs/s, ten runs a message', drawnTen.toFixed(0)],
    ['load to first frame, ms', String(firstFrame)],
    ['bytes of a first visit (gzip)', String(bytes)],
  ];
  for (const [name, value] of rows) console.log(`${name.padEnd(46)} ${value}`);
} finally {
  await browser.close();
  await server.close();
}
