// The app left running: it publishes nothing while nothing happens, yet what
// the phone does on its own still reaches a waiting feed; its log keeps the
// 500 most recent entries and the count of all, and a reader asks only for
// what it lacks; followers beyond what the app lets wait never hold up a
// tap; the apps offered for installing come from the bundles.

import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { existsSync } from 'node:fs';
import { writeFile } from 'node:fs/promises';
import http from 'node:http';
import { join } from 'node:path';

import { findNode, installBrokenBundle, plist, startApp } from './harness.mjs';

// Hundreds of taps write the settings file; in memory they cost no disk.
if (existsSync('/dev/shm')) process.env.TMPDIR = '/dev/shm';

const pause = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
const titleIcon = (tree) => findNode(tree, (node) => node.image?.endsWith('Branding - Small.png'));

// A GET on a connection of its own, as each tab of a browser window has.
function getAlone(port, path) {
  return new Promise((resolve, reject) => {
    http.get({ host: '127.0.0.1', port, path, agent: false }, (response) => {
      let body = '';
      response.setEncoding('utf8');
      response.on('data', (chunk) => { body += chunk; });
      response.on('end', () => resolve(JSON.parse(body)));
    }).on('error', reject);
  });
}

describe('an idle app', () => {
  let app;
  before(async () => { app = await startApp(); });
  after(async () => { await app.stop(); });

  test('publishes no new version while nothing happens, on every page', async () => {
    for (const way of [[], ['Vimble'], ['Configure', 'Select Emoji'], ['Back', 'Back', 'The Creators'], ['Back', 'Back']]) {
      for (const text of way) await app.act('/api/tap', { text });
      await pause(800); // the title icon's fade and any row motion end
      const before = (await app.get('/api/state')).json.version;
      await pause(1500);
      assert.equal((await app.get('/api/state')).json.version, before, `after ${way.join(' > ') || 'launch'}`);
    }
  });

  test('a timer that fires on the phone reaches a waiting feed by itself', async () => {
    const opened = await app.act('/api/tap', { text: 'Vimble' });
    assert.equal(titleIcon(opened).alpha, 0);
    const next = (await app.get(`/api/state?since=${opened.version}`)).json;
    assert.equal(titleIcon(next).alpha, 1);
  });
});

describe('the log of a long history', () => {
  const TAPS = 520;
  let app;
  let count;
  before(async () => {
    app = await startApp();
    await app.act('/api/tap', { text: 'Vimble' });
    for (let tap = 0; tap < TAPS; tap += 1) await app.act('/api/tap', { switch: 'Enable' });
    count = (await app.get('/api/state')).json.eventCount;
  });
  after(async () => { await app.stop(); });

  test('keeps the 500 most recent entries and counts every one', async () => {
    assert.ok(count >= TAPS, `${count} entries counted`);
    const kept = await app.events();
    assert.equal(kept.length, 500);
    assert.deepEqual(kept.map((event) => event.index), Array.from({ length: 500 }, (_, at) => count - 500 + at));
    assert.equal(kept.at(-1).kind, 'file');
  });

  test('sends a reader what it lacks, and all it keeps to one that fell behind or kept a cleared log', async () => {
    const cases = [
      [count - 3, count - 3, 3],
      [count, count, 0],
      [5, count - 500, 500],
      [count + 7, count - 500, 500],
    ];
    for (const [known, from, length] of cases) {
      const state = (await app.get(`/api/state?events=${known}`)).json;
      assert.deepEqual([state.eventsFrom, state.events.length, state.eventCount, state.events[0]?.index ?? from],
        [from, length, count, from], `events=${known}`);
    }
    await app.act('/api/reset');
    const cleared = (await app.get(`/api/state?events=${count}`)).json;
    assert.deepEqual([cleared.eventsFrom, cleared.events, cleared.eventCount], [0, [], 0]);
  });
});

describe('many followers', () => {
  let app;
  before(async () => { app = await startApp(); });
  after(async () => { await app.stop(); });

  test('at most 96 wait; one more is told it is busy, and a tap is answered all the same', async () => {
    const { version } = (await app.get('/api/state')).json;
    const followers = Array.from({ length: 100 }, () => getAlone(app.port, `/api/state?since=${version}`));
    const answers = [];
    followers.forEach((follower) => follower.then((answer) => answers.push(answer)));
    await pause(1000);
    assert.equal(answers.length, 4, 'the four beyond 96 are answered at once');
    assert.ok(answers.every((answer) => answer.busy === true && answer.version === version));
    const tap = await app.post('/api/tap', { text: 'Vimble' });
    assert.equal(tap.status, 200);
    const all = await Promise.all(followers);
    assert.equal(all.filter((answer) => answer.version > version && !answer.busy).length, 96);
  });
});

test('the apps to install are the schemes the installed bundles ask about, in the Settings list\'s order, each once', async () => {
  const app = await startApp({ prepare: installBundleAskingFor(['mastodon', 'twitter']) });
  try {
    assert.deepEqual((await app.get('/api/device')).json.knownApps, ['tweetbot', 'twitterrific', 'twitter', 'mastodon']);
  } finally {
    await app.stop();
  }
});

// A bundle listed after "Vimble" whose Info.plist asks about `schemes`.
function installBundleAskingFor(schemes) {
  return async (root) => {
    const listed = schemes.map((scheme) => `<string>${scheme}</string>`).join('');
    await writeFile(join(await installBrokenBundle(root, 'Zine'), 'Info.plist'), plist(`<dict><key>CFBundleExecutable</key>`
      + `<string>Zine</string><key>LSApplicationQueriesSchemes</key><array>${listed}</array></dict>`));
  };
}
