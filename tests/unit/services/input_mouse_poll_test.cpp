// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

#include "platform/platform_layer.hpp"
#include "services/camera.hpp"
#include "services/graphics.hpp"
#include "services/input.hpp"
#include "services/settings.hpp"
#include "support/input_fakes.hpp"

using namespace tiefschacht;

namespace {

// The screen position of a world point, worked out by hand from the camera.
ScreenPoint expectedScreen(const Vec3& p) {
    const auto v = transformPoint(p, graphics.viewProjection);
    return {(v[0] / v[3] + 1.0f) * 0.5f * static_cast<float>(settings.screenWidth),
            (1.0f - v[1] / v[3]) * 0.5f * static_cast<float>(settings.screenHeight)};
}

class MousePoll : public ::testing::Test {
protected:
    void SetUp() override {
        input = InputState{};
        settings.screenWidth = 800;
        settings.screenHeight = 600;
        graphics.viewMatrix = matrixLookAtLH({0, 0, 0}, {0, 0, 1}, {0, 1, 0});
        graphics.projectionMatrix =
            matrixPerspectiveFovLH(0.7853982f, 800.0f / 600.0f, 1.0f, 1000.0f);
        graphics.viewProjection = matrixMultiply(graphics.viewMatrix, graphics.projectionMatrix);
        const ScreenPoint centre = projectToScreen({0.0f, 0.0f, 60.0f});
        if (centre.x == 0.0f && centre.y == 0.0f) GTEST_SKIP() << "projection not built yet";

        auto fake = std::make_unique<FakeInputDevices>();
        devices = fake.get();
        platformLayer.inputDevices = std::move(fake);
        ASSERT_EQ(initInput(), 0);
    }
    void TearDown() override { platformLayer = PlatformLayer{}; }

    void poll(int32_t dx, int32_t dy, bool left = false) {
        devices->mouseReads.push_back(mouseMove(dx, dy, left));
        pollMouse();
    }

    // A pointer that knows its place, at (x, y) in the frame.
    void pointAt(float x, float y, int32_t dx = 0, int32_t dy = 0) {
        MouseSnapshot m = mouseMove(dx, dy);
        m.pointerKnown = true;
        m.pointerX = x;
        m.pointerY = y;
        devices->mouseReads.push_back(m);
        pollMouse();
    }
    // Where the arrow's tip is drawn: the top-left corner of the cursor's quad.
    ScreenPoint tip() const {
        const Vec3& p = input.cursorWorldPos;
        return expectedScreen({p.x - cursorTipOffset, p.y + cursorTipOffset, p.z});
    }

