// SPDX-License-Identifier: MIT
// A web host on the loopback for the web app's folder, as its tests and screenshots put it on one:
// the folder's files under a sub-path, /threewire/, each sent with Cache-Control: no-store, so
// that only the service worker keeps a file between openings.
import {readFileSync} from 'node:fs';
import {createServer} from 'node:http';
import {join} from 'node:path';

const kTypes = {
  html: 'text/html',
  js: 'text/javascript',
  png: 'image/png',
  webmanifest: 'application/manifest+json'
};

// Resolves to the listening server, on the given port or on a free one.
export function Serve(folder, port = 0) {
  const server = createServer((request, response) => {
    const [, file = 'index.html'] = /^\/threewire\/([^/]+)?$/.exec(request.url) ?? [];
    try {
      const body = readFileSync(join(folder, file));
      const type = kTypes[file.split('.').pop()];
      response.writeHead(200, {'Content-Type': type, 'Cache-Control': 'no-store'}).end(body);
    } catch {
      response.writeHead(404).end();
    }
  });
  return new Promise((resolve) => server.listen(port, '127.0.0.1', () => resolve(server)));
}

export function StartUrl(server) {
  return `http://127.0.0.1:${server.address().port}/threewire/`;
}

// At once, without waiting for the browser to close its connections.
export function Stop(server) {
  server.closeAllConnections();
  return new Promise((resolve) => server.close(resolve));
}
