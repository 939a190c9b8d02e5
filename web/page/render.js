// A panel's picture drawn anew anywhere: the drawing commands the session's worker sends
// (clear, colour, line, in the panel's own units) replayed onto a canvas at any scale or
// written as SVG elements, with the panel's title, axis values and marks drawn as text
// where the page shows them over it, and the BER contours over the receive eye.
'use strict';

const kOpClear = 0;
const kOpColour = 1;
const kLabelFont = 'system-ui, sans-serif';
const kGround = 'rgba(255,255,255,0.8)';

function colourOfBgr(v) {
  v = v | 0;
  return `rgb(${v & 255},${(v >> 8) & 255},${(v >> 16) & 255})`;
}

const kPad = 4;  // px of a text's ground each side of it, so a line under it stops short

// The ground under a text of width `w` standing at x as `align` says.
function groundOf(x, w, align) {
  const left = align === 'left' ? x - kPad : align === 'right' ? x - w - kPad : x - w / 2 - kPad;
  return {left, width: w + 2 * kPad};
}

const measurer = new OffscreenCanvas(1, 1).getContext('2d');
function textWidth(text, size, bold = false) {
  measurer.font = `${bold ? 'bold ' : ''}${size}px ${kLabelFont}`;
  return measurer.measureText(text).width;
}

// Onto a 2D context whose units are CSS pixels (the caller scales it for the pixels wanted).
class CanvasPicture {
  constructor(ctx, width, height, lineWidth = 1) {
    Object.assign(this, {ctx, width, height, lineWidth, path: false});
  }
  clear() {
    this.flush();
    this.ctx.fillStyle = '#fff';
    this.ctx.fillRect(0, 0, this.width, this.height);
  }
  colour(c) {
    this.flush();
    this.ctx.strokeStyle = c;
  }
  line(x1, y1, x2, y2) {
    if (!this.path) {
      this.ctx.beginPath();
      this.ctx.lineWidth = this.lineWidth;
      this.path = true;
    }
    this.ctx.moveTo(x1, y1);
    this.ctx.lineTo(x2, y2);
  }
  flush() {
    if (this.path) this.ctx.stroke();
    this.path = false;
  }
  // `x` is the text's left, right or centre as `align` says; `y` its middle.
  text(t, x, y, {size, colour = '#444', align = 'left', ground = true, bold = false}) {
    this.flush();
    const ctx = this.ctx;
    ctx.font = `${bold ? 'bold ' : ''}${size}px ${kLabelFont}`;
    if (ground) {
      const g = groundOf(x, ctx.measureText(t).width, align);
      ctx.fillStyle = kGround;
      ctx.fillRect(g.left, y - size * 0.65, g.width, size * 1.3);
    }
    ctx.fillStyle = colour;
    ctx.textAlign = align === 'centre' ? 'center' : align;
    ctx.textBaseline = 'middle';
    ctx.fillText(t, x, y);
  }
}

// As SVG elements: each run of lines in one colour a path; a clear drops what it covers.
class SvgPicture {
  constructor(width, height, lineWidth = 1) {
    Object.assign(this, {width, height, lineWidth, parts: [], d: '', stroke: '#000', at: null});
  }
  clear() {
    this.flush();
    this.parts = [`<rect width="${this.width}" height="${this.height}" fill="#fff"/>`];
  }
  colour(c) {
    this.flush();
    this.stroke = c;
  }
  line(x1, y1, x2, y2) {
    const n = (v) => String(Math.round(v * 100) / 100);
    // A trace's next segment starts where the last ended: it goes on from there.
    const from = `${n(x1)} ${n(y1)}`;
    if (from !== this.at) this.d += `M${from}`;
    this.at = `${n(x2)} ${n(y2)}`;
    this.d += `L${this.at}`;
  }
  flush() {
    if (this.d) {
      this.parts.push(`<path d="${this.d}" stroke="${this.stroke}" stroke-width="${this.lineWidth}" fill="none"/>`);
    }
    this.d = '';
    this.at = null;
  }
  text(t, x, y, {size, colour = '#444', align = 'left', ground = true, bold = false}) {
    this.flush();
    if (ground) {
      const g = groundOf(x, textWidth(t, size, bold), align);
      this.parts.push(`<rect x="${g.left.toFixed(1)}" y="${(y - size * 0.65).toFixed(1)}" width="${g.width.toFixed(1)}" ` +
                      `height="${(size * 1.3).toFixed(1)}" fill="#fff" fill-opacity="0.8"/>`);
    }
    const anchor = {left: 'start', right: 'end', centre: 'middle'}[align];
    this.parts.push(`<text x="${x.toFixed(1)}" y="${y.toFixed(1)}" font-family="${kLabelFont}" ` +
                    `font-size="${size}"${bold ? ' font-weight="bold"' : ''} fill="${colour}" ` +
                    `text-anchor="${anchor}" dominant-baseline="central">${escapeXml(t)}</text>`);
  }
  toString(title = 'LineLab') {
    this.flush();
    return `<?xml version="1.0" encoding="UTF-8"?>\n<svg xmlns="http://www.w3.org/2000/svg" ` +
           `width="${this.width}" height="${this.height}" viewBox="0 0 ${this.width} ${this.height}">\n` +
           `<title>${escapeXml(title)}</title>\n${this.parts.join('\n')}\n</svg>\n`;
  }
}

