// The four sound channels on Web Audio, read from the page's audio layer: before the player's
// first gesture every sound is dropped and its channel freed at once; after it, sounds start, end,
// and their channels play again; nothing dropped comes back later. A missing or corrupt sound file
// silences its own channel only.
//   node tests/web/SoundTest.mjs SITE_DIR
import assert from 'node:assert/strict';
import { cpSync, mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { test } from 'node:test';
import { audio, openGame, serveSite, sleep, waitFor, waitForState, withBrowser } from './browser.mjs';

const sum = (counts) => counts.reduce((a, b) => a + b, 0);

const waitForAudio = (page, accept, what, timeoutMs = 15000) => waitFor(() => audio(page), accept, what, timeoutMs);

test('sound in a browser', async (t) => {
  await withBrowser(async (browser, url) => {
    const { page, problems } = await openGame(browser, url);
    // The audio is made at the first gesture; the test keeps it at hand, to stop it as a phone would.
    await page.evaluate(() => {
      const Made = window.AudioContext;
      window.AudioContext = class extends Made { constructor() { super(); window.audioMade = this; } };
    });

    await t.test('before any gesture, sounds are dropped and their channels freed', async () => {
      // A channel left busy would never be asked again: a second drop on it shows it was freed.
      const before = await waitForAudio(page, (a) => a.dropped.some((n) => n >= 2), 'a channel dropped twice');
      assert.equal(before.state, 'none');
      assert.deepEqual(before.started, [0, 0, 0, 0]);
      await waitForState(page, (s) => s.busy.every((b) => b === 0), 'every channel free');
    });

    const gesture = 'after the first gesture sounds start, end, and play again; none comes back';
    await t.test(gesture, { skip: page.lacks('sound') }, async () => {
      const dropped = sum((await audio(page)).dropped);
      await page.mouse.click(5, 5);
      await waitForAudio(page, (a) => a.state === 'running', 'the audio runs', 2000);
      // A channel plays one sound at a time, so it has never started more than one beyond those
      // ended: the sounds dropped before would break that if they came out now.
      for (const until = Date.now() + 1500; Date.now() < until; await sleep(20)) {
        const now = await audio(page);
        const most = Math.max(...now.started.map((n, channel) => n - now.ended[channel]));
        assert.ok(most <= 1, `${JSON.stringify(now)} after ${dropped} sounds were dropped`);
      }
      const later = await waitForAudio(page,
        (a) => a.started.some((n, channel) => n >= 3 && a.ended[channel] >= 2), 'a channel played three times');
      later.started.forEach((n, channel) => {
        assert.ok(later.ended[channel] >= n - 1, `channel ${channel}: ${n} started, ${later.ended[channel]} ended`);
      });
      assert.deepEqual(problems, []);
    });

    await t.test('audio the system stopped runs again at the next gesture', { skip: page.lacks('sound') }, async () => {
      await page.evaluate(() => window.audioMade.suspend());
      await waitForAudio(page, (a) => a.state === 'suspended', 'the audio stopped', 2000);
      await page.mouse.click(5, 5);
      await waitForAudio(page, (a) => a.state === 'running', 'the audio runs again', 2000);
    });

    await t.test('a missing sound and a corrupt one leave the others playing, with no error', { skip: page.lacks('sound') }, async () => {
      const copy = mkdtempSync(join(tmpdir(), 'vellix-site-'));
      cpSync(process.argv[2], copy, { recursive: true });
      rmSync(join(copy, 'bounce.wav'));
      writeFileSync(join(copy, 'richochet.wav'), Buffer.from(Array.from({ length: 4096 }, (_, i) => (i * 7919) % 251)));
      const site = await serveSite(copy);
      try {
        const broken = await openGame(browser, site.url);
        await broken.page.mouse.click(5, 5);
        // The break sound is the one a game plays most.
        await waitForAudio(broken.page, (a) => a.started[2] >= 3 && a.ended[2] >= 2, 'breaks played three times');
        const { warnings } = broken.page;
        assert.equal(warnings.filter((w) => w.includes('richochet.wav')).length, 1, warnings.join('\n'));
        // The browser's own report of the missing file is all.
        assert.deepEqual(broken.problems.filter((p) => !/^(HTTP 404|console: Failed to load resource)/.test(p)), []);
      } finally {
        site.stop();
        rmSync(copy, { recursive: true, force: true });
      }
    });
  });
});
