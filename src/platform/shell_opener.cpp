#include <SDL.h>

#include "platform/backends.hpp"
#include "platform/once_per_press_shell.hpp"

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
