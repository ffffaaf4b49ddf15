// SPDX-License-Identifier: MIT
// The web app's folder on a web host in one browser engine, a loopback server that this test starts
// and stops (serve-folder.mjs: no HTTP cache, so that only the service worker keeps a file). The
// worker takes the page over; with the server stopped, the start URL opened afresh shows the
// window and 显示M值 computes; a changed build is shown by the second opening, the old build's
// cache gone; in Chromium, DevTools finds the app installable, and the icons are PNGs of their
// sizes. Usage: node webapp.test.mjs chromium|firefox|webkit folder
import assert from 'node:assert/strict';
import {execFileSync} from 'node:child_process';
import {cpSync, mkdtempSync, readFileSync, rmSync, writeFileSync} from 'node:fs';
import {tmpdir} from 'node:os';
import {join} from 'node:path';
import {after, before, test} from 'node:test';

import {Launch} from '../../scripts/browsers.mjs';
import {Serve, StartUrl, Stop} from '../../scripts/serve-folder.mjs';

const [engineName, built] = process.argv.slice(2);
const kMakeFolder = new URL('../../ui/web/webapp/make-webapp.sh', import.meta.url).pathname;
const folder = mkdtempSync(join(tmpdir(), 'webapp-'));  // the host's, which a new build replaces
const Read = (file, from = folder) => readFileSync(join(from, file));
const Caches = () => engine.run(() => caches.keys());
let engine, server, start;

before(async () => {
  cpSync(built, folder, {recursive: true});
  start = StartUrl(server = await Serve(folder));
  console.log(`# ${engineName}: ${await (engine = await Launch(engineName)).version()}`);
});
after(async () => {
  await engine?.close();
  if (server.listening) await Stop(server);
  rmSync(folder, {recursive: true, force: true});
});

test('a service worker takes the page over', async () => {
  await engine.show(start);
  const worker = async ({serviceWorker} = navigator) => {
    while (!serviceWorker.controller) await new Promise((taken) => (serviceWorker.oncontrollerchange = taken));
    return serviceWorker.controller.scriptURL;
  };
  assert.equal(await engine.run(worker), `${start}service-worker.js`);
});

test('with the server stopped, the start URL shows the window and 显示M值 computes', async () => {
  await Stop(server);
  await engine.show(start);
  await engine.typeInto({txtt: '1.5', txtn: '1', txtd2: '9.026', txtd0: '0.866', txtr: '60'});
  await engine.click('Command101');
  assert.equal((await engine.texts(['txtm'])).txtm, ' 10.327');  // M10×1.5's M, 10.3267 mm converged
  assert.deepEqual(await engine.errors(), []);
});

test('a changed build is shown by the second opening, the old one removed', async () => {
  const [old] = await Caches();
  const changed = join(folder, 'changed.html');
  const page = Read('index.html').toString();
  writeFileSync(changed, page.replace('<body>', '<body data-build="changed">'));
  execFileSync(kMakeFolder, [changed, folder]);
  server = await Serve(folder, new URL(start).port);
  await engine.show(start);  // shown from the old cache, while the new worker installs
  const onlyNew = (names) => names.length === 1 && names[0] !== old;
  for (const end = Date.now() + 10000; !onlyNew(await Caches());) {
    assert.ok(Date.now() < end, 'in 10 s, no new build or the old one still kept');
    await new Promise((resolve) => setTimeout(resolve, 100));
  }
  await engine.show(start);
  assert.equal(await engine.run(() => document.body.dataset.build), 'changed');
});

const kChromium = {skip: engineName !== 'chromium' && 'in Chromium only'};

test('installable, as DevTools finds it', kChromium, async () => {
  const devtools = await engine.page.createCDPSession();
  const {installabilityErrors} = await devtools.send('Page.getInstallabilityErrors');
  assert.deepEqual(installabilityErrors, []);
});

test('the icons are PNGs of their declared sizes', kChromium, () => {
  const Size = (png) =>
    png.toString('latin1', 1, 4) === 'PNG' && `${png.readUInt32BE(16)}x${png.readUInt32BE(20)}`;
  const {icons} = JSON.parse(Read('manifest.webmanifest', built));
  icons.push({src: 'apple-touch-icon.png', sizes: '180x180'});  // iOS's, which index.html names
  assert.deepEqual(icons.map(({src}) => Size(Read(src, built))), icons.map(({sizes}) => sizes));
});
