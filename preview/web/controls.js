// The looks of the phone's controls, drawn into a view's element: a switch's
// track, a text field's input, a slider's track and knob, a bar button's
// symbol. `decorate(key, make)` gives the record's decoration element of that
// key, made on first use (renderer.js keeps it before the view's subviews).

import { symbolFor } from './symbols.js';

const KNOB_RADIUS = 14;

export function drawSwitch(record, node, decorate) {
  const track = decorate('trackEl', () => {
    const div = document.createElement('div');
    div.className = 'switch-track';
    div.appendChild(document.createElement('div')).className = 'switch-knob';
    return div;
  });
  track.classList.toggle('on', node.on);
  track.style.setProperty('--on-tint', node.onTint || node.tint);
  track.style.opacity = node.enabled === false ? '0.5' : '';
}

// The field is a real input the computer's keyboard types into (the input
// job sends the text on Return or when the field is left). What the person
// is typing stays until its own text comes back from the host.
export function drawField(record, node, decorate) {
  const input = decorate('inputEl', () => {
    const field = document.createElement('input');
    field.type = 'text';
    field.className = 'field';
    field.spellcheck = false;
    field.autocomplete = 'off';
    return field;
  });
  const { text, placeholder } = node.field;
  const typing = document.activeElement === input;
  const ownTextBack = input.dataset.sent !== undefined && text !== record.fieldText;
  if ((!typing || ownTextBack) && input.value !== text) input.value = text;
  record.fieldText = text;
  input.placeholder = placeholder || '';
  input.disabled = node.enabled === false;
  input.style.caretColor = node.tint;
}

// The knob's centre keeps KNOB_RADIUS from either end of the frame; the
// track is filled in the tint up to it.
export function drawSlider(record, node, decorate) {
  const track = decorate('sliderEl', () => {
    const div = document.createElement('div');
    div.className = 'slider-track';
    div.appendChild(document.createElement('div')).className = 'slider-fill';
    div.appendChild(document.createElement('div')).className = 'slider-knob';
    return div;
  });
  const { value, min, max } = node.slider;
  record.el.classList.add('slider');
  record.el.style.setProperty('--control-tint', node.tint);
  track.style.opacity = node.enabled === false ? '0.5' : '';
  if (record.el.dataset.held === undefined) record.el.style.setProperty('--fraction', max > min ? (value - min) / (max - min) : 0);
}

// A finger on the slider of `record` at the host's x: the knob follows it
// until the host has the value. The point on the slider it rests at.
export function holdSlider(record, x) {
  const el = record.el;
  const [left, top, width, height] = record.node.frame;
  const held = Math.min(Math.max(x, left + KNOB_RADIUS), left + width - KNOB_RADIUS);
  el.dataset.held = '';
  el.style.setProperty('--fraction', width > 2 * KNOB_RADIUS ? (held - left - KNOB_RADIUS) / (width - 2 * KNOB_RADIUS) : 0);
  return [held, top + height / 2];
}

// System bar items show a symbol in place of a title.
export function drawSymbol(record, node, decorate) {
  const title = (node.children || []).find((child) => child.kind === 'label');
  const symbol = !title || title.text === '' ? symbolFor(node.label) : null;
  if (!symbol && !record.symbolEl) return;
  const holder = decorate('symbolEl', () => {
    const div = document.createElement('div');
    div.className = 'symbol';
    return div;
  });
  if (holder.dataset.symbol !== node.label) {
    holder.dataset.symbol = node.label || '';
    holder.replaceChildren(...(symbol ? [symbol] : []));
  }
  holder.style.color = node.tint;
}
