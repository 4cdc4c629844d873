// The start of the page's program, before anything else of it runs: the game's WebAssembly is
// fetched and compiled here, so that when it cannot be (a browser without WebAssembly, or a page
// opened from a file, whose wasm the browser refuses to fetch) the page says so in one line and
// what to do, instead of staying black. Meanwhile the game's font arrives: the game starts once
// both are here (without the font, if it cannot come), so that its first text is in that font.
(function () {
  var script = document.currentScript ? document.currentScript.src : location.href;

  function cannotStart(line) {
    var notice = document.createElement('p');
    notice.className = 'notice';
    notice.textContent = line;
    document.body.appendChild(notice);
  }

  function why(reason) {
    if (typeof WebAssembly !== 'object') {
      return 'Vellix needs WebAssembly, which this browser lacks or has turned off: ' +
        'open it in a browser with WebAssembly.';
    }
    if (location.protocol === 'file:') {
      return 'Vellix cannot start from a file: serve its folder over HTTP (any web server will do) ' +
        'and open it there.';
    }
    return 'Vellix could not start (' + reason + '): reload the page.';
  }

  // Any failure of the program ends in an abort, the missing WebAssembly first of all.
  Module['onAbort'] = function (reason) { cannotStart(why(reason)); };

  // The font that the page's style names (text.js draws in it), or nothing where fonts cannot be awaited.
  var font = document.fonts ? document.fonts.load('11px "DejaVu Sans"').catch(function () {}) : null;

  Module['instantiateWasm'] = function (imports, receive) {
    fetch(new URL('vellix.wasm', script).href, { credentials: 'same-origin' }).then(function (response) {
      if (!response.ok) throw new Error('vellix.wasm: HTTP ' + response.status);
      // Compiled as it arrives where the host names it as WebAssembly; else once it is all here.
      if (WebAssembly.instantiateStreaming && response.headers.get('Content-Type') === 'application/wasm') {
        return WebAssembly.instantiateStreaming(response, imports);
      }
      return response.arrayBuffer().then(function (bytes) { return WebAssembly.instantiate(bytes, imports); });
    }).then(function (compiled) {
      return Promise.resolve(font).then(function () { return compiled; });
    }).then(function (compiled) {
      receive(compiled.instance, compiled.module);
    }, function (error) {
      cannotStart(why(error.message));
    });
    return {};  // the exports come later, through receive
  };
})();
