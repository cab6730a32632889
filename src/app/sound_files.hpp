#pragma once
// The fourteen sound files in load order, with the slot each one fills.
#include <array>
#include <memory>

#include "app/sound.hpp"

struct SoundFile {
    const char* path;
    std::unique_ptr<SoundSegment> SoundSystem::*slot;
};

inline constexpr std::array<SoundFile, 14> soundFiles{{
    {"Sound/Titelmusik.wav", &SoundSystem::titleMusic},
    {"Sound/Geist.wav", &SoundSystem::ghost},
    {"Sound/Geld.wav", &SoundSystem::coins},
    {"Sound/krepier.wav", &SoundSystem::death},
    {"Sound/Uhu.wav", &SoundSystem::owl},
    {"Sound/Vogel1.wav", &SoundSystem::bird1},
    {"Sound/Vogel2.wav", &SoundSystem::bird2},
    {"Sound/drip.wav", &SoundSystem::drip},
    {"Sound/ersauf.wav", &SoundSystem::swim},
    {"Sound/pock.wav", &SoundSystem::gate},
    {"Sound/tuer.wav", &SoundSystem::door},
    {"Sound/Schritt.wav", &SoundSystem::step},
    {"Sound/Kletter.wav", &SoundSystem::climb},
    {"Sound/Vampir.wav", &SoundSystem::vampire},
}};
