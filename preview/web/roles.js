// What the drawn phone is to a screen reader: roles, names and states taken
// from the host's view tree. Whatever a finger can tap gets tabindex -1 here;
// keyboard.js makes one of them the page's Tab stop and moves between them.

const ROW_MARK_CHOSEN = 222;
const ROW_MARK_NOT_CHOSEN = 111;
const MANAGED = ['role', 'aria-label', 'aria-checked', 'aria-disabled', 'aria-level', 'aria-hidden', 'aria-modal',
  'aria-valuemin', 'aria-valuemax', 'aria-valuenow'];

export const isCell = (node) => 'selected' in node;
const isTable = (node) => node.class === 'UITableView';
const isSwitch = (node) => 'on' in node;
const isControl = (node) => 'enabled' in node;
const isImage = (node) => 'contentMode' in node;

function* descendants(node) {
  for (const child of node.children || []) {
    if (child.hidden) continue;
    yield child;
    yield* descendants(child);
  }
}

// A text that carries an accessibility label of its own (a chevron) is read as that label.
const textsOf = (node) => [...descendants(node)].filter((inner) => inner.text && !inner.label).map((inner) => inner.text);

// A row acts by itself when it shows a text and nothing inside it takes the
// tap first: no switch, button or row of its own little table. (A row of
// pictures only, as the panel's banner, does nothing when tapped, nor does
// a row that takes no touch, as a title and its value.)
export function isPressableRow(node) {
  return isCell(node) && node.interactive !== false && textsOf(node).some((text) => text.trim() !== '') &&
    ![...descendants(node)].some((inner) => isControl(inner) || isCell(inner));
}

// The alert is the card centred on the dimmed screen; sheets sit at the
// bottom and the mail composer fills the screen.
function isCentredCard(node, sheet) {
  const [, y, w, h] = node.frame;
  const [, sy, sw, sh] = sheet.frame;
  return w < sw && Math.abs(y + h / 2 - (sy + sh / 2)) < 2;
}

// A row's control is named by the row's title.
const nameOf = (control, cell) => (cell && textsOf(cell)[0]) || control.label;

function describeView(node, parent, cell) {
  if (parent && isTable(parent)) {
    return node.class === 'UITableViewIndex' ? { role: 'listitem', 'aria-label': 'Section index' } : { role: 'listitem' };
  }
  if (isTable(node)) return { role: 'list' };
  if (isSwitch(node)) {
    return { role: 'switch', 'aria-checked': String(node.on), 'aria-label': nameOf(node, cell), focusable: true, ...disabled(node) };
  }
  if ('slider' in node) {
    const { min, max, value } = node.slider;
    const range = { 'aria-valuemin': String(min), 'aria-valuemax': String(max), 'aria-valuenow': String(value) };
    return { role: 'slider', 'aria-label': nameOf(node, cell), ...range, focusable: true, ...disabled(node) };
  }
  if ('segments' in node) return { role: 'radiogroup', 'aria-label': nameOf(node, cell), ...disabled(node) };
  if (parent && 'segments' in parent) {
    const chosen = parent.children.indexOf(node) === parent.segments.selected;
    return { role: 'radio', 'aria-checked': String(chosen), focusable: true, ...disabled(parent) };
  }
  // The field's input is the text box; the view around it is nothing to a reader.
  if ('field' in node) return {};
  if (isControl(node)) {
    const named = textsOf(node).some((text) => text.trim() !== '');
    return { role: 'button', 'aria-label': named ? undefined : node.label, focusable: true, ...disabled(node) };
  }
  if (parent && parent.class === 'UIModalSheetView' && !('text' in node)) {
    return { role: isCentredCard(node, parent) ? 'alertdialog' : 'dialog', 'aria-modal': 'true', 'aria-label': textsOf(node)[0] };
  }
  if ('text' in node) return node.label ? { role: 'img', 'aria-label': node.label } : describeLabel(node, parent);
  if (node.label) return { role: 'img', 'aria-label': node.label };
  if (isImage(node) && !node.children) return { 'aria-hidden': 'true' };
  return {};
}

function describeLabel(node, parent) {
  if (!parent) return {};
  if (parent.class === 'UITableViewIndex') return { role: 'button', focusable: true };
  // A header's title is one line; a footer's note wraps.
  if (parent.class === 'UITableViewHeaderFooterView' && node.lines === 1) return { role: 'heading', 'aria-level': '3' };
  if (parent.class === 'UINavigationBar') return { role: 'heading', 'aria-level': '2' };
  return {};
}

const disabled = (node) => (node.enabled === false ? { 'aria-disabled': 'true' } : {});

// The row itself, for a row that acts when tapped: a button named by its
// texts, or a radio button when the row carries a choice mark.
export function describeRow(node) {
  const marks = [...descendants(node)].map((inner) => inner.tag);
  const choice = marks.includes(ROW_MARK_CHOSEN) ? 'true' : marks.includes(ROW_MARK_NOT_CHOSEN) ? 'false' : undefined;
  return {
    role: choice ? 'radio' : 'button',
    'aria-checked': choice,
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
  const input = 'field' in node && el.querySelector(':scope > input');
  if (input) applyDescription(input, { 'aria-label': nameOf(node, cell), focusable: true });
}

// Whatever lies under a presented alert or sheet is out of reach, as the host
// has it: no Tab stop and nothing for a screen reader there.
export function markBehindModals(screen) {
  for (const el of screen.querySelectorAll('[inert]:not(.row-out)')) el.inert = false;
  for (const sheet of screen.querySelectorAll('.view[data-class="UIModalSheetView"]')) {
    for (let behind = sheet.previousElementSibling; behind; behind = behind.previousElementSibling) behind.inert = true;
  }
}
