// What the browser tests share: the site served on 127.0.0.1 by scripts/serve-web, Debian's
// chromium driven headless by puppeteer-core, the game's page opened in it with everything it
// asks of the network and the console watched, and screenshots read back as pixels.
import { spawn } from 'node:child_process';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { inflateSync } from 'node:zlib';
import puppeteer from 'puppeteer-core';

const kSource = join(dirname(fileURLToPath(import.meta.url)), '..', '..');
export const kTwips = 15;

// The site folder named on the command line, served until stop().
export async function serveSite(site = process.argv[2]) {
  const server = spawn(process.execPath, [join(kSource, 'scripts', 'serve-web'), site, '--port', '0'],
    { stdio: ['ignore', 'pipe', 'inherit'] });
  const url = await new Promise((resolve, reject) => {
    server.stdout.on('data', (text) => {
      const found = /http:\/\/127\.0\.0\.1:\d+\//.exec(String(text));
      if (found) resolve(found[0]);
    });
    server.on('exit', (status) => reject(new Error(`serve-web ended with status ${status}`)));
  });
  return { url, stop: () => server.kill() };
}

// Chromium with a profile of its own, and none of its calls home (the network here is closed).
export async function launchChromium() {
  const profile = mkdtempSync(join(tmpdir(), 'vellix-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync', `--user-data-dir=${profile}`],
  });
  const close = browser.close.bind(browser);
  browser.close = async () => {
    await close();
    rmSync(profile, { recursive: true, force: true });
  };
  return browser;
}

// The game's page in a new tab of the given viewport. `problems` collects every console error,
// page error, violation of the page's security policy, failed request and request for anything but
// the site's own files. With `holdFirstFrame` the game stops after its first frame until release()
// is called.
export async function openGame(browser, url, { width = 607, height = 334, touch = false, holdFirstFrame = false } = {}) {
  const page = await browser.newPage();
  const problems = [];
  const requests = [];
  page.on('console', (message) => {
    if (message.type() === 'error') problems.push(`console: ${message.text()}`);
  });
  page.on('pageerror', (error) => problems.push(`page error: ${error.message}`));
  page.on('request', (request) => {
    requests.push(request.url());
    if (new URL(request.url()).origin !== new URL(url).origin) problems.push(`request beyond the site: ${request.url()}`);
  });
  page.on('requestfailed', (request) => problems.push(`failed: ${request.url()} ${request.failure().errorText}`));
  page.on('response', (response) => {
    if (response.status() >= 400) problems.push(`HTTP ${response.status()}: ${response.url()}`);
  });
  await page.setViewport({ width, height, hasTouch: touch });
  // Whatever the page's security policy refuses is a problem too.
  await page.evaluateOnNewDocument(() => document.addEventListener('securitypolicyviolation',
    (event) => console.error(`policy violation: ${event.violatedDirective} ${event.blockedURI}`)));
  if (holdFirstFrame) {
    await page.evaluateOnNewDocument(() => {
      const request = window.requestAnimationFrame.bind(window);
      const held = [];
      let holding = true;
      window.requestAnimationFrame = (callback) => {
        if (holding && window.Module && Module.vellix && Module.vellix.firstShown() > 0) return held.push(callback);
        return request(callback);
      };
      window.releaseFrames = () => {
        holding = false;
        held.splice(0).forEach(request);
      };
    });
  }
  await page.goto(url, { waitUntil: 'load' });
  await page.waitForFunction(() => window.Module && Module.vellix && Module.vellix.firstShown() > 0, { timeout: 10000 });
  return { page, problems, requests, release: () => page.evaluate(() => window.releaseFrames()) };
}

