// SPDX-License-Identifier: MIT
// The web page in one browser engine, typed into and clicked as a user does: both calculations,
// Text8's reformatting, a failure's message, the converged M's line, any text in any box, narrow
// screens and touch screens, a browser without showPicker, a start that fails, the printed page.
// The same cases for every engine; every case ends with no uncaught error in the page.
// Usage: node page.test.mjs chromium|firefox|webkit threewire.html
import assert from 'node:assert/strict';
import {execFileSync} from 'node:child_process';
import {mkdtempSync, readFileSync, writeFileSync} from 'node:fs';
import {tmpdir} from 'node:os';
import {join, resolve} from 'node:path';
import {after, before, test} from 'node:test';
import {pathToFileURL} from 'node:url';

import {Launch} from '../../scripts/browsers.mjs';

const [engineName, pagePath] = process.argv.slice(2);
const kPage = pathToFileURL(resolve(pagePath)).href;
const kBoxes =
    ['Text6', 'Text7', 'Text8', 'txtt', 'txtn', 'txtd2', 'txtd0', 'txtr', 'txtm', 'Text101'];
const kM10 = {
  txtt: '1.5',
  txtn: '1',
  txtd2: '9.026',
  txtd0: '0.866',
  txtr: '60'
};
let engine;

before(async () => {
  engine = await Launch(engineName);
  console.log(`# ${engineName}: ${await engine.version()}`);
});
after(() => engine?.close());

// A test, or a subtest given its parent's t.test, that ends with no uncaught error in the page.
function Case(register, name, options, body) {
  return register(name, options, async (t) => {
    await body(t);
    assert.deepEqual(await engine.run(() => window.errors), []);
  });
}

async function Until(condition, what) {
  for (const end = Date.now() + 10000; !(await engine.run(condition));) {
    if (Date.now() > end) throw new Error(`no ${what} in 10 s`);
    await new Promise((resolve) => setTimeout(resolve, 50));
  }
}

// Opens the page and waits until its window is ready or it has said why it cannot start.
async function Open(screen = {}, url = kPage) {
  await engine.open(url, screen);
  await Until(
      () => performance.getEntriesByName('threewire-ready').length > 0 ||
          document.querySelector('[role=alert]') !== null,
      'window');
  await engine.run(() => {
    window.errors = [];
    addEventListener('error', (event) => errors.push(event.message));
    addEventListener('unhandledrejection', (event) => errors.push(String(event.reason)));
  });
}

// As a paste does: one change of each box's text, which was selected before.
function Paste(texts) {
  return engine.run((texts) => {
    for (const [name, text] of Object.entries(texts)) {
      const box = document.getElementById(name);
      box.focus();
      box.select();
      document.execCommand('insertText', false, text);
    }
  }, texts);
}

async function Type(texts) {
  for (const [name, text] of Object.entries(texts)) {
    await engine.run((name) => document.getElementById(name).select(), name);
    await engine.press('Backspace');
    await engine.type(text);
  }
}

function Texts() {
  return engine.run(
      (names) => Object.fromEntries(names.map((n) => [n, document.getElementById(n).value])),
      kBoxes);
}

function Rect(id) {
  return engine.run((id) => document.getElementById(id)?.getBoundingClientRect().toJSON(), id);
}

function Dismiss() {
  return engine.run(() => document.querySelector('#message[open] button')?.click());
}

Case(test, 'opens as the window was drawn, focus on 打 印', {}, async () => {
  await Open();
  assert.equal(await engine.run(() => document.title), '多线螺纹(大螺旋角)三针测量');
  assert.deepEqual(await engine.run(() => performance.getEntriesByType('resource').length), 0);
  const {width, height} = await Rect('Form1');
  assert.deepEqual([Math.round(width), Math.round(height)], [317, 349]);  // 4755 × 5235 twips
  assert.equal((await Texts()).txtd0, '0.118');
  assert.equal(
      await engine.run(() => {  // the wire box's arrow opens the list
        const r = document.getElementById('txtd0').getBoundingClientRect();
        return document.elementFromPoint(r.right - 5, r.top + r.height / 2).id;
      }),
      'txtd0-list');
  for (const name of ['Command7', 'txtd0', 'Text101']) {  // Tab walks on from 打 印
    assert.equal(await engine.run(() => document.activeElement.id), name);
    await engine.press('Tab');
  }
});

