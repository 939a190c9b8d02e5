// The page end to end in headless Chromium, held against linelab-batch on the same settings:
// it loads; a tour of the scenes in a seeded random order, picked as a user picks them, shows
// at every visit exactly the controls and values the batch tool gives for the same picks; a
// list choice cascades; seeded runs give the same BER and counts; a lesson by file and by
// link gives the same controls; a bad lesson shows its message and changes nothing; a
// two-point sweep gives the same counts. Then what a user meets: boxes, menus and keys, the
// share link without a clipboard, long sweeps, switched-off panels, the layout's room, the
// accessibility check and an offline reload. `--seed N` repeats a tour.
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
const seed = Number(argument('--seed', String(Date.now() % 100000)));
console.log(`tour seed ${seed} (--seed ${seed} repeats it)`);
const axeSource = fs.readFileSync(
  path.resolve(path.dirname(new URL(import.meta.url).pathname), '../node_modules/axe-core/axe.min.js'), 'utf8');

// A small seeded generator (mulberry32): the same seed, the same tour.
function random(state) {
  return () => {
    state = (state + 0x6d2b79f5) | 0;
    let t = Math.imul(state ^ (state >>> 15), 1 | state);
    t = (t + Math.imul(t ^ (t >>> 7), 61 | t)) ^ t;
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
}

// `--only REGEX` runs only the checks whose names match (the start-up checks always run).
const only = argument('--only', null);
let failures = 0;
async function check(name, body) {
  if (only && !new RegExp(only).test(name) && !name.startsWith('the page loads')) return;
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
  protocolTimeout: 60000,
});

let pageErrors = [];
async function openPage(hash = '', before = null) {
  const page = await browser.newPage();
  await page.setViewport({width: 1280, height: 800});
  page.on('pageerror', (e) => {
    pageErrors.push(e.message);
    console.log(`page error: ${e.message}`);
  });
  if (before) await page.evaluateOnNewDocument(before);
  await page.goto(server.url + hash);
  await page.waitForFunction(() => window.lineLab && window.lineLab.ready, {timeout: 30000});
  return page;
}
const controlsOf = (page) => page.evaluate(() =>
  window.lineLab.request({type: 'controls'}, 'controls').then((m) => m.controls));
const act = (page, op, name, value) => page.evaluate((op, name, value) =>
  window.lineLab.request({type: 'action', op, name, value}, 'update').then((m) => m.ok), op, name, value);

// The page after its worker answered everything sent so far and the page drew it.
const settle = (page) => page.evaluate(() => window.lineLab.request({type: 'controls'}, 'controls')
  .then(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r)))));

// What the page shows of each control, read from its elements as a user sees them.
const shownControls = (page) => page.evaluate(() => {
  const out = {};
  const shown = (e) => !!e && e.checkVisibility();
  for (const [name, e] of Object.entries(window.lineLab.elements)) {
    const c = window.lineLab.controls[name];
    const v = {visible: shown(e.box || e.input || e)};
    if (c.kind === 'list') v.text = e.input ? e.input.value : e.value;
    if (c.kind === 'check') v.value = e.box.checked ? 1 : 0;
    if (c.kind === 'slider') v.value = Number(e.value);
    if (c.kind === 'picture') v.visible = shown(window.lineLab.panels[name].canvas);
    out[name] = v;
  }
  return out;
});
function expectShown(page, batch, what) {
  const wrong = [];
  for (const [name, v] of Object.entries(page)) {
    const b = batch[name];
    if (!b || name === 'cmdPause') continue;
    if (v.visible !== b.visible) wrong.push(`${name} ${v.visible ? 'shown' : 'hidden'}`);
    else if (v.visible && 'text' in v && v.text !== b.text) wrong.push(`${name} reads "${v.text}", not "${b.text}"`);
    else if (v.visible && 'value' in v && v.value !== b.value) wrong.push(`${name} is ${v.value}, not ${b.value}`);
  }
  if (wrong.length) throw new Error(`${what}: ${wrong.join('; ')}`);
}

// The worker's next message of a type that passes `test` (timer ticks answer in between):
// the wait is set in the page before the caller acts (on a loaded machine a wait set while
// acting can come after the answer and wait for ever); the function given back awaits it.
async function messageWhere(page, type, test, arg) {
  const id = await page.evaluate((type, test, arg) => {
    const pass = new Function('m', 'arg', `return ${test}`);
    const waits = window.lineLabTestWaits = window.lineLabTestWaits || [];
    waits.push(window.lineLab.next(type).then(function wait(m) {
      return pass(m, arg) ? m : window.lineLab.next(type).then(wait);
    }));
    return waits.length - 1;
  }, type, test, arg);
  return () => page.evaluate((id) => window.lineLabTestWaits[id], id);
}
const updateWhere = (page, test, arg) => messageWhere(page, 'update', test, arg);
// The worker's answer to the next action of this kind.
const actionReply = (page, op) => updateWhere(page, 'm.op === arg', op);

// A scene picked as a user picks it: the arrow beside the Simulation box.
// (A page without the arrow, which its own test holds, is told the pick directly.)
async function pickScene(page, scene) {
  const reply = await actionReply(page, 'pickItem');
  if (await page.$('select.pick[data-name="cmbScene"]')) {
    await page.select('select.pick[data-name="cmbScene"]', scene);
  } else {
    const items = (await controlsOf(page)).cmbScene.items;
    await page.evaluate((i) => window.lineLab.send({type: 'action', op: 'pickItem', name: 'cmbScene', value: i}),
                        items.indexOf(scene));
  }
  await reply();
  await settle(page);
}

