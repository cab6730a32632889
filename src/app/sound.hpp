#pragma once
// The fourteen sounds: the looping title music and thirteen effects played
// on ten effect channels in rotation, with one master volume.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/seams.hpp"

// One loaded sound file.
class SoundSegment {
public:
    explicit SoundSegment(std::unique_ptr<AudioClip> clip) : clip_(std::move(clip)) {}
    AudioClip& clip() { return *clip_; }
    const std::string& fileName() const { return clip_->fileName(); }

private:
    std::unique_ptr<AudioClip> clip_;
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
    bool managerCreated = false;  // the audio output is open
    std::unique_ptr<SoundSegment> titleMusic;  // Sound/Titelmusik.wav
    // The effects in load order: Geist, Geld, krepier, Uhu, Vogel1, Vogel2,
    // drip, ersauf, pock, tuer, Schritt, Kletter, Vampir.
    std::unique_ptr<SoundSegment> ghost, coins, death, owl, bird1, bird2, drip, swim, gate, door,
        step, climb, vampire;
    int32_t nextChannel = 0;
    Sound3DSettings settings3D;
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
// Master volume in hundredths of a decibel.
void setMasterVolume(int32_t volume);
// The linear gain for a master volume (clamped to what the output carries).
float gainForVolume(int32_t volume);
void releaseSound();

// The file names of the effects and music started so far, in order, as far
// as the audio device keeps them (the headless device keeps all).
std::vector<std::string> soundsPlayed();
