// Opening documents and web addresses: the desktop shell, which opens each
// target at most once per press of a button, and the headless one, which
// only keeps the requests.
#include <SDL.h>

#include <algorithm>

#include "platform/backends.hpp"
#include "platform/once_per_press_shell.hpp"

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

namespace {
// Opens nothing; keeps every request in order.
class RecordingShell final : public ShellOpener {
public:
    void open(const std::string& target) override { requests_.push_back(target); }
    void endFrame() override {}
    const std::vector<std::string>& requests() const override { return requests_; }

private:
    std::vector<std::string> requests_;
};
}  // namespace

// Documents and web addresses go to the desktop's default program.
std::unique_ptr<ShellOpener> createDesktopShell() {
    return std::make_unique<OncePerPressShell>(
        [](const std::string& target) { SDL_OpenURL(target.c_str()); });
}
std::unique_ptr<ShellOpener> createRecordingShell() { return std::make_unique<RecordingShell>(); }
