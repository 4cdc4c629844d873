// The game's page in a real browser: it loads with nothing amiss, its first frame shows the wall,
// the paddle, the welcome to level 1, the score and five spare balls, and it keeps nothing.
//   node tests/web/PageTest.mjs SITE_DIR
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { countPixels, kTwips, openGame, screenshot, sleep, state, withBrowser } from './browser.mjs';

const kStatusColour = [190, 200, 255];

// The pixels a line of the status text should have: the browser's own drawing of the expected
// line, in the page's font, blended in the status colour over the black field as the game blends.
function expectedLine(page, line) {
  return page.evaluate((text, colour) => {
    const font = '11px "DejaVu Sans", Verdana, sans-serif';
    const context = document.createElement('canvas').getContext('2d', { willReadFrequently: true });
    context.font = font;
    const metrics = context.measureText('Hg');
    const ascent = Math.ceil(metrics.fontBoundingBoxAscent);
    const height = ascent + Math.ceil(metrics.fontBoundingBoxDescent);
    const width = Math.ceil(context.measureText(text).width);
    Object.assign(context.canvas, { width, height });
    context.font = font;
    context.fillStyle = '#fff';
    context.fillText(text, 0, ascent);
    const alpha = context.getImageData(0, 0, width, height).data;
    return Array.from({ length: height }, (_, y) => Array.from({ length: width }, (_, x) =>
      colour.map((c) => Math.floor((c * alpha[4 * (y * width + x) + 3] + 127) / 255))));
  }, line, kStatusColour);
}

// How many pixels of the line's box (and 4 pixels beyond its ends) differ clearly from the expected
// line, leaving out the box's top two rows, where the paddle's line may end.
function lineDifferences(shot, x0, y0, rows) {
  let differences = 0;
  for (let y = 2; y < rows.length; ++y) {
    for (let x = -4; x < rows[0].length + 4; ++x) {
      const want = rows[y][x] || [0, 0, 0];
      const got = shot.pixel(x0 + x, y0 + y);
      if (want.some((c, i) => Math.abs(c - got[i]) > 40)) ++differences;
    }
  }
  return differences;
}

// The runs of pixels along row y that match `accept`: [first x, last x] each.
function runs(shot, y, accept) {
  const found = [];
  for (let x = 0; x < shot.width; ++x) {
    if (!accept(shot.pixel(x, y))) continue;
    if (found.length && found[found.length - 1][1] === x - 1) found[found.length - 1][1] = x;
    else found.push([x, x]);
  }
  return found;
}

test('the page in a browser', async (t) => {
  await withBrowser(async (browser, url) => {
    const { page, problems, requests, release } = await openGame(browser, url, { holdFirstFrame: true });

    await t.test('loads with no console error and no failed request, from its own files only', async () => {
      assert.equal(await page.evaluate(() => document.title), 'Vellix');
      assert.deepEqual(problems, []);
      for (const file of ['vellix.js', 'vellix.wasm', 'bounce.wav', 'richochet.wav', 'break.wav', 'sink.wav']) {
        assert.ok(requests.includes(url + file), `${file} was asked for`);
      }
    });

    await t.test('the first frame shows the wall, the paddle, the welcome, the score and five spare balls', async () => {
      const s = await state(page);
      assert.equal(s.framesShown, 1);
      const shot = await screenshot(page);
      assert.deepEqual([shot.width, shot.height], [607, 334]);
      const wallRows = Math.floor(shot.height * 0.4);
      const bricks = countPixels(shot, 0, 0, shot.width, wallRows, (p) => Math.max(...p) > 60);
      assert.ok(bricks > 0.15 * shot.width * wallRows, `the wall covers ${bricks} pixels of the top rows`);

      const beige = (p) => p[0] > 150 && p[1] > 120 && p[2] > 60 && p[0] >= p[2];
      const paddleY = Math.floor(s.paddleY / kTwips) + 7;
      // The paddle starts anywhere in the left half, so part of it may lie off the field.
      const left = Math.max(0, (s.paddleX - s.paddleWidth / 2) / kTwips) + 2;
      const right = Math.min(shot.width, (s.paddleX + s.paddleWidth / 2) / kTwips) - 2;
      for (const part of [0, 0.5, 1]) {
        const x = Math.floor(left + part * (right - left));
        assert.ok(beige(shot.pixel(x, paddleY)), `the paddle at (${x}, ${paddleY}): ${shot.pixel(x, paddleY)}`);
      }

      const lineY = Math.floor((s.height * kTwips - 1800) / kTwips);
      const welcome = await expectedLine(page, 'Welcome to level 1');
      // The first ball may break a brick that carries a power-up before the first frame is drawn
      // (about one start in twelve): its message then stands above the welcome, 16 pixels higher.
      const onLine = (line) => lineDifferences(shot, 240 / kTwips, lineY + 16 * line, welcome) <= 3;
      assert.ok(onLine(0) || (s.score > 0 && onLine(1)), 'the welcome to level 1 is the log\'s top line');
      const scoreX = Math.floor((s.width * kTwips - 2000) / kTwips);
      // A brick may break in the very first frame.
      const score = await expectedLine(page, `Score: ${s.score} points.`);
      assert.ok(lineDifferences(shot, scoreX, lineY, score) <= 3, `the score line reads ${s.score} points`);
      assert.ok(lineDifferences(shot, scoreX, lineY, await expectedLine(page, `Score: ${s.score + 8} points.`)) > 3,
        'another score would be told apart');

      const iconsTop = Math.floor((s.height * kTwips - 1000) / kTwips);
      const balls = runs(shot, iconsTop + 5, (p) => p[1] > 100 && p[1] > p[0] + 20);
      assert.equal(balls.length, 5, `spare balls along row ${iconsTop + 5}: ${JSON.stringify(balls)}`);
      const rightEnd = (s.width * kTwips - 500) / kTwips;
      assert.ok(Math.abs((balls[4][0] + balls[4][1]) / 2 - (rightEnd - 16.5)) < 3, 'the last one ends at W - 500 twips');
    });

    await t.test('play goes on from there at 60 frames a second', async () => {
      await release();
      await sleep(300);
      // Timed by the page's own clock; a busy machine may make the page miss a refresh now and then
      // (the game does not catch up on a stall), never run faster.
      const timed = () => page.evaluate(() => ({ frames: Module.vellix.state().frames, at: performance.now() }));
      const before = await timed();
      await sleep(1500);
      const after = await timed();
      const rate = (after.frames - before.frames) / ((after.at - before.at) / 1000);
      assert.ok(rate >= 40 && rate <= 62, `${rate.toFixed(1)} frames a second`);
    });

    await t.test('keeps nothing: no cookie, no storage, no service worker', async () => {
      const kept = await page.evaluate(async () => ({
        cookie: document.cookie,
        local: localStorage.length,
        session: sessionStorage.length,
        databases: (await indexedDB.databases()).length,
        caches: (await caches.keys()).length,
        workers: (await navigator.serviceWorker.getRegistrations()).length,
      }));
      assert.deepEqual(kept, { cookie: '', local: 0, session: 0, databases: 0, caches: 0, workers: 0 });
      assert.deepEqual(problems, []);
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
  });
});