    FakeInputDevices* devices = nullptr;
};

// The cursor starts in the middle of the screen; counts move it, y downwards.
TEST_F(MousePoll, CountsMoveTheCursorFromTheMiddleWithYDownwards) {
    poll(0, 0);
    EXPECT_NEAR(input.cursorScreenX, 400.0f, 0.01f);
    EXPECT_NEAR(input.cursorScreenY, 300.0f, 0.01f);
    poll(100, 40, true);
    EXPECT_FLOAT_EQ(input.cursorWorldPos.x, 5.0f);
    EXPECT_FLOAT_EQ(input.cursorWorldPos.y, -2.0f);
    EXPECT_EQ(input.cursorWorldPos.z, 60.0f);
    const ScreenPoint s = expectedScreen(input.cursorWorldPos);
    EXPECT_NEAR(input.cursorScreenX, s.x, 0.01f);
    EXPECT_NEAR(input.cursorScreenY, s.y, 0.01f);
    EXPECT_GT(input.cursorScreenY, 300.0f);
    EXPECT_EQ(input.mouseDown, 1);
    poll(0, 0);
    EXPECT_EQ(input.mouseDown, 0);
}

// At z = 60 the screen spans about +-33.1 units across and +-24.9 up and down.
struct EdgeCase {
    const char* edge;
    int32_t approachDx, approachDy;  // stays on the screen
    int32_t pastDx, pastDy;          // would leave it
};

TEST_F(MousePoll, MovePastAnyEdgeIsUndoneOnBothAxes) {
    const EdgeCase cases[] = {
        {"right", 600, 0, 100, -20},
        {"left", -600, 0, -100, 20},
        {"top", 0, -450, 20, -100},
        {"bottom", 0, 450, -20, 100},
    };
    for (const EdgeCase& c : cases) {
        SCOPED_TRACE(c.edge);
        input.cursorWorldPos = {0.0f, 0.0f, 60.0f};
        poll(c.approachDx, c.approachDy);
        const Vec3 inside = input.cursorWorldPos;
        ASSERT_NE(inside.x + inside.y, 0.0f);

        poll(c.pastDx, c.pastDy);
        EXPECT_EQ(input.cursorWorldPos.x, inside.x);
        EXPECT_EQ(input.cursorWorldPos.y, inside.y);
        // The screen position is that of the refused point, past the edge.
        const Vec3 refused{inside.x + static_cast<float>(c.pastDx) * cursorStep,
                           inside.y - static_cast<float>(c.pastDy) * cursorStep, 60.0f};
        const ScreenPoint s = expectedScreen(refused);
        EXPECT_NEAR(input.cursorScreenX, s.x, 0.01f);
        EXPECT_NEAR(input.cursorScreenY, s.y, 0.01f);
        EXPECT_TRUE(s.x < 0.0f || s.x > 800.0f || s.y < 0.0f || s.y > 600.0f);
    }
}

TEST_F(MousePoll, AnAbsolutePointerCarriesTheArrowTipWithIt) {
    pointAt(100.0f, 100.0f);  // first seen: nothing moves yet
    EXPECT_EQ(input.cursorWorldPos.x, 0.0f);
    EXPECT_EQ(input.cursorWorldPos.y, 0.0f);

    pointAt(200.0f, 150.0f);
    EXPECT_NEAR(tip().x, 200.0f, 0.5f);
    EXPECT_NEAR(tip().y, 150.0f, 0.5f);
    // As counts in the snapshot, so a recording of the run replays the move.
    EXPECT_FLOAT_EQ(input.cursorWorldPos.x, static_cast<float>(input.mouseState.dx) * cursorStep);
    EXPECT_FLOAT_EQ(input.cursorWorldPos.y, -static_cast<float>(input.mouseState.dy) * cursorStep);

    const Vec3 resting = input.cursorWorldPos;
    pointAt(200.0f, 150.0f);
    EXPECT_EQ(input.cursorWorldPos.x, resting.x);
    // Relative counts, when they come, are what moves the cursor.
    pointAt(300.0f, 300.0f, 10, 0);
    EXPECT_FLOAT_EQ(input.cursorWorldPos.x, resting.x + 0.5f);
    EXPECT_FLOAT_EQ(input.cursorWorldPos.y, resting.y);

    // In the bottom-right corner the point the clicks test, down and right of
    // the tip, stays on the screen: the move is made, not undone.
    pointAt(799.0f, 599.0f);
    EXPECT_LE(input.cursorScreenX, 800.0f);
    EXPECT_LE(input.cursorScreenY, 600.0f);
    EXPECT_GT(input.cursorScreenX, 790.0f);
    EXPECT_GT(input.cursorScreenY, 590.0f);

    // Lost and seen again elsewhere (the pointer left the window): it moves
    // the cursor again only when it moves.
    poll(0, 0);
    const Vec3 before = input.cursorWorldPos;
    pointAt(50.0f, 50.0f);
    EXPECT_EQ(input.cursorWorldPos.x, before.x);
    EXPECT_EQ(input.cursorWorldPos.y, before.y);
}

TEST_F(MousePoll, ProjectionThatIsNotANumberCountsAsOutside) {
    poll(10, 10);
    const Vec3 before = input.cursorWorldPos;
    graphics.viewProjection.m[0][0] = std::numeric_limits<float>::quiet_NaN();
    poll(10, 10);
    EXPECT_EQ(input.cursorWorldPos.x, before.x);
    EXPECT_EQ(input.cursorWorldPos.y, before.y);
    EXPECT_TRUE(std::isnan(input.cursorScreenX));
}

TEST_F(MousePoll, FailedReadLeavesTheMouseUnmovedWithNoButton) {
    poll(20, 0, true);
    const Vec3 before = input.cursorWorldPos;
    const int acquires = devices->mouseAcquires;
    pollMouse();  // nothing queued: the read fails
    EXPECT_EQ(devices->mouseAcquires, acquires + 1);
    EXPECT_EQ(input.cursorWorldPos.x, before.x);
    EXPECT_EQ(input.mouseDown, 0);
    EXPECT_EQ(input.mouseState.dx, 0);
}

}  // namespace
