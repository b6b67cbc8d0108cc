// The browser side of the Settings app: draws the phone from the host's
// state, sends taps and scrolls as points and distances, and shows the
// device controls, the settings files and the event log beside it.

import { sharedTextToCopy } from './clipboard.js';
import { PhoneKeyboard } from './keyboard.js';
import { ScreenRenderer } from './renderer.js';

const RETRY_MS = 500;
// The log beside the phone keeps as many entries as the app does.
const MOST_EVENTS = 500;
const BANNER_MS = 3500;
const DRAG_THRESHOLD = 6;
const WHEEL_LINE = 16;

const screen = document.getElementById('screen');
const phone = document.getElementById('phone');
const renderer = new ScreenRenderer(screen);

// `nextEvent`: the index in the app's whole log of the first entry not yet shown.
const shown = { version: 0, nextEvent: 0, files: null, device: null, apps: '' };

async function request(method, path, body) {
  const options = { method, headers: {} };
  if (body !== undefined) {
    options.headers['Content-Type'] = 'application/json';
    options.body = JSON.stringify(body);
  }
  const response = await fetch(path, options);
  const answer = await response.json().catch(() => ({}));
  if (!response.ok) throw Object.assign(new Error(answer.error || response.statusText), { status: response.status });
  return answer;
}

// Every answer that carries a tree is drawn, unless a newer one already was.
function showTree(answer) {
  if (!answer.window || answer.version < shown.version) return;
  shown.version = answer.version;
  keyboard.beforeRender();
  renderer.render(answer.window, answer.clock);
  keyboard.afterRender();
  const [, , width, height] = answer.window.frame;
  phone.classList.toggle('landscape', width > height);
  document.body.dataset.version = String(answer.version);
}

function showState(state) {
  showTree(state);
  showEvents(state);
  showFiles(state.files);
  showDevice(state.device);
}

// The feed: each answer comes as soon as the phone changes past the version
// asked for; a busy app answers at once, and is asked again a little later.
async function follow() {
  for (;;) {
    try {
      const since = shown.version ? `since=${shown.version}&` : '';
      const state = await request('GET', `/api/state?${since}events=${shown.nextEvent}`);
      showState(state);
      if (state.busy) await new Promise((resolve) => setTimeout(resolve, RETRY_MS));
    } catch (error) {
      setConnected(false);
      await new Promise((resolve) => setTimeout(resolve, RETRY_MS));
      continue;
    }
    setConnected(true);
  }
}

function setConnected(connected) {
  document.body.classList.toggle('disconnected', !connected);
}

async function act(path, body) {
  try {
    showTree(await request('POST', path, body));
  } catch (error) {
    showBanner(error.message, 'error');
  }
}

// --- input: a tap is a point, a drag or the wheel a distance ---------------

function pointOf(event) {
  const box = screen.getBoundingClientRect();
  const scale = box.width / screen.offsetWidth || 1;
  return [(event.clientX - box.left) / scale, (event.clientY - box.top) / scale];
}

// A tap from the mouse or the keyboard: a point the host hit-tests.
function tapAt(clientX, clientY) {
  const copied = sharedTextToCopy(document.elementFromPoint(clientX, clientY));
  if (copied !== null) {
    navigator.clipboard.writeText(copied).catch(() => showBanner('The browser did not let the page copy the text', 'error'));
  }
  act('/api/tap', { point: pointOf({ clientX, clientY }) });
}

const scrolling = { pending: 0, point: null, busy: false };

async function scrollBy(dy, point) {
  scrolling.pending += dy;
  scrolling.point = point;
  if (scrolling.busy) return;
  scrolling.busy = true;
  while (Math.abs(scrolling.pending) >= 0.5) {
    const distance = scrolling.pending;
    scrolling.pending = 0;
    await act('/api/scroll', { dy: distance, point: scrolling.point });
  }
  scrolling.busy = false;
}

