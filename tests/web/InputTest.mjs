// The pointer, the presses, a finger, and New Game, in a real browser.
//   node tests/web/InputTest.mjs SITE_DIR
import assert from 'node:assert/strict';
import { test } from 'node:test';
import {
  audio, countPixels, kTwips, openGame, playUntilGameOver, pointerStyle, screenshot, sleep, state, unlessLacking,
  waitFor, waitForState, withBrowser,
} from './browser.mjs';

const kButtonFace = [64, 72, 112];
const isButtonFace = (p) => p.every((c, i) => Math.abs(c - kButtonFace[i]) <= 2);

// The paddle heads for the pointer's x: it is closer to it a few frames on.
async function paddleHeadsFor(page, x) {
  const target = x * kTwips;
  const before = await waitForState(page, (s) => s.mouseX === target, `the pointer's x becomes ${x}`);
  const after = await waitForState(page, (s) => s.frames >= before.frames + 6, 'six frames on');
  assert.ok(Math.abs(after.paddleX - target) < Math.abs(before.paddleX - target) || after.paddleX === target,
    `the paddle from ${before.paddleX} to ${after.paddleX} heads for ${target}`);
}

// A press, tap or click spends one spare ball on a new ball.
async function spendsABall(page, press) {
  const before = await state(page);
  await press();
  const after = await waitForState(page, (s) => s.lives === before.lives - 1, 'a spare ball is spent');
  assert.ok(after.ballsAlive >= 1);
  await sleep(200);
  assert.equal((await state(page)).lives, before.lives - 1, 'one press, one ball');
}

test('input in a browser', async (t) => {
  await withBrowser(async (browser, url) => {
    const { page, problems, release } = await openGame(browser, url, { touch: true, holdFirstFrame: true });

    await t.test('a finger held still for 1.5 s deploys nothing', { skip: page.lacks('touch') }, async () => {
      // Held at its first frame, the game can lose no ball meanwhile; a press would wait for the next frame.
      await page.touch.hold(300, 150, 1500);
      await release();
      const { frames } = await state(page);
      assert.equal((await waitForState(page, (s) => s.frames >= frames + 10, 'ten frames on')).lives, 5);
    });
    await release();  // where the engine takes no touch, the game was held for nothing

    await t.test('the pointer is hidden over the field in play, and the paddle heads for it', async () => {
      assert.equal(await pointerStyle(page), 'none');
      await page.mouse.move(100, 150);
      await paddleHeadsFor(page, 100);
      await page.mouse.move(520, 150);
      await paddleHeadsFor(page, 520);
    });

    await t.test('the field neither scrolls, zooms nor opens a menu', async () => {
      const refused = await page.evaluate(() => {
        const field = document.getElementById('field');
        const refuses = (event) => !field.dispatchEvent(event);
        return {
          menu: refuses(new MouseEvent('contextmenu', { bubbles: true, cancelable: true })),
          wheel: refuses(new WheelEvent('wheel', { bubbles: true, cancelable: true, deltaY: 100, ctrlKey: true })),
          touchAction: getComputedStyle(field).touchAction,
          overflow: getComputedStyle(document.body).overflow,
        };
      });
      assert.deepEqual(refused, { menu: true, wheel: true, touchAction: 'none', overflow: 'hidden' });
    });

    await t.test('a press of any mouse button deploys a ball', async () => {
      await spendsABall(page, () => page.mouse.click(300, 120));
      await spendsABall(page, () => page.mouse.click(300, 120, { button: 'right' }));
    });

    const finger = 'a finger dragged moves the paddle\'s target and deploys nothing; a tap deploys a ball';
    await t.test(finger, { skip: page.lacks('touch') }, async () => {
      const { lives } = await state(page);
      await page.touch.drag([[200, 150], [300, 150], [420, 160]]);
      await paddleHeadsFor(page, 420);
      await sleep(200);
      assert.equal((await state(page)).lives, lives, 'a drag deploys no ball');
      await spendsABall(page, () => page.touch.tap(250, 100));
      await paddleHeadsFor(page, 250);
    });

    await t.test('Game over shows New Game and the pointer, draws nothing, and lets the sound rest', async (t) => {
      await playUntilGameOver(page);
      const over = await state(page);
      assert.ok(over.newGame);
      assert.equal(await pointerStyle(page), 'default');
      const shot = await screenshot(page);
      const [cx, cy] = [Math.floor(shot.width / 2), Math.floor(shot.height / 2)];
      assert.ok(countPixels(shot, cx - 40, cy - 22, cx + 40, cy + 22, isButtonFace) > 2000, 'New Game at the centre');
      await sleep(1500);
      assert.equal((await state(page)).framesShown, over.framesShown, 'no frame is drawn at Game over');
      await unlessLacking(t, page, 'sound', async () => {
        assert.equal((await audio(page)).state, 'suspended', 'the sound stands by once the last one has ended');
        await page.mouse.click(5, 5);
        await sleep(300);
        assert.equal((await audio(page)).state, 'suspended', 'a gesture does not wake it');
      });
      // A reset of the GPU loses the canvas's picture; once restored, the page shows it again.
      await unlessLacking(t, page, 'gpuReset', async () => {
        await page.evaluate(() => {
          const field = document.getElementById('field');
          window.restored = new Promise((resolve) => field.addEventListener('contextrestored', resolve));
        });
        await page.resetGpu();
        await page.evaluate(() => window.restored);
        await waitFor(async () => countPixels(await screenshot(page), cx - 40, cy - 22, cx + 40, cy + 22, isButtonFace),
          (n) => n > 2000, 'New Game shown again');
      });
    });

    await t.test('a click on New Game starts a new game with the pointer hidden again', async (t) => {
      const { width, height } = await state(page);
      await page.mouse.click(Math.floor(width / 2), Math.floor(height / 2));
      const s = await waitForState(page, (x) => !x.over, 'a new game');
      assert.deepEqual([s.lives, s.level, s.newGame], [5, 1, false]);
      assert.ok(s.score <= 3, `the score starts afresh (${s.score} after the game's first frames)`);
      assert.equal(await pointerStyle(page), 'none');
      await waitForState(page, (x) => x.framesShown > s.framesShown + 10, 'frames drawn again');
      await unlessLacking(t, page, 'sound', async () => assert.equal((await audio(page)).state, 'running'));
      assert.deepEqual(problems, []);
    });
  });
});
