// Eight clients tapping their own emoji at once: every tap is applied whole on the phone's main thread, in
// each client's order, so each answer shows the client's row toggled as often as it tapped, and the
// favourites file ends as the taps add up to.

import { test } from 'node:test';
import assert from 'node:assert/strict';
import { existsSync } from 'node:fs';

import { FAVORITES_FILE, emojiRows, startApp } from './harness.mjs';

const CLIENTS = 8;
// Fewer under the sanitizers, where every tap costs many times as much.
const TAPS = Number(process.env.VIMBLE_TAPS_PER_CLIENT ?? 100);

// Every tap writes the favourites file; in memory the writes cost nothing.
if (existsSync('/dev/shm')) process.env.TMPDIR = '/dev/shm';

test(`${CLIENTS} clients x ${TAPS} taps: each applied once, in each client's order`, async () => {
  const app = await startApp();
  try {
    await app.act('/api/tap', { text: 'Vimble' });
    await app.act('/api/tap', { text: 'Configure' });
    const emoji = [...emojiRows(await app.act('/api/tap', { text: 'Select Emoji' })).keys()].slice(0, CLIENTS);
    assert.equal(emoji.length, CLIENTS, 'an emoji row per client on the first screen');
    const startsChosen = (index) => index % 2 === 0; // half the emoji are favourites before the first tap
    for (const [index, text] of emoji.entries()) if (startsChosen(index)) await app.act('/api/tap', { text });

    // The log keeps only its recent entries, and counts all of them.
    const logged = async () => (await app.get('/api/state')).json.eventCount;
    const loggedBefore = await logged();
    const wrong = [];
    await Promise.all(emoji.map(async (text, index) => {
      for (let tap = 1; tap <= TAPS; tap += 1) {
        const answer = await app.post('/api/tap', { text });
        const shown = answer.status === 200 ? emojiRows(answer.json).get(text) : answer.status;
        if (shown !== (startsChosen(index) !== (tap % 2 === 1))) wrong.push(`client ${index} tap ${tap}: ${shown}`);
      }
    }));
    assert.deepEqual(wrong.slice(0, 10), [], 'each answer shows the client\'s own taps so far');

    assert.equal(await logged() - loggedBefore, CLIENTS * TAPS, 'one entry per tap');
    const recent = (await app.events()).slice(-Math.min(CLIENTS * TAPS, 500));
    assert.ok(recent.every((event) => event.kind === 'file' && event.detail === FAVORITES_FILE && event.succeeded),
      'each a write of the favourites');
    const endsChosen = (index) => startsChosen(index) !== (TAPS % 2 === 1);
    assert.deepEqual([...(await app.files())[FAVORITES_FILE]].sort(), emoji.filter((_, index) => endsChosen(index)).sort());
  } finally {
    await app.stop();
  }
});
