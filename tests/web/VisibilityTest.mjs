// A tab that was hidden does not replay the time it was away when it comes back: the game goes on
// from where it was, at 60 frames a second.
//   node tests/web/VisibilityTest.mjs SITE_DIR
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { openGame, sleep, state, unlessLacking, withBrowser } from './browser.mjs';

const visibility = (page) => page.evaluate(() => document.visibilityState);

test('a hidden tab', async (t) => {
  await withBrowser(async (browser, url) => {
    const { page, problems } = await openGame(browser, url);
    await sleep(500);

    await t.test('plays nothing while hidden and does not jump ahead when shown again', async (t) => {
      await page.hide();
      assert.equal(await visibility(page), 'hidden');
      await sleep(200);
      const hidden = await state(page);
      await sleep(2000);
      assert.equal((await state(page)).frames, hidden.frames, 'no frames while hidden');
      const shownAt = Date.now();  // at the latest
      await page.show();
      assert.equal(await visibility(page), 'visible');
      await sleep(1000);
      const after = await state(page);
      const seconds = (Date.now() - shownAt) / 1000;
      const frames = after.frames - hidden.frames;
      // Not a burst of the time it was away; on a busy machine a refresh may be missed now and then.
      assert.ok(frames >= 30 * seconds && frames <= 60 * seconds + 4, `${frames} frames in the ${seconds} s after it came back`);
      // Each refresh shows one frame, the first one after the pause too.
      const bunched = (after.frames - after.framesShown) - (hidden.frames - hidden.framesShown);
      unlessLacking(t, page, 'steadyRefreshes',
        () => assert.ok(bunched <= 2, `${bunched} frames run beside others in a refresh`));
      assert.deepEqual(problems, []);
    });
  });
});
