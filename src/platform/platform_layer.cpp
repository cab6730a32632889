// Placeholder until this part of the game is built.
#include "platform/platform_layer.hpp"
#include "platform/backends.hpp"
PlatformLayer platformLayer;
PlatformLayer createPlatformLayer(const PlatformOptions&) { return {}; }
