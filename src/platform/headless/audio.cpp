// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Audio without a sound card: nothing plays. Clips load only from the files
// the real output would load (WAV files the game can play), so a missing or
// damaged sound is missing here too.
#include <memory>
#include <string>

#include "platform/backends.hpp"
#include "platform/sound_file.hpp"

namespace tiefschacht {

namespace {

class HeadlessClip final : public AudioClip {
public:
    explicit HeadlessClip(std::string name) : name_(std::move(name)) {}
    const std::string& fileName() const override { return name_; }

private:
    std::string name_;
};

class HeadlessAudioDevice final : public AudioDevice {
public:
    bool open() override {
        open_ = true;
        return true;
    }
    bool isOpen() const override { return open_; }

    std::unique_ptr<AudioClip> load(const std::string& path, std::string& error) override {
        std::string bytes;
        if (!readSoundFileFor(open_, path, bytes, error)) return nullptr;
        return std::make_unique<HeadlessClip>(path);
    }

    void playEffect(AudioClip&, int) override {}

    void playMusic(AudioClip& clip, bool loopForever) override {
        music_ = &clip;
        looping_ = loopForever;
    }

    void stopMusic(AudioClip& clip) override {
        if (music_ == &clip) music_ = nullptr;
    }

    // Music without looping would end on its own; nothing here keeps time,
    // so only looping music counts as still playing.
    bool musicPlaying() const override { return music_ != nullptr && looping_; }

    void setMasterGain(float) override {}
    void stopAll() override { music_ = nullptr; }
    void close() override {
        music_ = nullptr;
        open_ = false;
    }

private:
    bool open_ = false;
    AudioClip* music_ = nullptr;
    bool looping_ = false;
};

}  // namespace

std::unique_ptr<AudioDevice> createHeadlessAudioDevice() {
    return std::make_unique<HeadlessAudioDevice>();
}

}  // namespace tiefschacht
