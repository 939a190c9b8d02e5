// The page: the window's controls and panels laid out from the form model's own tables
// (the controls, the chain's stage columns, the panel frames), events sent to the session's
// worker, and what it sends back applied: controls, panel drawings, messages, readouts.
'use strict';

const kMaxLessonBytes = 1024 * 1024;  // the desktop's limit; a larger file is refused there
const kMaxKeptCommands = 4e6;        // floats kept per panel to redraw it after a resize

const app = {
  worker: null,
  controls: {},   // name -> the control's last state from the worker
  elements: {},   // name -> the element showing it
  panels: {},     // picture name -> {canvas, log, width, height, index}
  names: [],      // picture names by index
  state: null,
  layout: null,
  ready: false,
  waiters: [],    // tests and the benchmark wait for worker replies
  note: '',
};
window.lineLab = app;

function send(message) {
  app.worker.postMessage(message);
}

function act(op, name, value) {
  send({type: 'action', op, name, value});
}

// ---- building the page from the tables ---------------------------------------------------
function el(tag, attrs = {}, ...children) {
  const e = document.createElement(tag);
  for (const [k, v] of Object.entries(attrs)) {
    if (k === 'class') e.className = v;
    else if (k.startsWith('on')) e.addEventListener(k.slice(2), v);
    else e.setAttribute(k, v);
  }
  for (const c of children) if (c != null) e.append(c);
  return e;
}

function makeList(name, c) {
  let e;
  if (c.editable) {
    // Typed text applies when the box is left or Enter is pressed, as on the desktop.
    const listId = 'items-' + name.replace(/[()]/g, '_');
    e = el('span', {class: 'combo'});
    const input = el('input', {type: 'text', list: listId, maxlength: '200',
                               'aria-label': name, 'data-name': name});
    input.addEventListener('change', () => act('setText', name, input.value));
    input.addEventListener('keydown', (ev) => { if (ev.key === 'Enter') input.blur(); });
    e.append(input, el('datalist', {id: listId}));
    e.input = input;
  } else {
    e = el('select', {'aria-label': name, 'data-name': name});
    e.addEventListener('change', () => act('pickItem', name, e.selectedIndex));
  }
  return e;
}

function makeControl(name) {
  const c = app.controls[name];
  if (!c) return null;
  let e = null;
  switch (c.kind) {
    case 'list': e = makeList(name, c); break;
    case 'check': {
      const box = el('input', {type: 'checkbox', 'data-name': name});
      box.addEventListener('click', (ev) => { ev.preventDefault(); act('click', name); });
      e = el('label', {class: 'check'}, box, el('span', {class: 'caption'}));
      e.box = box;
      break;
    }
    case 'slider': {
      e = el('input', {type: 'range', 'data-name': name, 'aria-label': name,
                       class: c.vertical ? 'vertical' : 'horizontal'});
      e.addEventListener('input', () => act('setValue', name, Number(e.value)));
      break;
    }
    case 'label':
      e = el('span', {class: 'label', 'data-name': name});
      if (name === 'lblBER') {
        e.classList.add('ber');
        e.addEventListener('click', () => act('click', name));
      }
      break;
    case 'button':
      e = el('button', {type: 'button', id: 'pause', 'data-name': name});
      e.addEventListener('click', () => act('click', name));
      break;
    case 'picture':
      e = makePanel(name);
      break;
    default:
      return null;
  }
  e.dataset.name = name;
  const tip = app.layout.tips[name];
  if (tip) e.title = tip;
  app.elements[name] = e;
  return e;
}

function makePanel(name) {
  const index = app.names.indexOf(name);
  const [w, h] = app.sizes[index];
  const canvas = el('canvas', {'data-name': name, role: 'img', 'aria-label': name});
  const wrap = el('div', {class: 'panel ' + (index < 8 ? 'strip' : index < 11 ? 'eye' : 'spectrum')},
                  el('div', {class: 'title'}), el('div', {class: 'side'}), canvas,
                  el('div', {class: 'axis'}), el('div', {class: 'off'}));
  wrap.style.aspectRatio = `${w} / ${h}`;
  canvas.addEventListener('click', () => act('click', name));
  app.panels[name] = {canvas, wrap, log: [], units: [w * 15, h * 15], index, kept: 0};
  new ResizeObserver(() => resizePanel(name)).observe(canvas);
  return wrap;
}

