// What the browser tests use: tools/web/browser.mjs, which they share with the page's benchmark and
// the README's pictures (the engine is the command line's third word), and what only they need.
export * from '../../tools/web/browser.mjs';

export const pointerStyle = (page) => page.evaluate(() => getComputedStyle(document.getElementById('field')).cursor);

// The pixels of a box that match `accept([r, g, b])`.
export function countPixels(shot, x0, y0, x1, y1, accept) {
  let count = 0;
  for (let y = Math.max(y0, 0); y < Math.min(y1, shot.height); ++y) {
    for (let x = Math.max(x0, 0); x < Math.min(x1, shot.width); ++x) if (accept(shot.pixel(x, y))) ++count;
  }
  return count;
}

// Runs check() unless the page's engine lacks `what`; then t says why it was not checked.
export function unlessLacking(t, page, what, check) {
  const why = page.lacks(what);
  return why ? t.diagnostic(`not checked in this engine: ${why}`) : check();
}
