// Pointer, wheel and text input on the drawn phone: a tap is a point the
// host hit-tests, a drag or the wheel a distance, a slider's knob a point on
// its track, a text field's text sent on Return or when left.

const DRAG_THRESHOLD = 6;
const WHEEL_LINE = 16;

export class PhoneInput {
  // act(path, body, beforeDrawing) acts on the host; renderer holds sliders'
  // knobs; clipboard mirrors what a tap copied.
  constructor(screen, { act, renderer, clipboard }) {
    this.screen = screen;
    this.act = act;
    this.renderer = renderer;
    this.clipboard = clipboard;
    this.scrolling = { pending: 0, point: null, busy: false };
    // A drag that starts on a slider moves its knob (`slider`), held where the
    // pointer took it (`grip`: from the pointer to the knob's centre); any other scrolls.
    this.drag = { id: null, startY: 0, lastY: 0, moved: false, slider: null, onKnob: false, grip: 0 };
    this.listen();
  }

  pointOf(event) {
    const box = this.screen.getBoundingClientRect();
    const scale = box.width / this.screen.offsetWidth || 1;
    return [(event.clientX - box.left) / scale, (event.clientY - box.top) / scale];
  }

  // A tap from the mouse or the keyboard: a point the host hit-tests.
  tapAt(clientX, clientY) {
    const countBefore = this.clipboard.changeCount;
    return this.act('/api/tap', { point: this.pointOf({ clientX, clientY }) },
      (answer) => this.clipboard.copyIfChanged(answer, countBefore));
  }

  async scrollBy(dy, point) {
    const scrolling = this.scrolling;
    scrolling.pending += dy;
    scrolling.point = point;
    if (scrolling.busy) return;
    scrolling.busy = true;
    while (Math.abs(scrolling.pending) >= 0.5) {
      const distance = scrolling.pending;
      scrolling.pending = 0;
      await this.act('/api/scroll', { dy: distance, point: scrolling.point });
    }
    scrolling.busy = false;
  }

  // The slider `el` let go at the host's x: one write of the value there.
  async slideTo(el, x) {
    await this.act('/api/slider', { point: this.renderer.holdSlider(el, x) });
    this.renderer.letGo(el);
  }

  // A text field is written on Return, or when left with a changed text.
  async commitText(input) {
    input.dataset.sent = input.value;
    const box = input.getBoundingClientRect();
    const point = this.pointOf({ clientX: box.left + box.width / 2, clientY: box.top + box.height / 2 });
    await this.act('/api/text', { point, text: input.value });
    delete input.dataset.sent;
  }

  knobX(event) {
    return this.pointOf(event)[0] + this.drag.grip;
  }

  onPointerDown(event) {
    // The text field takes the mouse itself: the caret, a selection.
    if (event.button !== 0 || event.target.closest('input')) return;
    const drag = this.drag;
    drag.id = event.pointerId;
    drag.startY = drag.lastY = event.clientY;
    drag.moved = false;
    drag.slider = event.target.closest('.slider:not([aria-disabled])');
    const knob = drag.slider && event.target.closest('.slider-knob')?.getBoundingClientRect();
    drag.onKnob = Boolean(knob);
    drag.grip = knob ? this.pointOf({ clientX: knob.left + knob.width / 2, clientY: 0 })[0] - this.pointOf(event)[0] : 0;
    if (drag.slider) this.renderer.holdSlider(drag.slider, this.knobX(event));
    this.screen.setPointerCapture(event.pointerId);
  }

  onPointerMove(event) {
    const drag = this.drag;
    if (event.pointerId !== drag.id) return;
    if (drag.slider) {
      drag.moved = true;
      this.renderer.holdSlider(drag.slider, this.knobX(event));
      return;
    }
    if (!drag.moved && Math.abs(event.clientY - drag.startY) < DRAG_THRESHOLD) return;
    drag.moved = true;
    const dy = drag.lastY - event.clientY; // dragging up moves the content down the page
    drag.lastY = event.clientY;
    this.scrollBy(dy, this.pointOf(event));
  }

  onPointerUp(event) {
    const drag = this.drag;
    if (event.pointerId !== drag.id) return;
    drag.id = null;
    // A click on the track moves the knob there; one on the knob leaves it be.
    if (drag.slider && (drag.moved || !drag.onKnob)) this.slideTo(drag.slider, this.knobX(event));
    else if (drag.slider) this.renderer.letGo(drag.slider);
    else if (!drag.moved) this.tapAt(event.clientX, event.clientY);
  }

  listen() {
    const screen = this.screen;
    screen.addEventListener('pointerdown', (event) => this.onPointerDown(event));
    screen.addEventListener('pointermove', (event) => this.onPointerMove(event));
    screen.addEventListener('pointerup', (event) => this.onPointerUp(event));
    screen.addEventListener('pointercancel', () => {
      this.drag.id = null;
      if (this.drag.slider) this.renderer.letGo(this.drag.slider);
    });
    screen.addEventListener('keydown', (event) => {
      if (event.key === 'Enter' && event.target.matches('input') && !event.isComposing) this.commitText(event.target);
    });
    screen.addEventListener('change', (event) => {
      if (event.target.matches('input') && event.target.dataset.sent !== event.target.value) this.commitText(event.target);
    });
    screen.addEventListener('wheel', (event) => {
      event.preventDefault();
      const dy = event.deltaMode === 1 ? event.deltaY * WHEEL_LINE : event.deltaY;
      this.scrollBy(dy, this.pointOf(event));
    }, { passive: false });
  }
}
