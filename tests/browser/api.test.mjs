// The automation interface driven over HTTP, as a script would: read the
// tree, find and tap by text, scroll, go back, turn the phone, install apps,
// read the files and the log, reset; and the app's own start and stop.

import { test } from 'node:test';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { rm, writeFile } from 'node:fs/promises';
import { join } from 'node:path';

import {
  FAVORITES_FILE, PREVIEW, SETTINGS_FILE, SKINTONE_FILE, eventually, findNode, installBrokenBundle, makeDeviceRoot,
  startApp, texts,
} from './harness.mjs';

const PORTRAIT = [0, 0, 375, 667];
const enableSwitch = (tree) => findNode(findNode(tree, (node) => 'selected' in node && texts(node).includes('Enable')),
  (node) => 'on' in node);

// [path, body, status, what the error names]
const REFUSED = [
  ['/api/tap', { text: 'No Such Row' }, 404, /No Such Row/], ['/api/tap', { switch: 'Need Help' }, 404, /Need Help/],
  ...[{}, { point: [1] }, { point: ['a', 2] }, { text: 3 }, 'not json', '[]'].map((body) => ['/api/tap', body, 400]),
  ...[{ dy: 'far' }, { dy: 5, point: 'here' }].map((body) => ['/api/scroll', body, 400]),
  ...[{ installedApps: 'twitter' }, { installedApps: ['Twitter App'] }, { orientation: 'sideways' }, {}]
    .map((body) => ['/api/device', body, 400]),
];

