// The page: the canvas that shows the field, one canvas pixel a device pixel of the screen, and the
// field's box: the viewport inside its safe areas (a phone's notch, rounded corners and home
// indicator lie beyond them, black). The program draws the field itself at the screen's density
// (devicePixelRatio); the canvas only receives each finished picture.
mergeInto(LibraryManager.library, {
  $VellixPage: {
    page: 0,  // the program's page, to which the events go
    canvas: null,
    context: null,
    size: [0, 0, 1],  // the field's size in device pixels and the density, as the program was last told them
    devicePixels: null,  // the field's size in device pixels, where the browser tells it exactly
    whole: true,  // the next picture is put whole: the canvas holds nothing of the last one
    firstShown: 0,  // performance.now() when the first frame was put on the canvas
    framesShown: 0,
    shownAt: [],  // the display refreshes that showed a new frame, the latest kShownKept
    kShownKept: 4096,
    // An event of the page: 0 move, 1 press, 2 release (x, y in CSS pixels of the field), 3 the
    // field's new size (x, y in device pixels, at `density`), 4 a sound's end, 5 the picture was lost.
    post: function (kind, x, y, primary, density) {
      _vellix_page_event(VellixPage.page, kind, x, y, primary ? 1 : 0, density || 1);
    },

    // The field's size in device pixels, and the screen's density. The browser tells the size
    // exactly where it can (a ResizeObserver's device-pixel box); else it is the CSS size times the
    // density, rounded.
    measure: function () {
      var box = document.getElementById('area').getBoundingClientRect(), density = window.devicePixelRatio || 1;
      var w = Math.round(box.width * density), h = Math.round(box.height * density), exact = VellixPage.devicePixels;
      // Told for this very box: not one of another size or density, which a resize tells first.
      if (exact && exact[2] === density && Math.abs(exact[0] - w) <= 1 && Math.abs(exact[1] - h) <= 1) {
        w = exact[0];
        h = exact[1];
      }
      return [w, h, density];
    },

    // The field's box may have changed (the window resized, the phone turned, its safe areas moved,
    // the page zoomed or moved to another screen): the program is told its new size.
    laidOut: function () {
      var size = VellixPage.measure();
      if (size[0] === VellixPage.size[0] && size[1] === VellixPage.size[1] && size[2] === VellixPage.size[2]) return;
      VellixPage.size = size;
      VellixPage.post(3, size[0], size[1], false, size[2]);
    },

    // Watches the field's box, in device pixels where the browser can tell them, and the density,
    // which a zoom or another screen changes.
    watchLayout: function () {
      var area = document.getElementById('area');
      window.addEventListener('resize', VellixPage.laidOut);
      var watchDensity = function () {
        matchMedia('(resolution: ' + window.devicePixelRatio + 'dppx)').addEventListener('change', function () {
          VellixPage.laidOut();
          watchDensity();
        }, { once: true });
      };
      watchDensity();
      if (!window.ResizeObserver) return;
      var observer = new ResizeObserver(function (entries) {
        var device = entries[0].devicePixelContentBoxSize;
        if (device) VellixPage.devicePixels = [device[0].inlineSize, device[0].blockSize, window.devicePixelRatio];
        VellixPage.laidOut();
      });
      try {
        observer.observe(area, { box: 'device-pixel-content-box' });
      } catch (e) {
        observer.observe(area);  // a browser that cannot tell device pixels (Safari)
      }
    },
  },

  vellix_page_open__deps: ['$VellixPage', '$VellixInput', '$VellixAudio'],
  vellix_page_open: function (page) {
    VellixPage.page = page;
    VellixPage.canvas = document.getElementById('field');
    VellixPage.context = VellixPage.canvas.getContext('2d', { alpha: false });
    VellixInput.listen(VellixPage.canvas);
    VellixPage.size = VellixPage.measure();
    VellixPage.watchLayout();
    // A canvas may lose its picture (a phone's GPU reset, a tab restored from memory): once it can
    // draw again, or the tab is shown again, the program shows its last picture, at Game over too.
    var lost = function () {
      VellixPage.whole = true;
      VellixPage.post(5, 0, 0, false);
    };
    VellixPage.canvas.addEventListener('contextrestored', lost);
    document.addEventListener('visibilitychange', function () { if (!document.hidden) lost(); });
    // What the page's tests and benchmark read; nothing of it is stored anywhere.
    Module['vellix'] = {
      state: function () { return JSON.parse(UTF8ToString(_vellix_page_state(page))); },
      firstShown: function () { return VellixPage.firstShown; },
      framesShown: function () { return VellixPage.framesShown; },
      shownAt: function () { return VellixPage.shownAt.slice(); },
      audio: function () { return VellixAudio.report(); },
    };
  },

  // The second of the day every level's seed takes, from the page's address (?clock=S, as
  // vellix-sim's --clock); -1 for the time of day.
  vellix_page_clock: function () {
    var clock = /[?&]clock=(\d{1,5})(&|$)/.exec(location.search);
    return clock && Number(clock[1]) < 86400 ? Number(clock[1]) : -1;
  },

  // At each display refresh: a change of density that no event told of (an emulated screen) is
  // noticed there.
  vellix_notice_density__deps: ['$VellixPage'],
  vellix_notice_density: function () {
    if ((window.devicePixelRatio || 1) !== VellixPage.size[2]) VellixPage.laidOut();
  },

  vellix_viewport_width__deps: ['$VellixPage'],
  vellix_viewport_width: function () { return VellixPage.measure()[0]; },
  vellix_viewport_height__deps: ['$VellixPage'],
  vellix_viewport_height: function () { return VellixPage.measure()[1]; },
  vellix_viewport_density__deps: ['$VellixPage'],
  vellix_viewport_density: function () { return VellixPage.measure()[2]; },

  // The picture is in device pixels: the canvas takes as many CSS pixels as they cover, so that each
  // of its pixels is one of the screen's.
  vellix_present__deps: ['$VellixPage'],
  vellix_present: function (rgba, width, height, density, changedRows, runs, refresh) {
    var canvas = VellixPage.canvas;
    if (canvas.width !== width || canvas.height !== height || VellixPage.shownDensity !== density) {
      canvas.width = width;
      canvas.height = height;
      canvas.style.width = width / density + 'px';
      canvas.style.height = height / density + 'px';
      VellixPage.shownDensity = density;
      VellixPage.whole = true;  // a canvas made anew holds nothing
    }
    if (width > 0 && height > 0) {
      var pixels = new ImageData(new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4), width, height);
      if (VellixPage.whole) {
        VellixPage.context.putImageData(pixels, 0, 0);
      } else {
        for (var i = 0; i < runs; ++i) {
          var first = HEAP32[(changedRows >> 2) + 2 * i], count = HEAP32[(changedRows >> 2) + 2 * i + 1];
          VellixPage.context.putImageData(pixels, 0, 0, 0, first, width, count);
        }
      }
      VellixPage.whole = false;
    }
    if (!VellixPage.firstShown) VellixPage.firstShown = performance.now();
    ++VellixPage.framesShown;
    if (VellixPage.shownAt.length === VellixPage.kShownKept) VellixPage.shownAt.shift();
    VellixPage.shownAt.push(refresh);
  },

  vellix_show_pointer__deps: ['$VellixPage'],
  vellix_show_pointer: function (shown) {
    VellixPage.canvas.style.cursor = shown ? 'default' : 'none';
  },
});
