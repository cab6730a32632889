#pragma once
// Shared set-up of the screen tests: a bare Game with its buttons, the
// camera of the game at a chosen resolution, and a shell that records what
// it is asked to open.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/app_state.hpp"
#include "app/graphics.hpp"
#include "app/input_state.hpp"
#include "app/settings.hpp"
#include "platform/platform_layer.hpp"
#include "play/play_state.hpp"
#include "world/data_tables.hpp"
#include "world/game.hpp"

class RecordingShellForTests : public ShellOpener {
public:
    void open(const std::string& target) override { log.push_back(target); }
    void endFrame() override {}
    const std::vector<std::string>& requests() const override { return log; }
    std::vector<std::string> log;
};

inline void useCamera(int width, int height) {
    settings.screenWidth = width;
    settings.screenHeight = height;
    graphics.viewMatrix = matrixLookAtLH({0, 0, 0}, {0, 0, 1}, {0, 1, 0});
    graphics.projectionMatrix = matrixPerspectiveFovLH(
        0.7853982f, static_cast<float>(width) / static_cast<float>(height), 1.0f, 1000.0f);
    graphics.viewProjection = matrixMultiply(graphics.viewMatrix, graphics.projectionMatrix);
}

// The screens' buttons where the bare Game has not built them.
inline void ensureButtons(Game& game) {
    struct Row { float x, y; int32_t segments; float offset; const char* label; };
    const Row rows[11] = {
        {-13.0f, 4.0f, 16, 0.38f, "Spielen"},
        {-13.0f, -6.0f, 16, 0.06f, "Weitere Games unter : www.example.org"},
        {-13.0f, -1.0f, 16, 0.27f, "Spielanleitung lesen"},
        {-13.0f, 2.0f, 16, 0.06f, "Weitere Games unter : www.example.org"},
        {-13.0f, -3.0f, 16, 0.3f, "Spiel beenden"},
        {-4.15f, -22.0f, 6, 0.03f, "Spiel starten"},
        {-17.5f, -22.0f, 6, 0.02f, "Highscoreliste"},
        {22.0f, -22.0f, 6, 0.03f, "Spiel beenden"},
        {-6.5f, -17.0f, 8, 0.17f, "OK"},
        {9.0f, -22.0f, 6, -0.02f, "www.example.org"},
        {-31.2f, -22.0f, 6, 0.02f, "Spielanleitung"},
    };
    for (size_t i = 0; i < 11; ++i)
        if (!game.buttons[i])
            game.buttons[i] = std::make_unique<Button>(rows[i].x, rows[i].y, rows[i].segments,
                                                       rows[i].offset, rows[i].label);
}

class ScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        useCamera(1024, 768);
        game = std::make_unique<Game>(BareTag{});
        ensureButtons(*game);
        auto recorder = std::make_unique<RecordingShellForTests>();
        shell = recorder.get();
        platformLayer.shell = std::move(recorder);
        app.gameState = StateTitle;
    }
    void TearDown() override { platformLayer.shell.reset(); }

    Button& button(int index) { return *game->buttons[static_cast<size_t>(index)]; }

    // Gives a button a known hit rectangle, as a drawing would.
    void placeButton(int index, int left, int top) {
        Button& b = button(index);
        b.screenRect = {left, top, left + 32 * b.segments, top + 32};
    }
    // The cursor in the middle of a button's rectangle, the left button held.
    void clickOn(int index) {
        const ScreenRect& r = button(index).screenRect;
        input.cursorScreenX = static_cast<float>(r.left + r.right) / 2.0f;
        input.cursorScreenY = static_cast<float>(r.top + r.bottom) / 2.0f;
        input.mouseDown = 1;
    }
    // Every screen button laid out in its own row, as no two overlap.
    void placeAllButtons() {
        for (int i = 0; i <= 10; ++i) placeButton(i, 10, 40 * i);
    }

    std::unique_ptr<Game> game;
    RecordingShellForTests* shell = nullptr;
};
