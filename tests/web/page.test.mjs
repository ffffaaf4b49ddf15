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
const kBoxes = ['Text6', 'Text7', 'Text8', 'txtt', 'txtn', 'txtd2', 'txtd0', 'txtr', 'txtm', 'Text101'];
const kM10 = {txtt: '1.5', txtn: '1', txtd2: '9.026', txtd0: '0.866', txtr: '60'};
const kNote = /迭代收敛解：M = 10\.3267 mm/;  // M10×1.5's M, converged
// A run in German (THREEWIRE_PAGE_LANGUAGE=de-DE) types and reads the best wire, the lead angle and
// the panel's numbers with a decimal comma: "0.866" is "0,866".
const kComma = /^de/.test(process.env.THREEWIRE_PAGE_LANGUAGE ?? '');
const Local = (text) => (kComma ? text.replaceAll('.', ',') : text);
let engine;

before(async () => {
  console.log(`# ${engineName}: ${await (engine = await Launch(engineName)).version()}`);
  await engine.show(kPage);  // which writes the run's decimal separator
  await engine.paste({Text8: '2'});
  assert.equal((await engine.texts(['Text8'])).Text8, Local('2.000'));
});
after(() => engine?.close());

// A test, or a subtest given its parent's t.test, that ends with no uncaught error in the page.
function Case(register, name, options, body) {
  return register(name, options, async (t) => {
    await body(t);
    assert.deepEqual(await engine.errors(), []);
  });
}

// Each row of a table as a subtest, named by its first column.
async function Rows(t, rows, body) {
  for (const row of rows) await Case(t.test.bind(t), String(row[0]), {}, () => body(...row));
}

const Dismiss = () => engine.run(() => document.querySelector('#message[open] button')?.click());  // 确定

Case(test, 'opens as the window was drawn, focus on 打 印', {}, async () => {
  await engine.show(kPage);
  const titleAndFetches = () => [document.title, performance.getEntriesByType('resource').length];
  assert.deepEqual(await engine.run(titleAndFetches), ['多线螺纹(大螺旋角)三针测量', 0]);
  const {width, height} = await engine.rect('Form1');
  assert.deepEqual([Math.round(width), Math.round(height)], [317, 349]);  // 4755 × 5235 twips
  assert.equal((await engine.texts(['txtd0'])).txtd0, '0.118');
  const arrow = ({right, top, height}) => document.elementFromPoint(right - 5, top + height / 2).id;
  assert.equal(await engine.run(arrow, await engine.rect('txtd0')), 'txtd0-list');  // the arrow opens the list
  for (const name of ['Command7', 'txtd0', 'Text101']) {  // Tab walks on from 打 印
    assert.equal(await engine.run(() => document.activeElement.id), name);
    await engine.press('Tab');
  }
});

Case(test, 'calculates what is typed and picked', {}, async (t) => {
  const cases = [  // name, typed texts, a list entry picked, button, expected texts
    ['best wire M10×1.5', {Text6: Local('1.5'), Text7: '60'}, null, 'Command9', {Text8: Local('0.866')}],  // 1.5 / (2 cos 30°)
    ['typed digit', {Text8: '1'}, null, null, {Text8: Local('1.000')}],
    ['typed letters', {Text8: 'x1'}, null, null, {Text8: 'x1'}],
    // lead angle atan(1.5 / (π 9.026)) = 3.028°; M's text has a point in every language
    ['M10×1.5, wire typed', kM10, null, 'Command101', {Text101: Local('3.028'), txtm: ' 10.327'}],
    ['M10×1.5, wire picked', {...kM10, txtd0: ''}, '0.866', 'Command101', {Text101: Local('3.028'), txtm: ' 10.327', txtd0: '0.866'}],
  ];
  await Rows(t, cases, async (name, typed, picked, button, expected) => {
    await engine.show(kPage);
    await engine.typeInto(typed);
    const pick = (entry) => Object.assign(document.getElementById('txtd0-list'), {value: entry}).dispatchEvent(new Event('change'));
    if (picked) await engine.run(pick, picked);
    if (button) await engine.click(button);
    assert.deepEqual(await engine.texts(Object.keys(expected)), expected);
  });
  // The converged M, in the tooltip and as a line of text under the window, outside it.
  assert.match(await engine.run(() => document.getElementById('txtm').title), kNote);
  assert.match(await engine.run(() => document.getElementById('txtm-note')?.textContent) ?? '', kNote);
  assert.ok((await engine.rect('txtm-note')).top >= (await engine.rect('Form1')).bottom);
});

