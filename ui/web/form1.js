// SPDX-License-Identifier: MIT
// The window Form1 in a browser. The same start as the desktop windows: load the core, build the
// window from its table, connect the four handlers, put the focus on 打 印; then the inspector's
// panel beside it (inspection_panel.js). Every number, caption, message and place comes from the
// WebAssembly module; this script only builds and connects.

const kLineHeight = 1.1;  // a Song face's lines, as tall as its labels were drawn for
const kTouchWidthShare = 0.95;  // of a touch screen's width, that the window fills
const kNoZoomTextSize = 16;  // px: Safari on iPhones zooms into a box whose text is smaller
const encoder = new TextEncoder();
const decoder = new TextDecoder();

// The module is in the page, gzipped and in base64: nothing is fetched from anywhere.
async function LoadCore() {
  const text = atob(document.getElementById('core').textContent.trim());
  const packed = new Uint8Array(text.length);
  for (let i = 0; i < text.length; ++i) packed[i] = text.charCodeAt(i);
  const unpacked = new Blob([packed]).stream().pipeThrough(new DecompressionStream('gzip'));
  const module = new Response(unpacked, { headers: { 'Content-Type': 'application/wasm' } });
  const { instance } = await WebAssembly.instantiateStreaming(module);  // compiled as it unpacks
  instance.exports._initialize();
  return new Core(instance.exports);
}

class Core {
  constructor(exports) {
    this.exports = exports;
  }

  // Calls an exported function. A text goes in as the address and length of its UTF-8 bytes in
  // the module's memory, a list of texts as the address and count of their (address, length)
  // pairs, a number as it is; the answer is a block of JSON, its length first.
  call(name, ...args) {
    const { threewire_alloc: alloc, threewire_free: free, memory } = this.exports;
    const blocks = [];
    const write = (bytes) => {
      const block = alloc(Math.max(bytes.byteLength, 1));
      new Uint8Array(memory.buffer, block, bytes.byteLength)
        .set(new Uint8Array(bytes.buffer, bytes.byteOffset, bytes.byteLength));
      blocks.push(block);
      return block;
    };
    const text = (arg) => {
      const bytes = encoder.encode(arg);
      return [write(bytes), bytes.length];
    };
    const flat = args.flatMap((arg) => {
      if (typeof arg === 'string') return text(arg);
      if (Array.isArray(arg)) return [write(new Uint32Array(arg.flatMap(text))), arg.length];
      return [arg];
    });
    const answer = this.exports[name](...flat);
    for (const block of blocks) free(block);
    const length = new DataView(memory.buffer).getUint32(answer, true);
    const json = decoder.decode(new Uint8Array(memory.buffer, answer + 4, length));
    free(answer);
    return JSON.parse(json);
  }
}

// The decimal and group separators of the browser's language, as the desktop windows take the
// user's number settings.
function NumberLocale() {
  const parts = LanguageNumberFormat().formatToParts(12345.6);
  const part = (type) => parts.find((p) => p.type === type)?.value ?? '';
  return [part('decimal'), part('group')];
}

// English's "." and "," where Intl refuses the browser's language tag: WebKit reports the C
// locale's "C".
function LanguageNumberFormat() {
  try {
    return new Intl.NumberFormat(navigator.language);
  } catch {
    return new Intl.NumberFormat('en');
  }
}

function PointsToPixels(points) {
  return (points * 96) / 72;
}

function NewControl(control, wires) {
  switch (control.kind) {
    case 'frame': {
      const frame = document.createElement('div');
      frame.setAttribute('role', 'group');
      const caption = frame.appendChild(document.createElement('span'));
      caption.className = 'caption';
      caption.id = `${control.name}-caption`;
      caption.textContent = control.text;
      frame.setAttribute('aria-labelledby', caption.id);
      return frame;
    }
    case 'label': {
      const label = document.createElement('label');
      label.textContent = control.text;
      if (control.names) label.htmlFor = control.names;
      // Only a label high enough for two lines wraps its caption: "mm/牙" stays whole.
      if (control.height < 1.5 * kLineHeight * PointsToPixels(control.points)) {
        label.classList.add('one-line');
      }
      return label;
    }
    case 'textbox':
      return NewBox(control.text, control.text ? 'text' : 'decimal');  // Text3 holds words
    case 'combobox':
      return NewComboBox(control, wires);
    case 'button': {
      const button = document.createElement('button');
      button.type = 'button';
      button.textContent = control.text;
      return button;
    }
    case 'line':
      return document.createElement('hr');
  }
  throw new Error(`no kind ${control.kind}`);
}

