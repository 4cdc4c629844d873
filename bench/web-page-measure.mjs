// The game's page in headless chromium, measured: load to first frame, CPU per frame in play
// (every chromium process together) with the pointer sweeping, the period of the frames shown,
// and the CPU at Game over; beside it two floor pages of the same size: a bare animation-frame
// loop, and one that puts a picture of the field's size (in device pixels) on a canvas every
// frame. Prints JSON. Used by bench/web-bench:
//   node bench/web-page-measure.mjs SITE_DIR [WIDTHxHEIGHT@DENSITY]     (default 607x334@1)
import { mkdtempSync, readdirSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { launch, openGame, serveSite, sleep, state } from '../tools/web/browser.mjs';

// The viewport in CSS pixels, and the screen's density: by default the desktop window's client area
// at start, at 96 dpi.
const [kWidth, kHeight, kDensity] = (process.argv[3] ?? '607x334@1').split(/[x@]/).map(Number);
const kLoads = 9;
const kPlaySeconds = 18;
const kIdleSeconds = 10;
const kTick = 100;  // clock ticks a second in /proc

// CPU seconds of a process and all its descendants.
function cpuSeconds(root) {
  const children = {};
  const times = {};
  for (const pid of readdirSync('/proc').filter((name) => /^\d+$/.test(name))) {
    try {
      const stat = readFileSync(`/proc/${pid}/stat`, 'utf8');
      const fields = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
      (children[fields[1]] ||= []).push(pid);
      times[pid] = (Number(fields[11]) + Number(fields[12])) / kTick;
    } catch {
      // the process ended meanwhile
    }
  }
  let total = 0;
  for (const pending = [String(root)]; pending.length;) {
    const pid = pending.pop();
    total += times[pid] || 0;
    pending.push(...(children[pid] || []));
  }
  return total;
}

const percentile = (values, p) => {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted.length ? sorted[Math.min(sorted.length - 1, Math.floor((p / 100) * sorted.length))] : NaN;
};

// Moves the pointer across the field and back every 4 s, a step every 50 ms, until stopped.
function sweep(page) {
  let going = true;
  const done = (async () => {
    for (let i = 0; going; ++i) {
      const phase = (i % 80) / 40;
      const x = Math.floor((phase <= 1 ? phase : 2 - phase) * (kWidth - 41)) + 20;
      await page.mouse.move(x, kHeight / 2).catch(() => {});
      await sleep(50);
    }
  })();
  return async () => {
    going = false;
    await done;
  };
}

// CPU per frame over slices of about a second while the page plays; a slice whose frame rate is far
// from the median (Game over, where nothing is drawn) is left out, as window-bench does.
async function pacedPlay(browser, page, seconds, onStall = async () => {}) {
  const { pid } = browser;
  const marks = [];
  // Times on the page's clock, which its frame times use too.
  const mark = async () => {
    const { t, frames } = await page.evaluate(() => ({ t: performance.now(), frames: Module.vellix.state().frames }));
    marks.push({ t, frames, cpu: cpuSeconds(pid) });
  };
  await mark();
  while (marks.length <= seconds) {
    await sleep(1000);
    await mark();
    const s = await state(page);
    if (s.over) await onStall(s);
  }
  const slices = marks.slice(1).map((m, i) => ({ from: marks[i], to: m, rate: (m.frames - marks[i].frames) / ((m.t - marks[i].t) / 1000) }));
  const median = percentile(slices.map((s) => s.rate), 50);
  const paced = slices.filter((s) => s.rate >= 0.75 * median && s.rate <= 1.25 * median);
  const frames = paced.reduce((n, s) => n + s.to.frames - s.from.frames, 0);
  const cpu = paced.reduce((c, s) => c + s.to.cpu - s.from.cpu, 0);
  return { cpuMsPerFrame: (cpu * 1000) / Math.max(frames, 1), frames, seconds: paced.reduce((t, s) => t + (s.to.t - s.from.t) / 1000, 0), paced };
}

// The periods between the frames shown within the paced slices of a play.
function periodsOf(shownAt, paced) {
  const periods = [];
  for (const slice of paced) {
    for (let i = 1; i < shownAt.length; ++i) {
      if (shownAt[i] >= slice.from.t && shownAt[i] < slice.to.t) periods.push(shownAt[i] - shownAt[i - 1]);
    }
  }
  return periods;
}

async function measureGame(browser, url) {
  const loads = [];
  for (let i = 0; i <= kLoads; ++i) {  // the first load only warms the browser up
    const { page } = await openGame(browser, url, { width: kWidth, height: kHeight, density: kDensity });
    const first = await page.evaluate(() => Module.vellix.firstShown());
    if (i > 0) loads.push(first);
    await page.close();
  }

  const { page } = await openGame(browser, url, { width: kWidth, height: kHeight, density: kDensity });
  await page.mouse.click(kWidth / 2, kHeight / 2);  // a gesture: the sound plays as for a player
  const stop = sweep(page);
  let newGames = 0;
  const play = await pacedPlay(browser, page, kPlaySeconds, async () => {
    ++newGames;
    await page.mouse.click(Math.floor(kWidth / 2), Math.floor(kHeight / 2));
  });
  const periods = periodsOf(await page.evaluate(() => Module.vellix.shownAt()), play.paced);
  await stop();

  // Game over: the pointer parked away from the balls, every spare ball spent.
  await page.mouse.move(kWidth - 1, 5);
  for (let s = await state(page); !s.over; s = await state(page)) {
    if (s.lives > 0) await page.mouse.click(kWidth - 1, 5);
    await sleep(300);
  }
  await sleep(2000);
  const { pid } = browser;
  const [cpu0, shown0, t0] = [cpuSeconds(pid), (await state(page)).framesShown, performance.now()];
  await sleep(kIdleSeconds * 1000);
  const [cpu1, shown1, t1] = [cpuSeconds(pid), (await state(page)).framesShown, performance.now()];
  await page.close();
  return {
    loads: loads.sort((a, b) => a - b),
    play: { cpuMsPerFrame: play.cpuMsPerFrame, frames: play.frames, seconds: play.seconds, newGames,
      p50: percentile(periods, 50), p95: percentile(periods, 95), p99: percentile(periods, 99) },
    idle: { cpuPercent: ((cpu1 - cpu0) / ((t1 - t0) / 1000)) * 100, framesShown: shown1 - shown0 },
  };
}

// A page that only runs an animation-frame loop, putting a picture of the field's size on its
// canvas each frame when `put` is set: what any page that shows 60 frames a second costs here.
// With `still`, the page shows its first frame and then does nothing at all.
function floorPage(put, still = false) {
  return `<!DOCTYPE html><html><body style="margin:0;background:#000"><canvas id="field"></canvas><script>
  var canvas = document.getElementById('field'), w = ${Math.round(kWidth * kDensity)}, h = ${Math.round(kHeight * kDensity)};
  canvas.width = w; canvas.height = h; canvas.style.width = w / devicePixelRatio + 'px'; canvas.style.height = h / devicePixelRatio + 'px';
  var context = canvas.getContext('2d', { alpha: false }), picture = context.createImageData(w, h);
  var frames = 0, first = 0, shown = [];
  window.Module = { vellix: { firstShown: function () { return first; }, shownAt: function () { return shown.slice(); },
    state: function () { return { frames: frames, over: false }; } } };
  function frame(now) {
    ++frames;
    shown.push(now);
    if (${put}) { picture.data[(frames * 4) % picture.data.length] = frames & 255; context.putImageData(picture, 0, 0); }
    if (!first) first = performance.now();
    if (!${still}) requestAnimationFrame(frame);
  }
  requestAnimationFrame(frame);
  </script></body></html>`;
}

// Opens `html` as a page of its own site and runs `body` on it.
async function onPage(browser, html, body) {
  const folder = mkdtempSync(join(tmpdir(), 'vellix-floor-'));
  writeFileSync(join(folder, 'index.html'), html);
  const site = await serveSite(folder);
  try {
    const { page } = await openGame(browser, site.url, { width: kWidth, height: kHeight, density: kDensity });
    const result = await body(page);
    await page.close();
    return result;
  } finally {
    site.stop();
    rmSync(folder, { recursive: true, force: true });
  }
}

const measureFloor = (browser, put) => onPage(browser, floorPage(put), async (page) => {
  const stop = sweep(page);
  await sleep(1000);
  const result = await pacedPlay(browser, page, 10);
  const periods = periodsOf(await page.evaluate(() => Module.vellix.shownAt()), result.paced);
  await stop();
  return { cpuMsPerFrame: result.cpuMsPerFrame, frames: result.frames, p95: percentile(periods, 95) };
});

// The share of a core chromium takes while a page does nothing.
const measureStill = (browser) => onPage(browser, floorPage(false, true), async () => {
  await sleep(2000);
  const { pid } = browser;
  const [cpu0, t0] = [cpuSeconds(pid), performance.now()];
  await sleep(kIdleSeconds * 1000);
  return ((cpuSeconds(pid) - cpu0) / ((performance.now() - t0) / 1000)) * 100;
});

const site = await serveSite(process.argv[2]);
const browser = await launch('chromium');
try {
  const game = await measureGame(browser, site.url);
  const still = await measureStill(browser);
  const bare = await measureFloor(browser, false);
  const putting = await measureFloor(browser, true);
  console.log(JSON.stringify({ ...game, floor: { still, bare, putting }, size: [kWidth, kHeight], density: kDensity }));
} finally {
  await browser.close();
  site.stop();
}
