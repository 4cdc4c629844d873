// The field follows the browser's viewport, as the window's client area does on the desktop: a
// phone held upright, a wide desktop window, and the New Game button centred after each change.
//   node tests/web/LayoutTest.mjs SITE_DIR
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { countPixels, kTwips, openGame, playUntilGameOver, screenshot, state, waitForState, withBrowser } from './browser.mjs';

const isButtonFace = (p) => Math.abs(p[0] - 64) <= 2 && Math.abs(p[1] - 72) <= 2 && Math.abs(p[2] - 112) <= 2;
const isSpareBall = (p) => p[1] > 100 && p[1] > p[0] + 20;

// The viewport becomes width by height; the field takes that size and is drawn whole: the canvas
// fills the viewport and the spare balls stand at its bottom right. Skips t where the engine's
// window cannot take that size.
async function resizeTo(t, page, width, height) {
  const cannot = await page.setViewport({ width, height });
  if (cannot) return t.skip(cannot);
  const s = await waitForState(page, (x) => x.width === width && x.height === height, `a field of ${width}x${height}`);
  const canvas = await page.evaluate(() => {
    const box = document.getElementById('field').getBoundingClientRect();
    return [box.left, box.top, box.width, box.height];
  });
  assert.deepEqual(canvas, [0, 0, width, height]);
  await waitForState(page, (x) => x.framesShown > s.framesShown || x.over, 'a frame of the new size');
  const shot = await screenshot(page);
  const iconsTop = Math.floor((height * kTwips - 1000) / kTwips);
  const right = Math.floor((width * kTwips - 500) / kTwips);
  if (!s.over || s.lives > 0) {
    assert.ok(countPixels(shot, right - 33, iconsTop, right, iconsTop + 32, isSpareBall) > 300, 'a spare ball at the bottom right');
  }
  return shot;
}

// The New Game button's box on the screen: [left, top, right, bottom].
function buttonBox(shot) {
  let box = [shot.width, shot.height, -1, -1];
  for (let y = 0; y < shot.height; ++y) {
    for (let x = 0; x < shot.width; ++x) {
      if (!isButtonFace(shot.pixel(x, y))) continue;
      box = [Math.min(box[0], x), Math.min(box[1], y), Math.max(box[2], x), Math.max(box[3], y)];
    }
  }
  return box;
}

// The share of the screenshot's 2x2 blocks (those not black) whose four pixels are the same: on a
// screen of two device pixels a CSS pixel, a crisp picture keeps every canvas pixel one square.
function crispBlocks(shot) {
  let blocks = 0, uniform = 0;
  for (let y = 0; y + 1 < shot.height; y += 2) {
    for (let x = 0; x + 1 < shot.width; x += 2) {
      const first = shot.pixel(x, y);
      if (Math.max(...first) < 30) continue;
      ++blocks;
      const same = (p) => p.every((v, i) => v === first[i]);
      if (same(shot.pixel(x + 1, y)) && same(shot.pixel(x, y + 1)) && same(shot.pixel(x + 1, y + 1))) ++uniform;
    }
  }
  return uniform / blocks;
}

test('the field follows the viewport', async (t) => {
  await withBrowser(async (browser, url) => {
    const { page, problems } = await openGame(browser, url);

    for (const [width, height] of [[390, 844], [1280, 720]]) {  // a phone held upright, a desktop window
      await t.test(`in play at ${width}x${height}`, (t) => resizeTo(t, page, width, height));
    }

    await t.test('a phone held sideways keeps the field clear of its notch and its home indicator', async (t) => {
      // As a notched phone's browser sets env(safe-area-inset-*).
      await page.evaluate(() => {
        document.documentElement.style.setProperty('--safe-left', '44px');
        document.documentElement.style.setProperty('--safe-bottom', '21px');
      });
      const cannot = await page.setViewport({ width: 844, height: 390 });
      if (cannot) return t.skip(cannot);
      const s = await waitForState(page, (x) => x.width === 800 && x.height === 369, 'a field inside the safe areas');
      await waitForState(page, (x) => x.framesShown > s.framesShown, 'a frame of that size');
      const field = await page.evaluate(() => document.getElementById('field').getBoundingClientRect().toJSON());
      assert.deepEqual([field.left, field.top, field.width, field.height], [44, 0, 800, 369]);
      const shot = await screenshot(page);
      assert.equal(countPixels(shot, 0, 0, 44, 390, (p) => Math.max(...p) > 0), 0, 'nothing under the notch');
      // The log's lines begin 16 pixels into the field.
      const logTop = Math.floor((369 * kTwips - 1800) / kTwips);
      assert.ok(countPixels(shot, 60, logTop, 150, logTop + 14, (p) => p[2] > 120 && p[2] > p[0] + 20) > 20, 'the log');
      await page.evaluate(() => document.documentElement.removeAttribute('style'));
    });

    await t.test('on a denser screen each canvas pixel stays a sharp square', async (t) => {
      const cannot = await page.setViewport({ width: 607, height: 334, deviceScaleFactor: 2 });
      if (cannot) return t.skip(cannot);
      await waitForState(page, (x) => x.width === 607, 'the field at 607 CSS pixels');
      const shot = await screenshot(page);
      assert.equal(shot.width, 1214);
      assert.ok(crispBlocks(shot) > 0.99, `${crispBlocks(shot)} of the blocks are single pixels`);
      await page.setViewport({ width: 607, height: 334 });
    });

    await t.test('at Game over the button stays centred', async (t) => {
      await playUntilGameOver(page);
      for (const [width, height] of [[390, 844], [844, 390], [1280, 720], [60, 40]]) {
        await t.test(`at ${width}x${height}`, async (t) => {
          const shot = await resizeTo(t, page, width, height);
          if (!shot) return;
          const box = buttonBox(shot);
          if (width < 81) {
            assert.ok(box[0] <= 2 && box[2] >= width - 3, `a button wider than the field covers it: ${box}`);
            return;
          }
          const centre = [(box[0] + box[2]) / 2, (box[1] + box[3]) / 2];
          assert.ok(Math.abs(centre[0] - width / 2) <= 2 && Math.abs(centre[1] - height / 2) <= 2,
            `the button's centre ${centre}`);
        });
      }
      assert.deepEqual(problems, []);
    });
  });
});
