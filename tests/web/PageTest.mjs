// The game's page in a real browser: it loads with nothing amiss, its first frame is the one the
// desktop draws at the same size and clock, its text placed alike, and a hidden tab waits.
//   node tests/web/PageTest.mjs SITE_DIR [VELLIX_SIM]     (the native vellix-sim; default build/vellix-sim)
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { test } from 'node:test';
import { pathToFileURL } from 'node:url';
import { decodePng, kTwips, openGame, screenshot, sleep, state, waitFor, waitForState, withBrowser } from './browser.mjs';

const kClock = 43210;  // the second of the day every seed takes, on the page as in vellix-sim

// A frame as the desktop draws it: vellix-sim's snapshot at the page's size and clock.
function desktopFrame(frame) {
  const folder = mkdtempSync(join(tmpdir(), 'vellix-snapshot-'));
  try {
    execFileSync(process.argv[4] ?? 'build/vellix-sim',
      ['--clock', String(kClock), '--frames', String(frame), '--snapshot', `${frame}:${join(folder, 'shot.png')}`]);
    return decodePng(readFileSync(join(folder, 'shot.png')));
  } finally {
    rmSync(folder, { recursive: true, force: true });
  }
}

// The box [top, bottom, left, right] of the text within [x0, y0, x1, y1]: its pixels of at least
// half the text colour's strength.
function inkBox(shot, [x0, y0, x1, y1]) {
  const box = [y1, -1, x1, -1];
  for (let y = y0; y < y1; ++y) {
    for (let x = x0; x < x1; ++x) {
      if (shot.pixel(x, y)[2] < 128) continue;
      box.splice(0, 4, Math.min(box[0], y), Math.max(box[1], y), Math.min(box[2], x), Math.max(box[3], x));
    }
  }
  return box;
}

// The pixels of the desktop's picture where the page's differs, but for those where `skip(x, y)`.
function differencesBut(shot, desktop, skip) {
  let differences = 0;
  for (let y = 0; y < desktop.height; ++y) {
    for (let x = 0; x < desktop.width; ++x) {
      if (!skip(x, y) && shot.pixel(x, y).some((c, i) => c !== desktop.pixel(x, y)[i])) ++differences;
    }
  }
  return differences;
}

