// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shared set-up of the screen tests: a bare Game with its buttons, the
// camera of the game at a chosen resolution, a scratch working folder, and a
// shell that records what it is asked to open.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/platform_layer.hpp"
#include "play/play_state.hpp"
#include "services/app_state.hpp"
#include "services/graphics.hpp"
#include "services/input.hpp"
#include "services/settings.hpp"
#include "shell/process_state.hpp"
#include "support/scratch_folder.hpp"
#include "world/data_tables.hpp"
#include "world/game.hpp"

namespace tiefschacht {

class RecordingShellForTests : public ShellOpener {
public:
    bool open(const std::string& target, std::string& error) override {
        log.push_back(target);
        error = refusal;
        return refusal.empty();
    }
    void endFrame() override {}
    const std::vector<std::string>& requests() const override { return log; }
    std::vector<std::string> log;
    std::string refusal;  // when set, every request fails with this reason
};

inline void useCamera(int width, int height) {
    settings.screenWidth = width;
    settings.screenHeight = height;
    graphics.viewMatrix = matrixLookAtLH({0, 0, 0}, {0, 0, 1}, {0, 1, 0});
    graphics.projectionMatrix = matrixPerspectiveFovLH(
        0.7853982f, static_cast<float>(width) / static_cast<float>(height), 1.0f, 1000.0f);
    graphics.viewProjection = matrixMultiply(graphics.viewMatrix, graphics.projectionMatrix);
}

class ScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetProcessState();  // the tests also hold when run in one process
        useCamera(1024, 768);
        game = std::make_unique<Game>(BareTag{});
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
    // The files "Spiel starten" reads: a level with a floor, a wall and an
    // item where the hero starts, and two enemies.
    void writeNewGameFiles() {
        std::string text;
        for (int row = 399; row >= 0; --row)
            for (int col = 0; col < 22; ++col) {
                const int code = row == 391 && col == 10 ? 23 : (col == 0 || row < 391 ? 70 : 0);
                text += std::to_string(code) + " x" + (col == 21 ? "\n" : " ");
            }
        testsupport::writeFile("Data/Level1.txt", text);
        testsupport::writeFile(
            "Data/Enemies1.txt",
            "Anzahl 2\n"
            "Typ 3 X 4.5 Y 7 MinX 1 MaxY 9 MaxX 8 MinY 2 TempoX 0.25 TempoY -0.5\n"
            "Typ 1 X -3 Y -20 MinX -9 MaxY -1 MaxX 0 MinY -30 TempoX 0 TempoY 1\n");
    }
    // Every screen button laid out in its own row, as no two overlap.
    void placeAllButtons() {
        for (int i = 0; i <= 10; ++i) placeButton(i, 10, 40 * i);
    }

    testsupport::ScratchFolder
        folder;  // the working directory, for the files the screens read and write
    std::unique_ptr<Game> game;
    RecordingShellForTests* shell = nullptr;
};

}  // namespace tiefschacht
