// The browser side of the Settings app: draws the phone from the host's
// state, sends taps and scrolls as points and distances, and shows the
// device controls, the settings files and the event log beside it. Each job
// lives in its own module; this one wires them together.

import { ClipboardMirror } from './clipboard.js';
import { StateFeed } from './feed.js';
import { PhoneInput } from './input.js';
import { PhoneKeyboard } from './keyboard.js';
import { SidePanel } from './panel.js';
import { ScreenRenderer } from './renderer.js';

const screen = document.getElementById('screen');
const phone = document.getElementById('phone');
const renderer = new ScreenRenderer(screen);

const act = (path, body, beforeDrawing) => feed.act(path, body, beforeDrawing);
const panel = new SidePanel(document, act);
const clipboard = new ClipboardMirror(() => panel.showBanner('The browser did not let the page copy the text', 'error'));
const input = new PhoneInput(screen, { act, renderer, clipboard });
const keyboard = new PhoneKeyboard(screen, {
  tap: (clientX, clientY) => input.tapAt(clientX, clientY),
  scroll: (dy, clientX, clientY) => input.scrollBy(dy, input.pointOf({ clientX, clientY })),
  slide: (clientX, clientY, value) => act('/api/slider', { point: input.pointOf({ clientX, clientY }), value }),
});

function drawTree(answer) {
  keyboard.beforeRender();
  renderer.render(answer.window, answer.clock);
  keyboard.afterRender();
  clipboard.noteTree(answer.window);
  const [, , width, height] = answer.window.frame;
  phone.classList.toggle('landscape', width > height);
  document.body.dataset.version = String(answer.version);
}

const feed = new StateFeed({ drawTree, panel });
feed.follow();
