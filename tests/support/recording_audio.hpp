// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tests' sound output: plays nothing and writes down every request in
// order ("effect <file> <channel>", "music <file>", "stop <file>"), with the
// last gain set. Given a real backend it hands every request on to it, so
// clips load (or fail to) as they would in the game; without one any name
// loads. `canOpen = false` makes an output that cannot be opened.
#include <memory>
#include <string>
#include <vector>

#include "platform/seams.hpp"

namespace tiefschacht {

namespace testsupport {

class NamedClip final : public AudioClip {
public:
    explicit NamedClip(std::string name) : name_(std::move(name)) {}
    const std::string& fileName() const override { return name_; }

private:
    std::string name_;
};

class RecordingAudio final : public AudioDevice {
public:
    explicit RecordingAudio(std::unique_ptr<AudioDevice> inner = nullptr)
        : inner_(std::move(inner)) {}

    bool canOpen = true;
    std::vector<std::string> requests;
    std::vector<std::string> effects;  // file names of the effects, in order
    float gain = -1.0f;                // -1 until a gain is set
    int calls = 0;                     // every request, opening included

    bool open() override {
        ++calls;
        open_ = canOpen && (!inner_ || inner_->open());
        return open_;
    }
    bool isOpen() const override { return open_; }
    std::unique_ptr<AudioClip> load(const std::string& path, std::string& error) override {
        ++calls;
        if (inner_) return inner_->load(path, error);
        return std::make_unique<NamedClip>(path);
    }
    void playEffect(AudioClip& clip, int channel) override {
        ++calls;
        requests.push_back("effect " + clip.fileName() + " " + std::to_string(channel));
        effects.push_back(clip.fileName());
        if (inner_) inner_->playEffect(clip, channel);
    }
    void playMusic(AudioClip& clip, bool loopForever) override {
        ++calls;
        requests.push_back("music " + clip.fileName());
        if (inner_) inner_->playMusic(clip, loopForever);
    }
    void stopMusic(AudioClip& clip) override {
        ++calls;
        requests.push_back("stop " + clip.fileName());
        if (inner_) inner_->stopMusic(clip);
    }
    bool musicPlaying() const override { return inner_ && inner_->musicPlaying(); }
    void setMasterGain(float g) override {
        ++calls;
        gain = g;
        if (inner_) inner_->setMasterGain(g);
    }
    void stopAll() override {
        ++calls;
        if (inner_) inner_->stopAll();
    }
    void close() override {
        ++calls;
        open_ = false;
        if (inner_) inner_->close();
    }

private:
    std::unique_ptr<AudioDevice> inner_;
    bool open_ = false;
};

}  // namespace testsupport

}  // namespace tiefschacht
