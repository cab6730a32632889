// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Audio through SDL2_mixer. Every effect gets a mixer voice of its own, so
// effects overlap freely; the title music loops on a voice kept for it; one
// master gain scales the finished mix, music and effects alike.
#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "platform/backends.hpp"
#include "platform/sound_file.hpp"

namespace tiefschacht {

namespace {

constexpr int outputChannels = 2;
constexpr int chunkSamples = 512;  // about 23 ms: short enough for effects
constexpr int musicVoice = 0;      // kept back from the effects
constexpr int firstVoiceCount = 16;
// Past this many effects at once a new effect takes the voice of the oldest
// one still sounding rather than being dropped.
constexpr int mostVoices = 256;
constexpr int effectGroup = 1;

class SdlClip final : public AudioClip {
public:
    SdlClip(std::string name, Mix_Chunk* chunk) : name_(std::move(name)), chunk_(chunk) {}
    ~SdlClip() override { Mix_FreeChunk(chunk_); }
    SdlClip(const SdlClip&) = delete;
    SdlClip& operator=(const SdlClip&) = delete;

    const std::string& fileName() const override { return name_; }
    Mix_Chunk* chunk() const { return chunk_; }

private:
    std::string name_;
    Mix_Chunk* chunk_;
};

Mix_Chunk* chunkOf(AudioClip& clip) {
    // Clips of this device are the only ones handed back to it.
    return static_cast<SdlClip&>(clip).chunk();
}

class SdlAudioDevice final : public AudioDevice {
public:
    ~SdlAudioDevice() override { close(); }

    bool open() override {
        if (open_) return true;
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
        // The output is asked for exactly this format; SDL converts if the
        // hardware wants another.
        if (Mix_OpenAudioDevice(sdlMixerRate, AUDIO_S16SYS, outputChannels, chunkSamples, nullptr,
                                0) != 0) {
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            return false;
        }
        voices_ = Mix_AllocateChannels(firstVoiceCount);
        Mix_ReserveChannels(1);
        Mix_GroupChannels(musicVoice + 1, voices_ - 1, effectGroup);
        Mix_SetPostMix(&SdlAudioDevice::applyGain, this);
        open_ = true;
        return true;
    }

    bool isOpen() const override { return open_; }

    std::unique_ptr<AudioClip> load(const std::string& path, std::string& error) override {
        // Read and checked here, so the mixer gets only a bounded WAV file.
        std::string bytes;
        if (!readSoundFileFor(open_, path, bytes, error)) return nullptr;
        SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
        Mix_Chunk* chunk = rw != nullptr ? Mix_LoadWAV_RW(rw, 1) : nullptr;
        if (chunk == nullptr) {
            error = std::string("the sound cannot be loaded (") + Mix_GetError() + ")";
            return nullptr;
        }
        return std::make_unique<SdlClip>(path, chunk);
    }

    void playEffect(AudioClip& clip, int /*channel*/) override {
        if (!open_) return;
        Mix_Chunk* chunk = chunkOf(clip);
        if (Mix_PlayChannel(-1, chunk, 0) >= 0) return;
        // Every voice is busy: make more, or at the limit take the oldest.
        if (voices_ < mostVoices) {
            voices_ = Mix_AllocateChannels(std::min(voices_ * 2, mostVoices));
            Mix_GroupChannels(musicVoice + 1, voices_ - 1, effectGroup);
            if (Mix_PlayChannel(-1, chunk, 0) >= 0) return;
        }
        const int oldest = Mix_GroupOldest(effectGroup);
        if (oldest > musicVoice) Mix_PlayChannel(oldest, chunk, 0);
    }

    void playMusic(AudioClip& clip, bool loopForever) override {
        if (!open_) return;
        // A chunk looped by the mixer repeats sample-exactly, without a gap.
        Mix_PlayChannel(musicVoice, chunkOf(clip), loopForever ? -1 : 0);
    }

    void stopMusic(AudioClip& clip) override {
        if (!open_) return;
        if (Mix_Playing(musicVoice) != 0 && Mix_GetChunk(musicVoice) == chunkOf(clip)) {
            Mix_HaltChannel(musicVoice);
        }
    }

    bool musicPlaying() const override { return open_ && Mix_Playing(musicVoice) != 0; }

    void setMasterGain(float gain) override {
        gain_.store(std::clamp(gain, 0.0f, 1.0f), std::memory_order_relaxed);
    }

    void stopAll() override {
        if (open_) Mix_HaltChannel(-1);
    }

    void close() override {
        if (!open_) return;
        Mix_HaltChannel(-1);
        Mix_SetPostMix(nullptr, nullptr);
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        open_ = false;
    }

    // Nothing is recorded here: a long game would make the log grow without end.

private:
    // Runs on the mixer's thread on every finished block of the mix.
    static void applyGain(void* self, Uint8* stream, int length) {
        const float gain =
            static_cast<SdlAudioDevice*>(self)->gain_.load(std::memory_order_relaxed);
        if (gain >= 1.0f) return;
        auto* samples = reinterpret_cast<Sint16*>(stream);
        const int count = length / static_cast<int>(sizeof(Sint16));
        for (int i = 0; i < count; ++i) {
            samples[i] = static_cast<Sint16>(static_cast<float>(samples[i]) * gain);
        }
    }

    bool open_ = false;
    int voices_ = 0;
    std::atomic<float> gain_{1.0f};
};

}  // namespace

std::unique_ptr<AudioDevice> createSdlAudioDevice() { return std::make_unique<SdlAudioDevice>(); }

}  // namespace tiefschacht
