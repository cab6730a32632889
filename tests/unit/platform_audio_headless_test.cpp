#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/backends.hpp"
#include "platform/wav_check.hpp"
#include "unit/sound_test_wav.hpp"

namespace {

namespace fs = std::filesystem;

std::string tempPath(const std::string& leaf) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return (fs::path(testing::TempDir()) / (std::string(info->name()) + "_" + leaf)).string();
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

TEST(WavCheck, TellsPlayableFilesFromOthers) {
    const std::string good = tempPath("good.wav");
    writeTestWav(good, steadyLevel(100, 100));
    EXPECT_TRUE(isReadableWav(good));
    const std::string stereo = tempPath("stereo.wav");
    writeTestWav(stereo, steadyLevel(100, 100), 22050, 2);
    EXPECT_TRUE(isReadableWav(stereo));

    EXPECT_FALSE(isReadableWav(tempPath("missing.wav")));
    const std::string bad = tempPath("bad.wav");
    const std::string cases[] = {
        "",
        "RIFF",
        "RIFF\x10\0\0\0WAVE",                              // no chunks
        std::string("RIFF\x24\0\0\0AVI fmt ", 16),         // not WAVE
        std::string("RIFF\x24\0\0\0WAVEdata\0\0\0\0", 20), // data before fmt
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
    for (const auto& p : {good, stereo, bad}) fs::remove(p);
}

TEST(HeadlessAudio, LoadsWavFilesAndPlaysMusicUntilStopped) {
    const std::string wav = tempPath("a.wav");
    writeTestWav(wav, steadyLevel(100, 100));
    auto device = createHeadlessAudioDevice();
    EXPECT_FALSE(device->load(wav));  // not open yet
    ASSERT_TRUE(device->open());
    auto clip = device->load(wav);
    ASSERT_TRUE(clip);
    EXPECT_EQ(clip->fileName(), wav);
    EXPECT_FALSE(device->load(tempPath("missing.wav")));

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
