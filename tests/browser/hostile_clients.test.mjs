// Clients that do not play by the rules, talking raw HTTP over a socket: a
// request hidden in a refused body, a GET with a body, pipelined requests,
// bodies without a length or over the limit, broken lengths, doubled and
// non-UTF-8 headers, and clients that trickle. None of them may change the
// phone, and each gets its answer or its connection closed.

import { test } from 'node:test';
import assert from 'node:assert/strict';
import net from 'node:net';

import { startApp, texts } from './harness.mjs';

const TAP = '{"text":"Vimble"}';

// A whole request as bytes on the wire; `headers` go in the order given.
const request = (method, path, headers, body = '') =>
  `${method} ${path} HTTP/1.1\r\n${headers.map((line) => `${line}\r\n`).join('')}\r\n${body}`;

// The answers found in `bytes`, in order: [{status, headers, body}].
function answers(bytes) {
  const found = [];
  let rest = bytes;
  for (let end; (end = rest.indexOf('\r\n\r\n')) >= 0;) {
    const [statusLine, ...lines] = rest.subarray(0, end).toString('latin1').split('\r\n');
    const headers = Object.fromEntries(lines.map((line) => line.split(/:\s*/, 2)).map(([k, v]) => [k.toLowerCase(), v]));
    const length = Number(headers['content-length'] ?? 0);
    found.push({ status: Number(statusLine.split(' ')[1]), headers, body: rest.subarray(end + 4, end + 4 + length).toString() });
    rest = rest.subarray(end + 4 + length);
  }
  return found;
}

// Sends `chunks` (a pause of `pauseMs` between them) and reads until the
// server closes or `count` answers came; `closed` tells which.
function exchange(port, chunks, { count = Infinity, pauseMs = 0, waitMs = 3000 } = {}) {
  return new Promise((resolve) => {
    const socket = net.connect(port, '127.0.0.1');
    let received = Buffer.alloc(0);
    let closed = false;
    const finish = () => {
      clearTimeout(timer);
      socket.destroy();
      resolve({ answers: answers(received), closed });
    };
    const timer = setTimeout(finish, waitMs);
    socket.on('data', (data) => {
      received = Buffer.concat([received, data]);
      if (answers(received).length >= count) finish();
    });
    socket.on('close', () => { closed = true; finish(); });
    socket.on('error', () => {});
    (async () => {
      for (const chunk of chunks) {
        if (socket.destroyed) return;
        socket.write(chunk);
        if (pauseMs) await new Promise((go) => setTimeout(go, pauseMs));
      }
    })();
  });
}

