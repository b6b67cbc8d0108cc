// The automation interface as docs/automation.md describes it, driven over
// HTTP against the built app on a fresh device.

import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { rm, writeFile } from 'node:fs/promises';
import { join } from 'node:path';

import {
  FAVORITES_FILE, SETTINGS_FILE, SKINTONE_FILE, eventually, findNode, installBrokenBundle, makeDeviceRoot, nodeWithText,
  startApp, switchOfRow, texts, walk,
} from './harness.mjs';

describe('a fresh device', () => {
  let app;
  before(async () => { app = await startApp(); });
  after(async () => { await app.stop(); });

  test('starts on the Settings list with the installed bundle as a row with its icon', async () => {
    const tree = await app.tree();
    assert.equal(tree.window.class, 'UIWindow');
    assert.deepEqual(tree.window.frame, [0, 0, 375, 667]);
    assert.ok(texts(tree).includes('Settings'), 'the navigation bar reads Settings');
    const row = findNode(tree, (node) => node.class === 'SettingsEntryCell');
    assert.ok(row, 'a row for the installed entry');
    const inRow = [...walk(row)].map(([node]) => node);
    assert.ok(inRow.some((node) => node.text === 'Vimble'));
    const icon = inRow.find((node) => node.image);
    assert.equal(icon.image, '/Library/PreferenceBundles/Vimble.bundle/Icon.png');
    assert.deepEqual(icon.frame.slice(2), [29, 29]);
  });

  test('lists the three settings files as missing before anything is written', async () => {
    const files = await app.files();
    assert.deepEqual(Object.keys(files), [SETTINGS_FILE, FAVORITES_FILE, SKINTONE_FILE]);
    assert.deepEqual(Object.values(files), [null, null, null]);
  });

  test('serves the pictures the tree names and nothing of the bundle besides', async () => {
    const picture = await app.get('/device/Library/PreferenceBundles/Vimble.bundle/Icon.png');
    assert.equal(picture.status, 200);
    assert.equal(picture.headers.get('content-type'), 'image/png');
    for (const path of ['Vimble', 'Info.plist']) {
      assert.equal((await app.get(`/device/Library/PreferenceBundles/Vimble.bundle/${path}`)).status, 404, path);
    }
  });
});

