#include <cmath>

#include "app/sound.hpp"
#include "platform/platform_layer.hpp"

// The master volume is in hundredths of a decibel: 0 is the level the sounds
// were recorded at, negative values are quieter. The output cannot make a
// sound louder than recorded without clipping, and below -100 dB nothing is
// audible, so the gain applied is 10^(volume / 2000) over -100 dB .. 0 dB,
// unity above 0 dB and silence below -100 dB. The volume value itself is
// never limited; only the gain made from it is.
constexpr int32_t loudestVolume = 0;
constexpr int32_t quietestVolume = -10000;

float gainForVolume(int32_t volume) {
    if (volume >= loudestVolume) return 1.0f;
    if (volume < quietestVolume) return 0.0f;
    return static_cast<float>(std::pow(10.0, static_cast<double>(volume) / 2000.0));
}

void setMasterVolume(int32_t volume) {
    if (AudioDevice* audio = platformLayer.audio.get(); audio != nullptr && sound.managerCreated) {
        audio->setMasterGain(gainForVolume(volume));
    }
}
