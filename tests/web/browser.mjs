// Debian's chromium, headless, for the page's tests and measurements, and a static file server
// on the loopback interface.
import {createServer} from 'node:http';
import {mkdtempSync, readFileSync, rmSync} from 'node:fs';
import {tmpdir} from 'node:os';
import {basename, join} from 'node:path';
import puppeteer from 'puppeteer-core';

export async function launchChromium() {
  const profile = mkdtempSync(join(tmpdir(), 'quorvel-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: process.env.QUORVEL_CHROMIUM ?? '/usr/bin/chromium',
    headless: true,
    userDataDir: profile,
    args: [
      '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      '--disable-dev-shm-usage', '--font-render-hinting=none',
    ],
  });
  browser.on('disconnected', () => {
    try {
      rmSync(profile, {recursive: true, force: true, maxRetries: 5});
    } catch {
      // chromium may still be writing into it; it is a temporary directory
    }
  });
  return browser;
}

// Serves the one file at /NAME; resolves to the server and the file's address.
export async function serveFile(path) {
  const body = readFileSync(path);
  const name = basename(path);
  const server = createServer((request, response) => {
    if (request.url === '/' + name) {
      response.writeHead(200, {'content-type': 'text/html; charset=utf-8'});
      response.end(body);
    } else {
      response.writeHead(404);
      response.end();
    }
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return {server, url: `http://127.0.0.1:${server.address().port}/${name}`};
}
