// Placeholder until this part of the game is built.
#include "platform/backends.hpp"
std::unique_ptr<VideoOutput> createSdlVideoOutput() { return nullptr; }
std::unique_ptr<WindowEvents> createSdlWindowEvents() { return nullptr; }
