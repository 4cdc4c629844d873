// WebKit: the MiniBrowser of libwebkit2gtk-4.1 driven by WebKitWebDriver over the W3C WebDriver
// protocol, on a virtual X server of its own (it has no headless mode); tools/web/browser.mjs
// tells what its page object offers.
//
// WebDriver reports neither the page's console nor its requests, and runs no script before the
// page's own. So the browser goes through a proxy of ours, which sees every request (one beyond the
// site is refused) and every failed answer, and holds the page's scripts back until a watch is in
// place in the loading page: it collects console.error, uncaught errors and rejections, elements
// that fail to load and content the page's policy blocks.
import { spawn } from 'node:child_process';
import { createServer, request as httpRequest } from 'node:http';
import { waitFor } from './browser.mjs';

const kMiniBrowser = '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser';
const kButtons = { left: 0, middle: 1, right: 2 };
const kLacking = {
  touch: 'WebKitGTK takes no touch input over WebDriver here: touch actions never reach the page',
  gpuReset: 'only chromium can be told to crash its GPU process',
  // Seen here: 16.7 ms between refreshes before, 32 ms for seconds after.
  steadyRefreshes: 'WebKit refreshes its window 30 times a second once restored from a minimized one, '
    + 'so the game runs two frames a refresh',
};

const listening = (server) => new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server.address().port)));

// The proxy: `page` is the page being opened or open, with its site, what it saw, and the gate
// that its scripts wait at.
async function startProxy() {
  const proxy = { page: null };
  const server = createServer(async (request, response) => {
    const { page } = proxy;
    page?.requests.push(request.url);
    if (!page || new URL(request.url).origin !== new URL(page.url).origin) {
      page?.problems.push(`request beyond the site: ${request.url}`);
      return response.writeHead(502).end();
    }
    if (request.url.endsWith('.js')) await page.gate;
    const onward = httpRequest(request.url, { method: request.method, headers: request.headers }, (answer) => {
      if (answer.statusCode >= 400) page.problems.push(`HTTP ${answer.statusCode}: ${request.url}`);
      response.writeHead(answer.statusCode, answer.headers);
      answer.pipe(response);
    });
    onward.on('error', (error) => {
      page.problems.push(`failed: ${request.url} ${error.message}`);
      response.destroy();
    });
    request.pipe(onward);
  });
  server.on('connect', (request, socket) => {
    proxy.page?.problems.push(`request beyond the site: ${request.url}`);
    socket.destroy();
  });
  proxy.address = `127.0.0.1:${await listening(server)}`;
  proxy.close = () => {
    server.close();
    server.closeAllConnections();
  };
  return proxy;
}

export async function launchWebKit() {
  const probe = createServer();
  const port = await listening(probe);
  probe.close();
  const proxy = await startProxy();
  const driver = spawn('xvfb-run', ['-a', '-s', '-screen 0 1920x1080x24', 'WebKitWebDriver', `--port=${port}`],
    { detached: true, stdio: 'ignore' });
  const stop = () => {
    proxy.close();
    try {
      process.kill(-driver.pid);
    } catch {
      // it has ended
    }
  };
  try {
    const base = `http://127.0.0.1:${port}`;
    await waitFor(() => fetch(`${base}/status`).then((r) => r.ok, () => false), (ready) => ready, 'WebKitWebDriver', 20000);
    const session = await command(base, 'POST', '/session', { capabilities: { alwaysMatch: {
      pageLoadStrategy: 'none',
      proxy: { proxyType: 'manual', httpProxy: proxy.address, sslProxy: proxy.address },
      'webkitgtk:browserOptions': { binary: kMiniBrowser, args: ['--automation'] } } } });
    const call = (method, path, body) => command(`${base}/session/${session.sessionId}`, method, path, body);
    return {
      engine: 'webkit',
      pid: driver.pid,
      open: (url, settings) => openPage(call, proxy, url, settings),
      close: async () => {
        await call('DELETE', '').catch(() => {});
        stop();
      },
    };
  } catch (error) {
    stop();
    throw error;
  }
}

async function command(base, method, path, body) {
  const response = await fetch(base + path, { method, headers: { 'Content-Type': 'application/json' },
    body: body && JSON.stringify(body), signal: AbortSignal.timeout(60000) });
  const { value } = await response.json();
  if (!response.ok) throw new Error(`WebDriver ${method} ${path}: ${value.error}: ${value.message}`);
  return value;
}

