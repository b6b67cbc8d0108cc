// Draws the phone's screen from the host's view tree: one absolutely placed
// element per view, kept across updates by the view's id so that CSS
// transitions can play the host's animations (a fade, a switch flipping, rows
// sliding in or out). The host owns layout; nothing here measures or decides.

import { drawField, drawSlider, drawSwitch, drawSymbol, holdSlider } from './controls.js';
import { applyDescription, describe, describeRow, isCell, isPressableRow, markBehindModals } from './roles.js';

const ROW_ANIMATION_SECONDS = 0.3;
const SHEET_CORNER_RADIUS = 13;

// Where a device path of a picture is served from.
export function imageUrl(devicePath) {
  return '/device' + devicePath.split('/').map(encodeURIComponent).join('/');
}

function backgroundSizeFor(node) {
  switch (node.contentMode) {
    case 1: return 'contain';
    case 2: return 'cover';
    case 4: return node.imageSize ? `${node.imageSize[0]}px ${node.imageSize[1]}px` : 'auto';
    default: return '100% 100%';
  }
}

const isScrollView = (node) => node.kind === 'scroll' || node.kind === 'table';
const isSheet = (node) => node?.kind === 'alert' || node?.kind === 'sheet';

export class ScreenRenderer {
  constructor(screen) {
    this.screen = screen;
    this.records = new Map(); // view id -> { el, node, parentId, ... }
    this.clock = 0;           // the host's run-loop clock at the last render
    this.clockReadAt = 0;     // performance.now() when that clock was read
  }

  // Seconds on the host's clock, now.
  now() {
    return this.clock + (performance.now() - this.clockReadAt) / 1000;
  }

  render(window, clock) {
    this.clock = clock;
    this.clockReadAt = performance.now();
    const seen = new Set();
    const [, , width, height] = window.frame;
    this.screen.style.width = `${width}px`;
    this.screen.style.height = `${height}px`;
    const root = this.renderView(window, null, { seen, rowMotion: null, cell: null });
    if (this.screen.firstChild !== root || this.screen.childNodes.length !== 1) this.screen.replaceChildren(root);
    this.removeUnseen(seen);
    markBehindModals(this.screen);
  }

  renderView(node, parent, context) {
    context.seen.add(node.id);
    let record = this.records.get(node.id);
    if (!record || record.node.class !== node.class) {
      if (record) record.el.remove();
      record = this.createRecord(node, context);
      this.records.set(node.id, record);
    }
    record.parentId = parent ? parent.id : null;
    record.inRowMotion = Boolean(context.rowMotion);
    this.applyTransition(record, node, context);
    this.place(record.el, node, parent);
    this.applyLooks(record, node, parent);
    describe(record.el, node, parent, context.cell);
    this.drawPress(record, node);
    record.node = node;
    const childContext = {
      seen: context.seen, rowMotion: this.rowMotionOf(record, node, context), cell: isCell(node) ? node : context.cell,
    };
    this.renderChildren(record, node, childContext);
    return record.el;
  }

  createRecord(node, context) {
    const el = document.createElement('div');
    el.className = 'view';
    el.dataset.id = node.id;
    el.dataset.class = node.class;
    el.dataset.kind = node.kind;
    const record = { el, node, decorations: [], animationSerial: null, animationEndsAt: 0 };
    // A row that arrives with a row change fades in, as the table inserts it.
    if (context.rowMotion && context.rowMotion.inserted) el.classList.add('row-in');
    el.addEventListener('animationend', () => el.classList.remove('row-in'));
    return record;
  }

  // The host has already set the final values; a new animation serial says
  // they are to be reached over the animation's duration, of which part may
  // already have passed on the host's clock.
  applyTransition(record, node, context) {
    const animation = node.animation;
    const nowMs = performance.now();
    if (animation && animation.serial !== record.animationSerial) {
      record.animationSerial = animation.serial;
      const remaining = animation.duration - (this.now() - animation.start);
      if (remaining > 0.02) {
        this.setTransition(record, remaining);
        record.animationEndsAt = nowMs + remaining * 1000;
        return;
      }
    }
    if (context.rowMotion && !record.el.classList.contains('row-in')) {
      this.setTransition(record, ROW_ANIMATION_SECONDS, ['left', 'top', 'width', 'height']);
      record.animationEndsAt = nowMs + ROW_ANIMATION_SECONDS * 1000;
      return;
    }
    if (nowMs >= record.animationEndsAt) this.setTransition(record, 0);
  }

  setTransition(record, seconds, properties = ['opacity', 'left', 'top', 'width', 'height', 'background-color']) {
    const value = seconds > 0 ? properties.map((p) => `${p} ${seconds.toFixed(3)}s ease-in-out`).join(', ') : 'none';
    record.el.style.transition = value;
    record.el.style.setProperty('--transition', value);
  }

  place(el, node, parent) {
    const [x, y, w, h] = node.frame;
    const [px, py] = parent ? parent.frame : [0, 0];
    el.style.left = `${x - px}px`;
    el.style.top = `${y - py}px`;
    el.style.width = `${w}px`;
    el.style.height = `${h}px`;
    el.style.opacity = String(node.alpha);
    el.style.display = node.hidden ? 'none' : '';
    // Children come in reading order; they are painted in drawing order.
    el.style.zIndex = node.z === undefined ? '' : String(node.z);
  }

