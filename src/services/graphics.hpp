// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The graphics context: the device with its set-up and start-up log, and the
// camera's matrices (camera.hpp sets them up and projects through them).
#include <cstdint>
#include <memory>
#include <string>

#include "platform/graphics_device.hpp"
#include "platform/math3d.hpp"

namespace tiefschacht {

struct Graphics {
    std::unique_ptr<GraphicsSystem> system;  // created first, released last
    std::unique_ptr<GraphicsDevice> device;  // theDevice
    PixelFormat backBufferFormat = PixelFormat::Unknown;
    PixelFormat desktopFormat = PixelFormat::Unknown;  // read for a windowed start
    PresentParameters presentParameters;               // as the device was asked for
    float aspectRatio = 0.0f;
    Mat4 viewMatrix = Mat4::identity();
    Mat4 projectionMatrix = Mat4::identity();
    Mat4 viewProjection = Mat4::identity();  // view x projection, set with the camera
    Vec3 cameraEye{0.0f, 0.0f, 0.0f};
    Vec3 cameraAt{0.0f, 0.0f, 1.0f};
    Vec3 cameraUp{0.0f, 1.0f, 0.0f};
    std::string protocolLine;  // the line written to Data/protokoll.txt
};

extern Graphics graphics;

inline constexpr const char* protocolFile = "Data/protokoll.txt";

// The device every drawing routine uses (null before initGraphics).
inline GraphicsDevice* theDevice() { return graphics.device.get(); }

// Takes over the platform's graphics system and creates the device with the back-buffer format
// and the kind of vertex processing the settings ask for, writes the
// start-up log and sets the fixed states. Without a device the program
// cannot go on and ends with a message and exit code 1.
void initGraphics();
// The same, on a given graphics system (tests bring their own).
void initGraphicsWith(std::unique_ptr<GraphicsSystem> system);
// The device, then the graphics system; each step skips what is absent.
void releaseGraphics();

}  // namespace tiefschacht
