#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Runs a WASI command module in headless Chromium, where the web page runs, and prints what it
writes: bench/wasi_in_chromium.py program.wasm. A few lines of JavaScript answer the module's
system calls: output, the clock and exit; it gets no arguments, environment or files."""
import base64
import sys
from pathlib import Path

from headless_chromium import start_chromium

RUN = """
const [code, done] = [arguments[0], arguments[arguments.length - 1]];
const bytes = Uint8Array.from(atob(code), (c) => c.charCodeAt(0));
let memory, out = '';
const view = () => new DataView(memory.buffer);
const zeros = (...at) => { for (const a of at) view().setUint32(a, 0, true); return 0; };
const calls = {
  fd_write(fd, iovs, count, written) {
    let total = 0;
    for (let i = 0; i < count; ++i) {
      const [at, length] = [view().getUint32(iovs + 8 * i, true), view().getUint32(iovs + 8 * i + 4, true)];
      out += new TextDecoder().decode(new Uint8Array(memory.buffer, at, length));
      total += length;
    }
    view().setUint32(written, total, true);
    return 0;
  },
  clock_time_get(id, precision, at) {
    view().setBigUint64(at, BigInt(Math.round(performance.now() * 1e6)), true);
    return 0;
  },
  proc_exit(status) { throw new Error(`exit ${status}`); },
  args_sizes_get: (count, size) => zeros(count, size),
  environ_sizes_get: (count, size) => zeros(count, size),
  args_get: () => 0, environ_get: () => 0,
};
const imports = { wasi_snapshot_preview1: new Proxy(calls, { get: (c, name) => c[name] ?? (() => 52) }) };
WebAssembly.instantiate(bytes, imports).then(({ instance }) => {
  memory = instance.exports.memory;
  try { instance.exports._start(); } catch (exit) { if (exit.message !== 'exit 0') out += exit; }
  done(out);
});
"""

driver = start_chromium()
driver.set_script_timeout(120)
driver.get("about:blank")
print(driver.execute_async_script(RUN, base64.b64encode(Path(sys.argv[1]).read_bytes()).decode()), end="")
driver.quit()