function build(layout) {
  const top = document.getElementById('topbar');
  for (const name of layout.top) {
    const e = makeControl(name);
    if (e) top.append(e);
  }
  const stages = document.getElementById('stages');
  const columns = {};
  for (const cell of layout.cells) {
    if (!columns[cell.stage]) {
      columns[cell.stage] = el('section', {class: 'stage', 'data-stage': cell.stage},
                               el('h2', {}, cell.stage));
      stages.append(columns[cell.stage]);
    }
    const box = el('div', {class: 'cell ' + cell.role});
    for (const row of cell.rows) {
      const line = el('div', {class: 'row'});
      for (const name of row) {
        const e = makeControl(name);
        if (!e) continue;
        if (cell.role === 'strips' && app.controls[name].kind === 'check') {
          // A strip's check box and its panel share one line.
          const pair = el('div', {class: 'pair'}, e);
          line.append(pair);
          continue;
        }
        if (cell.role === 'strips' && app.controls[name].kind === 'picture') {
          line.lastChild.append(e);
          continue;
        }
        line.append(e);
      }
      box.append(line);
    }
    if (cell.role === 'spectrum' && cell.stage === 'Channel') {
      const axis = el('div', {class: 'freqAxis row'});
      for (let i = 0; i < 9; ++i) axis.append(makeControl(`lblFreq(${i})`));
      box.firstChild.after(axis);
    }
    columns[cell.stage].append(box);
  }
  placeReadouts(layout.readouts);
}

// Each readout under the row of the control it measures, in the table's order.
function placeReadouts(readouts) {
  const last = {};  // per anchor, the element the next readout follows
  for (const r of readouts) {
    const anchor = app.elements[r.anchor];
    if (!anchor) continue;
    const e = el(r.look === 'figures' ? 'pre' : 'div', {id: r.name, class: `readout ${r.look}`});
    (last[r.anchor] || anchor.closest('.row') || anchor).after(e);
    last[r.anchor] = e;
  }
}

// ---- applying the worker's updates ---------------------------------------------------------
function applyControl(name, c) {
  app.controls[name] = Object.assign(app.controls[name] || {}, c);
  const e = app.elements[name];
  if (!e) return;
  const hidden = c.visible === false;
  const holder = app.panels[name] ? e : (e.closest && e.closest('.pair')) || e;
  holder.hidden = hidden;
  if (app.panels[name] && e.parentElement && e.parentElement.classList.contains('pair'))
    e.parentElement.hidden = hidden;
  switch (c.kind) {
    case 'list':
      if (e.input) {
        const list = e.querySelector('datalist');
        list.replaceChildren(...c.items.map((t) => el('option', {value: t})));
        if (document.activeElement !== e.input) e.input.value = c.text;
        // As wide as its longest item, as the desktop's box is.
        e.input.size = Math.max(4, ...c.items.map((t) => t.length), c.text.length) + 1;
      } else {
        e.replaceChildren(...c.items.map((t) => el('option', {}, t)));
        e.selectedIndex = c.items.indexOf(c.text);
      }
      break;
    case 'check':
      e.box.checked = c.value === 1;
      e.querySelector('.caption').textContent = c.caption;
      e.box.setAttribute('aria-label', app.layout.switches[name] || c.caption || name);
      e.style.color = bgr(c.colour);
      break;
    case 'slider':
      e.min = c.min; e.max = c.max; e.step = 1; e.value = c.value;
      break;
    case 'label':
      setText(e, c.caption);
      if (e.style.color !== bgr(c.colour)) e.style.color = bgr(c.colour);
      break;
    case 'button':
      setText(e, c.caption);
      break;
  }
}

// DOM writes only where the text changes: an unchanged write still costs a layout.
function setText(e, text) {
  if (e.textContent !== text) e.textContent = text;
}

function bgr(v) {
  v = v | 0;
  return `rgb(${v & 255},${(v >> 8) & 255},${(v >> 16) & 255})`;
}

// The axes as the desktop gives them: the values at the top and bottom edges with their unit,
// the marks (the receive eye's thresholds), the symbol periods across, the spectra's 0 to 4 kHz.
function axisLabels(f) {
  const fmt = (v) => String(Number(v.toPrecision(3)));
  const at = (cls, text, style = {}) => {
    const e = el('span', {class: cls}, text);
    Object.assign(e.style, style);
    return e;
  };
  const labels = [];
  if (f.values) {
    const {top, bottom, unit, marks} = f.values;
    const suffix = unit ? ` ${unit}` : '';
    labels.push(at('value top', fmt(top) + suffix), at('value bottom', fmt(bottom) + suffix));
    for (const m of marks) {
      const y = (top - m) / (top - bottom) * 100;
      if (y > 4 && y < 96) labels.push(at('mark', fmt(m), {top: `${y}%`}));
    }
  }
  if (f.symbols > 0) labels.push(at('symbols', `${fmt(f.symbols)} symbols across`));
  if (f.kHz) labels.push(at('khz', '0 to 4 kHz across'));
  return labels;
}

