// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "effects.hpp"

namespace tiefschacht {

namespace synth {
namespace {

// Adds a tone with a pitch glide from f0 to f1 (Hz) and an envelope.
template <typename Wave, typename Envelope>
void tone(Buffer& b, double start, double length, double f0, double f1, double gain, Wave wave,
          Envelope env) {
    const int s0 = samplesOf(start), n = samplesOf(length);
    if (b.size() < size_t(s0 + n)) b.resize(s0 + n, 0.0f);
    double phase = 0;
    for (int i = 0; i < n; ++i) {
        const double t = i / double(sampleRate);
        const double f = f0 + (f1 - f0) * (i / double(n));
        phase += f / sampleRate;
        b[s0 + i] += static_cast<float>(gain * wave(phase) * env(t));
    }
}

// Adds filtered noise with an envelope.
template <typename Envelope>
void noise(Buffer& b, double start, double length, double cutoff, double gain, uint32_t seed,
           Envelope env) {
    const int s0 = samplesOf(start), n = samplesOf(length);
    if (b.size() < size_t(s0 + n)) b.resize(s0 + n, 0.0f);
    Noise rnd(seed);
    LowPass lp(cutoff);
    for (int i = 0; i < n; ++i)
        b[s0 + i] += static_cast<float>(gain * lp(rnd.next()) * env(i / double(sampleRate)));
}

}  // namespace

Buffer coins() {
    Buffer b;
    auto bell = [](double t) { return attackDecay(t, 0.004, 0.12); };
    tone(
        b, 0.0, 0.35, 1318.5, 1318.5, 0.6,
        [](double p) { return 0.7 * sine(p) + 0.3 * triangle(2 * p); }, bell);
    tone(
        b, 0.09, 0.5, 1975.5, 1975.5, 0.6,
        [](double p) { return 0.7 * sine(p) + 0.3 * triangle(2 * p); },
        [](double t) { return attackDecay(t, 0.004, 0.18); });
    finish(b, 0.8);
    return b;
}

Buffer door() {
    Buffer b;
    // The creak: a rough saw whose pitch wobbles as the hinge turns.
    const int n = samplesOf(0.55);
    b.resize(samplesOf(0.9), 0.0f);
    double phase = 0;
    LowPass lp(1400);
    for (int i = 0; i < n; ++i) {
        const double t = i / double(sampleRate);
        const double f = 180 + 90 * std::sin(2 * pi * 3.1 * t) + 40 * std::sin(2 * pi * 17 * t);
        phase += f / sampleRate;
        b[i] += static_cast<float>(0.5 * lp(saw(phase)) * window(t, 0.55));
    }
    // The thud as it swings against the frame.
    tone(b, 0.55, 0.3, 110, 55, 0.9, sine, [](double t) { return attackDecay(t, 0.003, 0.07); });
    noise(b, 0.55, 0.12, 600, 0.6, 3, [](double t) { return attackDecay(t, 0.002, 0.03); });
    finish(b, 0.8);
    return b;
}

Buffer gate() {
    Buffer b;
    // Stone grinding over stone: rumbling noise that swells and ebbs.
    noise(b, 0.0, 0.9, 350, 1.0, 11,
          [](double t) { return window(t, 0.9) * (0.7 + 0.3 * std::sin(2 * pi * 9 * t)); });
    tone(b, 0.0, 0.9, 55, 48, 0.35, triangle, [](double t) { return window(t, 0.9); });
    // The knock as it comes to rest.
    tone(b, 0.88, 0.25, 420, 300, 0.9, sine, [](double t) { return attackDecay(t, 0.002, 0.04); });
    noise(b, 0.88, 0.08, 2500, 0.5, 12, [](double t) { return attackDecay(t, 0.001, 0.015); });
    finish(b, 0.8);
    return b;
}

Buffer drip() {
    Buffer b;
    tone(b, 0.0, 0.12, 700, 1500, 0.9, sine, [](double t) { return attackDecay(t, 0.002, 0.03); });
    echo(b, 0.11, 0.3, 3);
    finish(b, 0.7);
    return b;
}

Buffer splash() {
    Buffer b;
    noise(b, 0.0, 0.4, 2200, 1.0, 21, [](double t) { return attackDecay(t, 0.01, 0.09); });
    // A few bubbles.
    for (int i = 0; i < 4; ++i) {
        const double at = 0.06 + i * 0.07;
        tone(b, at, 0.05, 500 + 180 * i, 900 + 200 * i, 0.25, sine,
             [](double t) { return window(t, 0.05); });
    }
    finish(b, 0.7);
    return b;
}

Buffer step() {
    Buffer b;
    noise(b, 0.0, 0.08, 900, 1.0, 31, [](double t) { return attackDecay(t, 0.003, 0.015); });
    tone(b, 0.0, 0.06, 140, 90, 0.5, sine, [](double t) { return attackDecay(t, 0.002, 0.015); });
    finish(b, 0.45);
    return b;
}

Buffer climb() {
    Buffer b;
    auto knock = [](double t) { return attackDecay(t, 0.001, 0.02); };
    tone(b, 0.0, 0.08, 330, 300, 0.8, triangle, knock);
    tone(b, 0.09, 0.08, 440, 400, 0.6, triangle, knock);
    noise(b, 0.0, 0.03, 3000, 0.3, 41, knock);
    finish(b, 0.5);
    return b;
}

Buffer death() {
    Buffer b;
    const int n = samplesOf(1.1);
    b.resize(n, 0.0f);
    double phase = 0;
    LowPass lp(2500);
    for (int i = 0; i < n; ++i) {
        const double t = i / double(sampleRate);
        const double f = 720 * std::pow(0.15, t / 1.1) * (1 + 0.03 * std::sin(2 * pi * 7 * t));
        phase += f / sampleRate;
        b[i] = static_cast<float>(0.6 * lp(square(phase)) * attackDecay(t, 0.01, 0.6) *
                                  window(t + 0.02, 1.14));
    }
    finish(b, 0.75);
    return b;
}

Buffer birdChirps() {
    Buffer b;
    for (int i = 0; i < 3; ++i) {
        tone(b, i * 0.13, 0.08, 2600, 4100, 0.7, sine, [](double t) { return window(t, 0.08); });
    }
    tone(b, 0.45, 0.16, 4200, 2900, 0.6, sine, [](double t) { return window(t, 0.16); });
    finish(b, 0.55);
    return b;
}

Buffer birdTrill() {
    Buffer b;
    for (int phrase = 0; phrase < 2; ++phrase) {
        const double start = phrase * 0.55;
        const int s0 = samplesOf(start), n = samplesOf(0.4);
        b.resize(s0 + n + samplesOf(0.1), 0.0f);
        double phase = 0;
        for (int i = 0; i < n; ++i) {
            const double t = i / double(sampleRate);
            const double f = (phrase ? 3300 : 3000) + 500 * std::sin(2 * pi * 22 * t);
            phase += f / sampleRate;
            b[s0 + i] += static_cast<float>(0.6 * sine(phase) * window(t, 0.4));
        }
    }
    finish(b, 0.5);
    return b;
}

Buffer owl() {
    Buffer b;
    auto hoot = [](double length) {
        return [length](double t) { return std::pow(window(t, length), 1.5); };
    };
    auto voice = [](double p) { return 0.85 * sine(p) + 0.15 * sine(2 * p); };
    tone(b, 0.0, 0.45, 380, 350, 0.8, voice, hoot(0.45));
    tone(b, 0.75, 0.22, 390, 370, 0.7, voice, hoot(0.22));
    tone(b, 1.02, 0.55, 380, 340, 0.8, voice, hoot(0.55));
    echo(b, 0.23, 0.35, 4);
    finish(b, 0.6);
    return b;
}

Buffer ghost() {
    Buffer b;
    const double length = 2.2;
    const int n = samplesOf(length);
    b.resize(n, 0.0f);
    double phase = 0;
    for (int i = 0; i < n; ++i) {
        const double t = i / double(sampleRate);
        const double f = 230 + 35 * std::sin(2 * pi * 0.7 * t) + 6 * std::sin(2 * pi * 5.5 * t);
        phase += f / sampleRate;
        const double v = sine(phase) + 0.35 * sine(2 * phase + 0.1) + 0.15 * sine(3 * phase);
        b[i] = static_cast<float>(0.4 * v * std::pow(window(t, length), 1.3));
    }
    echo(b, 0.3, 0.4, 4);
    finish(b, 0.55);
    return b;
}

Buffer vampire() {
    Buffer b;
    // "Ha - ha - ha": falling pulses of a low, buzzing voice.
    for (int i = 0; i < 5; ++i) {
        const double f = 150 - i * 12;
        tone(
            b, i * 0.2, 0.16, f, f * 0.92, 0.6,
            [](double p) { return 0.6 * saw(p) + 0.4 * sine(2 * p); },
            [](double t) { return window(t, 0.16); });
    }
    // A bat's screech to close.
    tone(b, 1.1, 0.25, 5200, 3800, 0.35, square, [](double t) { return window(t, 0.25); });
    echo(b, 0.18, 0.35, 4);
    Buffer filtered(b.size());
    LowPass lp(3200);
    for (size_t i = 0; i < b.size(); ++i) filtered[i] = static_cast<float>(lp(b[i]));
    finish(filtered, 0.65);
    return filtered;
}

}  // namespace synth

}  // namespace tiefschacht
