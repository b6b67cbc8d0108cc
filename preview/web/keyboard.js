// The phone without a mouse. Tab walks what a finger can tap in reading order
// (the navigation bar, then each table's rows top to bottom, its index last),
// the order of the page itself;
// Enter and Space tap the element's centre as a click would, so the host
// hit-tests the point; arrows and Page Up/Down scroll the table holding the
// focus by a distance, as the wheel does. A text field keeps every key but
// Tab for typing; a slider moves a tenth of its range with Left and Right, to
// its ends with Home and End, as its knob dragged there would. One element of the phone is the
// page's Tab stop (tabindex 0), the rest -1, so Tab leaves the phone after
// its last element and Shift+Tab before its first.

const LINE = 40;
const PAGE_OVERLAP = 44;
const FOCUSABLE = '[tabindex]';

export class PhoneKeyboard {
  // tap(clientX, clientY), scroll(dy, clientX, clientY) and slide(clientX, clientY) act on the host.
  constructor(screen, { tap, scroll, slide }) {
    this.screen = screen;
    this.tap = tap;
    this.scroll = scroll;
    this.slide = slide;
    this.focused = null;    // the phone's element that has the focus, or lost it to drawing
    this.entry = null;      // the phone's one Tab stop
    this.returnTo = null;   // what had the focus before an alert or sheet took it
    screen.addEventListener('keydown', (event) => this.onKey(event));
    screen.addEventListener('focusin', (event) => this.onFocus(event.target));
    // Focus leaving for the rest of the page lets go of the phone. Drawing
    // also takes it away (a moved, removed or covered element loses it):
    // afterRender puts it back.
    screen.addEventListener('focusout', (event) => {
      if (!this.rendering && !screen.contains(event.relatedTarget)) this.focused = null;
    });
    // The host owns scrolling: undo the browser's own scrolling of a clipped view.
    screen.addEventListener('scroll', (event) => {
      if (event.target instanceof Element) event.target.scrollTop = event.target.scrollLeft = 0;
    }, true);
  }

  // Everything that can take the focus now, in reading order: the host
  // sends the views in that order and the page keeps it.
  stops() {
    return [...this.screen.querySelectorAll(FOCUSABLE)].filter((el) => !el.closest('[inert]') && el.getClientRects().length);
  }

  // Called after every drawing: keeps the focus on the phone when what held it
  // went away (a page pushed or popped, an alert shown or dismissed, a row
  // scrolled off), and keeps exactly one Tab stop.
  beforeRender() {
    this.rendering = true;
  }

  afterRender() {
    this.rendering = false;
    const stops = this.stops();
    if (this.focused && !stops.includes(this.focused)) this.recover(stops);
    else if (this.focused && document.activeElement !== this.focused) this.moveTo(this.focused, { reveal: false });
    // The Tab stop is what last had the focus while it is there to take it.
    this.entry = [this.focused, this.entry].find((el) => el && stops.includes(el)) ?? stops[0];
    for (const el of this.screen.querySelectorAll('[tabindex="0"]')) if (el !== this.entry) el.tabIndex = -1;
    if (this.entry) this.entry.tabIndex = 0;
  }

  recover(stops) {
    const gone = this.focused;
    // An alert or sheet came over it: it gets the focus back when that goes.
    if (gone.isConnected && gone.closest('[inert]')) this.returnTo = gone;
    if (this.returnTo && stops.includes(this.returnTo)) {
      const back = this.returnTo;
      this.returnTo = null;
      this.moveTo(back, { reveal: false });
      return;
    }
    const table = this.focusedTable?.deref();
    const inSameTable = table && table.isConnected && stops.find((el) => table.contains(el) && isWhole(el));
    this.moveTo(inSameTable || stops[0], { reveal: false });
  }

  // Focus given back after drawing stays where the host scrolled; focus
  // moved by Tab brings its element into view.
  moveTo(el, { reveal = true } = {}) {
    if (!el) {
      this.focused = null;
      return;
    }
    el.tabIndex = 0;
    this.reveal = reveal;
    el.focus({ preventScroll: true });
    this.reveal = true;
  }

