#pragma once
// Helpers for the world tests: a scratch folder that becomes the working
// directory, small file writers, and a stand-in graphics device and image
// decoder that record what the loaders ask of them.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform/graphics_device.hpp"
#include "platform/seams.hpp"
#include "unit/null_device.hpp"

namespace worldtest {

// A fresh folder with Data/ and Graphics/, made the working directory.
class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tiefschacht-XXXXXX").string();
        std::vector<char> buf(pattern.begin(), pattern.end());
        buf.push_back('\0');
        const char* made = mkdtemp(buf.data());
        root_ = made ? made : ".";
        std::filesystem::create_directories(root_ / "Data");
        std::filesystem::create_directories(root_ / "Graphics");
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(root_);
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::current_path(previous_, ec);
        std::filesystem::remove_all(root_, ec);
    }
    const std::filesystem::path& root() const { return root_; }

private:
    std::filesystem::path root_;
    std::filesystem::path previous_;
};

inline void writeText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

inline std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// A level file of 400 lines whose every cell is `fill`, with `firstLine`
// (if given) as its top line.
inline std::string levelText(int fill, const std::string& firstLine = "") {
    std::string text;
    for (int row = 0; row < 400; ++row) {
        if (row == 0 && !firstLine.empty()) {
            text += firstLine + "\n";
            continue;
        }
        for (int c = 0; c < 22; ++c) text += std::to_string(fill) + " x ";
        text += "\n";
    }
    return text;
}

// Rows are padded, so a loader that ignores the pitch is caught. `live`
// counts the textures not yet released.
// The two texture lists a World needs: one ground texture, no enemy type.
inline void writeTextureLists() {
    writeText("Data/GroundTextures.txt", "Anzahl 1 Graphics/Boden0.bmp\n");
    writeText("Data/EnemyTextures.txt", "Typen 0\n");
}

// Everything a Game reads: the texture lists, a level of open cells, one
// enemy, one item and a highscore list.
inline void writeGameFiles() {
    writeTextureLists();
    writeText("Data/Level1.txt", levelText(0));
    writeText("Data/Enemies1.txt",
              "Anzahl 1 Typ 2 X 3 Y 4 MinX -5 MaxY 6 MaxX 7 MinY -8 SpeedX 0.5 SpeedY 0.25\n");
    writeText("Data/Items.txt", "Anzahl 1 Code 25 Ersatz 0 Aktion 2 Punkte 0\n");
    std::string scores;
    for (int i = 0; i < 10; ++i) scores += "SPIELER" + std::to_string(i) + " " + std::to_string(100 - i) + "\n";
    writeText("Data/Highscore.txt", scores);
}

class FakeTexture : public Texture {
public:
    FakeTexture(uint32_t w, uint32_t h, PixelFormat f, Pool p, int* live)
        : w_(w), h_(h), format_(f), pool(p), pitch_(static_cast<int>(w * 4 + 12)),
          bytes(static_cast<size_t>(pitch_) * h, 0), live_(live) {
        ++*live_;
    }
    ~FakeTexture() override { --*live_; }
    uint32_t width() const override { return w_; }
    uint32_t height() const override { return h_; }
    PixelFormat format() const override { return format_; }
    Status lockRect(LockedRect& out) override {
        out.pitch = pitch_;
        out.bits = bytes.data();
        return StatusOk;
    }
    Status unlockRect() override { return StatusOk; }
    uint32_t pixel(uint32_t x, uint32_t y) const {
        uint32_t v;
        std::memcpy(&v, bytes.data() + y * static_cast<size_t>(pitch_) + x * 4, 4);
        return v;
    }

    uint32_t w_, h_;
    PixelFormat format_;
    Pool pool;
    int pitch_;
    std::vector<unsigned char> bytes;
    int* live_;
};

class FakeVertexBuffer : public VertexBuffer {
public:
    explicit FakeVertexBuffer(uint32_t n) : data(n, 0) {}
    uint32_t size() const override { return static_cast<uint32_t>(data.size()); }
    Status lock(uint32_t, uint32_t, void** out, uint32_t) override {
        *out = data.data();
        return StatusOk;
    }
    Status unlock() override { return StatusOk; }
    std::vector<unsigned char> data;
};

// Only texture and vertex-buffer creation do anything; every texture made
// is listed with its arguments.
class FakeDevice : public devicetest::NullDevice {
public:
    struct Created {
        uint32_t width, height, levels, usage;
        PixelFormat format;
        Pool pool;
    };
    std::vector<Created> created;
    int liveTextures = 0;
    uint32_t vertexBufferUsage = 0, vertexBufferFvf = 0;
    Pool vertexBufferPool = Pool::Default;

    Status createTexture(uint32_t w, uint32_t h, uint32_t levels, uint32_t usage, PixelFormat f,
                         Pool pool, std::unique_ptr<Texture>& out) override {
        created.push_back({w, h, levels, usage, f, pool});
        out = std::make_unique<FakeTexture>(w, h, f, pool, &liveTextures);
        return StatusOk;
    }
    Status createVertexBuffer(uint32_t length, uint32_t usage, uint32_t fvf, Pool pool,
                              std::unique_ptr<VertexBuffer>& out) override {
        vertexBufferUsage = usage;
        vertexBufferFvf = fvf;
        vertexBufferPool = pool;
        out = std::make_unique<FakeVertexBuffer>(length);
        return StatusOk;
    }
};

// Pictures by file name; every other name fails to decode. Each decode
// attempt is listed in order.
class FakeDecoder : public ImageDecoder {
public:
    std::map<std::string, DecodedImage> pictures;
    std::vector<std::string> asked;

    PictureStatus decodeFile(const char* path, uint64_t pixelLimit, DecodedImage& out,
                             std::string& error) override {
        asked.emplace_back(path);
        auto it = pictures.find(path);
        if (it == pictures.end()) {
            error = "no such picture";
            return PictureStatus::Failed;
        }
        out = it->second;
        const uint64_t pixels = static_cast<uint64_t>(out.width) * static_cast<uint64_t>(out.height);
        return pixels > pixelLimit ? PictureStatus::OverLimit : PictureStatus::Ok;
    }
    PictureStatus decodeMemory(const void*, size_t, uint64_t, DecodedImage&,
                               std::string&) override {
        return PictureStatus::Failed;
    }
    bool encode(const DecodedImage&, PictureFileType, std::string&, std::string&) override {
        return false;
    }
};

inline DecodedImage picture(int w, int h, uint32_t fill) {
    DecodedImage img;
    img.width = w;
    img.height = h;
    img.argb.assign(static_cast<size_t>(w) * h, fill);
    return img;
}

}  // namespace worldtest
