// Every state of the table, opened from the address, must show the native
// export tool's frame bit for bit and its status text.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { canvasPixels, firstDifference, nativeFrame, suite, withPage } from './harness.mjs';

const env = suite();

// Fragments in their canonical form, so each also comes back unchanged.
const states = [
  'tab=0&h1=0&h2=0&v=100',
  'tab=0&h1=63&h2=63&v=0',
  'tab=0&h1=20&h2=5&v=50&bg=ffffff',
  'tab=1&h1=4&h2=0&v=4',
  'tab=1&h1=63&h2=63&v=63',
  'tab=1&h1=0&h2=0&v=0&bg=3366cc',
  'tab=2&h1=4&h2=0&v=4&csection=2',
  'tab=2&h1=10&h2=40&v=63&csection=32',
  'tab=2&h1=3&h2=0&v=6&csection=7&csingle=1',
  'tab=2&h1=4&h2=0&v=4&csection=1',
  'tab=3&h1=0&h2=0&v=4&dsection=10&dlevel=10',
  'tab=3&h1=63&h2=0&v=63&dsection=10&dlevel=1',
  'tab=3&h1=2&h2=63&v=8&dsection=10&dlevel=5',
  'tab=3&h1=30&h2=0&v=4&dsection=4&dlevel=10&dsingle=1',
  'tab=3&h1=0&h2=0&v=4&dsection=1&dlevel=7&bg=80ff00',
];

test('each state shows the native frame and status', async () => {
  for (const state of states) {
    const native = await nativeFrame(state);
    await withPage(env, `#${state}`, async (page) => {
      const pixels = await canvasPixels(page);
      assert.equal(firstDifference(pixels, native.raw, 300), null, state);
      assert.equal(await page.locator('#status').textContent(), native.status, state);
      assert.equal(await page.evaluate(() => location.hash), `#${state}`);
      assert.equal(await page.locator('#note').isHidden(), true, state);
    });
  }
});
