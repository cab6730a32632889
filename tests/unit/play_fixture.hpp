#pragma once
// A small level in memory with a bare Game, sounds that record what they
// were asked to play, and helpers to run play frames with keys held.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/app_state.hpp"
#include "app/graphics.hpp"
#include "app/input_state.hpp"
#include "app/sound.hpp"
#include "platform/platform_layer.hpp"
#include "play/play_state.hpp"
#include "play/update_play.hpp"
#include "world/data_tables.hpp"
#include "world/game.hpp"
#include "world/level.hpp"
#include "world/random.hpp"
#include "world/world.hpp"

namespace playtest {

class NamedClip : public AudioClip {
public:
    explicit NamedClip(std::string name) : name_(std::move(name)) {}
    const std::string& fileName() const override { return name_; }

private:
    std::string name_;
};

// Plays nothing; keeps the requests in the order they came.
class RecordingAudio : public AudioDevice {
public:
    bool open() override { return true; }
    bool isOpen() const override { return true; }
    std::unique_ptr<AudioClip> load(const std::string& path) override {
        return std::make_unique<NamedClip>(path);
    }
    void playEffect(AudioClip& clip, int channel) override {
        log_.push_back("effect " + clip.fileName() + " " + std::to_string(channel));
        effects.push_back(clip.fileName());
    }
    void playMusic(AudioClip& clip, bool) override { log_.push_back("music " + clip.fileName()); }
    void stopMusic(AudioClip& clip) override { log_.push_back("stop " + clip.fileName()); }
    bool musicPlaying() const override { return false; }
    void setMasterGain(float) override {}
    void stopAll() override {}
    void close() override {}
    const std::vector<std::string>& requestLog() const override { return log_; }

    std::vector<std::string> effects;  // file names of the effects, in order

private:
    std::vector<std::string> log_;
};

// Cell codes used by the test levels.
constexpr int32_t Free = 0, Solid = 70, Ladder = 50, Item = 30;

// The arrow keys and the jump key held during a run of frames.
struct Keys {
    bool up = false, down = false, left = false, right = false, space = false;
};

struct PlayFixture : ::testing::Test {
    PlayFixture() {
        play = PlayState{};
        level = LevelState{};
        itemTable = ItemTable{};
        enemyTypeTable = EnemyTypeTable{};
        input = InputState{};
        app = AppState{};
        rng = RandomGenerator{};
        app.gameState = StatePlaying;
        level.levelOrigin.y = -380.0f;
        game.hero->position.x = -1.0f;  // row 391, column 10, centred
        installSounds();
    }
    ~PlayFixture() override {
        sound = SoundSystem{};
        platformLayer.audio.reset();
    }

    void installSounds() {
        auto audio = std::make_unique<RecordingAudio>();
        audioLog = audio.get();
        platformLayer.audio = std::move(audio);
        auto seg = [](const char* name) {
            return std::make_unique<SoundSegment>(std::make_unique<NamedClip>(name));
        };
        sound.managerCreated = true;
        sound.titleMusic = seg("Sound/Titelmusik.wav");
        sound.ghost = seg("Sound/Geist.wav");
        sound.coins = seg("Sound/Geld.wav");
        sound.death = seg("Sound/krepier.wav");
        sound.owl = seg("Sound/Uhu.wav");
        sound.bird1 = seg("Sound/Vogel1.wav");
        sound.bird2 = seg("Sound/Vogel2.wav");
        sound.drip = seg("Sound/drip.wav");
        sound.swim = seg("Sound/ersauf.wav");
        sound.gate = seg("Sound/pock.wav");
        sound.door = seg("Sound/tuer.wav");
        sound.step = seg("Sound/Schritt.wav");
        sound.climb = seg("Sound/Kletter.wav");
        sound.vampire = seg("Sound/Vampir.wav");
    }

    const std::vector<std::string>& sounds() const { return audioLog->effects; }
    int countSound(const std::string& name) const {
        int n = 0;
        for (const auto& s : sounds()) n += s == name;
        return n;
    }

    static void fillRow(int row, int32_t code) {
        for (int c = 0; c < levelColumns; ++c) level.tileGrid[row][c] = code;
    }
    static void floorAt(int row) { fillRow(row, Solid); }

    void hold(Keys k) {
        input.keyUp = k.up;
        input.keyDown = k.down;
        input.keyLeft = k.left;
        input.keyRight = k.right;
        input.keySpace = k.space;
    }
    void frames(int n, Keys k = {}) {
        hold(k);
        for (int i = 0; i < n; ++i) updatePlay(game);
    }

    Enemy& enemy(int slot) { return *game.enemies[slot]; }
    Enemy& placeEnemy(int slot, int32_t type, float x, float y) {
        Enemy& e = enemy(slot);
        e.active = 1;
        e.type = type;
        e.position = {x, y, playPlaneZ};
        return e;
    }

    float scroll() const { return level.levelOrigin.y; }
    float heroX() const { return game.hero->position.x; }

    Game game{BareTag{}};
    RecordingAudio* audioLog = nullptr;
};

}  // namespace playtest
