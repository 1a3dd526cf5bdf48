// The browser page in Debian's chromium, headless: start-up, layout, typed and pasted input,
// notices, and every case of the shared press tables pressed through the page's own boxes and
// buttons against the native quorvel-cli.
//   node page_test.mjs   (environment: QUORVEL_PAGE, QUORVEL_CLI, QUORVEL_PRESSES: one or
//                         more press tables in the batch format, separated by ":";
//                         QUORVEL_SCREENSHOT_DIR, optional: where to save the screenshots)
import assert from 'node:assert/strict';
import {execFileSync} from 'node:child_process';
import {readFileSync} from 'node:fs';
import {join} from 'node:path';
import {pathToFileURL} from 'node:url';
import {after, before, describe, it} from 'node:test';
import {launchChromium, serveFile} from './browser.mjs';

const pagePath = process.env.QUORVEL_PAGE;
const cli = process.env.QUORVEL_CLI;
const pressTables = (process.env.QUORVEL_PRESSES ?? '').split(':').filter((p) => p !== '');
const screenshots = process.env.QUORVEL_SCREENSHOT_DIR;

const maker = 'https://quorvel.example.com/';
const warning = '赌博伤身违法，切勿沉迷！！';

let browser;
let served;


// A page at the given viewport, with every request it makes recorded.
async function openPage(viewport = {width: 374, height: 356}, url = served.url) {
  const page = await browser.newPage();
  const requests = [];
  const errors = [];
  page.on('request', (request) => requests.push(request.url()));
  page.on('pageerror', (error) => errors.push(error.message));
  await page.setViewport(viewport);
  await page.goto(url);
  return {page, requests, errors};
}

// The open notice: its caption, text, buttons and images.
async function openNotice(page) {
  const dialog = await page.waitForSelector('dialog.notice[open]');
  return dialog.evaluate((d) => ({
    caption: d.querySelector('.caption').textContent,
    text: d.querySelector('.text').textContent,
    buttons: [...d.querySelectorAll('button')].map((b) => b.textContent),
    images: d.querySelectorAll('img, svg').length,
  }));
}

async function dismissNotice(page, key = 'Enter') {
  const dialog = await page.$('dialog.notice[open]');
  await page.keyboard.press(key);
  await page.waitForFunction((d) => !d.isConnected, {polling: 20}, dialog);
}

const noticeText = (page) => page.evaluate(() =>
  document.querySelector('dialog.notice[open] .text')?.textContent ?? null);

// A page past both start-up notices.
async function readyPage(viewport) {
  const opened = await openPage(viewport);
  for (let i = 0; i < 2; ++i) {
    await openNotice(opened.page);
    await dismissNotice(opened.page);
  }
  await opened.page.waitForFunction(() => document.documentElement.dataset.state === 'idle', {polling: 20});
  return opened;
}

const value = (page, name) => page.$eval(`[id="${name}"]`, (e) => e.value ?? e.textContent);

async function setBoxes(page, texts) {
  await page.evaluate((all) => {
    all.forEach((text, i) => { document.getElementById(`编辑框${i + 1}`).value = text; });
  }, texts);
}

// What a press shows, in quorvel-cli's batch form: the result line, the notice, or nothing.
async function pressThroughPage(page, button) {
  await page.click(`[id="按钮${button}"]`);
  const notice = await noticeText(page);
  if (notice !== null) {
    const label = await value(page, '标签5');
    await dismissNotice(page);
    return {line: `notice\t${notice}`, label};
  }
  const label = await value(page, '标签5');
  return {line: label === '' ? 'silent' : `result\t${label}`, label};
}

