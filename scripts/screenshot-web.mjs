// SPDX-License-Identifier: MIT
// Takes the README's pictures of the web page: the window in Chromium on a desktop; the whole
// screen of phones 360 and 390 px wide (Chromium's device emulation) after 显示M值 for M10×1.5,
// with the converged M's line under the window; the inspector's panel judging a part of 21° of lead,
// beside the window on a desktop and under it on a phone; and the window on a screen 280 px wide
// in each of the three engines; and the web app installed from a loopback host, opened as its own
// window on a phone 390 px wide (the screen under its status bar), after 显示M值.
// Usage: screenshot-web.mjs threewire.html web-app-folder folder (WebKitGTK wants a display)
import {writeFileSync} from 'node:fs';
import {join, resolve} from 'node:path';
import {pathToFileURL} from 'node:url';

import {Launch} from './browsers.mjs';
import {Serve, StartUrl, Stop} from './serve-folder.mjs';

const [page, webApp, folder] = process.argv.slice(2);
const url = pathToFileURL(resolve(page)).href;
const kM10 = {
  txtt: '1.5',
  txtn: '1',
  txtd2: '9.026',
  txtd0: '0.866',
  txtr: '60'
};

const kLargeLead = {txtt: '12', txtn: '4', txtd2: '39.8', txtd0: '6.212', txtr: '30'};
const kMeasured = {d2max: '39.800', d2min: '39.600', measured_m: '48.917'};

async function Shot(engine, file, screen, id, judged = false, opened = url) {
  await engine.show(opened, screen);
  if (screen.phone || judged) {
    await engine.typeInto(judged ? kLargeLead : kM10);
    await engine.click('Command101');
  }
  if (judged) {
    await engine.typeInto(kMeasured);
    await engine.click('judge');
  }
  const errors = await engine.errors();
  if (errors.length) throw new Error(`${file}: ${errors}`);
  writeFileSync(join(folder, file), await engine.screenshot(id));
  console.log(join(folder, file));
}

async function ShotInstalled(engine) {
  const host = await Serve(webApp);
  await engine.install(StartUrl(host));
  const screen = {width: 390, height: 797, phone: true};
  await Shot(engine, 'screenshot-web-installed.png', screen, undefined, false, StartUrl(host));
  if (!(await engine.run(() => matchMedia('(display-mode: standalone)').matches))) {
    throw new Error('the installed app opened in a browser tab, not in a window of its own');
  }
  await Stop(host);
}

for (const name of ['chromium', 'firefox', 'webkit']) {
  const engine = await Launch(name);
  if (name === 'chromium') {
    await Shot(engine, 'screenshot-web.png', {}, 'Form1');
    await Shot(engine, 'screenshot-web-phone.png', {width: 360, height: 740, phone: true});
    await Shot(engine, 'screenshot-web-phone-390.png', {width: 390, height: 844, phone: true});
    await Shot(engine, 'screenshot-web-panel.png', {width: 720, height: 400}, undefined, true);
    await Shot(engine, 'screenshot-web-panel-phone.png', {width: 390, height: 844, phone: true}, 'panel', true);
  }
  await Shot(engine, `screenshot-web-280-${name}.png`, {width: 280, height: 400}, 'screen');
  if (name === 'chromium') await ShotInstalled(engine);
  await engine.close();
}