function applyFrames(frames) {
  for (const [name, f] of Object.entries(frames)) {
    const p = app.panels[name];
    if (!p) continue;
    const axis = p.wrap.querySelector('.axis');
    const key = JSON.stringify([f.values, f.symbols, f.kHz]);
    if (axis.dataset.key !== key) {
      axis.dataset.key = key;
      axis.replaceChildren(...axisLabels(f));
    }
    setText(p.wrap.querySelector('.title'), f.title);
    setText(p.wrap.querySelector('.side'), f.side);
    setText(p.wrap.querySelector('.off'), f.off);
    if (p.wrap.classList.contains('isOff') !== (f.off !== '')) p.wrap.classList.toggle('isOff');
  }
}

function draw(p, commands, fresh) {
  const ctx = p.canvas.getContext('2d');
  const sx = p.canvas.width / p.units[0];
  const sy = p.canvas.height / p.units[1];
  ctx.lineWidth = Math.max(1, window.devicePixelRatio || 1);
  let path = false;
  const flush = () => { if (path) { ctx.stroke(); path = false; } };
  for (let i = 0; i < commands.length;) {
    const op = commands[i];
    if (op === 0) {
      flush();
      ctx.fillStyle = '#fff';
      ctx.fillRect(0, 0, p.canvas.width, p.canvas.height);
      if (!fresh) p.log = [];
      i += 1;
    } else if (op === 1) {
      flush();
      ctx.strokeStyle = bgr(commands[i + 1]);
      i += 2;
    } else {
      if (!path) { ctx.beginPath(); path = true; }
      ctx.moveTo(commands[i + 1] * sx, commands[i + 2] * sy);
      ctx.lineTo(commands[i + 3] * sx, commands[i + 4] * sy);
      i += 5;
    }
  }
  flush();
}

function keep(p, commands) {
  // What the panel shows since its last clear, to draw it again at a new size.
  let start = 0;
  for (let i = 0; i < commands.length;) {
    const op = commands[i];
    if (op === 0) start = i;
    i += op === 0 ? 1 : op === 1 ? 2 : 5;
  }
  if (start > 0 || commands[0] === 0) { p.log = []; p.kept = 0; }
  if (p.kept + commands.length - start > kMaxKeptCommands) { p.log = [new Float32Array([0])]; p.kept = 1; }
  p.log.push(start ? commands.subarray(start) : commands);
  p.kept += commands.length - start;
}

function resizePanel(name) {
  const p = app.panels[name];
  const ratio = window.devicePixelRatio || 1;
  const w = Math.max(1, Math.round(p.canvas.clientWidth * ratio));
  const h = Math.max(1, Math.round(p.canvas.clientHeight * ratio));
  if (p.canvas.width === w && p.canvas.height === h) return;
  p.canvas.width = w;
  p.canvas.height = h;
  const ctx = p.canvas.getContext('2d');
  ctx.fillStyle = '#fff';
  ctx.fillRect(0, 0, w, h);
  for (const commands of p.log) draw(p, commands, true);
}

function applyState(s) {
  app.state = s;
  app.layout.readouts.forEach((r, i) => {
    const e = document.getElementById(r.name);
    const shown = s.readouts[i];
    if (!e || !shown) return;
    setText(e, shown.text);
    if (e.title !== shown.detail) e.title = shown.detail;
  });
  const berShown = app.controls.lblBER && app.controls.lblBER.visible;
  let run = 'Paused';
  if (s.timer.enabled) run = s.timer.interval >= 1000 ? 'Slow' : 'Running';
  if (s.timer.enabled && s.fast) run = 'Fast';
  setText(document.getElementById('statusRun'), run);
  setText(document.getElementById('statusRate'), `${s.rate.toFixed(1)} runs/s`);
  setText(document.getElementById('statusRuns'), berShown ? `BER over ${s.berRuns} runs` : '');
  document.getElementById('runFast').checked = s.fast;
  if (document.body.classList.contains('compact') !== s.compact) document.body.classList.toggle('compact');
}

function showNote(text) {
  app.note = text;
  document.getElementById('statusNote').textContent = text;
  clearTimeout(showNote.timer);
  showNote.timer = setTimeout(() => { document.getElementById('statusNote').textContent = ''; }, 10000);
}

