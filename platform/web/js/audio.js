// The four sound channels on Web Audio: each play is a new source of the channel's sound, and its
// end is an event of the page. The browser allows sound only after a gesture of the player, so the
// audio starts at the first one; until then, and until a channel's file has arrived and been
// decoded, a sound cannot start: the program drops it and frees its channel at once. A file that
// cannot be used (missing, or not a sound) leaves its channel silent and busy for good, as on the
// desktop, said once on the console; the other channels play on. A phone may stop the audio at any
// time (a call, another app): the next gesture starts it again, and its channels' sounds go on.
mergeInto(LibraryManager.library, {
  $VellixAudio__deps: ['$VellixPage'],
  $VellixAudio: {
    context: null,
    names: ['', '', '', ''],  // each channel's file
    files: [null, null, null, null],  // the bytes fetched, until decoded
    unusable: [false, false, false, false],  // a file that could not be fetched or decoded
    sounds: [null, null, null, null],  // decoded, ready to play
    playing: [0, 0, 0, 0],
    standingBy: false,
    // Counts for the page's tests: the plays started, ended and dropped on each channel.
    started: [0, 0, 0, 0],
    ended: [0, 0, 0, 0],
    dropped: [0, 0, 0, 0],

    // At a gesture of the player: the audio may start, or resume. iOS lets it start only at the end of
    // a touch or at a click, so every gesture's end calls here too.
    unlock: function () {
      if (!VellixAudio.context) {
        var AudioContext = window.AudioContext || window.webkitAudioContext;
        if (!AudioContext) return;
        VellixAudio.context = new AudioContext();
        for (var channel = 0; channel < 4; ++channel) VellixAudio.decode(channel);
      }
      VellixAudio.resume();
    },

    // The audio runs again, unless the game stands by: suspended by the browser's rules or by the game
    // itself, or interrupted by the system (WebKit's own state, for a call or another app).
    resume: function () {
      var context = VellixAudio.context;
      if (!context || VellixAudio.standingBy) return;
      if (context.state !== 'suspended' && context.state !== 'interrupted') return;
      var resuming = context.resume();
      if (resuming) resuming.catch(function () {});  // refused away from a gesture: the next gesture tries again
    },

    decode: function (channel) {
      var bytes = VellixAudio.files[channel];
      if (!VellixAudio.context || !bytes) return;
      VellixAudio.files[channel] = null;
      var decoding = VellixAudio.context.decodeAudioData(bytes, function (sound) {
        VellixAudio.sounds[channel] = sound;
      }, function (error) {
        VellixAudio.refuse(channel, (error && error.message) || 'not a sound');
      });
      // Where a promise comes back too, its rejection is the refusal just said, not an error of the page.
      if (decoding) decoding.catch(function () {});
    },

    refuse: function (channel, why) {
      VellixAudio.unusable[channel] = true;
      console.warn('vellix: no sound from ' + VellixAudio.names[channel] + ': ' + why);
    },

    // While standing by, the audio is suspended once nothing plays.
    quiet: function () {
      var context = VellixAudio.context;
      if (!VellixAudio.standingBy || !context || context.state !== 'running') return;
      if (VellixAudio.playing.every(function (n) { return n === 0; })) context.suspend();
    },

    report: function () {
      var state = VellixAudio.context ? VellixAudio.context.state : 'none';
      return { state: state, started: VellixAudio.started.slice(), ended: VellixAudio.ended.slice(),
               dropped: VellixAudio.dropped.slice(), playing: VellixAudio.playing.slice() };
    },
  },

  vellix_audio_open__deps: ['$VellixAudio'],
  vellix_audio_open: function (channel, url) {
    url = UTF8ToString(url);
    VellixAudio.names[channel] = url.split('/').pop();
    fetch(url).then(function (response) {
      if (!response.ok) throw new Error('HTTP ' + response.status);
      return response.arrayBuffer();
    }).then(function (bytes) {
      VellixAudio.files[channel] = bytes;
      VellixAudio.decode(channel);
    }, function (error) {
      VellixAudio.refuse(channel, error.message);
    });
  },

  vellix_audio_play__deps: ['$VellixAudio', '$VellixPage'],
  vellix_audio_play: function (channel) {
    if (VellixAudio.unusable[channel]) return -1;
    var context = VellixAudio.context, sound = VellixAudio.sounds[channel];
    if (!context || context.state !== 'running' || !sound) {
      ++VellixAudio.dropped[channel];
      return 0;
    }
    var source = context.createBufferSource();
    source.buffer = sound;
    source.connect(context.destination);
    source.onended = function () {
      --VellixAudio.playing[channel];
      ++VellixAudio.ended[channel];
      VellixPage.post(4, channel, 0, false);
      VellixAudio.quiet();
    };
    source.start();
    ++VellixAudio.playing[channel];
    ++VellixAudio.started[channel];
    return 1;
  },

  vellix_audio_stand_by__deps: ['$VellixAudio'],
  vellix_audio_stand_by: function () {
    VellixAudio.standingBy = true;
    VellixAudio.quiet();
  },

  vellix_audio_wake__deps: ['$VellixAudio'],
  vellix_audio_wake: function () {
    VellixAudio.standingBy = false;
    VellixAudio.resume();
  },
});
