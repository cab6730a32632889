// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "title_music.hpp"

#include <algorithm>
#include <array>

namespace tiefschacht {

namespace synth {
namespace {

constexpr double beat = 0.6;  // 100 beats a minute
constexpr int bars = 14;      // 14 bars of 4 beats: 33.6 seconds

// MIDI note number to frequency.
double hz(int note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }

struct Note {
    double start;   // in beats
    double length;  // in beats
    int pitch;      // MIDI note
};

// Adds a note whose tail may run past the end of the loop: the overhang is
// wrapped round to the start, so the last bar flows into the first without
// a click (the loop is rendered as a circle).
template <typename Wave>
void addNote(Buffer& loop, const Note& n, double gain, double attack, double release, Wave wave) {
    const double f = hz(n.pitch);
    const int start = samplesOf(n.start * beat);
    const double held = n.length * beat;
    const int count = samplesOf(held + release);
    for (int i = 0; i < count; ++i) {
        const double t = i / double(sampleRate);
        double env = t < attack ? t / attack : 1.0;
        if (t > held) env *= std::exp(-(t - held) / (release / 5));
        loop[(start + i) % loop.size()] += static_cast<float>(gain * env * wave(f * t, t));
    }
}

}  // namespace

Buffer titleMusic() {
    Buffer loop(samplesOf(bars * 4 * beat), 0.0f);
    // A minor: the bass walks A - F - D - E, two bars each, with a turn at the end.
    const std::array<int, bars> roots = {45, 45, 41, 41, 38, 38, 40, 40, 45, 45, 41, 43, 40, 40};
    for (int bar = 0; bar < bars; ++bar) {
        for (int b = 0; b < 4; ++b) {
            const int pitch = roots[bar] + (b == 2 ? 7 : 0);
            addNote(loop, {bar * 4.0 + b, 0.9, pitch}, 0.22, 0.01, 0.25,
                    [](double p, double) { return 0.7 * sine(p) + 0.3 * triangle(p); });
        }
        // A soft pad on the chord of the bar (root, minor or major third, fifth).
        const bool major = roots[bar] == 41 || roots[bar] == 43 || roots[bar] == 40;
        for (int interval : {12, major ? 16 : 15, 19}) {
            addNote(loop, {bar * 4.0, 3.8, roots[bar] + interval}, 0.05, 0.6, 0.8,
                    [](double p, double t) {
                        return sine(p) * (0.8 + 0.2 * std::sin(2 * pi * 0.5 * t));
                    });
        }
    }
    // The tune: slow, with a few chromatic steps that sound uneasy.
    const Note melody[] = {
        {0, 2, 69},  {2, 1, 72},  {3, 1, 71},  {4, 3, 69},  {7, 1, 68},  {8, 2, 65},  {10, 1, 69},
        {11, 1, 72}, {12, 4, 74}, {16, 2, 74}, {18, 1, 72}, {19, 1, 71}, {20, 2, 69}, {22, 2, 65},
        {24, 3, 64}, {27, 1, 68}, {28, 4, 71}, {32, 2, 76}, {34, 1, 74}, {35, 1, 72}, {36, 3, 71},
        {39, 1, 72}, {40, 2, 74}, {42, 1, 72}, {43, 1, 69}, {44, 2, 67}, {46, 2, 71}, {48, 2, 68},
        {50, 1, 69}, {51, 1, 71}, {52, 4, 69},
    };
    for (const Note& n : melody) {
        addNote(loop, n, 0.16, 0.03, 0.6, [](double p, double t) {
            const double vibrato = 0.004 * std::sin(2 * pi * 5 * t);
            return 0.75 * triangle(p * (1 + vibrato)) + 0.25 * sine(2 * p);
        });
    }
    // A cave echo, also wrapped round, so the loop stays seamless.
    Buffer wet = loop;
    const size_t delay = samplesOf(beat * 0.75);
    for (int pass = 0; pass < 3; ++pass) {
        Buffer next(loop.size());
        for (size_t i = 0; i < loop.size(); ++i)
            next[i] = wet[(i + loop.size() - delay) % loop.size()] * 0.35f;
        for (size_t i = 0; i < loop.size(); ++i) loop[i] += next[i];
        wet = next;
    }
    float loudest = 0;
    for (float s : loop) loudest = std::max(loudest, std::abs(s));
    for (float& s : loop) s = s * 0.7f / loudest;
    // Start the file on the gentlest rising zero crossing: the loop is a
    // circle, so turning it keeps the seam smooth, and both ends of the file
    // then lie at the crossing.
    size_t best = 0;
    float gentlest = 2.0f;
    for (size_t i = 1; i < loop.size(); ++i) {
        if (loop[i - 1] < 0 && loop[i] >= 0 && loop[i] - loop[i - 1] < gentlest) {
            gentlest = loop[i] - loop[i - 1];
            best = i;
        }
    }
    std::rotate(loop.begin(), loop.begin() + static_cast<long>(best), loop.end());
    return loop;
}

}  // namespace synth

}  // namespace tiefschacht
