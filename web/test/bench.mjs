// The page's figures in headless Chromium, native ones beside them in the same run: runs a
// second with every panel off (against linelab-batch on the same settings), runs a second
// with every panel drawn (commands replayed onto the page's canvases), load to first frame,
// and the gzip bytes of a first visit.
import {spawnSync} from 'node:child_process';
import path from 'node:path';
import puppeteer from 'puppeteer-core';
import {argument, serve} from './serve.mjs';

const site = path.resolve(argument('--site', 'build-web/site'));
const batch = path.resolve(argument('--batch', 'build/tools/linelab-batch'));
const runs = Number(argument('--runs', '20000'));
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

  const rate = (steps, n) => page.evaluate((steps, n) => window.lineLab.request(
    {type: 'runs', n, fresh: true, steps}, 'runs-done').then((m) => m.n / (m.elapsed / 1000)), steps, n);
  const scene = {op: 'setText', name: 'cmbScene', value: kScene};
  const off = [scene, ...kPanels.map((name) => ({op: 'setValue', name, value: 0}))];
  await rate(off, 200);  // the engine's code warmed up
  const webOff = Math.max(await rate(off, runs), await rate(off, runs));
  const native = nativeRate([`cmbScene=${kScene}`, ...kPanels.map((n) => `${n}=0`)]);
  // Every panel drawn: ticks in the worker, every run's drawing replayed on the page's
  // canvases; `batch` runs travel to the page in one message (the screen shows at most one
  // frame per message anyway).
  const drawn = (batch) => page.evaluate(async (scene, batch) => {
    const lab = window.lineLab;
    await lab.request({type: 'runs', n: 0, fresh: true, steps: [scene]}, 'runs-done');
    const n = 300;
    const t0 = performance.now();
    for (let i = 0; i < n; i += batch) await lab.request({type: 'runs', n: batch}, 'runs-done');
    return n / ((performance.now() - t0) / 1000);
  }, scene, batch);
  const drawnEach = await drawn(1);
  const drawnTen = await drawn(10);
  const rows = [
    ['runs/s, panels off (browser)', webOff.toFixed(0)],
    ['runs/s, panels off (native batch)', native.toFixed(0)],
    ['browser / native', (webOff / native).toFixed(2)],
    ['runs/s, every panel drawn, a message a run', drawnEach.toFixed(0)],
    ['runs/s, every panel drawn, ten runs a message', drawnTen.toFixed(0)],
    ['load to first frame, ms', String(firstFrame)],
    ['bytes of a first visit (gzip)', String(bytes)],
  ];
  for (const [name, value] of rows) console.log(`${name.padEnd(40)} ${value}`);
} finally {
  await browser.close();
  await server.close();
}
