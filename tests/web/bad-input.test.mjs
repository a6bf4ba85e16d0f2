// Malformed addresses: the page starts from the nearest valid state, writes
// that state back to the address, and names what it left out in one line.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { suite, withPage } from './harness.mjs';

const env = suite();

const junk = '%zz<>"\'\\'.concat('x'.repeat(4000));
const fragments = [
  { given: 'tab=1&zoom=3', state: 'tab=1&h1=4&h2=0&v=4', note: /zoom/ },
  { given: 'h1=99', state: 'tab=0&h1=63&h2=0&v=100', note: /h1=99/ },
  { given: 'tab=2&v=abc&h1=-1', state: 'tab=2&h1=0&h2=0&v=4&csection=2', note: /v=abc.*h1=-1/ },
  { given: 'tab=9&v=70', state: 'tab=3&h1=0&h2=0&v=63&dsection=10&dlevel=10', note: /tab=9/ },
  { given: 'tab=1&bg=zz&csingle=2', state: 'tab=1&h1=4&h2=0&v=4', note: /bg=zz.*csingle=2/ },
  { given: `tab=2&${junk}=1&csection=99999999999999999999999`, state: 'tab=2&h1=4&h2=0&v=4&csection=32', note: /\.\.\..*csection/ },
  { given: 'v=%E8%89%B2&dlevel=3.5&tab=3', state: 'tab=3&h1=0&h2=0&v=4&dsection=10&dlevel=10', note: /v=%E8.*dlevel=3\.5/ },
  // Empty pieces leave nothing out, so there is nothing to note.
  { given: '&&tab=3&&dlevel=4&&', state: 'tab=3&h1=0&h2=0&v=4&dsection=10&dlevel=4', note: null },
];

test('malformed addresses give a working page and a one-line note', async () => {
  for (const { given, state, note } of fragments) {
    await withPage(env, `#${given}`, async (page) => {
      const shown = page.locator('#note');
      if (note === null) {
        assert.equal(await shown.isHidden(), true, given);
      } else {
        const text = await shown.textContent();
        assert.match(text, note, given);
        assert.doesNotMatch(text, /[\r\n]/, given);
        assert.ok(text.length < 300, `${given}: a note of ${text.length} characters`);
        assert.equal(await shown.isVisible(), true, given);
      }
      assert.equal(await page.evaluate(() => location.hash), `#${state}`, given);
    });
  }
});