// A drag that starts on a slider moves its knob (`slider`), held where the
// pointer took it (`grip`: from the pointer to the knob's centre); any other scrolls.
const drag = { id: null, startY: 0, lastY: 0, moved: false, slider: null, onKnob: false, grip: 0 };
const knobX = (event) => pointOf(event)[0] + drag.grip;

screen.addEventListener('pointerdown', (event) => {
  // The text field takes the mouse itself: the caret, a selection.
  if (event.button !== 0 || event.target.closest('input')) return;
  drag.id = event.pointerId;
  drag.startY = drag.lastY = event.clientY;
  drag.moved = false;
  drag.slider = event.target.closest('.slider:not([aria-disabled])');
  const knob = drag.slider && event.target.closest('.slider-knob')?.getBoundingClientRect();
  drag.onKnob = Boolean(knob);
  drag.grip = knob ? pointOf({ clientX: knob.left + knob.width / 2, clientY: 0 })[0] - pointOf(event)[0] : 0;
  if (drag.slider) renderer.holdSlider(drag.slider, knobX(event));
  screen.setPointerCapture(event.pointerId);
});

screen.addEventListener('pointermove', (event) => {
  if (event.pointerId !== drag.id) return;
  if (drag.slider) {
    drag.moved = true;
    renderer.holdSlider(drag.slider, knobX(event));
    return;
  }
  if (!drag.moved && Math.abs(event.clientY - drag.startY) < DRAG_THRESHOLD) return;
  drag.moved = true;
  const dy = drag.lastY - event.clientY; // dragging up moves the content down the page
  drag.lastY = event.clientY;
  scrollBy(dy, pointOf(event));
});

screen.addEventListener('pointerup', (event) => {
  if (event.pointerId !== drag.id) return;
  drag.id = null;
  // A click on the track moves the knob there; one on the knob leaves it be.
  if (drag.slider && (drag.moved || !drag.onKnob)) slideTo(drag.slider, knobX(event));
  else if (drag.slider) renderer.letGo(drag.slider);
  else if (!drag.moved) tapAt(event.clientX, event.clientY);
});

screen.addEventListener('pointercancel', () => {
  drag.id = null;
  if (drag.slider) renderer.letGo(drag.slider);
});

// The slider `el` let go at the host's x: one write of the value there.
async function slideTo(el, x) {
  await act('/api/slider', { point: renderer.holdSlider(el, x) });
  renderer.letGo(el);
}

// A text field is written on Return, or when left with a changed text.
async function commitText(input) {
  input.dataset.sent = input.value;
  const box = input.getBoundingClientRect();
  await act('/api/text', { point: pointOf({ clientX: box.left + box.width / 2, clientY: box.top + box.height / 2 }), text: input.value });
  delete input.dataset.sent;
}

screen.addEventListener('keydown', (event) => {
  if (event.key === 'Enter' && event.target.matches('input') && !event.isComposing) commitText(event.target);
});
screen.addEventListener('change', (event) => {
  if (event.target.matches('input') && event.target.dataset.sent !== event.target.value) commitText(event.target);
});

screen.addEventListener('wheel', (event) => {
  event.preventDefault();
  const dy = event.deltaMode === 1 ? event.deltaY * WHEEL_LINE : event.deltaY;
  scrollBy(dy, pointOf(event));
}, { passive: false });

const keyboard = new PhoneKeyboard(screen, {
  tap: tapAt,
  scroll: (dy, clientX, clientY) => scrollBy(dy, pointOf({ clientX, clientY })),
  slide: (clientX, clientY, value) => act('/api/slider', { point: pointOf({ clientX, clientY }), value }),
});

// --- the side panel ---------------------------------------------------------

const rotateButton = document.getElementById('rotate');
const appList = document.getElementById('apps');
const resetButton = document.getElementById('reset');
const filesList = document.getElementById('files');
const eventList = document.getElementById('events');
const banner = document.getElementById('banner');

