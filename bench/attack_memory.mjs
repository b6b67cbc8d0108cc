// The Settings app's resident memory before and after clients attack it:
// 500 that trickle their requests, and hundreds that send oversized headers,
// declared and sent oversized bodies, bodies without a length, chunked bodies
// and GETs with bodies. Run by scripts/bench as
//   node bench/attack_memory.mjs build/preview/vimble-preview
// Prints the figures; fails when the memory does not come back within 4 MiB.

import { spawn } from 'node:child_process';
import { mkdtemp, readFile, rm } from 'node:fs/promises';
import net from 'node:net';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

const MEBIBYTE = 1024 * 1024;
const LARGEST_GROWTH = 4 * MEBIBYTE;
const pause = (ms) => new Promise((go) => setTimeout(go, ms));

async function start(executable) {
  const root = await mkdtemp(join(tmpdir(), 'vimble-attack-'));
  const child = spawn(executable, ['--port', '0', '--device-root', root], { stdio: ['ignore', 'pipe', 'inherit'] });
  let printed = '';
  const port = await new Promise((resolve, reject) => {
    child.stdout.on('data', (chunk) => {
      const match = /http:\/\/127\.0\.0\.1:(\d+)\//.exec(printed += chunk);
      if (match) resolve(Number(match[1]));
    });
    child.on('exit', () => reject(new Error(`the app exited:\n${printed}`)));
  });
  return { child, port, root };
}

async function resident(pid) {
  const status = await readFile(`/proc/${pid}/status`, 'utf8');
  return Number(/VmRSS:\s+(\d+)/.exec(status)[1]) * 1024;
}

// Sends `head`, then `body` bytes in 64 KiB pieces as fast as the app takes
// them, and waits until the app closes or `waitMs` pass.
function attack(port, head, bodyBytes = 0, waitMs = 10000) {
  return new Promise((resolve) => {
    const socket = net.connect(port, '127.0.0.1');
    const timer = setTimeout(() => socket.destroy(), waitMs);
    socket.on('error', () => {});
    socket.on('close', () => resolve(clearTimeout(timer)));
    socket.on('data', () => {});
    socket.write(head);
    const piece = Buffer.alloc(64 * 1024, 'x');
    let left = bodyBytes;
    const more = () => {
      while (left > 0 && !socket.destroyed) {
        left -= piece.length;
        if (!socket.write(piece)) return socket.once('drain', more);
      }
    };
    more();
  });
}

function trickler(port, seconds) {
  return new Promise((resolve) => {
    const socket = net.connect(port, '127.0.0.1');
    const text = 'GET /api/tree HTTP/1.1\r\nX-Slow: ';
    let sent = 0;
    const timer = setInterval(() => !socket.destroyed && socket.write(text[sent++] ?? 'x'), 1000);
    socket.on('error', () => {});
    socket.on('data', () => {});
    socket.on('close', () => resolve(clearInterval(timer)));
    setTimeout(() => socket.destroy(), seconds * 1000);
  });
}

const ATTACKS = (port) => {
  const host = `Host: 127.0.0.1:${port}`;
  const many = (count, make) => Promise.all(Array.from({ length: count }, make));
  return [
    ['500 clients trickling a request, 8 s', () => many(500, () => trickler(port, 8))],
    ['200 GETs with 1 MiB of headers', () => many(200, () => attack(port, `GET / HTTP/1.1\r\n${host}\r\nX-Big: `, MEBIBYTE))],
    ['100 POSTs declaring 256 MB, sending 4 MiB', () => many(100, () => attack(port,
      `POST /api/tap HTTP/1.1\r\n${host}\r\nContent-Length: 268435456\r\n\r\n`, 4 * MEBIBYTE))],
    ['100 POSTs with 4 MiB and no length', () => many(100, () => attack(port, `POST /api/back HTTP/1.1\r\n${host}\r\n\r\n`, 4 * MEBIBYTE))],
    ['100 chunked POSTs of 4 MiB', () => many(100, () => attack(port,
      `POST /api/back HTTP/1.1\r\n${host}\r\nTransfer-Encoding: chunked\r\n\r\n400000\r\n`, 4 * MEBIBYTE))],
    ['100 GETs with a 4 MiB body', () => many(100, () => attack(port,
      `GET /api/tree HTTP/1.1\r\n${host}\r\nContent-Length: 4194304\r\n\r\n`, 4 * MEBIBYTE))],
  ];
};

const { child, port, root } = await start(process.argv[2]);
try {
  await pause(1000);
  const before = await resident(child.pid);
  console.log('preview server resident memory under attack:');
  console.log(`  ${'at start'.padEnd(48)}${(before / MEBIBYTE).toFixed(2).padStart(8)} MiB`);
  for (const [what, run] of ATTACKS(port)) {
    await run();
    console.log(`  ${('after ' + what).padEnd(48)}${((await resident(child.pid)) / MEBIBYTE).toFixed(2).padStart(8)} MiB`);
  }
  await pause(3000); // the last connections' lingering closes end
  const after = await resident(child.pid);
  const met = after - before < LARGEST_GROWTH;
  console.log(`${'growth after every attack'.padEnd(50)}${((after - before) / MEBIBYTE).toFixed(2).padStart(8)} MiB  limit 4 MiB  ${met ? 'met' : 'MISSED'}`);
  process.exitCode = met ? 0 : 1;
} finally {
  child.kill('SIGTERM');
  await rm(root, { recursive: true, force: true });
}
