// The stand-in daemon, run as a real process with a throwaway HOME.
import assert from 'node:assert/strict';
import { execFileSync, spawn } from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import https from 'node:https';
import net from 'node:net';
import os from 'node:os';
import path from 'node:path';
import { once } from 'node:events';
import { after, test } from 'node:test';

const ENTRY = new URL('../entry.mjs', import.meta.url).pathname;

const homes = [];
after(() => homes.forEach((home) => fs.rmSync(home, { recursive: true, force: true })));

function tempHome() {
  const home = fs.mkdtempSync(path.join(os.tmpdir(), 'zentrope-daemon-test-'));
  homes.push(home);
  return home;
}

// Starts the daemon and resolves once it says where it listens.
async function startDaemon(home, port = '0') {
  const child = spawn(process.execPath, [ENTRY], {
    env: { ...process.env, HOME: home, ZENTROPE_DAEMON_PORT: port },
    stdio: ['ignore', 'pipe', 'pipe'],
  });
  const output = { stdout: '', stderr: '' };
  child.stdout.setEncoding('utf8').on('data', (chunk) => { output.stdout += chunk; });
  child.stderr.setEncoding('utf8').on('data', (chunk) => { output.stderr += chunk; });
  const address = await new Promise((resolve, reject) => {
    const check = () => {
      const match = output.stdout.match(/listening on (https?):\/\/127\.0\.0\.1:(\d+)/);
      if (match) resolve({ scheme: match[1], port: Number(match[2]) });
    };
    child.stdout.on('data', check);
    child.on('exit', (code) => reject(new Error(`exited ${code}: ${output.stderr}`)));
  });
  return { child, output, ...address };
}

function request(client, options) {
  return new Promise((resolve, reject) => {
    const req = client.request({ host: '127.0.0.1', ...options }, (res) => {
      let body = '';
      res.setEncoding('utf8').on('data', (chunk) => { body += chunk; });
      res.on('end', () => resolve({ status: res.statusCode, headers: res.headers, body }));
    });
    req.on('error', reject);
    req.end();
  });
}

async function stop(child) {
  child.kill('SIGTERM');
  const [code, signal] = await once(child, 'exit');
  return { code, signal };
}

test('serves the status object over HTTP without a certificate, and exits 0 on SIGTERM', async () => {
  const { child, output, scheme, port } = await startDaemon(tempHome());
  assert.equal(scheme, 'http');
  const res = await request(http, { port, path: '/api/status' });
  assert.equal(res.status, 200);
  assert.match(res.headers['content-type'], /^application\/json/);
  const body = JSON.parse(res.body);
  assert.equal(body.ok, true);
  assert.equal(typeof body.version, 'string');
  assert.ok(Number.isInteger(body.activeSessions));
  for (const key of ['prismAutomation', 'systemEventsAutomation']) {
    assert.ok(['granted', 'denied', 'unknown'].includes(body.permissions[key]), key);
  }
  assert.deepEqual(await stop(child), { code: 0, signal: null });
  assert.match(output.stdout, /GET \/api\/status 200\n/);
});

test('answers other paths with a JSON 404 and other methods with 405, one log line each', async () => {
  const { child, output, port } = await startDaemon(tempHome());
  const missing = await request(http, { port, path: '/api/nope' });
  assert.equal(missing.status, 404);
  assert.equal(JSON.parse(missing.body).error, 'not found');
  const post = await request(http, { port, path: '/api/status', method: 'POST' });
  assert.equal(post.status, 405);
  await stop(child);
  assert.match(output.stdout, /GET \/api\/nope 404\n/);
  assert.match(output.stdout, /POST \/api\/status 405\n/);
  assert.equal(output.stderr, '');
});

test('says so on stderr and exits 1 when the port is taken', async () => {
  const blocker = net.createServer().listen(0, '127.0.0.1');
  await once(blocker, 'listening');
  const port = String(blocker.address().port);
  const child = spawn(process.execPath, [ENTRY], {
    env: { ...process.env, HOME: tempHome(), ZENTROPE_DAEMON_PORT: port },
  });
  let stderr = '';
  child.stderr.setEncoding('utf8').on('data', (chunk) => { stderr += chunk; });
  const [code] = await once(child, 'exit');
  blocker.close();
  assert.equal(code, 1);
  assert.match(stderr, new RegExp(`Port ${port} on 127\\.0\\.0\\.1 is already in use`));
});

test('rejects a port that is not a number', async () => {
  const child = spawn(process.execPath, [ENTRY], {
    env: { ...process.env, HOME: tempHome(), ZENTROPE_DAEMON_PORT: 'http' },
  });
  const [code] = await once(child, 'exit');
  assert.equal(code, 2);
});

function makeCertificates(home) {
  const dir = path.join(home, '.zentrope', 'certs');
  fs.mkdirSync(dir, { recursive: true });
  const run = (...args) => execFileSync('openssl', args, { cwd: dir, stdio: 'ignore' });
  run('req', '-x509', '-newkey', 'rsa:2048', '-nodes', '-keyout', 'ca.key', '-out', 'ca.crt',
    '-days', '2', '-subj', '/CN=Test CA');
  run('req', '-newkey', 'rsa:2048', '-nodes', '-keyout', 'localhost.key', '-out', 'server.csr',
    '-subj', '/CN=localhost');
  fs.writeFileSync(path.join(dir, 'ext.cnf'),
    'subjectAltName=DNS:localhost,IP:127.0.0.1\nextendedKeyUsage=serverAuth\n');
  run('x509', '-req', '-in', 'server.csr', '-CA', 'ca.crt', '-CAkey', 'ca.key', '-CAcreateserial',
    '-out', 'localhost.crt', '-days', '2', '-extfile', 'ext.cnf');
  return fs.readFileSync(path.join(dir, 'ca.crt'));
}

test('serves HTTPS with the localhost certificate in place', async () => {
  const home = tempHome();
  const ca = makeCertificates(home);
  const { child, scheme, port } = await startDaemon(home);
  assert.equal(scheme, 'https');
  const res = await request(https, { port, path: '/api/status', ca });
  assert.equal(res.status, 200);
  assert.equal(JSON.parse(res.body).ok, true);
  assert.deepEqual(await stop(child), { code: 0, signal: null });
});

test('falls back to HTTP and says why when the certificate does not load', async () => {
  const home = tempHome();
  const dir = path.join(home, '.zentrope', 'certs');
  fs.mkdirSync(dir, { recursive: true });
  fs.writeFileSync(path.join(dir, 'localhost.crt'), 'not a certificate');
  fs.writeFileSync(path.join(dir, 'localhost.key'), 'not a key');
  const { child, output, scheme } = await startDaemon(home);
  assert.equal(scheme, 'http');
  await stop(child);
  assert.match(output.stderr, /Localhost certificate not usable, serving HTTP/);
});