// [what, chunks, statuses in order, whether the connection must end closed]
const CASES = (port) => {
  const host = `Host: 127.0.0.1:${port}`;
  const own = (path, body) => request('POST', path, [host, `Content-Length: ${body.length}`], body);
  const hidden = own('/api/tap', TAP);
  const padded = `${'x'.repeat(4096)}${hidden}`;
  return [
    ['a tap hidden in the body of a POST from another origin', [request('POST', '/api/tap',
      [host, 'Origin: https://evil.example', `Content-Length: ${padded.length}`], padded)], [403], true],
    ['a tap as the whole body of a POST from another origin', [request('POST', '/api/tap',
      [host, 'Origin: https://evil.example', `Content-Length: ${hidden.length}`], hidden)], [403], true],
    ['a tap hidden in the body of a POST to another host', [request('POST', '/api/tap',
      ['Host: evil.example', `Content-Length: ${hidden.length}`], hidden)], [403], true],
    ['a tap hidden in a chunked body', [request('POST', '/api/back', [host, 'Transfer-Encoding: chunked'],
      `${hidden.length.toString(16)}\r\n${hidden}\r\n0\r\n\r\n`)], [411], true],
    ['a tap hidden in the body of a GET', [request('GET', '/api/tree', [host, `Content-Length: ${hidden.length}`], hidden)], [400], true],
    ['a tap hidden in the body of a HEAD', [request('HEAD', '/', [host, `Content-Length: ${hidden.length}`], hidden)], [400], true],
    ['a chunked GET', [request('GET', '/', [host, 'Transfer-Encoding: chunked'], `${hidden.length.toString(16)}\r\n${hidden}\r\n0\r\n\r\n`)], [400], true],
    ['a tap after a Content-Length and a chunked coding both', [request('POST', '/api/back',
      [host, 'Content-Length: 4', 'Transfer-Encoding: chunked'], `0\r\n\r\n${hidden}`)], [400], true],
    ['three requests in one packet', [request('GET', '/api/device', [host]) + own('/api/back', '{}') +
      request('GET', '/api/nothing', [host])], [200, 404, 404], false],
    ['a POST without a body', [request('POST', '/api/back', [host])], [404], false],
    ['a declared body over 16 KiB', [request('POST', '/api/tap', [host, 'Content-Length: 50000000'])], [413], true],
    ['a body longer than 16 KiB, sent', [own('/api/tap', JSON.stringify({ text: 'x'.repeat(20000) }))], [413], true],
    ['a body without a length', [request('POST', '/api/back', [host], `${'x'.repeat(100000)}`)], [404, 431], true],
    ['a Content-Length that is no number', [request('POST', '/api/tap', [host, 'Content-Length: abc'], TAP)], [400], true],
    ['a negative Content-Length', [request('POST', '/api/tap', [host, 'Content-Length: -1'], TAP)], [400], true],
    ['two Content-Lengths that differ', [request('POST', '/api/tap', [host, 'Content-Length: 2', `Content-Length: ${TAP.length}`], TAP)], [400], true],
    ['two Content-Lengths that agree', [request('POST', '/api/tap', [host, `Content-Length: ${TAP.length}`, `Content-Length: ${TAP.length}`], TAP)], [400], true],
    ['its own Host, then another', [request('POST', '/api/reset', [host, 'Host: evil.example', 'Content-Length: 2'], '{}')], [403], true],
    ['another Host, then its own', [request('GET', '/api/tree', ['Host: evil.example', host])], [403], true],
    ['its own Origin, then another', [request('POST', '/api/reset', [host, `Origin: http://127.0.0.1:${port}`,
      'Origin: http://evil.example', 'Content-Length: 2'], '{}')], [403], true],
    ['a Host that is no UTF-8', [Buffer.from(`GET /api/tree HTTP/1.1\r\nHost: 127.0.0.1\xff\xfe:${port}\r\n\r\n`, 'latin1')], [403], true],
    ['an Origin that is no UTF-8', [Buffer.concat([Buffer.from(`POST /api/tap HTTP/1.1\r\n${host}\r\nOrigin: http://\xc3\x28\r\n`, 'latin1'),
      Buffer.from(`Content-Length: ${TAP.length}\r\n\r\n${TAP}`)])], [403], true],
    ['a device path that is no UTF-8', [Buffer.from(`GET /device/Library/PreferenceBundles/\xff\xfe.png HTTP/1.1\r\n${host}\r\n\r\n`, 'latin1')], [404], false],
    ['an escaped path that is no UTF-8', [request('GET', '/device/Library/PreferenceBundles/%ff%c3.png', [host])], [404], false],
    ['a file path that is no UTF-8', [request('GET', '/%ff%fe', [host])], [404], false],
    ['a broken escape', [request('GET', '/api/state?since=%zz', [host])], [400], true],
    ['headers over 16 KiB', [request('GET', '/api/tree', [host, `X-Padding: ${'x'.repeat(20000)}`])], [431], true],
    ['a method the app does not take', [request('PUT', '/api/tap', [host, `Content-Length: ${TAP.length}`], TAP)], [405], true],
    ['a request that is no HTTP', ['\x16\x03\x01\x02\x00\x01\x00\x01\xfc\x03\x03\r\n\r\n'], [400], true],
  ];
};

test('hostile requests change nothing; each is answered with a JSON error and closed, or answered in order', async () => {
  const app = await startApp();
  try {
    const before = (await app.tree()).version;
    for (const [what, chunks, statuses, closes] of CASES(app.port)) {
      const result = await exchange(app.port, chunks, { count: closes ? Infinity : statuses.length });
      assert.deepEqual(result.answers.map((answer) => answer.status), statuses, what);
      assert.equal(result.closed, closes, `${what}: the connection ${closes ? 'stays open' : 'was closed'}`);
      for (const answer of result.answers.filter((each) => each.status >= 400)) {
        assert.equal(typeof JSON.parse(answer.body).error, 'string', `${what}: ${answer.body}`);
      }
    }
    assert.equal((await app.tree()).version, before, 'the phone changed');
    assert.ok(!texts(await app.tree()).includes('Enable'), 'the panel was opened');
  } finally {
    await app.stop();
  }
});

test('a client that trickles its request is cut off after 5 s, and 500 of them leave taps and the tree answered', async () => {
  const app = await startApp();
  try {
    const trickle = [...'GET /api/tree HTTP/1.1\r\nX-Slow: yes'];
    const slow = Array.from({ length: 500 }, () => exchange(app.port, trickle, { pauseMs: 1000, waitMs: 20000 }));
    await new Promise((go) => setTimeout(go, 1000));
    assert.equal((await app.get('/api/tree')).status, 200);
    assert.ok(texts(await app.act('/api/tap', { text: 'Vimble' })).includes('Enable'));
    const started = Date.now();
    const results = await Promise.all(slow);
    for (const result of results) {
      assert.deepEqual(result.answers.map((answer) => answer.status), [408]);
      assert.ok(result.closed);
    }
    assert.ok(Date.now() - started < 10000, 'the slow clients were not cut off by their deadline');
  } finally {
    await app.stop();
  }
});
