// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The fourteen sounds: the looping title music and thirteen effects played
// on ten effect channels in rotation, with one master volume.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/seams.hpp"

namespace tiefschacht {

// One loaded sound file, with its place in the table of sound files.
class SoundSegment {
public:
    SoundSegment(std::unique_ptr<AudioClip> clip, uint8_t fileIndex)
        : clip_(std::move(clip)), fileIndex_(fileIndex) {}
    AudioClip& clip() { return *clip_; }
    const std::string& fileName() const { return clip_->fileName(); }
    uint8_t fileIndex() const { return fileIndex_; }

private:
    std::unique_ptr<AudioClip> clip_;
    uint8_t fileIndex_;
};

constexpr int effectChannelCount = 10;

// The 3D settings of the effect channels and the listener. No effect is ever
// placed anywhere, so they change nothing audible; they are kept as state.
struct Sound3DSettings {
    float dopplerFactor = 1.0f;
    float rolloffFactor = 1.0f;
    float minDistance = 1.0f;
    float maxDistance = 1.0e9f;
};

struct SoundSystem {
    bool managerCreated = false;               // the audio output is open
    std::unique_ptr<SoundSegment> titleMusic;  // Sound/Titelmusik.wav
    // The effects in load order: Geist, Geld, krepier, Uhu, Vogel1, Vogel2,
    // drip, ersauf, pock, tuer, Schritt, Kletter, Vampir.
    std::unique_ptr<SoundSegment> ghost, coins, death, owl, bird1, bird2, drip, swim, gate, door,
        step, climb, vampire;
    int32_t nextChannel = 0;
    Sound3DSettings settings3D;
    // Every effect and music start handed to the output, as indices into
    // soundFiles (one byte each, so a long game keeps a small list).
    std::vector<uint8_t> played;
};

extern SoundSystem sound;

void initSound();
void set3DParameters(float dopplerFactor, float rolloffFactor, float minDistance,
                     float maxDistance);
void startTitleMusic();
void stopTitleMusic();
// Plays one effect on the next channel; an absent sound (null) plays nothing
// and does not advance nextChannel.
void playSound(SoundSegment* segment);
// Master volume in hundredths of a decibel: 0 is the level the sounds were
// recorded at and the loudest the output plays; at -100 dB and below nothing
// is audible.
constexpr int32_t loudestVolume = 0;
constexpr int32_t quietestVolume = -10000;
void setMasterVolume(int32_t volume);
// The linear gain for a master volume (clamped to what the output carries).
float gainForVolume(int32_t volume);
void releaseSound();

// The file names of the effects and music handed to the output so far, in
// order.
std::vector<std::string> soundsPlayed();

// The fourteen sound files in load order, with the slot each one fills.
struct SoundFile {
    const char* path;
    std::unique_ptr<SoundSegment> SoundSystem::*slot;
};

inline constexpr std::array<SoundFile, 14> soundFiles{{
    {"Sound/Titelmusik.wav", &SoundSystem::titleMusic},
    {"Sound/Geist.wav", &SoundSystem::ghost},
    {"Sound/Geld.wav", &SoundSystem::coins},
    {"Sound/krepier.wav", &SoundSystem::death},
    {"Sound/Uhu.wav", &SoundSystem::owl},
    {"Sound/Vogel1.wav", &SoundSystem::bird1},
    {"Sound/Vogel2.wav", &SoundSystem::bird2},
    {"Sound/drip.wav", &SoundSystem::drip},
    {"Sound/ersauf.wav", &SoundSystem::swim},
    {"Sound/pock.wav", &SoundSystem::gate},
    {"Sound/tuer.wav", &SoundSystem::door},
    {"Sound/Schritt.wav", &SoundSystem::step},
    {"Sound/Kletter.wav", &SoundSystem::climb},
    {"Sound/Vampir.wav", &SoundSystem::vampire},
}};

}  // namespace tiefschacht
