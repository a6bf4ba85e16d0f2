// The page in use: drags, tab switches, the address and the tool strip.
import assert from 'node:assert/strict';
import { readFile } from 'node:fs/promises';
import { test } from 'node:test';
import {
  canvasPixels, deadline, firstDifference, frameNumber, nativeFrame, suite, waitForFrame, withPage,
} from './harness.mjs';

const env = suite();

// The program's drag rule, written out here to check the page against it.
function wrapPos(a, m) {
  if (a >= 0 && a <= m) return a;
  const r = Math.abs(a) === m ? a : a - Math.trunc(a / m) * m;
  return a < 0 ? r + m : r;
}
function roundHalfEven(x) {
  const f = Math.floor(x);
  return x - f < 0.5 ? f : x - f > 0.5 ? f + 1 : f + (f % 2 !== 0 ? 1 : 0);
}
function dragRule(tab, anchor, dx, dy, width, height, keys) {
  const vMax = tab === 0 ? 100 : 63;
  const h1 = wrapPos(roundHalfEven((dx / width) * 63) + anchor.h1, 63);
  const v = roundHalfEven((dy / height) * vMax) + anchor.v;
  const vRuled = tab === 0 ? Math.min(Math.max(v, 0), vMax) : wrapPos(v, vMax);
  if (keys.includes('Shift')) return { h1, v: anchor.v };
  if (keys.includes('Control')) return { h1: anchor.h1, v: vRuled };
  return { h1, v: vRuled };
}

const bars = (page) => page.evaluate(() => ({
  h1: Number(document.querySelector('#bar-h1').value),
  h2: Number(document.querySelector('#bar-h2').value),
  v: Number(document.querySelector('#bar-v').value),
  vMax: Number(document.querySelector('#bar-v').max),
}));

// Waits until `read` gives `expected`; on time-out, compares what it gives.
async function settles(read, expected) {
  const until = Date.now() + deadline;
  let actual = await read();
  while (JSON.stringify(actual) !== JSON.stringify(expected) && Date.now() < until) {
    await new Promise((resolve) => setTimeout(resolve, 20));
    actual = await read();
  }
  assert.deepEqual(actual, expected);
}
const hashOf = (page) => page.evaluate(() => location.hash);

// Points in CSS pixels of the canvas (which is 600 x 440 at this window size).
// A 100 pixel move across it is 10.5 positions of a horizontal bar: a tie.
const drags = [
  { start: 'tab=0&h1=10&h2=0&v=50', from: [100, 50], to: [400, 300], keys: [] },
  { start: 'tab=1&h1=4&h2=0&v=4', from: [500, 400], to: [400, 20], keys: ['Control'] },
  { start: 'tab=2&h1=4&h2=0&v=4&csection=2', from: [50, 100], to: [150, 10], keys: ['Shift'] },
  { start: 'tab=3&h1=0&h2=0&v=4&dsection=10&dlevel=10', from: [300, 200], to: [200, 430], keys: ['Shift', 'Control'] },
  { start: 'tab=3&h1=0&h2=0&v=60&dsection=10&dlevel=10', from: [10, 10], to: [590, 430], keys: [] },
];

test('a drag moves the bars by the program\'s rule; moves outside the view change nothing', async () => {
  for (const { start, from, to, keys } of drags) {
    await withPage(env, `#${start}`, async (page) => {
      const box = await page.locator('#view').boundingBox();
      assert.deepEqual([box.width, box.height], [600, 440], 'the points below are for a 2x view');
      const tab = Number(/tab=(\d)/.exec(start)[1]);
      const anchor = await bars(page);
      const at = ([x, y]) => [box.x + x + 0.5, box.y + y + 0.5];
      for (const key of keys) await page.keyboard.down(key);
      await page.mouse.move(...at(from));
      await page.mouse.down();
      await page.mouse.move(...at(to), { steps: 4 });
      const want = dragRule(tab, anchor, to[0] - from[0], to[1] - from[1], box.width, box.height, keys);
      await settles(async () => { const b = await bars(page); return { h1: b.h1, v: b.v }; }, want);
      // The pointer leaves the view with the button still down.
      await page.mouse.move(box.x + box.width / 2, box.y - 20);
      await page.mouse.up();
      for (const key of keys) await page.keyboard.up(key);
      const b = await bars(page);
      assert.deepEqual({ h1: b.h1, v: b.v }, want, `${start} ${keys}`);
      const link = start.replace(/h1=\d+/, `h1=${want.h1}`).replace(/&v=\d+/, `&v=${want.v}`);
      await settles(() => hashOf(page), `#${link}`);
    });
  }
});

