// The page end to end in headless Chromium, held against linelab-batch on the same settings:
// it loads; each scene shows the panels the batch tool says it shows; a list choice cascades;
// seeded runs give the same BER and counts; a lesson by file and by link gives the same
// controls; a bad lesson shows its message and changes nothing; a two-point sweep gives the
// same counts.
import {execFileSync, spawnSync} from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import puppeteer from 'puppeteer-core';
import {argument, serve} from './serve.mjs';

const site = path.resolve(argument('--site', 'build-web/site'));
const batch = path.resolve(argument('--batch', 'build/tools/linelab-batch'));
const lessons = path.resolve(path.dirname(new URL(import.meta.url).pathname), '../../lessons');
const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'linelab-page-'));

let failures = 0;
async function check(name, body) {
  const start = Date.now();
  try {
    await body();
    console.log(`ok   ${name} (${Date.now() - start} ms)`);
  } catch (e) {
    failures += 1;
    console.log(`FAIL ${name}: ${e.message}`);
  }
}
function expectEqual(actual, expected, what) {
  const a = JSON.stringify(actual);
  const b = JSON.stringify(expected);
  if (a !== b) throw new Error(`${what}:\n  page:  ${a.slice(0, 400)}\n  batch: ${b.slice(0, 400)}`);
}

function runBatch(args, cwd = scratch) {
  const r = spawnSync(batch, args, {cwd, encoding: 'utf8'});
  return {status: r.status, out: r.stdout, err: r.stderr};
}
function batchControls(args) {
  const r = runBatch(['--runs', '0', '--dump', 'controls', ...args]);
  if (r.status !== 0) throw new Error(`linelab-batch ${args.join(' ')}: ${r.err}`);
  return JSON.parse(r.out).controls;
}

// What both sides must agree on: everything a user sees of a control, but the run's own
// readouts (the BER caption, the run control's state, the timer) which depend on the runs.
const kRunDependent = new Set(['lblBER', 'cmdPause', 'Timer1']);
function comparable(controls) {
  const out = {};
  for (const [name, c] of Object.entries(controls)) {
    if (kRunDependent.has(name)) continue;
    const {visible, text, items, value, caption, min, max} = c;
    out[name] = {visible, text, items, value, caption, min, max};
  }
  return JSON.parse(JSON.stringify(out));
}

const server = await serve(site);
const browser = await puppeteer.launch({
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
  headless: true,
  args: ['--no-sandbox', '--disable-gpu', '--disable-dev-shm-usage'],
});

async function openPage(hash = '') {
  const page = await browser.newPage();
  await page.setViewport({width: 1280, height: 800});
  page.on('pageerror', (e) => console.log(`page error: ${e.message}`));
  await page.goto(server.url + hash);
  await page.waitForFunction(() => window.lineLab && window.lineLab.ready, {timeout: 30000});
  return page;
}
const controlsOf = (page) => page.evaluate(() =>
  window.lineLab.request({type: 'controls'}, 'controls').then((m) => m.controls));
const act = (page, op, name, value) => page.evaluate((op, name, value) =>
  window.lineLab.request({type: 'action', op, name, value}, 'update').then((m) => m.ok), op, name, value);

