// The Bathtub window: the predicted rate of wrong decisions against the sampling instant (at
// the thresholds in use) and against the threshold (at the instant in use), on log axes down
// to 1e-15, with the sliders' places (green), the best place (dashed red) and the eye's
// opening at 1e-6 and 1e-12, as the statistics' worker works them out; "Move sliders to the
// best place" moves the window's sliders as a user would.
/* global uPlot */
'use strict';

(function () {
  const kFloor = 1e-15;  // the axes' bottom; lower rates sit on it
  const $ = (id) => document.getElementById(id);
  const tub = {plots: [], last: null};
  window.lineLabBathtub = tub;

  tub.open = () => $('bathtubBox').open;

  tub.show = () => {
    $('bathtubBox').showModal();
    window.lineLab.askStatistics();
    if (tub.last) tub.update(tub.last);
  };
  $('bathtubBox').addEventListener('close', () => window.lineLab.askStatistics());

  // Vertical marks at the places in use and the best ones, drawn on the plot's canvas.
  function marks(at) {
    return (u) => {
      const ctx = u.ctx;
      ctx.save();
      for (const [x, best] of at) {
        const px = u.valToPos(x, 'x', true);
        ctx.strokeStyle = best ? '#c80000' : '#009600';
        ctx.lineWidth = (best ? 1.2 : 1.5) * (window.devicePixelRatio || 1);
        ctx.setLineDash(best ? [6, 4] : []);
        ctx.beginPath();
        ctx.moveTo(px, u.bbox.top);
        ctx.lineTo(px, u.bbox.top + u.bbox.height);
        ctx.stroke();
      }
      ctx.restore();
    };
  }

  function plot(holder, label, xs, ys, at) {
    const width = Math.max(240, holder.clientWidth || 420);
    return new uPlot({
      width, height: 260,
      scales: {x: {time: false}, y: {distr: 3, range: [kFloor, 1]}},
      axes: [{label}, {label: 'rate of wrong decisions', size: 70,
                       values: (u, vals) => vals.map((v) => (v == null ? '' : v.toExponential(0)))}],
      series: [{label}, {label: 'rate', stroke: '#0046c8', width: 1.5, points: {show: false}}],
      legend: {show: false},
      hooks: {draw: [marks(at)]},
    }, [xs, ys.map((y) => Math.max(y, kFloor))], holder);
  }

  tub.update = (m) => {
    tub.last = m;
    if (!tub.open() || typeof uPlot === 'undefined') return;
    for (const p of tub.plots) p.destroy();
    tub.plots = [];
    const b = m.bathtub;
    $('bathtubReadout').textContent = m.problem || (b ? m.readout : 'Working...');
    $('bathtubBest').disabled = !m.best;
    if (!b) return;
    tub.plots.push(plot($('bathtubInstant'), 'sampling instant (slider steps)', b.instants, b.byInstant,
                        [[b.instantInUse, false], [b.bestInstant, true]]));
    tub.plots.push(plot($('bathtubThreshold'), 'threshold (V)', b.thresholds, b.byThreshold,
                        [[b.thresholdInUse, false], [b.bestThreshold, true]]));
  };

  $('bathtubBest').addEventListener('click', () => {
    const best = tub.last && tub.last.best;
    if (!best) return;
    for (const [name, value] of Object.entries(best))
      window.lineLab.send({type: 'action', op: 'setValue', name, value});
  });
})();
