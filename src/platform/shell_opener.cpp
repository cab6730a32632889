// Placeholder until this part of the game is built.
#include "platform/backends.hpp"
std::unique_ptr<ShellOpener> createDesktopShell() { return nullptr; }
std::unique_ptr<ShellOpener> createRecordingShell() { return nullptr; }
