// A panel's picture for slides and notes, as on the desktop: from the context menu of each
// picture (and of the panel shown large), PNG at one, two or three times the size shown,
// drawn anew at that size so it is as sharp as the screen, or an SVG drawing whose traces are
// lines; Copy Picture puts it on the clipboard where the browser gives the page one.
'use strict';

(() => {
  const app = window.lineLab;
  const R = window.lineLabRender;
  // The desktop's export choices, in its order.
  const kChoices = [
    {text: 'PNG image', scale: 1},
    {text: 'PNG image, twice the size', scale: 2},
    {text: 'PNG image, three times the size', scale: 3},
    {text: 'SVG drawing', svg: true},
  ];
  const kLabelSize = 11;  // px, the panels' texts on the page
  const pictures = {lastExport: null};
  window.lineLabPictures = pictures;

  const frameOf = (name) => app.panels[name].frame || {};
  const nameOf = (name) => frameOf(name).title || frameOf(name).side || name;
  pictures.nameOf = nameOf;

  // What the picture is drawn as: the panel shown large at its size there, else the panel
  // at its size on the page (grown by the page's zoom, its text with it).
  function viewOf(name) {
    const large = window.lineLabLarge && window.lineLabLarge.view(name);
    if (large) return large;
    const r = app.panels[name].canvas.getBoundingClientRect();
    const zoom = app.zoom || 1;
    return {width: Math.max(1, Math.round(r.width)), height: Math.max(1, Math.round(r.height)),
            size: kLabelSize * zoom, lineWidth: 1};
  }

  const contoursOf = (name) => (name === 'picRxEye' && app.contours ? app.statViews : null);

  function drawInto(picture, name, v) {
    R.drawPanel(picture, app.panels[name], frameOf(name), {contours: contoursOf(name), size: v.size});
  }

  // PNG at `scale` times the size shown, in the screen's pixels.
  function png(name, scale) {
    const v = viewOf(name);
    const k = (window.devicePixelRatio || 1) * Math.min(3, Math.max(1, scale));
    const canvas = new OffscreenCanvas(Math.round(v.width * k), Math.round(v.height * k));
    const ctx = canvas.getContext('2d');
    ctx.scale(k, k);
    drawInto(new R.CanvasPicture(ctx, v.width, v.height, v.lineWidth), name, v);
    return canvas.convertToBlob({type: 'image/png'});
  }

  function svg(name) {
    const v = viewOf(name);
    const picture = new R.SvgPicture(v.width, v.height, v.lineWidth);
    drawInto(picture, name, v);
    return new Blob([picture.toString(`LineLab: ${nameOf(name)}`)], {type: 'image/svg+xml'});
  }
  pictures.png = png;
  pictures.svg = svg;

  // "Receiver eye - Full Channel@2x.png": the panel and the scene it shows.
  function fileName(name, scale, suffix) {
    const scene = app.controls.cmbScene ? app.controls.cmbScene.text : '';
    const base = scene ? `${nameOf(name)} - ${scene}` : nameOf(name);
    return base.replace(/[\\/:*?"<>|\u0000-\u001f]+/g, '-').slice(0, 120) + (scale > 1 ? `@${scale}x` : '') + suffix;
  }

  function download(blob, file) {
    pictures.lastExport = {fileName: file, blob};
    downloadBlob(blob, file);
  }

  async function exportPicture(name, choice) {
    try {
      const blob = choice.svg ? svg(name) : await png(name, choice.scale);
      const file = fileName(name, choice.scale || 1, choice.svg ? '.svg' : '.png');
      download(blob, file);
      app.showNote(`Picture saved as ${file}`);
    } catch (e) {
      app.showNote(`Export Picture: ${nameOf(name)} could not be drawn (${e.message})`);
    }
  }

  // The clipboard takes pictures only in a secure context (https, localhost): elsewhere the
  // status bar says so, and where to turn instead.
  async function copyPicture(name) {
    if (!window.isSecureContext || !navigator.clipboard || !navigator.clipboard.write || !window.ClipboardItem) {
      app.showNote('Copy Picture: the browser gives this page no clipboard (it needs https); ' +
                   'Export Picture saves the picture instead');
      return;
    }
    try {
      await navigator.clipboard.write([new ClipboardItem({'image/png': png(name, 1)})]);
      app.showNote(`Picture of ${nameOf(name)} copied`);
    } catch (e) {
      app.showNote(`Copy Picture: the browser refused the clipboard (${e.message}); ` +
                   'Export Picture saves the picture instead');
    }
  }
  pictures.copy = copyPicture;

  // ---- the context menu of a picture -------------------------------------------------------
  const menu = document.createElement('div');
  menu.id = 'pictureMenu';
  menu.className = 'pictureMenu';
  menu.setAttribute('role', 'menu');
  menu.hidden = true;
  document.body.append(menu);
  let origin = null;  // the picture the menu was opened on

  function item(text, act) {
    const b = document.createElement('button');
    b.type = 'button';
    b.setAttribute('role', 'menuitem');
    b.textContent = text;
    b.addEventListener('click', () => {
      const from = origin;
      closeMenu();
      act(from.name);
    });
    return b;
  }

  function openMenu(canvas, name, x, y) {
    origin = {canvas, name};
    const head = document.createElement('div');
    head.className = 'head';
    head.textContent = `Export Picture: ${nameOf(name)}`;
    const items = kChoices.map((c) => item(c.text, (n) => exportPicture(n, c)));
    items.push(item('Copy Picture', copyPicture));
    if (!(window.lineLabLarge && window.lineLabLarge.shown() === name)) {
      items.push(item('Show Large', (n) => window.lineLabLarge && window.lineLabLarge.show(n)));
    }
    menu.replaceChildren(head, ...items);
    menu.setAttribute('aria-label', `Picture of ${nameOf(name)}`);
    menu.hidden = false;
    const w = menu.offsetWidth;
    const h = menu.offsetHeight;
    menu.style.left = `${Math.max(0, Math.min(x, innerWidth - w - 4))}px`;
    menu.style.top = `${Math.max(0, Math.min(y, innerHeight - h - 4))}px`;
    items[0].focus();
  }

  function closeMenu(back = false) {
    if (menu.hidden) return;
    menu.hidden = true;
    if (back && origin && origin.canvas.checkVisibility()) origin.canvas.focus();
  }
  pictures.closeMenu = closeMenu;

  document.addEventListener('contextmenu', (e) => {
    const canvas = e.target.closest && e.target.closest('canvas[data-name], #largeView canvas');
    if (!canvas) return;
    const name = canvas.dataset.name || (window.lineLabLarge && window.lineLabLarge.shown());
    if (!name || !app.panels[name]) return;
    e.preventDefault();
    // From the keyboard (the menu key, Shift+F10) it opens at the picture's corner.
    const r = canvas.getBoundingClientRect();
    const fromKeys = e.clientX === 0 && e.clientY === 0;
    openMenu(canvas, name, fromKeys ? r.left + 8 : e.clientX, fromKeys ? r.top + 8 : e.clientY);
  });
  menu.addEventListener('keydown', (e) => {
    if (moveMenuFocus(e, [...menu.querySelectorAll('button')])) return;
    if (e.key === 'Escape') {
      e.preventDefault();
      e.stopPropagation();
      closeMenu(true);
    } else if (e.key === 'Tab') {
      closeMenu();
    }
  });
  document.addEventListener('pointerdown', (e) => {
    if (!menu.contains(e.target)) closeMenu();
  });
  window.addEventListener('blur', () => closeMenu());
})();
