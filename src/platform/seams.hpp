// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The seams between the game and the machine. The game logic talks to the
// platform only through these interfaces; each has a real backend (SDL2,
// SDL2_mixer, SDL2_image, FreeType, fontconfig) and a headless one, chosen
// once at start (platform_layer.hpp).
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tiefschacht {

struct DecodedImage;

// ---------------------------------------------------------------- video --
// A finished frame: ARGB8888, width x height, rows tightly packed. The
// device that drew it and the output that shows it share it, so neither
// copies it; the device never draws into a frame an output still holds.
struct Frame {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
};

// The window and the presentation of finished frames.
class VideoOutput {
public:
    virtual ~VideoOutput() = default;
    // One borderless window of the given size (full-screen: the desktop's
    // full-screen mode with the picture scaled to fit at 4:3). False when no
    // window can be had; `error` then says why.
    virtual bool openWindow(const char* title, int width, int height, bool fullScreen,
                            std::string& error) = 0;
    virtual void closeWindow() = 0;
    virtual bool windowOpen() const = 0;
    // The size the window was opened with, in pixels (0 x 0 before).
    virtual int windowWidth() const = 0;
    virtual int windowHeight() const = 0;
    // Shows a finished frame. `changed` is false when it shows the same
    // pixels as the frame of the last call, so nothing need be done (unless
    // the window lost its picture).
    virtual void present(std::shared_ptr<const Frame> frame, bool changed) = 0;
    // The last presented frame's pixels (empty before the first).
    virtual const std::vector<uint32_t>& lastFrame() const = 0;
    virtual int lastFrameWidth() const = 0;
    virtual int lastFrameHeight() const = 0;
    // A modal error message box owned by the window (headless: stderr).
    virtual void showErrorBox(const char* caption, const char* text) = 0;
    // Whether the window has the input focus (headless: always).
    virtual bool hasFocus() const = 0;
    // The picture the desktop shows for the window (task bars, docks,
    // switchers). Without a window: nothing.
    virtual void setIcon(const DecodedImage& /*icon*/) {}
    // How finished frames reach the screen, in a few words (for the
    // timedemo's report).
    virtual std::string presentation() const = 0;
};

// -------------------------------------------------------- window events --
enum class PlatformEvent {
    None,         // nothing waiting
    CloseWindow,  // the window's close button or the desktop's quit request
    FocusLost,    // the keyboard went to another window, or the window was minimised
    FocusGained,  // the keyboard is the window's again
    Other,        // anything else (handled by the default handling: nothing)
};

class WindowEvents {
public:
    virtual ~WindowEvents() = default;
    // Takes at most one event without waiting.
    virtual PlatformEvent takeEvent() = 0;
    // Whether a close request waits among the events, leaving them all in place.
    virtual bool closePending() = 0;
};

// ---------------------------------------------------------------- clock --
class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since some start, 32-bit, wrapping.
    virtual uint32_t ticks() = 0;
    // Gives the processor away until tick `tick` begins; returns at once when
    // it has begun (ticks are compared as a signed 32-bit difference).
    virtual void sleepUntil(uint32_t tick) = 0;
};

// ------------------------------------------------------- input devices --
// Raw device snapshots with the old key codes (key positions of a US layout).
using KeyboardSnapshot = std::array<uint8_t, 256>;

struct MouseSnapshot {
    int32_t dx = 0;
    int32_t dy = 0;
    int32_t wheel = 0;
    std::array<uint8_t, 8> buttons{};  // high bit set: down; [0] is the left button
    // Where a pointer that knows its place (the desktop's pointer, a tablet,
    // a touch screen, a remote desktop) is, in pixels of the presented frame;
    // pointerKnown is false when the backend has no such pointer.
    bool pointerKnown = false;
    float pointerX = 0.0f;
    float pointerY = 0.0f;
};

enum class AcquireResult { Ok, InputLost, Failed };

