// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime_copy.hpp"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <random>
#include <sstream>

namespace tiefschacht {

namespace fs = std::filesystem;

namespace {
constexpr std::array<const char*, 3> runtimeFolders = {"Data", "Graphics", "Sound"};

void writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void copyOrLink(const fs::path& from, const fs::path& to, bool link) {
    std::error_code ec;
    if (link) {
        fs::create_hard_link(from, to, ec);
        if (!ec) return;
    }
    fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
}
}  // namespace

const char* faultName(Fault fault) {
    switch (fault) {
    case Fault::Missing: return "missing";
    case Fault::Unreadable: return "unreadable";
    case Fault::Empty: return "empty";
    case Fault::Truncated: return "truncated";
    case Fault::Garbage: return "garbage";
    }
    return "?";
}

CaseFolder::CaseFolder() {
    char pattern[] = "/tmp/tiefschacht_faultsXXXXXX";
    if (mkdtemp(pattern)) root = pattern;
    fs::create_directories(game());
}

CaseFolder::~CaseFolder() {
    // Folders a test made read-only or unreadable get their rights back first,
    // so that removing works for an ordinary user too.
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(root, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (it->is_directory(ec))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
    fs::remove_all(root, ec);
}

std::vector<std::string> runtimeFiles(const fs::path& folder) {
    std::vector<std::string> files;
    for (const char* sub : runtimeFolders) {
        std::error_code ec;
        for (auto it = fs::recursive_directory_iterator(folder / sub, ec);
             !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
            if (it->is_regular_file())
                files.push_back(it->path().lexically_relative(folder).generic_string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

namespace {
// What runs of the game leave beside the files of a runtime folder that a
// player has played in: the list's lock, a damaged list kept, the temporary
// file of a write cut short.
bool leftByARun(const std::string& name) {
    return name.ends_with(".lock") || name.find(".beschaedigt") != std::string::npos ||
           name.find(".tmp-") != std::string::npos;
}
}  // namespace

void copyRuntimeFolder(const fs::path& from, const fs::path& to,
                       const std::set<std::string>& skip) {
    for (const char* sub : runtimeFolders) {
        fs::create_directories(to / sub);
        for (const auto& entry : fs::recursive_directory_iterator(from / sub)) {
            const fs::path relative = entry.path().lexically_relative(from);
            if (skip.count(relative.generic_string())) continue;
            if (leftByARun(relative.filename().string())) continue;
            if (entry.is_directory())
                fs::create_directories(to / relative);
            else if (entry.is_regular_file())
                copyOrLink(entry.path(), to / relative, std::string(sub) != "Data");
        }
    }
}

void damageFile(const fs::path& original, const fs::path& target, Fault fault, uint32_t seed) {
    std::error_code ec;
    fs::remove(target, ec);  // never write through a link into the original
    const std::string bytes = readFile(original);
    switch (fault) {
    case Fault::Missing: return;
    case Fault::Unreadable:
        writeFile(target, bytes);
        chmod(target.c_str(), 0);
        return;
    case Fault::Empty: writeFile(target, ""); return;
    case Fault::Truncated: writeFile(target, bytes.substr(0, bytes.size() / 2)); return;
    case Fault::Garbage: {
        std::mt19937 random(seed);
        std::string garbage(bytes.size(), '\0');
        for (char& c : garbage) c = static_cast<char>(random() & 0xFFu);
        writeFile(target, garbage);
        return;
    }
    }
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace tiefschacht
