// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "platform/backends.hpp"
#include "platform/platform_layer.hpp"
#include "play/play_state.hpp"
#include "services/app_state.hpp"
#include "services/input.hpp"
#include "services/sound.hpp"
#include "shell/state_dump.hpp"
#include "support/recording_audio.hpp"
#include "world/data_tables.hpp"
#include "world/game.hpp"
#include "world/level.hpp"

using namespace tiefschacht;

using nlohmann::json;

TEST(ShellStateDump, HoldsTheGamesStateUnderItsOwnNames) {
    app.frames = 42;
    setGameState(StateTitle);
    setGameState(StatePlaying);
    play.score = 1234;
    play.lives = 2;
    play.jumpCounter = 5;
    play.heroRow = 377;
    input.masterVolume = -600;
    input.cursorScreenX = 400.5f;
    std::snprintf(input.nameBuffer.data(), input.nameBuffer.size(), "ANNA");
    input.nameLength = 4;
    level.tileGrid[0][0] = 66;
    level.tileGrid[399][21] = 7;
    level.levelOrigin = {0.0f, -380.0f, 40.0f};
    std::snprintf(highscoreTable.names[0].data(), 15, "J\xfcrgen");  // Latin-1, not UTF-8
    highscoreTable.scores[0] = 900;
    theGame = std::make_unique<Game>(BareTag{});
    theGame->hero->position.x = -1.0f;
    theGame->enemies[7]->active = 1;
    theGame->enemies[7]->type = 3;
    theGame->enemies[7]->position = {4.0f, -2.5f, 40.0f};
    theGame->enemies[7]->velocityX = 0.25f;
    platformLayer.audio = std::make_unique<testsupport::RecordingAudio>();
    initSound();
    startTitleMusic();
    playSound(sound.coins.get());
    stopTitleMusic();
    playSound(sound.step.get());
    sound.nextChannel = 3;
    platformLayer.shell = createRecordingShell();
    std::string error;
    platformLayer.shell->open("www.example.org", error);

    json d = json::parse(stateDumpText());
    EXPECT_EQ(d["frames"], 42);
    EXPECT_EQ(d["gameState"], StatePlaying);
    EXPECT_EQ(d["statesVisited"], json({-1, 0, 100}));
    EXPECT_EQ(d["score"], 1234);
    EXPECT_EQ(d["lives"], 2);
    EXPECT_EQ(d["jumpCounter"], 5);
    EXPECT_EQ(d["heroRow"], 377);
    EXPECT_EQ(d["masterVolume"], -600);
    EXPECT_EQ(d["nameBuffer"], "ANNA");
    EXPECT_EQ(d["nameLength"], 4);
    EXPECT_EQ(d["nextChannel"], 3);
    EXPECT_EQ(d["cursorScreenPos"]["x"], 400.5);
    EXPECT_EQ(d["cursorWorldPos"]["z"], 60.0);
    EXPECT_EQ(d["hero"]["x"], -1.0);
    EXPECT_EQ(d["hero"]["y"], 1.0);
    EXPECT_EQ(d["levelOrigin"]["y"], -380.0);
    EXPECT_EQ(d["closeRequested"], false);

    ASSERT_EQ(d["tileGrid"].size(), 400u);
    EXPECT_EQ(d["tileGrid"][0].size(), 22u);
    EXPECT_EQ(d["tileGrid"][0][0], 66);  // row 0 first
    EXPECT_EQ(d["tileGrid"][399][21], 7);

    ASSERT_EQ(d["highscores"].size(), 10u);
    EXPECT_EQ(d["highscores"][0]["score"], 900);
    EXPECT_EQ(d["highscores"][0]["name"].get<std::string>().substr(0, 1), "J");

    ASSERT_EQ(d["enemies"].size(), 1u);  // only active slots
    EXPECT_EQ(d["enemies"][0]["slot"], 7);
    EXPECT_EQ(d["enemies"][0]["type"], 3);
    EXPECT_EQ(d["enemies"][0]["y"], -2.5);
    EXPECT_EQ(d["enemies"][0]["velocityX"], 0.25);

    EXPECT_EQ(d["soundsPlayed"],
              json({"Sound/Titelmusik.wav", "Sound/Geld.wav", "Sound/Schritt.wav"}));
    EXPECT_EQ(d["shellRequests"], json({"www.example.org"}));
    for (const char* key : {"paused", "keyCount", "animCounter", "deathTimer", "onLadder",
                            "inWater", "walkingLeft", "walkingRight", "climbingUp", "climbingDown",
                            "heroCol", "highscoreEligible", "helpFrameCount"})
        EXPECT_TRUE(d.contains(key)) << key;
    theGame.reset();
}

TEST(ShellStateDump, WithoutAGameOrBackendsTheDumpIsStillComplete) {
    json d = json::parse(stateDumpText());
    EXPECT_TRUE(d["hero"].is_null());
    EXPECT_TRUE(d["enemies"].empty());
    EXPECT_TRUE(d["soundsPlayed"].empty());
    EXPECT_TRUE(d["shellRequests"].empty());
    EXPECT_EQ(d["gameState"], StateStarting);
}