const messageQueue = [];
function showMessage(text, title = 'LineLab', fromModel = false) {
  messageQueue.push({text, title, fromModel});
  if (messageQueue.length === 1) nextMessage();
}
function nextMessage() {
  const m = messageQueue[0];
  if (!m) return;
  const box = document.getElementById('messageBox');
  document.getElementById('messageTitle').textContent = m.title;
  document.getElementById('messageText').textContent = m.text;
  box.showModal();
}
document.getElementById('messageBox').addEventListener('close', () => {
  const m = messageQueue.shift();
  if (m && m.fromModel) send({type: 'message-closed'});
  nextMessage();
});

function onUpdate(m) {
  for (const [name, c] of Object.entries(m.changed)) applyControl(name, c);
  applyFrames(m.frames);
  const t0 = performance.now();
  for (const panel of m.panels) {
    const name = app.names[panel.index];
    const p = app.panels[name];
    draw(p, panel.commands, false);
    keep(p, panel.commands);
  }
  app.drawMs = (app.drawMs || 0) + performance.now() - t0;
  applyState(m.state);
  for (const msg of m.messages) showMessage(msg.text, 'LineLab', true);
  if (m.ok === false && m.op === 'setText') {
    showNote(`"${String(m.name)}" does not take that text`);
    applyControl(m.name, app.controls[m.name]);
  }
  if (m.lesson) lessonOpened(m.lesson);
}

function onMessage(e) {
  const m = e.data;
  if (m.type === 'ready') {
    app.layout = m.layout;
    app.sizes = m.sizes;
    app.names = Object.keys(m.frames);
    for (const [name, c] of Object.entries(m.controls)) app.controls[name] = c;
    build(m.layout);
    for (const [name, c] of Object.entries(m.controls)) applyControl(name, c);
    applyFrames(m.frames);
    applyState(m.state);
    document.getElementById('chain').setAttribute('aria-busy', 'false');
    app.ready = true;
    startFromLink();
  } else if (m.type === 'update') {
    onUpdate(m);
    if (!app.firstFrame && m.panels.length) {
      app.firstFrame = performance.now();
      document.body.dataset.firstFrame = String(app.firstFrame);
    }
  } else if (m.type === 'runs-done') {
    onUpdate(m);
  } else if (m.type === 'lesson-text') {
    lessonText(m);
  } else if (m.type.startsWith('sweep-') && window.lineLabCurve) {
    window.lineLabCurve.onMessage(m);
  }
  for (const w of app.waiters.slice()) {
    if (w.type === m.type) {
      app.waiters.splice(app.waiters.indexOf(w), 1);
      w.resolve(m);
    }
  }
}

// A reply of this type from the worker (the tests and the benchmark use it).
app.next = (type) => new Promise((resolve) => app.waiters.push({type, resolve}));
app.request = (message, replyType) => {
  const p = app.next(replyType);
  send(message);
  return p;
};
app.send = send;

// ---- lessons ---------------------------------------------------------------------------------
function openLessonText(text, name, source) {
  send({type: 'lesson-open', text, name, source});
}

function lessonOpened(l) {
  if (l.problem) {
    showMessage(l.problem, 'Open Lesson');
  } else {
    showNote(`Lesson ${l.name} opened`);
  }
}

async function openLessonFile(file) {
  if (!file) return;
  // A file past the limit is refused by the session, which needs only to see that it is;
  // the rest is never read.
  const text = await file.slice(0, kMaxLessonBytes + 1).text();
  openLessonText(text, file.name, 'file');
}

function lessonText(m) {
  if (m.purpose === 'share') {
    const link = `${location.origin}${location.pathname}#lesson=${encodeLink(m.text)}`;
    navigator.clipboard.writeText(link).then(
      () => showNote('Share link copied'),
      () => showMessage(link, 'Share link'));
    app.lastLink = link;
    return;
  }
  const blob = new Blob([m.text], {type: 'application/json'});
  const a = el('a', {href: URL.createObjectURL(blob), download: 'lesson.json'});
  document.body.append(a);
  a.click();
  a.remove();
  setTimeout(() => URL.revokeObjectURL(a.href), 10000);
  app.lastSaved = m.text;
}

