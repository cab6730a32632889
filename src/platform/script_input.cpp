// Placeholder until this part of the game is built.
#include "platform/backends.hpp"
#include "platform/input_script.hpp"
std::unique_ptr<InputDevices> createScriptInputDevices(std::shared_ptr<InputScript>) { return nullptr; }