  onFocus(el) {
    if (!el.matches(FOCUSABLE)) return;
    for (const other of this.screen.querySelectorAll('[tabindex="0"]')) if (other !== el) other.tabIndex = -1;
    el.tabIndex = 0;
    this.focused = this.entry = el;
    const table = el.closest('.clips');
    this.focusedTable = table ? new WeakRef(table) : null;
    if (this.reveal !== false && el.matches(':focus-visible')) this.bringIntoView(el, table);
  }

  // A row partly out of its table is scrolled in by the host, so that its
  // centre, where Enter taps, is on screen.
  bringIntoView(el, table) {
    if (!table) return;
    const box = el.getBoundingClientRect();
    const frame = table.getBoundingClientRect();
    const scale = this.scale();
    const dy = box.top < frame.top ? box.top - frame.top : box.bottom > frame.bottom ? box.bottom - frame.bottom : 0;
    if (Math.abs(dy) >= 1) this.scroll(dy / scale, ...centre(frame));
  }

  scale() {
    return this.screen.getBoundingClientRect().width / this.screen.offsetWidth || 1;
  }

  onKey(event) {
    const el = event.target;
    if (event.altKey || event.ctrlKey || event.metaKey) return;
    if (event.key === 'Tab') {
      this.onTab(event);
      return;
    }
    if (el.matches('input')) return;
    if (el.matches('[role=slider]') && this.onSliderKey(event)) return;
    if ((event.key === 'Enter' || event.key === ' ') && el.matches(FOCUSABLE)) {
      event.preventDefault();
      if (!event.repeat) this.tap(...centre(visibleBox(el)));
      return;
    }
    const table = el.closest('.clips') ?? [...this.screen.querySelectorAll('.clips')].find((view) => !view.closest('[inert]'));
    const distance = this.scrollDistance(event.key, table);
    if (!distance) return;
    event.preventDefault();
    this.scroll(distance, ...centre(visibleBox(table)));
  }

  // The slider under its own centre goes to the new value.
  onSliderKey(event) {
    const el = event.target;
    const [min, max, now] = ['aria-valuemin', 'aria-valuemax', 'aria-valuenow'].map((name) => Number(el.getAttribute(name)));
    const step = (max - min) / 10;
    const wanted = { ArrowLeft: now - step, ArrowRight: now + step, Home: min, End: max }[event.key];
    if (wanted === undefined) return false;
    event.preventDefault();
    const box = el.getBoundingClientRect();
    this.slide(box.left + box.width / 2, box.top + box.height / 2, Math.min(Math.max(wanted, min), max));
    return true;
  }

  scrollDistance(key, table) {
    if (!table) return 0;
    const page = table.offsetHeight - PAGE_OVERLAP;
    return { ArrowDown: LINE, ArrowUp: -LINE, PageDown: page, PageUp: -page }[key] ?? 0;
  }

  // Within the phone Tab follows reading order; past either end the browser
  // moves on from the single Tab stop, out of the phone.
  onTab(event) {
    const stops = this.stops();
    const next = stops[stops.indexOf(event.target) + (event.shiftKey ? -1 : 1)];
    if (!next || !stops.includes(event.target)) return;
    event.preventDefault();
    this.moveTo(next);
  }
}

// The part of an element not clipped away by the views around it.
function visibleBox(el) {
  let { left, top, right, bottom } = el.getBoundingClientRect();
  for (let clip = el.parentElement?.closest('.clips, .screen'); clip; clip = clip.parentElement?.closest('.clips, .screen')) {
    const box = clip.getBoundingClientRect();
    left = Math.max(left, box.left);
    top = Math.max(top, box.top);
    right = Math.min(right, box.right);
    bottom = Math.min(bottom, box.bottom);
    if (clip.classList.contains('screen')) break;
  }
  return { left, top, right: Math.max(left, right), bottom: Math.max(top, bottom) };
}

function isWhole(el) {
  const box = el.getBoundingClientRect();
  const seen = visibleBox(el);
  return seen.bottom - seen.top >= box.height - 1;
}

const centre = (box) => [(box.left + box.right) / 2, (box.top + box.bottom) / 2];
