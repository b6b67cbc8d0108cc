// What the drawn phone is to a screen reader: roles, names and states taken
// from what each view of the host's tree says it is (`kind`) and what the
// platform tells assistive technology of it (`traits`, `label`, `modal`).
// A picture without a label is decoration.
// Whatever a finger can tap gets tabindex -1 here; keyboard.js makes one of
// them the page's Tab stop and moves between them.

const MANAGED = ['role', 'aria-label', 'aria-checked', 'aria-disabled', 'aria-level', 'aria-hidden', 'aria-modal',
  'aria-valuemin', 'aria-valuemax', 'aria-valuenow'];

export const isCell = (node) => node.kind === 'cell';
const has = (node, trait) => Boolean(node.traits?.includes(trait));

function* descendants(node) {
  for (const child of node.children || []) {
    if (child.hidden) continue;
    yield child;
    yield* descendants(child);
  }
}

// A text that carries an accessibility label of its own (a chevron) is read as that label.
const textsOf = (node) => [...descendants(node)].filter((inner) => inner.text && !inner.label).map((inner) => inner.text);

// A row that acts by itself when tapped is one the platform calls a button.
export const isPressableRow = (node) => isCell(node) && has(node, 'button');

// A row's control is named by its own label (a slider's, whose row shows
// no title), else by the row's title.
const nameOf = (control, cell) => control.label || (cell && textsOf(cell)[0]);
const disabled = (node) => (has(node, 'notEnabled') ? { 'aria-disabled': 'true' } : {});
const checked = (node) => String(has(node, 'selected'));

const CONTROLS = {
  switch: (node, cell) => ({ role: 'switch', 'aria-checked': String(node.on), 'aria-label': nameOf(node, cell), focusable: true }),
  slider: (node, cell) => {
    const { min, max, value } = node.slider;
    const range = { 'aria-valuemin': String(min), 'aria-valuemax': String(max), 'aria-valuenow': String(value) };
    return { role: 'slider', 'aria-label': nameOf(node, cell), ...range, focusable: true };
  },
  segments: (node, cell) => ({ role: 'radiogroup', 'aria-label': nameOf(node, cell) }),
  // The field's input is the text box; the view around it is nothing to a reader.
  textField: () => ({}),
};

// What is presented names itself: an alert, a sheet or a page over the rest.
function describeModal(node) {
  return { role: node.kind === 'alert' ? 'alertdialog' : 'dialog', 'aria-modal': 'true', 'aria-label': node.label };
}

function describeView(node, parent, cell) {
  if (node.modal) return describeModal(node);
  if (parent?.kind === 'table') return { role: 'listitem', 'aria-label': node.kind === 'index' ? node.label : undefined };
  if (node.kind === 'table') return { role: 'list' };
  if (CONTROLS[node.kind]) return { ...CONTROLS[node.kind](node, cell), ...disabled(node) };
  if (parent?.kind === 'segments') return { role: 'radio', 'aria-checked': checked(node), focusable: true, ...disabled(parent) };
  if (has(node, 'button') && !isCell(node)) {
    const named = textsOf(node).some((text) => text.trim() !== '');
    return { role: 'button', 'aria-label': named || node.text ? undefined : node.label, focusable: true, ...disabled(node) };
  }
  if (node.label) return { role: 'img', 'aria-label': node.label };
  if (has(node, 'header')) return { role: 'heading', 'aria-level': parent?.kind === 'navigationBar' ? '2' : '3' };
  if (node.kind === 'image' && !node.children) return { 'aria-hidden': 'true' };
  return {};
}

// The row itself, for a row that acts when tapped: a button named by its
// texts, or a radio button when the row is one of a set of choices.
export function describeRow(node) {
  const choice = has(node, 'toggle');
  return {
    role: choice ? 'radio' : 'button',
    'aria-checked': choice ? checked(node) : undefined,
    'aria-label': textsOf(node).filter((text) => text.trim() !== '').join(', '),
    focusable: true,
  };
}

export function applyDescription(el, description) {
  for (const name of MANAGED) {
    const value = description[name];
    if (value === undefined) {
      if (el.hasAttribute(name)) el.removeAttribute(name);
    } else if (el.getAttribute(name) !== value) {
      el.setAttribute(name, value);
    }
  }
  // keyboard.js owns the value: 0 for the one Tab stop, -1 for the rest.
  if (!description.focusable) el.removeAttribute('tabindex');
  else if (!el.hasAttribute('tabindex')) el.setAttribute('tabindex', '-1');
}

export function describe(el, node, parent, cell) {
  applyDescription(el, describeView(node, parent, cell));
  const input = node.kind === 'textField' && el.querySelector(':scope > input');
  if (input) applyDescription(input, { 'aria-label': nameOf(node, cell), focusable: true });
}

// Whatever lies beside the topmost modal view is out of reach, as the
// platform has it: no Tab stop and nothing for a screen reader there until
// it is dismissed.
export function markBehindModals(screen) {
  for (const el of screen.querySelectorAll('[inert]:not(.row-out)')) el.inert = false;
  const modal = [...screen.querySelectorAll('.view[aria-modal="true"]')].at(-1);
  for (let view = modal; view && view !== screen; view = view.parentElement) {
    for (const sibling of view.parentElement.children) if (sibling !== view && sibling.matches('.view')) sibling.inert = true;
  }
}
