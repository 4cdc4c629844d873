#!/usr/bin/env node
// The pictures of the game's page for the README: a phone held upright (390 x 844), on a screen of
// 96 dpi and on one three times as dense, a desktop window (1280 x 720) and a notched phone held
// sideways (844 x 390), each a moment into a game with a few spare balls spent.
//   node scripts/web-pictures.mjs [SITE_DIR] [DOCS_DIR]     (default build-web/site and docs)
import { writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { launch, openGame, serveSite, sleep, waitForState } from '../tools/web/browser.mjs';

const docs = process.argv[3] ?? 'docs';

// A 6.1-inch iPhone held sideways: the safe areas its browser gives the page, and the notch and the
// home indicator drawn over the picture where the phone has them.
function notchedPhone() {
  const root = document.documentElement.style;
  root.setProperty('--safe-left', '47px');
  root.setProperty('--safe-right', '47px');
  root.setProperty('--safe-bottom', '21px');
  for (const [left, top, width, height, colour] of [[0, 90, 30, 210, '#1c1c1e'], [355, 382, 134, 5, '#8e8e93']]) {
    const part = document.body.appendChild(document.createElement('div'));
    Object.assign(part.style, { position: 'absolute', left: `${left}px`, top: `${top}px`, width: `${width}px`,
      height: `${height}px`, background: colour, borderRadius: '0 15px 15px 0', pointerEvents: 'none' });
  }
}

const site = await serveSite(process.argv[2] ?? 'build-web/site');
const browser = await launch('chromium');
try {
  const pictures = [['web-phone.png', 390, 844, 1, true], ['web-phone-dense.png', 390, 844, 3, true],
    ['web-desktop.png', 1280, 720, 1, false], ['web-notch.png', 844, 390, 1, true, notchedPhone]];
  for (const [name, width, height, density, touch, phone] of pictures) {
    const { page } = await openGame(browser, `${site.url}?clock=43210`, { width, height, density, touch });
    if (phone) await page.evaluate(phone);
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
