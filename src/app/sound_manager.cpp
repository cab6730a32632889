#include "app/sound.hpp"
#include "app/sound_files.hpp"
#include "platform/platform_layer.hpp"

SoundSystem sound;

void initSound() {
    AudioDevice* audio = platformLayer.audio.get();
    if (audio == nullptr) return;
    // Without an output the game runs silently: every sound stays absent and
    // every later request does nothing.
    if (!audio->isOpen() && !audio->open()) return;
    sound.managerCreated = true;

    // A file that is missing or unreadable leaves its sound absent.
    for (const SoundFile& file : soundFiles) {
        if (auto clip = audio->load(file.path)) {
            sound.*file.slot = std::make_unique<SoundSegment>(std::move(clip));
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
    AudioDevice* audio = platformLayer.audio.get();
    if (sound.managerCreated && audio != nullptr) audio->stopAll();
    // The clips go before the device that made them.
    for (const SoundFile& file : soundFiles) (sound.*file.slot).reset();
    if (sound.managerCreated && audio != nullptr) audio->close();
    sound.managerCreated = false;
}

std::vector<std::string> soundsPlayed() {
    std::vector<std::string> played;
    const AudioDevice* audio = platformLayer.audio.get();
    if (audio == nullptr) return played;
    for (const std::string& request : audio->requestLog()) {
        // "effect <file> <channel>" and "music <file>"; "stop <file>" plays nothing.
        if (request.rfind("effect ", 0) == 0) {
            const size_t end = request.rfind(' ');
            played.push_back(request.substr(7, end > 7 ? end - 7 : std::string::npos));
        } else if (request.rfind("music ", 0) == 0) {
            played.push_back(request.substr(6));
        }
    }
    return played;
}
