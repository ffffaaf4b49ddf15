// SPDX-License-Identifier: MIT
// The web page in one browser engine, typed into and clicked as a user does: both calculations,
// Text8's reformatting, a failure's message, the converged M's line, texts through the module, the
// first focus and the tab order, the names screen readers hear, the inspector's panel, narrow
// screens and touch screens, F4 and Alt+↓, a start that fails, the printed page.
// The same cases for every engine; every case ends with no uncaught error in the page.
// Usage: node page.test.mjs chromium|firefox|webkit threewire.html
import assert from 'node:assert/strict';
import {execFileSync} from 'node:child_process';
import {readFileSync, rmSync, writeFileSync} from 'node:fs';
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

Case(test, 'calculates what is typed and picked', {}, async (t) => {
  const cases = [  // name, typed texts, a list entry picked, button, expected texts
    ['best wire M10×1.5', {Text6: Local('1.5'), Text7: '60'}, null, 'Command9', {Text8: Local('0.866')}],  // 1.5 / (2 cos 30°)
    // lead angle atan(1.5 / (π 9.026)) = 3.028°; M's text has a point in every language
    ['M10×1.5, wire picked', {...kM10, txtd0: ''}, '0.866', 'Command101', {Text101: Local('3.028'), txtm: ' 10.327', txtd0: '0.866'}],
  ];
  await Rows(t, cases, async (name, typed, picked, button, expected) => {
    await engine.show(kPage);
    await engine.typeInto(typed);
    const pick = (entry) => Object.assign(document.getElementById('txtd0-list'), {value: entry}).dispatchEvent(new Event('change'));
    if (picked) await engine.run(pick, picked);
    await engine.click(button);
    assert.deepEqual(await engine.texts(Object.keys(expected)), expected);
  });
  const arrow = ({right, top, height}) => document.elementFromPoint(right - 5, top + height / 2).id;
  assert.equal(await engine.run(arrow, await engine.rect('txtd0')), 'txtd0-list');  // the arrow opens the list
  // The converged M, in the tooltip and as a line of text under the window, outside it.
  assert.match(await engine.run(() => document.getElementById('txtm').title), kNote);
  assert.match(await engine.run(() => document.getElementById('txtm-note')?.textContent) ?? '', kNote);
  assert.ok((await engine.rect('txtm-note')).top >= (await engine.rect('Form1')).bottom);
});

// 180° fails the M calculation: a message that names the box, no box changed, and the converged
// M, which only a failed M takes away, gone from the tooltip and the line.
Case(test, 'a failure says what failed, which box, and changes nothing', {}, async () => {
  await engine.show(kPage);
  await engine.paste(kM10);
  await engine.click('Command101');
  await engine.typeInto({txtr: '180'});
  const before = await engine.texts(kBoxes);
  await engine.click('Command101');
  const message = await engine.run(() => document.getElementById('message-text').textContent);
  assert.ok(message.startsWith('无法计算M值。\n') && message.includes('“输入牙形角”'), message);
  assert.deepEqual(await engine.texts(kBoxes), before);
  const notes = await engine.run(() => [document.getElementById('txtm').title, document.getElementById('txtm-note')?.textContent]);
  assert.deepEqual(notes, ['', '']);
  await Dismiss();
  assert.equal(await engine.run(() => document.getElementById('message').open), false);
});

// The page passes each box's text to its module as UTF-8, the same in every engine: full-width
// digits and point, the ideographic full stop, and 100,000 ideographic spaces (three bytes each,
// one UTF-16 unit) before a number read as the desktop windows read them.
const kChromiumOnly = engineName !== 'chromium' && 'in Chromium only';
Case(test, 'reads full-width digits, 。 and long texts through its module', {skip: kChromiumOnly}, async (t) => {
  const blanks = '\u3000'.repeat(100000);
  await Rows(t, [
    ['full-width', {Text6: '１．５', Text7: '６０'}, 'Command9', {Text8: '0.866'}],
    ['ideographic full stop', {...kM10, txtt: '1。5'}, 'Command101', {Text101: '3.028', txtm: ' 10.327'}],
    ['100,000 blanks', {Text6: blanks + '1.5', Text7: '60'}, 'Command9', {Text8: '0.866'}],
  ], async (name, typed, button, expected) => {
    await engine.show(kPage);
    await engine.paste(typed);
    await engine.click(button);
    assert.deepEqual(await engine.texts(Object.keys(expected)), expected);
  });
});

