// Placeholder until this part of the game is built.
#include "platform/backends.hpp"
std::unique_ptr<Clock> createSystemClock() { return nullptr; }
std::unique_ptr<Clock> createVirtualClock() { return nullptr; }