describe('taps, scrolls and going back', () => {
  let app;
  before(async () => { app = await startApp(); });
  after(async () => { await app.stop(); });

  test('a tap by text opens the panel; every node carries its frame, alpha and class', async () => {
    const tree = await app.act('/api/tap', { text: 'Vimble' });
    assert.ok(texts(tree).includes('Enable'));
    for (const [node] of walk(tree.window)) {
      assert.equal(node.frame.length, 4, node.class);
      assert.equal(typeof node.alpha, 'number');
      assert.equal(typeof node.class, 'string');
    }
    assert.ok(findNode(tree, (node) => node.label === 'Back'), 'the back button is labelled Back');
    assert.ok(findNode(tree, (node) => node.label === 'Share'), 'the share item is labelled Share');
  });

  test('a tap on a switch flips it and writes the file; its answer is the new tree', async () => {
    const tree = await app.act('/api/tap', { switch: 'Enable' });
    assert.equal(switchOfRow(tree, 'Enable').on, false);
    assert.ok(!texts(tree).includes('Configure'), 'Configure leaves with Enable off');
    assert.equal(findNode(tree, (node) => node.rowChange)?.rowChange.inserted, false);
    assert.deepEqual((await app.files())[SETTINGS_FILE], { Enabled: false });
  });

  test('a tap at a point acts on whatever lies there', async () => {
    const control = switchOfRow(await app.tree(), 'Enable');
    const [x, y, w, h] = control.frame;
    const tree = await app.act('/api/tap', { point: [x + w / 2, y + h / 2] });
    assert.equal(switchOfRow(tree, 'Enable').on, true);
    assert.ok(texts(tree).includes('Configure'));
    assert.deepEqual((await app.files())[SETTINGS_FILE], { Enabled: true });
  });

  test('an element that is not on screen is a 404 with a message', async () => {
    const missing = await app.post('/api/tap', { text: 'No Such Row' });
    assert.equal(missing.status, 404);
    assert.match(missing.json.error, /No Such Row/);
    assert.equal((await app.post('/api/tap', { switch: 'Need Help' })).status, 404);
  });

  test('malformed requests are a 400', async () => {
    for (const body of [{}, { point: [1] }, { point: ['a', 2] }, { text: 3 }]) {
      assert.equal((await app.post('/api/tap', body)).status, 400, JSON.stringify(body));
    }
    assert.equal((await app.post('/api/scroll', { dy: 'far' })).status, 400);
    assert.equal((await app.request('POST', '/api/tap', 'not json')).status, 400);
  });

  test('scrolling moves the front page and reports when it cannot move further', async () => {
    const table = (tree) => findNode(tree, (node) => node.class === 'UITableView');
    const down = await app.act('/api/scroll', { dy: 40 });
    assert.equal(down.scrolled, true);
    assert.equal(table(down).contentOffset[1], 40);
    const back = await app.act('/api/scroll', { dy: -5000 });
    assert.equal(table(back).contentOffset[1], 0);
    assert.equal((await app.act('/api/scroll', { dy: -10 })).scrolled, false);
  });

  test('back returns to the Settings list, and there is no going further back', async () => {
    const tree = await app.act('/api/back');
    assert.ok(nodeWithText(tree, 'Vimble'));
    assert.ok(!texts(tree).includes('Enable'));
    const none = await app.post('/api/back');
    assert.equal(none.status, 404);
    assert.match(none.json.error, /Back/);
  });
});

describe('the device', () => {
  let app;
  before(async () => { app = await startApp(); });
  after(async () => { await app.stop(); });

  test('turns to landscape and back, resizing the window', async () => {
    const landscape = await app.act('/api/device', { orientation: 'landscape' });
    assert.equal(landscape.device.orientation, 'landscape');
    assert.deepEqual(landscape.window.frame, [0, 0, 667, 375]);
    const portrait = await app.act('/api/device', { orientation: 'portrait' });
    assert.deepEqual(portrait.window.frame, [0, 0, 375, 667]);
  });

  test('installs apps by URL scheme and refuses anything else', async () => {
    const answer = await app.act('/api/device', { installedApps: ['twitter', 'tweetbot'] });
    assert.deepEqual(answer.device.installedApps, ['tweetbot', 'twitter']);
    for (const body of [{ installedApps: 'twitter' }, { installedApps: ['Twitter App'] }, { orientation: 'sideways' }, {}]) {
      assert.equal((await app.post('/api/device', body)).status, 400, JSON.stringify(body));
    }
  });

  test('logs what the phone does, oldest first, and reset wipes files, apps and log', async () => {
    await app.act('/api/device', { orientation: 'landscape' });
    assert.equal((await app.events()).at(-1).detail, 'UIDeviceOrientationDidChangeNotification');
    await app.act('/api/reset');
    assert.deepEqual(await app.events(), []);
    assert.deepEqual((await app.tree()).window.frame, [0, 0, 375, 667], 'reset turns the phone upright');
    await app.act('/api/tap', { text: 'Vimble' });
    await app.act('/api/tap', { switch: 'Enable' });
    await app.act('/api/tap', { text: 'Need Help' });
    await app.act('/api/tap', { text: 'Cancel' });
    const kinds = (await app.events()).map((event) => `${event.kind} ${event.detail}`);
    assert.deepEqual(kinds, [
      `file ${SETTINGS_FILE}`,
      'present MFMailComposeViewController',
      'dismiss MFMailComposeViewController',
    ]);
    const reset = await app.act('/api/reset');
    assert.deepEqual(reset.device.installedApps, []);
    assert.deepEqual(reset.files.map((file) => file.contents), [null, null, null]);
    assert.ok(nodeWithText(reset, 'Vimble') && !texts(reset).includes('Enable'), 'back on the Settings list');
    assert.equal((await app.events()).length, 0);
  });

  test('the feed answers at once without a version and waits for a change with one', async () => {
    const first = (await app.get('/api/state')).json;
    assert.ok(first.version > 0);
    const waiting = app.get(`/api/state?since=${first.version}&events=0`);
    await new Promise((resolve) => setTimeout(resolve, 150));
    await app.act('/api/tap', { text: 'Vimble' });
    const next = (await waiting).json;
    assert.ok(next.version > first.version);
    assert.ok(texts(next).includes('Enable'));
  });

  test('the title icon fades in on the host clock without anybody asking', async () => {
    const icon = (tree) => findNode(tree, (node) => node.image?.endsWith('Branding - Small.png'));
    const faded = await eventually(async () => {
      const node = icon(await app.tree());
      return node && node.alpha === 1 && node;
    }, { message: 'the title icon at full alpha' });
    assert.equal(faded.animation.duration, 0.5);
  });
});

