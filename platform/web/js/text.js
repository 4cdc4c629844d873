// Text drawn by the browser: white on a transparent scratch canvas, whose opacity is the coverage
// the program blends onto the field in the text's colour. The font is the desktop's, DejaVu Sans,
// which the site carries, and a line is placed as the desktop's renderer (FreeType, hinted) places
// it, whatever the browser's own text layout would do: each character starts at a whole pixel,
// after the hinted advances of those before it, on a baseline and in a line height rounded up from
// the font's own measures. So the page's lines stand where the desktop's do and are as long.
mergeInto(LibraryManager.library, {
  $VellixText: {
    kFamily: '"DejaVu Sans", Verdana, sans-serif',
    // DejaVu Sans's measures, in its units.
    kUnitsPerEm: 2048,
    kAscender: 1901,
    kDescender: 483,
    context: null,
    units: {},  // character: its advance in the font's units

    scratch: function () {
      if (!VellixText.context) {
        VellixText.context = document.createElement('canvas').getContext('2d', { willReadFrequently: true });
      }
      return VellixText.context;
    },

    font: function (size) { return size + 'px ' + VellixText.kFamily; },

    // A length in the font's units at `size` pixels, in 64ths of a pixel, rounded as FreeType scales it.
    scaled: function (units, size) { return Math.round(units * size * 64 / VellixText.kUnitsPerEm); },
    ascent: function (size) { return Math.ceil(VellixText.scaled(VellixText.kAscender, size) / 64); },
    lineHeight: function (size) {
      return Math.ceil(VellixText.scaled(VellixText.kAscender + VellixText.kDescender, size) / 64);
    },

    // A character's advance in whole pixels, as hinting rounds it. Its advance in the font's units is
    // measured once, at half a pixel a unit, where the browser's rounding cannot touch it (Firefox
    // draws no font larger than 2000 pixels).
    advance: function (character, size) {
      if (!(character in VellixText.units)) {
        var context = VellixText.scratch();
        context.font = VellixText.font(VellixText.kUnitsPerEm / 2);
        VellixText.units[character] = Math.round(2 * context.measureText(character).width);
      }
      return Math.floor((VellixText.scaled(VellixText.units[character], size) + 32) / 64);
    },

    // Where each character of the line starts, and the line's width: the sum of the advances, or
    // more where the last character's ink runs past its advance.
    layout: function (text, size) {
      var characters = Array.from(text), starts = [], x = 0;
      for (var i = 0; i < characters.length; ++i) {
        starts.push(x);
        x += VellixText.advance(characters[i], size);
      }
      var width = x;
      if (characters.length > 0) {
        var context = VellixText.scratch();
        context.font = VellixText.font(size);
        var last = characters.length - 1;
        var ink = context.measureText(characters[last]).actualBoundingBoxRight;
        width = Math.max(width, starts[last] + Math.ceil(ink));
      }
      return { characters: characters, starts: starts, width: width };
    },
  },

  vellix_text_line_height__deps: ['$VellixText'],
  vellix_text_line_height: function (size) { return VellixText.lineHeight(size); },

  vellix_text_width__deps: ['$VellixText'],
  vellix_text_width: function (text, size) { return VellixText.layout(UTF8ToString(text), size).width; },

  vellix_text_draw__deps: ['$VellixText'],
  vellix_text_draw: function (text, size, width, height, coverage) {
    var line = VellixText.layout(UTF8ToString(text), size);
    var context = VellixText.scratch();
    var canvas = context.canvas;
    if (canvas.width < width || canvas.height < height) {
      canvas.width = Math.max(canvas.width, width);
      canvas.height = Math.max(canvas.height, height);
    }
    context.font = VellixText.font(size);  // after a change of size, which forgets the font
    context.clearRect(0, 0, width, height);
    context.fillStyle = '#fff';
    var baseline = VellixText.ascent(size);
    for (var i = 0; i < line.characters.length; ++i) context.fillText(line.characters[i], line.starts[i], baseline);
    var pixels = context.getImageData(0, 0, width, height).data;
    for (var p = 0; p < width * height; ++p) HEAPU8[coverage + p] = pixels[4 * p + 3];
  },
});
