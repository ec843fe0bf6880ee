#pragma once
// The small interfaces through which the runtime reaches the machine. The app
// hands in one implementation of each: a real one (SDL) or a headless one.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "runtime/geometry.h"
#include "runtime/surface.h"

namespace kv {

struct InputEvent {
    // KeyDown is a fresh press (the desktop's own repeats are not passed on);
    // KeyUp and FocusLost feed the game's key repeat; Close is the window's
    // close button; Quit is the system asking the program to end (a signal).
    enum class Kind { KeyDown, Click, Text, Close, KeyUp, FocusLost, Quit };
    Kind kind = Kind::KeyDown;
    int vk = 0;           // KeyDown, KeyUp: virtual-key code
    int x = 0, y = 0;     // Click: frame coordinates
    std::string text;     // Text: UTF-8
};

// The window (or its headless stand-in): presentation, input, wall clock,
// pointer and display mode.
class Display {
public:
    virtual ~Display() = default;
    virtual bool headless() const = 0;
    virtual void present(const Surface& frame) = 0;
    // The frame again, where only the rectangles listed differ from the one
    // presented before: a window pushes just those to the screen.
    virtual void presentChanges(const Surface& frame, const std::vector<Rect>& changed) {
        (void)changed;
        present(frame);
    }
    virtual void poll(std::vector<InputEvent>& out) = 0;
    virtual std::uint64_t wallMs() = 0;
    virtual void sleepMs(int ms) = 0;
    // Sleeps until input arrives or ms have passed, whichever comes first.
    virtual void waitForInput(int ms) { sleepMs(ms); }
    // How many pictures a second the display shows: frames come no faster.
    virtual int refreshHz() { return 60; }
    // The desktop pointer's show counter: +1 per show, -1 per hide; the pointer
    // is visible while the counter is 0 or more. Returns the new counter.
    virtual int showCursor(bool show) = 0;
    // The screen size in pixels as the game finds it at start-up.
    virtual int screenWidth() = 0;
    virtual int screenHeight() = 0;
    // The colour as the display's pixel format can show it.
    virtual Color displayedColour(Color c) = 0;
    // 0 on success. Asking for 800 x 600 takes the game fullscreen (the frame is
    // scaled to the screen); asking for any other size leaves fullscreen.
    virtual int setDisplayMode(int width, int height) = 0;
    // The picture the desktop shows for the window (title bar, task list).
    virtual void setIcon(const Surface&) {}
};

class ImageCodec {
public:
    virtual ~ImageCodec() = default;
    virtual std::optional<Surface> loadPng(const std::string& path, std::string& error) = 0;
    // The picture as the bytes of a PNG file, for the one file writer to store.
    virtual bool encodePng(const Surface& s, std::string& bytes, std::string& error) = 0;
};

struct GlyphBitmap {
    int width = 0, height = 0;      // height is the font's line height
    int advance = 0;                // pen advance in pixels
    std::vector<std::uint8_t> alpha;
};

class FontEngine {
public:
    virtual ~FontEngine() = default;
    // Opens a face at a pixel em size; returns a handle, or -1 with error set.
    virtual int open(const std::string& path, int pixelSize, std::string& error) = 0;
    virtual int lineHeight(int handle) = 0;
    virtual bool glyph(int handle, char32_t ch, GlyphBitmap& out) = 0;
};

// Joystick devices, in the units the game's rules expect (axes 0..65535).
struct JoystickCaps {
    std::array<std::int32_t, 3> minimum{};
    std::array<std::int32_t, 3> maximum{};
    std::int32_t buttons = 0;
};
struct JoystickState {
    std::int32_t x = 0, y = 0, z = 0;
    std::uint32_t buttons = 0;
};
class JoystickDevices {
public:
    virtual ~JoystickDevices() = default;
    virtual int supported() = 0;                        // joystick numbers the system offers
    virtual bool caps(int index, JoystickCaps& out) = 0;
    virtual bool read(int index, JoystickState& out) = 0;
};

// Sound output: six effect voices (0 to 5) and one module player.
// The output is shared: each user opens it and closes it again, and it stays
// up while anyone still holds it (the title music outlives the planet screen's
// effects).
struct ModuleStatus {
    bool loaded = false;
    bool playing = false;
    double positionSeconds = 0;
    double lengthSeconds = 0;     // 0 when the player cannot tell
};
class AudioDevice {
public:
    virtual ~AudioDevice() = default;
    static constexpr int kVoices = 6;
    // False with error set when no output could be had at all.
    virtual bool open(std::string& error) = 0;
    virtual void close() = 0;
    // Gives a voice a new sample from a PCM WAV byte image, converted to the
    // output format; whatever the voice was playing is cut off first.
    virtual bool load(int voice, const std::vector<std::uint8_t>& wav, std::string& error) = 0;
    // Plays the voice's sample from its beginning, once or over and over.
    virtual bool start(int voice, bool looping, std::string& error) = 0;
    // Cuts a voice off and drops its sample.
    virtual void halt(int voice) = 0;
    virtual bool playing(int voice) = 0;

    // One module at a time: loading replaces (and silences) the one before.
    virtual bool loadModule(const std::string& path, std::string& error) = 0;
    // Starts the loaded module at a position, once or repeating.
    virtual bool playModule(bool loop, double fromSeconds, std::string& error) = 0;
    virtual void stopModule() = 0;
    virtual void unloadModule() = 0;
    virtual ModuleStatus module() = 0;
};

// The read-only system registry stand-in: answers string values by key path.
class RegistryReader {
public:
    virtual ~RegistryReader() = default;
    enum class Type { None, String, Other };
    // Returns false when the key or value does not exist.
    virtual bool query(const std::string& root, const std::string& subKey, const std::string& value,
                       std::string& data, Type& type) = 0;
};

}  // namespace kv
