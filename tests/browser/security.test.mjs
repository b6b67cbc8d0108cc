// Who may reach the app and what it gives out: loopback only, its own Host
// and Origin only (a page of another site in the browser sends its Origin
// with a form post or a no-cors fetch), the client's files and the bundles'
// pictures only. Bodies without a length or over the limit are the hostile
// clients' test's.

import { test } from 'node:test';
import assert from 'node:assert/strict';
import http from 'node:http';
import { mkdir, mkdtemp, readFile, rm, symlink, writeFile } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

import { startApp, texts } from './harness.mjs';

const BUNDLE = '/device/Library/PreferenceBundles/Vimble.bundle';

// [what, request, status]; a request has exactly the headers given (fetch would set Host and Origin itself).
const CASES = (port) => [
  ...[`127.0.0.1:${port}`, `localhost:${port}`, `LOCALHOST:${port}`, `[::1]:${port}`]
    .map((Host) => ['own Host', { path: '/api/tree', headers: { Host } }, 200]),
  ...['evil.example', `evil.example:${port}`, `127.0.0.1:${port + 1}`, '127.0.0.1', `192.168.1.2:${port}`,
    `localhost.evil.example:${port}`].map((Host) => ['other Host', { path: '/api/tree', headers: { Host } }, 403]),
  ['no Host', { path: '/', setHost: false }, 403],
  ...['http://evil.example', 'null', `http://localhost:${port}`, `https://127.0.0.1:${port}`]
    .map((Origin) => ['POST from elsewhere', { method: 'POST', path: '/api/tap', headers: { Origin }, body: '{"text":"Vimble"}' }, 403]),
  ['form post from elsewhere', { method: 'POST', path: '/api/tap', body: '{"text":"Vimble","padding":"="}',
    headers: { Origin: 'http://127.0.0.1:1', 'Content-Type': 'text/plain' } }, 403],
  ['POST from its own origin', { method: 'POST', path: '/api/back', headers: { Origin: `http://127.0.0.1:${port}` }, body: '{}' }, 404],
  ['GET from elsewhere', { path: '/api/files', headers: { Origin: 'http://evil.example' } }, 200],
  ['the client', { path: '/' }, 200],
  ...['/../CMakeLists.txt', '/%2e%2e/%2e%2e/CMakeLists.txt', '/..%2f..%2fetc%2fpasswd', '//etc/passwd',
    '/device/Library/PreferenceBundles/../Elsewhere.png', '/device/Library/PreferenceBundles/%2e%2e/Elsewhere.png',
    `${BUNDLE}/../../../../../../etc/passwd`, '/device/Library/Elsewhere.png', '/device/etc/passwd',
    '/device/var/mobile/Library/Preferences/com.korvent.vimble.plist', `${BUNDLE}/%00Icon.png`,
    `${BUNDLE}/Info.plist`, `${BUNDLE}/Vimble`, '/leak.js', `${BUNDLE}/Leak.png`]
    .map((path) => ['outside what is served', { path }, 404]),
];

function raw(port, { method = 'GET', path, headers = {}, body, setHost = true }) {
  headers = { 'Content-Type': 'application/json', ...headers };
  if (body) headers['Content-Length'] = Buffer.byteLength(body);
  return new Promise((resolve, reject) => {
    const request = http.request({ host: '127.0.0.1', port, method, path, headers, setHost }, (response) => {
      let text = '';
      response.on('data', (chunk) => { text += chunk; });
      response.on('end', () => resolve({ status: response.statusCode, headers: response.headers, text }));
    });
    request.on('error', reject);
    if (body) request.write(body);
    request.end();
  });
}

const SECRET = 'not for the browser';

test('each request gets its status, nothing is shared with other origins or read from outside, only 127.0.0.1 listens', async () => {
  const outside = await mkdtemp(join(tmpdir(), 'preview-outside-'));
  const webRoot = join(outside, 'web');
  await mkdir(webRoot);
  await writeFile(join(outside, 'secret.png'), SECRET);
  await writeFile(join(outside, 'secret.js'), SECRET);
  await writeFile(join(webRoot, 'index.html'), '<!doctype html><title>client</title>');
  await symlink(join(outside, 'secret.js'), join(webRoot, 'leak.js'));
  const app = await startApp({
    extraArgs: ['--web-root', webRoot],
    prepare: async (root) => {
      await mkdir(join(root, 'Library/PreferenceBundles/Vimble.bundle'), { recursive: true });
      await symlink(join(outside, 'secret.png'), join(root, 'Library/PreferenceBundles/Vimble.bundle/Leak.png'));
      await writeFile(join(root, 'Library/Elsewhere.png'), 'outside the bundles');
    },
  });
  try {
    for (const [what, request, status] of CASES(app.port)) {
      const answer = await raw(app.port, request);
      const label = `${what}: ${request.path} ${JSON.stringify(request.headers ?? {})}`;
      assert.equal(answer.status, status, label);
      assert.deepEqual(Object.keys(answer.headers).filter((name) => name.startsWith('access-control-')), [], label);
      if (status === 403 || status === 404) assert.ok(JSON.parse(answer.text).error, label);
      assert.ok(!answer.text.includes(SECRET) && !answer.text.includes('root:'), label);
    }
    const client = await raw(app.port, { path: '/' });
    assert.match(client.text, /<title>client<\/title>/, 'the client comes from its web root');
    assert.match(client.headers['content-security-policy'], /default-src 'self'/);
    assert.equal(client.headers['x-frame-options'], 'DENY');
    assert.equal((await raw(app.port, { path: `${BUNDLE}/Icon.png` })).headers['content-type'], 'image/png');
    assert.ok(!texts(await app.tree()).includes('Enable'), 'the panel was not opened');

    const port = app.port.toString(16).toUpperCase().padStart(4, '0');
    const listening = (await readFile('/proc/net/tcp', 'utf8')).split('\n').map((line) => line.trim().split(/\s+/))
      .filter((fields) => fields[1]?.endsWith(`:${port}`) && fields[3] === '0A');
    assert.deepEqual(listening.map((fields) => fields[1]), [`0100007F:${port}`]);
    const sockets6 = await readFile('/proc/net/tcp6', 'utf8').catch(() => '');
    assert.ok(!sockets6.split('\n').some((line) => line.includes(`:${port} `) && line.includes(' 0A ')));
  } finally {
    await app.stop();
    await rm(outside, { recursive: true, force: true });
  }
});
