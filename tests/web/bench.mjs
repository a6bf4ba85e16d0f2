// The web page's benchmark mode against the native build, by turns on the
// same machine: each round runs the native frame_cases, then the page's
// #bench in headless Chromium. Per case it keeps the fastest time of each
// and prints the WebAssembly time as a ratio to the native pixel-by-pixel
// ("scalar") and widest-filler times, and whether the frames' hashes agree.
//
// Usage: node bench.mjs [ROUNDS]   (default 3; needs build/native and build/web)
import { execFile } from 'node:child_process';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { promisify } from 'node:util';
import { launchChromium, serveSite } from './harness.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));
const frameCases = process.env.TINTROVER_FRAME_CASES || path.resolve(here, '../../build/native/bench/frame_cases');
const rounds = Number(process.argv[2] || 3);

// "NAME  widest  scalar  ratio  hash" rows of frame_cases.
async function nativeRound() {
  const { stdout } = await promisify(execFile)(frameCases, ['300']);
  const rows = new Map();
  for (const line of stdout.split('\n')) {
    const m = line.match(/^(.+?)\s+([\d.]+)\s+([\d.]+)\s+[\d.]+x\s+([0-9a-f]{16})$/);
    if (m) rows.set(m[1], { widest: Number(m[2]), scalar: Number(m[3]), hash: m[4] });
  }
  return rows;
}

async function webRound(server) {
  const browser = await launchChromium();
  try {
    const page = await browser.context.newPage();
    await page.goto(`${server.url}#bench`);
    await page.waitForSelector('#bench[data-done="true"]', { timeout: 600000 });
    return new Map(await page.$$eval('#bench-rows tr', (trs) => trs.map((tr) => {
      const cells = [...tr.cells].map((c) => c.textContent);
      return [cells[0], { ms: Number(tr.dataset.ms), hash: cells[2] }];
    })));
  } finally {
    await browser.close();
  }
}

const server = await serveSite();
const best = new Map();
const keep = (name, key, value) => {
  const entry = best.get(name) || {};
  entry[key] = key === 'hash' || key === 'webHash' ? value : Math.min(entry[key] ?? Infinity, value);
  best.set(name, entry);
};
try {
  for (let r = 0; r < rounds; ++r) {
    for (const [name, row] of await nativeRound()) {
      keep(name, 'widest', row.widest);
      keep(name, 'scalar', row.scalar);
      keep(name, 'hash', row.hash);
    }
    for (const [name, row] of await webRound(server)) {
      keep(name, 'web', row.ms);
      keep(name, 'webHash', row.hash);
    }
  }
} finally {
  await server.close();
}
console.log(`fastest of ${rounds} rounds, ms per frame`);
console.log('case'.padEnd(30), 'native'.padStart(8), 'scalar'.padStart(8), 'wasm'.padStart(8),
  'wasm/scalar'.padStart(12), 'wasm/native'.padStart(12), ' frames');
for (const [name, e] of best) {
  console.log(name.padEnd(30), e.widest.toFixed(3).padStart(8), e.scalar.toFixed(3).padStart(8),
    (e.web ?? NaN).toFixed(3).padStart(8), `${(e.web / e.scalar).toFixed(2)}x`.padStart(12),
    `${(e.web / e.widest).toFixed(2)}x`.padStart(12), e.hash === e.webHash ? ' same' : ' DIFFER');
}
