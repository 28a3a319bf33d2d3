// The game's short effects, each a mono one-shot that starts and ends in silence.
#include "assetgen/sound_synth.h"

namespace synth {

namespace {

// Frames over which a note cut short fades out.
constexpr int32_t TAIL = RATE / 50;

// A struck bell or chime: inharmonic partials, each with its own decay.
void chime(Track& track, double at, double hz, double gain, double length, double brightness) {
    static const double ratio[5] = {1.0, 2.0, 2.76, 5.4, 8.93};
    static const double weight[5] = {1.0, 0.25, 0.5, 0.22, 0.1};
    static const double decay[5] = {0.9, 0.6, 0.45, 0.22, 0.12};
    const int32_t start = frames(at);
    const int32_t count = frames(length);
    for (int32_t i = 0; i < count; ++i) {
        double t = static_cast<double>(i) / RATE;
        double value = 0.0;
        for (int32_t p = 0; p < 5; ++p) {
            if (hz * ratio[p] > 11000.0) break;  // keep the chime sweet and far from aliasing
            double w = p == 0 ? weight[p] : weight[p] * brightness;
            value +=
                w * pluck_envelope(t, 0.002, decay[p] * length / 1.5) * sine(hz * ratio[p] * t);
        }
        track.add_mono(start + i, gain * value * tail_fade(i, count, TAIL));
    }
}

// A bright, brassy note: harmonics falling as 1/n, the upper ones fading faster.
void horn(Track& track, double at, double hz, double gain, double decay, double length) {
    const int32_t start = frames(at);
    const int32_t count = frames(length);
    double phase = 0.0;  // in cycles of the fundamental
    for (int32_t i = 0; i < count; ++i) {
        double t = static_cast<double>(i) / RATE;
        // A slight vibrato that grows in as the note settles.
        phase += hz * (1.0 + 0.004 * sine(5.5 * t) * (1.0 - exp_of(-t / 0.2))) / RATE;
        double value = 0.0;
        for (int32_t h = 1; h <= 7; ++h) {
            value += pluck_envelope(t, 0.012, decay / h) / h * sine(phase * h);
        }
        track.add_mono(start + i, gain * value * tail_fade(i, count, TAIL));
    }
}

}  // namespace

// A soft wooden tock for a screen switch.
Track click_sound() {
    Track track(1, frames(0.08), false);
    Noise noise(0x5EED0101u);
    BandPass band;
    for (int32_t i = 0; i < track.length; ++i) {
        double t = static_cast<double>(i) / RATE;
        double hz = 820.0 + 120.0 * exp_of(-t / 0.01);
        double body = sine(hz * t) * pluck_envelope(t, 0.0008, 0.014);
        double overtone = 0.3 * sine(2.35 * hz * t) * pluck_envelope(t, 0.0005, 0.006);
        double grain =
            0.35 * band.run(noise.next(), 3200.0, 0.5) * pluck_envelope(t, 0.0003, 0.003);
        track.add_mono(i, body + overtone + grain);
    }
    finish_effect(track, 0.01);
    normalise(track, -10.0);
    return track;
}

// A stone scraping across stone into the gap.
Track slide_sound() {
    Track track(1, frames(0.22), false);
    Noise noise(0x5EED0201u);
    Noise grains(0x5EED0202u);
    BandPass low_band;
    BandPass grit_band;
    LowPass roughness;
    LowPass smooth_a;
    LowPass smooth_b;
    double grain = 1.0;
    const int32_t grain_frames = frames(0.006);
    for (int32_t i = 0; i < track.length; ++i) {
        double t = static_cast<double>(i) / RATE;
        if (i % grain_frames == 0) grain = 0.55 + 0.45 * (0.5 + 0.5 * grains.next());
        double rough = roughness.run(grain, 140.0);
        double centre = 500.0 + 450.0 * exp_of(-t / 0.08);
        double n = noise.next();
        double scrape = low_band.run(n, centre, 0.45) + 0.3 * grit_band.run(n, 2200.0, 0.6);
        scrape = smooth_b.run(smooth_a.run(scrape, 3000.0), 3000.0);
        double envelope = swell_envelope(t, 0.025, 0.12, 0.07);
        track.add_mono(i, scrape * rough * envelope);
    }
    finish_effect(track, 0.01);
    normalise(track, -9.0);
    return track;
}

// Stone hitting stone: a low thud under a hard clack.
Track strike_sound() {
    Track track(1, frames(0.35), false);
    Noise noise(0x5EED0301u);
    BandPass band;
    double phase = 0.0;
    for (int32_t i = 0; i < track.length; ++i) {
        double t = static_cast<double>(i) / RATE;
        phase += (70.0 + 80.0 * exp_of(-t / 0.03)) / RATE;
        double thud = 0.8 * sine(phase) * pluck_envelope(t, 0.002, 0.07);
        double clack = 0.5 * sine(1850.0 * t) * pluck_envelope(t, 0.0005, 0.035) +
                       0.35 * sine(2960.0 * t) * pluck_envelope(t, 0.0005, 0.025) +
                       0.25 * sine(4120.0 * t) * pluck_envelope(t, 0.0005, 0.018);
        double crack = 0.6 * band.run(noise.next(), 3500.0, 0.6) * pluck_envelope(t, 0.0003, 0.008);
        track.add_mono(i, thud + clack + crack);
    }
    finish_effect(track, 0.02);
    normalise(track, -5.0);
    return track;
}

// A short, high clock tick.
Track tick_sound() {
    Track track(1, frames(0.05), false);
    Noise noise(0x5EED0401u);
    BandPass band;
    for (int32_t i = 0; i < track.length; ++i) {
        double t = static_cast<double>(i) / RATE;
        double ping = sine(2800.0 * t) * pluck_envelope(t, 0.0003, 0.004) +
                      0.5 * sine(4300.0 * t) * pluck_envelope(t, 0.0003, 0.003);
        double body = 0.4 * sine(1400.0 * t) * pluck_envelope(t, 0.0005, 0.008);
        double grain = 0.4 * band.run(noise.next(), 5000.0, 0.5) * pluck_envelope(t, 0.0002, 0.002);
        track.add_mono(i, ping + body + grain);
    }
    finish_effect(track, 0.008);
    normalise(track, -9.0);
    return track;
}

// A whole row landing on the board: a heavy thump and a settling rumble.
Track push_sound() {
    Track track(1, frames(0.8), false);
    Noise noise(0x5EED0501u);
    LowPass rumble_a;
    LowPass rumble_b;
    BandPass clatter;
    double phase = 0.0;
    for (int32_t i = 0; i < track.length; ++i) {
        double t = static_cast<double>(i) / RATE;
        phase += (45.0 + 45.0 * exp_of(-t / 0.06)) / RATE;
        double thump = sine(phase) * pluck_envelope(t, 0.003, 0.22);
        double n = noise.next();
        double rumble =
            3.0 * rumble_b.run(rumble_a.run(n, 160.0), 160.0) * pluck_envelope(t, 0.005, 0.3);
        double rattle = 0.2 * clatter.run(n, 1200.0, 0.4) * pluck_envelope(t, 0.001, 0.04);
        track.add_mono(i, thump + rumble + rattle);
    }
    finish_effect(track, 0.05);
    normalise(track, -4.0);
    return track;
}

// A bright chime for a completed row.
Track clear_sound() {
    Track track(1, frames(1.3), false);
    chime(track, 0.0, note_hz(86), 0.5, 1.25, 1.0);    // D6
    chime(track, 0.06, note_hz(93), 0.4, 1.2, 0.9);    // A6
    chime(track, 0.12, note_hz(98), 0.22, 1.1, 0.7);   // D7
    chime(track, 0.18, note_hz(100), 0.15, 1.0, 0.6);  // E7
    finish_effect(track, 0.1);
    normalise(track, -6.0);
    return track;
}

// A rising fanfare for a new level: D, A, D, F sharp, A, then the chord rings.
Track level_sound() {
    Track track(1, frames(1.5), false);
    static const int32_t notes[5] = {62, 69, 74, 78, 81};
    for (int32_t n = 0; n < 5; ++n) {
        double at = 0.09 * n;
        double decay = n == 4 ? 0.9 : 0.5;
        horn(track, at, note_hz(notes[n]), n == 4 ? 0.32 : 0.24, decay, 1.5 - at);
    }
    finish_effect(track, 0.12);
    normalise(track, -6.0);
    return track;
}

// A single soft bell.
Track bell_sound() {
    Track track(1, frames(1.6), false);
    chime(track, 0.0, note_hz(76), 0.6, 1.55, 0.6);  // E5
    finish_effect(track, 0.15);
    normalise(track, -9.0);
    return track;
}

}  // namespace synth
