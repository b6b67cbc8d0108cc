// The state feed: the phone's tree, the event log, the settings files and the
// device as the app has them, asked for again as soon as an answer comes; and
// every action's answer, drawn as it comes back.

const RETRY_MS = 500;

export async function request(method, path, body) {
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

export class StateFeed {
  // drawTree(answer) draws an answer's tree; panel shows the rest of the
  // state (showState, nextEvent, showBanner).
  constructor({ drawTree, panel }) {
    this.drawTree = drawTree;
    this.panel = panel;
    this.version = 0;
  }

  // Every answer that carries a tree is drawn, unless a newer one already was.
  showTree(answer) {
    if (!answer.window || answer.version < this.version) return;
    this.version = answer.version;
    this.drawTree(answer);
  }

  showState(state) {
    this.showTree(state);
    this.panel.showState(state);
  }

  // The feed: each answer comes as soon as the phone changes past the version
  // asked for; a busy app answers at once, and is asked again a little later.
  async follow() {
    for (;;) {
      try {
        const since = this.version ? `since=${this.version}&` : '';
        const state = await request('GET', `/api/state?${since}events=${this.panel.nextEvent}`);
        this.showState(state);
        if (state.busy) await new Promise((resolve) => setTimeout(resolve, RETRY_MS));
      } catch (error) {
        setConnected(false);
        await new Promise((resolve) => setTimeout(resolve, RETRY_MS));
        continue;
      }
      setConnected(true);
    }
  }

  // An action on the phone; `beforeDrawing(answer)` sees its answer first.
  async act(path, body, beforeDrawing = () => {}) {
    try {
      const answer = await request('POST', path, body);
      beforeDrawing(answer);
      this.showTree(answer);
    } catch (error) {
      this.panel.showBanner(error.message, 'error');
    }
  }
}

function setConnected(connected) {
  document.body.classList.toggle('disconnected', !connected);
}
