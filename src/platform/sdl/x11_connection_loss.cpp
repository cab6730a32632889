// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sdl/x11_connection_loss.hpp"

#include <X11/Xlib.h>
#include <unistd.h>

#include <string_view>

namespace tiefschacht {

namespace {
int endOnLostConnection(Display* /*display*/) {
    // Only what is safe here: one write, then the end without clean-up.
    constexpr std::string_view message = "tiefschacht: the connection to the display was lost\n";
    [[maybe_unused]] const ssize_t written = write(STDERR_FILENO, message.data(), message.size());
    _exit(1);
}
}  // namespace

void endAtOnceWhenTheXServerIsLost() { XSetIOErrorHandler(&endOnLostConnection); }

}  // namespace tiefschacht