Case(test, 'a failure says what failed, which box, and changes nothing', {}, async (t) => {
  const cases = [  // name, typed texts, button, the message's first line and the box it names
    ['empty pitch', {Text7: '60'}, 'Command9', '无法计算理论三针直径。', '“输入螺距”'],
    ['180°', {txtr: '180'}, 'Command101', '无法计算M值。', '“输入牙形角”'],
  ];
  await Rows(t, cases, async (name, typed, button, whatFailed, box) => {
    await engine.show(kPage);
    await engine.paste(kM10);
    await engine.click('Command101');  // a result and its note, which only a failed M takes away
    await engine.typeInto(typed);
    const before = await engine.texts(kBoxes);
    await engine.click(button);
    const message = await engine.run(() => document.getElementById('message-text').textContent);
    assert.ok(message.startsWith(whatFailed + '\n') && message.includes(box), message);
    assert.deepEqual(await engine.texts(kBoxes), before);
    const notes = await engine.run(() => [document.getElementById('txtm').title, document.getElementById('txtm-note')?.textContent]);
    assert.deepEqual(notes.map((note) => note === ''), Array(2).fill(button === 'Command101'));
    await Dismiss();
    assert.equal(await engine.run(() => document.getElementById('message').open), false);
  });
});

// Whatever the boxes hold, a click writes only its own results, or shows a message and writes none.
Case(test, 'takes any text in any box', {}, async (t) => {
  const texts = ['9'.repeat(100000), '1e400', '-0', '\0\t\n', '１．５', '<b>&amp;</b>', '1' + '0'.repeat(5000)];
  const results = {Command9: ['Text8'], Command101: ['Text101', 'txtm']};
  await Rows(t, texts.map((text) => [JSON.stringify(text.slice(0, 12)), text]), async (name, text) => {
    await engine.show(kPage);
    await engine.paste(Object.fromEntries(kBoxes.map((name) => [name, text])));
    for (const button of ['Command9', 'Command101']) {
      const before = await engine.texts(kBoxes);
      await engine.click(button);
      const failed = await engine.run(() => document.getElementById('message').open);
      const after = await engine.texts(kBoxes);
      const changed = kBoxes.filter((box) => after[box] !== before[box]);
      assert.deepEqual(changed, failed ? [] : changed.filter((box) => results[button].includes(box)));
      await Dismiss();
    }
    assert.equal(await engine.run(() => document.querySelectorAll('b').length), 0);  // no markup
  });
});

// At 21° of lead the window's one-step M reads a good part 0.115 mm low; the panel gives both
// readings and judges by the converged one. Its M window by the window's method is the window's M.
Case(test, "the inspector's panel judges a part, beside or under the window", {}, async () => {
  await engine.show(kPage);
  await engine.typeInto({txtt: '12', txtn: '4', txtd2: '39.800', txtd0: '6.212', txtr: '30'});
  await engine.click('Command101');
  await engine.typeInto({d2max: Local('39.800'), d2min: Local('39.600'), measured_m: Local('48.917')});
  await engine.press('Enter');  // as 判定
  const shown = await engine.texts(['txtm', 'm_max', 'd2_actual', 'd2_actual_exact', 'verdict']);
  const expected = {m_max: '49.163', d2_actual: '39.535', d2_actual_exact: '39.650'};
  for (const name in expected) expected[name] = Local(expected[name]);
  assert.deepEqual(shown, {txtm: ' 49.163', ...expected, verdict: '合格'});
  const [form, panel] = [await engine.rect('Form1'), await engine.rect('panel')];
  assert.ok(panel.left >= form.right || panel.top >= form.bottom, JSON.stringify([form, panel]));
  await engine.typeInto({d2min: Local('39.9')});
  await engine.click('judge');
  assert.match(await engine.run(() => document.getElementById('message-text').textContent), /“中径下限”/);
  assert.equal((await engine.texts(['verdict'])).verdict, '合格');
  await Dismiss();
});

// The captions not on the lines they are drawn on: two for the labels drawn two lines high, one
// for every other; and the labels whose text runs out of them sideways.
function MisplacedCaptions() {
  return engine.run((twoLines) => [...document.querySelectorAll('#Form1 label, #Form1 .caption')].filter((label) => {
    const range = document.createRange();
    range.selectNodeContents(label);
    const tops = [...range.getClientRects()].map((r) => r.top).sort((a, b) => a - b);
    const lines = tops.filter((top, i) => i === 0 || top > tops[i - 1] + 5).length;  // lines are 11.6 px apart or more
    const [text, box] = [range.getBoundingClientRect(), label.getBoundingClientRect()];
    const out = label.tagName === 'LABEL' && (text.left < box.left - 1 || text.right > box.right + 1);
    return out || lines !== (twoLines.includes(label.id) ? 2 : 1);
  }).map((label) => label.id), ['Label1_37', 'Label1_38', 'Label1_42', 'Label5']);
}

async function AssertShownWhole(width, height) {
  const form = await engine.rect('Form1');
  assert.ok(form.left >= 0 && form.top >= 0 && form.right <= width + 0.5 && form.bottom <= height + 0.5 &&
            await engine.run(() => document.documentElement.scrollWidth) <= width, JSON.stringify(form));
  return form;
}