// The window opens with the focus on 打 印, and Tab walks its boxes and buttons in the layout's order.
Case(test, "opens with the focus on 打 印; Tab walks the layout's order", {}, async () => {
  await engine.show(kPage);
  const walked = [];
  for (let stop = 0; stop < 14; ++stop, await engine.press('Tab')) walked.push(await engine.run(() => document.activeElement.id));
  assert.deepEqual(walked, 'Command7 txtd0 Text101 Command101 txtm txtr txtd2 txtn txtt Command9 Text8 Text7 Text6 Text3'.split(' '));
});

// In Chromium's accessibility tree, which screen readers read, each box of the window, and the
// wire box's list, is named by the caption beside it, the welcome note, which has none, 欢迎信息,
// and each button by its caption; each box, button and output of the panel has a name other than
// its value, and the panel's results their table's headers.
Case(test, 'a screen reader hears each control by its caption', {skip: kChromiumOnly}, async () => {
  await engine.show(kPage);
  const [heard, promised, headers] = [[], [], []];
  for (const control of await engine.page.$$('#Form1 :is(input, select, button), #panel :is(input, button, output, table)')) {
    const node = await engine.page.accessibility.snapshot({root: control, interestingOnly: false});
    heard.push(node.name);
    const caption = await control.evaluate((c) => c.closest('#panel') ? null : c.matches('button') ? c.textContent :
      document.querySelector(`label[for="${c.id.replace(/-list$/, '')}"]`)?.textContent ?? '欢迎信息');
    promised.push(caption ?? ((node.name !== node.value && node.name) || 'a name'));  // the panel's: a name, not its value
    const walk = ({role, children = []}) => [role, ...children.flatMap(walk)];
    headers.push(...walk(node).filter((role) => role.endsWith('header')));
  }
  assert.equal(heard.length, 28);  // the window's 11 boxes, wire list and 3 buttons; the panel's 13
  assert.deepEqual(heard, promised);
  assert.deepEqual(headers.sort(), [...Array(3).fill('columnheader'), ...Array(2).fill('rowheader')]);
});

// Enter in one of the panel's boxes judges, as 判定 does, the thread of the M calculator's boxes:
// at 21° of lead, a good part (what the panel makes of its boxes is tested without a page).
Case(test, "the inspector's panel judges a part, beside or under the window", {}, async () => {
  await engine.show(kPage);
  await engine.typeInto({txtt: '12', txtn: '4', txtd0: '6.212', txtr: '30'});
  await engine.typeInto({d2max: Local('39.800'), d2min: Local('39.600'), measured_m: Local('48.917')});
  await engine.press('Enter');  // as 判定
  assert.equal((await engine.texts(['verdict'])).verdict, '合格');
  const [form, panel] = [await engine.rect('Form1'), await engine.rect('panel')];
  assert.ok(panel.left >= form.right || panel.top >= form.bottom, JSON.stringify([form, panel]));
});