rotateButton.addEventListener('click', () => {
  const landscape = shown.device && shown.device.orientation === 'landscape';
  act('/api/device', { orientation: landscape ? 'portrait' : 'landscape' });
});

// One box per app the installed bundles ask about.
function showAppChoices(apps) {
  if (apps.join(' ') === shown.apps) return;
  shown.apps = apps.join(' ');
  appList.replaceChildren(...apps.map((app) => {
    const label = document.createElement('label');
    const box = document.createElement('input');
    box.type = 'checkbox';
    box.name = app;
    box.addEventListener('change', () => {
      const chosen = [...appList.querySelectorAll('input:checked')].map((input) => input.name);
      act('/api/device', { installedApps: chosen });
    });
    label.append(box, ` ${app}`);
    return label;
  }));
}

resetButton.addEventListener('click', () => {
  if (!confirm('Reset the device? Its settings files are deleted, no apps stay installed and Settings starts again.')) return;
  act('/api/reset', {});
});

function showDevice(device) {
  if (!device || JSON.stringify(device) === JSON.stringify(shown.device)) return;
  shown.device = device;
  showAppChoices(device.knownApps || []);
  rotateButton.textContent = device.orientation === 'landscape' ? 'Turn to portrait' : 'Turn to landscape';
  for (const box of appList.querySelectorAll('input')) box.checked = device.installedApps.includes(box.name);
}

function showFiles(files) {
  const text = JSON.stringify(files);
  if (!files || text === shown.files) return;
  shown.files = text;
  filesList.replaceChildren(...files.map((file) => {
    const item = document.createElement('section');
    item.className = 'file';
    item.dataset.path = file.path;
    const name = document.createElement('h3');
    name.textContent = file.path.split('/').pop();
    name.title = file.path;
    const body = document.createElement('pre');
    body.tabIndex = 0; // a long file scrolls: the keyboard must reach it
    body.textContent = file.contents === null ? 'not written yet' : JSON.stringify(file.contents, null, 2);
    item.classList.toggle('missing', file.contents === null);
    item.append(name, body);
    return item;
  }));
}

const KIND_NAMES = {
  file: 'file written', url: 'address', notification: 'notification', present: 'presented',
  dismiss: 'dismissed', mail: 'mail sent', activity: 'share', log: 'log', reload: 'reloaded',
};

// New entries go on top. An answer that starts before the next entry this
// page expects comes from a log cleared since; one that starts after it
// means older entries left the app's window before this page caught up.
function showEvents(state) {
  if (state.eventsFrom < shown.nextEvent) eventList.replaceChildren();
  for (const event of state.events) {
    eventList.prepend(eventItem(event));
    if (event.kind === 'url') {
      showBanner(event.succeeded ? `Opened ${event.detail}` : `The phone cannot open ${event.detail}`,
        event.succeeded ? 'info' : 'error');
    }
  }
  while (eventList.children.length > MOST_EVENTS) eventList.lastElementChild.remove();
  shown.nextEvent = state.eventCount;
}

function eventItem(event) {
  const item = document.createElement('li');
  item.className = `event kind-${event.kind}`;
  item.classList.toggle('failed', !event.succeeded);
  const time = document.createElement('time');
  time.textContent = new Date(event.time).toLocaleTimeString();
  const kind = document.createElement('span');
  kind.className = 'kind';
  kind.textContent = KIND_NAMES[event.kind] || event.kind;
  const detail = document.createElement('span');
  detail.className = 'detail';
  detail.textContent = event.succeeded ? event.detail : `${event.detail} (refused: no app opens it)`;
  item.append(time, kind, detail);
  return item;
}

let bannerTimer = null;
function showBanner(message, tone) {
  banner.textContent = message;
  banner.className = `banner ${tone}`;
  banner.hidden = false;
  clearTimeout(bannerTimer);
  bannerTimer = setTimeout(() => { banner.hidden = true; }, BANNER_MS);
}

follow();