Case(test, 'a narrow screen shows the whole window, captions on their lines', {}, async (t) => {
  await Rows(t, [[800], [320], [317], [300], [280]], async (width) => {
    await engine.show(kPage, {width, height: 600});
    const form = await AssertShownWhole(width, 600);
    assert.ok(Math.abs(form.width - Math.min(width, 317)) <= 0.5, JSON.stringify(form));  // down, never up
    assert.deepEqual(await MisplacedCaptions(), []);
  });
});

// WCAG 2.2's 2.5.8: a target of 24 × 24 CSS px, or one whose 24-px circle about its centre meets
// no other target and no other small target's circle. The wire box and its arrow are one control;
// a label is another way to a box that already meets it.
function TargetsTooSmall(targets) {
  const small = targets.filter((r) => r.width < 24 || r.height < 24);
  const centre = (r) => [r.left + r.width / 2, r.top + r.height / 2];
  const distance = ([x, y], r) => Math.hypot(Math.max(r.left - x, 0, x - r.right), Math.max(r.top - y, 0, y - r.bottom));
  const apart = (a, b) => Math.hypot(centre(a)[0] - centre(b)[0], centre(a)[1] - centre(b)[1]);
  return small.filter((r) => targets.some((other) => other !== r && distance(centre(r), other) < 12) ||
                             small.some((other) => other !== r && apart(r, other) < 24));
}

const kNoTouch = engineName === 'webkit' && 'WebKitGTK cannot pretend to be a touch screen';
Case(test, 'a touch screen shows the window large and whole, with targets to touch', {skip: kNoTouch}, async (t) => {
  await Rows(t, [[320, 640], [360, 740], [390, 844], [430, 932], [740, 360]], async (width, height) => {
    await engine.show(kPage, {width, height, phone: true});
    const form = await AssertShownWhole(width, height);
    if (width < height) assert.ok(form.width >= 0.9 * width, JSON.stringify(form));
    // Safari on iPhones zooms into a box whose text is under 16 px.
    assert.deepEqual(await engine.run(() => [...document.querySelectorAll('input')]
      .filter((box) => parseFloat(getComputedStyle(box).fontSize) < 16).map((box) => box.id)), []);
    const panel = await engine.rect('panel');
    assert.ok(panel.left >= 0 && panel.right <= width + 0.5, JSON.stringify(panel));
    const targets = await engine.run(() => [...new Set([...document.querySelectorAll('input, #Form1 button, #panel button')]
      .map((target) => target.closest('.combo') ?? target))].map((target) => target.getBoundingClientRect().toJSON()));
    assert.deepEqual(width === 360 ? TargetsTooSmall(targets) : [], []);
  });
});

Case(test, 'F4 and Alt+↓ in the wire box throw nothing, with and without showPicker', {}, async (t) => {
  await Rows(t, [['with'], ['without']], async (picker) => {
    await engine.show(kPage);
    await engine.run((without) => (without && delete HTMLSelectElement.prototype.showPicker, document.getElementById('txtd0').focus()), picker === 'without');
    for (const [key, modifier] of [['F4'], ['Escape'], ['ArrowDown', 'Alt'], ['Escape']]) await engine.press(key, modifier);
  });
});

Case(test, 'a start that fails says so in words', {}, async () => {
  const broken = join(mkdtempSync(join(tmpdir(), 'page-')), 'broken.html');
  writeFileSync(broken, readFileSync(pagePath, 'utf8').replace(/(id="core">\s*)\S+/, '$1AAAA'));
  await engine.show(pathToFileURL(broken).href);
  assert.match(await engine.run(() => document.querySelector('[role=alert]').textContent), /无法启动/);
});

const kNoPrint = engineName === 'webkit' && 'WebKitWebDriver cannot print';
Case(test, 'prints the window alone at its true size, 10 mm from the corner', {skip: kNoPrint}, async () => {
  await engine.show(kPage);
  await engine.paste(kM10);
  await engine.click('Command101');  // the converged M's line, which stays off the paper
  const folder = mkdtempSync(join(tmpdir(), 'print-'));
  writeFileSync(join(folder, 'page.pdf'), await engine.pdf());
  execFileSync('pdftoppm', ['-r', '96', '-gray', '-singlefile', 'page.pdf', 'page'], {cwd: folder});
  const pgm = readFileSync(join(folder, 'page.pgm'));
  const [header, width] = pgm.toString('latin1', 0, 40).match(/^P5\s(\d+)\s\d+\s\d+\s/);
  const ink = [...pgm.subarray(header.length)].flatMap((grey, i) => (grey < 255 ? [i] : []));  // not white
  const [xs, ys] = [ink.map((i) => i % width), ink.map((i) => Math.floor(i / width))];
  const [left, top, right, bottom] = [Math.min, Math.max].flatMap((f) => [xs, ys].map((v) => v.reduce((a, b) => f(a, b))));
  // 10 mm at 96 dpi is 37.8 pixels; the window is 317 × 349 pixels, 83.9 × 92.3 mm.
  const box = [left, top, right - left + 1, bottom - top + 1];
  [38, 38, 317, 349].forEach((expected, i) => assert.ok(Math.abs(box[i] - expected) <= (i < 2 ? 1 : 2), String(box)));
});