// Run in the loading page before its scripts.
function watch() {
  const problems = window.vellixProblems = [];
  const warnings = window.vellixWarnings = [];
  const error = console.error.bind(console);
  console.error = (...args) => {
    problems.push(`console: ${args.join(' ')}`);
    error(...args);
  };
  const warn = console.warn.bind(console);
  console.warn = (...args) => {
    warnings.push(args.join(' '));
    warn(...args);
  };
  addEventListener('error', (event) => problems.push(event.target === window ? `page error: ${event.message}`
    : `failed: ${event.target.src || event.target.href}`), true);
  addEventListener('unhandledrejection', (event) => problems.push(`page error: ${event.reason}`));
  addEventListener('securitypolicyviolation', (event) => problems.push(`blocked: ${event.blockedURI}`));
}

async function openPage(call, proxy, url, { width, height, density = 1, beforeScripts }) {
  let openGate;
  const page = { url, problems: [], warnings: [], requests: [], gate: new Promise((resolve) => { openGate = resolve; }) };
  // Runs fn in the page and brings back the problems the watch has seen meanwhile.
  const evaluate = async (fn, ...args) => {
    const { value, error, problems, warnings } = await call('POST', '/execute/async', { args, script: `
      const done = arguments[arguments.length - 1];
      const take = (seen) => (seen || []).splice(0);
      const report = (outcome) => done(Object.assign(outcome,
        { problems: take(window.vellixProblems), warnings: take(window.vellixWarnings) }));
      Promise.resolve().then(() => (${fn}).apply(null, [].slice.call(arguments, 0, -1))).then(
        (value) => report({ value: value === undefined ? null : value }),
        (error) => report({ error: String(error && error.stack || error) }));` });
    page.problems.push(...problems);
    page.warnings.push(...warnings);
    if (error) throw new Error(`in the page: ${error}`);
    return value;
  };
  const pointer = (actions) => call('POST', '/actions',
    { actions: [{ type: 'pointer', id: 'mouse', parameters: { pointerType: 'mouse' }, actions }] });
  const at = (x, y) => ({ type: 'pointerMove', x: Math.round(x), y: Math.round(y), duration: 0 });
  const press = (type, { button = 'left' } = {}) => ({ type, button: kButtons[button] });
  // The window's size less its toolbar's.
  const setViewport = async ({ width: w, height: h, deviceScaleFactor = 1 }) => {
    if (deviceScaleFactor !== 1) return 'WebDriver cannot change the pixel ratio of WebKit\'s screen';
    const [dw, dh] = await evaluate(() => [outerWidth - innerWidth, outerHeight - innerHeight]);
    await call('POST', '/window/rect', { width: w + dw, height: h + dh });
    const size = await waitFor(() => evaluate(() => [innerWidth, innerHeight]), ([iw, ih]) => iw === w && ih === h,
      'the viewport', 1000).catch(() => null);
    return size ? undefined : `MiniBrowser's window cannot be made that small (its toolbar): no viewport of ${w}x${h}`;
  };

  const cannot = await setViewport({ width, height, deviceScaleFactor: density });
  if (cannot) throw new Error(cannot);
  proxy.page = page;
  await call('POST', '/url', { url });
  const run = (script) => call('POST', '/execute/sync', { script, args: [] });
  await waitFor(() => run('return [location.href, document.readyState]'),
    ([href, ready]) => href === url && (ready === 'loading' || !url.startsWith('http')), 'the page loading');
  await run(`(${watch})(); ${beforeScripts ? `(${beforeScripts})();` : ''}`);
  openGate();
  return {
    problems: page.problems,
    warnings: page.warnings,
    requests: page.requests,
    evaluate,
    mouse: {
      move: (x, y) => pointer([at(x, y)]),
      down: (options) => pointer([press('pointerDown', options)]),
      up: (options) => pointer([press('pointerUp', options)]),
      click: (x, y, options) => pointer([at(x, y), press('pointerDown', options), press('pointerUp', options)]),
    },
    touch: {
      tap: () => Promise.reject(new Error(kLacking.touch)),
      drag: () => Promise.reject(new Error(kLacking.touch)),
      hold: () => Promise.reject(new Error(kLacking.touch)),
    },
    resetGpu: () => Promise.reject(new Error(kLacking.gpuReset)),
    screenshot: async () => Buffer.from(await call('GET', '/screenshot'), 'base64'),
    setViewport,
    // A minimized window's page is hidden; setting its size again restores it.
    hide: () => call('POST', '/window/minimize', {}),
    show: async () => {
      const { width: w, height: h } = await call('GET', '/window/rect');
      await call('POST', '/window/rect', { width: w, height: h });
    },
    lacks: (what) => kLacking[what],
    close: () => call('POST', '/url', { url: 'about:blank' }),
  };
}
