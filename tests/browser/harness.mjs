// Starts the built Settings app on a fresh device root and a free port, talks
// to its automation interface, and drives it from Debian's Chromium.

import { spawn } from 'node:child_process';
import { mkdtemp, mkdir, rm, writeFile } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import assert from 'node:assert/strict';

const START_TIMEOUT_MS = 20000;
const STOP_TIMEOUT_MS = 10000;
const ADDRESS = /http:\/\/127\.0\.0\.1:(\d+)\//;

export const PREFERENCES = '/var/mobile/Library/Preferences';
export const SETTINGS_FILE = `${PREFERENCES}/com.korvent.vimblepreferences.plist`;
export const FAVORITES_FILE = `${PREFERENCES}/com.korvent.vimble.plist`;
export const SKINTONE_FILE = `${PREFERENCES}/com.korvent.vimblest.plist`;

function previewBinary() {
  const binary = process.env.VIMBLE_PREVIEW;
  assert.ok(binary, 'VIMBLE_PREVIEW must name the built vimble-preview (ctest sets it)');
  return binary;
}

export async function makeDeviceRoot() {
  return mkdtemp(join(tmpdir(), 'preview-device-'));
}

// A Settings entry `name` whose bundle has an Info.plist and no executable;
// the bundle directory, for a test to add to.
export async function installBrokenBundle(root, name) {
  const entries = join(root, 'Library/PreferenceLoader/Preferences');
  const bundle = join(root, `Library/PreferenceBundles/${name}.bundle`);
  await mkdir(entries, { recursive: true });
  await mkdir(bundle, { recursive: true });
  await writeFile(join(entries, `${name}.plist`), entryPlist(name, name));
  await writeFile(join(bundle, 'Info.plist'), infoPlist(name, `${name}Controller`));
  return bundle;
}

function entryPlist(label, bundle) {
  return `<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict><key>entry</key><dict>
<key>label</key><string>${label}</string><key>bundle</key><string>${bundle}</string>
<key>icon</key><string>Icon.png</string></dict></dict></plist>`;
}

function infoPlist(executable, principal) {
  return `<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict><key>CFBundleExecutable</key><string>${executable}</string>
<key>NSPrincipalClass</key><string>${principal}</string></dict></plist>`;
}

// The app, serving; `prepare(root)` may lay files into the device root first.
export async function startApp({ prepare, extraArgs = [] } = {}) {
  const root = await makeDeviceRoot();
  if (prepare) await prepare(root);
  const child = spawn(previewBinary(), ['--port', '0', '--device-root', root, ...extraArgs],
    { stdio: ['ignore', 'pipe', 'pipe'] });
  let output = '';
  const exited = new Promise((resolve) => child.on('exit', (code, signal) => resolve({ code, signal })));
  const port = await new Promise((resolve, reject) => {
    const timer = setTimeout(() => reject(new Error(`the app did not start:\n${output}`)), START_TIMEOUT_MS);
    const read = (chunk) => {
      output += chunk;
      const match = ADDRESS.exec(output);
      if (match) {
        clearTimeout(timer);
        resolve(Number(match[1]));
      }
    };
    child.stdout.on('data', read);
    child.stderr.on('data', (chunk) => { output += chunk; });
    exited.then(({ code }) => { clearTimeout(timer); reject(new Error(`the app exited (${code}):\n${output}`)); });
  });
  return new AppSession(child, port, root, exited, () => output);
}

export class AppSession {
  constructor(child, port, root, exited, output) {
    this.child = child;
    this.port = port;
    this.root = root;
    this.exited = exited;
    this.output = output;
    this.url = `http://127.0.0.1:${port}/`;
  }

