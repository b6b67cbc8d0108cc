// Starts the built Settings app on a fresh device root and a free port, talks
// to its automation interface, and drives it from Debian's Chromium.

import { spawn } from 'node:child_process';
import { mkdtemp, mkdir, rm, writeFile } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import assert from 'node:assert/strict';

export const PREFERENCES = '/var/mobile/Library/Preferences';
export const SETTINGS_FILE = `${PREFERENCES}/com.korvent.vimblepreferences.plist`;
export const FAVORITES_FILE = `${PREFERENCES}/com.korvent.vimble.plist`;
export const SKINTONE_FILE = `${PREFERENCES}/com.korvent.vimblest.plist`;
export const PREVIEW = process.env.VIMBLE_PREVIEW;
assert.ok(PREVIEW, 'VIMBLE_PREVIEW must name the built vimble-preview (ctest sets it)');

export const makeDeviceRoot = () => mkdtemp(join(tmpdir(), 'preview-device-'));
export const plist = (body) => `<?xml version="1.0" encoding="UTF-8"?>\n<plist version="1.0">${body}</plist>\n`;

// A row of the Settings list: `label` (plist text) opening the bundle `bundle`.
export async function installEntry(root, label, bundle) {
  await mkdir(join(root, 'Library/PreferenceLoader/Preferences'), { recursive: true });
  await writeFile(join(root, `Library/PreferenceLoader/Preferences/${bundle}.plist`), plist(`<dict><key>entry</key><dict>`
    + `<key>label</key><string>${label}</string><key>bundle</key><string>${bundle}</string></dict></dict>`));
}

// A Settings entry `name` whose bundle has an Info.plist and no executable; the bundle directory.
export async function installBrokenBundle(root, name) {
  const bundle = join(root, `Library/PreferenceBundles/${name}.bundle`);
  await Promise.all([installEntry(root, name, name), mkdir(bundle, { recursive: true })]);
  await writeFile(join(bundle, 'Info.plist'), plist(`<dict><key>CFBundleExecutable</key><string>${name}</string>`
    + `<key>NSPrincipalClass</key><string>${name}Controller</string></dict>`));
  return bundle;
}