try {
  const page = await openPage();
  const startup = batchControls([]);

  await check('the page loads with the start-up controls', async () => {
    expectEqual(comparable(await controlsOf(page)), comparable(startup), 'start-up controls');
  });

  await check('each scene shows its panels', async () => {
    const scenes = startup.cmbScene.items;
    for (const [index, scene] of scenes.entries()) {
      await act(page, 'pickItem', 'cmbScene', index);
      await page.evaluate(() => window.lineLab.request({type: 'runs', n: 2}, 'runs-done'));
      const expected = batchControls([`cmbScene=${scene}`]);
      const shown = await page.evaluate(() => Object.keys(window.lineLab.panels).filter((n) => {
        const p = window.lineLab.panels[n];
        return p.wrap.offsetParent !== null && p.canvas.clientWidth > 0;
      }));
      const wanted = Object.keys(expected).filter((n) => n.startsWith('pic') && expected[n].visible);
      expectEqual(shown.sort(), wanted.sort(), `panels of ${scene}`);
      // A shown panel that is switched on has been drawn on: not all white.
      const drawn = await page.evaluate((names) => names.filter((n) => {
        const c = window.lineLab.panels[n].canvas;
        const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
        for (let i = 0; i < d.length; i += 4) if (d[i] < 250 || d[i + 1] < 250) return true;
        return false;
      }), wanted.filter((n) => expected[`chk${n.slice(3)}`] && expected[`chk${n.slice(3)}`].value === 1));
      if (!drawn.length && wanted.length) throw new Error(`nothing drawn in ${scene}`);
    }
  });

  await check('every scene fits a 768-pixel tablet and a 1920x1080 projector', async () => {
    for (const [width, height] of [[768, 1024], [1920, 1080]]) {
      await page.setViewport({width, height});
      for (const index of startup.cmbScene.items.keys()) {
        await act(page, 'pickItem', 'cmbScene', index);
        // The canvases take their new sizes before the next frame is painted.
        await page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
        const fit = await page.evaluate(() => ({
          overflow: document.documentElement.scrollWidth - document.documentElement.clientWidth,
          empty: Object.keys(window.lineLab.panels).filter((n) => {
            const p = window.lineLab.panels[n];
            return p.wrap.offsetParent !== null && (p.canvas.width < 20 || p.canvas.height < 10);
          }),
        }));
        if (fit.overflow > 0) throw new Error(`${width} px, scene ${index}: ${fit.overflow} px too wide`);
        if (fit.empty.length) throw new Error(`${width} px, scene ${index}: ${fit.empty} too small`);
      }
    }
    await page.setViewport({width: 1280, height: 800});
  });

  await check('a list choice cascades as on the desktop', async () => {
    await page.evaluate(() => window.lineLab.request({type: 'runs', n: 0, fresh: true}, 'runs-done'));
    const code = startup['cmbCode(0)'].items.find((t) => t !== startup['cmbCode(0)'].text);
    await act(page, 'pickItem', 'cmbCode(0)', startup['cmbCode(0)'].items.indexOf(code));
    expectEqual(comparable(await controlsOf(page)), comparable(batchControls([`cmbCode(0)=${code}`])),
                `controls after cmbCode(0)=${code}`);
  });

  await check('seeded runs give the batch tool\'s BER and counts', async () => {
    const settings = [['cmbScene', 'Noise'], ['cmbNoise', '0.8']];
    const r = await page.evaluate((settings) => window.lineLab.request({
      type: 'runs', n: 60, fresh: true, withControls: true,
      steps: settings.map(([name, value]) => ({op: 'setText', name, value}))}, 'runs-done'), settings);
    const args = ['--runs', '60', ...settings.map(([n, v]) => `${n}=${v}`)];
    const line = runBatch(args).out.trim();
    const counts = JSON.parse(runBatch([...args, '--dump', 'BitErrors,BitsCompared']).out);
    expectEqual(r.controls.lblBER.caption, line, 'BER caption');
    expectEqual([r.state.errors, r.state.bits], [counts.BitErrors, counts.BitsCompared], 'counts');
    if (!(counts.BitErrors > 0)) throw new Error('the setting makes no errors: a weak check');
  });

  const lessonFile = path.join(lessons, 'pam4-noise.json');
  const lessonControls = comparable(batchControls(['--lesson', lessonFile]));

  await check('a lesson by file gives the batch tool\'s controls', async () => {
    const input = await page.$('#lessonFile');
    const opened = page.evaluate(() => window.lineLab.next('update').then(function wait(m) {
      return m.lesson ? m : window.lineLab.next('update').then(wait);
    }));
    await input.uploadFile(lessonFile);
    const m = await opened;
    expectEqual(m.lesson.problem, '', 'problem');
    expectEqual(comparable(await controlsOf(page)), lessonControls, 'controls');
  });

  await check('a dropped lesson opens as a chosen one does', async () => {
    await page.evaluate(() => window.lineLab.request({type: 'runs', n: 0, fresh: true}, 'runs-done'));
    const text = fs.readFileSync(lessonFile, 'utf8');
    const m = await page.evaluate((text) => {
      const opened = window.lineLab.next('update').then(function wait(m) {
        return m.lesson ? m : window.lineLab.next('update').then(wait);
      });
      const data = new DataTransfer();
      data.items.add(new File([text], 'dropped.json', {type: 'application/json'}));
      document.dispatchEvent(new DragEvent('drop', {dataTransfer: data, bubbles: true, cancelable: true}));
      return opened;
    }, text);
    expectEqual([m.lesson.problem, m.lesson.name], ['', 'dropped.json'], 'opened');
    expectEqual(comparable(await controlsOf(page)), lessonControls, 'controls');
  });

  await check('a lesson by link gives the same controls', async () => {
    const text = fs.readFileSync(lessonFile, 'utf8');
    const link = await page.evaluate((t) => window.lineLab.encodeLink(t), text);
    const linked = await openPage(`#lesson=${link}`);
    await linked.waitForFunction(() => document.getElementById('statusNote').textContent.includes('opened'));
    expectEqual(comparable(await controlsOf(linked)), lessonControls, 'controls');
    await linked.close();
  });

  await check('a bad lesson shows the desktop\'s message and changes nothing', async () => {
    const bad = '{"format": "linelab-lesson", "version": 1, "lists": {"cmbCode(0)": "Morse"}}';
    fs.writeFileSync(path.join(scratch, 'bad.json'), bad);
    const r = runBatch(['--lesson', 'bad.json']);
    const expected = r.err.trim().replace(/^linelab-batch: /, '');
    if (r.status !== 2 || !expected.startsWith('bad.json: ')) throw new Error(`batch said ${r.err}`);
    const before = await controlsOf(page);
    await page.evaluate((t) => window.lineLab.openLessonText(t, 'bad.json', 'file'), bad);
    await page.waitForSelector('#messageBox[open]');
    const shown = await page.$eval('#messageText', (e) => e.textContent);
    expectEqual(shown, expected, 'message');
    expectEqual(comparable(await controlsOf(page)), comparable(before), 'controls');
    await page.$eval('#messageBox', (d) => d.close());
  });

  await check('a two-point sweep gives the batch tool\'s counts', async () => {
    const settings = ['--min-errors', '30', '--max-bits', '300000', '--seed', '7'];
    const r = runBatch(['--sweep', 'EbN0=3:2:5', ...settings]);
    if (r.status !== 0) throw new Error(r.err);
    await page.evaluate(() => window.lineLab.request({type: 'runs', n: 0, fresh: true}, 'runs-done'));
    const csv = await page.evaluate(() => {
      const done = window.lineLab.next('sweep-finished');
      window.lineLabCurve.start({points: [3, 5], minErrors: 30, maxBits: 300000, seed: 7,
                                 runner: 'folded', noise: 'fixed', thresholds: 'midway', workers: 3});
      return done.then(() => window.lineLabCurve.csv());
    });
    const rows = (text) => text.trim().split('\n').map((l) => l.split(','));
    const page_ = rows(csv);
    const native = rows(r.out);
    expectEqual(page_.length, native.length, 'lines');
    for (let i = 0; i < native.length; ++i) {
      // Counts and names exactly; the intervals' figures within what another maths library
      // may round differently.
      for (let j = 0; j < native[i].length; ++j) {
        const a = page_[i][j], b = native[i][j];
        const same = a === b || (Number.isFinite(+a) && Math.abs(+a - +b) <= 1e-12 * Math.abs(+b));
        if (!same) throw new Error(`line ${i} column ${native[0][j]}: page ${a}, batch ${b}`);
      }
    }
  });
} finally {
  await browser.close();
  await server.close();
  fs.rmSync(scratch, {recursive: true, force: true});
}
console.log(failures ? `${failures} page test(s) failed` : 'every page test passed');
process.exit(failures ? 1 : 0);