test('each view tab keeps its own positions', async () => {
  await withPage(env, '#tab=1&h1=10&h2=20&v=30', async (page) => {
    const tab = (i) => page.click(`label[for="tab-${i}"]`);
    await tab(3);
    assert.deepEqual(await bars(page), { h1: 0, h2: 0, v: 4, vMax: 63 });
    await settles(() => hashOf(page), '#tab=3&h1=0&h2=0&v=4&dsection=10&dlevel=10');
    await tab(0);
    assert.deepEqual(await bars(page), { h1: 0, h2: 0, v: 100, vMax: 100 });
    await page.focus('#bar-h1');
    await page.keyboard.press('End');
    await tab(4);
    assert.equal(await page.locator('#bar-h1').isDisabled(), true);
    await tab(1);
    assert.deepEqual(await bars(page), { h1: 10, h2: 20, v: 30, vMax: 63 });
    await tab(0);
    assert.deepEqual(await bars(page), { h1: 63, h2: 0, v: 100, vMax: 100 });
    await settles(() => hashOf(page), '#tab=0&h1=63&h2=0&v=100');
  });
});

test('the address round-trips in its canonical form and follows edits', async () => {
  const canonical = '#tab=3&h1=5&h2=7&v=9&dsection=4&dlevel=6&dsingle=1&bg=102030';
  await withPage(env, '#dlevel=6&bg=102030&v=9&tab=3&dsingle=1&h2=7&dsection=4&h1=5', async (page) => {
    assert.equal(await hashOf(page), canonical);
    await page.reload();
    await waitForFrame(page, 1);
    assert.equal(await hashOf(page), canonical);
    assert.deepEqual(await bars(page), { h1: 5, h2: 7, v: 9, vMax: 63 });
    assert.equal(await page.locator('#tool-check').isChecked(), true);

    const frames = await frameNumber(page);
    await page.evaluate(() => { location.hash = '#csection=9&tab=2'; });
    await waitForFrame(page, frames + 1);
    await settles(() => hashOf(page), '#tab=2&h1=4&h2=0&v=4&csection=9');
    assert.equal(await page.locator('#step-value').textContent(), '9');
  });
});

test('the tool strip and the colour change the frame', async () => {
  await withPage(env, '#tab=2&h1=4&h2=0&v=4&csection=31', async (page) => {
    const before = await canvasPixels(page);
    for (const [button, value] of [['#plus', '32'], ['#plus', '32'], ['#minus', '31'], ['#minus', '30']]) {
      const frames = await frameNumber(page);
      await page.click(button);
      await waitForFrame(page, frames + 1);
      assert.equal(await page.locator('#step-value').textContent(), value, button);
    }
    assert.notDeepEqual(await canvasPixels(page), before);
    await settles(() => hashOf(page), '#tab=2&h1=4&h2=0&v=4&csection=30');

    const frames = await frameNumber(page);
    await page.locator('#background').evaluate((input) => {
      input.value = '#ff8000';
      input.dispatchEvent(new Event('input'));
    });
    await waitForFrame(page, frames + 1);
    assert.deepEqual([...(await canvasPixels(page)).subarray(0, 4)], [0xff, 0x80, 0x00, 0xff]);
    await settles(() => hashOf(page), '#tab=2&h1=4&h2=0&v=4&csection=30&bg=ff8000');
  });
});

test('after the first visit the page opens without a network', async () => {
  await withPage(env, '#tab=3', async (page) => {
    await page.evaluate(async () => {
      await navigator.serviceWorker.ready;
      if (!navigator.serviceWorker.controller) {
        await new Promise((resolve) => navigator.serviceWorker.addEventListener('controllerchange', resolve));
      }
    });
    await env.browser.context.setOffline(true);
    try {
      await page.reload();
      await waitForFrame(page, 1);
      await page.click('label[for="tab-5"]');
      assert.match(await page.locator('#about').inputValue(), /^Tintrover/);
    } finally {
      await env.browser.context.setOffline(false);
    }
  });
});

test('Save PNG saves the frame, and the view drawn larger, as the export tool draws them', async () => {
  const state = 'tab=2&h1=10&h2=3&v=6&csection=12&bg=204060';
  await withPage(env, `#${state}`, async (page) => {
    for (const scale of [1, 3]) {
      await page.selectOption('#save-scale', String(scale));
      const [download] = await Promise.all([page.waitForEvent('download'), page.click('#save')]);
      assert.match(download.suggestedFilename(), /\.png$/);
      const png = (await readFile(await download.path())).toString('base64');
      // Decoded by the browser, read back without colour management.
      const rgba = Buffer.from(await page.evaluate(async (data) => {
        const bitmap = await createImageBitmap(await (await fetch(`data:image/png;base64,${data}`)).blob(),
          { colorSpaceConversion: 'none', premultiplyAlpha: 'none' });
        const canvas = new OffscreenCanvas(bitmap.width, bitmap.height);
        const context = canvas.getContext('2d');
        context.drawImage(bitmap, 0, 0);
        const bytes = context.getImageData(0, 0, bitmap.width, bitmap.height).data;
        let text = '';
        for (let i = 0; i < bytes.length; i += 0x8000) text += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
        return btoa(text);
      }, png), 'base64');
      const native = await nativeFrame(state, ['--scale', String(scale)]);
      assert.equal(firstDifference(rgba, native.raw, 300 * scale), null, `${scale}x`);
    }
  });
});