// The app, serving; `prepare(root)` may lay files into the device root first.
export async function startApp({ prepare, extraArgs = [] } = {}) {
  const root = await makeDeviceRoot();
  await prepare?.(root);
  const child = spawn(PREVIEW, ['--port', '0', '--device-root', root, ...extraArgs], { stdio: ['ignore', 'pipe', 'pipe'] });
  let output = '';
  const exited = new Promise((resolve) => child.on('exit', (code, signal) => resolve({ code, signal })));
  const port = await new Promise((resolve, reject) => {
    const timer = setTimeout(() => reject(new Error(`the app did not start:\n${output}`)), 20000);
    child.stderr.on('data', (chunk) => { output += chunk; });
    child.stdout.on('data', (chunk) => {
      const match = /http:\/\/127\.0\.0\.1:(\d+)\//.exec(output += chunk);
      if (match) resolve(Number(match[1]), clearTimeout(timer));
    });
    exited.then(({ code }) => reject(new Error(`the app exited (${code}):\n${output}`), clearTimeout(timer)));
  });
  const url = `http://127.0.0.1:${port}/`;
  const app = {
    port, url, output: () => output,
    async request(method, path, body) {
      const response = await fetch(url + path.replace(/^\//, ''), { method, headers: { 'Content-Type': 'application/json' },
        body: typeof body === 'object' ? JSON.stringify(body) : body });
      const text = await response.text();
      return { status: response.status, headers: response.headers, text, json: /^[[{]/.test(text) ? JSON.parse(text) : null };
    },
    get: (path) => app.request('GET', path),
    post: (path, body = {}) => app.request('POST', path, body),
    // A successful POST's JSON, failing the test with the server's message otherwise.
    async act(path, body = {}) {
      const answer = await app.post(path, body);
      assert.equal(answer.status, 200, `${path} ${JSON.stringify(body)}: ${answer.text}`);
      return answer.json;
    },
    tree: async () => (await app.get('/api/tree')).json,
    files: async () => Object.fromEntries((await app.get('/api/files')).json.map((file) => [file.path, file.contents])),
    events: async () => (await app.get('/api/events')).json,
    // Ctrl-C: the app must stop by itself.
    async stop() {
      child.kill('SIGINT');
      const result = await Promise.race([exited, new Promise((resolve) => setTimeout(resolve, 10000, null).unref())]);
      if (!result) child.kill('SIGKILL');
      await rm(root, { recursive: true, force: true });
      return result;
    },
  };
  return app;
}

export const walk = (node) => [node, ...(node.children || []).flatMap(walk)];
export const texts = (tree) => walk(tree.window ?? tree).filter((node) => node.text).map((node) => node.text);
export const findNode = (tree, predicate) => walk(tree.window ?? tree).find(predicate) ?? null;

// The emoji rows wholly on screen below the navigation bar: emoji -> whether its mark says chosen (tag 222, else 111).
const isMark = (node) => node.tag === 222 || node.tag === 111;
export const emojiRows = (tree) => new Map(walk(tree.window).filter((node) => 'selected' in node && findNode(node, isMark)
  && node.frame[1] >= 64 && node.frame[1] + node.frame[3] <= 667)
  .map((cell) => [findNode(cell, (inner) => inner.text).text, findNode(cell, isMark).tag === 222]));

export async function eventually(check, message) {
  for (const deadline = Date.now() + 5000; ; await new Promise((resolve) => setTimeout(resolve, 50))) {
    const value = await check();
    if (value) return value;
    assert.ok(Date.now() < deadline, `timed out waiting for ${message}`);
  }
}

export async function openBrowser() {
  const { chromium } = await import('playwright-core');
  const profile = await mkdtemp(join(tmpdir(), 'preview-chromium-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: '/usr/bin/chromium', headless: true, viewport: { width: 1280, height: 900 }, deviceScaleFactor: 2,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
  return {
    context,
    async newPage(app, onDialog = (dialog) => dialog.accept()) {
      const page = await context.newPage();
      page.on('dialog', onDialog);
      await page.goto(app.url);
      await page.locator('.screen .view').first().waitFor();
      return page;
    },
    close: () => context.close().then(() => rm(profile, { recursive: true, force: true })),
  };
}

// A label on the phone's screen showing exactly `text`; `within` a part of the screen.
export const screenText = (page, text, within = '.screen') => page.locator(`${within} .view.label > .text:not(.row-out *)`)
  .filter({ hasText: new RegExp(`^${text.replace(/[.*+?^${}()|[\]\\]/g, '\\$&')}$`) });

// The innermost table cell showing `title` (a cell may hold a little table of its own).
export const row = (page, title) =>
  page.locator('.screen .view.cell:not(:has(.view.cell))').filter({ has: screenText(page, title, '') });

// Resolves once no animation of the page runs.
export const settled = (page) => page.waitForFunction(() => document.getAnimations().every((animation) => animation.playState !== 'running'));
// Taps with the mouse once nothing moves: a tap during a row motion would land elsewhere.
export async function tap(page, target) {
  await target.waitFor({ state: 'visible' });
  await settled(page);
  await target.click();
}
export const tapOnScreen = (page, text) => tap(page, screenText(page, text).last());

// The ids of the host's views not drawn as the tree has them: where the tree
// puts them, at their alpha, with their text and their switch's state.
export async function drawnUnlikeTree(page, app) {
  const nodes = walk((await app.tree()).window).map(({ id, alpha, hidden, frame, text, on }) =>
    ({ id, alpha: String(alpha), hidden, frame, text, on }));
  return page.evaluate((list) => list.filter((node, index) => {
    const el = document.querySelector(`.screen [data-id="${node.id}"]`);
    if (!el) return true;
    const parentId = el.parentElement.closest('[data-id]')?.dataset.id;
    const [px, py] = index === 0 ? [0, 0] : list.find((other) => other.id === parentId)?.frame ?? [NaN, NaN];
    const drawn = [el.style.left, el.style.top, el.style.width, el.style.height].map(parseFloat);
    const track = el.querySelector(':scope > .switch-track');
    return el.style.opacity !== node.alpha || (el.style.display === 'none') !== node.hidden
      || [node.frame[0] - px, node.frame[1] - py, node.frame[2], node.frame[3]].some((value, at) => !(Math.abs(value - drawn[at]) < 0.01))
      || (node.text !== undefined && el.querySelector(':scope > .text').textContent !== node.text)
      || (node.on !== undefined && (el.getAttribute('aria-checked') !== String(node.on) || track.classList.contains('on') !== node.on));
  }).map((node) => node.id), nodes);
}
export const picturesWanted = Boolean(process.env.VIMBLE_SCREENSHOT_DIR);
// Waits for `text` on the screen, then for the screen to show the host's tree; saves `picture` when the run asks for pictures.
export async function shows(page, app, text, picture) {
  if (text) await screenText(page, text).first().waitFor();
  await eventually(async () => (await drawnUnlikeTree(page, app)).length === 0, 'the screen to show the host\'s tree');
  if (!picture || !picturesWanted) return;
  await mkdir(process.env.VIMBLE_SCREENSHOT_DIR, { recursive: true });
  await page.waitForTimeout(700); // let fades and row motions finish
  await page.locator('#phone').screenshot({ path: join(process.env.VIMBLE_SCREENSHOT_DIR, `${picture}.png`), animations: 'disabled' });
}