function encodeLink(text) {
  const bytes = new TextEncoder().encode(text);
  let binary = '';
  for (const b of bytes) binary += String.fromCharCode(b);
  return btoa(binary).replace(/\+/g, '-').replace(/\//g, '_').replace(/=+$/, '');
}

function decodeLink(text) {
  const b64 = text.replace(/-/g, '+').replace(/_/g, '/');
  const binary = atob(b64 + '==='.slice((b64.length + 3) % 4));
  return new TextDecoder().decode(Uint8Array.from(binary, (c) => c.charCodeAt(0)));
}

// A lesson in the link's fragment opens at start and whenever the fragment changes.
function startFromLink() {
  const hash = location.hash;
  if (!hash.startsWith('#lesson=')) return;
  let text;
  try {
    text = decodeLink(hash.slice('#lesson='.length));
  } catch (e) {
    showMessage('link: the lesson in this link is damaged and cannot be read', 'Open Lesson');
    return;
  }
  openLessonText(text, 'link', 'link');
}
window.addEventListener('hashchange', () => app.ready && startFromLink());

async function loadExamples() {
  const holder = document.getElementById('examples');
  try {
    const names = await (await fetch('lessons/index.json')).json();
    for (const name of names) {
      const b = el('button', {type: 'button', role: 'menuitem'}, `Example: ${name.replace(/\.json$/, '')}`);
      b.addEventListener('click', async () => {
        const text = await (await fetch('lessons/' + encodeURIComponent(name))).text();
        openLessonText(text, name, 'example');
      });
      holder.append(b);
    }
  } catch (e) {
    // No examples served: the menu simply has none.
  }
}

// ---- menus, shortcuts, drag and drop ---------------------------------------------------------
function showHelp(title, text) {
  document.getElementById('helpTitle').textContent = title;
  const box = document.getElementById('helpText');
  box.replaceChildren(...text.split('\n').map((p) => el('p', {}, p)));
  document.getElementById('helpBox').showModal();
}

function typing(target) {
  return target && (target.tagName === 'INPUT' && target.type === 'text' ||
                    target.tagName === 'TEXTAREA' || target.tagName === 'SELECT');
}

function wire() {
  const on = (id, f) => document.getElementById(id).addEventListener('click', f);
  on('fileOpen', () => document.getElementById('lessonFile').click());
  document.getElementById('lessonFile').addEventListener('change', (e) => {
    openLessonFile(e.target.files[0]);
    e.target.value = '';
  });
  on('fileSave', () => send({type: 'lesson-save', purpose: 'download'}));
  on('fileShare', () => send({type: 'lesson-save', purpose: 'share'}));
  on('fileReset', () => { act('reset'); showNote('Back to the start-up settings'); });
  on('runPause', () => act('click', 'cmdPause'));
  document.getElementById('runFast').addEventListener('change', (e) => send({type: 'fast', on: e.target.checked}));
  on('toolsCurve', () => window.lineLabCurve && window.lineLabCurve.show());
  on('helpInstructions', () => showHelp('LineLab Instructions', app.layout.instructions));
  on('helpAbout', () => showHelp('About LineLab', app.layout.about));
  document.addEventListener('keydown', (e) => {
    if (!app.ready || document.querySelector('dialog[open]')) return;
    const ctrl = e.ctrlKey || e.metaKey;
    if (e.key === ' ' && !ctrl && !typing(e.target) && e.target.tagName !== 'BUTTON') {
      e.preventDefault();
      act('click', 'cmdPause');
    } else if (ctrl && e.key.toLowerCase() === 'o') {
      e.preventDefault(); document.getElementById('lessonFile').click();
    } else if (ctrl && e.key.toLowerCase() === 's') {
      e.preventDefault(); send({type: 'lesson-save', purpose: 'download'});
    } else if (ctrl && e.key.toLowerCase() === 'b') {
      e.preventDefault(); window.lineLabCurve && window.lineLabCurve.show();
    } else if (e.key === 'F1') {
      e.preventDefault(); showHelp('LineLab Instructions', app.layout.instructions);
    }
  });
  const hint = document.getElementById('dropHint');
  document.addEventListener('dragover', (e) => { e.preventDefault(); hint.hidden = false; });
  document.addEventListener('dragleave', (e) => { if (!e.relatedTarget) hint.hidden = true; });
  document.addEventListener('drop', (e) => {
    e.preventDefault();
    hint.hidden = true;
    openLessonFile(e.dataTransfer.files[0]);
  });
  for (const menu of document.querySelectorAll('.menu')) {
    menu.firstElementChild.addEventListener('click', () => menu.classList.toggle('open'));
    menu.addEventListener('mouseleave', () => menu.classList.remove('open'));
    menu.querySelector('.items').addEventListener('click', () => menu.classList.remove('open'));
  }
}

app.worker = new Worker('session-worker.js');
app.worker.onmessage = onMessage;
app.worker.onerror = (e) => showMessage(`The simulation stopped: ${e.message}`);
app.openLessonText = openLessonText;
app.decodeLink = decodeLink;
app.encodeLink = encodeLink;
wire();
loadExamples();
