// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/backends.hpp"
#include "platform/sound_file.hpp"
#include "support/test_wav.hpp"

using namespace tiefschacht;

namespace {

namespace fs = std::filesystem;

std::string tempPath(const std::string& leaf) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return (fs::path(testing::TempDir()) / (std::string(info->name()) + "_" + leaf)).string();
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

bool isReadableWav(const std::string& path) {
    std::string bytes, error;
    return readSoundFile(path, bytes, error);
}

TEST(WavCheck, TellsPlayableFilesFromOthers) {
    const std::string good = tempPath("good.wav");
    writeTestWav(good, steadyLevel(100, 100));
    EXPECT_TRUE(isReadableWav(good));
    const std::string stereo = tempPath("stereo.wav");
    writeTestWav(stereo, steadyLevel(100, 100), 22050, 2);
    EXPECT_TRUE(isReadableWav(stereo));

    EXPECT_FALSE(isReadableWav(tempPath("missing.wav")));
    EXPECT_FALSE(isReadableWav("/dev/zero"));  // an endless stream is no file to read
    const std::string bad = tempPath("bad.wav");
    const std::string cases[] = {
        "",
        "RIFF",
        "RIFF\x10\0\0\0WAVE",                                         // no chunks
        std::string("RIFF\x24\0\0\0AVI fmt ", 16),                    // not WAVE
        std::string("RIFF\x24\0\0\0WAVEdata\0\0\0\0", 20),            // data before fmt
        std::string("RIFF\x24\0\0\0WAVEfmt \x04\0\0\0\1\0\1\0", 24),  // fmt too short
        std::string("RIFF\x24\0\0\0WAVEfmt \xff\xff\xff\x7f", 20),    // fmt runs past the end
    };
    for (const std::string& bytes : cases) {
        writeBytes(bad, bytes);
        EXPECT_FALSE(isReadableWav(bad)) << bytes.size() << " bytes";
    }
    // A valid file with its format tag spoilt (2 = ADPCM).
    std::string bytes;
    {
        std::ifstream in(good, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    bytes[20] = 2;
    writeBytes(bad, bytes);
    EXPECT_FALSE(isReadableWav(bad));
    // A chunk of odd length before the sound is followed by a pad byte.
    bytes[20] = 1;
    bytes.insert(36, std::string("LIST\3\0\0\0abc\0", 12));
    writeBytes(bad, bytes);
    EXPECT_TRUE(isReadableWav(bad));
    for (const auto& p : {good, stereo, bad}) fs::remove(p);
}

// The mixer keeps every sound converted to 44.1 kHz 16-bit stereo: a small
// file at a low rate can ask for far more than it holds. The length counts
// what the file holds, not what its data chunk claims.
TEST(WavCheck, RefusesASoundTooLongOnceConverted) {
    auto wav = [](uint32_t rate, uint32_t dataBytes, uint32_t declared) {
        std::string w = "RIFF....WAVEfmt ";
        auto u32 = [&w](uint32_t v) {
            for (int i = 0; i < 4; ++i) w.push_back(static_cast<char>(v >> (8 * i)));
        };
        auto u16 = [&w](uint16_t v) {
            w.push_back(static_cast<char>(v));
            w.push_back(static_cast<char>(v >> 8));
        };
        u32(16), u16(1), u16(1), u32(rate), u32(rate), u16(1), u16(8);
        w += "data";
        u32(declared);
        return w + std::string(dataBytes, '\x80');
    };
    std::string error;
    // 2 MiB of 8-bit mono at 1 kHz: 88 times as much converted, past 64 MiB.
    EXPECT_FALSE(checkWav(wav(1000, 2u << 20, 2u << 20), error));
    EXPECT_NE(error.find("64 MiB"), std::string::npos) << error;
    // The same bytes at 44.1 kHz, and a chunk that claims 4 GB but holds 1 KiB.
    EXPECT_TRUE(checkWav(wav(44100, 2u << 20, 2u << 20), error)) << error;
    EXPECT_TRUE(checkWav(wav(1000, 1024, 0xFFFFFFF0u), error)) << error;
}

TEST(HeadlessAudio, LoadsWavFilesAndPlaysMusicUntilStopped) {
    const std::string wav = tempPath("a.wav");
    writeTestWav(wav, steadyLevel(100, 100));
    auto device = createHeadlessAudioDevice();
    std::string error;
    EXPECT_FALSE(device->load(wav, error));  // not open yet
    ASSERT_TRUE(device->open());
    auto clip = device->load(wav, error);
    ASSERT_TRUE(clip);
    EXPECT_EQ(clip->fileName(), wav);
    EXPECT_FALSE(device->load(tempPath("missing.wav"), error));
    EXPECT_EQ(error, "No such file or directory");

    device->playEffect(*clip, 3);
    device->playMusic(*clip, true);
    EXPECT_TRUE(device->musicPlaying());
    device->playEffect(*clip, 4);
    device->stopMusic(*clip);
    EXPECT_FALSE(device->musicPlaying());
    device->setMasterGain(0.5f);

    device->playMusic(*clip, true);
    device->stopAll();
    EXPECT_FALSE(device->musicPlaying());
    device->close();
    EXPECT_FALSE(device->isOpen());
    fs::remove(wav);
}

}  // namespace
