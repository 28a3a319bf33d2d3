// Web Audio for the game's sound slots (web_audio.cpp), and the real sounds
// the worker makes in place of their stand-ins.
(function (cf) {
  "use strict";

  // Browsers let a page's sound start only with a gesture of the player's, and
  // making the audio context is slow the first time (the browser starts its
  // audio service): so it is made at the first gesture. Until then the sounds
  // keep their samples, and a looping sound (the music) waits to start.
  var Context = window.AudioContext || window.webkitAudioContext;
  var audio = null, audioOpened = false;
  var sounds = [null];

  // A sound: its format, its samples (a DataView, or the made sound it stands
  // in for), its Web Audio buffer once there is a context, its gain.
  function Sound(channels, rate, bits, size) {
    this.channels = channels;
    this.rate = rate;
    this.bits = bits;
    this.size = size;
    this.samples = null;
    this.standIn = -1;
    this.buffer = null;
    this.source = null;
    this.gain = null;
    this.volume = 1;
    this.waitingLoop = false;
  }

  function startAudio() {
    if (!audioOpened) return;
    if (!audio) {
      try {
        audio = new Context();
      } catch (e) {
        audioOpened = false;
        return;
      }
      sounds.forEach(function (s, handle) {
        if (s && s.waitingLoop) cf.audioPlay(handle, true);
      });
    }
    if (audio.state === "suspended") audio.resume().catch(function () {});
  }

  cf.audioOpen = function () {
    if (!Context) return false;
    audioOpened = true;
    ["pointerdown", "pointerup", "keydown", "touchend"].forEach(function (name) {
      window.addEventListener(name, startAudio, true);
    });
    return true;
  };

  cf.audioClose = function () {
    sounds.forEach(function (s) {
      if (s && s.source) s.source.stop();
    });
    sounds = [null];
    if (audio) audio.close().catch(function () {});
    audio = null;
    audioOpened = false;
  };

  cf.audioCreate = function (channels, rate, bits, size) {
    if (!audioOpened) return 0;
    sounds.push(new Sound(channels, rate, bits, size));
    return sounds.length - 1;
  };

  // 8- or 16-bit PCM bytes (interleaved, little-endian) as an audio buffer.
  function audioBuffer(channels, rate, bits, view) {
    var bytes = bits / 8, frames = Math.floor(view.byteLength / (bytes * channels));
    if (!audio || frames < 1) return null;
    var buffer;
    try {
      buffer = audio.createBuffer(channels, frames, rate);
    } catch (e) {
      return null;
    }
    for (var c = 0; c < channels; ++c) {
      var out = buffer.getChannelData(c);
      for (var i = 0; i < frames; ++i) {
        var at = (i * channels + c) * bytes;
        out[i] = bytes === 2 ? view.getInt16(at, true) / 32768 : (view.getUint8(at) - 128) / 128;
      }
    }
    return buffer;
  }

  // The real sounds, as the worker makes them: index -> {channels, rate, bits, view}.
  var made = {};

  // The sound's Web Audio buffer, made from its samples when first needed.
  function bufferOf(s) {
    if (!s.buffer && audio) {
      var m = s.standIn >= 0 ? made[s.standIn] : null;
      if (m) s.buffer = audioBuffer(m.channels, m.rate, m.bits, m.view);
      else if (s.samples) s.buffer = audioBuffer(s.channels, s.rate, s.bits, s.samples);
    }
    return s.buffer;
  }

  cf.audioFill = function (handle, pointer, size) {
    var s = sounds[handle];
    var bytes = s ? Math.min(size, s.size) : 0;
    if (!s || bytes < (s.bits / 8) * s.channels) return false;
    s.standIn = -1;
    s.buffer = null;
    s.samples = new DataView(HEAPU8.slice(pointer, pointer + bytes).buffer);
    return true;
  };

  cf.audioStandIn = function (handle, index) {
    var s = sounds[handle];
    if (!s) return false;
    s.standIn = index;
    s.samples = null;
    s.buffer = null;
    return true;
  };

  // A sound the worker made: its channels, rate, bits and samples (an ArrayBuffer).
  cf.soundMade = function (index, sound) {
    made[index] = { channels: sound.channels, rate: sound.rate, bits: sound.bits,
      view: new DataView(sound.samples) };
    sounds.forEach(function (s, handle) {
      if (s && s.standIn === index && s.waitingLoop) cf.audioPlay(handle, true);
    });
  };

  cf.audioPlay = function (handle, loop) {
    var s = sounds[handle];
    if (!s) return false;
    if (s.source) {
      s.source.stop();
      s.source = null;
    }
    // Before the first gesture, or while the sound is still being made, the
    // music waits to start; an effect then is missed, as it would sound late.
    var buffer = bufferOf(s);
    s.waitingLoop = loop && !buffer;
    if (!buffer) return s.samples !== null || s.standIn >= 0;
    if (audio.state !== "running" && !loop) return true;
    if (!s.gain) {
      s.gain = audio.createGain();
      s.gain.gain.value = s.volume;
      s.gain.connect(audio.destination);
    }
    var source = audio.createBufferSource();
    source.buffer = buffer;
    source.loop = loop;
    source.connect(s.gain);
    source.start();
    s.source = source;
    return true;
  };

  cf.audioGain = function (handle, gain) {
    var s = sounds[handle];
    if (!s) return false;
    s.volume = gain;
    if (s.gain) s.gain.gain.value = gain;
    return true;
  };

  // What the audio does, for tests: the context's state, whether a looping sound
  // (the music) plays, and how many sounds the worker has made.
  cf.audioState = function () {
    return { context: audio ? audio.state : "none", made: Object.keys(made).length,
      looping: sounds.some(function (s) { return s && s.source && s.source.loop; }) };
  };

  cf.audioRelease = function (handle) {
    var s = sounds[handle];
    if (!s) return;
    if (s.source) s.source.stop();
    if (s.gain) s.gain.disconnect();
    sounds[handle] = null;
  };
})((window.CF = window.CF || {}));
