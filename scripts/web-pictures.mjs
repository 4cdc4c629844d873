#!/usr/bin/env node
// The pictures of the game's page for the README: a phone held upright (390 x 844) and a desktop
// window (1280 x 720), each a moment into a game with a few spare balls spent.
//   node scripts/web-pictures.mjs [SITE_DIR] [DOCS_DIR]     (default build-web/site and docs)
import { writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { launch, openGame, serveSite, sleep, waitForState } from '../tools/web/browser.mjs';

const docs = process.argv[3] ?? 'docs';
const site = await serveSite(process.argv[2] ?? 'build-web/site');
const browser = await launch('chromium');
try {
  for (const [name, width, height, touch] of [['web-phone.png', 390, 844, true], ['web-desktop.png', 1280, 720, false]]) {
    const { page } = await openGame(browser, site.url, { width, height, touch });
    for (const x of [0.3, 0.6]) {
      if (touch) await page.touch.tap(Math.floor(width * x), Math.floor(height * 0.4));
      else await page.mouse.click(Math.floor(width * x), Math.floor(height * 0.4));
      await sleep(400);
    }
    await page.mouse.move(Math.floor(width / 2), Math.floor(height / 2));
    await waitForState(page, (s) => s.frames > 150, 'a few seconds of play');
    writeFileSync(join(docs, name), await page.screenshot());
    console.log(`web-pictures: ${join(docs, name)}`);
    await page.close();
  }
} finally {
  await browser.close();
  site.stop();
}