describe('the page', () => {
  before(async () => {
    browser = await launchChromium();
    served = await serveFile(pagePath);
  });

  after(async () => {
    await browser?.close();
    served?.server.close();
  });

  describe('start-up', () => {
    it('shows the maker\'s address, then the warning, then the window', async () => {
      const {page, errors} = await openPage();
      const first = await openNotice(page);
      assert.deepEqual(first, {caption: '信息：', text: maker, buttons: ['确定'], images: 0});
      assert.equal(await page.$eval('#window', (w) => getComputedStyle(w).visibility), 'hidden');
      await dismissNotice(page);
      const second = await openNotice(page);
      assert.equal(second.text, warning);
      assert.equal(await page.$eval('#window', (w) => getComputedStyle(w).visibility), 'hidden');
      await dismissNotice(page, 'Escape');
      await page.waitForFunction(() => document.documentElement.dataset.state === 'idle', {polling: 20});
      assert.equal(await page.$eval('#window', (w) => getComputedStyle(w).visibility), 'visible');
      assert.equal(await page.title(), 'Quorvel');
      assert.equal(await page.evaluate(() => document.activeElement.id), '编辑框1');
      assert.deepEqual(errors, []);
      await page.close();
    });

    it('works opened straight from disk, with no request but the page itself', async () => {
      const fileUrl = pathToFileURL(pagePath).href;
      const {page, requests} = await openPage(undefined, fileUrl);
      await openNotice(page);
      await dismissNotice(page);
      await openNotice(page);
      await dismissNotice(page);
      await setBoxes(page, ['100', '3', '4', '5', '']);
      assert.equal((await pressThroughPage(page, 1)).line, 'result\tx:y:z=42:31:25');
      assert.deepEqual(requests, [fileUrl]);
      await page.close();
    });
  });

  describe('layout', () => {
    it('puts the sixteen controls at their places and sizes, with their texts and colours', async () => {
      const {page} = await readyPage();
      const controls = await page.$$eval('#window > *', (all) => all.map((e) => {
        const box = e.getBoundingClientRect();
        const style = getComputedStyle(e);
        return {
          name: e.id, tag: e.tagName, identity: Number(e.dataset.identity),
          place: [box.left, box.top, box.width, box.height],
          text: e.tagName === 'INPUT' ? e.value : e.textContent, colour: style.color,
        weight: style.fontWeight,
          size: style.fontSize,
        };
      }));
      assert.equal(controls.length, 16);
      const byName = Object.fromEntries(controls.map((c) => [c.name, c]));
      const expected = [
        ['编辑框1', 'INPUT', 0x16010003, [16, 24, 64, 40], ''],
        ['编辑框5', 'INPUT', 0x1601005C, [120, 105, 32, 24], ''],
        ['标签1', 'DIV', 0x16010008, [160, 15, 32, 24], 'x'],
        ['标签6', 'DIV', 0x16010061, [160, 105, 32, 24], 't'],
        ['标签4', 'DIV', 0x1601000B, [8, 72, 96, 32], '准备投的总钱数'],
        ['标签7', 'DIV', 0x16010063, [16, 112, 88, 24], 'by Tamsivo'],
        ['标签5', 'DIV', 0x1601000C, [16, 149, 352, 40], ''],
        ['按钮1', 'BUTTON', 0x16010002, [232, 15, 120, 32], '所有赔率赚的差不多'],
        ['按钮2', 'BUTTON', 0x16010067, [232, 50, 120, 32], '博冷门（保底）'],
        ['按钮3', 'BUTTON', 0x16010068, [232, 85, 120, 32], '中奖率大（防冷门）'],
      ];
      for (const [name, tag, identity, place, text] of expected) {
        assert.deepEqual(
            {tag: byName[name].tag, identity: byName[name].identity, place: byName[name].place,
             text: byName[name].text},
            {tag, identity, place, text}, name);
      }
      assert.equal(byName['标签7'].colour, 'rgb(255, 0, 0)');
      assert.equal(byName['标签7'].weight, '700');
      assert.equal(byName['标签7'].size, '14px');
      assert.equal(byName['标签8'].colour, 'rgb(0, 0, 255)');
      assert.equal(byName['标签8'].text.split('\n').length, 11);
      assert.equal(byName['标签1'].colour, 'rgb(0, 0, 0)');
      // No horizontal scrolling at the window's own size.
      assert.ok(await page.evaluate(() =>
        document.documentElement.scrollWidth <= document.documentElement.clientWidth));
      if (screenshots) await page.screenshot({path: join(screenshots, 'page.png')});
      await page.close();
    });

    it('shows every character of the instructions inside their label', async () => {
      const {page} = await readyPage();
      const label = await page.$('[id="标签8"]');
      const box = await label.boundingBox();
      assert.ok(await label.evaluate((l) => l.scrollHeight <= l.clientHeight &&
                                             l.scrollWidth <= l.clientWidth));
      // Drawn without clipping, the text leaves no ink below the label or right of it.
      await label.evaluate((l) => { l.style.overflow = 'visible'; });
      const below = {x: box.x - 4, y: box.y + box.height, width: box.width + 8, height: 4};
      const right = {x: box.x + box.width, y: box.y, width: 14, height: box.height};
      const drawn = [await page.screenshot({clip: below}), await page.screenshot({clip: right})];
      await label.evaluate((l) => { l.style.visibility = 'hidden'; });
      const blank = [await page.screenshot({clip: below}), await page.screenshot({clip: right})];
      assert.ok(drawn[0].equals(blank[0]), 'ink below the label');
      assert.ok(drawn[1].equals(blank[1]), 'ink right of the label');
      await page.close();
    });

    it('fits a 360-pixel phone screen, scaled as a whole, with numeric keyboards and touch', async () => {
      const phone = {width: 360, height: 740, deviceScaleFactor: 2, isMobile: true, hasTouch: true};
      const {page} = await readyPage(phone);
      const layout = await page.evaluate(() => ({
        scrollWidth: document.documentElement.scrollWidth,
        clientWidth: document.documentElement.clientWidth,
        window: document.getElementById('window').getBoundingClientRect().width,
        modes: [1, 2, 3, 4, 5].map((i) => document.getElementById(`编辑框${i}`).inputMode),
      }));
      assert.ok(layout.scrollWidth <= layout.clientWidth, JSON.stringify(layout));
      assert.ok(Math.abs(layout.window - 360) < 0.5, JSON.stringify(layout));
      assert.deepEqual(layout.modes, ['numeric', 'decimal', 'decimal', 'decimal', 'decimal']);
      // Tapping a box does not zoom the page; tapping a button presses it.
      await page.tap('[id="编辑框1"]');
      await page.keyboard.type('100');
      await page.tap('[id="编辑框2"]');
      await page.keyboard.type('2.5');
      await page.tap('[id="编辑框3"]');
      await page.keyboard.type('2.5');
      assert.equal(await page.evaluate(() => visualViewport.scale), 1);
      // The click of a tap follows the touch events.
      await page.tap('[id="按钮1"]');
      await page.waitForFunction(() => document.getElementById('标签5').textContent !== '',
                                 {polling: 20, timeout: 5000});
      assert.equal(await value(page, '标签5'), 'x:y=50:50');
      if (screenshots) await page.screenshot({path: join(screenshots, 'page-phone.png')});
      await page.close();
    });
  });

  describe('typed and pasted input', () => {
    it('keeps only the characters each box takes from typed keys', async () => {
      const {page} = await readyPage();
      const typed = [
        ['编辑框1', 'a', ''],
        ['编辑框1', ' ', ''],
        ['编辑框1', '.', ''],
        ['编辑框1', '123456789', '12345678'],
        ['编辑框1', '-5', '-5'],
        ['编辑框2', '1.5.2-3', '1.5.2-3'],
        ['编辑框3', 'x1,5 e2', '152'],
      ];
      for (const [box, keys, expected] of typed) {
        await setBoxes(page, ['', '', '', '', '']);
        await page.focus(`[id="${box}"]`);
        await page.keyboard.type(keys);
        assert.equal(await value(page, box), expected, `${keys} typed into ${box}`);
      }
      // Keys that are not characters still edit: backspace removes the last digit.
      await page.keyboard.press('Backspace');
      assert.equal(await value(page, '编辑框3'), '15');
      await page.close();
    });

    it('filters what an input method commits as it filters keys', async () => {
      const {page} = await readyPage();
      const session = await page.createCDPSession();
      await page.focus('[id="编辑框2"]');
      await session.send('Input.insertText', {text: '２.5a'});
      assert.equal(await value(page, '编辑框2'), '.5');
      await session.send('Input.imeSetComposition', {text: '1五', selectionStart: 2, selectionEnd: 2});
      await session.send('Input.insertText', {text: '1五'});
      assert.equal(await value(page, '编辑框2'), '.51');
      await page.focus('[id="编辑框1"]');
      await session.send('Input.imeSetComposition', {text: '１', selectionStart: 1, selectionEnd: 1});
      await session.send('Input.insertText', {text: '１'});
      assert.equal(await value(page, '编辑框1'), '');
      await page.close();
    });

    it('takes pasted text unfiltered, within the total box\'s eight characters', async () => {
      const {page} = await readyPage();
      const context = browser.defaultBrowserContext();
      await context.overridePermissions(new URL(served.url).origin,
                                        ['clipboard-read', 'clipboard-write', 'clipboard-sanitized-write']);
      const paste = async (box, text) => {
        await page.focus(`[id="${box}"]`);
        await page.evaluate((t) => navigator.clipboard.writeText(t), text);
        await page.keyboard.down('Control');
        await page.keyboard.press('KeyV', {commands: ['Paste']});
        await page.keyboard.up('Control');
      };
      await paste('编辑框3', 'abc');
      assert.equal(await value(page, '编辑框3'), 'abc');
      await paste('编辑框1', '1234567890 x');
      assert.equal(await value(page, '编辑框1'), '12345678');
      await page.close();
    });
  });

  describe('notices', () => {
    it('block the whole page until dismissed, and leave the result label blank', async () => {
      const {page} = await readyPage();
      await setBoxes(page, ['100', '3', '4', '', '']);
      assert.equal((await pressThroughPage(page, 1)).line, 'result\tx:y=57:42');
      await setBoxes(page, ['', '3', '4', '', '']);
      await page.click('[id="按钮1"]');
      assert.equal((await openNotice(page)).text, '您未输入交易金额！');
      assert.equal(await value(page, '标签5'), '');
      // Clicks and keys meanwhile reach nothing behind the notice.
      await page.click('[id="编辑框1"]');
      await page.keyboard.type('5');
      await page.mouse.click(290, 100);  // 按钮3
      assert.equal(await value(page, '编辑框1'), '');
      assert.equal(await page.$$eval('dialog[open]', (d) => d.length), 1);
      assert.equal(await page.evaluate(() => document.documentElement.dataset.state), 'notice');
      await dismissNotice(page);
      // Focus goes back to the button that was pressed; Enter on it presses it again.
      assert.equal(await page.evaluate(() => document.activeElement.id), '按钮1');
      await setBoxes(page, ['100', '2.5', '2.5', '', '']);
      await page.keyboard.press('Enter');
      assert.equal(await value(page, '标签5'), 'x:y=50:50');
      await page.close();
    });
  });

  describe('presses', () => {
    it('show what quorvel-cli shows for every case of the press tables', async () => {
      const {page, requests} = await readyPage();
      // The tables are GBK, as the batch format is; a page's boxes hold characters. Every
      // line must be characters (no escapes, no stray bytes) to be typed into the page.
      const gbk = new TextDecoder('gbk', {fatal: true});
      const raw = pressTables.flatMap((path) =>
        readFileSync(path, 'latin1').split('\n').filter((l) => l !== ''));
      assert.ok(raw.length > 0, 'no press table given');
      for (const line of raw) assert.doesNotMatch(line, /\\/, line);
      const lines = raw.map((line) => gbk.decode(Buffer.from(line, 'latin1')));
      const expected = execFileSync(cli, ['--batch'], {input: Buffer.from(raw.join('\n') + '\n', 'latin1')})
          .toString('utf8').split('\n');
      const differences = [];
      for (const [i, line] of lines.entries()) {
        const [button, ...texts] = line.split('\t');
        await setBoxes(page, [...texts, '', '', '', '', ''].slice(0, 5));
        const shown = (await pressThroughPage(page, button)).line;
        if (shown !== expected[i]) differences.push(`${line}: page ${shown}, quorvel-cli ${expected[i]}`);
      }
      assert.deepEqual(differences, []);
      assert.deepEqual(requests, [served.url]);
      await page.close();
    });

    it('read full-width, Chinese and very long texts as quorvel-cli does', async () => {
      const {page} = await readyPage();
      const cases = [
        ['1', '１００', '３', '４', '', ''],
        ['2', '100', '２．５', '3', '赔率', ''],
        ['3', '１２３４', '1.5', '２', '4', '８'],
        ['1', '100', ' '.repeat(99999) + '3', '4', '', ''],
        ['1', '100', '3😀', '4', '', ''],
      ];
      for (const [button, ...texts] of cases) {
        await setBoxes(page, texts);
        const shown = await pressThroughPage(page, button);
        let printed;
        try {
          printed = execFileSync(cli, [button, ...texts]).toString('utf8').trimEnd();
        } catch (failure) {
          printed = failure.stdout.toString('utf8').trimEnd();  // a notice or nothing
        }
        const fromPage = shown.line.startsWith('result') ? shown.label
                         : shown.line === 'silent' ? '' : shown.line.slice('notice\t'.length);
        assert.equal(fromPage, printed, `${button} ${texts.map((t) => t.slice(0, 12)).join(' ')}`);
      }
      await page.close();
    });
  });
});
