// SPDX-License-Identifier: MIT
// Drives the web page in the three browser engines Debian packages, one way for all three, for
// the page's tests and its screenshots: Chromium and Firefox ESR through puppeteer-core (the
// DevTools protocol and WebDriver BiDi; Debian has no geckodriver), WebKitGTK through its own
// WebKitWebDriver (W3C WebDriver classic, which puppeteer does not speak). Each engine is
// Debian's own binary: nothing is downloaded.
import {execFileSync, spawn} from 'node:child_process';
import {mkdtempSync, rmSync, writeFileSync} from 'node:fs';
import {createServer} from 'node:net';
import {tmpdir} from 'node:os';
import {join} from 'node:path';
import {pathToFileURL} from 'node:url';
import puppeteer from 'puppeteer-core';

export function Launch(engine) {
  if (engine === 'webkit') return WebKit.Launch();
  if (engine === 'chromium' || engine === 'firefox') return Puppeteer.Launch(engine);
  throw new Error(`no engine ${engine}: chromium, firefox or webkit`);
}

// What the tests and the screenshots do with the page, the same in every engine; each engine's
// class below opens a page, runs a function in it, clicks and presses keys.
class Driver {
  // Opens the page on a screen of width × height px (a phone's: touch and twice the pixels) and
  // waits until its window is ready or it has said why it cannot start. From then on the page
  // keeps its uncaught errors in window.errors, which errors() returns.
  async show(url, screen = {}) {
    await this.open(url, screen);
    for (const end = Date.now() + 10000; !(await this.run(Started));) {
      if (Date.now() > end) throw new Error(`no window in 10 s: ${url}`);
      await new Promise((resolve) => setTimeout(resolve, 50));
    }
    await this.run(() => {
      window.errors = [];
      addEventListener('error', (event) => errors.push(event.message));
      addEventListener('unhandledrejection', (event) => errors.push(String(event.reason)));
    });
  }

  errors() {
    return this.run(() => window.errors);
  }

  // As a user types: each box's text selected, deleted, and the new one typed key by key.
  async typeInto(texts) {
    for (const [name, text] of Object.entries(texts)) {
      await this.run((name) => document.getElementById(name).select(), name);
      await this.press('Backspace');
      await this.type(text);
    }
  }

  // As a paste does: one change of each box's text, which was selected before.
  paste(texts) {
    return this.run((texts) => {
      for (const [name, text] of Object.entries(texts)) {
        const box = document.getElementById(name);
        box.focus();
        box.select();
        document.execCommand('insertText', false, text);
      }
    }, texts);
  }

  texts(names) {
    return this.run(
        (names) => Object.fromEntries(names.map((n) => [n, document.getElementById(n).value])),
        names);
  }

  rect(id) {
    return this.run((id) => document.getElementById(id)?.getBoundingClientRect().toJSON(), id);
  }
}

function Started() {
  return performance.getEntriesByName('threewire-ready').length > 0 ||
      document.querySelector('[role=alert]') !== null;
}

// A touch screen is a Firefox started with coarse pointers (ui.*PointerCapabilities: 1 is
// coarse), Chromium's device emulation with touch.
const kTouchPrefs = {
  'ui.primaryPointerCapabilities': 1,
  'ui.allPointerCapabilities': 1
};

class Puppeteer extends Driver {
  static async Launch(engine) {
    const engineBrowser = await Puppeteer.Browser(engine, {});
    return new Puppeteer(engine, engineBrowser, await engineBrowser.newPage());
  }

  // Firefox takes the page's language from THREEWIRE_PAGE_LANGUAGE where a run sets it. Chromium
  // is driven over a pipe, where its DevTools serve the PWA domain that install() needs.
  static Browser(engine, prefs) {
    const firefox = engine === 'firefox';
    const language = process.env.THREEWIRE_PAGE_LANGUAGE;
    return puppeteer.launch({
      browser: firefox ? 'firefox' : 'chrome',
      executablePath: firefox ? '/usr/bin/firefox-esr' : '/usr/bin/chromium',
      headless: true,
      pipe: !firefox,
      args: firefox ? [] : ['--no-sandbox', '--disable-gpu', '--hide-scrollbars'],
      extraPrefsFirefox: {...prefs, ...(language && {'intl.accept_languages': language})},
    });
  }

  constructor(engine, browser, page) {
    super();
    Object.assign(this, {engine, browsers: [browser], desktop: page, page});
  }

  async version() {
    return this.browsers[0].version();
  }

  async open(url, {width = 800, height = 600, phone = false} = {}) {
    this.page = phone ? await this.touchPage() : this.desktop;
    const scale = phone ? 2 : 1;
    await this.page.setViewport(
        {width, height, deviceScaleFactor: scale, isMobile: phone, hasTouch: phone});
    await this.page.goto(url);
  }

  async touchPage() {
    if (this.engine === 'chromium') return this.desktop;
    if (!this.phone) {
      this.browsers.push(await Puppeteer.Browser(this.engine, kTouchPrefs));
      this.phone = await this.browsers[1].newPage();
    }
    return this.phone;
  }

  run(fn, ...args) {
    return this.page.evaluate(fn, ...args);
  }

  // Installs the web app of this start URL as the browser's menu does, to open as its own window
  // with no browser bar (display-mode: standalone), and goes on in that window. Chromium only.
  async install(url) {
    await this.desktop.goto(url);
    const devtools = await this.desktop.createCDPSession();
    const {appId: manifestId} = await devtools.send('Page.getAppId');
    await devtools.send('PWA.install', {manifestId});
    await devtools.send('PWA.changeAppUserSettings', {manifestId, displayMode: 'standalone'});
    await devtools.send('PWA.launch', {manifestId});
    await this.desktop.close();
    const app = await this.browsers[0].waitForTarget((target) => target.url() === url);
    this.page = this.desktop = await app.page();
  }

