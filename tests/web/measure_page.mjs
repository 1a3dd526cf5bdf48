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
  await page.waitForSelector('dialog.notice[open]');
  await page.keyboard.press('Enter');
  await page.waitForFunction(() => document.querySelectorAll('dialog.notice[open]').length === 0 ||
                                   document.documentElement.dataset.state !== 'notice');
}
await page.waitForFunction(() => document.documentElement.dataset.state === 'idle');
const press = await page.evaluate((count) => {
  ['100', '3', '4', '5', ''].forEach((t, i) => { document.getElementById(`编辑框${i + 1}`).value = t; });
  const button = document.getElementById('按钮1');
  const label = document.getElementById('标签5');
  const times = [];
  for (let i = 0; i < count; ++i) {
    const start = performance.now();
    button.click();
    if (label.textContent !== 'x:y:z=42:31:25') throw new Error(label.textContent);
    times.push(performance.now() - start);
  }
  return times;
}, Number(presses));

console.log(`page size: ${(await stat(page_path)).size} bytes`);
console.log(`navigation to the first start-up notice (${loads} loads): ${range(firstNotice)}`);
console.log(`press, click to label (${presses} presses of 按钮1 with 100, 3, 4, 5): ${range(press)}`);
await browser.close();
served.server.close();