test('a script drives the phone through the automation interface', async () => {
  // A bundle whose executable is no library, beside the installed one.
  const app = await startApp({ prepare: async (root) => writeFile(join(await installBrokenBundle(root, 'Garbled'), 'Garbled'), 'no library') });
  try {
    // The Settings list, upright, with a row per entry and the bundle's icon; no file written yet.
    let tree = await app.tree();
    assert.deepEqual([tree.window.class, tree.window.frame], ['UIWindow', PORTRAIT]);
    assert.deepEqual(texts(tree).filter((text) => ['Garbled', 'Vimble'].includes(text)), ['Garbled', 'Vimble']);
    const entry = findNode(tree, (node) => node.class === 'SettingsEntryCell' && texts(node).includes('Vimble'));
    const icon = findNode(entry, (node) => node.image);
    assert.deepEqual([icon.image, icon.frame.slice(2)], ['/Library/PreferenceBundles/Vimble.bundle/Icon.png', [29, 29]]);
    assert.deepEqual((await app.get('/api/files')).json.map((file) => [file.path, file.contents]),
      [[SETTINGS_FILE, null], [FAVORITES_FILE, null], [SKINTONE_FILE, null]]);

    // It pushes an error page saying why (the browser journey shows a missing executable).
    tree = await app.act('/api/tap', { text: 'Garbled' });
    assert.ok(texts(tree).some((text) => text.startsWith('dlopen() could not load /Library/PreferenceBundles/Garbled.bundle/Garbled: ')));
    await app.act('/api/back');

    // A tap by text answers with the new tree.
    tree = await app.act('/api/tap', { text: 'Vimble' });
    assert.ok(texts(tree).includes('Enable') && tree.version > 0 && typeof tree.clock === 'number');
    // The title icon fades in on the host's clock; the node holds the end value and the animation.
    const titleIcon = await eventually(async () => findNode(await app.tree(),
      (node) => node.image?.endsWith('Branding - Small.png') && node.alpha === 1), 'the title icon shown');
    assert.equal(titleIcon.animation.duration, 0.5);

    // A switch by its row's title, then at a point.
    tree = await app.act('/api/tap', { switch: 'Enable' });
    assert.ok(enableSwitch(tree).on === false && !texts(tree).includes('Configure'));
    assert.equal(findNode(tree, (node) => node.rowChange)?.rowChange.inserted, false);
    const [x, y, w, h] = enableSwitch(tree).frame;
    assert.equal(enableSwitch(await app.act('/api/tap', { point: [x + w / 2, y + h / 2] })).on, true);

    for (const [path, body, status, names] of REFUSED) {
      const answer = await app.request('POST', path, body);
      assert.deepEqual([answer.status, (names ?? /./).test(answer.json.error)], [status, true], `${path} ${JSON.stringify(body)}`);
    }

    // Scrolling says whether the page moved.
    const offset = (answer) => findNode(answer, (node) => node.class === 'UITableView').contentOffset[1];
    const down = await app.act('/api/scroll', { dy: 40 });
    assert.deepEqual([down.scrolled, offset(down)], [true, 40]);
    assert.equal(offset(await app.act('/api/scroll', { dy: -5000, point: [100, 300] })), 0);
    assert.equal((await app.act('/api/scroll', { dy: -10 })).scrolled, false);

    // The feed answers at once without a version, and with one waits for the next change.
    const first = (await app.get('/api/state')).json;
    const waiting = app.get(`/api/state?since=${first.version + 1000}&events=0`);
    const next = app.get(`/api/state?since=${first.version}&events=0`);
    await new Promise((resolve) => setTimeout(resolve, 150));
    await app.act('/api/back');
    const changed = (await next).json;
    assert.ok(texts(first).includes('Enable') && changed.version > first.version && !texts(changed).includes('Enable'));

    // The device turns and installs apps; the log lists what the phone did, oldest first.
    const turned = await app.act('/api/device', { orientation: 'landscape', installedApps: ['twitter', 'tweetbot'] });
    assert.deepEqual([turned.window.frame, turned.device.orientation, turned.device.installedApps],
      [[0, 0, 667, 375], 'landscape', ['tweetbot', 'twitter']]);
    const log = await app.events();
    assert.deepEqual([log[0].index, log[0].kind, log[0].detail, log[0].succeeded], [0, 'file', SETTINGS_FILE, true]);
    assert.match(log[0].time, /^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}Z$/);
    assert.deepEqual([log.at(-1).kind, log.at(-1).detail], ['notification', 'UIDeviceOrientationDidChangeNotification']);

    // Reset: no files, no apps, no log, upright on the Settings list.
    await app.act('/api/tap', { text: 'Vimble' });
    const reset = await app.act('/api/reset');
    assert.deepEqual([reset.window.frame, reset.device.installedApps, reset.files.map((file) => file.contents)],
      [PORTRAIT, [], [null, null, null]]);
    assert.ok(texts(reset).includes('Vimble') && !texts(reset).includes('Enable'));
    assert.deepEqual(await app.events(), []);
    const none = await app.post('/api/back');
    assert.deepEqual([none.status, /Back/.test(none.json.error)], [404, true]);

    // Ctrl-C stops the app cleanly, a waiting feed notwithstanding.
    assert.deepEqual(await app.stop(), { code: 0, signal: null });
    assert.match(app.output(), /Stopped\./);
    await waiting.catch(() => null);
  } finally {
    await app.stop();
  }
});

test('a bad command line or a port in use stops the app with a message', async () => {
  const badPort = spawnSync(PREVIEW, ['--port', 'eighty'], { encoding: 'utf8', timeout: 10000 });
  assert.equal(badPort.status, 2);
  assert.match(badPort.stderr, /not a port number: eighty/);
  const unknown = spawnSync(PREVIEW, ['--bogus'], { encoding: 'utf8', timeout: 10000 });
  assert.deepEqual([unknown.status, /unknown option --bogus/.test(unknown.stderr)], [2, true]);
  const app = await startApp();
  const root = await makeDeviceRoot();
  const taken = spawnSync(PREVIEW, ['--port', String(app.port), '--device-root', root],
    { encoding: 'utf8', timeout: 10000, killSignal: 'SIGKILL' });
  await app.stop();
  await rm(root, { recursive: true, force: true });
  assert.equal(taken.status, 1);
  assert.match(taken.stderr, new RegExp(`cannot listen on 127\\.0\\.0\\.1:${app.port}`));
});