// The page's state report: the game as a trace line describes it (sizes in twips), and what the
// page shows. Also, for the checks: Game over, the main paddle, the live balls and the field in
// CSS pixels.
export async function state(page) {
  const s = await page.evaluate(() => Module.vellix.state());
  const paddle = s.paddles[0] || {};
  return { ...s, over: s.state === 'over', width: s.width / kTwips, height: s.height / kTwips, paddleX: paddle.x,
    paddleY: paddle.y, paddleWidth: paddle.w, ballsAlive: s.balls.filter((b) => b.alive).length,
    busy: s.busy.map((b) => (b ? 1 : 0)) };
}
export const audio = (page) => page.evaluate(() => Module.vellix.audio());
export const pointerStyle = (page) => page.evaluate(() => getComputedStyle(document.getElementById('field')).cursor);
export const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// Waits until `accept(await read())` holds; fails naming `what` and the last value read.
export async function waitFor(read, accept, what, timeoutMs = 5000) {
  const until = Date.now() + timeoutMs;
  let last = null;
  while (Date.now() < until) {
    last = await read();
    if (accept(last)) return last;
    await sleep(20);
  }
  throw new Error(`${what}: not within ${timeoutMs} ms; last ${JSON.stringify(last)}`);
}

export const waitForState = (page, accept, what, timeoutMs) => waitFor(() => state(page), accept, what, timeoutMs);

// Spends every spare ball with the pointer parked at the field's right edge, away from where the
// balls drop in, and waits for Game over.
export async function playUntilGameOver(page) {
  const { width } = await state(page);
  await page.mouse.move(width - 1, 5);
  for (let { lives } = await state(page); lives > 0; ({ lives } = await state(page))) {
    await page.mouse.click(width - 1, 5);
    await waitForState(page, (s) => s.lives < lives, 'a press spends a spare ball');
  }
  return waitForState(page, (s) => s.over, 'Game over', 90000);
}

// A screenshot of the viewport as pixels: pixel(x, y) is [r, g, b].
export async function screenshot(page) {
  return decodePng(Buffer.from(await page.screenshot({ type: 'png' })));
}

// A PNG of 8-bit RGB or RGBA, as chromium writes its screenshots.
export function decodePng(png) {
  let at = 8;
  let width = 0, height = 0, channels = 0;
  const data = [];
  while (at < png.length) {
    const length = png.readUInt32BE(at);
    const type = png.toString('latin1', at + 4, at + 8);
    const body = png.subarray(at + 8, at + 8 + length);
    if (type === 'IHDR') {
      width = body.readUInt32BE(0);
      height = body.readUInt32BE(4);
      if (body[8] !== 8 || body[12] !== 0) throw new Error('not an 8-bit, non-interlaced PNG');
      channels = { 2: 3, 6: 4 }[body[9]];
      if (!channels) throw new Error(`PNG colour type ${body[9]}`);
    } else if (type === 'IDAT') {
      data.push(body);
    }
    at += 12 + length;
  }
  const raw = inflateSync(Buffer.concat(data));
  const stride = width * channels;
  const pixels = Buffer.alloc(height * stride);
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (stride + 1)];
    for (let x = 0; x < stride; ++x) {
      const value = raw[y * (stride + 1) + 1 + x];
      const left = x >= channels ? pixels[y * stride + x - channels] : 0;
      const up = y > 0 ? pixels[(y - 1) * stride + x] : 0;
      const upLeft = x >= channels && y > 0 ? pixels[(y - 1) * stride + x - channels] : 0;
      pixels[y * stride + x] = (value + predict(filter, left, up, upLeft)) & 0xff;
    }
  }
  const pixel = (x, y) => [...pixels.subarray(y * stride + x * channels, y * stride + x * channels + 3)];
  return { width, height, pixel };
}

function predict(filter, left, up, upLeft) {
  switch (filter) {
    case 1: return left;
    case 2: return up;
    case 3: return (left + up) >> 1;
    case 4: {
      const p = left + up - upLeft;
      const a = Math.abs(p - left), b = Math.abs(p - up), c = Math.abs(p - upLeft);
      return a <= b && a <= c ? left : b <= c ? up : upLeft;
    }
    default: return 0;
  }
}

// The pixels of a box that match `accept([r, g, b])`.
export function countPixels(shot, x0, y0, x1, y1, accept) {
  let count = 0;
  for (let y = Math.max(y0, 0); y < Math.min(y1, shot.height); ++y) {
    for (let x = Math.max(x0, 0); x < Math.min(x1, shot.width); ++x) if (accept(shot.pixel(x, y))) ++count;
  }
  return count;
}

// Runs `body` with the site served and chromium started, and stops both whatever happens.
export async function withBrowser(body) {
  const site = await serveSite();
  const browser = await launchChromium();
  try {
    await body(browser, site.url);
  } finally {
    await browser.close();
    site.stop();
  }
}
