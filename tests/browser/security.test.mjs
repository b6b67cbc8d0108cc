// Who may reach the app and what it gives out: loopback only, its own Host
// and Origin only, the client's files and the bundles' pictures only.

import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import http from 'node:http';
import { mkdir, mkdtemp, readFile, rm, symlink, writeFile } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

import { startApp } from './harness.mjs';

// A request with exactly the headers given (fetch would set Host and Origin itself).
function raw(app, { method = 'GET', path = '/', headers = {}, body, setHost = true, chunked = false } = {}) {
  if (body && !chunked) headers = { 'Content-Length': Buffer.byteLength(body), ...headers };
  return new Promise((resolve, reject) => {
    const request = http.request({ host: '127.0.0.1', port: app.port, method, path, headers, setHost }, (response) => {
      let text = '';
      response.on('data', (chunk) => { text += chunk; });
      response.on('end', () => resolve({ status: response.statusCode, headers: response.headers, text }));
    });
    request.on('error', reject);
    if (body) request.write(body);
    request.end();
  });
}

describe('requests from elsewhere', () => {
  let app;
  before(async () => { app = await startApp(); });
  after(async () => { await app.stop(); });

  test('only the loopback names with the server\'s own port are answered', async () => {
    for (const host of [`127.0.0.1:${app.port}`, `localhost:${app.port}`, `LOCALHOST:${app.port}`, `[::1]:${app.port}`]) {
      assert.equal((await raw(app, { path: '/api/tree', headers: { Host: host } })).status, 200, host);
    }
    for (const host of ['evil.example', `evil.example:${app.port}`, `127.0.0.1:${app.port + 1}`, '127.0.0.1',
      `192.168.1.2:${app.port}`, `localhost.evil.example:${app.port}`]) {
      const answer = await raw(app, { path: '/api/tree', headers: { Host: host } });
      assert.equal(answer.status, 403, host);
      assert.match(JSON.parse(answer.text).error, /loopback/);
    }
    assert.equal((await raw(app, { path: '/', setHost: false })).status, 403, 'no Host at all');
  });

  test('a POST from another origin is refused and changes nothing', async () => {
    const host = `127.0.0.1:${app.port}`;
    for (const origin of ['http://evil.example', 'null', `http://localhost:${app.port}`, `https://${host}`]) {
      const answer = await raw(app, {
        method: 'POST', path: '/api/tap', headers: { Host: host, Origin: origin, 'Content-Type': 'application/json' },
        body: JSON.stringify({ text: 'Vimble' }),
      });
      assert.equal(answer.status, 403, origin);
    }
    assert.ok(!JSON.stringify(await app.tree()).includes('"Enable"'), 'the panel was not opened');
    const own = await raw(app, {
      method: 'POST', path: '/api/back', headers: { Host: host, Origin: `http://${host}` }, body: '{}',
    });
    assert.equal(own.status, 404, 'its own origin gets through (and there is no page to go back to)');
  });

  test('no answer allows another origin to read it', async () => {
    for (const path of ['/', '/api/tree', '/api/files']) {
      const answer = await raw(app, { path, headers: { Origin: 'http://evil.example' } });
      const shared = Object.keys(answer.headers).filter((name) => name.startsWith('access-control-'));
      assert.deepEqual(shared, [], path);
    }
    const page = await raw(app, { path: '/' });
    assert.match(page.headers['content-security-policy'], /default-src 'self'/);
    assert.equal(page.headers['x-frame-options'], 'DENY');
  });

  test('a large body is refused, and so is one without a length', async () => {
    const body = JSON.stringify({ text: 'x'.repeat(100000) });
    const headers = { 'Content-Type': 'application/json' };
    assert.equal((await raw(app, { method: 'POST', path: '/api/tap', headers, body })).status, 413);
    const chunked = await raw(app, { method: 'POST', path: '/api/tap', headers, body, chunked: true });
    assert.equal(chunked.status, 411);
  });

  test('listens on 127.0.0.1 only', async () => {
    const port = app.port.toString(16).toUpperCase().padStart(4, '0');
    const sockets = (await readFile('/proc/net/tcp', 'utf8')).split('\n').map((line) => line.trim().split(/\s+/));
    const listening = sockets.filter((fields) => fields[1]?.endsWith(`:${port}`) && fields[3] === '0A');
    assert.deepEqual(listening.map((fields) => fields[1]), [`0100007F:${port}`]);
    const sockets6 = await readFile('/proc/net/tcp6', 'utf8').catch(() => '');
    assert.ok(!sockets6.split('\n').some((line) => line.includes(`:${port} `) && line.includes(' 0A ')));
  });
});

describe('files', () => {
  let app;
  let outside;
  let webRoot;
  before(async () => {
    outside = await mkdtemp(join(tmpdir(), 'preview-outside-'));
    await writeFile(join(outside, 'secret.png'), 'not for the browser');
    await writeFile(join(outside, 'secret.js'), 'not for the browser');
    webRoot = await mkdtemp(join(tmpdir(), 'preview-web-'));
    await writeFile(join(webRoot, 'index.html'), '<!doctype html><title>client</title>');
    await symlink(join(outside, 'secret.js'), join(webRoot, 'leak.js'));
    app = await startApp({
      extraArgs: ['--web-root', webRoot],
      prepare: async (root) => {
        const bundle = join(root, 'Library/PreferenceBundles/Vimble.bundle');
        await mkdir(bundle, { recursive: true });
        await symlink(join(outside, 'secret.png'), join(bundle, 'Leak.png'));
        await writeFile(join(root, 'Library/Elsewhere.png'), 'outside the bundles');
      },
    });
  });
  after(async () => {
    await app.stop();
    await rm(outside, { recursive: true, force: true });
    await rm(webRoot, { recursive: true, force: true });
  });

  test('the client is served from its web root', async () => {
    const page = await raw(app, { path: '/' });
    assert.equal(page.status, 200);
    assert.match(page.text, /<title>client<\/title>/);
  });

  test('no path climbs out of the web root or the bundles directory', async () => {
    const paths = [
      '/../CMakeLists.txt', '/%2e%2e/%2e%2e/CMakeLists.txt', '/..%2f..%2fetc%2fpasswd', '//etc/passwd',
      '/device/Library/PreferenceBundles/../Elsewhere.png',
      '/device/Library/PreferenceBundles/%2e%2e/Elsewhere.png',
      '/device/Library/PreferenceBundles/Vimble.bundle/../../../../../../etc/passwd',
      '/device/Library/Elsewhere.png', '/device/var/mobile/Library/Preferences/com.korvent.vimble.plist',
      '/device/etc/passwd', '/device/Library/PreferenceBundles/Vimble.bundle/%00Icon.png',
    ];
    for (const path of paths) {
      const answer = await raw(app, { path });
      assert.equal(answer.status, 404, path);
      assert.ok(!answer.text.includes('root:'), path);
    }
  });

  test('a symbolic link that leads outside is not followed', async () => {
    assert.equal((await raw(app, { path: '/leak.js' })).status, 404);
    assert.equal((await raw(app, { path: '/device/Library/PreferenceBundles/Vimble.bundle/Leak.png' })).status, 404);
    assert.equal((await raw(app, { path: '/device/Library/PreferenceBundles/Vimble.bundle/Icon.png' })).status, 200);
  });
});
