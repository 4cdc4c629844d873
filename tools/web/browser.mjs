// The game's page in a browser engine, for the web tests, the page's benchmark and the README's
// pictures: the site served on 127.0.0.1 by scripts/serve-web, an engine started (chromium,
// firefox or webkit, each Debian's), the game's page opened in it with everything it asks of the
// network and of the console watched, its state read, and screenshots read back as pixels.
//
// An engine started is { engine, pid (the process whose descendants are the browser), open(url,
// { width, height, density, touch, beforeScripts }), close() }, and every one gives the same page
// object:
//   evaluate(fn, ...args)            fn runs in the page; its result comes back as JSON
//   mouse.move(x, y), mouse.down({ button }), mouse.up({ button }), mouse.click(x, y, { button })
//   touch.tap(x, y), touch.drag([[x, y], ...]), touch.hold(x, y, ms)
//   screenshot()                     the viewport as a PNG
//   setViewport({ width, height, deviceScaleFactor })   why the engine cannot, or undefined
//   hide(), show()                   the page's tab sent behind another one, and brought back
//   problems, requests               console errors, page errors, failed and foreign requests;
//                                    the addresses the page asked for
//   warnings                         what the page said with console.warn
//   resetGpu()                       the GPU process crashed, so that the canvas loses its picture
//   lacks(what)                      why the engine cannot do 'touch', 'sound', 'gpuReset' or
//                                    'steadyRefreshes' (refreshes at full rate after being shown
//                                    again), or undefined
//   close()
import { spawn } from 'node:child_process';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';
import pngjs from 'pngjs';
import { launchFirefox, launchChromium } from './puppeteer.mjs';
import { launchWebKit } from './webkit.mjs';

const kSource = join(dirname(fileURLToPath(import.meta.url)), '..', '..');
export const kTwips = 15;
const kEngines = { chromium: launchChromium, firefox: launchFirefox, webkit: launchWebKit };

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

// The engine named (the command line's third word by default), started with a profile of its own.
export function launch(engine = process.argv[3] ?? 'chromium') {
  if (!kEngines[engine]) throw new Error(`no engine "${engine}": ${Object.keys(kEngines).join(', ')}`);
  return kEngines[engine]();
}

// Run in the page before the game's script: with it the game stops after its first frame shown
// until releaseFrames() is called, and again after the frame that holdFramesAt(n) names.
function holdFrames() {
  const request = window.requestAnimationFrame.bind(window);
  const held = [];
  let holdAt = 1;
  window.requestAnimationFrame = (callback) => {
    if (window.Module && Module.vellix && Module.vellix.framesShown() >= holdAt) return held.push(callback);
    return request(callback);
  };
  window.releaseFrames = () => {
    holdAt = Infinity;
    held.splice(0).forEach(request);
  };
  window.holdFramesAt = (frame) => { holdAt = frame; };
}

// The game's page in a new tab of the given viewport, once its first frame is shown. `problems`
// collects every console error, page error, violation of the page's security policy, failed
// request and request for anything but the site's own files. With `holdFirstFrame` the game stops after its first frame until release() is called.
export async function openGame(browser, url,
  { width = 607, height = 334, density = 1, touch = false, holdFirstFrame = false } = {}) {
  const page = await browser.open(url, { width, height, density, touch, beforeScripts: holdFirstFrame ? holdFrames : null });
  await waitFor(() => page.evaluate(() => Boolean(window.Module && Module.vellix && Module.vellix.firstShown() > 0)),
    (shown) => shown, 'the first frame', 10000);
  const release = () => page.evaluate(() => window.releaseFrames());
  return { page, problems: page.problems, requests: page.requests, release };
}

// The page's state report: the game as a trace line describes it (sizes in twips), and what the
// page shows. Also, for the checks: Game over, the main paddle, the live balls and the field in
// CSS pixels.
export async function state(page) {
  const s = await page.evaluate(() => Module.vellix.state());
  if (!s.paddles) return s;  // a page that only stands in for the game's (the benchmark's floor)
  const paddle = s.paddles[0] || {};
  return { ...s, over: s.state === 'over', width: s.width / kTwips, height: s.height / kTwips, paddleX: paddle.x,
    paddleY: paddle.y, paddleWidth: paddle.w, ballsAlive: s.balls.filter((b) => b.alive).length,
    busy: s.busy.map((b) => (b ? 1 : 0)) };
}
export const audio = (page) => page.evaluate(() => Module.vellix.audio());
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

// A PNG file's pixels: pixel(x, y) is [r, g, b].
export function decodePng(png) {
  const { width, height, data } = pngjs.PNG.sync.read(png);
  const pixel = (x, y) => [...data.subarray(4 * (y * width + x), 4 * (y * width + x) + 3)];
  return { width, height, pixel };
}

// A screenshot of the viewport as pixels.
export const screenshot = async (page) => decodePng(await page.screenshot());

// Runs `body` with the site served and the engine started, and stops both whatever happens.
export async function withBrowser(body, engine) {
  const site = await serveSite();
  try {
    const browser = await launch(engine);
    try {
      await body(browser, site.url);
    } finally {
      await browser.close();
    }
  } finally {
    site.stop();
  }
}