Case(test, 'calculates what is typed and picked', {}, async (t) => {
  const cases = [
    // name, typed texts, a list entry picked, button, expected texts
    [
      'best wire M10×1.5', {Text6: '1.5', Text7: '60'}, null, 'Command9', {Text8: '0.866'}
    ],  // 1.5 / (2 cos 30°)
    [
      'best wire, comma typed', {Text6: '1,5', Text7: '60'}, null, 'Command9', {Text8: '8.660'}
    ],  // "," groups
    ['typed digit', {Text8: '1'}, null, null, {Text8: '1.000'}],
    ['typed letters', {Text8: 'x1'}, null, null, {Text8: 'x1'}],
    // lead angle atan(1.5 / (π 9.026)) = 3.028°
    ['M10×1.5, wire typed', kM10, null, 'Command101', {Text101: '3.028', txtm: ' 10.327'}],
    [
      'M10×1.5, wire picked', {...kM10, txtd0: ''}, '0.866', 'Command101',
      {Text101: '3.028', txtm: ' 10.327', txtd0: '0.866'}
    ],
  ];
  for (const [name, typed, picked, button, expected] of cases) {
    await Case(t.test.bind(t), name, {}, async () => {
      await Open();
      await Type(typed);
      if (picked) {
        await engine.run((entry) => {
          const list = document.getElementById('txtd0-list');
          list.value = entry;
          list.dispatchEvent(new Event('change'));
        }, picked);
      }
      if (button) await engine.click(button);
      const texts = await Texts();
      assert.deepEqual(
          Object.fromEntries(Object.keys(expected).map((k) => [k, texts[k]])), expected);
    });
  }
  // The converged M, in the tooltip and as a line of text under the window, outside it.
  assert.match(
      await engine.run(() => document.getElementById('txtm').title),
      /迭代收敛解：M = 10\.3267 mm/);
  const note = await engine.run(() => document.getElementById('txtm-note')?.textContent);
  assert.match(note ?? '', /迭代收敛解：M = 10\.3267 mm/);
  assert.ok((await Rect('txtm-note')).top >= (await Rect('Form1')).bottom);
});

Case(test, 'a failure says what failed, which box, and changes nothing', {}, async (t) => {
  const cases = [
    // name, typed texts, button, the message's first line and the box it names
    ['empty pitch', {Text7: '60'}, 'Command9', '无法计算理论三针直径。', '“输入螺距”'],
    [
      'angle before pitch', {Text7: 'abc'}, 'Command9', '无法计算理论三针直径。', '“输入螺纹牙形角”'
    ],
    ['no starts', {txtn: '0'}, 'Command101', '无法计算M值。', '“输入线数”'],
    ['180°', {txtr: '180'}, 'Command101', '无法计算M值。', '“输入牙形角”'],
  ];
  for (const [name, typed, button, whatFailed, box] of cases) {
    await Case(t.test.bind(t), name, {}, async () => {
      await Open();
      await Paste(kM10);
      await engine.click('Command101');  // a result and its note, which only a failed M takes away
      await Type(typed);
      const before = await Texts();
      await engine.click(button);
      const message = await engine.run(() => document.getElementById('message-text').textContent);
      assert.ok(message.startsWith(whatFailed + '\n') && message.includes(box), message);
      assert.deepEqual(await Texts(), before);
      const note = await engine.run(
          () =>
              [document.getElementById('txtm').title,
               document.getElementById('txtm-note')?.textContent]);
      assert.deepEqual(
          note.map((text) => text === ''), [button === 'Command101', button === 'Command101']);
      await Dismiss();
      assert.equal(await engine.run(() => document.getElementById('message').open), false);
    });
  }
});

Case(test, 'takes any text in any box', {}, async (t) => {
  for (const text
           of ['9'.repeat(100000), '1e400', '-0', '\u0000\t\n', '１．５', '<b>&amp;</b>',
               '1' +
                   '0'.repeat(5000)]) {
    await Case(t.test.bind(t), JSON.stringify(text.slice(0, 12)), {}, async () => {
      await Open();
      await Paste(Object.fromEntries(kBoxes.map((name) => [name, text])));
      for (const button of ['Command9', 'Command101']) {
        await engine.click(button);
        await Dismiss();
      }
    });
  }
});

// The labels drawn two lines high show their captions on two lines; every other caption, one.
const kTwoLines = ['Label1_37', 'Label1_38', 'Label1_42', 'Label5'];

// The captions on another count of lines than that, and the labels whose text runs out sideways.
function MisplacedCaptions() {
  return engine.run(
      (twoLines) =>
          [...document.querySelectorAll('#Form1 label, #Form1 .caption')]
              .filter((label) => {
                const range = document.createRange();
                range.selectNodeContents(label);
                const tops = [...range.getClientRects()].map((r) => r.top).sort((a, b) => a - b);
                const lines = tops.filter((top, i) => i === 0 || top > tops[i - 1] + 5)
                                  .length;  // a line is 11.6 px or more
                const [text, box] = [range.getBoundingClientRect(), label.getBoundingClientRect()];
                const out = label.tagName === 'LABEL' &&
                    (text.left < box.left - 1 || text.right > box.right + 1);
                return out || lines !== (twoLines.includes(label.id) ? 2 : 1);
              })
              .map((label) => label.id),
      kTwoLines);
}

async function AssertShownWhole(width, height) {
  const form = await Rect('Form1');
  assert.ok(
      form.left >= 0 && form.top >= 0 && form.right <= width + 0.5 && form.bottom <= height + 0.5,
      JSON.stringify(form));
  assert.ok(await engine.run(() => document.documentElement.scrollWidth) <= width);
  return form;
}

