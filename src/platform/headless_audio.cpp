// Audio without a sound card: every request is recorded in order and nothing
// plays. Clips load only from files that exist and are WAV files, so a
// missing sound is missing here too.
#include <memory>
#include <string>
#include <vector>

#include "platform/backends.hpp"
#include "platform/wav_check.hpp"

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

    std::unique_ptr<AudioClip> load(const std::string& path) override {
        if (!open_ || !isReadableWav(path)) return nullptr;
        return std::make_unique<HeadlessClip>(path);
    }

    void playEffect(AudioClip& clip, int channel) override {
        log_.push_back("effect " + clip.fileName() + " " + std::to_string(channel));
    }

    void playMusic(AudioClip& clip, bool loopForever) override {
        log_.push_back("music " + clip.fileName());
        music_ = &clip;
        looping_ = loopForever;
    }

    void stopMusic(AudioClip& clip) override {
        log_.push_back("stop " + clip.fileName());
        if (music_ == &clip) music_ = nullptr;
    }

    // Music without looping would end on its own; nothing here keeps time,
    // so only looping music counts as still playing.
    bool musicPlaying() const override { return music_ != nullptr && looping_; }

    void setMasterGain(float gain) override { gain_ = gain; }
    void stopAll() override { music_ = nullptr; }
    void close() override {
        music_ = nullptr;
        open_ = false;
    }
    const std::vector<std::string>& requestLog() const override { return log_; }

private:
    bool open_ = false;
    AudioClip* music_ = nullptr;
    bool looping_ = false;
    float gain_ = 1.0f;
    std::vector<std::string> log_;
};

}  // namespace

std::unique_ptr<AudioDevice> createHeadlessAudioDevice() {
    return std::make_unique<HeadlessAudioDevice>();
}
