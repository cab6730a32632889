// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The soak script writer, checked against the game's own cursor, buttons and
// key handling: the scripts it writes must run every frame they promise.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/backends.hpp"
#include "platform/headless/input_script.hpp"
#include "platform/key_codes.hpp"
#include "screens/buttons.hpp"
#include "services/app_state.hpp"
#include "services/camera.hpp"
#include "services/graphics.hpp"
#include "services/input.hpp"
#include "services/key_rules.hpp"
#include "soak/screen_zones.hpp"
#include "soak/soak_script.hpp"
#include "unit/screens/fixture.hpp"
#include "world/world.hpp"

using namespace tiefschacht;

namespace {

std::shared_ptr<InputScript> parsed(const std::string& text) {
    auto script = std::make_shared<InputScript>();
    std::string error;
    EXPECT_TRUE(script->parse(text, error)) << error;
    return script;
}

// The hit rectangles the screens give their buttons when they draw them.
void placeButtons(Game& game) {
    for (int i = 0; i < buttonSlotCount; ++i)
        if (Button* b = buttonAt(game, i)) layOutButton(*b);
}

void putCursorAt(float x, float y) {
    input.cursorWorldPos = {x, y, menuPlaneZ};
    const ScreenPoint p = projectToScreen(input.cursorWorldPos);
    input.cursorScreenX = p.x;
    input.cursorScreenY = p.y;
}

struct Resolution {
    int width, height;
};
constexpr Resolution resolutions[] = {{800, 600}, {1024, 768}};

}  // namespace

TEST(SoakScript, SameSeedSameScriptAndExactlyThePollsAskedFor) {
    const std::string a = writeSoakScript({7, 20000, 400});
    EXPECT_EQ(a, writeSoakScript({7, 20000, 400}));
    EXPECT_NE(a, writeSoakScript({8, 20000, 400}));
    for (uint64_t frames : {1ull, 2ull, 3ull, 17ull, 999ull, 4000ull, 20000ull}) {
        SoakSummary summary;
        const auto script = parsed(writeSoakScript({3, frames, 400}, &summary));
        EXPECT_EQ(script->totalPolls(), frames) << frames;
        EXPECT_EQ(summary.polls, frames);
    }
    // A longer run starts as the shorter one of the same seed does.
    const std::string shorter = writeSoakScript({7, 10000, 400});
    const std::string longer = writeSoakScript({7, 100000, 400});
    const std::string common = shorter.substr(shorter.find('\n') + 1, shorter.size() / 2);
    EXPECT_EQ(longer.substr(longer.find('\n') + 1, common.size()), common);
}

TEST(SoakScript, AimedClicksHitTheirButtonsAtBothResolutions) {
    struct Aim {
        Target target;
        int slot;
        std::initializer_list<int> screen;  // the buttons of the screen it is on
    };
    const Aim aims[] = {
        {Target::Play, 0, {0, 1, 2}},
        {Target::TitleManual, 2, {0, 1, 2}},
        {Target::StartGame, 5, {5, 6, 7, 9, 10}},
        {Target::HighscoreList, 6, {5, 6, 7, 9, 10}},
        {Target::MenuManual, 10, {5, 6, 7, 9, 10}},
        {Target::HighscoreOk, 8, {8}},
    };
    for (const Resolution r : resolutions) {
        useCamera(r.width, r.height);
        Game game{BareTag{}};
        placeButtons(game);
        for (const Aim& aim : aims) {
            const Zone z = targetZone(aim.target);
            ASSERT_LT(z.left, z.right);
            ASSERT_LT(z.bottom, z.top);
            for (float x : {z.left, (z.left + z.right) / 2, z.right})
                for (float y : {z.bottom, (z.bottom + z.top) / 2, z.top}) {
                    putCursorAt(x, y);
                    EXPECT_EQ(buttonUnderCursor(game, aim.screen), aim.slot)
                        << r.width << " x " << r.height << " at " << x << ", " << y;
                    EXPECT_FALSE(forbiddenBeforeExit(x, y));
                }
        }
    }
}

// The script replayed through the game's own polls: the cursor is never held
// back at an edge (so the writer knows where it is), the button is never held
// over a button that ends the program or leads to the exit screen, Escape
// comes only in the closing frames and never while paused.
TEST(SoakScript, ReplayedPollsNeverEndTheRun) {
    constexpr uint64_t frames = 60000;
    constexpr uint64_t exitFrames = 400;
    const auto script = parsed(writeSoakScript({11, frames, exitFrames}));
    for (const Resolution r : resolutions) {
        useCamera(r.width, r.height);
        Game game{BareTag{}};
        placeButtons(game);
        input = InputState{};
        app = AppState{};
        platformLayer.inputDevices = createScriptInputDevices(script);
        ASSERT_EQ(initInput(), 0);

        double x = 0.0, y = 0.0;
        uint64_t held = 0, firstEscape = 0;
        for (uint64_t poll = 0; poll < frames; ++poll) {
            const ScriptLine& line = script->lineForPoll(poll);
            if (line.keys[KeyEscape] != 0 && firstEscape == 0) {
                firstEscape = poll + 1;
                EXPECT_EQ(app.paused, 0) << "Escape while paused";
            }
            pollMouse();
            pollKeyboard();
            applyKeyRules();
            x += line.dx * 0.05;
            y -= line.dy * 0.05;
            ASSERT_NEAR(input.cursorWorldPos.x, x, 0.01) << "poll " << poll;
            ASSERT_NEAR(input.cursorWorldPos.y, y, 0.01) << "poll " << poll;
            if (!input.mouseDown) continue;
            ++held;
            for (int ender : {1, 7, 9}) {
                ASSERT_FALSE(buttonHit(game, ender)) << "poll " << poll;
            }
            if (app.gameState != StateExit) continue;
            for (int ender : {3, 4}) {
                ASSERT_FALSE(buttonHit(game, ender)) << "poll " << poll;
            }
        }
        EXPECT_GT(held, 100u);
        EXPECT_GT(firstEscape, frames - exitFrames);
        EXPECT_EQ(app.gameState, StateExit);
        EXPECT_EQ(app.paused, 0);
        platformLayer = PlatformLayer{};
    }
}
