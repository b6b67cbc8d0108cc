// Eight clients tapping at once: every tap is handed to the phone's one main
// thread and applied whole, in each client's order, and no change is lost.
// Each client taps its own emoji 500 times, so after its k-th tap the row's
// mark must show the k-th toggle, and the favourites file must end as the
// taps add up to.

import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { existsSync } from 'node:fs';
import http from 'node:http';

import { FAVORITES_FILE, startApp, walk } from './harness.mjs';

const CLIENTS = 8;
// Fewer under the sanitizers, where every tap costs many times as much.
const TAPS = Number(process.env.VIMBLE_TAPS_PER_CLIENT ?? 500);
const CHOSEN = 222;
const NOT_CHOSEN = 111;

// Every tap writes the favourites file and waits for the disk; in memory the
// writes cost nothing, and what a client sees does not depend on it.
if (existsSync('/dev/shm')) process.env.TMPDIR = '/dev/shm';

// The emoji rows on screen with their marks, in screen order.
function emojiRows(tree) {
  const rows = [];
  for (const [node] of walk(tree.window)) {
    if (!('selected' in node)) continue;
    const inCell = [...walk(node)].map(([inner]) => inner);
    const label = inCell.find((inner) => typeof inner.text === 'string' && inner.text !== '');
    const mark = inCell.find((inner) => inner.tag === CHOSEN || inner.tag === NOT_CHOSEN);
    if (label && mark) rows.push({ emoji: label.text, tag: mark.tag, y: node.frame[1] });
  }
  return rows.sort((a, b) => a.y - b.y);
}

// One client: its own connection, one request after the other.
function client(port) {
  // Without noDelay the body waits for the headers' delayed ACK, 40 ms a tap.
  const agent = new http.Agent({ keepAlive: true, maxSockets: 1, noDelay: true });
  return {
    tap(text) {
      const body = JSON.stringify({ text });
      return new Promise((resolve, reject) => {
        const request = http.request({
          host: '127.0.0.1', port, agent, method: 'POST', path: '/api/tap',
          headers: { 'Content-Type': 'application/json', 'Content-Length': Buffer.byteLength(body) },
        }, (response) => {
          let text = '';
          response.setEncoding('utf8');
          response.on('data', (chunk) => { text += chunk; });
          response.on('end', () => resolve({ status: response.statusCode, json: JSON.parse(text) }));
        });
        request.on('error', reject);
        request.setNoDelay(true);
        request.end(body);
      });
    },
    close() { agent.destroy(); },
  };
}

describe('eight clients tapping at once', () => {
  let app;
  let emoji;
  const startsChosen = (index) => index % 2 === 0;
  before(async () => {
    app = await startApp();
    await app.act('/api/tap', { text: 'Vimble' });
    await app.act('/api/tap', { text: 'Configure' });
    const page = await app.act('/api/tap', { text: 'Select Emoji' });
    emoji = emojiRows(page).slice(0, CLIENTS).map((row) => row.emoji);
    assert.equal(emoji.length, CLIENTS, 'eight emoji rows on the first screen');
    // Half the clients' emoji are favourites before the first tap.
    for (const [index, text] of emoji.entries()) {
      if (startsChosen(index)) await app.act('/api/tap', { text });
    }
  });
  after(async () => { await app?.stop(); });

  test(`${CLIENTS} x ${TAPS} taps are each applied once, in each client's order`, async () => {
    // The log keeps only its recent entries, and counts all of them.
    const logged = async () => (await app.get('/api/state')).json.eventCount;
    const loggedBefore = await logged();
    const started = Date.now();
    const outOfOrder = [];
    await Promise.all(emoji.map(async (text, index) => {
      const connection = client(app.port);
      try {
        for (let tap = 1; tap <= TAPS; tap += 1) {
          const answer = await connection.tap(text);
          assert.equal(answer.status, 200, `client ${index} tap ${tap}`);
          const row = emojiRows(answer.json).find((candidate) => candidate.emoji === text);
          const chosen = startsChosen(index) !== (tap % 2 === 1);
          if (row?.tag !== (chosen ? CHOSEN : NOT_CHOSEN)) outOfOrder.push(`client ${index} tap ${tap}: ${row?.tag}`);
        }
      } finally {
        connection.close();
      }
    }));
    const seconds = (Date.now() - started) / 1000;
    assert.deepEqual(outOfOrder.slice(0, 10), [], 'each answer shows the client\'s own taps so far');

    assert.equal(await logged() - loggedBefore, CLIENTS * TAPS, 'one entry per tap');
    const recent = (await app.events()).slice(-Math.min(CLIENTS * TAPS, 500));
    assert.ok(recent.every((event) => event.kind === 'file' && event.detail === FAVORITES_FILE && event.succeeded),
      'each a write of the favourites');
    const favorites = (await app.files())[FAVORITES_FILE];
    const endsChosen = (index) => startsChosen(index) !== (TAPS % 2 === 1);
    assert.deepEqual([...favorites].sort(), emoji.filter((_, index) => endsChosen(index)).sort());
    console.log(`[ figures ] ${CLIENTS * TAPS} taps from ${CLIENTS} clients in ${seconds.toFixed(1)} s, none lost`);
  });
});
