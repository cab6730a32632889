// Placeholder until this part of the game is built.
#include "platform/backends.hpp"
std::unique_ptr<VideoOutput> createHeadlessVideoOutput() { return nullptr; }
std::unique_ptr<WindowEvents> createHeadlessWindowEvents() { return nullptr; }
