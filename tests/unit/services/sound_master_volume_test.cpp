// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

#include "platform/backends.hpp"
#include "platform/platform_layer.hpp"
#include "services/sound.hpp"
#include "support/recording_audio.hpp"

using namespace tiefschacht;

namespace {

TEST(MasterVolume, HundredthsOfADecibelBecomeAGain) {
    EXPECT_FLOAT_EQ(gainForVolume(0), 1.0f);
    EXPECT_NEAR(gainForVolume(-600), 0.501187f, 1e-5f);  // 6 dB quieter: half the amplitude
    EXPECT_NEAR(gainForVolume(-2000), 0.1f, 1e-6f);
    EXPECT_NEAR(gainForVolume(-10), std::pow(10.0f, -0.005f), 1e-6f);
    // The ends of the range: unity above 0 dB, -100 dB still sounds, silence below.
    EXPECT_FLOAT_EQ(gainForVolume(600), 1.0f);
    EXPECT_FLOAT_EQ(gainForVolume(std::numeric_limits<int32_t>::max()), 1.0f);
    EXPECT_NEAR(gainForVolume(-10000), 1e-5f, 1e-9f);
    EXPECT_GT(gainForVolume(-10000), 0.0f);
    EXPECT_EQ(gainForVolume(-10001), 0.0f);
    EXPECT_EQ(gainForVolume(std::numeric_limits<int32_t>::min()), 0.0f);
}

TEST(MasterVolume, TheGainGoesToTheOutput) {
    auto probe = std::make_unique<testsupport::RecordingAudio>();
    testsupport::RecordingAudio* out = probe.get();
    platformLayer.audio = std::move(probe);
    sound = SoundSystem{};
    initSound();
    setMasterVolume(-600);
    EXPECT_NEAR(out->gain, 0.501187f, 1e-5f);
    setMasterVolume(5000);
    EXPECT_FLOAT_EQ(out->gain, 1.0f);
    setMasterVolume(-20000);
    EXPECT_EQ(out->gain, 0.0f);
    releaseSound();
    platformLayer = PlatformLayer{};
}

}  // namespace
