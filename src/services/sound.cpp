// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The sound manager: loading the fourteen sounds, the ten effect channels,
// the looping title music and the master volume.
#include "services/sound.hpp"

#include <cmath>

#include "platform/platform_layer.hpp"
#include "services/app_state.hpp"

namespace tiefschacht {

SoundSystem sound;

namespace {

// The output, once the manager has opened it.
AudioDevice* openOutput() {
    AudioDevice* audio = platformLayer.audio.get();
    return sound.managerCreated ? audio : nullptr;
}

AudioDevice* musicDevice() { return sound.titleMusic ? openOutput() : nullptr; }

}  // namespace

void initSound() {
    AudioDevice* audio = platformLayer.audio.get();
    if (audio == nullptr) return;
    // Without an output the game runs silently: every sound stays absent and
    // every later request does nothing.
    if (!audio->isOpen() && !audio->open()) return;
    sound.managerCreated = true;

    // A file that is missing or cannot be played leaves its sound absent,
    // with a warning naming it.
    for (size_t i = 0; i < soundFiles.size(); ++i) {
        std::string error;
        if (auto clip = audio->load(soundFiles[i].path, error)) {
            if (!error.empty()) warnAboutFile(soundFiles[i].path, error);
            sound.*soundFiles[i].slot =
                std::make_unique<SoundSegment>(std::move(clip), static_cast<uint8_t>(i));
        } else {
            warnAboutFile(soundFiles[i].path, error + "; the sound stays silent");
        }
    }
    sound.nextChannel = 0;
}

void set3DParameters(float dopplerFactor, float rolloffFactor, float minDistance,
                     float maxDistance) {
    sound.settings3D.dopplerFactor = dopplerFactor;
    sound.settings3D.rolloffFactor = rolloffFactor;
    sound.settings3D.minDistance = minDistance;
    sound.settings3D.maxDistance = maxDistance;
}

void releaseSound() {
    AudioDevice* audio = openOutput();
    if (audio != nullptr) audio->stopAll();
    // The clips go before the device that made them.
    for (const SoundFile& file : soundFiles) (sound.*file.slot).reset();
    if (audio != nullptr) audio->close();
    sound.managerCreated = false;
}

std::vector<std::string> soundsPlayed() {
    std::vector<std::string> names;
    names.reserve(sound.played.size());
    for (uint8_t index : sound.played) names.emplace_back(soundFiles[index].path);
    return names;
}

// Effects go to ten channels in turn. A channel that is reused while its last
// effect still sounds does not cut it off: the device mixes them together.
void playSound(SoundSegment* segment) {
    if (sound.nextChannel < 0 || sound.nextChannel >= effectChannelCount) sound.nextChannel = 0;
    if (segment != nullptr) {
        if (AudioDevice* audio = openOutput()) {
            audio->playEffect(segment->clip(), sound.nextChannel);
            sound.played.push_back(segment->fileIndex());
        }
        ++sound.nextChannel;
    }
    if (sound.nextChannel == effectChannelCount) sound.nextChannel = 0;
}

// Starts the title music from its beginning, looping until stopped; when it
// is already playing it is stopped and started again.
void startTitleMusic() {
    if (AudioDevice* audio = musicDevice()) {
        audio->stopMusic(sound.titleMusic->clip());
        audio->playMusic(sound.titleMusic->clip(), true);
        sound.played.push_back(sound.titleMusic->fileIndex());
    }
}

void stopTitleMusic() {
    if (AudioDevice* audio = musicDevice()) audio->stopMusic(sound.titleMusic->clip());
}

// The master volume is in hundredths of a decibel: 0 is the level the sounds
// were recorded at, negative values are quieter. The output cannot make a
// sound louder than recorded without clipping, and below -100 dB nothing is
// audible, so the gain applied is 10^(volume / 2000) over -100 dB .. 0 dB,
// unity above 0 dB and silence below -100 dB. (The volume keys keep the
// value itself within that range.)

float gainForVolume(int32_t volume) {
    if (volume >= loudestVolume) return 1.0f;
    if (volume < quietestVolume) return 0.0f;
    return static_cast<float>(std::pow(10.0, static_cast<double>(volume) / 2000.0));
}

void setMasterVolume(int32_t volume) {
    if (AudioDevice* audio = openOutput()) audio->setMasterGain(gainForVolume(volume));
}

}  // namespace tiefschacht
