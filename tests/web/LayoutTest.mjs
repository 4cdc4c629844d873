// The field follows the browser's viewport, as the window's client area does on the desktop: a
// notched phone held sideways, and a phone held upright on screens of every density.
//   node tests/web/LayoutTest.mjs SITE_DIR
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { countPixels, kTwips, openGame, screenshot, state, waitFor, waitForState, withBrowser } from './browser.mjs';

// The share of the rows of the wall's band (the top 144 pixels of the field at 96 dpi, the
// wall's four rows) that repeat the row above: a picture magnified from 96 dpi repeats most of them.
function repeatedRows(shot, density) {
  const band = Math.floor(144 * density);
  let repeated = 0;
  for (let y = 1; y < band; ++y) {
    let same = true;
    for (let x = 0; x < shot.width && same; ++x) same = shot.pixel(x, y).every((v, i) => v === shot.pixel(x, y - 1)[i]);
    if (same) ++repeated;
  }
  return repeated / (band - 1);
}

test('the field follows the viewport', async (t) => {
  await withBrowser(async (browser, url) => {
    const { page, problems } = await openGame(browser, url);

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

    // A phone's screen, 390 by 844 CSS pixels, at the densities of screens and zooms: the canvas has
    // a pixel for each of the screen's, the game is drawn at that density rather than magnified, and
    // the pointer is where the finger is.
    await t.test('on a denser screen the field is drawn at the screen\'s own density', async (t) => {
      let plain = null;
      for (const density of [1, 1.25, 2, 2.625, 3]) {
        const cannot = await page.setViewport({ width: 390, height: 844, deviceScaleFactor: density });
        if (cannot) return t.skip(cannot);
        // The backing store of 390 CSS pixels at 1.25 is 487.5 device pixels: a whole number of them.
        const backing = () => page.evaluate(() => [document.getElementById('field').width, document.getElementById('field').height]);
        await waitFor(backing, ([w, h]) => Math.abs(w - 390 * density) <= 1 && Math.abs(h - 844 * density) <= 1,
          `a backing store of 390x844 at ${density}`);
        const s = await state(page);
        await waitForState(page, (x) => x.framesShown > s.framesShown + 2, 'frames at that density');
        const repeated = repeatedRows(await screenshot(page), density);
        plain ??= repeated;
        assert.ok(repeated <= plain + 0.05, `${repeated} of the rows repeat at ${density}, ${plain} at 1`);
        await page.mouse.move(100, 400);
        await waitForState(page, (x) => Math.abs(x.mouseX - 100 * kTwips) < kTwips, `the pointer at 100 at ${density}`);
      }
      await page.setViewport({ width: 607, height: 334 });
    });
    assert.deepEqual(problems, []);
  });
});
