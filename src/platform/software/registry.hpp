// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a software device and the objects it hands out share: which textures
// and vertex buffers are still alive, and whether the device itself is. A
// state or binding that names a released object then reads as "none"
// instead of touching freed memory, and a state block that outlives its
// device does nothing. Every texture's contents carry a stamp that no other
// contents of any texture of the device ever get, so that two draws can
// tell whether they read the same texels.
#include <cstdint>
#include <memory>
#include <unordered_set>

namespace tiefschacht {

class SoftwareDevice;
class Texture;
class VertexBuffer;

namespace swr {

struct Registry {
    SoftwareDevice* device = nullptr;
    std::unordered_set<const Texture*> textures;
    std::unordered_set<const VertexBuffer*> buffers;
    uint64_t nextStamp = 1;
};

using RegistryPtr = std::shared_ptr<Registry>;

}  // namespace swr

}  // namespace tiefschacht