test('the page in a browser', async (t) => {
  await withBrowser(async (browser, url) => {
    const { page, problems, requests, release } =
      await openGame(browser, `${url}?clock=${kClock}`, { holdFirstFrame: true });

    await t.test('loads with no console error and no failed request, from its own files only', async () => {
      assert.equal(await page.evaluate(() => document.title), 'Vellix');
      assert.deepEqual(problems, []);
      for (const file of ['vellix.js', 'vellix.wasm', 'DejaVuSans.woff2', 'bounce.wav', 'richochet.wav', 'break.wav', 'sink.wav']) {
        assert.ok(requests.includes(url + file), `${file} was asked for`);
      }
    });

    await t.test('the first frame is the desktop\'s, its text placed alike', async () => {
      const s = await state(page);
      assert.equal(s.framesShown, 1);
      const [shot, desktop] = [await screenshot(page), desktopFrame(1)];
      // The log's top line (the welcome) and the score line, 1800 twips above the bottom.
      const top = Math.floor((s.height * kTwips - 1800) / kTwips);
      const scoreX = Math.floor((s.width * kTwips - 2000) / kTwips);
      const lines = [[16, top, scoreX, top + 13], [scoreX, top, s.width, top + 13]];
      const inLine = (x, y) => lines.some(([x0, y0, x1, y1]) => x >= x0 && x < x1 && y >= y0 && y < y1);
      assert.equal(differencesBut(shot, desktop, inLine), 0, 'outside the text the pictures are the same');
      // Each browser draws the font's shapes its own way, and may hint a tall letter one row shorter.
      for (const line of lines) {
        const [got, want] = [inkBox(shot, line), inkBox(desktop, line)];
        assert.ok(got[1] === want[1] && Math.abs(got[0] - want[0]) <= 1 && Math.abs(got[2] - want[2]) <= 1 &&
          Math.abs(got[3] - want[3]) <= 1, `text rows and columns ${got} on the page, ${want} on the desktop`);
      }
    });

    // The page puts on its canvas only the rows that changed: what it shows is still the whole frame.
    await t.test('a frame later in play is the desktop\'s too, outside the text', async () => {
      await release();
      const held = await page.evaluate(() => {
        const at = Module.vellix.framesShown() + 30;
        window.holdFramesAt(at);
        return at;
      });
      await waitForState(page, (x) => x.framesShown >= held, 'a frame held');
      const s = await state(page);  // the picture shows the last frame drawn
      const [shot, desktop] = [await screenshot(page), desktopFrame(s.frames)];
      const textTop = Math.floor((s.height * kTwips - 1800) / kTwips) - 2;
      assert.equal(differencesBut(shot, desktop, (x, y) => y >= textTop && y <= textTop + 100), 0, `frame ${s.frames}`);
      await release();
    });

    await t.test('play goes on at 60 frames a second, and a hidden tab waits', async () => {
      await release();
      await sleep(300);
      // Timed by the page's own clock; a busy machine may make the page miss a refresh now and then
      // (the game does not catch up on a stall), never run faster.
      const timed = () => page.evaluate(() => ({ frames: Module.vellix.state().frames, at: performance.now() }));
      const rateOver = async (from, least) => {
        await sleep(1500);
        const now = await timed(), rate = (now.frames - from.frames) / ((now.at - from.at) / 1000);
        assert.ok(rate >= least && rate <= 62, `${rate.toFixed(1)} frames a second`);
      };
      await rateOver(await timed(), 40);
      await page.hide();
      await sleep(200);
      const hidden = await timed();
      await sleep(2000);
      const away = await timed();
      assert.equal(away.frames, hidden.frames, 'no frames while hidden');
      await page.show();
      // Not the time it was away; WebKit refreshes a window brought back only 30 times a second.
      await rateOver(away, page.lacks('steadyRefreshes') ? 25 : 40);
    });

    await t.test('the server answers a malformed request with 400 and serves on', async () => {
      assert.equal((await fetch(url + '%')).status, 400);
      assert.equal((await fetch(url)).headers.get('X-Content-Type-Options'), 'nosniff');
    });

    await t.test('the page runs under its security policy, which serve-web sends too', async () => {
      const inlineStyle = await page.evaluate(() => {
        document.head.append(Object.assign(document.createElement('style'), { textContent: 'p { color: red }' }));
        return getComputedStyle(document.body.appendChild(document.createElement('p'))).color;
      });
      assert.notEqual(inlineStyle, 'rgb(255, 0, 0)', 'an inline style is refused');
      const policy = await page.evaluate(() => document.querySelector('meta[http-equiv="Content-Security-Policy"]').content);
      assert.equal((await fetch(url)).headers.get('Content-Security-Policy'), policy);
    });

    await t.test('the manifest puts the game on a home screen, full screen, with its icons', async () => {
      const manifest = await (await fetch(url + 'manifest.webmanifest')).json();
      assert.equal(manifest.name, 'Vellix');
      assert.equal(manifest.display, 'fullscreen');
      for (const icon of manifest.icons) {
        const png = Buffer.from(await (await fetch(url + icon.src)).arrayBuffer());
        assert.equal(`${png.readUInt32BE(16)}x${png.readUInt32BE(20)}`, icon.sizes, icon.src);
      }
    });

    // Last: in WebKit these open in the game's own window. An engine that lets a page from a file
    // read its neighbours (Firefox) plays the game there, which is as good.
    await t.test('a page that cannot start says why, in the text colour', async () => {
      for (const [name, address, before, says] of [
        ['opened from a file', pathToFileURL(resolve(process.argv[2], 'index.html')).href, null, /over HTTP/],
        ['without WebAssembly', url, () => delete window.WebAssembly, /needs WebAssembly/],
      ]) {
        const other = await browser.open(address, { width: 607, height: 334, beforeScripts: before });
        const [text, colour] = await waitFor(() => other.evaluate(() => {
          const notice = document.querySelector('.notice');
          if (window.Module && Module.vellix && Module.vellix.firstShown() > 0) return ['plays', 'rgb(190, 200, 255)'];
          return notice && getComputedStyle(notice).display !== 'none' ? [notice.textContent, getComputedStyle(notice).color] : null;
        }), (seen) => seen, `${name}: a notice`);
        if (text !== 'plays' || before) assert.match(text, says, name);
        assert.equal(colour, 'rgb(190, 200, 255)', name);
        await other.close();
      }
    });
  });
});