// How many captions the window has, and those not on the lines they are drawn on: two for the
// labels drawn two lines high (28 px, 420 twips, or more), one for every other; and the labels
// whose text runs out of them sideways.
function MisplacedCaptions() {
  return engine.run((captions = [...document.querySelectorAll('#Form1 label, #Form1 .caption')]) => [captions.length, captions.filter((label) => {
    const range = document.createRange();
    range.selectNodeContents(label);
    const tops = [...range.getClientRects()].map((r) => r.top).sort((a, b) => a - b);
    const lines = tops.filter((top, i) => i === 0 || top > tops[i - 1] + 5).length;  // lines are 11.6 px apart or more
    const [text, box] = [range.getBoundingClientRect(), label.getBoundingClientRect()];
    const out = label.tagName === 'LABEL' && (text.left < box.left - 1 || text.right > box.right + 1);
    return out || lines !== (parseFloat(label.style.height) >= 28 ? 2 : 1);
  }).map((label) => label.id)]);
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
    assert.deepEqual(await MisplacedCaptions(), [17, []]);  // 15 labels, 2 frames' captions
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
      .map((box) => parseFloat(getComputedStyle(box).fontSize) < 16 && box.id)), Array(14).fill(false));
    const panel = await engine.rect('panel');
    assert.ok(panel.left >= 0 && panel.right <= width + 0.5, JSON.stringify(panel));
    const targets = await engine.run(() => [...new Set([...document.querySelectorAll('input, #Form1 button, #panel button')]
      .map((target) => target.closest('.combo') ?? target))].map((target) => target.getBoundingClientRect().toJSON()));
    assert.equal(targets.length, 18);  // the window's 10 boxes, wire box and 3 buttons; the panel's 4
    assert.deepEqual(TargetsTooSmall(targets), []);
  });
});

// F4 and Alt+↓ in the wire box open its list and ↓ alone does not: the times it was opened, after
// each key. Without showPicker the keys throw nothing.
Case(test, 'F4 and Alt+↓ open the wire list, ↓ does not, with and without showPicker', {}, async (t) => {
  await Rows(t, [['with', [1, 1, 2]], ['without']], async (picker, expected) => {
    await engine.show(kPage);
    await engine.run((without) => {
      window.opened = [];
      HTMLSelectElement.prototype.showPicker = without ? undefined : function () { opened.push(this.id); };
      document.getElementById('txtd0').focus();
    }, picker === 'without');
    const seen = [];
    for (const [key, modifier] of [['F4'], ['ArrowDown'], ['ArrowDown', 'Alt']]) {
      await engine.press(key, modifier);
      seen.push(await engine.run(() => opened.filter((id) => id === 'txtd0-list').length));
    }
    if (expected) assert.deepEqual(seen, expected);
  });
});

const kBroken = join(tmpdir(), `threewire-broken-${process.pid}.html`);
after(() => rmSync(kBroken, {force: true}));
Case(test, 'a start that fails says so in words', {}, async () => {
  writeFileSync(kBroken, readFileSync(pagePath, 'utf8').replace(/(id="core">\s*)\S+/, '$1AAAA'));
  await engine.show(pathToFileURL(kBroken).href);
  assert.match(await engine.run(() => document.querySelector('[role=alert]').textContent), /无法启动/);
});

const kNoPrint = engineName === 'webkit' && 'WebKitWebDriver cannot print';
Case(test, 'prints the window alone at its true size, 10 mm from the corner', {skip: kNoPrint}, async () => {
  await engine.show(kPage);
  await engine.paste(kM10);
  await engine.click('Command101');  // the converged M's line, which stays off the paper
  const pgm = execFileSync('pdftoppm', ['-r', '96', '-gray', '-singlefile', '-'], {input: await engine.pdf()});
  const [header, width] = pgm.toString('latin1', 0, 40).match(/^P5\s(\d+)\s\d+\s\d+\s/);
  const ink = [...pgm.subarray(header.length)].flatMap((grey, i) => (grey < 255 ? [i] : []));  // not white
  const [xs, ys] = [ink.map((i) => i % width), ink.map((i) => Math.floor(i / width))];
  const [left, top, right, bottom] = [Math.min, Math.max].flatMap((f) => [xs, ys].map((v) => v.reduce((a, b) => f(a, b))));
  // 10 mm at 96 dpi is 37.8 pixels; the window is 317 × 349 pixels, 83.9 × 92.3 mm.
  const box = [left, top, right - left + 1, bottom - top + 1];
  [38, 38, 317, 349].forEach((expected, i) => assert.ok(Math.abs(box[i] - expected) <= (i < 2 ? 1 : 2), String(box)));
});
