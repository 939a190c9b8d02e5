// Show Large, as on the desktop: a double click on a picture (or Enter on it, or View > Show
// Large) shows that panel filling the page's room with its axes, drawn anew from the lines it
// keeps and drawn on as the run goes on; the receive eye's BER and readouts stand under it.
// Esc, a double click or the close button bring the page back, the focus on the panel again.
// The panel itself stays in its place at its size, so the runs are drawn as before.
'use strict';

(() => {
  const app = window.lineLab;
  const R = window.lineLabRender;
  const kLabelSize = 11;  // px, the panels' texts on the page
  const main = document.getElementById('chain');

  const view = document.createElement('section');
  view.id = 'largeView';
  view.hidden = true;
  view.tabIndex = -1;
  view.setAttribute('role', 'dialog');
  view.innerHTML =
    '<div class="largeBar"><h2 id="largeTitle"></h2>' +
    '<button type="button" id="largeExport" aria-haspopup="menu">Export Picture</button>' +
    '<button type="button" id="largeClose" title="Back to the Whole Window (Esc)">Back to the Whole Window</button></div>' +
    '<div class="largeArea"><canvas class="traces"></canvas><canvas class="texts" aria-hidden="true"></canvas></div>' +
    '<div class="largeReadout"><div class="result"></div><pre></pre></div>';
  view.setAttribute('aria-labelledby', 'largeTitle');
  document.body.append(view);
  const area = view.querySelector('.largeArea');
  const traces = view.querySelector('canvas.traces');
  const texts = view.querySelector('canvas.texts');
  traces.setAttribute('role', 'img');

  let shown = null;      // the panel's name
  let picture = null;    // the traces' canvas as a picture, in CSS pixels
  let look = null;       // {width, height, size, lineWidth}
  const nameOf = (name) => {
    const f = app.panels[name].frame || {};
    return f.title || f.side || name;
  };

  // The view covers the room the page's chain has, between the menu bar and the status bar.
  function place() {
    const r = main.getBoundingClientRect();
    view.style.top = `${r.top}px`;
    view.style.height = `${r.height}px`;
  }

  // Text grows with the picture, as the desktop's does: by half the square root of how many
  // times the panel's area it is, from a third larger to two and a half times. The lines stay
  // one pixel wide: wider ones drawn as the run goes on cost many times more.
  function measure() {
    const p = app.panels[shown];
    const r = area.getBoundingClientRect();
    const own = p.canvas.getBoundingClientRect();
    const ratio = own.width * own.height > 0 ? Math.sqrt(r.width * r.height / (own.width * own.height)) / 2 : 1;
    const zoom = app.zoom || 1;
    look = {width: Math.max(1, Math.round(r.width)), height: Math.max(1, Math.round(r.height)),
            size: kLabelSize * zoom * Math.min(2.5, Math.max(4 / 3, ratio)),
            lineWidth: 1};
    const k = window.devicePixelRatio || 1;
    for (const c of [traces, texts]) {
      c.width = Math.round(look.width * k);
      c.height = Math.round(look.height * k);
    }
    const ctx = traces.getContext('2d');
    ctx.setTransform(k, 0, 0, k, 0, 0);
    picture = new R.CanvasPicture(ctx, look.width, look.height, look.lineWidth);
    texts.getContext('2d').setTransform(k, 0, 0, k, 0, 0);
  }

  function redraw() {
    measure();
    const p = app.panels[shown];
    picture.clear();
    for (const commands of p.log) R.replayCommands(commands, picture, look.width / p.units[0], look.height / p.units[1]);
    drawTexts();
  }

  // The panel's texts, the contours and the hint of a switched-off panel, over the traces.
  function drawTexts() {
    const ctx = texts.getContext('2d');
    ctx.clearRect(0, 0, look.width, look.height);
    const frame = app.panels[shown].frame || {};
    traces.style.visibility = frame.off ? 'hidden' : '';
    const over = new R.CanvasPicture(ctx, look.width, look.height, look.lineWidth);
    if (frame.off) {
      ctx.fillStyle = '#fff';
      ctx.fillRect(0, 0, look.width, look.height);
    } else if (shown === 'picRxEye' && app.contours && app.statViews) {
      const p = app.panels[shown];
      R.drawContoursOn(over, app.statViews, look.width / p.units[0], look.height / p.units[1], look.size * 0.9);
    }
    R.drawPanelTexts(over, frame, look.size);
    readout();
  }

  // Under the receive eye, its result and the readouts standing under it, as shown now.
  function readout() {
    const box = view.querySelector('.largeReadout');
    const lines = [];
    const ber = app.elements.lblBER;
    if (shown === 'picRxEye' && ber && !ber.hidden && ber.textContent) {
      lines.push(ber.textContent);
      for (const r of app.layout.readouts) {
        const e = document.getElementById(r.name);
        if (r.anchor === 'lblBER' && e && !e.hidden && e.textContent) lines.push(e.textContent);
      }
    }
    box.hidden = !lines.length;
    const [result = '', ...rest] = lines;
    if (box.firstChild.textContent !== result) box.firstChild.textContent = result;
    const more = rest.join('\n');
    if (box.lastChild.textContent !== more) box.lastChild.textContent = more;
  }

  function show(name) {
    if (!app.panels[name]) return;
    if (window.lineLabPictures) window.lineLabPictures.closeMenu();
    shown = name;
    document.getElementById('largeTitle').textContent = nameOf(name);
    traces.setAttribute('aria-label', `${nameOf(name)}, shown large`);
    place();
    view.hidden = false;
    // The page under it keeps its layout (the panels their sizes) but is out of reach.
    main.classList.add('underLarge');
    main.inert = true;
    document.getElementById('viewEndLarge').disabled = false;
    redraw();
    view.focus();
  }

  function close() {
    if (!shown) return;
    const name = shown;
    shown = null;
    if (window.lineLabPictures) window.lineLabPictures.closeMenu();
    view.hidden = true;
    main.classList.remove('underLarge');
    main.inert = false;
    document.getElementById('viewEndLarge').disabled = true;
    const canvas = app.panels[name].canvas;
    if (canvas.checkVisibility()) canvas.focus();
  }

  // Each update the page draws is drawn here too: the panel's new lines, its texts anew.
  app.onDrawn = (m) => {
    if (!shown) return;
    const p = app.panels[shown];
    for (const panel of m.panels) {
      if (panel.name !== shown) continue;
      R.replayCommands(panel.commands, picture, look.width / p.units[0], look.height / p.units[1]);
    }
    drawTexts();
  };

  window.lineLabLarge = {
    show,
    close,
    shown: () => shown,
    // The size an export of the panel shown large is drawn at.
    view: (name) => (shown && name === shown && look ? {...look} : null),
  };

  // ---- how it is reached ---------------------------------------------------------------------
  const pictureOf = (target) => target && target.closest && target.closest('#stages canvas[data-name]');
  const stages = document.getElementById('stages');
  stages.addEventListener('dblclick', (e) => {
    const canvas = pictureOf(e.target);
    if (canvas) show(canvas.dataset.name);
  });
  stages.addEventListener('keydown', (e) => {
    const canvas = pictureOf(e.target);
    if (canvas && e.key === 'Enter' && !e.ctrlKey && !e.altKey) {
      e.preventDefault();
      show(canvas.dataset.name);
    }
  });
  area.addEventListener('dblclick', close);
  document.getElementById('largeClose').addEventListener('click', close);
  document.getElementById('largeExport').addEventListener('click', () => {
    const r = document.getElementById('largeExport').getBoundingClientRect();
    traces.dispatchEvent(new MouseEvent('contextmenu', {bubbles: true, cancelable: true,
                                                          clientX: r.left, clientY: r.bottom + 2}));
  });
  document.addEventListener('keydown', (e) => {
    if (shown && e.key === 'Escape' && !document.querySelector('dialog[open]')) {
      e.preventDefault();
      close();
    }
  });
  window.addEventListener('resize', () => {
    if (!shown) return;
    place();
    redraw();
  });

  // View > Back to the Whole Window, and View > Show Large: every panel the scene shows, listed
  // as the menu opens.
  document.getElementById('viewEndLarge').addEventListener('click', close);
  const group = document.getElementById('viewShowLarge');
  const viewMenu = group.closest('.menu');
  function fill() {
    const names = Object.keys(app.panels).filter((n) => app.panels[n].canvas.checkVisibility());
    group.replaceChildren(...names.map((n) => {
      const b = document.createElement('button');
      b.type = 'button';
      b.setAttribute('role', 'menuitem');
      b.textContent = `Show Large: ${nameOf(n)}`;
      b.addEventListener('click', () => show(n));
      return b;
    }));
  }
  viewMenu.addEventListener('click', (e) => { if (e.target === viewMenu.firstElementChild) fill(); }, true);
  viewMenu.addEventListener('keydown', (e) => { if (e.target === viewMenu.firstElementChild) fill(); }, true);
})();
