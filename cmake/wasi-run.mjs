// SPDX-License-Identifier: MIT
// Runs a WASI command module under Node.js: node wasi-run.mjs program.wasm [arguments...]. The
// program sees its arguments and the environment, and no files; its exit code is ours.
import { readFile } from 'node:fs/promises';
import { WASI } from 'node:wasi';

const [program, ...args] = process.argv.slice(2);
const wasi = new WASI({
  version: 'preview1',
  args: [program, ...args],
  env: process.env,
  returnOnExit: true,
});
const module = await WebAssembly.compile(await readFile(program));
// wasiImport rather than getImportObject(), which Debian 12's Node.js 18 lacks.
const instance = await WebAssembly.instantiate(module, { wasi_snapshot_preview1: wasi.wasiImport });
process.exitCode = wasi.start(instance);
