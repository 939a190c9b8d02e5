// The View options drawn over the panels, as the session's module gives them: the density
// eyes in place of the line eyes (the receive eye's markers kept on top), the receive eye's
// calipers, and the line code's expected spectrum over the spectrum the module names, with
// its label and the status line's hint. Each panel that shows one gets a canvas of its own
// over its picture, under the BER contours.
'use strict';

(function () {
  const app = window.lineLab;
  const view = {
    options: null,     // the menu's options as the module lists them
    theory: {on: false},
    eyeOpening: null,  // the calipers and figures, null while off
    densities: {},     // picture name -> {image (a canvas), markers, markerColour}
    hinted: '',        // the theory's hint last put in the status line
  };
  window.lineLabOverlay = view;

  const colour = (bgr, alpha = 1) =>
    `rgba(${bgr & 255},${(bgr >> 8) & 255},${(bgr >> 16) & 255},${alpha})`;

  // ---- the View menu: one item per option, in the module's order and words ----------------
  function buildMenu(options) {
    const anchor = document.getElementById('viewContours');
    let after = anchor;
    for (const o of options) {
      const b = document.createElement('button');
      b.type = 'button';
      b.id = `view-${o.key}`;
      b.className = 'viewOption';
      b.setAttribute('role', 'menuitemcheckbox');
      b.setAttribute('aria-checked', 'false');
      b.title = o.tip;
      b.textContent = o.menu;
      b.addEventListener('click', () => {
        const on = b.getAttribute('aria-checked') !== 'true';
        app.send({type: 'action', op: 'view', name: o.key, value: on});
      });
      after.after(b);
      after = b;
    }
  }

  function showOptions(options) {
    if (!view.options) buildMenu(options);
    view.options = options;
    for (const o of options) {
      const b = document.getElementById(`view-${o.key}`);
      if (b && b.getAttribute('aria-checked') !== String(o.on)) b.setAttribute('aria-checked', String(o.on));
    }
  }

  // ---- what an update brings ---------------------------------------------------------------
  view.update = (m) => {
    if (m.state && m.state.view) showOptions(m.state.view);
    if (m.theory) {
      view.theory = m.theory;
      // The hint once as it changes; an empty one takes back only the theory's own note.
      const hint = m.theory.on ? m.theory.hint : '';
      if (hint !== view.hinted) {
        if (hint) app.showNote(hint);
        else if (app.note.startsWith('Theory:')) app.showNote('');
      }
      view.hinted = hint;
    }
    if ('eyeOpening' in m) view.eyeOpening = m.eyeOpening;
    if (m.densities) {
      const shown = {};
      for (const d of m.densities) {
        const old = view.densities[d.name];
        const image = old && old.image.width === d.width && old.image.height === d.height
          ? old.image : Object.assign(document.createElement('canvas'), {width: d.width, height: d.height});
        if (d.width > 0 && d.height > 0)
          image.getContext('2d').putImageData(new ImageData(d.pixels, d.width, d.height), 0, 0);
        shown[d.name] = {image, markers: d.markers, markerColour: d.markerColour};
      }
      view.densities = shown;
    }
    redrawAll();
  };

  function redrawAll() {
    for (const name of Object.keys(app.panels)) {
      const kind = app.layout.panels[name].kind;
      if (kind === 'eye' || kind === 'spectrum') view.redraw(name);
    }
  }

  function canvasOf(name, make) {
    const p = app.panels[name];
    if (!p.view && make) {
      p.view = document.createElement('canvas');
      p.view.className = 'overlay view';
      p.view.setAttribute('aria-hidden', 'true');
      p.canvas.after(p.view);  // under the BER contours, which follow the picture
    }
    return p.view;
  }

  // ---- drawing one panel's overlay ------------------------------------------------------------
  view.redraw = (name) => {
    const p = app.panels[name];
    const density = view.densities[name];
    const calipers = view.eyeOpening && view.eyeOpening.panel === name ? view.eyeOpening : null;
    const theory = view.theory.on && view.theory.panel === name ? view.theory : null;
    const off = p.wrap.classList.contains('isOff');
    const o = canvasOf(name, !off && (density || calipers || theory));
    if (!o) return;
    const w = p.canvas.width, h = p.canvas.height;
    if (o.width !== w || o.height !== h) { o.width = w; o.height = h; }
    const ctx = o.getContext('2d');
    ctx.clearRect(0, 0, w, h);
    o.dataset.shows = '';
    if (off) return;
    const r = window.devicePixelRatio || 1;
    const shows = [];
    if (density) {
      // The density image covers the line picture; the markers stay on top of it.
      ctx.fillStyle = '#000';
      ctx.fillRect(0, 0, w, h);
      ctx.drawImage(density.image, 0, 0, w, h);
      if (density.markers) {
        const sx = w / p.units[0], sy = h / p.units[1];
        ctx.strokeStyle = colour(density.markerColour);
        ctx.lineWidth = Math.max(1, r);
        ctx.beginPath();
        const s = density.markers;
        for (let i = 0; i + 3 < s.length; i += 4) {
          ctx.moveTo(s[i] * sx, s[i + 1] * sy);
          ctx.lineTo(s[i + 2] * sx, s[i + 3] * sy);
        }
        ctx.stroke();
      }
      shows.push('density');
    }
    if (calipers) {
      // In the panel's pixels, scaled to the canvas.
      const sx = w / calipers.size[0], sy = h / calipers.size[1];
      ctx.fillStyle = colour(calipers.colour, calipers.opacity);
      for (const [x, y, bw, bh] of calipers.spreads) ctx.fillRect(x * sx, y * sy, bw * sx, bh * sy);
      ctx.strokeStyle = colour(calipers.colour);
      ctx.lineWidth = 1.5 * r;
      ctx.beginPath();
      for (const [x1, y1, x2, y2] of calipers.lines) {
        ctx.moveTo(x1 * sx, y1 * sy);
        ctx.lineTo(x2 * sx, y2 * sy);
      }
      ctx.stroke();
      if (calipers.lines.length) shows.push('calipers');
    }
    if (theory) {
      ctx.strokeStyle = colour(theory.colour);
      ctx.fillStyle = colour(theory.colour);
      ctx.lineWidth = 1.5 * r;
      if (theory.heights) {
        const n = theory.heights.length;
        ctx.beginPath();
        theory.heights.forEach((f, i) => {
          const x = w * i / n, y = h * (f == null ? 1 : f);
          if (i === 0) ctx.moveTo(x, y); else ctx.lineTo(x, y);
        });
        ctx.stroke();
      }
      ctx.font = `${11 * r}px system-ui, sans-serif`;
      ctx.textAlign = 'right';
      ctx.textBaseline = 'top';
      // Under the panel's top value, on a ground of its own.
      const width = ctx.measureText(theory.label).width + 4 * r;
      ctx.fillStyle = 'rgba(255,255,255,0.85)';
      ctx.fillRect(w - 2 * r - width, 16 * r, width, 13 * r);
      ctx.fillStyle = colour(theory.colour);
      ctx.fillText(theory.label, w - 4 * r, 17 * r);
      shows.push('theory');
    }
    o.dataset.shows = shows.join(' ');
  };
})();
