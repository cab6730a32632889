// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How finished frames reach the window, chosen by what the machine can do.
// A renderer on a real GPU scales and shows a frame for next to nothing; an
// OpenGL that is a software rasteriser (Mesa's llvmpipe, softpipe or swrast,
// as on a virtual machine, a remote desktop or without a GPU driver) costs
// more processor time per frame than drawing it, and then the frame is
// written into the window's own surface (or scaled there by SDL's software
// renderer) with no OpenGL at all.
#include <filesystem>
#include <string_view>

namespace tiefschacht {

enum class PresentationKind {
    Accelerated,  // the renderer SDL chose, with a streaming texture
    Software,     // the window surface, or SDL's software renderer when scaling
};

// Whether the machine has a device a GPU driver works through: a DRM node
// (dri/card*, dri/renderD*) or one of NVIDIA's own driver (nvidia*) under
// `devices`. Without one every OpenGL is a software rasteriser, so the
// window needs no renderer made just to find that out (making SDL's OpenGL
// renderer on llvmpipe costs well over 100 ms of start-up).
bool gpuDevicePresent(const std::filesystem::path& devices = "/dev");

// Whether an OpenGL renderer string names a software rasteriser.
bool softwareOpenGl(std::string_view glRenderer);

// The presentation for the renderer SDL chose first (its name, empty when
// none could be made) and, for an OpenGL one, the OpenGL renderer string
// (empty when it could not be read).
PresentationKind choosePresentation(std::string_view rendererName, std::string_view glRenderer);

}  // namespace tiefschacht
