// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/process_state.hpp"

#include "drawing/fonts.hpp"
#include "drawing/quad.hpp"
#include "platform/platform_layer.hpp"
#include "play/play_state.hpp"
#include "services/app_state.hpp"
#include "services/frame_timing.hpp"
#include "services/game_paths.hpp"
#include "services/graphics.hpp"
#include "services/input.hpp"
#include "services/settings.hpp"
#include "services/sound.hpp"
#include "shell/input_recorder.hpp"
#include "world/data_tables.hpp"
#include "world/game.hpp"
#include "world/level.hpp"
#include "world/random.hpp"
#include "world/world.hpp"

namespace tiefschacht {

void resetProcessState() {
    theGame.reset();
    app = AppState{};
    settings = Settings{};
    quads = QuadDrawing{};
    fonts = Fonts{};
    graphics = Graphics{};
    input = InputState{};
    sound = SoundSystem{};
    play = PlayState{};
    level = LevelState{};
    rng = RandomGenerator{};
    frameTiming = FrameTiming{};
    gamePaths = GamePaths{};
    itemTable = ItemTable{};
    highscoreTable = HighscoreTable{};
    enemyTypeTable = EnemyTypeTable{};
    recording = Recording{};
    platformLayer = PlatformLayer{};
}

}  // namespace tiefschacht