class InputDevices {
public:
    virtual ~InputDevices() = default;
    virtual bool createKeyboard() = 0;
    virtual bool createMouse() = 0;
    virtual AcquireResult acquireKeyboard() = 0;
    virtual AcquireResult acquireMouse() = 0;
    // False when the read fails (device lost); the snapshot is then left as is.
    virtual bool readKeyboard(KeyboardSnapshot& out) = 0;
    virtual bool readMouse(MouseSnapshot& out) = 0;
    virtual void unacquire() = 0;
    virtual void release() = 0;
};

// ---------------------------------------------------------------- audio --
class AudioClip {
public:
    virtual ~AudioClip() = default;
    virtual const std::string& fileName() const = 0;
};

class AudioDevice {
public:
    virtual ~AudioDevice() = default;
    // False when no output can be had: the game then runs silently.
    virtual bool open() = 0;
    virtual bool isOpen() const = 0;
    // Null when the file is missing or not a WAV file the output can play
    // (or the output is not open); `error` then says why.
    virtual std::unique_ptr<AudioClip> load(const std::string& path, std::string& error) = 0;
    // Starts an effect on a channel; an effect still sounding on that channel
    // is not cut off.
    virtual void playEffect(AudioClip& clip, int channel) = 0;
    // Music: one looping piece at a time.
    virtual void playMusic(AudioClip& clip, bool loopForever) = 0;
    virtual void stopMusic(AudioClip& clip) = 0;
    virtual bool musicPlaying() const = 0;
    // Linear gain applied to music and effects alike, 0..1.
    virtual void setMasterGain(float gain) = 0;
    virtual void stopAll() = 0;
    virtual void close() = 0;
};

// ----------------------------------------------------- glyph rasteriser --
class GlyphFace {
public:
    virtual ~GlyphFace() = default;
    // The common cell height of the face in pixels.
    virtual int cellHeight() const = 0;
    // The advance width of a character in pixels.
    virtual int advance(unsigned char c) const = 0;
    // Draws the character anti-aliased, white on black, with its cell's
    // top-left corner at (x, y) into an 8-bit coverage bitmap; clipped.
    virtual void draw(unsigned char c, uint8_t* coverage, int bitmapWidth, int bitmapHeight, int x,
                      int y) const = 0;
};

class GlyphRasteriser {
public:
    virtual ~GlyphRasteriser() = default;
    // A face found by name, at a pixel height (the character height).
    // Null when no face can be found; `error` then names the face.
    virtual std::unique_ptr<GlyphFace> openFace(const char* faceName, int pixelHeight, bool bold,
                                                bool italic, std::string& error) = 0;
    virtual int dotsPerInch() const = 0;  // 96
};

// ---------------------------------------------------------- image files --
struct DecodedImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> argb;  // A8R8G8B8, rows top first
};

enum class PictureStatus {
    Ok,
    Failed,     // unreadable, not a picture, damaged, or beyond what any texture takes
    OverLimit,  // more pixels than the caller's limit (width and height are set)
};

enum class PictureFileType { Png, Bmp };

class ImageDecoder {
public:
    virtual ~ImageDecoder() = default;
    // Decodes a BMP, PNG or JPEG picture file (a regular file of bounded
    // size) or the bytes of one. A picture of more than `pixelLimit` pixels
    // is refused, before decoding where its header tells its size. On
    // failure `error` says why.
    virtual PictureStatus decodeFile(const char* path, uint64_t pixelLimit, DecodedImage& out,
                                     std::string& error) = 0;
    virtual PictureStatus decodeMemory(const void* data, size_t size, uint64_t pixelLimit,
                                       DecodedImage& out, std::string& error) = 0;
    // The bytes of a picture file of the given type; false (with `error`)
    // when the picture cannot be encoded.
    virtual bool encode(const DecodedImage& image, PictureFileType type, std::string& out,
                        std::string& error) = 0;
};

// ---------------------------------------------------------------- shell --
class ShellOpener {
public:
    virtual ~ShellOpener() = default;
    // Asks the desktop to open a document or web address. False, with the
    // reason in `error`, when it cannot be handed to any program (what the
    // program then does with it is not known).
    virtual bool open(const std::string& target, std::string& error) = 0;
    // Called once at the end of every frame.
    virtual void endFrame() = 0;
    virtual const std::vector<std::string>& requests() const = 0;
};

}  // namespace tiefschacht
