#pragma once
// Stand-ins for the shell's tests: a temporary working directory, a clock
// that the test drives, and a graphics system and device that record what
// is asked of them.
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "platform/graphics_device.hpp"
#include "platform/seams.hpp"
#include "unit/null_device.hpp"

namespace apptest {

// A fresh directory that is the working directory while the object lives.
class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tiefschacht-XXXXXX").string();
        std::vector<char> buf(pattern.begin(), pattern.end());
        buf.push_back('\0');
        path_ = mkdtemp(buf.data());
        old_ = std::filesystem::current_path();
        std::filesystem::current_path(path_);
        std::filesystem::create_directories(path_ / "Data");
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::current_path(old_, ec);
        std::filesystem::remove_all(path_, ec);
    }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
    std::filesystem::path old_;
};

inline void writeFile(const std::filesystem::path& p, const std::string& text) {
    if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << text;
}

inline std::string readFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// Each reading advances by `step` ticks; a sleep advances by its length.
class FakeClock final : public Clock {
public:
    explicit FakeClock(uint32_t start = 0, uint32_t stepEachReading = 1)
        : now(start), step(stepEachReading) {}
    uint32_t ticks() override {
        ++reads;
        uint32_t t = now;
        now += step;
        return t;
    }
    void sleep(uint32_t ms) override {
        sleeps.push_back(ms);
        now += ms;
    }
    uint32_t now;
    uint32_t step;
    int reads = 0;
    std::vector<uint32_t> sleeps;
};

// A device that keeps its states and writes every call it gets into `calls`.
class FakeDevice final : public devicetest::NullDevice {
public:
    explicit FakeDevice(std::vector<std::string>* calls) : calls_(calls) {}
    std::map<int, uint32_t> renderStates, samplerStates, stageStates;
    std::map<int, Mat4> transforms;
    std::function<void()> onEndScene;  // runs inside the frame, after the handlers

    Status clear(uint32_t colour, float) override {
        log("clear " + std::to_string(colour));
        return StatusOk;
    }
    Status beginScene() override { return log("beginScene"); }
    Status endScene() override {
        if (onEndScene) onEndScene();
        return log("endScene");
    }
    Status present() override { return log("present"); }
    Status setTransform(TransformKind k, const Mat4& m) override {
        transforms[static_cast<int>(k)] = m;
        return log("setTransform " + std::to_string(static_cast<int>(k)));
    }
    Status getTransform(TransformKind k, Mat4& out) const override {
        auto it = transforms.find(static_cast<int>(k));
        out = it == transforms.end() ? Mat4::identity() : it->second;
        return StatusOk;
    }
    Status setRenderState(RenderState s, uint32_t v) override {
        renderStates[static_cast<int>(s)] = v;
        return log("renderState " + std::to_string(static_cast<int>(s)) + " " + std::to_string(v));
    }
    uint32_t getRenderState(RenderState s) const override { return get(renderStates, static_cast<int>(s)); }
    Status setSamplerState(int i, SamplerState s, uint32_t v) override {
        samplerStates[i * 100 + static_cast<int>(s)] = v;
        return log("samplerState " + std::to_string(i) + " " + std::to_string(static_cast<int>(s)) +
                   " " + std::to_string(v));
    }
    uint32_t getSamplerState(int i, SamplerState s) const override {
        return get(samplerStates, i * 100 + static_cast<int>(s));
    }
    Status setTextureStageState(int i, TextureStageState s, uint32_t v) override {
        stageStates[i * 100 + static_cast<int>(s)] = v;
        return log("stageState " + std::to_string(i) + " " + std::to_string(static_cast<int>(s)) +
                   " " + std::to_string(v));
    }
    uint32_t getTextureStageState(int i, TextureStageState s) const override {
        return get(stageStates, i * 100 + static_cast<int>(s));
    }
    Status beginStateBlock() override { return StatusFail; }
    const uint32_t* backBuffer() const override { return pixels_.data(); }
    int backBufferWidth() const override { return 4; }
    int backBufferHeight() const override { return 4; }
    const std::vector<DrawRecord>& drawLog() const override { return draws_; }

private:
    Status log(const std::string& s) {
        if (calls_) calls_->push_back(s);
        return StatusOk;
    }
    static uint32_t get(const std::map<int, uint32_t>& m, int k) {
        auto it = m.find(k);
        return it == m.end() ? 0u : it->second;
    }
    std::vector<std::string>* calls_;
    std::vector<uint32_t> pixels_ = std::vector<uint32_t>(16, 0);
    std::vector<DrawRecord> draws_;
};

// Answers a 32-bit desktop, accepts every format and kind of vertex
// processing unless refused, and records the checks and attempts made.
class FakeGraphicsSystem final : public GraphicsSystem {
public:
    std::vector<uint32_t> refusedKinds;
    std::vector<PixelFormat> refusedFormats;
    std::vector<uint32_t> attempts;
    std::vector<std::pair<PixelFormat, PixelFormat>> formatChecks;
    PresentParameters lastParams;
    std::vector<std::string>* deviceCalls = nullptr;
    FakeDevice* lastDevice = nullptr;

    Status getAdapterDisplayMode(DisplayMode& out) const override {
        out = {800, 600, 60, PixelFormat::X8R8G8B8};
        return StatusOk;
    }
    Status checkDeviceType(PixelFormat display, PixelFormat back, bool) const override {
        const_cast<FakeGraphicsSystem*>(this)->formatChecks.emplace_back(display, back);
        bool refused = std::find(refusedFormats.begin(), refusedFormats.end(), back) != refusedFormats.end();
        return refused ? StatusNotAvailable : StatusOk;
    }
    Status createDevice(uint32_t flags, const PresentParameters& p,
                        std::unique_ptr<GraphicsDevice>& out) override {
        attempts.push_back(flags);
        lastParams = p;
        if (std::find(refusedKinds.begin(), refusedKinds.end(), flags) != refusedKinds.end())
            return StatusNotAvailable;
        auto d = std::make_unique<FakeDevice>(deviceCalls);
        lastDevice = d.get();
        out = std::move(d);
        return StatusOk;
    }
    void refuseBehaviour(uint32_t flags) override { refusedKinds.push_back(flags); }
    void refuseFormat(PixelFormat f) override { refusedFormats.push_back(f); }
};

}  // namespace apptest