describe('a bundle that cannot be loaded', () => {
  let app;
  before(async () => {
    app = await startApp({
      prepare: async (root) => {
        await installBrokenBundle(root, 'Broken');
        const garbled = await installBrokenBundle(root, 'Garbled');
        await writeFile(join(garbled, 'Garbled'), 'not a shared library');
      },
    });
  });
  after(async () => { await app.stop(); });

  test('is listed beside the others', async () => {
    const rows = texts(await app.tree());
    for (const label of ['Broken', 'Garbled', 'Vimble']) assert.ok(rows.includes(label), label);
  });

  test('pushes an error page naming the missing executable', async () => {
    const tree = await app.act('/api/tap', { text: 'Broken' });
    assert.ok(texts(tree).includes('\u201CBroken\u201D could not be opened'));
    assert.ok(texts(tree).some((text) => text.includes('/Library/PreferenceBundles/Broken.bundle/Broken is missing')));
    await app.act('/api/back');
  });

  test('pushes an error page with dlopen\'s reason for a file that is no library', async () => {
    const tree = await app.act('/api/tap', { text: 'Garbled' });
    assert.ok(texts(tree).some((text) => text.startsWith('dlopen() could not load /Library/PreferenceBundles/Garbled.bundle/Garbled')));
    await app.act('/api/back');
  });

  test('leaves the working bundle working', async () => {
    const tree = await app.act('/api/tap', { text: 'Vimble' });
    assert.ok(texts(tree).includes('Enable'));
  });
});

test('a bad command line or a port in use stops the app with a message', async () => {
  const badPort = spawnSync(process.env.VIMBLE_PREVIEW, ['--port', 'eighty'], { encoding: 'utf8', timeout: 10000 });
  assert.equal(badPort.status, 2);
  assert.match(badPort.stderr, /not a port number: eighty/);
  const app = await startApp();
  const root = await makeDeviceRoot();
  const taken = spawnSync(process.env.VIMBLE_PREVIEW, ['--port', String(app.port), '--device-root', root],
    { encoding: 'utf8', timeout: 10000, killSignal: 'SIGKILL' });
  await app.stop();
  await rm(root, { recursive: true, force: true });
  assert.equal(taken.status, 1);
  assert.match(taken.stderr, new RegExp(`cannot listen on 127\\.0\\.0\\.1:${app.port}`));
});

test('Ctrl-C stops the app cleanly', async () => {
  const app = await startApp();
  await app.act('/api/tap', { text: 'Vimble' });
  const pending = app.get('/api/state?since=999999').catch(() => null); // a waiting feed must not hold it up
  const result = await app.stop();
  assert.deepEqual(result, { code: 0, signal: null });
  assert.match(app.output(), /Stopped\./);
  await pending;
});
