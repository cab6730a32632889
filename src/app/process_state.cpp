#include "app/process_state.hpp"

#include "app/app_state.hpp"
#include "app/frame_timing.hpp"
#include "app/graphics.hpp"
#include "app/input_state.hpp"
#include "app/settings.hpp"
#include "app/sound.hpp"
#include "platform/platform_layer.hpp"
#include "play/play_state.hpp"
#include "world/data_tables.hpp"
#include "world/game.hpp"
#include "world/level.hpp"
#include "world/random.hpp"
#include "world/world.hpp"

void resetProcessState() {
    theGame.reset();
    app = AppState{};
    settings = Settings{};
    graphics = Graphics{};
    input = InputState{};
    sound = SoundSystem{};
    play = PlayState{};
    level = LevelState{};
    rng = RandomGenerator{};
    frameTiming = FrameTiming{};
    itemTable = ItemTable{};
    highscoreTable = HighscoreTable{};
    enemyTypeTable = EnemyTypeTable{};
    platformLayer = PlatformLayer{};
}
