// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Real mixes through SDL's disk audio driver, which writes the finished
// output (16-bit stereo at the mixer's rate, as the device asks for) to a
// file. The test sounds are made at that rate, so no resampling blurs them.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

#include "platform/backends.hpp"
#include "services/sound.hpp"
#include "support/test_wav.hpp"

using namespace tiefschacht;

namespace {

namespace fs = std::filesystem;

std::string tempPath(const std::string& leaf) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    // One name per process, so test runs side by side never share a file.
    return (fs::path(testing::TempDir()) /
            (std::string(info->name()) + "_" + std::to_string(::getpid()) + "_" + leaf))
        .string();
}

std::vector<int16_t> readOutput(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<int16_t> samples(bytes.size() / 2);
    for (size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<int16_t>(static_cast<uint8_t>(bytes[2 * i]) |
                                          static_cast<uint8_t>(bytes[2 * i + 1]) << 8);
    }
    return samples;
}

int peak(const std::vector<int16_t>& samples) {
    int most = 0;
    for (int16_t s : samples) most = std::max(most, std::abs(static_cast<int>(s)));
    return most;
}

// Waits until the disk driver has written `ms` milliseconds more output to
// `path`. The driver keeps real time, but a busy machine may hold its thread
// back, so the wait follows the file rather than the clock (up to 20 s).
void waitForOutput(const std::string& path, int ms) {
    constexpr uintmax_t bytesPerMs = sdlMixerRate * 2 * 2 / 1000;
    std::error_code ec;
    const uintmax_t start = fs::exists(path, ec) ? fs::file_size(path, ec) : 0;
    const uintmax_t goal = start + bytesPerMs * static_cast<uintmax_t>(ms);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline) {
        const uintmax_t size = fs::exists(path, ec) ? fs::file_size(path, ec) : 0;
        if (!ec && size >= goal) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ADD_FAILURE() << "the disk driver wrote too little to " << path;
}

using Wait = std::function<void(int)>;

// Opens the mixer on the disk driver, runs `play`, lets `ms` milliseconds of
// output be written and gives back everything that was.
std::vector<int16_t> mix(const std::string& name, const std::string& wav, int ms,
                         const std::function<void(AudioDevice&, AudioClip&, const Wait&)>& play) {
    const std::string out = tempPath(name + ".raw");
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", out.c_str(), 1);
    auto device = createSdlAudioDevice();
    EXPECT_TRUE(device->open());
    if (!device->isOpen()) return {};
    std::string error;
    auto clip = device->load(wav, error);
    EXPECT_TRUE(clip);
    const Wait wait = [&](int waitMs) { waitForOutput(out, waitMs); };
    if (clip) {
        play(*device, *clip, wait);
        wait(ms);
    }
    clip.reset();
    device->close();
    auto samples = readOutput(out);
    fs::remove(out);
    return samples;
}

TEST(SdlAudioMix, SixDecibelsDownIsHalfTheAmplitude) {
    const std::string wav = tempPath("steady.wav");
    writeTestWav(wav, steadyLevel(12000, sdlMixerRate / 5), sdlMixerRate);
    auto at = [&](const char* name, int32_t volume) {
        return peak(mix(name, wav, 400, [&](AudioDevice& device, AudioClip& clip, const Wait&) {
            device.setMasterGain(gainForVolume(volume));
            device.playEffect(clip, 0);
        }));
    };
    const int full = at("full", 0);
    const int lower = at("lower", -600);
    EXPECT_NEAR(full, 12000, 2);
    ASSERT_GT(full, 0);
    EXPECT_NEAR(static_cast<double>(lower) / full, 0.5012, 0.005);
    fs::remove(wav);
}

TEST(SdlAudioMix, EffectsOnOneChannelOverlapAndAreNeverDropped) {
    const std::string wav = tempPath("steady.wav");
    writeTestWav(wav, steadyLevel(1000, sdlMixerRate / 2), sdlMixerRate);
    // More effects at once than the mixer starts with voices, all on one
    // game channel: every one of them sounds, added together.
    const auto samples =
        mix("many", wav, 700, [](AudioDevice& device, AudioClip& clip, const Wait&) {
            for (int i = 0; i < 24; ++i) device.playEffect(clip, 0);
        });
    EXPECT_EQ(peak(samples), 24000);
    fs::remove(wav);
}

TEST(SdlAudioMix, MusicLoopsWithoutAGapUntilStopped) {
    const std::string wav = tempPath("loop.wav");
    writeTestWav(wav, steadyLevel(3000, sdlMixerRate / 20), sdlMixerRate);  // 50 ms, looped
    const auto samples =
        mix("music", wav, 200, [](AudioDevice& device, AudioClip& clip, const Wait& wait) {
            device.playMusic(clip, true);
            wait(300);
            EXPECT_TRUE(device.musicPlaying());
            device.stopMusic(clip);
            EXPECT_FALSE(device.musicPlaying());
        });
    const auto first =
        std::find_if(samples.begin(), samples.end(), [](int16_t s) { return s != 0; });
    const auto last =
        std::find_if(samples.rbegin(), samples.rend(), [](int16_t s) { return s != 0; });
    ASSERT_NE(first, samples.end());
    const auto span = std::distance(first, last.base());
    EXPECT_GT(span, 2 * sdlMixerRate / 5);  // well beyond one pass of the 50 ms piece
    // No dip anywhere, at the joins least of all (format conversion may
    // round the last sample of the piece by one).
    EXPECT_TRUE(std::all_of(first, last.base(), [](int16_t s) { return std::abs(s - 3000) <= 2; }));
    // After the stop, silence.
    EXPECT_GT(std::distance(last.base(), samples.end()), 2 * sdlMixerRate / 20);
}

TEST(SdlAudioMix, UnreadableFilesGiveNoClip) {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    const std::string out = tempPath("none.raw");
    setenv("SDL_DISKAUDIOFILE", out.c_str(), 1);
    auto device = createSdlAudioDevice();
    std::string error;
    EXPECT_FALSE(device->load(tempPath("missing.wav"), error));  // not open yet
    ASSERT_TRUE(device->open());
    EXPECT_FALSE(device->load(tempPath("missing.wav"), error));
    const std::string junk = tempPath("junk.wav");
    std::ofstream(junk) << "RIFF1234WAVEjunkjunkjunk";
    EXPECT_FALSE(device->load(junk, error));
    device->close();
    fs::remove(junk);
    fs::remove(out);
}

}  // namespace

namespace {

TEST(SdlAudioMix, TheShippedSoundsAllLoad) {
    const std::string out = tempPath("shipped.raw");
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", out.c_str(), 1);
    auto device = createSdlAudioDevice();
    ASSERT_TRUE(device->open());
    std::string error;
    for (const char* name : {"Titelmusik", "Geist", "Geld", "krepier", "Uhu", "Vogel1", "Vogel2",
                             "drip", "ersauf", "pock", "tuer", "Schritt", "Kletter", "Vampir"}) {
        const std::string path = std::string(TIEFSCHACHT_GAME_DIR) + "/Sound/" + name + ".wav";
        EXPECT_TRUE(device->load(path, error)) << path << ": " << error;
    }
    device->close();
    fs::remove(out);
}

}  // namespace