  applyLooks(record, node, parent) {
    const el = record.el;
    el.style.backgroundColor = node.background || '';
    el.classList.toggle('clips', isScrollView(node));
    el.classList.toggle('cell', isCell(node));
    // A row that ends where its table ends (a cell's own little table) leaves
    // the line under it to the row that holds the table.
    el.classList.toggle('last-in-table', isCell(node) && Boolean(parent) &&
      Math.abs(node.frame[1] + node.frame[3] - (parent.frame[1] + parent.frame[3])) < 0.5);
    el.classList.toggle('cell-selected', Boolean(node.selected));
    el.classList.toggle('card', isSheet(parent));
    el.classList.toggle('sheet-button', node.kind === 'button' && Boolean(parent && this.records.get(parent.id)?.el.classList.contains('card')));
    const decorate = (key, make) => this.decoration(record, key, make);
    const draw = {
      label: () => this.drawLabel(record, node),
      image: () => this.drawImage(el, node),
      switch: () => drawSwitch(record, node, decorate),
      textField: () => drawField(record, node, decorate),
      slider: () => drawSlider(record, node, decorate),
      segments: () => el.style.setProperty('--control-tint', node.tint),
      button: () => drawSymbol(record, node, decorate),
      window: () => this.screen.style.setProperty('--tint', node.tint),
    }[node.kind];
    draw?.();
  }

  decoration(record, key, make) {
    if (!record[key]) {
      record[key] = make();
      record.el.insertBefore(record[key], record.decorations.length ? record.decorations.at(-1).nextSibling : record.el.firstChild);
      record.decorations.push(record[key]);
    }
    return record[key];
  }

  drawLabel(record, node) {
    const el = record.el;
    const text = this.decoration(record, 'textEl', () => {
      const span = document.createElement('span');
      span.className = 'text';
      return span;
    });
    if (text.textContent !== node.text) text.textContent = node.text;
    el.classList.add('label');
    el.classList.toggle('multiline', node.lines !== 1);
    el.style.color = node.textColor;
    el.style.fontSize = `${node.font.size}px`;
    el.style.fontWeight = node.font.bold ? '600' : '400';
    el.style.textAlign = node.align;
    el.style.justifyContent = { left: 'flex-start', center: 'center', right: 'flex-end' }[node.align];
    text.style.webkitLineClamp = node.lines > 1 ? String(node.lines) : '';
  }

  drawImage(el, node) {
    const url = node.image ? `url("${imageUrl(node.image)}")` : '';
    if (el.dataset.image !== (node.image || '')) {
      el.dataset.image = node.image || '';
      el.style.backgroundImage = url;
    }
    el.style.backgroundSize = backgroundSizeFor(node);
  }

  // A finger on the slider `el` at the host's x: the knob follows it until
  // the host has the value (letGo). The point on the slider it rests at.
  holdSlider(el, x) {
    return holdSlider(this.records.get(el.dataset.id), x);
  }

  letGo(el) {
    delete el.dataset.held;
    const record = this.records.get(el.dataset.id);
    if (record) drawSlider(record, record.node, (key, make) => this.decoration(record, key, make));
  }

  // A row that acts when tapped is one button over the whole row, named by
  // its texts; the keyboard taps its centre as a finger would.
  drawPress(record, node) {
    if (!isPressableRow(node)) {
      record.pressEl?.remove();
      if (record.pressEl) record.decorations.splice(record.decorations.indexOf(record.pressEl), 1);
      record.pressEl = null;
      return;
    }
    const press = this.decoration(record, 'pressEl', () => {
      const div = document.createElement('div');
      div.className = 'press';
      return div;
    });
    applyDescription(press, describeRow(node));
  }

  rowMotionOf(record, node, context) {
    const change = node.rowChange;
    if (change && change.start !== record.rowChangeStart) {
      record.rowChangeStart = change.start;
      const age = this.now() - change.start;
      record.rowMotion = age < ROW_ANIMATION_SECONDS ? change : null;
      record.rowMotionUntil = performance.now() + ROW_ANIMATION_SECONDS * 1000;
    }
    if (record.rowMotion && performance.now() < record.rowMotionUntil) return record.rowMotion;
    return isScrollView(node) ? null : context.rowMotion;
  }

  renderChildren(record, node, context) {
    let previous = record.decorations.length ? record.decorations.at(-1) : null;
    for (const child of node.children || []) {
      const childEl = this.renderView(child, node, context);
      const expected = previous ? previous.nextSibling : record.el.firstChild;
      if (childEl !== expected) record.el.insertBefore(childEl, expected);
      previous = childEl;
    }
  }

  removeUnseen(seen) {
    for (const [id, record] of this.records) {
      if (seen.has(id)) continue;
      this.records.delete(id);
      // A view whose superview went too leaves with it.
      if (record.parentId && !seen.has(record.parentId)) continue;
      const parent = this.records.get(record.parentId);
      const leavingWithRows = parent && parent.rowMotion && performance.now() < parent.rowMotionUntil &&
        !parent.rowMotion.inserted && seen.has(record.parentId);
      if (!leavingWithRows) {
        record.el.remove();
        continue;
      }
      // A removed row fades where it stood while the rows below close up.
      record.el.removeAttribute('data-id');
      record.el.classList.add('row-out');
      record.el.inert = true;
      setTimeout(() => record.el.remove(), ROW_ANIMATION_SECONDS * 1000);
    }
  }
}

export { SHEET_CORNER_RADIUS };
