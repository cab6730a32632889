#include "platform/once_per_press_shell.hpp"

#include <algorithm>

namespace {
bool contains(const std::vector<std::string>& v, const std::string& s) {
    return std::find(v.begin(), v.end(), s) != v.end();
}
}  // namespace

void OncePerPressShell::open(const std::string& target) {
    if (contains(thisFrame_, target)) return;
    thisFrame_.push_back(target);
    if (contains(previousFrame_, target)) return;
    opened_.push_back(target);
    if (opener_) opener_(target);
}

void OncePerPressShell::endFrame() {
    previousFrame_.swap(thisFrame_);
    thisFrame_.clear();
}
