// The page around the game: it fetches the game's data and a recording to watch, starts the
// game with the page's address as its options, shows what the game prints (its summary line,
// its one-line messages), and offers the recording of the game as a download. A recording chosen
// with the file picker is kept for the session and watched after the page loads again.
(function () {
  'use strict';

  var PICKED = 'murkvault-picked'; // sessionStorage: {name, url} of the recording chosen
  var params = new URLSearchParams(location.search);
  var canvas = document.getElementById('canvas');
  var overlay = document.getElementById('overlay');
  var message = document.getElementById('message');
  var status = document.getElementById('status');
  var recording = document.getElementById('recording');
  var download = document.getElementById('download');
  var picker = document.getElementById('picker');
  var printed = [];

  function setStatus(text) {
    status.textContent = text;
  }

  // A line the game printed: the last one stays on the page, every one in window.murkvaultOutput.
  function show(line) {
    printed.push(line);
    message.textContent = line;
  }

  // A failure that leaves nothing to play: said over the canvas as well.
  function fail(line) {
    show(line);
    overlay.textContent = printed.join('\n');
    overlay.classList.add('shown');
    setStatus('Nothing to play.');
  }

  function fetchBytes(url) {
    return fetch(url).then(function (response) {
      return response.ok ? response.arrayBuffer() : null;
    }).catch(function () {
      return null;
    });
  }

  function loadScript(src) {
    return new Promise(function (resolve, reject) {
      var script = document.createElement('script');
      script.src = src;
      script.onload = resolve;
      script.onerror = function () {
        reject(new Error(src + ' could not be loaded'));
      };
      document.body.appendChild(script);
    });
  }

  // The recording to watch: one chosen with the picker (kept in the session), or ?replay=NAME
  // served next to the page. Its file name in the game's memory is the name's last part.
  function recordingToWatch() {
    if (params.has('picked')) {
      var kept = JSON.parse(sessionStorage.getItem(PICKED) || 'null');
      if (!kept) return Promise.resolve(null);
      return fetchBytes(kept.url).then(function (bytes) {
        return {name: kept.name, bytes: bytes || new ArrayBuffer(0)};
      });
    }
    if (!params.get('replay')) return Promise.resolve(null);
    var name = params.get('replay');
    return fetchBytes(name).then(function (bytes) {
      // A recording that is not there is not written: the game says so as the desktop does.
      return {name: name, bytes: bytes};
    });
  }

  // The game's options: the address's, with a picked recording as ?replay=.
  function gameQuery(watched) {
    var query = new URLSearchParams(location.search);
    query.delete('picked');
    if (watched) query.set('replay', watched.name.split('/').pop());
    return '?' + query.toString();
  }

  picker.addEventListener('change', function () {
    var file = picker.files[0];
    if (!file) return;
    var reader = new FileReader();
    reader.onload = function () {
      try {
        sessionStorage.setItem(PICKED, JSON.stringify({name: file.name, url: reader.result}));
      } catch (e) {
        show('murkvault: ' + file.name + ': too large to be watched in the page');
        return;
      }
      var query = new URLSearchParams(location.search);
      query.delete('replay');
      query.delete('seed');
      query.set('picked', file.name);
      location.search = '?' + query.toString();
    };
    reader.readAsDataURL(file);
  });

  // The recording so far, saved as a file; the line beside the link is what it replays to.
  download.addEventListener('click', function (event) {
    var text = window.Module && Module.calledRun ? Module.ccall('murkvault_recording', 'string') : '';
    if (!text) {
      event.preventDefault();
      recording.textContent = params.get('replay') || params.has('picked')
          ? 'A recording being watched is not recorded again.' : 'Nothing is recorded yet.';
      return;
    }
    var seed = (text.split('\n')[1] || '').replace('seed ', '');
    if (download.href.indexOf('blob:') === 0) URL.revokeObjectURL(download.href);
    download.href = URL.createObjectURL(new Blob([text], {type: 'text/plain'}));
    download.download = 'murkvault-' + seed + '.rpl';
    recording.textContent = 'It replays to: ' + Module.ccall('murkvault_summary', 'string');
  });

  canvas.addEventListener('mousedown', function () {
    canvas.focus();
  });
  canvas.addEventListener('blur', function () {
    if (window.Module && Module.ksPlaying) setStatus('Click the game to go on playing.');
  });
  canvas.addEventListener('focus', function () {
    if (window.Module && Module.ksPlaying) setStatus('Playing.');
  });

  window.murkvaultOutput = printed;
  var Module = window.Module = {
    canvas: canvas,
    arguments: [],
    // The game prints one line on its standard output: its summary, when it has ended.
    print: function (line) {
      show(line);
      Module.ksEnded = true;
      Module.ksPlaying = false;
      setStatus('The game has ended. Load the page again for a new one.');
    },
    printErr: function (line) {
      show(line);
      console.warn(line);
      // Without its data the game runs, but has nothing to show: what it says goes over it.
      if (Module.ksDataMissing) {
        overlay.textContent = printed.join('\n');
        overlay.classList.add('shown');
      }
    },
    preRun: [],
    onAbort: function (what) {
      fail('murkvault: the game stopped: ' + what);
    },
    onRuntimeInitialized: function () {
      canvas.focus();
    },
    // main() has returned: with the game running in the browser's frames, or at once after
    // printing why it could not start.
    postRun: function () {
      if (!Module.ccall('ks_web_loop_started', 'number')) {
        fail(printed.length ? printed[printed.length - 1] : 'murkvault: the game did not start');
        return;
      }
      Module.ksPlaying = !Module.ksEnded;
      if (Module.ksPlaying) setStatus(Module.ksWatching ? 'Watching ' + Module.ksWatching + '.'
                                                        : 'Playing.');
    },
  };

  Promise.all([fetchBytes('murkvault.data'), recordingToWatch()]).then(function (fetched) {
    var data = fetched[0], watched = fetched[1];
    Module.arguments = [gameQuery(watched)];
    Module.preRun.push(function () {
      if (watched && watched.bytes) Module.FS.writeFile(watched.name.split('/').pop(),
                                                        new Uint8Array(watched.bytes));
    });
    if (watched) Module.ksWatching = watched.name;
    var ready = Promise.resolve();
    if (data) {
      Module.getPreloadedPackage = function () {
        return data;
      };
      ready = loadScript('murkvault-data.js');
    } else {
      // The game still starts, and says what it is missing, as on the desktop.
      Module.ksDataMissing = true;
    }
    return ready.then(function () {
      return loadScript('murkvault.js');
    });
  }).catch(function (error) {
    fail('murkvault: ' + error.message);
  });
})();
