// Chromium (over its DevTools protocol) and Firefox (over WebDriver BiDi), both headless and
// driven by puppeteer-core; tools/web/browser.mjs tells what their page object offers.
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import puppeteer from 'puppeteer-core';

// Chromium with none of its calls home (the network here is closed).
export const launchChromium = () => launchWith('chromium', (profile) => ({
  executablePath: '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
    '--disable-component-update', '--disable-sync', `--user-data-dir=${profile}`],
}), { gpuReset: undefined });

// Puppeteer's own preferences already point Firefox's services at a host that does not exist. It
// finds no sound device here, so its audio never leaves 'suspended'.
export const launchFirefox = () => launchWith('firefox', (profile) => ({
  browser: 'firefox', protocol: 'webDriverBiDi', executablePath: '/usr/bin/firefox-esr', userDataDir: profile,
}), {
  sound: 'Firefox finds no sound device here (no sound server, no ALSA card): its AudioContext never runs',
  gpuReset: 'only chromium can be told to crash its GPU process',
});

async function launchWith(engine, options, lacking) {
  const profile = mkdtempSync(join(tmpdir(), `vellix-${engine}-`));
  const browser = await puppeteer.launch({ headless: true, ...options(profile) });
  return {
    engine,
    pid: browser.process().pid,
    open: (url, settings) => openPage(browser, url, settings, lacking),
    close: async () => {
      await browser.close();
      rmSync(profile, { recursive: true, force: true });
    },
  };
}

async function openPage(browser, url, { width, height, density = 1, touch, beforeScripts }, lacking) {
  const page = await browser.newPage();
  const problems = [];
  const warnings = [];
  const requests = [];
  page.on('console', (message) => {
    if (message.type() === 'error') problems.push(`console: ${message.text()}`);
    if (message.type() === 'warn' || message.type() === 'warning') warnings.push(message.text());
  });
  page.on('pageerror', (error) => problems.push(`page error: ${error.message}`));
  page.on('request', (request) => {
    requests.push(request.url());
    if (new URL(request.url()).origin !== new URL(url).origin) problems.push(`request beyond the site: ${request.url()}`);
  });
  page.on('requestfailed', (request) => problems.push(`failed: ${request.url()} ${request.failure()?.errorText}`));
  page.on('response', (response) => {
    if (response.status() >= 400) problems.push(`HTTP ${response.status()}: ${response.url()}`);
  });
  // Puppeteer reloads the page when touch is turned on or off, so it stays as it was opened.
  const setViewport = async ({ width: w, height: h, deviceScaleFactor = 1 }) => {
    await page.setViewport({ width: w, height: h, deviceScaleFactor, hasTouch: touch });
  };
  await setViewport({ width, height, deviceScaleFactor: density });
  // Whatever the page's security policy refuses is a problem too.
  await page.evaluateOnNewDocument(() => document.addEventListener('securitypolicyviolation',
    (event) => console.error(`policy violation: ${event.violatedDirective} ${event.blockedURI}`)));
  if (beforeScripts) await page.evaluateOnNewDocument(beforeScripts);
  await page.goto(url, { waitUntil: 'load' });
  let other = null;
  return {
    problems,
    warnings,
    requests,
    evaluate: (fn, ...args) => page.evaluate(fn, ...args),
    mouse: {
      move: (x, y) => page.mouse.move(x, y),
      down: (options) => page.mouse.down(options),
      up: (options) => page.mouse.up(options),
      click: (x, y, options) => page.mouse.click(x, y, options),
    },
    touch: {
      tap: (x, y) => page.touchscreen.tap(x, y),
      drag: async ([[x, y], ...rest]) => {
        await page.touchscreen.touchStart(x, y);
        for (const [tx, ty] of rest) await page.touchscreen.touchMove(tx, ty);
        await page.touchscreen.touchEnd();
      },
      hold: async (x, y, ms) => {
        await page.touchscreen.touchStart(x, y);
        await new Promise((resolve) => setTimeout(resolve, ms));
        await page.touchscreen.touchEnd();
      },
    },
    resetGpu: async () => (await page.createCDPSession()).send('Browser.crashGpuProcess'),
    screenshot: async () => Buffer.from(await page.screenshot({ type: 'png' })),
    setViewport,
    hide: async () => {
      other = await browser.newPage();
      await other.bringToFront();
    },
    show: async () => {
      await page.bringToFront();
      await other?.close();
    },
    lacks: (what) => lacking[what],
    close: () => page.close(),
  };
}
