// Measures the page in headless chromium: the time from navigation to the first start-up
// notice on screen, and a whole press from the click of a button to the result line in the
// label. Prints the figures; asserts nothing (speed is measured here, not tested).
//   node measure_page.mjs PAGE [LOADS] [PRESSES]
import {stat} from 'node:fs/promises';
import {launchChromium, serveFile} from './browser.mjs';

const [page_path, loads = '20', presses = '2000'] = process.argv.slice(2);
const browser = await launchChromium();
const served = await serveFile(page_path);

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const range = (values) =>
  `median ${median(values).toFixed(3)} ms (min ${Math.min(...values).toFixed(3)}, max ${Math.max(...values).toFixed(3)})`;

// Navigation to the first notice: the notice's mark, in milliseconds from the navigation's start.
const firstNotice = [];
for (let i = 0; i < Number(loads); ++i) {
  const page = await browser.newPage();
  await page.setViewport({width: 374, height: 356});
  await page.goto(served.url);
  await page.waitForSelector('dialog.notice[open]');
  firstNotice.push(await page.evaluate(() =>
    performance.getEntriesByName('quorvel:notice')[0].startTime));
  await page.close();
}

// A press: the click dispatched to the button, through the press flow, to the label's text.
const page = await browser.newPage();
await page.goto(served.url);
for (let i = 0; i < 2; ++i) {
  const notice = await page.waitForSelector('dialog.notice[open]');
  await page.keyboard.press('Enter');
  await page.waitForFunction((d) => !d.isConnected, {polling: 20}, notice);
}
await page.waitForFunction(() => document.documentElement.dataset.state === 'idle', {polling: 20});
// The browser's clock is coarse (0.1 ms), so each figure is a round of presses timed together.
const press = await page.evaluate((count) => {
  ['100', '3', '4', '5', ''].forEach((t, i) => { document.getElementById(`编辑框${i + 1}`).value = t; });
  const button = document.getElementById('按钮1');
  const label = document.getElementById('标签5');
  const rounds = [];
  for (let round = 0; round < 5; ++round) {
    const start = performance.now();
    for (let i = 0; i < count; ++i) {
      button.click();
      if (label.textContent !== 'x:y:z=42:31:25') throw new Error(label.textContent);
    }
    rounds.push((performance.now() - start) / count);
  }
  return rounds;
}, Number(presses));

console.log(`page size: ${(await stat(page_path)).size} bytes`);
console.log(`navigation to the first start-up notice (${loads} loads): ${range(firstNotice)}`);
console.log(`press, click to label (5 rounds of ${presses} presses of 按钮1 with 100, 3, 4, 5), per press: ${range(press)}`);
await browser.close();
served.server.close();
