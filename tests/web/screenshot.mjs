// Opens a page of the site in headless Chromium, waits for its first frame,
// saves a screenshot and prints the time from navigation to that frame.
//
// Usage: node screenshot.mjs URL OUT.png [WIDTHxHEIGHT[@RATIO]]
import { launchChromium, waitForFrame } from './harness.mjs';

const [url, out, size = '1280x800'] = process.argv.slice(2);
if (!url || !out || !/^\d+x\d+(@\d+(\.\d+)?)?$/.test(size)) {
  console.error('Usage: node screenshot.mjs URL OUT.png [WIDTHxHEIGHT[@RATIO]]');
  process.exit(2);
}
const [width, height, ratio = 1] = size.split(/[x@]/).map(Number);

const browser = await launchChromium();
try {
  const page = await browser.context.newPage();
  await page.setViewportSize({ width, height });
  if (ratio !== 1) {
    const cdp = await browser.context.newCDPSession(page);
    await cdp.send('Emulation.setDeviceMetricsOverride', { width, height, deviceScaleFactor: ratio, mobile: true });
  }
  page.on('console', (message) => {
    if (message.type() === 'error') console.error(`page console: ${message.text()}`);
  });
  page.on('pageerror', (error) => console.error(`page error: ${error.message}`));
  await page.goto(url);
  await waitForFrame(page, 1);
  const ms = await page.evaluate(() => performance.getEntriesByName('tintrover-first-frame')[0].startTime);
  await page.screenshot({ path: out });
  console.log(`first frame ${ms.toFixed(0)} ms after navigation; screenshot ${out}`);
} finally {
  await browser.close();
}