  click(id) {
    return this.page.click(`#${id}`);
  }

  type(text) {
    return this.page.keyboard.type(text);
  }

  async press(key, modifier) {
    if (modifier) await this.page.keyboard.down(modifier);
    await this.page.keyboard.press(key);
    if (modifier) await this.page.keyboard.up(modifier);
  }

  async screenshot(id) {
    return id ? (await this.page.$(`#${id}`)).screenshot() : this.page.screenshot();
  }

  pdf() {
    return this.page.pdf({format: 'A4', printBackground: true});
  }

  async close() {
    for (const browser of this.browsers) await browser.close();
  }
}

// WebDriver's codes for the keys the tests press.
const kKeys = {
  Tab: '\uE004',
  Backspace: '\uE003',
  Enter: '\uE007',
  F4: '\uE034',
  Alt: '\uE00A',
  ArrowDown: '\uE015'
};
const kElement = 'element-6066-11e4-a52e-4f735466cecf';

// MiniBrowser's window cannot be narrower than its toolbar, so a narrower screen is a frame of its
// size, which is the page's whole viewport as a browser window of that size is.
const kNarrowestWindow = 500;

class WebKit extends Driver {
  static async Launch() {
    const port = await FreePort();
    const driver = spawn('WebKitWebDriver', [`--port=${port}`], {stdio: 'ignore'});
    const webkit = new WebKit(`http://127.0.0.1:${port}`, driver);
    for (let tries = 0; !(await webkit.send('GET', '/status').catch(() => null)); ++tries) {
      if (tries === 50) throw new Error('WebKitWebDriver does not answer');
      await new Promise((resolve) => setTimeout(resolve, 100));
    }
    const {sessionId, capabilities} = await webkit.send('POST', '/session', {
      capabilities: {
        alwaysMatch: {
          browserName: 'MiniBrowser',
          'webkitgtk:browserOptions': {
            binary: '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser',
            args: ['--automation']
          }
        }
      },
    });
    Object.assign(
        webkit, {session: `/session/${sessionId}`, browserVersion: capabilities.browserVersion});
    await webkit.command('POST', '/window/rect', {width: 1000, height: 1000});
    const [width, height] = await webkit.run(() => [innerWidth, innerHeight]);
    webkit.toolbars = [1000 - width, 1000 - height];
    return webkit;
  }

  constructor(server, driver) {
    super();
    Object.assign(this, {server, driver, folder: mkdtempSync(join(tmpdir(), 'page-'))});
  }

  async send(method, path, body) {
    const answer = await fetch(this.server + path, {method, body: body && JSON.stringify(body)});
    const {value} = await answer.json();
    if (!answer.ok) throw new Error(`WebDriver ${path}: ${value.message}`);
    return value;
  }

  command(method, path, body) {
    return this.send(method, this.session + path, body);
  }

  async version() {
    return `WebKitGTK ${this.browserVersion}`;
  }

  async open(url, {width = 800, height = 600} = {}) {
    const [x, y] = this.toolbars;
    const wide = width >= kNarrowestWindow;
    await this.command(
        'POST', '/window/rect',
        wide ? {width: width + x, height: height + y} : {width: 1000, height: 1000});
    if (wide) return this.command('POST', '/url', {url});
    const screen = join(this.folder, `${width}x${height}.html`);
    writeFileSync(
        screen, `<!DOCTYPE html><body style="margin:0"><iframe src="${url}" width="${width}"
      height="${height}" style="border:0; display:block"></iframe>`);
    await this.command('POST', '/url', {url: pathToFileURL(screen).href});
    await this.command('POST', '/frame', {id: 0});
  }

  run(fn, ...args) {
    return this.command(
        'POST', '/execute/sync', {script: `return (${fn}).apply(null, arguments)`, args});
  }

  async click(id) {
    const element =
        await this.command('POST', '/element', {using: 'css selector', value: `#${id}`});
    await this.command('POST', `/element/${element[kElement]}/click`, {});
  }

  type(text) {
    return this.keys([...text].flatMap((key) => [['keyDown', key], ['keyUp', key]]));
  }

  // A modifier is held down around the key.
  press(key, modifier) {
    const held = modifier ? [kKeys[modifier]] : [];
    return this.keys([
      ...held.map((value) => ['keyDown', value]), ['keyDown', kKeys[key]], ['keyUp', kKeys[key]],
      ...held.map((value) => ['keyUp', value])
    ]);
  }

  keys(steps) {
    const actions = steps.map(([type, value]) => ({type, value}));
    return this.command('POST', '/actions', {actions: [{type: 'key', id: 'keyboard', actions}]});
  }

  // WebKitWebDriver draws parts of an element's picture black, but not the screen's: the element
  // is cut from that (ImageMagick). The frame of a narrow screen lies in the window's corner.
  async screenshot(id) {
    const {x, y, width, height} = await this.rect(id);
    const png = Buffer.from(await this.command('GET', '/screenshot'), 'base64');
    const crop = `${Math.round(width)}x${Math.round(height)}+${Math.round(x)}+${Math.round(y)}`;
    return execFileSync('convert', ['png:-', '-crop', crop, '+repage', 'png:-'], {input: png});
  }

  async close() {
    await this.command('DELETE', '');
    this.driver.kill();
    rmSync(this.folder, {recursive: true, force: true});
  }
}

function FreePort() {
  return new Promise((resolve) => {
    const server = createServer().listen(0, '127.0.0.1', () => {
      const {port} = server.address();
      server.close(() => resolve(port));
    });
  });
}
