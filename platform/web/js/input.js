// The pointer over the field. A mouse or a pen moves the pointer's x and presses with any of its
// buttons (the main one is the primary). A finger dragged over the field moves the pointer's x,
// and a tap (a touch that is short and ends where it began) is a press and release of the primary
// button: a drag or a finger held still never presses, so neither deploys a ball nor pushes New Game.
mergeInto(LibraryManager.library, {
  $VellixInput__deps: ['$VellixPage', '$VellixAudio'],
  $VellixInput: {
    kTapSlop: 10,  // CSS pixels a finger may wander and still tap
    // A quick tap lasts 50 to 150 ms; a finger held longer is aiming, or waiting. Phones take a
    // touch held 500 ms for a long press; this stays well clear of both.
    kTapMs: 300,
    touches: {},  // pointerId: where and when its touch began, and whether it has become a drag
    buttons: {},  // pointerId: the buttons of a mouse or pen held down, as PointerEvent.buttons

    // Where the pointer is over the field: the device pixel it is on, in CSS pixels.
    at: function (canvas, event) {
      var box = canvas.getBoundingClientRect(), density = window.devicePixelRatio || 1;
      return [Math.floor((event.clientX - box.left) * density) / density,
        Math.floor((event.clientY - box.top) * density) / density];
    },

    // A mouse reports a second button, pressed while the first is held, as a change of its
    // buttons in a move: each button that went down is a press, each that came up a release.
    buttonsChanged: function (event, x, y) {
      var before = VellixInput.buttons[event.pointerId] || 0;
      var now = event.buttons;
      VellixInput.buttons[event.pointerId] = now;
      for (var bit = 1; bit <= 16; bit <<= 1) {
        if ((now & bit) && !(before & bit)) VellixPage.post(1, x, y, bit === 1);
        if (!(now & bit) && (before & bit)) VellixPage.post(2, x, y, bit === 1);
      }
    },

    listen: function (canvas) {
      canvas.addEventListener('pointerdown', function (event) {
        event.preventDefault();
        VellixAudio.unlock();
        var p = VellixInput.at(canvas, event);
        if (event.pointerType === 'touch') {
          VellixInput.touches[event.pointerId] = { x: p[0], y: p[1], at: event.timeStamp, drag: false };
          VellixPage.post(0, p[0], p[1], false);
          return;
        }
        canvas.setPointerCapture(event.pointerId);
        VellixInput.buttonsChanged(event, p[0], p[1]);
      });
      canvas.addEventListener('pointermove', function (event) {
        var p = VellixInput.at(canvas, event);
        var touch = VellixInput.touches[event.pointerId];
        if (touch && Math.max(Math.abs(p[0] - touch.x), Math.abs(p[1] - touch.y)) > VellixInput.kTapSlop) {
          touch.drag = true;
        }
        VellixPage.post(0, p[0], p[1], false);
        if (event.pointerType !== 'touch') VellixInput.buttonsChanged(event, p[0], p[1]);
      });
      canvas.addEventListener('pointerup', function (event) {
        VellixAudio.unlock();
        var p = VellixInput.at(canvas, event);
        if (event.pointerType === 'touch') {
          var touch = VellixInput.touches[event.pointerId];
          delete VellixInput.touches[event.pointerId];
          if (touch && !touch.drag && event.timeStamp - touch.at <= VellixInput.kTapMs) {
            VellixPage.post(1, p[0], p[1], true);
            VellixPage.post(2, p[0], p[1], true);
          }
          return;
        }
        VellixInput.buttonsChanged(event, p[0], p[1]);
      });
      canvas.addEventListener('pointercancel', function (event) {
        delete VellixInput.touches[event.pointerId];
        delete VellixInput.buttons[event.pointerId];
      });
      // The field is the whole page: no menu, no scrolling, no zoom over it.
      canvas.addEventListener('contextmenu', function (event) { event.preventDefault(); });
      window.addEventListener('wheel', function (event) { event.preventDefault(); }, { passive: false });
      window.addEventListener('keydown', function () { VellixAudio.unlock(); });
      // Where the audio may start only then (iOS); pointerup comes before both.
      canvas.addEventListener('touchend', function () { VellixAudio.unlock(); });
      canvas.addEventListener('click', function () { VellixAudio.unlock(); });
    },
  },
});
