// What the browser tests share: the built site served from a local server,
// headless Chromium, pages whose console errors and uncaught exceptions fail
// the test, and the native export tool's frames.
import { execFile } from 'node:child_process';
import { mkdtemp, readFile, rm } from 'node:fs/promises';
import http from 'node:http';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { promisify } from 'node:util';
import assert from 'node:assert/strict';
import { after, before } from 'node:test';
import { chromium } from 'playwright-core';

const here = path.dirname(fileURLToPath(import.meta.url));
const root = path.resolve(here, '../..');
export const siteDir = process.env.TINTROVER_SITE || path.join(root, 'build/web/site');
export const snapshotTool = process.env.TINTROVER_SNAPSHOT || path.join(root, 'build/native/tools/tintrover-snapshot');
const chromiumPath = process.env.TINTROVER_CHROMIUM || '/usr/bin/chromium';

// Generous: a shared two-core machine may be building meanwhile.
export const deadline = 30000;

const types = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',
  '.webmanifest': 'application/manifest+json',
  '.png': 'image/png',
  '.ico': 'image/x-icon',
};

// A static server for the site on 127.0.0.1 and a port of the system's choice.
export async function serveSite() {
  const server = http.createServer(async (request, response) => {
    let file = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
    if (file.endsWith('/')) file += 'index.html';
    const full = path.join(siteDir, path.normalize(file));
    try {
      if (!full.startsWith(siteDir + path.sep)) throw new Error('outside the site');
      const body = await readFile(full);
      response.writeHead(200, { 'Content-Type': types[path.extname(full)] || 'application/octet-stream' });
      response.end(body);
    } catch {
      response.writeHead(404).end();
    }
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return { url: `http://127.0.0.1:${server.address().port}/`, close: () => new Promise((r) => server.close(r)) };
}

export const chromiumArgs = [
  '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync',
];

// Chromium with an empty profile of its own, removed at close.
export async function launchChromium() {
  const profile = await mkdtemp(path.join(tmpdir(), 'tintrover-chromium-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: chromiumPath,
    headless: true,
    args: chromiumArgs,
    viewport: { width: 1280, height: 800 },
  });
  return {
    context,
    close: async () => {
      await context.close();
      await rm(profile, { recursive: true, force: true });
    },
  };
}

// One browser and one server for a test file, closed after it.
export function suite() {
  const env = {};
  before(async () => {
    env.server = await serveSite();
    env.browser = await launchChromium();
  });
  after(async () => {
    await env.browser?.close();
    await env.server?.close();
  });
  return env;
}

// Opens the page at `fragment`, waits for its first frame, runs `body`, and
// fails if the page logged an error or threw at any time.
export async function withPage(env, fragment, body) {
  const page = await env.browser.context.newPage();
  const errors = [];
  page.on('console', (message) => {
    if (message.type() === 'error') errors.push(`console: ${message.text()}`);
  });
  page.on('pageerror', (error) => errors.push(`uncaught: ${error.message}`));
  try {
    await page.goto(env.server.url + fragment);
    await waitForFrame(page, 1);
    await body(page);
  } finally {
    await page.close();
  }
  assert.deepEqual(errors, [], `errors on the page at ${fragment}`);
}

export async function waitForFrame(page, atLeast) {
  await page.waitForFunction((n) => Number(document.querySelector('#view').dataset.frame) >= n, atLeast,
    { timeout: deadline });
}

export const frameNumber = async (page) => Number(await page.locator('#view').getAttribute('data-frame'));

// The canvas's RGBA bytes.
export async function canvasPixels(page) {
  const base64 = await page.evaluate(() => {
    const canvas = document.querySelector('#view');
    const { data } = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height);
    let text = '';
    for (let i = 0; i < data.length; i += 0x8000) text += String.fromCharCode(...data.subarray(i, i + 0x8000));
    return btoa(text);
  });
  return Buffer.from(base64, 'base64');
}

// The export tool's frame (0x??RRGGBB little-endian values, top row first)
// and status line for a fragment's state, with any further options.
export async function nativeFrame(fragment, options = []) {
  const args = [];
  for (const item of fragment.replace(/^#/, '').split('&')) {
    const [name, value] = item.split('=');
    if (name === 'csingle' || name === 'dsingle') {
      if (value === '1') args.push(`--${name}`);
    } else {
      args.push(`--${name}`, name === 'bg' ? `0x${value}` : value);
    }
  }
  const dir = await mkdtemp(path.join(tmpdir(), 'tintrover-frame-'));
  try {
    const out = path.join(dir, 'frame.raw');
    const { stdout } = await promisify(execFile)(snapshotTool, [...args, ...options, '--out', out]);
    return { raw: await readFile(out), status: stdout.replace(/\r?\n$/, '') };
  } finally {
    await rm(dir, { recursive: true, force: true });
  }
}

// The first pixel where the canvas differs from the native frame, or null.
export function firstDifference(rgba, raw, width) {
  if (rgba.length !== raw.length) return `sizes differ: ${rgba.length} and ${raw.length} bytes`;
  for (let i = 0; i < rgba.length; i += 4) {
    const page = [rgba[i], rgba[i + 1], rgba[i + 2], rgba[i + 3]];
    const native = [raw[i + 2], raw[i + 1], raw[i], 255];
    if (page.some((v, k) => v !== native[k])) {
      const p = i / 4;
      return `pixel (${p % width}, ${Math.floor(p / width)}): page ${page}, native ${native}`;
    }
  }
  return null;
}
