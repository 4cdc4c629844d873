// The page: the canvas that shows the field, one canvas pixel a CSS pixel, and the field's box: the
// viewport inside its safe areas (a phone's notch, rounded corners and home indicator lie beyond
// them, black). The program draws the field itself; the canvas only receives each finished picture.
mergeInto(LibraryManager.library, {
  $VellixPage: {
    page: 0,  // the program's page, to which the events go
    canvas: null,
    context: null,
    size: [0, 0],  // the field's size, as the program was last told it
    firstShown: 0,  // performance.now() when the first frame was put on the canvas
    shownAt: [],  // the display refreshes that showed a new frame, the latest kShownKept
    kShownKept: 4096,
    // An event of the page, PageEvent::Kind: 0 move, 1 press, 2 release, 3 the field's new size,
    // 4 a sound's end, 5 the picture was lost.
    post: function (kind, x, y, primary) {
      _vellix_page_event(VellixPage.page, kind, x, y, primary ? 1 : 0);
    },

    // The field's size in whole CSS pixels, as the page lays it out.
    measure: function () {
      var box = document.getElementById('area').getBoundingClientRect();
      return [Math.floor(box.width), Math.floor(box.height)];
    },

    // The field's box may have changed (the window resized, the phone turned, its safe areas moved):
    // the program is told its new size.
    laidOut: function () {
      var size = VellixPage.measure();
      if (size[0] === VellixPage.size[0] && size[1] === VellixPage.size[1]) return;
      VellixPage.size = size;
      VellixPage.post(3, size[0], size[1], false);
    },
  },

  vellix_page_open__deps: ['$VellixPage', '$VellixInput', '$VellixAudio'],
  vellix_page_open: function (page) {
    VellixPage.page = page;
    VellixPage.canvas = document.getElementById('field');
    VellixPage.context = VellixPage.canvas.getContext('2d', { alpha: false });
    VellixInput.listen(VellixPage.canvas);
    VellixPage.size = VellixPage.measure();
    window.addEventListener('resize', VellixPage.laidOut);
    if (window.ResizeObserver) new ResizeObserver(VellixPage.laidOut).observe(document.getElementById('area'));
    // A canvas may lose its picture (a phone's GPU reset, a tab restored from memory): once it can
    // draw again, or the tab is shown again, the program shows its last picture, at Game over too.
    var lost = function () { VellixPage.post(5, 0, 0, false); };
    VellixPage.canvas.addEventListener('contextrestored', lost);
    document.addEventListener('visibilitychange', function () { if (!document.hidden) lost(); });
    // What the page's tests and benchmark read; nothing of it is stored anywhere.
    Module['vellix'] = {
      state: function () { return JSON.parse(UTF8ToString(_vellix_page_state(page))); },
      firstShown: function () { return VellixPage.firstShown; },
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

  vellix_viewport_width__deps: ['$VellixPage'],
  vellix_viewport_width: function () { return VellixPage.measure()[0]; },
  vellix_viewport_height__deps: ['$VellixPage'],
  vellix_viewport_height: function () { return VellixPage.measure()[1]; },

  vellix_present__deps: ['$VellixPage'],
  vellix_present: function (rgba, width, height, refresh) {
    var canvas = VellixPage.canvas;
    if (canvas.width !== width || canvas.height !== height) {
      canvas.width = width;
      canvas.height = height;
      canvas.style.width = width + 'px';
      canvas.style.height = height + 'px';
    }
    if (width > 0 && height > 0) {
      var pixels = new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4);
      VellixPage.context.putImageData(new ImageData(pixels, width, height), 0, 0);
    }
    if (!VellixPage.firstShown) VellixPage.firstShown = performance.now();
    if (VellixPage.shownAt.length === VellixPage.kShownKept) VellixPage.shownAt.shift();
    VellixPage.shownAt.push(refresh);
  },

  vellix_show_pointer__deps: ['$VellixPage'],
  vellix_show_pointer: function (shown) {
    VellixPage.canvas.style.cursor = shown ? 'default' : 'none';
  },
});
