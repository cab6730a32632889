#pragma once
// What a software device and the objects it hands out share: which textures
// and vertex buffers are still alive, and whether the device itself is. A
// state or binding that names a released object then reads as "none"
// instead of touching freed memory, and a state block that outlives its
// device does nothing.
#include <memory>
#include <unordered_set>

class SoftwareDevice;
class Texture;
class VertexBuffer;

namespace swr {

struct Registry {
    SoftwareDevice* device = nullptr;
    std::unordered_set<const Texture*> textures;
    std::unordered_set<const VertexBuffer*> buffers;
};

using RegistryPtr = std::shared_ptr<Registry>;

}  // namespace swr