function escapeXml(t) {
  return String(t).replace(/[<>&"]/g, (c) => ({'<': '&lt;', '>': '&gt;', '&': '&amp;', '"': '&quot;'})[c]);
}

// The commands of one update (or of a kept log) onto a picture, units scaled by sx, sy.
function replayCommands(commands, picture, sx, sy) {
  for (let i = 0; i < commands.length;) {
    const op = commands[i];
    if (op === kOpClear) {
      picture.clear();
      i += 1;
    } else if (op === kOpColour) {
      picture.colour(colourOfBgr(commands[i + 1]));
      i += 2;
    } else {
      picture.line(commands[i + 1] * sx, commands[i + 2] * sy, commands[i + 3] * sx, commands[i + 4] * sy);
      i += 5;
    }
  }
  picture.flush();
}

// Where a panel's texts stand in a picture of width x height at a text size: the values at
// the top and bottom right edges, the title top left, the symbols across at the foot, the
// marks (the receive eye's thresholds) at the right. A text that would cross one placed
// before it is shortened (the title, the foot) or left out (a mark).
function panelLabels(frame, width, height, size) {
  const fmt = (v) => String(Number(v.toPrecision(3)));
  const placed = [];
  const boxOf = (l) => {
    const g = groundOf(l.x, textWidth(l.text, size), l.align);
    return {left: g.left, right: g.left + g.width, top: l.y - size * 0.65, bottom: l.y + size * 0.65};
  };
  const crosses = (b) => placed.some((p) => b.left < p.box.right && b.right > p.box.left &&
                                            b.top < p.box.bottom && b.bottom > p.box.top);
  const place = (l, shorten) => {
    let text = l.text;
    let box = boxOf(l);
    while (crosses(box) && shorten && text.length > 1) {
      text = text.slice(0, -2) + '\u2026';
      box = boxOf({...l, text});
    }
    if (crosses(box) || box.left < -kPad || box.right > width + kPad) return;
    placed.push({...l, text, box});
  };
  const top = size * 0.65 + 2;
  const bottom = height - size * 0.65 - 2;
  if (frame.values) {
    const {unit, marks} = frame.values;
    const suffix = unit ? ` ${unit}` : '';
    place({text: fmt(frame.values.top) + suffix, x: width - 3, y: top, align: 'right'});
    place({text: fmt(frame.values.bottom) + suffix, x: width - 3, y: bottom, align: 'right'});
    for (const m of marks) {
      const y = (frame.values.top - m) / (frame.values.top - frame.values.bottom) * height;
      place({text: fmt(m), x: width - 3, y, align: 'right', colour: '#080'});
    }
  }
  const title = frame.title || frame.side;
  if (title) place({text: title, x: 5, y: top, align: 'left'}, true);
  const foot = frame.symbols > 0 ? `${fmt(frame.symbols)} symbols across` : frame.kHz ? '0 to 4 kHz across' : '';
  if (foot) place({text: foot, x: 5, y: bottom, align: 'left'}, true);
  return placed;
}

// The BER contours over the receive eye as the statistical views placed them, each labelled
// where they say, stacked where lines lie together.
function drawContoursOn(picture, views, sx, sy, size) {
  const placed = [];
  for (const c of (views && views.contours) || []) {
    picture.colour(c.colour);
    const s = c.segments;
    for (let i = 0; i + 3 < s.length; i += 4) picture.line(s[i] * sx, s[i + 1] * sy, s[i + 2] * sx, s[i + 3] * sy);
    picture.flush();
    if (!c.labelAt) continue;
    const x = c.labelAt[0] * sx;
    const width = textWidth(c.label, size) + 4;
    let y = c.labelAt[1] * sy;
    while (placed.some((b) => Math.abs(b[0] - x) < (b[1] + width) / 2 && Math.abs(b[2] - y) < size * 1.2)) y += size * 1.2;
    placed.push([x, width, y]);
    picture.text(c.label, x, y, {size, colour: c.colour, align: 'centre'});
  }
}

// A whole panel as it stands now: its kept drawing, its contours, its texts.
// `p` is the page's panel (its log of commands and units), `frame` its titles and axes.
function drawPanel(picture, p, frame, {contours = null, size = 11} = {}) {
  const {width, height} = picture;
  picture.clear();
  const off = frame && frame.off;
  const sx = width / p.units[0];
  const sy = height / p.units[1];
  if (!off) {
    for (const commands of p.log) replayCommands(commands, picture, sx, sy);
    if (contours) drawContoursOn(picture, contours, sx, sy, size * 0.9);
  }
  drawPanelTexts(picture, frame, size);
  // Framed as on the page.
  const [w, h] = [width - 0.5, height - 0.5];
  picture.colour('#999');
  for (const [x1, y1, x2, y2] of [[0.5, 0.5, w, 0.5], [w, 0.5, w, h], [w, h, 0.5, h], [0.5, h, 0.5, 0.5]]) picture.line(x1, y1, x2, y2);
  picture.flush();
}

function drawPanelTexts(picture, frame, size) {
  if (!frame) return;
  if (frame.off) {
    picture.text(frame.off, picture.width / 2, picture.height / 2, {size, colour: '#595959', align: 'centre', ground: false});
  }
  for (const l of panelLabels(frame, picture.width, picture.height, size)) picture.text(l.text, l.x, l.y, {size, ...l});
}

window.lineLabRender = {CanvasPicture, SvgPicture, replayCommands, panelLabels, drawPanel, drawPanelTexts,
                        drawContoursOn, textWidth};
