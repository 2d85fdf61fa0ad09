// Zentrope's stand-in daemon: the program that takes the add-in daemon's place
// in the bundle. It serves the status endpoint the application relies on, over
// HTTPS when the localhost certificate is in place and plain HTTP otherwise.
//
// ZENTROPE_DAEMON_PORT (ours alone; the application never sets it) picks
// another port, so that tests can run side by side; 0 takes any free port.
import fs from 'node:fs';
import http from 'node:http';
import https from 'node:https';
import os from 'node:os';
import path from 'node:path';

export const VERSION = '1.0.0';
const HOST = '127.0.0.1';
const DEFAULT_PORT = 27832;

function chosenPort() {
  const value = process.env.ZENTROPE_DAEMON_PORT;
  if (value === undefined || value === '') return DEFAULT_PORT;
  const port = Number(value);
  if (!Number.isInteger(port) || port < 0 || port > 65535) {
    process.stderr.write(`Invalid ZENTROPE_DAEMON_PORT: ${value}\n`);
    process.exit(2);
  }
  return port;
}

// The certificate and key when both exist and load; null means plain HTTP.
function loadTlsOptions() {
  const dir = path.join(os.homedir(), '.zentrope', 'certs');
  const certPath = path.join(dir, 'localhost.crt');
  const keyPath = path.join(dir, 'localhost.key');
  if (!fs.existsSync(certPath) || !fs.existsSync(keyPath)) return null;
  try {
    const options = { cert: fs.readFileSync(certPath), key: fs.readFileSync(keyPath) };
    https.createServer(options).close(); // throws when the pair does not load
    return options;
  } catch (error) {
    process.stderr.write(`Localhost certificate not usable, serving HTTP: ${error.message}\n`);
    return null;
  }
}

function statusBody() {
  return {
    ok: true,
    version: VERSION,
    activeSessions: 0,
    // The stand-in automates nothing, so it cannot know these.
    permissions: { prismAutomation: 'unknown', systemEventsAutomation: 'unknown' },
  };
}

function respond(response, code, body) {
  const text = JSON.stringify(body);
  response.writeHead(code, {
    'Content-Type': 'application/json',
    'Content-Length': Buffer.byteLength(text),
  });
  response.end(text);
}

function handle(request, response) {
  const url = new URL(request.url, 'http://localhost');
  if (url.pathname === '/api/status' && request.method === 'GET') {
    respond(response, 200, statusBody());
  } else if (url.pathname === '/api/status') {
    response.setHeader('Allow', 'GET');
    respond(response, 405, { error: 'method not allowed' });
  } else {
    respond(response, 404, { error: 'not found', path: url.pathname });
  }
  process.stdout.write(
    `${new Date().toISOString()} ${request.method} ${request.url} ${response.statusCode}\n`);
}

function main() {
  const port = chosenPort();
  const tls = loadTlsOptions();
  const server = tls ? https.createServer(tls, handle) : http.createServer(handle);
  const scheme = tls ? 'https' : 'http';

  server.on('error', (error) => {
    if (error.code === 'EADDRINUSE') {
      process.stderr.write(`Port ${port} on ${HOST} is already in use; is another daemon running?\n`);
    } else {
      process.stderr.write(`Server error: ${error.message}\n`);
    }
    process.exit(1);
  });
  server.on('tlsClientError', (error) => {
    process.stderr.write(`TLS handshake failed: ${error.message}\n`);
  });

  server.listen(port, HOST, () => {
    const { port: bound } = server.address();
    process.stdout.write(`Zentrope daemon ${VERSION} listening on ${scheme}://${HOST}:${bound}\n`);
  });

  process.on('SIGTERM', () => {
    process.stdout.write('SIGTERM received, shutting down\n');
    server.close(() => process.exit(0));
    server.closeAllConnections();
  });
}

main();
