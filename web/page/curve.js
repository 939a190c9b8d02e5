// The BER Curve: a sweep over Eb/N0 run by one chunk worker per core (planned in the
// session's worker, so each point's counts equal the desktop's for the same seed), plotted
// on a logarithmic axis with each point's 95 % interval, the theory the module draws beside
// each curve in its colour (the ideal receiver dashed, a Manchester code's optimum receiver
// dotted), the statistical curve of the chain as set (worked out by the statistics' worker,
// dotted too), held curves beside the current one with theirs, and CSV (joined by the
// module, as the desktop and linelab-batch write it) and PNG export with the legend.
/* global uPlot */
'use strict';

(function () {
  const kColours = ['#1f5fbf', '#c0392b', '#2e8b57', '#8e44ad', '#d68910', '#117a8b'];
  const $ = (id) => document.getElementById(id);
  const curve = {
    current: null,  // {id, label, header, points: [], theory: [], ebN0: [], statistical}
    held: [],
    plot: null,
    id: 0,
  };
  window.lineLabCurve = curve;

  curve.show = () => {
    $('curveBox').showModal();
    render();
  };

  // The range is read by the sweep's planner, as linelab-batch --sweep reads it.
  curve.start = (options = {}) => {
    const points = options.points || null;
    const range = `${$('curveFrom').value}:${$('curveStep').value}:${$('curveTo').value}`;
    curve.id += 1;
    curve.current = {id: curve.id, label: '', header: '', ebN0: points || [],
                     points: (points || []).map(() => null), theory: [], statistical: null,
                     legend: '', theoryLines: [], started: performance.now()};
    window.lineLab.send({
      type: 'sweep-start', id: curve.id, points, range,
      minErrors: options.minErrors || Number($('curveErrors').value),
      maxBits: options.maxBits || Number($('curveBits').value),
      seed: options.seed != null ? options.seed : Number($('curveSeed').value),
      runner: options.runner || $('curveRunner').value,
      noise: options.noise || $('curveNoise').value,
      thresholds: options.thresholds || $('curveThresholds').value,
      workers: options.workers || navigator.hardwareConcurrency || 2,
    });
    $('curveRun').disabled = true;
    $('curveStop').disabled = false;
    $('curveStatus').textContent = 'Starting';
  };

  curve.onMessage = (m) => {
    const c = curve.current;
    if (m.type === 'sweep-stat') {
      // {ebN0: [...], rate: [...], problem}: the chain's curve over the sweep's range, which
      // may come after the sweep has finished or been held.
      const k = curves().find((x) => x.id === m.id);
      if (k) {
        k.statistical = m;
        scheduleRender(0);
      }
      return;
    }
    if (m.type === 'sweep-error') {
      $('curveStatus').textContent = m.text;
      $('curveRun').disabled = false;
      $('curveStop').disabled = true;
      if (c && !c.points.some((p) => p)) curve.current = null;
      return;
    }
    if (!c || (m.id != null && m.id !== curve.id)) return;
    if (m.type === 'sweep-started') {
      c.label = m.label;
      c.legend = m.legend;
      c.statisticalName = m.statisticalName;
      c.theoryLines = m.theoryLines;
      c.header = m.header;
      c.ebN0 = m.points;
      c.points = m.points.map(() => null);
      c.theory = m.theory;
      c.rows = m.rows;
      $('curveStatus').textContent = `Running on ${m.workers} workers`;
    } else if (m.type === 'sweep-point') {
      // A point stays final once complete; progress before that shows its counts so far.
      const old = c.points[m.point.index];
      if (!(old && old.complete)) c.points[m.point.index] = m.point;
      c.legend = m.legend;
    } else if (m.type === 'sweep-finished') {
      c.seconds = m.seconds;
      c.outcome = m.outcome;
      $('curveStatus').textContent = `${m.outcome} in ${m.seconds.toFixed(1)} s`;
      $('curveRun').disabled = false;
      $('curveStop').disabled = true;
    }
    scheduleRender(m.type === 'sweep-point' ? kRenderEveryMs : 0);
  };

  // A long sweep sends thousands of progress messages: the table and the plot follow them
  // at most a few times a second, so the page (and its Stop button) never waits on drawing.
  const kRenderEveryMs = 250;
  let renderTimer = null;
  function scheduleRender(delay) {
    if (renderTimer !== null) {
      if (delay > 0) return;
      clearTimeout(renderTimer);
    }
    renderTimer = setTimeout(() => {
      renderTimer = null;
      render();
    }, delay);
  }

  // The error bars: each point's 95 % interval as a vertical line.
  function errorBars() {
    return {
      hooks: {
        draw: [(u) => {
          const ctx = u.ctx;
          ctx.save();
          ctx.lineWidth = Math.max(1, devicePixelRatio);
          for (let s = 1; s < u.series.length; ++s) {
            const series = u.series[s];
            if (!series.show || !series.bars) continue;
            ctx.strokeStyle = series.stroke();
            for (const [x, low, high] of series.bars) {
              if (!(low > 0) || !(high > 0)) continue;
              const px = u.valToPos(x, 'x', true);
              ctx.beginPath();
              ctx.moveTo(px, u.valToPos(low, 'y', true));
              ctx.lineTo(px, u.valToPos(high, 'y', true));
              ctx.stroke();
            }
          }
          ctx.restore();
        }],
      },
    };
  }

  function curves() {
    return curve.current ? [...curve.held, curve.current] : curve.held;
  }

  function render() {
    const body = $('curveTable').querySelector('tbody');
    const c = curve.current;
    const rows = c ? c.points.length : 0;
    while (body.rows.length > rows) body.lastElementChild.remove();
    while (body.rows.length < rows) {
      const tr = document.createElement('tr');
      for (let k = 0; k < 6; ++k) tr.append(document.createElement('td'));
      body.append(tr);
    }
    if (c) {
      c.points.forEach((p, i) => {
        const cells = p ? p.cells : (c.rows && c.rows[i]) || [c.ebN0[i], '', '', '', '', ''];
        const tds = body.rows[i].cells;
        cells.forEach((v, k) => {
          const text = String(v);
          if (tds[k].textContent !== text) tds[k].textContent = text;
        });
      });
    }
    if (typeof uPlot === 'undefined' || !$('curveBox').open) return;
    const all = curves();
    const statOf = (k) => (k.statistical && k.statistical.ebN0.length ? k.statistical : null);
    const xs = [...new Set(all.flatMap((k) => [...k.ebN0, ...(statOf(k) ? statOf(k).ebN0 : []),
                                                ...k.theoryLines.flatMap((t) => t.x)]))]
      .sort((a, b) => a - b);
    const data = [xs];
    const series = [{label: 'Eb/N0 (dB)'}];
    const line = (x, y) => {
      const at = new Map(x.map((v, i) => [v, y[i]]));
      return xs.map((v) => (at.has(v) ? at.get(v) : null));
    };
    all.forEach((k, n) => {
      const colour = kColours[n % kColours.length];
      const at = (x) => k.ebN0.indexOf(x);
      data.push(xs.map((x) => {
        const p = k.points[at(x)];
        return p && p.errors > 0 ? p.ber : null;
      }));
      series.push({label: k.legend || k.label || 'current', stroke: colour, width: 1.5,
                   points: {show: true, size: 6}, spanGaps: true,
                   bars: k.points.filter((p) => p && p.bits > 0).map((p) => [p.ebN0dB, p.low, p.high])});
      const stat = statOf(k);
      if (stat) {
        data.push(line(stat.ebN0, stat.rate));
        series.push({label: k.statisticalName, stroke: colour, dash: [2, 3],
                     width: 1.6, points: {show: false}, spanGaps: true});
      }
      // The theory beside the curve, held ones too, in its colour.
      for (const t of k.theoryLines) {
        data.push(line(t.x, t.y));
        series.push({label: t.name, stroke: colour, dash: t.style === 'dotted' ? [1.2, 3] : [6, 4],
                     width: 1.2, points: {show: false}, spanGaps: true});
      }
    });
    const width = Math.max(300, $('curvePlot').clientWidth || 800);
    if (curve.plot) curve.plot.destroy();
    curve.plot = new uPlot({
      width, height: 340, plugins: [errorBars()],
      scales: {x: {time: false}, y: {distr: 3}},
      axes: [{label: 'Eb/N0 (dB)'}, {label: 'bit error rate', size: 70,
              values: (u, vals) => vals.map((v) => (v == null ? '' : v.toExponential(0)))}],
      series,
    }, data, $('curvePlot'));
  }

  // The curves with a point, as {label, lines} for the module's join.
  function csvCurves() {
    return curves().filter((k) => k.points.some((p) => p))
      .map((k) => ({label: k.label, lines: k.points.filter((p) => p).map((p) => p.csv)}));
  }
  // The CSV of every curve shown (a promise of its text; '' for none).
  let csvAsked = 0;
  function csv() {
    const shown = csvCurves();
    if (!shown.length) return Promise.resolve('');
    const id = ++csvAsked;
    return new Promise((resolve) => {
      const wait = () => window.lineLab.next('curves-csv').then((m) => (m.id === id ? resolve(m.text) : wait()));
      wait();
      window.lineLab.send({type: 'curves-csv', id, curves: shown});
    });
  }
  curve.csv = csv;
  curve.csvCurves = csvCurves;

  // The legend's entries as the plot shows them: name, colour and dash.
  function legendEntries() {
    if (!curve.plot) return [];
    return curve.plot.series.slice(1).filter((x) => x.show !== false && x.label)
      .map((x) => ({label: x.label, colour: x.stroke(), dash: x.dash || null}));
  }
  curve.legendEntries = legendEntries;

  // The plot with its legend under it, as the PNG has it.
  function picture() {
    const plot = curve.plot.ctx.canvas;
    const r = window.devicePixelRatio || 1;
    const entries = legendEntries();
    const row = 16 * r;
    const out = document.createElement('canvas');
    out.width = plot.width;
    out.height = plot.height + Math.ceil((entries.length + 0.5) * row);
    const ctx = out.getContext('2d');
    ctx.fillStyle = '#fff';
    ctx.fillRect(0, 0, out.width, out.height);
    ctx.drawImage(plot, 0, 0);
    ctx.font = `${11 * r}px system-ui, sans-serif`;
    ctx.textBaseline = 'middle';
    entries.forEach((e, i) => {
      const y = plot.height + (i + 0.75) * row;
      ctx.strokeStyle = e.colour;
      ctx.lineWidth = 1.5 * r;
      ctx.setLineDash((e.dash || []).map((d) => d * r));
      ctx.beginPath();
      ctx.moveTo(10 * r, y);
      ctx.lineTo(40 * r, y);
      ctx.stroke();
      ctx.setLineDash([]);
      ctx.fillStyle = '#222';
      ctx.fillText(e.label, 48 * r, y);
    });
    return out;
  }
  curve.picture = picture;

  $('curveRun').addEventListener('click', () => curve.start());
  $('curveStop').addEventListener('click', () => window.lineLab.send({type: 'sweep-stop'}));
  $('curveHold').addEventListener('click', () => {
    if (curve.current && curve.current.points.some((p) => p)) {
      curve.held.push(curve.current);
      curve.current = null;
      render();
    }
  });
  $('curveClear').addEventListener('click', () => {
    curve.held = [];
    if (curve.current && $('curveRun').disabled === false) curve.current = null;
    render();
  });
  $('curveCsv').addEventListener('click', async () => {
    const text = await csv();
    if (text) downloadBlob(new Blob([text], {type: 'text/csv'}), 'ber-curve.csv');
  });
  $('curvePng').addEventListener('click', () => {
    if (!curve.plot) return;
    picture().toBlob((blob) => blob && downloadBlob(blob, 'ber-curve.png'));
  });
})();