function NewBox(text, inputMode) {
  const box = document.createElement('input');
  box.type = 'text';
  box.value = text;
  box.inputMode = inputMode;
  box.autocomplete = 'off';
  box.spellcheck = false;
  return box;
}

// A text box beside a button that opens the fixed list: the list is a native drop-down, lying
// over the button, so that phones show their own picker. Picking copies the entry's text into
// the box; nothing typed is added to the list and nothing is completed from it.
function NewComboBox(control, wires) {
  const box = NewBox(control.text, 'decimal');
  const list = document.createElement('select');
  list.id = `${control.name}-list`;
  list.tabIndex = -1;
  for (const wire of wires) list.append(new Option(wire, wire));
  list.selectedIndex = -1;
  list.addEventListener('change', () => {
    box.value = list.value;
    list.selectedIndex = -1;  // picking the same entry again is a change again
    box.focus();
  });
  box.addEventListener('keydown', (event) => {
    if (event.key === 'F4' || (event.altKey && event.key === 'ArrowDown')) OpenList(list);
  });
  const combo = document.createElement('div');
  combo.className = 'combo';
  combo.append(box, list);
  return combo;
}

// F4 and Alt+↓ open the list as the box's arrow does, where the browser can open a list from a
// script: Safari and WebKitGTK have no showPicker, and a browser may refuse it (NotAllowedError)
// where it sees no user's action. The arrow opens the list there.
function OpenList(list) {
  try {
    list.showPicker?.();
  } catch {
    // the list stays shut, as in a browser without showPicker
  }
}

// The drawn window scaled as a whole (form1.css): at its true size on a desktop, scaled down to
// the width of a narrower one; on a touch screen as wide as most of the screen, and never higher.
// The room is what the safe areas of a notched phone's screen leave (the body's padding).
function FitToScreen(width, height) {
  const touch = matchMedia('(pointer: coarse)');
  const fit = () => {
    const {paddingLeft, paddingRight} = getComputedStyle(document.body);
    const room =
      document.documentElement.clientWidth - parseFloat(paddingLeft) - parseFloat(paddingRight);
    const scale = touch.matches
      ? Math.min((kTouchWidthShare * room) / width, innerHeight / height)
      : Math.min(1, room / width);
    document.documentElement.style.setProperty('--scale', scale);
  };
  addEventListener('resize', fit);
  touch.addEventListener('change', fit);
  fit();
}

class Form1 {
  constructor(core, table) {
    this.core = core;
    this.handlers = table.handlers;
    this.locale = NumberLocale();
    document.title = table.caption;
    this.CreateControls(table);
    FitToScreen(table.width, table.height);
    this.note = this.CreateNoteLine();
    this.message = this.CreateMessageBox(table.caption);
    this.ConnectHandlers();
    this.Box('Command7').focus();
  }

  // Each control at its place in its frame, in its font and colour, with its tooltip and, if it
  // takes the focus, its tab position.
  CreateControls(table) {
    const form = document.createElement('div');
    form.id = 'Form1';
    form.style.width = `${table.width}px`;
    form.style.height = `${table.height}px`;
    form.style.fontFamily = table.fonts;
    const root = document.documentElement.style;  // for the scaling to the screen
    root.setProperty('--width', `${table.width}px`);
    root.setProperty('--height', `${table.height}px`);
    const built = new Map([['', form]]);
    for (const control of table.controls) {
      const element = NewControl(control, table.wires);
      const focusable = element.matches('input, button') ? element : element.querySelector('input');
      (focusable ?? element).id = control.name;
      if (focusable) focusable.tabIndex = control.tab;
      // Named for screen readers, the wire box's list button too; Text3's text is no name.
      const parts = element.matches('input') ? [element] : element.querySelectorAll('input, select');
      for (const part of parts) part.setAttribute('aria-label', control.accessible);
      element.classList.add(control.kind);
      Object.assign(element.style, {
        left: `${control.left}px`,
        top: `${control.top}px`,
        width: `${control.width}px`,
        height: `${control.height}px`,
        fontSize: `${PointsToPixels(control.points)}px`,
        lineHeight: kLineHeight,
        fontWeight: control.weight,
      });
      if (element.matches('input, .combo')) {  // drawn from larger boxes on touch screens
        element.style.setProperty('--w', element.style.width);
        element.style.setProperty('--h', element.style.height);
        element.style.setProperty('--grow', kNoZoomTextSize / PointsToPixels(control.points));
      }
      if (control.colour) element.style.setProperty('--colour', control.colour);
      if (control.tooltip) element.title = control.tooltip;
      built.get(control.parent).append(element);
      built.set(control.name, element);
    }
    const screen = document.body.appendChild(document.createElement('div'));
    screen.id = 'screen';
    screen.append(form);
  }

