// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A tiny synthesiser: oscillators, envelopes, noise, a low-pass filter and an
// echo, all writing into float buffers at one sample rate.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>
#include <vector>

namespace tiefschacht {

namespace synth {

constexpr int sampleRate = 22050;
constexpr double pi = std::numbers::pi;

using Buffer = std::vector<float>;

inline int samplesOf(double seconds) { return static_cast<int>(std::lround(seconds * sampleRate)); }

// Oscillators over a phase in cycles.
inline double sine(double phase) { return std::sin(2 * pi * phase); }
inline double triangle(double phase) {
    const double p = phase - std::floor(phase);
    return p < 0.5 ? 4 * p - 1 : 3 - 4 * p;
}
inline double square(double phase) { return phase - std::floor(phase) < 0.5 ? 1.0 : -1.0; }
inline double saw(double phase) { return 2 * (phase - std::floor(phase)) - 1; }

// Reproducible white noise in [-1, 1].
class Noise {
public:
    explicit Noise(uint32_t seed) : state_(seed ? seed : 1) {}
    double next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return (state_ & 0xFFFFFF) / double(0x800000) - 1.0;
    }

private:
    uint32_t state_;
};

// One-pole low-pass filter with a cut-off in Hz.
class LowPass {
public:
    explicit LowPass(double cutoff) { setCutoff(cutoff); }
    void setCutoff(double cutoff) { a_ = 1 - std::exp(-2 * pi * cutoff / sampleRate); }
    double operator()(double x) { return y_ += a_ * (x - y_); }

private:
    double a_ = 1, y_ = 0;
};

// Attack-decay envelope: rises linearly for `attack` seconds, then falls
// exponentially with the time constant `decay`.
inline double attackDecay(double t, double attack, double decay) {
    if (t < 0) return 0;
    if (t < attack) return t / attack;
    return std::exp(-(t - attack) / decay);
}

// A smooth fade-in/out window that is 0 at both ends.
inline double window(double t, double length) {
    if (t <= 0 || t >= length) return 0;
    return std::sin(pi * t / length);
}

// Adds a decaying echo (delay in seconds, feedback 0..1); the buffer grows to hold the tail.
inline void echo(Buffer& b, double delay, double feedback, int repeats) {
    const int d = samplesOf(delay);
    Buffer longer(b.size() + size_t(d) * repeats);
    std::copy(b.begin(), b.end(), longer.begin());
    b.swap(longer);
    for (size_t i = d; i < b.size(); ++i) b[i] += static_cast<float>(b[i - d] * feedback);
}

// Scales the buffer so its loudest sample is `peak` (of full scale) and
// makes the last samples fall smoothly to silence.
inline void finish(Buffer& b, double peak, double fadeSeconds = 0.01) {
    float loudest = 0;
    for (float s : b) loudest = std::max(loudest, std::abs(s));
    if (loudest > 0)
        for (float& s : b) s = static_cast<float>(s * peak / loudest);
    const int fade = std::min<int>(samplesOf(fadeSeconds), static_cast<int>(b.size()));
    for (int i = 0; i < fade; ++i) b[b.size() - 1 - i] *= static_cast<float>(i / double(fade));
}

// Writes 16-bit mono PCM. False when the file cannot be written.
bool writeWav(const std::string& path, const Buffer& samples);

}  // namespace synth

}  // namespace tiefschacht
