// Text drawn by the browser: white on a transparent scratch canvas, whose opacity is the coverage
// the program blends onto the field in the text's colour.
mergeInto(LibraryManager.library, {
  $VellixText: {
    // The desktop's DejaVu Sans at 11 pixels; else Verdana, whose shapes it follows; else any sans-serif.
    kFont: '11px "DejaVu Sans", Verdana, sans-serif',
    context: null,
    ascent: 0,
    height: 0,

    scratch: function () {
      if (VellixText.context) return VellixText.context;
      var context = document.createElement('canvas').getContext('2d', { willReadFrequently: true });
      context.font = VellixText.kFont;
      var metrics = context.measureText('Hg');
      // A line is as high as the font's ascent and descent, rounded up, as the desktop's renderer makes it.
      var ascent = metrics.fontBoundingBoxAscent, descent = metrics.fontBoundingBoxDescent;
      if (ascent === undefined) {
        ascent = 11 * 0.93;
        descent = 11 * 0.24;
      }
      VellixText.ascent = Math.ceil(ascent);
      VellixText.height = VellixText.ascent + Math.ceil(descent);
      VellixText.context = context;
      return context;
    },
  },

  vellix_text_line_height__deps: ['$VellixText'],
  vellix_text_line_height: function () {
    VellixText.scratch();
    return VellixText.height;
  },

  vellix_text_width__deps: ['$VellixText'],
  vellix_text_width: function (text) {
    var context = VellixText.scratch();
    return Math.ceil(context.measureText(UTF8ToString(text)).width);
  },

  vellix_text_draw__deps: ['$VellixText'],
  vellix_text_draw: function (text, width, height, coverage) {
    var context = VellixText.scratch();
    var canvas = context.canvas;
    if (canvas.width < width || canvas.height < height) {
      canvas.width = Math.max(canvas.width, width);
      canvas.height = Math.max(canvas.height, height);
      context.font = VellixText.kFont;  // a canvas that changes size forgets its font
    }
    context.clearRect(0, 0, width, height);
    context.fillStyle = '#fff';
    context.fillText(UTF8ToString(text), 0, VellixText.ascent);
    var pixels = context.getImageData(0, 0, width, height).data;
    for (var i = 0; i < width * height; ++i) HEAPU8[coverage + i] = pixels[4 * i + 3];
  },
});
