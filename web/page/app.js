// The page: the window's controls and panels laid out from the form model's own tables
// (the controls, the chain's stage columns, the panel frames), events sent to the session's
// worker, and what it sends back applied: controls, panel drawings, messages, readouts.
'use strict';

const kMaxLessonBytes = 1024 * 1024;  // the desktop's limit; a larger file is refused there
const kMaxKeptCommands = 4e6;        // floats kept per panel to redraw it after a resize
const kDoubleClickMs = 400;          // a click on a picture acts once no double click can follow

const app = {
  worker: null,
  controls: {},   // name -> the control's last state from the worker
  elements: {},   // name -> the element showing it
  panels: {},     // picture name -> {canvas, log, width, height}
  state: null,
  layout: null,
  ready: false,
  waiters: [],    // tests and the benchmark wait for worker replies
  note: '',
  lesson: null,   // the lesson pane's texts and position, as the session gives them
  contours: false,
  statViews: null,  // the statistical eye's views last worked out
  paneShown: false,
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

// Saves a blob as a file through the browser's download.
function downloadBlob(blob, file) {
  const a = el('a', {href: URL.createObjectURL(blob), download: file});
  document.body.append(a);
  a.click();
  a.remove();
  setTimeout(() => URL.revokeObjectURL(a.href), 10000);
}

// Arrow keys, Home and End move the focus through a menu's items; true when the key was one.
function moveMenuFocus(e, list) {
  const at = list.indexOf(document.activeElement);
  let next;
  if (e.key === 'ArrowDown' || e.key === 'ArrowUp') {
    next = list[(at + (e.key === 'ArrowDown' ? 1 : list.length - 1)) % list.length];
  } else if (e.key === 'Home' || e.key === 'End') {
    next = list[e.key === 'Home' ? 0 : list.length - 1];
  } else {
    return false;
  }
  e.preventDefault();
  next.focus();
  return true;
}

function makeList(name, c) {
  let e;
  if (c.editable) {
    // Typed text applies when the box is left or Enter is pressed, as on the desktop; the
    // arrow beside it lists every item whatever is typed.
    e = el('span', {class: 'combo'});
    const input = el('input', {type: 'text', maxlength: String(app.layout.maxText),
                               'data-name': name, autocomplete: 'off'});
    const pick = el('select', {class: 'pick', 'data-name': name});
    input.addEventListener('input', () => {
      input.editing = true;
      if (input.value.length >= app.layout.maxText)
        showNote(`A box takes at most ${app.layout.maxText} characters`);
    });
    input.addEventListener('change', () => {
      input.editing = false;
      act('setText', name, input.value);
    });
    input.addEventListener('keydown', (ev) => {
      if (ev.key === 'Enter') input.blur();
      if (ev.key === 'Escape') {
        input.editing = false;
        input.value = app.controls[name].text;
      }
    });
    input.addEventListener('blur', () => { input.editing = false; });
    // No item stays selected in the arrow's list, so picking the current one again is a pick.
    pick.addEventListener('change', () => {
      const index = pick.selectedIndex;
      pick.selectedIndex = -1;
      input.editing = false;
      if (index >= 0) act('pickItem', name, index);
    });
    e.append(input, pick);
    e.input = input;
    e.pick = pick;
  } else {
    e = el('select', {'data-name': name});
    e.addEventListener('change', () => act('pickItem', name, e.selectedIndex));
  }
  return e;
}

// Every control is announced by the label a user sees beside it (the model names them).
function setLabel(e, label) {
  if (label && e.getAttribute('aria-label') !== label) e.setAttribute('aria-label', label);
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
      e = el('input', {type: 'range', 'data-name': name,
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
  const {kind, width: w, height: h} = app.layout.panels[name];
  const canvas = el('canvas', {'data-name': name, role: 'img', tabindex: '0'});
  // A strip's name stands beside its picture, never on it where traces cross it.
  const wrap = el('div', {class: 'panel ' + kind},
                  el('div', {class: 'title'}), el('div', {class: 'side'}), canvas,
                  el('div', {class: 'axis'}), el('div', {class: 'off'}));
  canvas.style.setProperty('--ratio', `${w} / ${h}`);
  // A double click (the panel shown large, large.js) must not also clear an eye or restart
  // a spectrum: a click acts once the time for a second one has passed.
  canvas.addEventListener('click', (e) => {
    const p = app.panels[name];
    clearTimeout(p.clickTimer);
    if (e.detail < 2) p.clickTimer = setTimeout(() => act('click', name), kDoubleClickMs);
  });
  app.panels[name] = {canvas, wrap, log: [], units: [w * 15, h * 15], kept: 0};
  if (name === 'picRxEye') {
    // The BER contours, drawn over the receive eye in its own scale.
    const overlay = el('canvas', {class: 'overlay', 'aria-hidden': 'true'});
    canvas.after(overlay);
    app.panels[name].overlay = overlay;
  }
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
    // Labels spread under a picture of the cell's first row (the channel spectrum's kHz).
    for (const a of layout.axes) {
      if (!cell.rows.length || !cell.rows[0].includes(a.picture)) continue;
      const axis = el('div', {class: 'freqAxis row'});
      for (const name of a.labels) axis.append(makeControl(name));
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
  if (e.hidden !== (c.visible === false)) app.shownChanged = true;
  e.hidden = c.visible === false;
  const pair = e.parentElement && e.parentElement.classList.contains('pair') ? e.parentElement : null;
  if (pair) pair.hidden = [...pair.children].every((x) => x.hidden);
  setLabel(c.kind === 'picture' ? app.panels[name].canvas : e.input || e.box || e, c.label);
  if (e.pick) setLabel(e.pick, c.label && `${c.label}: choices`);
  switch (c.kind) {
    case 'list':
      if (e.input) {
        if (!sameItems(e.pick, c.items)) {
          e.pick.replaceChildren(...c.items.map((t) => el('option', {}, t)));
          e.pick.selectedIndex = -1;
        }
        // What is in effect, unless the user is typing in the box this moment.
        if (!e.input.editing && e.input.value !== c.text) e.input.value = c.text;
        // As wide as its longest item, as the desktop's box is: a long typed text scrolls.
        e.input.size = Math.max(4, ...c.items.map((t) => t.length)) + 1;
      } else {
        e.replaceChildren(...c.items.map((t) => el('option', {}, t)));
        e.selectedIndex = c.items.indexOf(c.text);
      }
      break;
    case 'check':
      e.box.checked = c.value === 1;
      e.querySelector('.caption').textContent = c.caption;
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

function sameItems(select, items) {
  return select.options.length === items.length && items.every((t, i) => select.options[i].text === t);
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
    p.frame = f;  // what a picture drawn elsewhere (large, exported) labels itself with
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
  // One screen pixel at any zoom: wider (fractional) lines cost far more to draw.
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

// Canvas pixels per CSS pixel of the layout: the screen's, times the page's zoom (zoom.js).
function pixelRatio() {
  return (window.devicePixelRatio || 1) * (app.zoom || 1);
}

function resizePanel(name) {
  const p = app.panels[name];
  const ratio = pixelRatio();
  const w = Math.max(1, Math.round(p.canvas.clientWidth * ratio));
  const h = Math.max(1, Math.round(p.canvas.clientHeight * ratio));
  if (p.canvas.width === w && p.canvas.height === h) return;
  p.canvas.width = w;
  p.canvas.height = h;
  const ctx = p.canvas.getContext('2d');
  ctx.fillStyle = '#fff';
  ctx.fillRect(0, 0, w, h);
  for (const commands of p.log) draw(p, commands, true);
  if (window.lineLabOverlay && p.view) window.lineLabOverlay.redraw(name);
  if (p.overlay) drawContours();
}

// ---- the statistical eye's views: View > BER contours (the bathtub is bathtub.js) ---------
function askStatistics() {
  send({type: 'stat-views', contours: app.contours,
        bathtub: !!(window.lineLabBathtub && window.lineLabBathtub.open())});
}
app.askStatistics = askStatistics;
app.showNote = (text) => showNote(text);

function setContours(on) {
  app.contours = on;
  document.getElementById('viewContours').setAttribute('aria-checked', String(on));
  askStatistics();
  drawContours();
}

// The contours as the session's module placed them, in the eye's drawing units; each
// labelled where the module says, the status at the top.
function drawContours() {
  const p = app.panels.picRxEye;
  if (!p || !p.overlay) return;
  const o = p.overlay;
  const w = p.canvas.width, h = p.canvas.height;
  if (o.width !== w || o.height !== h) { o.width = w; o.height = h; }
  const ctx = o.getContext('2d');
  ctx.clearRect(0, 0, w, h);
  if (!app.contours) return;
  const v = app.statViews;
  const r = pixelRatio();
  const sx = w / p.units[0], sy = h / p.units[1];
  ctx.font = `${10 * r}px system-ui, sans-serif`;
  ctx.textBaseline = 'middle';
  let status = 'BER contours';
  if (!v) status += ': working';
  else if (v.problem) status += `: ${v.problem}`;
  const placed = [];  // the labels drawn: [x, width, y]
  for (const c of (v && v.contours) || []) {
    ctx.strokeStyle = c.colour;
    ctx.lineWidth = 1.3 * r;
    ctx.beginPath();
    const s = c.segments;
    for (let i = 0; i + 3 < s.length; i += 4) {
      ctx.moveTo(s[i] * sx, s[i + 1] * sy);
      ctx.lineTo(s[i + 2] * sx, s[i + 3] * sy);
    }
    ctx.stroke();
    if (c.labelAt) {
      const x = c.labelAt[0] * sx;
      const width = ctx.measureText(c.label).width + 4 * r;
      // Where the lines lie together (little noise) their labels stand one under another.
      let y = c.labelAt[1] * sy;
      while (placed.some((b) => Math.abs(b[0] - x) < (b[1] + width) / 2 && Math.abs(b[2] - y) < 12 * r)) y += 12 * r;
      placed.push([x, width, y]);
      ctx.fillStyle = 'rgba(255,255,255,0.8)';
      ctx.fillRect(x - width / 2, y - 6 * r, width, 12 * r);
      ctx.fillStyle = c.colour;
      ctx.textAlign = 'center';
      ctx.fillText(c.label, x, y);
    }
  }
  // The status under the eye's top value, on a ground of its own.
  const width = ctx.measureText(status).width + 4 * r;
  ctx.fillStyle = 'rgba(255,255,255,0.85)';
  ctx.fillRect(w - 2 * r - width, 16 * r, width, 12 * r);
  ctx.fillStyle = '#c80000';
  ctx.textAlign = 'right';
  ctx.fillText(status, w - 4 * r, 22 * r);
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
  setText(document.getElementById('statusRun'), s.status.run);
  setText(document.getElementById('statusRate'), s.status.rate);
  setText(document.getElementById('statusRuns'), s.status.runs);
  document.getElementById('runFast').setAttribute('aria-checked', String(s.fast));
  if (document.body.classList.contains('compact') !== s.compact) {
    document.body.classList.toggle('compact');
    arrange(s.compact);
  }
}

// In the compact scenes a few controls stand beside another stage's panel (the eye scale
// beside the channel eye, the spectrum range beside the channel spectrum), as the model's
// compact table says; in the full layout they go back to their own cells.
function arrange(compact) {
  for (const cell of app.layout.compact) {
    const anchor = app.elements[cell.rows[0]];
    const row = anchor && anchor.closest('.row');
    if (!row) continue;
    for (const name of cell.beside) {
      const e = app.elements[name];
      if (!e) continue;
      if (!e.home) e.home = {parent: e.parentElement, next: e.nextSibling};
      if (compact) row.append(e);
      else e.home.parent.insertBefore(e, e.home.next);
    }
  }
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
  // A lesson or a reset sets every box, a half-typed one too.
  if (m.lesson || m.op === 'reset') {
    for (const e of Object.values(app.elements)) if (e.input) e.input.editing = false;
  }
  for (const [name, c] of Object.entries(m.changed)) applyControl(name, c);
  applyFrames(m.frames);
  const t0 = performance.now();
  for (const panel of m.panels) {
    const p = app.panels[panel.name];
    draw(p, panel.commands, false);
    keep(p, panel.commands);
  }
  app.drawMs = (app.drawMs || 0) + performance.now() - t0;
  applyState(m.state);
  // The View options' pictures over the panels (overlay.js).
  if (window.lineLabOverlay) window.lineLabOverlay.update(m);
  if (app.onDrawn) app.onDrawn(m);  // the panel shown large
  for (const msg of m.messages) showMessage(msg.text, 'LineLab', true);
  if (m.ok === false && m.op === 'setText') {
    showNote(`${app.controls[m.name].label || m.name} does not take that text`);
  }
  if (m.note) showNote(m.note);
  // The box shows what is in effect after a refused or rewritten text too.
  if (m.op === 'setText' && app.controls[m.name]) applyControl(m.name, app.controls[m.name]);
  if (m.lesson) lessonOpened(m.lesson);
  if (m.step) stepShown(m.step);
  // The room the pane stands in moves when the scene or what it shows changes.
  if (app.paneShown && (m.state.scene !== app.paneScene || app.shownChanged)) placePane();
  app.shownChanged = false;
}

function onMessage(e) {
  const m = e.data;
  if (m.type === 'ready') {
    app.layout = m.layout;
    for (const [name, c] of Object.entries(m.controls)) app.controls[name] = c;
    build(m.layout);
    arrange(m.state.compact);
    for (const [name, c] of Object.entries(m.controls)) applyControl(name, c);
    applyFrames(m.frames);
    applyState(m.state);
    document.getElementById('chain').setAttribute('aria-busy', 'false');
    app.ready = true;
    startFromLink();
  } else if (m.type === 'update') {
    // Drawn (or failed): the worker may send the next; it holds the ticks' updates until then.
    try {
      onUpdate(m);
    } finally {
      send({type: 'drawn'});
    }
    if (!app.firstFrame && m.panels.length) {
      app.firstFrame = performance.now();
      document.body.dataset.firstFrame = String(app.firstFrame);
      window.dispatchEvent(new Event('linelab-first-frame'));
    }
  } else if (m.type === 'runs-done') {
    try {
      onUpdate(m);
    } finally {
      send({type: 'drawn'});
    }
  } else if (m.type === 'stat-views') {
    app.statViews = m;
    drawContours();
    if (window.lineLabBathtub) window.lineLabBathtub.update(m);
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
function openLessonText(text, name, source, step = '') {
  send({type: 'lesson-open', text, name, source, step});
}

function lessonOpened(l) {
  if (l.problem) {
    showMessage(l.problem, 'Open Lesson');
    return;
  }
  showNote(`Lesson ${l.name} opened`);
  setPane(l.pane);
  // A guided lesson shows its pane; a plain one leaves it as the user had it.
  if (l.pane.steps.length) showPane(true);
}

function stepShown(s) {
  if (s.problem) showMessage(s.problem, 'Lesson');
  setPane(s.pane);
}

// ---- the lesson pane: the session's guided lesson, drawn -----------------------------------
function setPane(pane) {
  app.lesson = pane;
  const at = pane.position;
  const step = at > 0 ? pane.steps[at - 1] : null;
  const $ = (id) => document.getElementById(id);
  setText($('lessonHeading'), pane.title || 'Lesson');
  const names = ['Introduction', ...pane.steps.map((x, i) => `${i + 1}. ${x.title}`)];
  const list = $('lessonSteps');
  if (!sameItems(list, names)) list.replaceChildren(...names.map((t) => el('option', {}, t)));
  list.selectedIndex = at;
  list.disabled = !pane.steps.length;
  setText($('lessonStepTitle'), step ? step.title : '');
  $('lessonStepTitle').hidden = !step || !step.title;
  const text = step ? step.text : pane.introduction;
  setText($('lessonText'), text || (pane.steps.length || pane.title ? '' :
    'Open a guided lesson (File > Examples) to follow its steps here.'));
  setText($('lessonQuestion'), step ? step.question : '');
  $('lessonQuestion').hidden = !step || !step.question;
  setText($('lessonAnswer'), step ? step.answer : '');
  // The answer stays hidden until asked for, at every visit of its step.
  $('lessonAnswer').hidden = true;
  $('lessonShowAnswer').hidden = !step || !step.answer;
  $('lessonBody').scrollTop = 0;
  const last = pane.steps.length;
  for (const [id, off] of [['lessonPrevious', at === 0], ['viewPreviousStep', at === 0],
                           ['lessonNext', at >= last], ['viewNextStep', at >= last]]) {
    $(id).disabled = off;
  }
}

// The pane stands in the room the chain leaves: in a stage column the scene leaves mostly
// empty (the channel's in Noise), else at the foot of the output column (the last shown),
// under the BER. The pictures keep theirs.
const kPaneRoom = 220;  // px a column must leave free to take the pane whole
function placePane() {
  const pane = document.getElementById('lessonPane');
  app.paneScene = app.state && app.state.scene;
  // Stacked (a tablet held upright) it leads the page, where the pictures follow it.
  if (window.matchMedia('(max-width: 900px)').matches) {
    const all = document.getElementById('stages');
    pane.classList.remove('inRoom');
    pane.style.top = '';
    if (all.firstElementChild !== pane) all.prepend(pane);
    return;
  }
  pane.hidden = true;  // the columns measured without it
  const stages = [...document.querySelectorAll('#stages > .stage')].filter((x) => x.checkVisibility());
  let home = stages[stages.length - 1];
  let room = null;  // where in `home` the free room starts, px from its top
  let most = kPaneRoom;
  for (const stage of stages) {
    // What it shows, not its cells and rows: a picture's keep their stretch when the scene
    // hides what they hold.
    const parts = [...stage.querySelectorAll(':scope > h2, [data-name], .readout')]
      .filter((x) => !pane.contains(x) && x.checkVisibility());
    const box = stage.getBoundingClientRect();
    const used = Math.max(box.top, ...parts.map((x) => x.getBoundingClientRect().bottom));
    if (box.bottom - used > most) {
      most = box.bottom - used;
      home = stage;
      room = used - box.top;
    }
  }
  // In a column's free room it lies over that room and moves nothing; at the output
  // column's foot it takes what the strips leave.
  pane.classList.toggle('inRoom', room !== null);
  pane.style.top = room !== null ? `${Math.round(room / (app.zoom || 1) + 6)}px` : '';
  pane.hidden = !app.paneShown;
  if (home && pane.parentElement !== home) home.append(pane);
}
window.addEventListener('resize', () => app.paneShown && placePane());

function showPane(shown) {
  app.paneShown = shown;
  const pane = document.getElementById('lessonPane');
  pane.hidden = !shown;
  document.getElementById('viewLessonPane').setAttribute('aria-checked', String(shown));
  if (shown) {
    if (!app.lesson) setPane({title: '', introduction: '', steps: [], position: 0});
    placePane();
  }
}

function goToStep(position) {
  if (!app.lesson || position < 0 || position > app.lesson.steps.length) return;
  send({type: 'lesson-step', position});
}
app.goToStep = goToStep;

async function openLessonFile(file) {
  if (!file) return;
  // A file past the limit is refused by the session, which needs only to see that it is;
  // the rest is never read.
  const text = await file.slice(0, kMaxLessonBytes + 1).text();
  openLessonText(text, file.name, 'file');
}

function lessonText(m) {
  if (m.problem) {
    showMessage(m.problem, m.purpose === 'share' ? 'Copy Share Link' : 'Save Lesson');
    return;
  }
  if (m.purpose === 'share') {
    // A guided lesson's link opens at the step shown now.
    const step = m.position > 0 ? `&step=${m.position}` : '';
    const link = `${location.origin}${location.pathname}#lesson=${encodeLink(m.text)}${step}`;
    app.lastLink = link;
    // The clipboard is there only in a secure context (https, localhost); elsewhere the
    // link is shown, selected, to be copied by hand.
    const offer = () => showLink(link);
    if (navigator.clipboard && window.isSecureContext) {
      navigator.clipboard.writeText(link).then(() => showNote('Share link copied'), offer);
    } else {
      offer();
    }
    return;
  }
  const blob = new Blob([m.text], {type: 'application/json'});
  const a = el('a', {href: URL.createObjectURL(blob), download: m.fileName || 'linelab.linelab.json'});
  document.body.append(a);
  a.click();
  a.remove();
  setTimeout(() => URL.revokeObjectURL(a.href), 10000);
  app.lastSaved = m.text;
}

function showLink(link) {
  const box = document.getElementById('linkBox');
  const field = document.getElementById('linkText');
  field.value = link;
  box.showModal();
  field.focus();
  field.select();
  let copied = false;
  try {
    copied = document.execCommand('copy');
  } catch (e) {
    copied = false;
  }
  document.getElementById('linkNote').textContent = copied
    ? 'The link is copied; it opens the page with these settings.'
    : 'Copy the link (Ctrl+C); it opens the page with these settings.';
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

// A lesson in the link's fragment opens at start and whenever the fragment changes, at the
// step the link names (#lesson=...&step=3) or at its start.
function startFromLink() {
  const hash = location.hash;
  if (!hash.startsWith('#lesson=')) return;
  const [lesson, ...rest] = hash.slice('#lesson='.length).split('&');
  const step = rest.find((x) => x.startsWith('step='));
  let text;
  try {
    text = decodeLink(lesson);
  } catch (e) {
    showMessage('link: the lesson in this link is damaged and cannot be read', 'Open Lesson');
    return;
  }
  openLessonText(text, 'link', 'link', step ? decodeURIComponent(step.slice('step='.length)) : '');
}
window.addEventListener('hashchange', () => app.ready && startFromLink());

async function loadExamples() {
  const holder = document.getElementById('examples');
  try {
    const names = await (await fetch('lessons/index.json')).json();
    for (const name of names) {
      const b = el('button', {type: 'button', role: 'menuitem'}, `Example: ${name.replace(/\.json$/, '')}`);
      b.addEventListener('click', async () => {
        let text;
        try {
          const reply = await fetch('lessons/' + encodeURIComponent(name));
          if (!reply.ok) throw new Error(`the server answered ${reply.status}`);
          text = await reply.text();
        } catch (e) {
          showMessage(`${name}: the example cannot be fetched (${e.message})`, 'Open Lesson');
          return;
        }
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

// Space is the run control's shortcut except where it does something itself: typing, a list,
// a check box (it ticks it), a button or a menu item (it presses it).
function spaceIsOwn(target) {
  if (!target || !target.tagName) return false;
  const tag = target.tagName;
  if (tag === 'TEXTAREA' || tag === 'SELECT' || tag === 'BUTTON') return true;
  if (tag === 'INPUT') return target.type !== 'range';
  return target.getAttribute('role') === 'menuitem' || target.isContentEditable;
}

// A box being typed in keeps its own keys.
function isTyping(target) {
  return !!target && (target.tagName === 'TEXTAREA' ||
                      (target.tagName === 'INPUT' && target.type !== 'range' && target.type !== 'checkbox'));
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
  on('runFast', (e) => send({type: 'fast', on: e.currentTarget.getAttribute('aria-checked') !== 'true'}));
  on('toolsCurve', () => window.lineLabCurve && window.lineLabCurve.show());
  on('viewLessonPane', () => showPane(!app.paneShown));
  on('viewContours', () => setContours(!app.contours));
  on('toolsBathtub', () => window.lineLabBathtub && window.lineLabBathtub.show());
  on('viewNextStep', () => app.lesson && goToStep(app.lesson.position + 1));
  on('viewPreviousStep', () => app.lesson && goToStep(app.lesson.position - 1));
  on('lessonNext', () => app.lesson && goToStep(app.lesson.position + 1));
  on('lessonPrevious', () => app.lesson && goToStep(app.lesson.position - 1));
  on('lessonHide', () => showPane(false));
  on('lessonShowAnswer', () => {
    document.getElementById('lessonAnswer').hidden = false;
    document.getElementById('lessonShowAnswer').hidden = true;
  });
  document.getElementById('lessonSteps').addEventListener('change', (e) => goToStep(e.target.selectedIndex));
  on('helpInstructions', () => showHelp('LineLab Instructions', app.layout.instructions));
  on('helpAbout', () => showHelp('About LineLab', app.layout.about));
  document.addEventListener('keydown', (e) => {
    if (!app.ready || document.querySelector('dialog[open]')) return;
    const ctrl = e.ctrlKey || e.metaKey;
    if (e.key === ' ' && !ctrl && !spaceIsOwn(e.target)) {
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
    } else if (e.key === 'F9') {
      e.preventDefault(); showPane(!app.paneShown);
    } else if ((e.key === 'PageDown' || e.key === 'PageUp') && !ctrl && app.lesson &&
               app.lesson.steps.length && !isTyping(e.target)) {
      // The keys a presentation remote sends: the lesson moves on wherever the focus is.
      e.preventDefault();
      goToStep(app.lesson.position + (e.key === 'PageDown' ? 1 : -1));
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
  wireMenus();
}

// The menu bar as a desktop's: a click or Enter, Space or Down opens a menu on its first
// item, Up and Down move within it, Left and Right go to the next menu, Esc closes it; a
// choice closes it.
function wireMenus() {
  const menus = [...document.querySelectorAll('.menu')];
  const itemsOf = (menu) => [...menu.querySelectorAll('.items [role^=menuitem]')].filter((x) => !x.hidden && !x.disabled);
  const setOpen = (menu, open) => {
    menu.classList.toggle('open', open);
    menu.firstElementChild.setAttribute('aria-expanded', String(open));
  };
  const closeAll = () => menus.forEach((m) => setOpen(m, false));
  const openAt = (menu, which) => {
    closeAll();
    setOpen(menu, true);
    const items = itemsOf(menu);
    if (items.length) items[which === 'last' ? items.length - 1 : 0].focus();
  };
  menus.forEach((menu, i) => {
    const button = menu.firstElementChild;
    button.setAttribute('aria-expanded', 'false');
    button.addEventListener('click', () => {
      const open = !menu.classList.contains('open');
      closeAll();
      setOpen(menu, open);
    });
    button.addEventListener('keydown', (e) => {
      if (e.key === 'ArrowDown' || e.key === 'Enter' || e.key === ' ') {
        e.preventDefault();
        openAt(menu, 'first');
      } else if (e.key === 'ArrowUp') {
        e.preventDefault();
        openAt(menu, 'last');
      } else if (e.key === 'ArrowRight' || e.key === 'ArrowLeft') {
        e.preventDefault();
        menus[(i + (e.key === 'ArrowRight' ? 1 : menus.length - 1)) % menus.length].firstElementChild.focus();
      }
    });
    menu.addEventListener('mouseleave', () => setOpen(menu, false));
    const items = menu.querySelector('.items');
    items.addEventListener('keydown', (e) => {
      if (moveMenuFocus(e, itemsOf(menu))) return;
      if (e.key === 'Escape') {
        e.preventDefault();
        e.stopPropagation();
        setOpen(menu, false);
        button.focus();
      } else if (e.key === 'ArrowRight' || e.key === 'ArrowLeft') {
        e.preventDefault();
        openAt(menus[(i + (e.key === 'ArrowRight' ? 1 : menus.length - 1)) % menus.length], 'first');
      } else if (e.key === 'Tab') {
        setOpen(menu, false);
      }
    });
    // A choice closes the menu; the focus goes back to its name in the bar.
    items.addEventListener('click', (e) => {
      if (!e.target.closest('[role^=menuitem]')) return;
      setOpen(menu, false);
      if (menu.contains(document.activeElement)) button.focus();
    });
  });
  document.addEventListener('click', (e) => {
    if (!e.target.closest('.menu')) closeAll();
  });
}

app.worker = new Worker('session-worker.js');
app.worker.onmessage = onMessage;
app.worker.onerror = (e) => showMessage(`The simulation stopped: ${e.message}`);
app.openLessonText = openLessonText;
app.showNote = showNote;
app.resizePanel = resizePanel;
app.decodeLink = decodeLink;
app.encodeLink = encodeLink;
wire();
loadExamples();
