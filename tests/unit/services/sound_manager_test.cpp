// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/backends.hpp"
#include "platform/platform_layer.hpp"
#include "services/sound.hpp"
#include "support/recording_audio.hpp"
#include "support/test_wav.hpp"

using namespace tiefschacht;

namespace {

namespace fs = std::filesystem;

const char* const allFiles[] = {
    "Titelmusik", "Geist",  "Geld", "krepier", "Uhu",     "Vogel1",  "Vogel2",
    "drip",       "ersauf", "pock", "tuer",    "Schritt", "Kletter", "Vampir",
};

// Runs each test in a folder of its own holding the sounds it asks for.
class SoundManager : public ::testing::Test {
protected:
    void SetUp() override {
        sound = SoundSystem{};
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::path(testing::TempDir()) / (std::string("sound_") + info->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "Sound");
        previous_ = fs::current_path();
        fs::current_path(dir_);
        auto audio = std::make_unique<testsupport::RecordingAudio>(createHeadlessAudioDevice());
        recorder_ = audio.get();
        platformLayer.audio = std::move(audio);
    }
    void TearDown() override {
        releaseSound();
        platformLayer = PlatformLayer{};
        fs::current_path(previous_);
        fs::remove_all(dir_);
    }

    static void provide(const char* name) {
        writeTestWav(std::string("Sound/") + name + ".wav", steadyLevel(1000, 441));
    }
    static void provideAll() {
        for (const char* name : allFiles) provide(name);
    }
    const std::vector<std::string>& log() const { return recorder_->requests; }

private:
    testsupport::RecordingAudio* recorder_ = nullptr;
    fs::path dir_;
    fs::path previous_;
};

TEST_F(SoundManager, LoadsTheFourteenFilesIntoTheirSlots) {
    provideAll();
    initSound();
    ASSERT_TRUE(sound.managerCreated);
    const std::unique_ptr<SoundSegment>* slots[] = {
        &sound.titleMusic, &sound.ghost, &sound.coins, &sound.death,   &sound.owl,
        &sound.bird1,      &sound.bird2, &sound.drip,  &sound.swim,    &sound.gate,
        &sound.door,       &sound.step,  &sound.climb, &sound.vampire,
    };
    for (size_t i = 0; i < std::size(slots); ++i) {
        ASSERT_TRUE(*slots[i]) << allFiles[i];
        EXPECT_EQ((*slots[i])->fileName(), std::string("Sound/") + allFiles[i] + ".wav");
    }
    EXPECT_TRUE(log().empty());  // loading plays nothing

    releaseSound();
    for (const auto* slot : slots) EXPECT_FALSE(*slot);
    EXPECT_FALSE(sound.managerCreated);
    releaseSound();  // a second release finds nothing to do
}

TEST_F(SoundManager, ElevenEffectsWrapAroundTheTenChannels) {
    provideAll();
    initSound();
    for (int i = 0; i < 11; ++i) playSound(i % 2 == 0 ? sound.coins.get() : sound.step.get());
    ASSERT_EQ(log().size(), 11u);
    for (int i = 0; i < 11; ++i) {
        const std::string file = i % 2 == 0 ? "Sound/Geld.wav" : "Sound/Schritt.wav";
        EXPECT_EQ(log()[static_cast<size_t>(i)], "effect " + file + " " + std::to_string(i % 10));
    }
    EXPECT_EQ(sound.nextChannel, 1);
}

// Sounds that are absent, the title music among them, play nothing.
TEST_F(SoundManager, AbsentSoundsPlayNothingAndKeepTheChannel) {
    provide("Geist");
    // Not a WAV file, and an empty one: both count as missing.
    std::ofstream("Sound/Uhu.wav") << "this is no sound";
    std::ofstream("Sound/drip.wav");
    initSound();
    EXPECT_TRUE(sound.ghost);
    EXPECT_FALSE(sound.coins);
    EXPECT_FALSE(sound.owl);
    EXPECT_FALSE(sound.drip);

    playSound(sound.ghost.get());
    playSound(sound.coins.get());
    playSound(nullptr);
    playSound(sound.owl.get());
    playSound(sound.ghost.get());
    startTitleMusic();
    EXPECT_FALSE(platformLayer.audio->musicPlaying());
    stopTitleMusic();
    ASSERT_EQ(log().size(), 2u);
    EXPECT_EQ(log()[0], "effect Sound/Geist.wav 0");
    EXPECT_EQ(log()[1], "effect Sound/Geist.wav 1");
    EXPECT_EQ(sound.nextChannel, 2);
}

TEST_F(SoundManager, TitleMusicRestartsFromTheBeginningAndStops) {
    provideAll();
    initSound();
    startTitleMusic();
    EXPECT_TRUE(platformLayer.audio->musicPlaying());
    startTitleMusic();  // while it plays: stopped, then started again
    EXPECT_TRUE(platformLayer.audio->musicPlaying());
    stopTitleMusic();
    EXPECT_FALSE(platformLayer.audio->musicPlaying());
    const std::vector<std::string> expected = {
        "stop Sound/Titelmusik.wav",  "music Sound/Titelmusik.wav", "stop Sound/Titelmusik.wav",
        "music Sound/Titelmusik.wav", "stop Sound/Titelmusik.wav",
    };
    EXPECT_EQ(log(), expected);

    playSound(sound.vampire.get());
    startTitleMusic();
    const std::vector<std::string> played = {
        "Sound/Titelmusik.wav",
        "Sound/Titelmusik.wav",
        "Sound/Vampir.wav",
        "Sound/Titelmusik.wav",
    };
    EXPECT_EQ(soundsPlayed(), played);
}

TEST_F(SoundManager, WithoutAnOutputEverythingIsSilent) {
    provideAll();
    for (int variant = 0; variant < 2; ++variant) {
        sound = SoundSystem{};
        testsupport::RecordingAudio* refusing = nullptr;
        if (variant == 0) {
            platformLayer.audio.reset();
        } else {
            auto audio = std::make_unique<testsupport::RecordingAudio>();
            audio->canOpen = false;
            refusing = audio.get();
            platformLayer.audio = std::move(audio);
        }
        initSound();
        set3DParameters(1.0f, 1.0f, 30.0f, 10000.0f);
        startTitleMusic();
        playSound(sound.coins.get());
        setMasterVolume(-600);
        stopTitleMusic();
        EXPECT_FALSE(sound.managerCreated);
        EXPECT_FALSE(sound.titleMusic);
        EXPECT_EQ(sound.nextChannel, 0);
        EXPECT_TRUE(soundsPlayed().empty());
        releaseSound();
        if (refusing) {
            EXPECT_EQ(refusing->calls, 1);  // asked to open once, nothing more
        }
    }
}

TEST(ShippedSounds, AllFourteenLoadInTheRuntimeFolder) {
    const fs::path previous = fs::current_path();
    fs::current_path(TIEFSCHACHT_GAME_DIR);
    sound = SoundSystem{};
    platformLayer.audio = createHeadlessAudioDevice();
    initSound();
    EXPECT_TRUE(sound.titleMusic);
    const SoundSegment* effects[] = {
        sound.ghost.get(),   sound.coins.get(), sound.death.get(), sound.owl.get(),
        sound.bird1.get(),   sound.bird2.get(), sound.drip.get(),  sound.swim.get(),
        sound.gate.get(),    sound.door.get(),  sound.step.get(),  sound.climb.get(),
        sound.vampire.get(),
    };
    for (size_t i = 0; i < std::size(effects); ++i) EXPECT_TRUE(effects[i]) << allFiles[i + 1];
    releaseSound();
    platformLayer = PlatformLayer{};
    fs::current_path(previous);
}

}  // namespace
