// The side panel beside the phone: the device controls (turning it, the apps
// installed, a reset), the settings files and the event log, and a banner
// for what the person should notice.

// The log beside the phone keeps as many entries as the app does.
const MOST_EVENTS = 500;
const BANNER_MS = 3500;

const KIND_NAMES = {
  file: 'file written', url: 'address', notification: 'notification', present: 'presented',
  dismiss: 'dismissed', mail: 'mail sent', activity: 'share', log: 'log', reload: 'reloaded',
};

// A select's options, rebuilt only when they change, with `chosen` selected.
function showChoices(select, values, chosen) {
  if ([...select.options].map((option) => option.value).join() !== values.join()) {
    select.replaceChildren(...values.map((value) => new Option(value, value)));
  }
  select.value = chosen;
}

export class SidePanel {
  // act(path, body) acts on the host.
  constructor(document, act) {
    this.act = act;
    this.rotateButton = document.getElementById('rotate');
    this.appList = document.getElementById('apps');
    // The phone's language among those the installed pages are written in, and its system version.
    this.languageList = document.getElementById('language');
    this.systemList = document.getElementById('system');
    this.languageList.addEventListener('change', () => act('/api/device', { language: this.languageList.value }));
    this.systemList.addEventListener('change', () => act('/api/device', { systemVersion: this.systemList.value }));
    this.filesList = document.getElementById('files');
    this.eventList = document.getElementById('events');
    this.banner = document.getElementById('banner');
    this.bannerTimer = null;
    // `nextEvent`: the index in the app's log of the first entry not yet shown;
    // `eventGeneration`: how many times the log had been cleared when it was counted.
    this.shown = { nextEvent: 0, eventGeneration: null, files: null, device: null, apps: '' };
    this.rotateButton.addEventListener('click', () => {
      const landscape = this.shown.device && this.shown.device.orientation === 'landscape';
      act('/api/device', { orientation: landscape ? 'portrait' : 'landscape' });
    });
    document.getElementById('reset').addEventListener('click', () => {
      if (!confirm('Reset the device? Its settings files are deleted, no apps stay installed and Settings starts again.')) return;
      act('/api/reset', {});
    });
  }

  get nextEvent() {
    return this.shown.nextEvent;
  }

  get eventGeneration() {
    return this.shown.eventGeneration;
  }

  showState(state) {
    this.showEvents(state);
    this.showFiles(state.files);
    this.showDevice(state.device);
  }

  // One box per app the installed bundles ask about.
  showAppChoices(apps) {
    if (apps.join(' ') === this.shown.apps) return;
    this.shown.apps = apps.join(' ');
    this.appList.replaceChildren(...apps.map((app) => {
      const label = document.createElement('label');
      const box = document.createElement('input');
      box.type = 'checkbox';
      box.name = app;
      box.addEventListener('change', () => {
        const chosen = [...this.appList.querySelectorAll('input:checked')].map((input) => input.name);
        this.act('/api/device', { installedApps: chosen });
      });
      label.append(box, ` ${app}`);
      return label;
    }));
  }

  showDevice(device) {
    if (!device || JSON.stringify(device) === JSON.stringify(this.shown.device)) return;
    this.shown.device = device;
    this.showAppChoices(device.knownApps || []);
    showChoices(this.languageList, device.languages || [], device.language);
    showChoices(this.systemList, device.systemVersions || [], device.systemVersion);
    this.rotateButton.textContent = device.orientation === 'landscape' ? 'Turn to portrait' : 'Turn to landscape';
    for (const box of this.appList.querySelectorAll('input')) box.checked = device.installedApps.includes(box.name);
  }

  showFiles(files) {
    const text = JSON.stringify(files);
    if (!files || text === this.shown.files) return;
    this.shown.files = text;
    this.filesList.replaceChildren(...files.map((file) => {
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

  // New entries go on top. An answer of another generation comes from a log
  // cleared since, and brings all it kept; one that starts after the next
  // entry this page expects means older entries left the app's window before
  // this page caught up.
  showEvents(state) {
    if (state.eventGeneration !== this.shown.eventGeneration) this.eventList.replaceChildren();
    this.shown.eventGeneration = state.eventGeneration;
    for (const event of state.events) {
      this.eventList.prepend(eventItem(event));
      if (event.kind === 'url') {
        this.showBanner(event.succeeded ? `Opened ${event.detail}` : `The phone cannot open ${event.detail}`,
          event.succeeded ? 'info' : 'error');
      }
    }
    while (this.eventList.children.length > MOST_EVENTS) this.eventList.lastElementChild.remove();
    this.shown.nextEvent = state.eventCount;
  }

  showBanner(message, tone) {
    const banner = this.banner;
    banner.textContent = message;
    banner.className = `banner ${tone}`;
    banner.hidden = false;
    clearTimeout(this.bannerTimer);
    this.bannerTimer = setTimeout(() => { banner.hidden = true; }, BANNER_MS);
  }
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
