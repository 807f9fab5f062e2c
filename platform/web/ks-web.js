// The browser's half of the web platform, linked in with --js-library: the canvas the cells are
// painted on (BrowserCanvas), and the sound device (BrowserAudio). The C++ half computes where
// every pixel goes; this half only paints and plays.

mergeInto(LibraryManager.library, {
  // The canvas: its 2D context, the font, and an atlas of the glyphs drawn so far.
  $KsCanvas: {
    canvas: null,
    context: null,
    glyphSize: 0,
    fontFamily: '',
    // 'loading', 'ready' (the game's font), or 'none' (no font: the glyphs stay empty, as on the
    // desktop without its font).
    fontState: 'none',
    // The glyph atlas: one tile per character and colour, drawn once, then copied.
    atlas: null,
    atlasContext: null,
    tiles: {},
    nextTile: 0,
    // The last frame, to be painted again when the font arrives.
    lastFrame: null,
    colors: ['#000000', '#ff0000', '#00ff00', '#0000ff', '#00ffff', '#ff00ff', '#ffff00',
             '#ffffff'],
    tileSize: function() { return 2 * KsCanvas.glyphSize; },

    resetAtlas: function() {
      var tile = KsCanvas.tileSize();
      KsCanvas.atlas = document.createElement('canvas');
      KsCanvas.atlas.width = tile * 64;
      KsCanvas.atlas.height = tile * 16;
      KsCanvas.atlasContext = KsCanvas.atlas.getContext('2d');
      KsCanvas.tiles = {};
      KsCanvas.nextTile = 0;
      KsCanvas.generation = (KsCanvas.generation || 0) + 1;
    },

    // The atlas tile of a character in a colour, drawn on first use: the glyph's origin a half
    // glyph size in from the tile's left edge, its baseline one and a half from the top, so that
    // glyphs reaching beyond their cell are whole.
    tile: function(ch, color) {
      var key = ch * 8 + color;
      var found = KsCanvas.tiles[key];
      if (found) return found;
      var size = KsCanvas.tileSize();
      if (KsCanvas.nextTile >= 64 * 16) KsCanvas.resetAtlas();
      var index = KsCanvas.nextTile++;
      var x = (index % 64) * size, y = Math.floor(index / 64) * size;
      var g = KsCanvas.atlasContext;
      g.font = 'bold ' + KsCanvas.glyphSize + 'px "' + KsCanvas.fontFamily + '"';
      g.textBaseline = 'alphabetic';
      g.fillStyle = KsCanvas.colors[color];
      g.fillText(String.fromCharCode(ch), x + KsCanvas.glyphSize / 2,
                 y + KsCanvas.glyphSize * 3 / 2);
      found = {x: x, y: y};
      KsCanvas.tiles[key] = found;
      return found;
    },

    // Draws the printable characters in every colour: copying from the atlas right after drawing
    // into it makes the browser copy the whole atlas, so it is drawn into before a frame, not
    // while one is painted.
    fillAtlas: function() {
      for (var ch = 33; ch < 127; ch++)
        for (var color = 0; color < 8; color++) KsCanvas.tile(ch, color);
    },

    // A frame: 8 numbers a cell (its background's left, top, right and bottom, its glyph's
    // origin x and baseline y, the character and the colour), painted in order on black.
    paint: function(cells) {
      var c = KsCanvas.context;
      var glyphs = KsCanvas.fontState === 'ready';
      var tiles, generation;
      do {
        // Again if the atlas filled up and started over meanwhile.
        generation = KsCanvas.generation;
        tiles = [];
        for (var i = 0; glyphs && i < cells.length; i += 8) {
          var color = cells[i + 7];
          tiles.push(cells[i + 6] === 32 ? null : KsCanvas.tile(cells[i + 6],
                                                                color >= 0 && color <= 7 ? color : 7));
        }
      } while (generation !== KsCanvas.generation);
      c.fillStyle = '#000000';
      c.fillRect(0, 0, KsCanvas.canvas.width, KsCanvas.canvas.height);
      var size = KsCanvas.tileSize(), half = KsCanvas.glyphSize / 2;
      var lift = KsCanvas.glyphSize * 3 / 2;
      for (var i = 0, n = 0; i < cells.length; i += 8, n++) {
        c.fillRect(cells[i], cells[i + 1], cells[i + 2] - cells[i], cells[i + 3] - cells[i + 1]);
        var t = glyphs && tiles[n];
        if (t) c.drawImage(KsCanvas.atlas, t.x, t.y, size, size, cells[i + 4] - half,
                           cells[i + 5] - lift, size, size);
      }
      if (glyphs && !Module['ksFirstFrameMs']) Module['ksFirstFrameMs'] = performance.now();
      Module['ksFramesPainted'] = (Module['ksFramesPainted'] || 0) + 1;
    },
  },

  // Sizes the page's canvas and loads the font from its file as a web font. 1, or 0 when the
  // file cannot be read (the screen works without glyphs, as the desktop's does).
  ks_web_canvas_open__deps: ['$KsCanvas'],
  ks_web_canvas_open: function(width, height, glyphSize, titlePtr, fontPtr) {
    var canvas = Module['canvas'] || document.getElementById('canvas');
    KsCanvas.canvas = canvas;
    canvas.width = width;
    canvas.height = height;
    KsCanvas.context = canvas.getContext('2d', {alpha: false});
    KsCanvas.glyphSize = glyphSize;
    KsCanvas.resetAtlas();
    var title = UTF8ToString(titlePtr);
    if (title) document.title = title;
    KsCanvas.fontState = 'none';
    var bytes = null;
    try {
      bytes = FS.readFile(UTF8ToString(fontPtr));
    } catch (e) {
      return 0;
    }
    if (!bytes.length) return 0;
    KsCanvas.fontFamily = 'ks-font-' + Date.now();
    KsCanvas.fontState = 'loading';
    var face = new FontFace(KsCanvas.fontFamily, bytes);
    face.load().then(function() {
      document.fonts.add(face);
      KsCanvas.fontState = 'ready';
    }, function(error) {
      console.warn('the game\'s font could not be used: ' + error);
      KsCanvas.fontState = 'none';
    }).then(function() {
      KsCanvas.resetAtlas();
      if (KsCanvas.fontState === 'ready') KsCanvas.fillAtlas();
      if (KsCanvas.lastFrame) KsCanvas.paint(KsCanvas.lastFrame);
    });
    return 1;
  },

  ks_web_canvas_paint__deps: ['$KsCanvas'],
  ks_web_canvas_paint: function(pointer, count) {
    var cells = HEAP32.subarray(pointer >> 2, (pointer >> 2) + count * 8);
    // Kept, for the repaint when the font arrives; copied only until then.
    KsCanvas.lastFrame = KsCanvas.fontState === 'loading' ? cells.slice() : null;
    KsCanvas.paint(cells);
  },

  ks_web_canvas_close__deps: ['$KsCanvas'],
  ks_web_canvas_close: function() {
    KsCanvas.lastFrame = null;
  },

  // The sound device: voices made of the engine's decoded samples, played through Web Audio.
  // Browsers allow sound only after the page has been used: the audio context is made at the
  // first key press or click, and what the game plays before that is not heard.
  $KsAudio: {
    context: null,
    voices: [],
    played: 0,

    unlock: function() {
      if (!KsAudio.context) {
        var Context = window.AudioContext || window.webkitAudioContext;
        if (!Context) return;
        KsAudio.context = new Context();
        Module['ksAudioContext'] = KsAudio.context;
      }
      if (KsAudio.context.state === 'suspended') KsAudio.context.resume();
    },

    halt: function(voice) {
      if (!voice.source) return;
      voice.source.onended = null;
      try {
        voice.source.stop();
      } catch (e) {
      }
      voice.source = null;
    },
  },

  ks_web_audio_open__deps: ['$KsAudio'],
  ks_web_audio_open: function() {
    if (KsAudio.listening) return;
    KsAudio.listening = true;
    ['keydown', 'mousedown', 'touchstart'].forEach(function(type) {
      window.addEventListener(type, KsAudio.unlock, true);
    });
  },

  // A voice over the samples (16 bits, the channels interleaved); its number.
  ks_web_voice_create__deps: ['$KsAudio'],
  ks_web_voice_create: function(pointer, count, channels, rate) {
    var frames = Math.floor(count / channels);
    var data = [];
    for (var c = 0; c < channels; c++) {
      var channel = new Float32Array(frames);
      for (var f = 0; f < frames; f++) channel[f] = HEAP16[(pointer >> 1) + f * channels + c] / 32768;
      data.push(channel);
    }
    KsAudio.voices.push({data: data, rate: rate, buffer: null, source: null, startedAt: 0,
                         pausedAt: 0, paused: false});
    return KsAudio.voices.length - 1;
  },

  ks_web_voice_play__deps: ['$KsAudio'],
  ks_web_voice_play: function(id, loop) {
    var voice = KsAudio.voices[id];
    var context = KsAudio.context;
    if (!voice || !context || context.state !== 'running' || !voice.data[0].length) return;
    if (!voice.buffer) {
      voice.buffer = context.createBuffer(voice.data.length, voice.data[0].length, voice.rate);
      for (var c = 0; c < voice.data.length; c++) voice.buffer.copyToChannel(voice.data[c], c);
    }
    var offset = voice.paused ? voice.pausedAt : 0;
    KsAudio.halt(voice);
    var source = context.createBufferSource();
    source.buffer = voice.buffer;
    source.loop = !!loop;
    source.connect(context.destination);
    source.onended = function() {
      if (voice.source === source) voice.source = null;
    };
    source.start(0, offset);
    voice.source = source;
    voice.startedAt = context.currentTime - offset;
    voice.paused = false;
    KsAudio.played++;
    Module['ksSoundsPlayed'] = KsAudio.played;
  },

  ks_web_voice_stop__deps: ['$KsAudio'],
  ks_web_voice_stop: function(id) {
    var voice = KsAudio.voices[id];
    if (!voice) return;
    KsAudio.halt(voice);
    voice.paused = false;
  },

  ks_web_voice_pause__deps: ['$KsAudio'],
  ks_web_voice_pause: function(id) {
    var voice = KsAudio.voices[id];
    if (!voice || !voice.source) return;
    var duration = voice.buffer.duration;
    voice.pausedAt = duration > 0 ? (KsAudio.context.currentTime - voice.startedAt) % duration : 0;
    voice.paused = true;
    KsAudio.halt(voice);
  },

  ks_web_voice_free__deps: ['$KsAudio'],
  ks_web_voice_free: function(id) {
    var voice = KsAudio.voices[id];
    if (!voice) return;
    KsAudio.halt(voice);
    KsAudio.voices[id] = null;
  },
});
