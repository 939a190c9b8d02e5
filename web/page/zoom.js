// Presentation zoom, as on the desktop: View > Zoom In (Ctrl++), Zoom Out (Ctrl+-) and
// Actual Size (Ctrl+0) grow and shrink the pictures with their text and the controls, in the
// desktop's eight steps from 0.8 to twice the actual size. The keys are the page's, not the
// browser's (whose zoom only spreads the same layout over fewer pixels).
//
// A zoomed page is the actual size's layout, drawn larger: the stage columns keep the room
// they had at actual size in their own units and are scaled as a whole, so the pictures grow
// in the step's proportion and no label comes nearer another than at actual size; the page
// scrolls where the window has no room. The canvases take the new size in real pixels and
// are drawn anew, not enlarged.
'use strict';

(() => {
  const app = window.lineLab;
  const kZoomFactors = [0.8, 0.9, 1.0, 1.15, 1.3, 1.5, 1.75, 2.0];
  const kActualSize = 2;
  const kRedrawAfterMs = 150;
  const parts = ['topbar', 'stages'].map((id) => document.getElementById(id));
  app.zoom = 1;
  app.zoomStep = 0;

  function layOut() {
    const factor = app.zoom;
    const [top, stages] = parts;
    for (const e of parts) {
      e.style.zoom = '';
      e.style.width = '';
      e.style.height = '';
      e.style.flex = '';
    }
    if (factor !== 1) {
      // The room at actual size, measured with the zoom taken off.
      const room = stages.getBoundingClientRect();
      top.style.zoom = String(factor);
      stages.style.zoom = String(factor);
      stages.style.width = `${room.width}px`;
      // Stacked (a narrow window) the columns take the height they need.
      if (!window.matchMedia('(max-width: 900px)').matches) {
        stages.style.height = `${room.height}px`;
        stages.style.flex = 'none';
      }
    }
    // Steps in quick succession draw the pictures anew once, at the last.
    clearTimeout(layOut.redraw);
    layOut.redraw = setTimeout(() => {
      for (const name of Object.keys(app.panels)) app.resizePanel(name);
    }, kRedrawAfterMs);
  }

  function applyZoom(step) {
    const last = kZoomFactors.length - 1;
    app.zoomStep = Math.min(last - kActualSize, Math.max(-kActualSize, step));
    app.zoom = kZoomFactors[kActualSize + app.zoomStep];
    document.body.dataset.zoom = String(app.zoom);
    layOut();
    document.getElementById('viewZoomIn').disabled = app.zoomStep === last - kActualSize;
    document.getElementById('viewZoomOut').disabled = app.zoomStep === -kActualSize;
    app.showNote(`Zoom ${Math.round(app.zoom * 100)} %`);
  }
  app.applyZoom = applyZoom;

  document.getElementById('viewZoomIn').addEventListener('click', () => applyZoom(app.zoomStep + 1));
  document.getElementById('viewZoomOut').addEventListener('click', () => applyZoom(app.zoomStep - 1));
  document.getElementById('viewActualSize').addEventListener('click', () => applyZoom(0));

  // Ctrl++ is typed as Ctrl+= on most keyboards; both work, and the keypad's.
  document.addEventListener('keydown', (e) => {
    if (!(e.ctrlKey || e.metaKey) || e.altKey) return;
    let step = null;
    if (e.key === '+' || e.key === '=' || e.code === 'NumpadAdd') step = app.zoomStep + 1;
    else if (e.key === '-' || e.key === '_' || e.code === 'NumpadSubtract') step = app.zoomStep - 1;
    else if (e.key === '0' || e.code === 'Numpad0') step = 0;
    if (step === null) return;
    e.preventDefault();
    if (app.ready) applyZoom(step);
  });
  window.addEventListener('resize', () => {
    if (app.zoom !== 1) layOut();
  });
})();