  // The M box's note as a line of text under the window, for screens that show no tooltip.
  CreateNoteLine() {
    const note = document.body.appendChild(document.createElement('p'));
    note.id = 'txtm-note';
    note.setAttribute('aria-live', 'polite');
    return note;
  }

  // A modal message box: the window's caption, what failed and why, and 确定.
  CreateMessageBox(caption) {
    const dialog = document.createElement('dialog');
    dialog.id = 'message';
    const title = dialog.appendChild(document.createElement('div'));
    title.className = 'title';
    title.id = 'message-title';
    title.textContent = caption;
    dialog.setAttribute('aria-labelledby', title.id);
    const text = dialog.appendChild(document.createElement('p'));
    text.id = 'message-text';
    dialog.setAttribute('aria-describedby', text.id);
    const form = dialog.appendChild(document.createElement('form'));
    form.method = 'dialog';
    const ok = form.appendChild(document.createElement('button'));
    ok.textContent = '确定';
    document.body.append(dialog);
    return dialog;
  }

  ConnectHandlers() {
    this.Box('Command9').addEventListener('click', () => this.Command9_Click());
    const text8 = this.Box('Text8');
    text8.addEventListener('input', (event) => {
      if (!event.isComposing) this.Text8_Change();  // an input method's draft is not a change
    });
    text8.addEventListener('compositionend', () => this.Text8_Change());
    this.Box('Command101').addEventListener('click', () => this.Command101_Click());
    this.Box('Command7').addEventListener('click', () => this.Command7_Click());
  }

  Box(name) {
    return document.getElementById(name);
  }

  Command9_Click() {
    this.Run('Command9_Click');
  }

  // Runs on every change of Text8's text, the program's writes included.
  Text8_Change() {
    this.Run('Text8_Change');
  }

  Command101_Click() {
    this.Run('Command101_Click');
  }

  // Reads the boxes the handler names, runs it in the core, and shows what it says.
  Run(handler) {
    const texts = this.handlers[handler].map((name) => this.Box(name).value);
    this.Show(this.core.call(handler, texts, ...this.locale));
  }

  // The M box's note first, then the failure, or else the texts, each write a change of the box
  // as typing is, with the caret at the end.
  Show({ writes, m_note: note, failure }) {
    if (note !== null) {
      const m = this.Box('txtm');
      m.title = note;
      m.setAttribute('aria-description', note);
      this.ShowNote(note);
    }
    if (failure) return this.ShowFailure(failure);
    for (const [name, text] of writes) {
      const box = this.Box(name);
      box.value = text;
      if (!(box instanceof HTMLInputElement)) continue;  // an output of the inspector's panel
      box.setSelectionRange(text.length, text.length);
      box.dispatchEvent(new Event('input'));
    }
  }

  ShowNote(note) {
    this.note.textContent = note;
  }

  Command7_Click() {
    window.print();
  }

  ShowFailure({ what_failed, reason }) {
    this.message.querySelector('#message-text').textContent = `${what_failed}\n${reason}`;
    this.message.showModal();
  }
}

// Words instead of a blank page, where the browser cannot run the core.
function ShowStartFailure(error) {
  const text = document.body.appendChild(document.createElement('p'));
  text.setAttribute('role', 'alert');
  text.textContent = '无法启动计算器：此浏览器不能运行本页的计算程序。请用较新版本的浏览器打开本页。';
  console.error(error);
}

try {
  const core = await LoadCore();
  const table = core.call('form1_table');
  new InspectionPanel(new Form1(core, table), table.panel, table.fonts);
  performance.mark('threewire-ready');  // bench/web_startup.py reads it
} catch (error) {
  ShowStartFailure(error);
}