// Pixels drawn on in a band across a panel's upper half, clear of its title and of the
// hint at its middle: traces where it shows a picture, none where it shows its hint.
async function colouredPixels(page, element) {
  const box = await element.boundingBox();
  const shot = await page.screenshot({encoding: 'base64', clip: {
    x: box.x + 4, y: box.y + box.height * 0.2, width: box.width - 8, height: box.height * 0.2}});
  return page.evaluate(async (b64) => {
    const img = new Image();
    img.src = `data:image/png;base64,${b64}`;
    await img.decode();
    const c = new OffscreenCanvas(img.width, img.height);
    const ctx = c.getContext('2d');
    ctx.drawImage(img, 0, 0);
    const d = ctx.getImageData(0, 0, img.width, img.height).data;
    let n = 0;
    for (let i = 0; i < d.length; i += 4) {
      if (Math.max(d[i], d[i + 1], d[i + 2]) < 200) n += 1;
    }
    return n;
  }, shot);
}

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
      await page.evaluate(() => window.lineLab.request({type: 'runs', n: 2}, 'runs-done').then(() => null));
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

  await check('a seeded tour of the scenes shows at every visit what the batch tool shows', async () => {
    const scenes = startup.cmbScene.items;
    const next = random(seed);
    await page.evaluate(() => window.lineLab.request({type: 'runs', n: 0, fresh: true}, 'runs-done').then(() => null));
    const picks = [];
    for (let visit = 0; visit < 10; ++visit) {
      const scene = scenes[Math.floor(next() * scenes.length)];
      picks.push(`cmbScene=${scene}`);
      await pickScene(page, scene);
      const expected = batchControls(picks);
      expectShown(await shownControls(page), expected, `visit ${visit + 1}, ${picks.join(' ')}`);
      // Each strip box the scene shows ticks off and on by a click; its strip stays.
      const boxes = Object.keys(expected).filter((n) => n.startsWith('chk') && expected[n].visible &&
                                                        expected[`pic${n.slice(3)}`]);
      const box = boxes[Math.floor(next() * boxes.length)];
      if (box) {
        for (let i = 0; i < 2; ++i) {
          const reply = await actionReply(page, 'click');
          await page.click(`input[type=checkbox][data-name="${box}"]`);
          await reply();
        }
        await settle(page);
        expectShown(await shownControls(page), expected, `visit ${visit + 1} after ticking ${box} twice`);
      }
    }
  });

  await check('the Simulation box offers every scene, whatever is typed in it', async () => {
    const options = () => page.$$eval('select.pick[data-name="cmbScene"] option', (o) => o.map((x) => x.text));
    expectEqual(await options(), startup.cmbScene.items, 'choices');
    await page.click('input[data-name="cmbScene"]', {clickCount: 3});
    await page.keyboard.type('Noi');
    expectEqual(await options(), startup.cmbScene.items, 'choices while typing');
    await page.keyboard.press('Escape');
    await page.evaluate(() => document.activeElement.blur());
    await settle(page);
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
    await page.evaluate(() => window.lineLab.request({type: 'runs', n: 0, fresh: true}, 'runs-done').then(() => null));
    const code = startup['cmbCode(0)'].items.find((t) => t !== startup['cmbCode(0)'].text);
    await act(page, 'pickItem', 'cmbCode(0)', startup['cmbCode(0)'].items.indexOf(code));
    expectEqual(comparable(await controlsOf(page)), comparable(batchControls([`cmbCode(0)=${code}`])),
                `controls after cmbCode(0)=${code}`);
  });

  await check('seeded runs give the batch tool\'s BER and counts', async () => {
    const settings = [['cmbScene', 'Noise'], ['cmbNoise', '0.8']];
    const r = await page.evaluate((settings) => window.lineLab.request({
      type: 'runs', n: 60, fresh: true, withControls: true,
      steps: settings.map(([name, value]) => ({op: 'setText', name, value}))}, 'runs-done')
      // Only what is compared comes back: the drawings would cross to node as text.
      .then((m) => ({controls: m.controls, state: m.state})), settings);
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
    await page.evaluate(() => window.lineLab.request({type: 'runs', n: 0, fresh: true}, 'runs-done').then(() => null));
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

  // A guided example, opened by a link at its step 3, against linelab-batch --step.
  const guidedFile = path.join(lessons, 'why-line-codes.json');
  const guided = JSON.parse(fs.readFileSync(guidedFile, 'utf8'));
  const atStep = (n) => comparable(batchControls(['--lesson', guidedFile, '--step', String(n)]));
  const paneShows = (p) => p.evaluate(() => {
    const $ = (id) => document.getElementById(id);
    const shown = (id) => $(id).checkVisibility();
    return {pane: shown('lessonPane'), step: $('lessonSteps').selectedIndex,
            title: shown('lessonStepTitle') ? $('lessonStepTitle').textContent : '',
            answer: shown('lessonAnswer'), ask: shown('lessonShowAnswer')};
  });
  const stepped = (p) => updateWhere(p, 'm.step');

  await check('a guided lesson by link opens at its step 3 with linelab-batch --step 3\'s controls', async () => {
    const text = fs.readFileSync(guidedFile, 'utf8');
    const link = await page.evaluate((t) => window.lineLab.encodeLink(t), text);
    const linked = await openPage(`#lesson=${link}&step=3`, () => {
      Object.defineProperty(Navigator.prototype, 'clipboard', {get: () => undefined});
    });
    try {
      await linked.waitForFunction(() => document.getElementById('statusNote').textContent.includes('opened'));
      await settle(linked);
      expectEqual(comparable(await controlsOf(linked)), atStep(3), 'controls at step 3');
      expectEqual(await paneShows(linked), {pane: true, step: 3, title: guided.steps[2].title,
                                            answer: false, ask: true}, 'the pane at step 3');
      await linked.click('#lessonShowAnswer');
      expectEqual(await linked.$eval('#lessonAnswer', (e) => [e.checkVisibility(), e.textContent]),
                  [true, guided.steps[2].answer], 'the answer asked for');
      // The share link carries the whole lesson and the step shown.
      await linked.click('.menu > button');
      await linked.click('#fileShare');
      await linked.waitForSelector('#linkBox[open]', {timeout: 5000});
      const shared = await linked.$eval('#linkText', (e) => e.value);
      await linked.$eval('#linkBox', (d) => d.close());
      if (!shared.endsWith('&step=3')) throw new Error(`the link ends ${shared.slice(-20)}`);
      const back = await linked.evaluate((l) => window.lineLab.decodeLink(l.split('#lesson=')[1].split('&')[0]), shared);
      fs.writeFileSync(path.join(scratch, 'shared.json'), back);
      expectEqual(JSON.parse(back).steps.map((x) => x.title), guided.steps.map((x) => x.title), 'steps shared');
      expectEqual(comparable(batchControls(['--lesson', 'shared.json', '--step', '3'])), atStep(3),
                  'the shared lesson at step 3');
    } finally {
      await linked.close();
    }
  });

  await check('Page Down, Page Up and the pane\'s list move through the lesson as --step does', async () => {
    const text = fs.readFileSync(guidedFile, 'utf8');
    await page.evaluate((t) => window.lineLab.openLessonText(t, 'why-line-codes.json', 'file'), text);
    await page.waitForFunction(() => window.lineLab.lesson && window.lineLab.lesson.steps.length);
    // The keys work wherever the focus is, a slider's too.
    await page.focus('input[type=range][data-name="hscDataZoom"]');
    for (const [key, position] of [['PageDown', 1], ['PageDown', 2], ['PageUp', 1]]) {
      const reply = await stepped(page);
      await page.keyboard.press(key);
      expectEqual((await reply()).step.problem, '', `${key} to step ${position}`);
      await settle(page);
      expectEqual(comparable(await controlsOf(page)), atStep(position), `controls at step ${position}`);
      expectEqual((await paneShows(page)).step, position, 'the step shown');
    }
    const last = guided.steps.length;
    const reply = await stepped(page);
    await page.select('#lessonSteps', `${last}. ${guided.steps[last - 1].title}`);
    await reply();
    expectEqual(comparable(await controlsOf(page)), atStep(last), `controls at step ${last}`);
    expectEqual(await page.$eval('#lessonNext', (e) => e.disabled), true, 'Next at the last step');
    await page.evaluate(() => document.activeElement.blur());
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
    await page.evaluate(() => window.lineLab.request({type: 'runs', n: 0, fresh: true}, 'runs-done').then(() => null));
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

  // ---- what a user meets ------------------------------------------------------------------
  const fresh = async (p, scene) => {
    await p.evaluate(() => window.lineLab.request({type: 'runs', n: 0, fresh: true}, 'runs-done').then(() => null));
    if (scene) await pickScene(p, scene);
  };
  const note = (p) => p.$eval('#statusNote', (e) => e.textContent);
  // The worker's answer to the next typed text (timer ticks answer in between).
  const typedReply = (p) => actionReply(p, 'setText');
  async function typeInto(p, name, text) {
    const reply = await typedReply(p);
    await p.click(`input[data-name="${name}"]`, {clickCount: 3});
    await p.keyboard.type(text);
    await p.keyboard.press('Enter');
    const m = await reply();
    await settle(p);
    return m;
  }

  await check('a typed scene name that names no scene gives way to the scene laid out', async () => {
    await fresh(page, 'Noise');
    await typeInto(page, 'cmbScene', 'xyz');
    expectEqual(await page.$eval('input[data-name="cmbScene"]', (e) => e.value), 'Noise', 'box');
    if (!(await note(page)).includes('"xyz" names no scene')) throw new Error(`note: ${await note(page)}`);
    const lesson = await page.evaluate(() => window.lineLab.request({type: 'lesson-save', purpose: 'x'}, 'lesson-text'));
    fs.writeFileSync(path.join(scratch, 'typed.json'), lesson.text);
    const r = runBatch(['--runs', '0', '--lesson', 'typed.json']);
    if (r.status !== 0) throw new Error(`the saved lesson does not open: ${r.err}`);
  });

  await check('a typed number the program rewrites gets a note; a long text is cut with one', async () => {
    await fresh(page, 'Noise');
    await typeInto(page, 'cmbNoise', 'abc');
    if (!(await note(page)).includes('"abc" is no number')) throw new Error(`note: ${await note(page)}`);
    const long = '1'.repeat(250);
    await typeInto(page, 'cmbNoise', long);
    if (!(await note(page)).length) throw new Error('no note for a cut text');
    const fit = await page.evaluate(() => {
      const input = document.querySelector('input[data-name="cmbNoise"]');
      const stage = input.closest('.stage');
      return {text: input.value.length, box: input.getBoundingClientRect().right,
              stage: stage.getBoundingClientRect().right};
    });
    const expected = batchControls(['cmbScene=Noise', `cmbNoise=${long.slice(0, 200)}`]);
    expectEqual(fit.text, expected.cmbNoise.text.length, 'characters kept');
    if (fit.box > fit.stage) throw new Error(`the box runs ${fit.box - fit.stage} px out of its column`);
  });

  await check('a lesson dropped while a box has the focus shows in that box', async () => {
    await fresh(page, 'Noise');
    await page.focus('input[data-name="cmbNoise"]');
    const lesson = JSON.parse(fs.readFileSync(lessonFile, 'utf8'));
    lesson.lists.cmbNoise = '0.3';
    await page.evaluate((t) => window.lineLab.openLessonText(t, 'focus.json', 'file'), JSON.stringify(lesson));
    await page.waitForFunction(() => document.getElementById('statusNote').textContent.includes('opened'));
    await settle(page);
    expectEqual(await page.$eval('input[data-name="cmbNoise"]', (e) => e.value), '0.3', 'focused box');
    await page.evaluate(() => document.activeElement.blur());
  });

  await check('Copy Share Link without a clipboard shows the link to copy', async () => {
    const bare = await openPage('', () => {
      Object.defineProperty(Navigator.prototype, 'clipboard', {get: () => undefined});
    });
    const errors = pageErrors.length;
    await bare.click('.menu > button');
    await bare.click('#fileShare');
    await bare.waitForSelector('#linkBox[open]', {timeout: 5000});
    const link = await bare.$eval('#linkText', (e) => e.value);
    const text = await bare.evaluate((l) => window.lineLab.decodeLink(l.split('#lesson=')[1]), link);
    expectEqual(JSON.parse(text).scene, 'Just Data', 'the linked lesson');
    if (pageErrors.length !== errors) throw new Error(pageErrors.slice(errors).join('; '));
    await bare.close();
  });

  await check('a switched-off eye or spectrum shows its hint, not its old picture', async () => {
    await fresh(page, 'Straight');
    await page.evaluate(() => window.lineLab.request({type: 'runs', n: 5}, 'runs-done').then(() => null));
    await settle(page);
    for (const name of ['TxEye', 'RxSpectrum']) {
      const panel = await page.$(`.panel:has(canvas[data-name="pic${name}"])`);
      if (!(await colouredPixels(page, panel))) throw new Error(`pic${name} shows no trace when on`);
      const reply = await actionReply(page, 'click');
      await page.click(`input[type=checkbox][data-name="chk${name}"]`);
      await reply();
      await settle(page);
      const left = await colouredPixels(page, panel);
      if (left) throw new Error(`pic${name} off still shows ${left} coloured pixels`);
      const hint = await page.evaluate((n) => window.lineLab.panels[n].wrap.querySelector('.off').checkVisibility(), `pic${name}`);
      if (!hint) throw new Error(`pic${name} off shows no hint`);
    }
  });

  await check('strip names stand clear of their traces; compact sliders stand by their panels', async () => {
    await fresh(page, 'Straight');
    const crossed = await page.evaluate(() => Object.values(window.lineLab.panels).filter((p) => {
      const side = p.wrap.querySelector('.side');
      if (!side.textContent || !side.checkVisibility()) return false;
      const a = side.getBoundingClientRect();
      const b = p.canvas.getBoundingClientRect();
      return a.right > b.left && a.left < b.right && a.bottom > b.top && a.top < b.bottom;
    }).map((p) => p.canvas.dataset.name));
    if (crossed.length) throw new Error(`names on the traces: ${crossed}`);
    for (const scene of ['Tx Filter', 'Full Tx']) {
      await pickScene(page, scene);
      const far = await page.evaluate(() => {
        const gap = (a, b) => {
          const r = a.getBoundingClientRect();
          const s = b.getBoundingClientRect();
          return Math.max(0, s.left - r.right, r.left - s.right, s.top - r.bottom, r.top - s.bottom);
        };
        const e = window.lineLab.elements;
        return {eye: gap(e.vscTxEyeScale, e.picChannelEye), spectrum: gap(e.vscSpectrumRange, e.picChannelSpectrum)};
      });
      if (far.eye > 40 || far.spectrum > 40) throw new Error(`${scene}: sliders ${JSON.stringify(far)} px from their panels`);
    }
  });

  await check('menus work by keyboard and close after a choice; Space ticks a focused box', async () => {
    await fresh(page, 'Straight');
    const open = () => page.$$eval('.menu', (m) => m.filter((x) => x.querySelector('.items').checkVisibility()).length);
    await page.focus('.menu > button');
    await page.keyboard.press('ArrowDown');
    expectEqual(await page.evaluate(() => document.activeElement.id), 'fileOpen', 'first item');
    await page.keyboard.press('ArrowDown');
    expectEqual(await page.evaluate(() => document.activeElement.id), 'fileSave', 'second item');
    await page.keyboard.press('ArrowRight');
    expectEqual(await page.evaluate(() => document.activeElement.id), 'runPause', 'next menu');
    await page.keyboard.press('Escape');
    expectEqual(await open(), 0, 'menus open after Esc');
    await page.click('.menu:has(#helpAbout) > button');
    await page.click('#helpAbout');
    expectEqual(await open(), 0, 'menus open after a choice');
    await page.$eval('#helpBox', (d) => d.close());
    const before = await controlsOf(page);
    // Tab from the control before it, as a keyboard user reaches it: the focus shows.
    await page.evaluate(() => {
      const all = [...document.querySelectorAll('input, select, button, [tabindex="0"]')].filter((e) => e.checkVisibility());
      all[all.indexOf(document.querySelector('input[data-name="chkInvert"]')) - 1].focus();
    });
    await page.keyboard.press('Tab');
    const ring = await page.evaluate(() => {
      const e = document.activeElement;
      const style = getComputedStyle(e);
      return [e.dataset.name, e.matches(':focus-visible') && style.outlineStyle !== 'none' &&
              parseFloat(style.outlineWidth) >= 2];
    });
    expectEqual(ring, ['chkInvert', true], 'a visible focus on the box reached by Tab');
    const reply = await actionReply(page, 'click');
    await page.keyboard.press('Space');
    await reply();
    const after = await controlsOf(page);
    expectEqual([after.chkInvert.value, after.Timer1.enabled], [1 - before.chkInvert.value, before.Timer1.enabled],
                'chkInvert and the run after Space');
  });

  await check("every control is announced by its label; the help is the page's own", async () => {
    await fresh(page, 'Full Channel');
    const internal = await page.evaluate(() => [...document.querySelectorAll('[data-name]')]
      .filter((e) => /^(INPUT|SELECT|CANVAS|BUTTON)$/.test(e.tagName) && e.checkVisibility())
      .map((e) => [e.dataset.name, e.getAttribute('aria-label') || e.textContent])
      .filter(([, label]) => !label || /^(cmb|chk|vsc|hsc|pic|lbl|cmd)[A-Z]/.test(label)));
    if (internal.length) throw new Error(`internal names: ${JSON.stringify(internal)}`);
    expectEqual(await page.$eval('input[data-name="cmbNoise"]', (e) => e.getAttribute('aria-label')),
                'Noise, W/kHz', 'the noise box');
    const help = await page.evaluate(() => window.lineLab.layout.instructions);
    for (const word of ['F11', 'Ctrl+Q', 'Ctrl+Shift+C']) {
      if (help.includes(word)) throw new Error(`the page's help speaks of ${word}`);
    }
  });

  await check('a saved lesson is named after its scene', async () => {
    await fresh(page, 'Full Channel');
    const name = await page.evaluate(() => new Promise((resolve) => {
      const click = HTMLAnchorElement.prototype.click;
      HTMLAnchorElement.prototype.click = function () {
        HTMLAnchorElement.prototype.click = click;
        resolve(this.download);
      };
      document.getElementById('fileSave').click();
    }));
    expectEqual(name, 'linelab-full-channel.linelab.json', 'download');
  });

  await check('a sweep of 801 points never blocks the page or Stop', async () => {
    await fresh(page);
    const r = await page.evaluate(async () => {
      window.lineLabCurve.show();
      const set = (id, v) => { document.getElementById(id).value = v; };
      set('curveFrom', 0); set('curveStep', 0.01); set('curveTo', 8);
      set('curveErrors', 100000); set('curveBits', 1e12);
      let last = performance.now();
      let worst = 0;
      const probe = setInterval(() => {
        const now = performance.now();
        worst = Math.max(worst, now - last);
        last = now;
      }, 20);
      document.getElementById('curveRun').click();
      await new Promise((res) => setTimeout(res, 4000));
      const finished = window.lineLab.next('sweep-finished');
      const stopAt = performance.now();
      document.getElementById('curveStop').click();
      await finished;
      const stopMs = performance.now() - stopAt;
      clearInterval(probe);
      const rows = document.querySelectorAll('#curveTable tbody tr').length;
      const first = [...document.querySelector('#curveTable tbody tr').cells].map((c) => c.textContent);
      set('curveStep', 0.001);
      const refused = window.lineLab.next('sweep-error');
      document.getElementById('curveRun').click();
      const error = (await refused).text;
      document.getElementById('curveBox').close();
      return {stopMs, worst, rows, error, first};
    });
    expectEqual(r.rows, 801, 'rows');
    // The cells as the shared C++ writes them: the rate and the ideal one as 1.234e-5.
    if (!/^\d\.\d{3}e[+-]\d+$/.test(r.first[5])) throw new Error(`theory cell ${r.first[5]}`);
    if (r.stopMs > 1500) throw new Error(`Stop took ${r.stopMs.toFixed(0)} ms`);
    if (r.worst > 1000) throw new Error(`the page stood still for ${r.worst.toFixed(0)} ms`);
    if (!r.error.includes('1000 points')) throw new Error(`8001 points: ${r.error}`);
  });

  await check('Fast with every panel shown builds no backlog: a request answers at once, counts advance', async () => {
    await fresh(page, 'Full Channel');
    const r = await page.evaluate(async () => {
      const lab = window.lineLab;
      for (const {check} of Object.values(lab.layout.panels)) {
        const c = lab.controls[check];
        if (c.visible && c.value === 0) await lab.request({type: 'action', op: 'click', name: check}, 'update');
      }
      const wait = (ms) => new Promise((res) => setTimeout(res, ms));
      let updates = 0;
      const counter = (e) => { if (e.data.type === 'update') updates += 1; };
      lab.worker.addEventListener('message', counter);
      document.getElementById('runFast').click();
      await wait(500);
      const runs0 = lab.state.berRuns;
      let worst = 0;
      for (let i = 0; i < 8; ++i) {
        const t = performance.now();
        await lab.request({type: 'controls'}, 'controls');
        worst = Math.max(worst, performance.now() - t);
        await wait(150);
      }
      const runs = lab.state.berRuns - runs0;
      document.getElementById('runFast').click();
      lab.worker.removeEventListener('message', counter);
      const offered = Object.entries(lab.layout.panels).filter(([, d]) => lab.controls[d.check].visible);
      const shown = offered.filter(([name]) => lab.panels[name].canvas.checkVisibility()).length;
      return {worst, runs, updates, shown, offered: offered.length};
    });
    if (r.shown !== r.offered || r.shown < 10) throw new Error(`${r.shown} of ${r.offered} panels shown`);
    if (r.worst > 1500) throw new Error(`a request waited ${r.worst.toFixed(0)} ms behind the run`);
    if (!(r.runs > 20)) throw new Error(`the BER counted ${r.runs} runs in Fast`);
    if (!(r.updates > 2)) throw new Error(`${r.updates} updates reached the page`);
  });

  // Labels that cross another of their panel's, and the share of the window the pictures cover.
  const panelRoom = (p) => p.evaluate(() => {
    let area = 0;
    const crossed = [];
    const box = (e) => e.getBoundingClientRect();
    for (const [name, p] of Object.entries(window.lineLab.panels)) {
      if (!p.canvas.checkVisibility()) continue;
      const c = box(p.canvas);
      const w = Math.min(innerWidth, c.right) - Math.max(0, c.left);
      const h = Math.min(innerHeight, c.bottom) - Math.max(0, c.top);
      if (w > 0 && h > 0) area += w * h;
      const labels = [...p.wrap.querySelectorAll('.title, .side, .axis span')]
        .filter((e) => e.textContent && e.checkVisibility());
      for (let i = 0; i < labels.length; ++i) {
        for (let j = i + 1; j < labels.length; ++j) {
          const a = box(labels[i]);
          const b = box(labels[j]);
          if (a.right > b.left && a.left < b.right && a.bottom > b.top && a.top < b.bottom)
            crossed.push(`${name}: "${labels[i].textContent}" and "${labels[j].textContent}"`);
        }
      }
    }
    return {share: area / innerWidth / innerHeight, crossed};
  });

  await check('pictures take their room in Full Channel, and no two labels cross', async () => {
    for (const [width, height, least] of [[1280, 800, 0.35], [1024, 768, 0.30]]) {
      await page.setViewport({width, height});
      await fresh(page, 'Full Channel');
      await page.evaluate(() => window.lineLab.request({type: 'runs', n: 2}, 'runs-done').then(() => null));
      await settle(page);
      const r = await panelRoom(page);
      if (r.share < least) throw new Error(`${width}x${height}: pictures cover ${(100 * r.share).toFixed(1)} %`);
      if (r.crossed.length) throw new Error(`${width}x${height}: ${r.crossed.join('; ')}`);
    }
    await page.setViewport({width: 1280, height: 800});
  });

  // ---- pictures shown large, zoomed and exported -------------------------------------------
  const runs = (p, n) => p.evaluate((n) => window.lineLab.request({type: 'runs', n}, 'runs-done').then(() => null), n);
  // What a picture shows, in one number (the large view's, or a panel's canvas).
  const pictureSum = (p, selector) => p.$eval(selector, (c) => {
    const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
    let sum = 0;
    for (let i = 0; i < d.length; i += 4) sum = (sum * 31 + d[i] + 7 * d[i + 1] + 13 * d[i + 2]) % 1000000007;
    return sum;
  });
  // A choice from a picture's context menu, taken as a user takes it; what it exported, read
  // back: a PNG's size in pixels, an SVG's elements.
  async function pictureChoice(p, name, choice) {
    await p.evaluate(() => { if (window.lineLabPictures) window.lineLabPictures.lastExport = null; });
    await p.click(`canvas[data-name="${name}"]`, {button: 'right'});
    await p.waitForSelector('#pictureMenu:not([hidden])', {timeout: 2000});
    await p.evaluate((choice) => [...document.querySelectorAll('#pictureMenu button')]
      .find((b) => b.textContent === choice).click(), choice);
    if (choice === 'Copy Picture') return null;
    await p.waitForFunction(() => window.lineLabPictures.lastExport, {timeout: 5000});
    return p.evaluate(async () => {
      const {fileName, blob} = window.lineLabPictures.lastExport;
      if (blob.type === 'image/png') {
        const image = await createImageBitmap(blob);
        return {fileName, width: image.width, height: image.height};
      }
      const svg = new DOMParser().parseFromString(await blob.text(), 'image/svg+xml');
      return {fileName, broken: !!svg.querySelector('parsererror'), lines: svg.querySelectorAll('path, polyline').length,
              texts: [...svg.querySelectorAll('text')].map((t) => t.textContent)};
    });
  }

  await check('a double click or Enter shows a picture large, drawn on as the run goes on; Esc or its button brings the page back', async () => {
    await fresh(page, 'Full Channel');
    await runs(page, 3);
    await settle(page);
    const eye = 'canvas[data-name="picRxEye"]';
    await page.click(eye, {count: 2});
    await page.waitForSelector('#largeView:not([hidden])', {timeout: 2000});
    expectEqual(await page.$eval('#largeTitle', (e) => e.textContent), 'Receiver eye', 'the panel shown large');
    const first = await pictureSum(page, '#largeView canvas.traces');
    await runs(page, 5);
    await settle(page);
    if ((await pictureSum(page, '#largeView canvas.traces')) === first) throw new Error('the large eye stood still over 5 runs');
    await page.keyboard.press('Escape');
    const back = () => page.evaluate(() => [document.getElementById('largeView').hidden, document.activeElement.dataset.name]);
    expectEqual(await back(), [true, 'picRxEye'], 'after Esc: shown large, the focus');
    await page.focus('canvas[data-name="picTxSpectrum"]');
    await page.keyboard.press('Enter');
    await page.waitForSelector('#largeView:not([hidden])', {timeout: 2000});
    await page.click('#largeClose');
    expectEqual(await back(), [true, 'picTxSpectrum'], 'after the close button: shown large, the focus');
  });

  await check('Ctrl+plus grows the pictures in real pixels and Ctrl+0 brings them back; no labels cross at any step', async () => {
    await fresh(page, 'Full Channel');
    const size = () => page.$eval('canvas[data-name="picRxEye"]', (c) => [c.getBoundingClientRect().width, c.width]);
    const zoomKey = async (key) => {
      await page.keyboard.down('Control');
      await page.keyboard.press(key);
      await page.keyboard.up('Control');
    };
    const before = await size();
    await zoomKey('Equal');
    // The canvas takes its new pixels once the steps stop.
    await page.waitForFunction((w) => document.querySelector('canvas[data-name="picRxEye"]').width !== w, {}, before[1]);
    const grown = await size();
    if (!(grown[0] > before[0] * 1.1 && grown[1] > before[1] * 1.1)) throw new Error(`${before} grew to ${grown}`);
    // Every step, from the smallest to the largest and one past each end.
    const steps = [];
    for (const key of [...Array(4).fill('Minus'), ...Array(8).fill('Equal')]) {
      await zoomKey(key);
      const r = await panelRoom(page);
      steps.push(await page.evaluate(() => window.lineLab.zoom));
      if (r.crossed.length) throw new Error(`at ${steps.at(-1)}: ${r.crossed.join('; ')}`);
    }
    expectEqual([Math.min(...steps), Math.max(...steps)], [0.8, 2], 'the zoom steps');
    const prevented = await page.evaluate(() => {
      const e = new KeyboardEvent('keydown', {key: '0', ctrlKey: true, bubbles: true, cancelable: true});
      document.body.dispatchEvent(e);
      return e.defaultPrevented;
    });
    if (!prevented) throw new Error("Ctrl+0 is left to the browser's zoom");
    await page.waitForFunction((w) => document.querySelector('canvas[data-name="picRxEye"]').width === w, {}, before[1]);
    expectEqual(await size(), before, 'the eye after Ctrl+0');
  });

  await check('a picture exported as PNG twice the size is drawn at twice the pixels, named after its panel and scene', async () => {
    await fresh(page, 'Full Channel');
    await runs(page, 2);
    const one = await pictureChoice(page, 'picRxEye', 'PNG image');
    const two = await pictureChoice(page, 'picRxEye', 'PNG image, twice the size');
    expectEqual([two.width, two.height, two.fileName], [2 * one.width, 2 * one.height, 'Receiver eye - Full Channel@2x.png'],
                'twice the size');
  });

  await check('a picture exported as SVG is a drawing of lines with its texts', async () => {
    await fresh(page, 'Full Channel');
    await runs(page, 2);
    const svg = await pictureChoice(page, 'picTxSpectrum', 'SVG drawing');
    if (svg.broken || svg.lines < 1) throw new Error(`the SVG: ${JSON.stringify(svg)}`);
    if (!svg.texts.includes('0 to 4 kHz across')) throw new Error(`the SVG's texts: ${svg.texts}`);
  });

  await check("an exported or large picture's texts never cross nor leave it, at any size", async () => {
    await fresh(page, 'Full Channel');
    const wrong = await page.evaluate(() => {
      const out = [];
      const sizes = [[60, 40, 10], [150, 90, 11], [212, 267, 11], [640, 400, 15], [1250, 580, 27.5]];
      for (const [name, p] of Object.entries(window.lineLab.panels)) {
        for (const [w, h, size] of sizes) {
          const placed = window.lineLabRender.panelLabels(p.frame, w, h, size);
          placed.forEach((a, i) => {
            if (a.box.left < -4 || a.box.right > w + 4) out.push(`${name} ${w}x${h}: "${a.text}" leaves it`);
            for (const b of placed.slice(i + 1)) {
              if (a.box.left < b.box.right && b.box.left < a.box.right && a.box.top < b.box.bottom && b.box.top < a.box.bottom)
                out.push(`${name} ${w}x${h}: "${a.text}" and "${b.text}"`);
            }
          });
          if (w >= 640 && !placed.some((l) => l.text === (p.frame.title || p.frame.side))) out.push(`${name} ${w}x${h}: no title`);
        }
      }
      return out;
    });
    if (wrong.length) throw new Error(wrong.slice(0, 5).join('; '));
  });

  await check('Copy Picture without a clipboard says so in the status bar', async () => {
    const bare = await openPage('', () => {
      Object.defineProperty(Navigator.prototype, 'clipboard', {get: () => undefined});
    });
    await pickScene(bare, 'Full Channel');
    await pictureChoice(bare, 'picRxEye', 'Copy Picture');
    const said = await note(bare);
    await bare.close();
    if (!said.startsWith('Copy Picture')) throw new Error(`the status bar says "${said}"`);
  });

  await check('the lesson pane hides and shows, and leaves the pictures their room', async () => {
    // What the pictures cover, whether the pane crosses anything in its column, and its place.
    const measure = () => page.evaluate(() => {
      const element = document.getElementById('lessonPane');
      const pane = element.getBoundingClientRect();
      const shown = element.checkVisibility();
      let area = 0;
      const crossing = [];
      const cross = (a, b) => a.right > b.left && a.left < b.right && a.bottom > b.top && a.top < b.bottom;
      for (const [name, p] of Object.entries(window.lineLab.panels)) {
        if (!p.canvas.checkVisibility()) continue;
        const c = p.canvas.getBoundingClientRect();
        area += Math.max(0, Math.min(innerWidth, c.right) - Math.max(0, c.left)) *
                Math.max(0, Math.min(innerHeight, c.bottom) - Math.max(0, c.top));
        if (shown && cross(c, pane)) crossing.push(name);
      }
      // Nothing the pane's column shows runs over another thing it shows.
      const column = element.closest('.stage');
      const parts = [...column.querySelectorAll('canvas, input, select, .readout')].filter((e) => e.checkVisibility());
      for (let i = 0; i < parts.length; ++i) {
        for (let j = i + 1; j < parts.length; ++j) {
          const [a, b] = [parts[i], parts[j]];
          if (!a.contains(b) && !b.contains(a) && cross(a.getBoundingClientRect(), b.getBoundingClientRect()))
            crossing.push(`${a.dataset.name || a.id}/${b.dataset.name || b.id}`);
        }
      }
      return {share: area / innerWidth / innerHeight, crossing, shown, column: column.dataset.stage,
              inside: pane.bottom <= innerHeight && pane.height >= 140};
    });
    const setPane = async (on) => {
      if ((await page.$eval('#lessonPane', (e) => e.checkVisibility())) !== on) await page.keyboard.press('F9');
      await settle(page);
    };
    // Full Channel has room only under the BER; Noise leaves the channel's column empty,
    // Full Tx the transmitter's under its lists.
    for (const [width, height, scene, least, column] of [
      [1280, 800, 'Full Channel', 0.35, 'Output'], [1024, 768, 'Full Channel', 0.30, 'Output'],
      [1280, 800, 'Noise', 0.99, 'Channel'], [1024, 768, 'Noise', 0.99, 'Channel'],
      [1280, 800, 'Full Tx', 0.99, 'Transmitter']]) {
      const what = `${width}x${height} ${scene}`;
      await page.setViewport({width, height});
      await fresh(page, scene);
      await page.evaluate(() => window.lineLab.request({type: 'runs', n: 2}, 'runs-done').then(() => null));
      await setPane(false);
      const without = await measure();
      await setPane(true);
      const r = await measure();
      // Where the pane has a column to itself, the pictures lose nothing to it.
      const wanted = least < 0.9 ? least : least * without.share;
      if (r.share < wanted) throw new Error(`${what}: pictures cover ${(100 * r.share).toFixed(1)} %`);
      if (r.crossing.length) throw new Error(`${what}: crossing ${r.crossing}`);
      if (!r.inside) throw new Error(`${what}: the pane is cut or squeezed`);
      expectEqual(r.column, column, `${what}: the pane's column`);
    }
    await page.setViewport({width: 1280, height: 800});
    const shown = () => page.$eval('#lessonPane', (e) => e.checkVisibility());
    await page.keyboard.press('F9');
    expectEqual(await shown(), false, 'hidden by F9');
    await page.click('.menu:has(#viewLessonPane) > button');
    await page.click('#viewLessonPane');
    expectEqual(await shown(), true, 'shown by View > Lesson Pane');
  });

  await check('BER contours lie over the receive eye; the Bathtub gives linelab-batch --bathtub\'s curves and moves the sliders to the best place', async () => {
    const settings = [['cmbScene', 'Noise'], ['cmbNoise', '0.003']];
    await fresh(page);
    for (const [name, value] of settings) await act(page, 'setText', name, value);
    const viewsWith = (test) => messageWhere(page, 'stat-views', test);
    const inked = () => page.evaluate(() => {
      const o = window.lineLab.panels.picRxEye.overlay;
      const d = o.getContext('2d').getImageData(0, 0, o.width, o.height).data;
      let n = 0;
      for (let i = 3; i < d.length; i += 4) if (d[i] > 0) n += 1;
      return n;
    });
    let views = await viewsWith('m.contours.length === 4');
    await page.click('.menu:has(#viewContours) > button');
    await page.click('#viewContours');
    await views();
    await settle(page);
    if ((await inked()) < 200) throw new Error(`the contours left ${await inked()} pixels`);
    views = await viewsWith('m.bathtub');
    await page.click('.menu:has(#toolsBathtub) > button');
    await page.click('#toolsBathtub');
    const m = await views();
    const args = settings.map(([n, v]) => `${n}=${v}`);
    const batch = runBatch(['--bathtub', ...args]);
    if (batch.status !== 0) throw new Error(batch.err);
    const rows = (text) => text.trim().split('\n').map((l) => l.split(','));
    const [mine, native] = [rows(m.csv), rows(batch.out)];
    expectEqual(mine.length, native.length, 'lines');
    for (let i = 0; i < native.length; ++i) {
      for (let j = 0; j < native[i].length; ++j) {
        const a = mine[i][j], b = native[i][j];
        const same = a === b || Math.abs(+a - +b) <= 1e-9 * Math.max(Math.abs(+a), Math.abs(+b));
        if (!same) throw new Error(`line ${i}: page ${mine[i]}, batch ${native[i]}`);
      }
    }
    const plots = await page.$$eval('#bathtubBox .uplot canvas', (c) => c.filter((x) => x.width > 100).length);
    expectEqual(plots, 2, 'plots');
    const best = Object.fromEntries(native.filter((r) => r[0].startsWith('best-')).map((r) => [r[0], +r[1]]));
    await page.click('#bathtubBest');
    await settle(page);
    const moved = await controlsOf(page);
    expectEqual(moved.hscSample.value, best['best-instant'], 'the sampling instant');
    const there = rows(runBatch(['--bathtub', ...args, `hscSample=${moved.hscSample.value}`,
                                 `vscThreshold=${moved.vscThreshold.value}`]).out);
    const inUse = +there.find((r) => r[0] === 'in-use-threshold')[1];
    if (Math.abs(inUse - best['best-threshold']) > 0.01)
      throw new Error(`the threshold went to ${inUse}, the best is ${best['best-threshold']}`);
    await page.$eval('#bathtubBox', (d) => d.close());
    await page.click('.menu:has(#viewContours) > button');
    await page.click('#viewContours');
    expectEqual(await inked(), 0, 'pixels left with the contours off');
  });

  await check('the BER Curve draws the chain\'s statistical curve, at each point linelab-batch --bathtub\'s data-bit rate', async () => {
    // Band edges and an echo, per-run noise and the thresholds as set: the chain as set, which
    // the bathtub of the batch tool reads at the noise level of each measured point.
    const settings = [['cmbScene', 'Full Channel'], ['cmbMod(0)', 'Polar (N)RZ'],
                      ['cmbMultipathDelay', '0.4'], ['cmbMultipathMag', '20']];
    await fresh(page);
    for (const [name, value] of settings) await act(page, 'setText', name, value);
    const statistical = await messageWhere(page, 'sweep-stat', 'true');
    const drawn = await page.evaluate(async () => {
      const curve = window.lineLabCurve;
      curve.show();
      const finished = window.lineLab.next('sweep-finished');
      curve.start({points: [4, 8, 12], minErrors: 30, maxBits: 400000, seed: 11, runner: 'folded',
                   noise: 'per-run', thresholds: 'as-set', workers: 2});
      await finished;
      return curve.current.id;
    });
    const m = await statistical();
    expectEqual([m.id, m.problem], [drawn, ''], 'the statistical curve');
    await settle(page);
    const shown = await page.evaluate(() => {
      const c = window.lineLabCurve.current;
      const u = window.lineLabCurve.plot;
      const s = u.series.findIndex((x) => x.label.startsWith('statistical'));
      return {label: s < 0 ? '' : u.series[s].label, dash: s < 0 ? null : u.series[s].dash,
              drawn: s < 0 ? 0 : u.data[s].filter((y) => y > 0).length, curve: c.label,
              legend: document.querySelector('#curvePlot .u-legend').textContent,
              points: c.points.map((p) => ({ebN0: p.ebN0dB, noise: p.noise, low: p.low, high: p.high}))};
    });
    expectEqual(shown.label, `statistical, the chain as set (fixed N0): ${shown.curve}`, 'legend entry');
    if (!shown.legend.includes(shown.label)) throw new Error('the legend does not name the curve');
    if (!shown.dash) throw new Error('the statistical curve is not dotted');
    expectEqual(shown.drawn, m.rate.length, 'samples drawn');
    if (m.rate.length !== 61) throw new Error(`${m.rate.length} samples over the range`);
    for (const p of shown.points) {
      const at = m.ebN0.findIndex((x) => Math.abs(x - p.ebN0) < 1e-9);
      if (at < 0) throw new Error(`no sample at ${p.ebN0} dB`);
      const r = runBatch(['--bathtub', ...settings.map(([n, v]) => `${n}=${v}`), `cmbNoise=${p.noise}`]);
      if (r.status !== 0) throw new Error(r.err);
      const native = +r.out.split('\n').find((l) => l.startsWith('in-use-instant,')).split(',')[3];
      if (!(Math.abs(m.rate[at] - native) <= 1e-9 * native))
        throw new Error(`at ${p.ebN0} dB the page has ${m.rate[at]}, the batch tool ${native}`);
      // Measured beside it: the prediction lies within the runs' interval, widened as the
      // desktop's check widens it for the clustering of data-bit errors.
      if (!(native > p.low / 2 && native < p.high * 2))
        throw new Error(`at ${p.ebN0} dB measured ${p.low} to ${p.high}, predicted ${native}`);
    }
    if (process.env.LINELAB_SHOTS) {
      const box = await page.$('#curveBox');
      await box.screenshot({path: path.join(process.env.LINELAB_SHOTS, 'page-statistical-ber-curve.png')});
    }
    await page.$eval('#curveBox', (d) => d.close());
  });

  // ---- the View options, from the module as the desktop has them ---------------------------
  // An option switched as a user switches it, from the View menu; the update that follows.
  async function viewOption(p, key, on) {
    const reply = await updateWhere(p, '(m.state.view.find((o) => o.key === arg[0]) || {}).on === arg[1]', [key, on]);
    if (on !== await p.$eval(`#view-${key}`, (b) => b.getAttribute('aria-checked') === 'true')) {
      await p.click(`.menu:has(#view-${key}) > button`);
      await p.click(`#view-${key}`);
    }
    const m = await reply();
    await settle(p);
    return m;
  }
  // What a panel's View overlay shows ('' for nothing) and how many of its pixels are inked.
  const overlayOf = (p, name) => p.evaluate((name) => {
    const o = window.lineLab.panels[name].view;
    if (!o) return {shows: '', inked: 0};
    const d = o.getContext('2d').getImageData(0, 0, o.width, o.height).data;
    let inked = 0;
    for (let i = 3; i < d.length; i += 4) if (d[i] > 0) inked += 1;
    return {shows: o.dataset.shows, inked, size: o.width * o.height};
  }, name);

  await check('View > Theory draws the module\'s curve over the spectrum it names, or the status line says why not', async () => {
    await fresh(page, 'Full Channel');
    await viewOption(page, 'theory', true);
    try {
      // What the worker last sent of the theory, as the page holds it to draw.
      const t = await page.evaluate(() => window.lineLabOverlay.theory);
      expectEqual([t.panel, t.hint, t.label, t.heights.length], ['picTxSpectrum', '', 'theory', 512], 'the theory');
      // Where the module puts the curve, the overlay is in the curve's colour.
      const missed = await page.evaluate((t) => {
        const o = window.lineLab.panels[t.panel].view;
        const ctx = o.getContext('2d');
        const want = [t.colour & 255, (t.colour >> 8) & 255, (t.colour >> 16) & 255];
        const wrong = [];
        for (let i = 20; i < t.heights.length; i += 37) {
          if (!(t.heights[i] > 0.05 && t.heights[i] < 0.95)) continue;
          const x = Math.round(o.width * i / t.heights.length), y = Math.round(o.height * t.heights[i]);
          const d = ctx.getImageData(x - 2, y - 2, 5, 5).data;
          let near = false;
          for (let k = 0; k < d.length; k += 4) {
            if (d[k + 3] > 100 && Math.abs(d[k] - want[0]) < 60 && d[k + 1] < 90 && d[k + 2] < 90) near = true;
          }
          if (!near) wrong.push(`${i}: ${t.heights[i]}`);
        }
        return wrong;
      }, t);
      if (missed.length) throw new Error(`the curve is not drawn at points ${missed.join(', ')}`);
      const shown = await overlayOf(page, 'picTxSpectrum');
      if (shown.shows !== 'theory') throw new Error(`the spectrum's overlay shows "${shown.shows}"`);
      if (process.env.LINELAB_SHOTS) await page.screenshot({path: path.join(process.env.LINELAB_SHOTS, 'page-view-theory.png')});
      // A scene with no spectrum: the module's hint in the status line, no curve anywhere.
      const hinted = await updateWhere(page, 'm.theory && m.theory.panel === null');
      await pickScene(page, 'Just Data');
      const h = (await hinted()).theory;
      if (!h.hint.startsWith('Theory: ')) throw new Error(`the hint reads "${h.hint}"`);
      expectEqual(await note(page), h.hint, 'the status line');
      expectEqual((await overlayOf(page, 'picTxSpectrum')).inked, 0, 'pixels left on the spectrum');
    } finally {
      await viewOption(page, 'theory', false);
    }
  });

  await check('View > Density eyes draws the eyes as density, the receive eye\'s markers on top', async () => {
    await fresh(page, 'Full Channel');
    await page.evaluate(() => window.lineLab.request({type: 'runs', n: 20}, 'runs-done').then(() => null));
    await settle(page);
    const eyes = ['picTxEye', 'picRxEye'];
    const before = await Promise.all(eyes.map((n) => overlayOf(page, n)));
    await viewOption(page, 'densityEyes', true);
    try {
      const m = await page.evaluate(() => window.lineLab.request({type: 'runs', n: 20}, 'runs-done')
        .then((m) => m.densities.map((d) => ({name: d.name, w: d.width, h: d.height, markers: d.markers ? d.markers.length : 0}))));
      await settle(page);
      expectEqual(m.map((d) => d.name).sort(), ['picChannelEye', 'picRxEye', 'picTxEye'].filter((n) => m.some((d) => d.name === n)).sort(), 'density eyes');
      for (const [i, name] of eyes.entries()) {
        const after = await overlayOf(page, name);
        if (before[i].inked !== 0 || after.shows !== 'density' || after.inked !== after.size)
          throw new Error(`${name}: before ${JSON.stringify(before[i])}, after ${JSON.stringify(after)}`);
      }
      if (!(m.find((d) => d.name === 'picRxEye').markers > 0)) throw new Error('the receive eye has no markers');
      // Not the line picture: mostly the black ground, with colours of the density ramp.
      const look = await page.evaluate(() => {
        const o = window.lineLab.panels.picRxEye.view;
        const d = o.getContext('2d').getImageData(0, 0, o.width, o.height).data;
        let dark = 0, coloured = 0;
        for (let k = 0; k < d.length; k += 4) {
          if (d[k] + d[k + 1] + d[k + 2] < 30) dark += 1;
          else if (Math.max(d[k], d[k + 1], d[k + 2]) - Math.min(d[k], d[k + 1], d[k + 2]) > 60) coloured += 1;
        }
        return {dark: dark / (d.length / 4), coloured};
      });
      if (!(look.dark > 0.4 && look.coloured > 100)) throw new Error(`the density eye looks ${JSON.stringify(look)}`);
      if (process.env.LINELAB_SHOTS) await page.screenshot({path: path.join(process.env.LINELAB_SHOTS, 'page-view-density.png')});
    } finally {
      await viewOption(page, 'densityEyes', false);
    }
    expectEqual((await overlayOf(page, 'picRxEye')).inked, 0, 'the density left after switching off');
  });

  await check('View > Eye opening: calipers over the receive eye with the batch tool\'s figures for a seeded run', async () => {
    const settings = [['cmbScene', 'Noise'], ['cmbNoise', '0.001']];
    await fresh(page);
    const figuresShown = () => page.evaluate(() => [...document.querySelectorAll('.readout.figures')].some((e) => e.checkVisibility() && e.textContent));
    if (await figuresShown()) throw new Error('the figures show with Eye opening off');
    await viewOption(page, 'eyeOpening', true);
    try {
      const eye = await page.evaluate((settings) => window.lineLab.request({
        type: 'runs', n: 60, fresh: true,
        steps: settings.map(([name, value]) => ({op: 'setText', name, value}))}, 'runs-done')
        .then((m) => m.eyeOpening), settings);
      await settle(page);
      const r = runBatch(['--runs', '60', ...settings.map(([n, v]) => `${n}=${v}`), '--dump', 'Eye']);
      if (r.status !== 0) throw new Error(r.err);
      const native = JSON.parse(r.out).Eye;
      for (const key of ['mean', 'sigma', 'height', 'width', 'q', 'predictedBER']) {
        const a = [eye.figures[key]].flat(), b = [native[key]].flat();
        const same = a.length === b.length && a.every((x, i) => x === b[i] || Math.abs(x - b[i]) <= 1e-9 * Math.abs(b[i]));
        if (!same) throw new Error(`${key}: page ${JSON.stringify(a)}, batch ${JSON.stringify(b)}`);
      }
      if (eye.spreads.length !== native.mean.length || eye.lines.length < native.mean.length + 3)
        throw new Error(`${eye.spreads.length} bands and ${eye.lines.length} lines for ${native.mean.length} levels`);
      const shown = await overlayOf(page, 'picRxEye');
      if (shown.shows !== 'calipers' || shown.inked < 50) throw new Error(`the eye's overlay: ${JSON.stringify(shown)}`);
      if (!(await figuresShown())) throw new Error('no figures beside the calipers');
      if (process.env.LINELAB_SHOTS) await page.screenshot({path: path.join(process.env.LINELAB_SHOTS, 'page-view-eye-opening.png')});
    } finally {
      await viewOption(page, 'eyeOpening', false);
    }
  });

  await check('the BER Curve: Manchester\'s dotted optimum, held curves\' theory, the legend in the PNG, the module\'s CSV', async () => {
    await fresh(page);
    const sweep = (options) => page.evaluate((options) => {
      const done = window.lineLab.next('sweep-finished');
      window.lineLabCurve.start(options);
      return done.then(() => null);
    }, options);
    const options = (seed) => ({points: [2, 5], minErrors: 20, maxBits: 200000, seed, runner: 'folded',
                                noise: 'fixed', thresholds: 'midway', workers: 2});
    await act(page, 'setText', 'cmbCode(0)', 'Manchester');
    await page.evaluate(() => window.lineLabCurve.show());
    await sweep(options(5));
    await page.click('#curveHold');
    await act(page, 'setText', 'cmbCode(0)', 'None');
    await sweep(options(6));
    await settle(page);
    const shown = await page.evaluate(() => {
      const u = window.lineLabCurve.plot;
      return u.series.slice(1).map((x, i) => ({label: x.label, dash: x.dash || null, stroke: x.stroke(),
                                               y: u.data[i + 1]}));
    });
    const ideal = shown.filter((x) => x.label.startsWith('ideal receiver (fixed N0, midway thresholds): '));
    const optimum = shown.filter((x) => x.label.startsWith('optimum receiver (full-bit correlation): '));
    if (ideal.length !== 2 || ideal[0].stroke === ideal[1].stroke)
      throw new Error(`ideal receiver lines: ${ideal.map((x) => x.label + ' ' + x.stroke).join('; ')}`);
    if (optimum.length !== 1 || !optimum[0].label.endsWith(', Manchester') || !optimum[0].dash ||
        optimum[0].stroke !== ideal[0].stroke)
      throw new Error(`the optimum: ${JSON.stringify(optimum.map((x) => [x.label, x.dash, x.stroke]))}`);
    // 3 dB better than the held curve's own receiver, wherever both are drawn.
    const both = optimum[0].y.map((y, i) => [y, ideal[0].y[i]]).filter(([a, b]) => a > 0 && b > 0);
    if (both.length < 50 || both.some(([a, b]) => !(a < b))) throw new Error('the optimum is not below the ideal curve');
    // The legend under the plot in the PNG, every entry the plot shows.
    const png = await page.evaluate(() => {
      const c = window.lineLabCurve;
      const picture = c.picture();
      const plot = c.plot.ctx.canvas;
      const d = picture.getContext('2d').getImageData(0, plot.height, picture.width, picture.height - plot.height).data;
      let ink = 0;
      for (let k = 0; k < d.length; k += 4) if (d[k] < 128) ink += 1;
      return {extra: picture.height - plot.height, ink, entries: c.legendEntries().map((e) => e.label)};
    });
    expectEqual(png.entries, shown.map((x) => x.label), 'the legend entries');
    if (!(png.extra >= 16 * shown.length && png.ink > 200 * shown.length)) throw new Error(`the PNG's legend: ${JSON.stringify(png)}`);
    // The CSV as the module joins the curves' lines: each curve's lines as linelab-batch
    // --sweep writes them (within what another maths library rounds), after its label.
    const joined = await messageWhere(page, 'curves-csv', 'true');
    const csv = await page.evaluate(() => window.lineLabCurve.csv());
    expectEqual((await joined()).text, csv, 'the CSV the module joined');
    const lines = csv.trim().split('\n');
    const header = runBatch(['--sweep', 'EbN0=2:3:5', '--min-errors', '20', '--max-bits', '200000', '--seed', '5',
                             'cmbCode(0)=Manchester']);
    if (header.status !== 0) throw new Error(header.err);
    const held = header.out.trim().split('\n');
    expectEqual(lines[0], `curve,${held[0]}`, 'the header');
    for (let i = 1; i < held.length; ++i) {
      const m = /^"((?:[^"]|"")*)",(.*)$/.exec(lines[i]);
      if (!m || !m[1].includes('Manchester')) throw new Error(`line ${i}: ${lines[i]}`);
      const a = m[2].split(','), b = held[i].split(',');
      const same = a.length === b.length && a.every((x, j) => x === b[j] || Math.abs(+x - +b[j]) <= 1e-12 * Math.abs(+b[j]));
      if (!same) throw new Error(`line ${i}: page ${m[2]}, batch ${held[i]}`);
    }
    expectEqual(lines.length, 1 + 2 * (held.length - 1), 'lines of two curves');
    if (process.env.LINELAB_SHOTS) {
      const box = await page.$('#curveBox');
      await box.screenshot({path: path.join(process.env.LINELAB_SHOTS, 'page-ber-curve-optimum.png')});
    }
    await page.click('#curveClear');
    await page.$eval('#curveBox', (d) => d.close());
  });

  await check('the accessibility check finds nothing serious in any scene', async () => {
    await page.addScriptTag({content: axeSource});
    const found = [];
    for (const scene of ['Just Data', 'Full Tx', 'Full Channel']) {
      await fresh(page, scene);
      const r = await page.evaluate(() => window.axe.run(document, {resultTypes: ['violations']}));
      for (const v of r.violations) {
        if (v.impact === 'serious' || v.impact === 'critical')
          found.push(`${scene}: ${v.id} (${v.nodes.slice(0, 3).map((n) => n.target.join(' ')).join(', ')})`);
      }
    }
    if (found.length) throw new Error(found.join('\n  '));
  });

  await check('after one visit the page, an example and the BER Curve work offline', async () => {
    const visit = await openPage();
    await visit.evaluate(() => navigator.serviceWorker.ready);
    // The second load is the one the worker controls; then the network goes.
    await visit.reload();
    await visit.waitForFunction(() => window.lineLab && window.lineLab.ready && navigator.serviceWorker.controller,
                                {timeout: 30000});
    await visit.setOfflineMode(true);
    try {
      await visit.reload();
      await visit.waitForFunction(() => window.lineLab && window.lineLab.ready, {timeout: 30000});
      await visit.waitForSelector('#examples button');
      await visit.click('.menu > button');
      await visit.click('#examples button');
      await visit.waitForFunction(() => document.getElementById('statusNote').textContent.includes('opened'),
                                  {timeout: 10000});
      const outcome = await visit.evaluate(() => {
        const done = window.lineLab.next('sweep-finished');
        window.lineLabCurve.start({points: [6], minErrors: 10, maxBits: 100000, seed: 3, runner: 'folded',
                                   noise: 'fixed', thresholds: 'midway', workers: 1});
        return done.then((m) => m.outcome);
      });
      expectEqual(outcome, 'finished', 'the sweep offline');
    } finally {
      await visit.setOfflineMode(false);
      await visit.close();
    }
  });
} finally {
  await browser.close();
  await server.close();
  fs.rmSync(scratch, {recursive: true, force: true});
}
console.log(failures ? `${failures} page test(s) failed` : 'every page test passed');
process.exit(failures ? 1 : 0);