Case(test, 'a narrow screen shows the whole window, captions on their lines', {}, async (t) => {
  for (const width of [800, 320, 317, 300, 280]) {
    await Case(t.test.bind(t), `${width} px`, {}, async () => {
      await Open({width, height: 600});
      const form = await AssertShownWhole(width, 600);
      assert.ok(
          Math.abs(form.width - Math.min(width, 317)) <= 0.5,
          JSON.stringify(form));  // down, never up
      assert.deepEqual(await MisplacedCaptions(), []);
    });
  }
});

// WCAG 2.2's 2.5.8: a target of 24 × 24 CSS px, or one whose 24-px circle about its centre meets
// no other target and no other small target's circle. The wire box and its arrow are one control;
// a label is another way to a box that already meets it.
function TargetsTooSmall(targets) {
  const small = targets.filter((r) => r.width < 24 || r.height < 24);
  const centre = (r) => [r.left + r.width / 2, r.top + r.height / 2];
  const distance = ([x, y], r) =>
      Math.hypot(Math.max(r.left - x, 0, x - r.right), Math.max(r.top - y, 0, y - r.bottom));
  return small.filter(
      (r) => targets.some((other) => other !== r && distance(centre(r), other) < 12) ||
          small.some(
              (other) => other !== r &&
                  Math.hypot(...centre(r).map((c, i) => c - centre(other)[i])) < 24));
}

Case(
    test, 'a touch screen shows the window large and whole, with targets to touch',
    {skip: engineName === 'webkit' && 'WebKitGTK cannot pretend to be a touch screen'},
    async (t) => {
      for (const [width, height] of [[360, 740], [390, 844], [430, 932], [740, 360]]) {
        await Case(t.test.bind(t), `${width} × ${height}`, {}, async () => {
          await Open({width, height, phone: true});
          const form = await AssertShownWhole(width, height);
          if (width < height) assert.ok(form.width >= 0.9 * width, JSON.stringify(form));
          // Safari on iPhones zooms into a box whose text is under 16 px.
          assert.deepEqual(
              await engine.run(
                  () => [...document.querySelectorAll('input')]
                            .filter((box) => parseFloat(getComputedStyle(box).fontSize) < 16)
                            .map((box) => box.id)),
              []);
          const targets = await engine.run(
              () => [...new Set([...document.querySelectorAll('#Form1 input, #Form1 button')].map(
                         (target) => target.closest('.combo') ?? target))]
                        .map((target) => target.getBoundingClientRect().toJSON()));
          assert.deepEqual(width === 360 ? TargetsTooSmall(targets) : [], []);
        });
      }
    });

Case(
    test, 'F4 and Alt+↓ in the wire box throw nothing, with and without showPicker', {},
    async (t) => {
      for (const picker of [true, false]) {
        await Case(t.test.bind(t), picker ? 'with' : 'without', {}, async () => {
          await Open();
          if (!picker) await engine.run(() => delete HTMLSelectElement.prototype.showPicker);
          await engine.run(() => document.getElementById('txtd0').focus());
          await engine.press('F4');
          await engine.press('Escape');
          await engine.press('ArrowDown', 'Alt');
          await engine.press('Escape');
        });
      }
    });

Case(test, 'a start that fails says so in words', {}, async () => {
  const folder = mkdtempSync(join(tmpdir(), 'page-'));
  const broken = join(folder, 'broken.html');
  writeFileSync(broken, readFileSync(pagePath, 'utf8').replace(/(id="core">\s*)\S+/, '$1AAAA'));
  await Open({}, pathToFileURL(broken).href);
  assert.match(
      await engine.run(() => document.querySelector('[role=alert]').textContent), /无法启动/);
});

Case(
    test, 'prints the window alone at its true size, 10 mm from the corner',
    {skip: engineName === 'webkit' && 'WebKitWebDriver cannot print'}, async () => {
      await Open();
      const folder = mkdtempSync(join(tmpdir(), 'print-'));
      writeFileSync(join(folder, 'page.pdf'), await engine.pdf());
      execFileSync('pdftoppm', ['-r', '96', '-singlefile', 'page.pdf', 'page'], {cwd: folder});
      const ppm = readFileSync(join(folder, 'page.ppm'));
      const header = ppm.toString('latin1', 0, 40).match(/^P6\s+(\d+)\s+\d+\s+\d+\s/);
      const [width, pixels] = [Number(header[1]), ppm.subarray(header[0].length)];
      const ink = {left: Infinity, top: Infinity, right: 0, bottom: 0};
      for (let i = 0; i < pixels.length; i += 3) {
        if (pixels[i] + pixels[i + 1] + pixels[i + 2] === 765) continue;
        const x = (i / 3) % width, y = Math.floor(i / 3 / width);
        Object.assign(ink, {
          left: Math.min(ink.left, x),
          top: Math.min(ink.top, y),
          right: Math.max(ink.right, x),
          bottom: Math.max(ink.bottom, y)
        });
      }
      // 10 mm at 96 dpi is 37.8 pixels; the window is 317 × 349 pixels, 83.9 × 92.3 mm.
      const box = [ink.left, ink.top, ink.right - ink.left + 1, ink.bottom - ink.top + 1];
      [38, 38, 317, 349].forEach(
          (expected, i) => assert.ok(Math.abs(box[i] - expected) <= (i < 2 ? 1 : 2), String(box)));
    });