  async request(method, path, body, headers = {}) {
    const options = { method, headers: { ...headers } };
    if (body !== undefined) {
      options.body = typeof body === 'string' ? body : JSON.stringify(body);
      options.headers['Content-Type'] ??= 'application/json';
    }
    const response = await fetch(this.url + path.replace(/^\//, ''), options);
    const text = await response.text();
    let json = null;
    try { json = JSON.parse(text); } catch { /* not JSON */ }
    return { status: response.status, headers: response.headers, json, text };
  }

  async get(path) { return this.request('GET', path); }
  async post(path, body = {}) { return this.request('POST', path, body); }

  // A successful POST's JSON, failing the test with the server's message otherwise.
  async act(path, body = {}) {
    const answer = await this.post(path, body);
    assert.equal(answer.status, 200, `${path} ${JSON.stringify(body)}: ${answer.text}`);
    return answer.json;
  }

  async tree() { return (await this.get('/api/tree')).json; }
  async files() {
    const list = (await this.get('/api/files')).json;
    return Object.fromEntries(list.map((file) => [file.path, file.contents]));
  }
  async events() { return (await this.get('/api/events')).json; }

  // Ctrl-C; the app must stop by itself and say so.
  async stop() {
    this.child.kill('SIGINT');
    const timeout = new Promise((resolve) => setTimeout(() => resolve(null), STOP_TIMEOUT_MS));
    const result = await Promise.race([this.exited, timeout]);
    if (!result) this.child.kill('SIGKILL');
    await rm(this.root, { recursive: true, force: true });
    return result;
  }
}

// --- reading the tree ------------------------------------------------------

export function* walk(node, ancestors = []) {
  yield [node, ancestors];
  for (const child of node.children || []) yield* walk(child, [...ancestors, node]);
}

export function texts(tree) {
  const found = [];
  for (const [node] of walk(tree.window ?? tree)) if (node.text) found.push(node.text);
  return found;
}

export function findNode(tree, predicate) {
  for (const [node, ancestors] of walk(tree.window ?? tree)) if (predicate(node, ancestors)) return node;
  return null;
}

export function nodeWithText(tree, text) {
  return findNode(tree, (node) => node.text === text);
}

// The switch of the row whose title is `title`.
export function switchOfRow(tree, title) {
  for (const [node] of walk(tree.window ?? tree)) {
    if (!('selected' in node)) continue;
    const titled = [...walk(node)].some(([inner]) => inner.text === title);
    const control = [...walk(node)].find(([inner]) => 'on' in inner);
    if (titled && control) return control[0];
  }
  return null;
}

export async function eventually(check, { timeout = 5000, interval = 50, message = 'condition' } = {}) {
  const deadline = Date.now() + timeout;
  let last;
  for (;;) {
    try {
      const value = await check();
      if (value) return value;
    } catch (error) {
      last = error;
    }
    if (Date.now() > deadline) throw last ?? new Error(`timed out waiting for ${message}`);
    await new Promise((resolve) => setTimeout(resolve, interval));
  }
}

// --- the browser -------------------------------------------------------------

export async function openBrowser() {
  const { chromium } = await import('playwright-core');
  const profile = await mkdtemp(join(tmpdir(), 'preview-chromium-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: '/usr/bin/chromium',
    headless: true,
    viewport: { width: 1280, height: 900 },
    deviceScaleFactor: 2,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
  return {
    context,
    async newPage(app) {
      const page = await context.newPage();
      page.on('dialog', (dialog) => dialog.accept());
      await page.goto(app.url);
      await page.locator('.screen .view').first().waitFor();
      return page;
    },
    async close() {
      await context.close();
      await rm(profile, { recursive: true, force: true });
    },
  };
}

// A label on the phone's screen showing exactly `text`; `within` a part of the screen.
export function screenText(page, text, within = '.screen') {
  return page.locator(`${within} .view.label > .text:not(.row-out *)`).filter({ hasText: new RegExp(`^${escape(text)}$`) });
}

// The element of the row showing `title`: the innermost table cell, as a
// cell may hold a little table of its own.
export function row(page, title) {
  return page.locator('.screen .view.cell:not(:has(.view.cell))').filter({ has: screenText(page, title, '') });
}

function escape(text) {
  return text.replace(/[.*+?^${}()|[\]\\]/g, '\\$&');
}

// Waits until nothing on the screen moves: the host has already laid out the
// end state of a row motion, so a tap during one would land elsewhere.
export async function settled(page) {
  await page.waitForFunction(() => document.getAnimations().every((animation) => animation.playState !== 'running'));
}

// Taps what shows `text` with the mouse, as a person would.
export async function tapOnScreen(page, text) {
  await tap(page, screenText(page, text).last());
}

export async function tapLabelled(page, label) {
  await tap(page, page.locator(`.screen .view[aria-label="${label}"]`).last());
}

export async function tap(page, target) {
  await target.waitFor({ state: 'visible' });
  await settled(page);
  await target.click();
}

// Saves the phone as a picture for the README, when the run asks for pictures.
export async function screenshot(page, name) {
  const directory = process.env.VIMBLE_SCREENSHOT_DIR;
  if (!directory) return;
  await mkdir(directory, { recursive: true });
  await page.waitForTimeout(700); // let fades and row motions finish
  await page.locator('#phone').screenshot({ path: join(directory, `${name}.png`), animations: 'disabled' });
}
