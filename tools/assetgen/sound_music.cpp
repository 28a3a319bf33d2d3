// The looping music: eight bars at 72 beats a minute in D dorian. A soft pad and
// a gentle bass under a marimba-like arpeggio, a sparse bell tune and light
// percussion. Every voice is written into a track that wraps around, so the
// tails of the last bar ring on into the first and the loop has no seam.
#include "assetgen/sound_synth.h"

namespace synth {

namespace {

constexpr int32_t BEAT = RATE * 60 / 72;  // 36750 frames
constexpr int32_t BAR = 4 * BEAT;
constexpr int32_t BARS = 8;
// Frames over which a one-shot voice fades out at its end.
constexpr int32_t TAIL = RATE / 50;

struct Chord {
    int32_t pad[5];   // held notes (MIDI numbers)
    int32_t arp[5];   // arpeggio notes, low to high
    int32_t bass;     // root, beats 1 to 3
    int32_t passing;  // bass on beat 4
};

// Dm9, Cmaj9, G6/9, Am7, Dm9, Fmaj9, Em11, Asus4.
constexpr Chord CHORDS[BARS] = {
    {{50, 53, 57, 60, 64}, {62, 65, 69, 72, 76}, 38, 45},
    {{48, 52, 55, 59, 62}, {60, 64, 67, 71, 74}, 36, 43},
    {{50, 55, 59, 62, 69}, {62, 67, 69, 71, 74}, 43, 50},
    {{52, 55, 57, 60, 64}, {64, 67, 69, 72, 76}, 45, 52},
    {{50, 53, 57, 60, 64}, {62, 65, 69, 72, 76}, 38, 45},
    {{53, 57, 60, 64, 67}, {65, 69, 72, 76, 79}, 41, 48},
    {{52, 55, 59, 62, 69}, {64, 67, 71, 74, 76}, 40, 47},
    {{52, 57, 62, 64, 69}, {64, 69, 74, 76, 81}, 45, 48},
};

// Which arpeggio note each eighth of a bar plays.
constexpr int32_t ARP_OPENING[8] = {0, 2, 3, 4, 3, 2, 1, 2};
constexpr int32_t ARP_ANSWER[8] = {4, 3, 1, 2, 0, 2, 3, 1};
constexpr int32_t ARP_RISING[8] = {0, 1, 2, 3, 4, 3, 2, 1};

struct BellNote {
    int32_t bar;
    double beat;
    int32_t note;
};

constexpr BellNote TUNE[] = {
    {0, 0.0, 81}, {0, 2.5, 76}, {1, 0.0, 79}, {1, 1.5, 76}, {1, 3.0, 74}, {2, 0.0, 83},
    {2, 2.0, 81}, {3, 0.0, 76}, {4, 0.0, 81}, {4, 1.5, 84}, {4, 3.0, 81}, {5, 0.0, 79},
    {5, 2.0, 76}, {5, 2.5, 77}, {6, 0.0, 76}, {6, 1.0, 74}, {6, 2.0, 71}, {7, 2.0, 76},
};

int32_t at_beat(int32_t bar, double beat) {
    return bar * BAR + static_cast<int32_t>(beat * BEAT + 0.5);
}

// Equal-power pan: -1 left, 0 centre, 1 right.
void pan_gains(double pan, double* left, double* right) {
    double angle = (pan + 1.0) / 8.0;  // 0 .. a quarter turn
    *left = sine(0.25 + angle);
    *right = sine(angle);
}

void pad_note(Track& track, int32_t start, int32_t note, double pan, double gain) {
    const double attack = 0.9;
    const double hold = static_cast<double>(BAR) / RATE - attack;
    const double release = 1.4;
    const int32_t length = frames(attack + hold + release);
    const double hz = note_hz(note);
    const double detune = note_hz(note + 0.05) - hz;
    double left = 0.0;
    double right = 0.0;
    pan_gains(pan, &left, &right);
    for (int32_t i = 0; i < length; ++i) {
        double t = static_cast<double>(i) / RATE;
        double envelope = swell_envelope(t, attack, hold, release);
        // A slow breathing of the upper harmonics keeps the pad alive.
        double shimmer = 0.75 + 0.25 * sine(t * 0.3);
        double value = 0.0;
        for (int32_t h = 1; h <= 3; ++h) {
            double weight = (h == 1 ? 1.0 : shimmer) / (h * h);
            value += weight * (sine((hz - detune) * h * t) + sine((hz + detune) * h * t + 0.37));
        }
        value *= 0.5 * gain * envelope;
        track.add(start + i, value * left, value * right);
    }
}

void marimba_note(Track& track, int32_t start, int32_t note, double pan, double gain) {
    const int32_t length = frames(1.2);
    const double hz = note_hz(note);
    Pluck body(0.004, 0.38);
    Pluck overtone(0.002, 0.09);
    Pluck click(0.001, 0.03);
    double left = 0.0;
    double right = 0.0;
    pan_gains(pan, &left, &right);
    for (int32_t i = 0; i < length; ++i) {
        double t = static_cast<double>(i) / RATE;
        double value = body.next() * sine(hz * t) + 0.22 * overtone.next() * sine(hz * 3.98 * t) +
                       0.06 * click.next() * sine(hz * 9.6 * t);
        value *= gain * tail_fade(i, length, TAIL);
        track.add(start + i, value * left, value * right);
    }
}

void bell_note(Track& track, int32_t start, int32_t note, double pan, double gain) {
    static const double ratio[4] = {1.0, 2.76, 5.4, 8.93};
    static const double weight[4] = {1.0, 0.45, 0.2, 0.08};
    static const double decay[4] = {1.5, 0.7, 0.35, 0.2};
    const int32_t length = frames(3.0);
    const double hz = note_hz(note);
    Pluck partial[4] = {{0.003, decay[0]}, {0.003, decay[1]}, {0.003, decay[2]}, {0.003, decay[3]}};
    double left = 0.0;
    double right = 0.0;
    pan_gains(pan, &left, &right);
    for (int32_t i = 0; i < length; ++i) {
        double t = static_cast<double>(i) / RATE;
        double value = 0.0;
        for (int32_t p = 0; p < 4; ++p)
            value += weight[p] * partial[p].next() * sine(hz * ratio[p] * t);
        value *= gain * tail_fade(i, length, TAIL);
        track.add(start + i, value * left, value * right);
    }
}

void bass_note(Track& track, int32_t start, int32_t note, double beats, double gain) {
    const double attack = 0.03;
    const double hold = beats * BEAT / RATE - attack;
    const double release = 0.35;
    const int32_t length = frames(attack + hold + release);
    const double hz = note_hz(note);
    for (int32_t i = 0; i < length; ++i) {
        double t = static_cast<double>(i) / RATE;
        double envelope =
            swell_envelope(t, attack, hold, release) * (0.65 + 0.35 * exp_of(-t / 0.4));
        double value = sine(hz * t) + 0.22 * sine(2.0 * hz * t) + 0.07 * sine(3.0 * hz * t);
        value *= gain * envelope;
        track.add(start + i, value, value);
    }
}

void kick(Track& track, int32_t start, double gain) {
    const int32_t length = frames(0.45);
    double phase = 0.0;
    for (int32_t i = 0; i < length; ++i) {
        double t = static_cast<double>(i) / RATE;
        double hz = 48.0 + 62.0 * exp_of(-t / 0.035);
        phase += hz / RATE;
        double value =
            gain * pluck_envelope(t, 0.003, 0.11) * sine(phase) * tail_fade(i, length, TAIL);
        track.add(start + i, value, value);
    }
}

// A small stone knocked on stone: a damped ring and a grain of noise.
void knock(Track& track, int32_t start, Noise& noise, double pan, double gain) {
    const int32_t length = frames(0.12);
    BandPass band;
    LowPass soften;
    double left = 0.0;
    double right = 0.0;
    pan_gains(pan, &left, &right);
    for (int32_t i = 0; i < length; ++i) {
        double t = static_cast<double>(i) / RATE;
        double grain = soften.run(band.run(noise.next(), 2300.0, 0.35), 5000.0) *
                       pluck_envelope(t, 0.001, 0.012);
        double ring = 0.6 * sine(1650.0 * t) * pluck_envelope(t, 0.001, 0.02);
        double value = gain * (grain + ring) * tail_fade(i, length, TAIL);
        track.add(start + i, value * left, value * right);
    }
}

void shaker(Track& track, int32_t start, Noise& noise, double pan, double gain) {
    const int32_t length = frames(0.08);
    BandPass band;
    double left = 0.0;
    double right = 0.0;
    pan_gains(pan, &left, &right);
    for (int32_t i = 0; i < length; ++i) {
        double t = static_cast<double>(i) / RATE;
        double value = gain * band.run(noise.next(), 6500.0, 0.8) *
                       pluck_envelope(t, 0.006, 0.018) * tail_fade(i, length, TAIL);
        track.add(start + i, value * left, value * right);
    }
}

// Puts a melodic voice down with a quieter echo one beat later on the other side.
template <typename Voice>
void with_echo(Track& track, Voice voice, int32_t start, int32_t note, double pan, double gain) {
    voice(track, start, note, pan, gain);
    voice(track, start + BEAT, note, -pan, gain * 0.32);
    voice(track, start + 2 * BEAT, note, pan * 0.5, gain * 0.12);
}

}  // namespace

Track music_track() {
    Track track(2, BARS * BAR, true);
    Noise noise(0x5EED0001u);

    for (int32_t bar = 0; bar < BARS; ++bar) {
        const Chord& chord = CHORDS[bar];
        for (int32_t n = 0; n < 5; ++n) {
            pad_note(track, bar * BAR, chord.pad[n], -0.6 + 0.3 * n, 0.055);
        }
        bass_note(track, at_beat(bar, 0.0), chord.bass, 2.8, 0.30);
        bass_note(track, at_beat(bar, 3.0), chord.passing, 0.8, 0.20);

        const int32_t* pattern = bar < 4 ? ARP_OPENING : bar < 7 ? ARP_ANSWER : ARP_RISING;
        for (int32_t step = 0; step < 8; ++step) {
            double accent = step % 2 == 0 ? 1.0 : 0.75;
            double pan = step % 2 == 0 ? -0.35 : 0.35;
            with_echo(track, marimba_note, at_beat(bar, step * 0.5), chord.arp[pattern[step]], pan,
                      0.16 * accent);
        }

        kick(track, at_beat(bar, 0.0), 0.34);
        kick(track, at_beat(bar, 2.0), 0.2);
        knock(track, at_beat(bar, 1.0), noise, 0.3, 0.13);
        knock(track, at_beat(bar, 3.0), noise, 0.3, 0.13);
        if (bar >= 2) {
            for (int32_t step = 0; step < 4; ++step) {
                shaker(track, at_beat(bar, step + 0.5), noise, -0.5, step == 3 ? 0.05 : 0.035);
            }
        }
    }
    for (const BellNote& bell : TUNE) {
        with_echo(track, bell_note, at_beat(bell.bar, bell.beat), bell.note, 0.15, 0.11);
    }
    normalise(track, -6.0);
    return track;
}

}  // namespace synth
