#include "app/sound.hpp"
#include "platform/platform_layer.hpp"

// Effects go to ten channels in turn. A channel that is reused while its last
// effect still sounds does not cut it off: the device mixes them together.
void playSound(SoundSegment* segment) {
    if (sound.nextChannel < 0 || sound.nextChannel >= effectChannelCount) sound.nextChannel = 0;
    if (segment != nullptr) {
        if (AudioDevice* audio = platformLayer.audio.get(); audio != nullptr && sound.managerCreated) {
            audio->playEffect(segment->clip(), sound.nextChannel);
        }
        ++sound.nextChannel;
    }
    if (sound.nextChannel == effectChannelCount) sound.nextChannel = 0;
}
