// Placeholder until this part of the game is built.
#include "platform/graphics_device.hpp"
std::unique_ptr<GraphicsSystem> createSoftwareGraphicsSystem(VideoOutput*, int, int) { return nullptr; }
