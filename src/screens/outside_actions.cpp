// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <filesystem>
#include <system_error>

#include "platform/platform_layer.hpp"
#include "screens/outside_actions.hpp"
#include "services/app_state.hpp"
#include "world/game.hpp"

namespace tiefschacht {

namespace {

constexpr char hexDigits[] = "0123456789ABCDEF";

bool keptInUrlPath(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~' || c == '/';
}

// A target no program can be asked to open is reported; the game goes on.
void openInShell(const std::string& target) {
    std::string error;
    if (platformLayer.shell && !platformLayer.shell->open(target, error))
        warn(target + " cannot be opened: " + error);
}

}  // namespace

std::string webSiteAddress() { return std::string("http://") + webSiteHost; }

std::string fileAddress(const std::string& absolutePath) {
    std::string address = "file://";
    address.reserve(address.size() + absolutePath.size() * 3);
    for (char ch : absolutePath) {
        const auto c = static_cast<unsigned char>(ch);
        if (keptInUrlPath(c)) {
            address += ch;
        } else {
            address += '%';
            address += hexDigits[c >> 4];
            address += hexDigits[c & 0x0F];
        }
    }
    return address;
}

void openManual() {
    std::error_code error;
    const std::filesystem::path where = std::filesystem::current_path(error);
    // Without a working directory there is no address to give; the request
    // would not be examined anyway.
    if (error) return;
    openInShell(fileAddress((where / manualPath).lexically_normal().string()));
}

void openWebSiteAndClose() {
    openInShell(webSiteAddress());
    requestClose();
}

}  // namespace tiefschacht
