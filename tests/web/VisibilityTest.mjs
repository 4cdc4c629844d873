// A tab that was hidden does not replay the time it was away when it comes back: the game goes on
// from where it was, at 60 frames a second.
//   node tests/web/VisibilityTest.mjs SITE_DIR
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { openGame, sleep, state, withBrowser } from './browser.mjs';

const visibility = (page) => page.evaluate(() => document.visibilityState);

test('a hidden tab', async (t) => {
  await withBrowser(async (browser, url) => {
    const { page, problems } = await openGame(browser, url);
    await sleep(500);

    await t.test('plays nothing while hidden and does not jump ahead when shown again', async () => {
      const other = await browser.newPage();
      await other.bringToFront();
      assert.equal(await visibility(page), 'hidden');
      const hidden = await state(page);
      await sleep(2000);
      assert.ok((await state(page)).frames - hidden.frames <= 1, 'no frames while hidden');
      await page.bringToFront();
      assert.equal(await visibility(page), 'visible');
      const shown = await state(page);
      await sleep(1000);
      const after = await state(page);
      const frames = after.frames - shown.frames;
      assert.ok(frames >= 40 && frames <= 66, `${frames} frames in the second after it came back`);
      // Each refresh shows one frame, the first one after the pause too.
      const bunched = (after.frames - after.framesShown) - (shown.frames - shown.framesShown);
      assert.ok(bunched <= 2, `${bunched} frames run beside others in a refresh`);
      assert.deepEqual(problems, []);
    });
  });
});
