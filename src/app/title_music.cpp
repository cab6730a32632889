#include "app/sound.hpp"
#include "platform/platform_layer.hpp"

namespace {

AudioDevice* musicDevice() {
    AudioDevice* audio = platformLayer.audio.get();
    return sound.managerCreated && sound.titleMusic ? audio : nullptr;
}

}  // namespace

// Starts the title music from its beginning, looping until stopped; when it
// is already playing it is stopped and started again.
void startTitleMusic() {
    if (AudioDevice* audio = musicDevice()) {
        audio->stopMusic(sound.titleMusic->clip());
        audio->playMusic(sound.titleMusic->clip(), true);
    }
}

void stopTitleMusic() {
    if (AudioDevice* audio = musicDevice()) audio->stopMusic(sound.titleMusic->clip());
}
