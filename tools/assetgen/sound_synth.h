// The small synthesiser behind the game's sounds: oscillators, envelopes, seeded
// noise and a sample track that wraps around, all in plain double arithmetic so
// that every run writes the same bytes.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

namespace synth {

constexpr int32_t RATE = 44100;

// Seconds to whole frames at RATE.
int32_t frames(double seconds);
// Frequency of a MIDI note number (69 = A4 = 440 Hz).
double note_hz(double note);
// Sine of a phase given in cycles (1.0 = one turn), from a fixed table.
double sine(double cycles);
// e^x from basic arithmetic only (the same result on every machine).
double exp_of(double x);
// Decibels to a linear gain.
double db_gain(double db);

// A seeded linear congruential generator: the only source of noise.
struct Noise {
    uint32_t state;
    explicit Noise(uint32_t seed) : state(seed) {}
    // Uniform in [-1, 1).
    double next();
};

// Two-pole resonant band-pass filter (state-variable form), tuned per sample.
struct BandPass {
    double low = 0.0;
    double band = 0.0;
    double run(double input, double hz, double damping);
};

// One-pole low-pass filter.
struct LowPass {
    double value = 0.0;
    double run(double input, double hz);
};

// A block of samples, interleaved by channel. Writing past the end wraps around
// to the start when `looped` is set, so a loop's tails ring into its beginning;
// otherwise writes past the end are dropped.
struct Track {
    int32_t channels;
    int32_t length;  // frames
    bool looped;
    std::vector<double> samples;
    Track(int32_t channel_count, int32_t frame_count, bool loop);
    void add(int32_t frame, double left, double right);
    void add_mono(int32_t frame, double value) { add(frame, value, value); }
};

// The pluck envelope below, one frame at a time: cheap enough for long notes.
struct Pluck {
    int32_t attack_frames;
    int32_t frame = 0;
    double level = 1.0;
    double factor;
    Pluck(double attack, double decay);
    double next();
};

// Linear attack, then exponential decay with the time constant `decay` seconds.
double pluck_envelope(double t, double attack, double decay);
// 1, falling smoothly to 0 over the last `fade` frames of a note `length` frames
// long, so that a note cut short ends without a click.
double tail_fade(int32_t i, int32_t length, int32_t fade);
// Smooth attack, flat hold, smooth release (raised-cosine edges); 0 outside.
double swell_envelope(double t, double attack, double hold, double release);

// Scales the track so that its highest peak sits at `peak_db` dBFS.
void normalise(Track& track, double peak_db);
// Removes any slow offset from a one-shot track (a gentle high-pass) and fades its
// last `fade` seconds to silence.
void finish_effect(Track& track, double fade);
// Writes the track as a canonical 44-byte-header 16-bit PCM WAV file into an
// open file, and closes it.
bool write_wav(FILE* file, const Track& track);

// The game's sounds.
Track music_track();
Track click_sound();
Track slide_sound();
Track strike_sound();
Track tick_sound();
Track push_sound();
Track clear_sound();
Track level_sound();
Track bell_sound();

}  // namespace synth
