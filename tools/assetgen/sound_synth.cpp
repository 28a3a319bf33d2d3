// Oscillators, envelopes, noise and filters for the sound synthesiser.
#include "assetgen/sound_synth.h"

#include <cmath>

namespace synth {

namespace {

constexpr double PI = 3.14159265358979323846;
constexpr double LN2 = 0.69314718055994530942;
constexpr int32_t SINE_SIZE = 8192;

// Sine by its Taylor series after folding into [-pi/2, pi/2]: basic arithmetic only.
double series_sine(double x) {
    if (x > PI / 2) x = PI - x;
    if (x < -PI / 2) x = -PI - x;
    double x2 = x * x;
    double term = x;
    double sum = x;
    for (int32_t n = 1; n < 12; ++n) {
        term = -term * x2 / static_cast<double>((2 * n) * (2 * n + 1));
        sum += term;
    }
    return sum;
}

struct SineTable {
    double values[SINE_SIZE + 1];
    SineTable() {
        for (int32_t i = 0; i <= SINE_SIZE; ++i) {
            double x = 2.0 * PI * static_cast<double>(i) / SINE_SIZE;
            values[i] = series_sine(x > PI ? x - 2.0 * PI : x);
        }
    }
};

// Built once before main; nothing calls sine() during static initialisation.
const SineTable sine_table;

}  // namespace

int32_t frames(double seconds) {
    return static_cast<int32_t>(std::floor(seconds * RATE + 0.5));
}

double exp_of(double x) {
    if (x < -700.0) return 0.0;
    // e^x = 2^k * e^r with |r| <= ln2 / 2, e^r by its series.
    double k = std::floor(x / LN2 + 0.5);
    double r = x - k * LN2;
    double term = 1.0;
    double sum = 1.0;
    static const double inverse[12] = {0.0,     1.0,     1.0 / 2, 1.0 / 3, 1.0 / 4,  1.0 / 5,
                                       1.0 / 6, 1.0 / 7, 1.0 / 8, 1.0 / 9, 1.0 / 10, 1.0 / 11};
    for (int32_t n = 1; n < 12; ++n) {
        term = term * r * inverse[n];
        sum += term;
    }
    return std::ldexp(sum, static_cast<int>(k));
}

double note_hz(double note) {
    return 440.0 * exp_of((note - 69.0) / 12.0 * LN2);
}

double db_gain(double db) {
    return exp_of(db / 20.0 * 2.30258509299404568402);
}

double sine(double cycles) {
    double turn = cycles - std::floor(cycles);
    double at = turn * SINE_SIZE;
    int32_t i = static_cast<int32_t>(at);
    if (i >= SINE_SIZE) i = SINE_SIZE - 1;
    double frac = at - i;
    const double* v = sine_table.values;
    return v[i] + (v[i + 1] - v[i]) * frac;
}

double Noise::next() {
    state = state * 1664525u + 1013904223u;
    return static_cast<double>(state >> 8) / 8388608.0 - 1.0;
}

double BandPass::run(double input, double hz, double damping) {
    double f = 2.0 * sine(hz / RATE / 2.0);
    low += f * band;
    double high = input - low - damping * band;
    band += f * high;
    return band;
}

double LowPass::run(double input, double hz) {
    double a = 1.0 - exp_of(-2.0 * PI * hz / RATE);
    value += a * (input - value);
    return value;
}

Track::Track(int32_t channel_count, int32_t frame_count, bool loop)
    : channels(channel_count),
      length(frame_count),
      looped(loop),
      samples(static_cast<size_t>(channel_count) * static_cast<size_t>(frame_count), 0.0) {}

void Track::add(int32_t frame, double left, double right) {
    if (length <= 0) return;
    if (looped) {
        frame %= length;
        if (frame < 0) frame += length;
    } else if (frame < 0 || frame >= length) {
        return;
    }
    size_t at = static_cast<size_t>(frame) * static_cast<size_t>(channels);
    if (channels == 1) {
        samples[at] += 0.5 * (left + right);
    } else {
        samples[at] += left;
        samples[at + 1] += right;
    }
}

double pluck_envelope(double t, double attack, double decay) {
    if (t < 0.0) return 0.0;
    if (t < attack) return t / attack;
    return exp_of(-(t - attack) / decay);
}

Pluck::Pluck(double attack, double decay)
    : attack_frames(frames(attack) > 0 ? frames(attack) : 1),
      factor(exp_of(-1.0 / (decay * RATE))) {}

double Pluck::next() {
    if (frame < attack_frames) return static_cast<double>(frame++) / attack_frames;
    double value = level;
    level *= factor;
    return value;
}

double tail_fade(int32_t i, int32_t length, int32_t fade) {
    int32_t left = length - i;
    if (left <= 0) return 0.0;
    if (left >= fade) return 1.0;
    return 0.5 - 0.5 * sine(0.25 + static_cast<double>(left) / fade / 2.0);
}

double swell_envelope(double t, double attack, double hold, double release) {
    if (t < 0.0) return 0.0;
    if (t < attack) return 0.5 - 0.5 * sine(0.25 + t / attack / 2.0);
    t -= attack;
    if (t < hold) return 1.0;
    t -= hold;
    if (t < release) return 0.5 + 0.5 * sine(0.25 + t / release / 2.0);
    return 0.0;
}

void normalise(Track& track, double peak_db) {
    double peak = 0.0;
    for (double s : track.samples) peak = std::fmax(peak, std::fabs(s));
    if (peak <= 0.0) return;
    double scale = db_gain(peak_db) / peak;
    for (double& s : track.samples) s *= scale;
}

void finish_effect(Track& track, double fade) {
    // A one-pole high-pass at about 15 Hz keeps the mean at zero.
    const double keep = exp_of(-2.0 * PI * 15.0 / RATE);
    for (int32_t c = 0; c < track.channels; ++c) {
        double last_in = 0.0;
        double last_out = 0.0;
        for (int32_t i = 0; i < track.length; ++i) {
            double& s = track.samples[static_cast<size_t>(i) * track.channels + c];
            double out = keep * (last_out + s - last_in);
            last_in = s;
            last_out = out;
            s = out;
        }
    }
    int32_t fade_frames = frames(fade);
    if (fade_frames > track.length) fade_frames = track.length;
    for (int32_t i = 0; i < fade_frames; ++i) {
        double gain = static_cast<double>(i) / fade_frames;
        int32_t frame = track.length - 1 - i;
        for (int32_t c = 0; c < track.channels; ++c) {
            track.samples[static_cast<size_t>(frame) * track.channels + c] *= gain;
        }
    }
}

}  // namespace synth
