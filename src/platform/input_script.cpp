// Placeholder until this part of the game is built.
#include "platform/input_script.hpp"
bool InputScript::parse(const std::string&, std::string& error) { error = "not built yet"; return false; }
bool InputScript::load(const std::string&, std::string& error) { error = "not built yet"; return false; }
const ScriptLine& InputScript::lineForPoll(uint64_t) const { return none_; }
std::string InputScript::describe(const KeyboardSnapshot&, int32_t, int32_t, bool) { return "-"; }
int InputScript::keyCodeOf(const std::string&) { return -1; }
