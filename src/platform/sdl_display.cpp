#include "platform/sdl_display.h"

#include <SDL.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "platform/keymap.h"
#include "platform/platform.h"
#include "runtime/keys.h"

namespace kv::platform {

namespace {

// Drivers that draw into memory only: a window there is never seen.
bool showsNothing(const char* driver) {
    return driver && (SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0);
}

// Why no desktop could be reached, in the player's terms.
std::string whyNoDisplay(const std::string& sdlError) {
    const char* x = SDL_getenv("DISPLAY");
    const char* w = SDL_getenv("WAYLAND_DISPLAY");
    std::string why;
    if (!x && !w) why = "neither DISPLAY nor WAYLAND_DISPLAY is set";
    else why = std::string("cannot connect to ") + (x ? std::string("DISPLAY=") + x : "") + (x && w ? " or " : "") +
               (w ? std::string("WAYLAND_DISPLAY=") + w : "");
    if (!sdlError.empty()) why += ": " + sdlError;
    return why;
}

// No graphics device at all: GL could only be drawn by the processor, and
// finding that out costs a fifth of a second at start-up.
bool noGraphicsDevice() {
#ifdef __linux__
    std::error_code ec;
    if (std::filesystem::exists("/dev/dri", ec)) return false;
    for (const auto& e : std::filesystem::directory_iterator("/dev", ec))
        if (e.path().filename().string().rfind("nvidia", 0) == 0) return false;
    return !ec;
#else
    return false;
#endif
}

// A GL renderer drawn by the processor (Mesa's llvmpipe, say, on a machine
// without a graphics card or under Xvfb) texture-maps every frame in software
// and has no refresh to wait for: SDL's own software renderer shows the same
// frame for a fraction of the work.
bool drawsGlInSoftware(SDL_Renderer* renderer) {
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(renderer, &info) != 0 || !info.name || SDL_strncmp(info.name, "opengl", 6) != 0)
        return false;
    using GetString = const unsigned char* (*)(unsigned int);
    auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    if (!getString) return false;
    constexpr unsigned int kGlRenderer = 0x1F01;
    const char* name = reinterpret_cast<const char*>(getString(kGlRenderer));
    if (!name) return false;
    for (const char* soft : {"llvmpipe", "softpipe", "Software Rasterizer", "SWR"})
        if (SDL_strstr(name, soft)) return true;
    return false;
}

}  // namespace

SdlDisplay::SdlDisplay(int scale, std::optional<bool> fullscreen) : forced_(fullscreen) {
    // A driver named by the player is what they asked for, even an invisible one.
    const bool driverChosen = SDL_getenv("SDL_VIDEODRIVER") != nullptr;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        std::string why = SDL_GetError();
        if (!driverChosen) throw NoDisplayError(whyNoDisplay(why));
        throw std::runtime_error("Cannot open the display: " + why);
    }
    if (!driverChosen && showsNothing(SDL_GetCurrentVideoDriver())) {
        // With no desktop to show it, SDL falls back to drawing off-screen: the
        // game would run unseen and never end.
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        throw NoDisplayError(whyNoDisplay(""));
    }
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
    // The close button is the game's to answer; only the system's own request
    // to end (a signal) comes as SDL's quit.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    scale = std::max(1, scale);
    window_ = SDL_CreateWindow("Korvane", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 800 * scale, 600 * scale,
                               SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
    if (!window_) throw std::runtime_error(std::string("Cannot open a window: ") + SDL_GetError());
    openPresentation();
    SDL_StartTextInput();
    if (forced_ && *forced_) setFullscreen(true);
    clearWindow();
}

void SdlDisplay::openPresentation() {
    // A renderer the player chose (SDL_RENDER_DRIVER) is used as it is.
    const bool chosen = SDL_GetHint(SDL_HINT_RENDER_DRIVER) != nullptr;
    if (!chosen && noGraphicsDevice() && openWindowSurface()) return;
    // Frames wait for the display's refresh where the driver can.
    renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
    if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED);
    if (renderer_ && !chosen && drawsGlInSoftware(renderer_)) {
        SDL_DestroyRenderer(renderer_);
        renderer_ = nullptr;
        if (openWindowSurface()) return;
    }
    if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer_) {
        // A palette display cannot even show the frame: say what the start-up
        // check would have said.
        SDL_DisplayMode desk;
        if (SDL_GetDesktopDisplayMode(0, &desk) == 0 && SDL_BITSPERPIXEL(desk.format) <= 8) {
            const char* msg = "Please adjust your COLOUR DEPTH to 64k colours or more.";
            SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, "Korvane Information", msg, nullptr);
            throw std::runtime_error(msg);
        }
        throw std::runtime_error(std::string("Cannot draw into the window: ") + SDL_GetError());
    }
    SDL_RenderSetLogicalSize(renderer_, 800, 600);
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, 800, 600);
    if (!texture_) throw std::runtime_error(std::string("Cannot create the frame texture: ") + SDL_GetError());
}

bool SdlDisplay::openWindowSurface() {
    // Straight into the window's own pixels: SDL would otherwise back them
    // with a GL texture again.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    surfaceMode_ = SDL_GetWindowSurface(window_) != nullptr;
    return surfaceMode_;
}

void SdlDisplay::clearWindow() {
    if (surfaceMode_) {
        if (SDL_Surface* ws = SDL_GetWindowSurface(window_)) SDL_FillRect(ws, nullptr, SDL_MapRGB(ws->format, 0, 0, 0));
        SDL_UpdateWindowSurface(window_);
        return;
    }
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_RenderPresent(renderer_);
}

SdlDisplay::~SdlDisplay() {
    if (fullscreen_) SDL_SetWindowFullscreen(window_, 0);
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) SDL_DestroyWindow(window_);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void SdlDisplay::setIcon(const Surface& icon) {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint32_t*>(icon.data()), icon.width(),
                                                        icon.height(), 32, icon.width() * 4, SDL_PIXELFORMAT_ARGB8888);
    if (!s) return;   // the window keeps the desktop's own icon
    SDL_SetWindowIcon(window_, s);
    SDL_FreeSurface(s);
}

// Where the 800 x 600 frame sits in a window of that size: as large as it
// fits with its aspect kept, centred, black bars around it.
static SDL_Rect frameArea(int w, int h) {
    const double scale = std::min(w / 800.0, h / 600.0);
    const int fw = std::max(1, static_cast<int>(800 * scale + 0.5)), fh = std::max(1, static_cast<int>(600 * scale + 0.5));
    return SDL_Rect{(w - fw) / 2, (h - fh) / 2, fw, fh};
}

void SdlDisplay::present(const Surface& frame) { presentChanges(frame, {frame.bounds()}); }

void SdlDisplay::presentChanges(const Surface& frame, const std::vector<Rect>& changed) {
    last_ = &frame;
    if (!surfaceMode_) {
        // The texture takes what changed; drawing it to the window is the graphics card's work.
        for (const Rect& r : changed) {
            SDL_Rect area{r.x, r.y, r.w, r.h};
            SDL_UpdateTexture(texture_, &area, frame.row(r.y) + r.x, frame.width() * 4);
        }
        SDL_RenderClear(renderer_);
        SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
        SDL_RenderPresent(renderer_);
        return;
    }
    SDL_Surface* ws = SDL_GetWindowSurface(window_);
    if (!ws) return;
    SDL_Surface* src = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint32_t*>(frame.data()), frame.width(),
                                                          frame.height(), 32, frame.width() * 4,
                                                          SDL_PIXELFORMAT_ARGB8888);
    if (!src) return;
    SDL_SetSurfaceBlendMode(src, SDL_BLENDMODE_NONE);
    const SDL_Rect area = frameArea(ws->w, ws->h);
    const bool sameSize = area.w == frame.width() && area.h == frame.height();
    if (sameSize && !wholeNext_) {
        // A window the frame's own size: only the rectangles that changed go to the screen.
        std::vector<SDL_Rect> onScreen;
        for (const Rect& r : changed) {
            SDL_Rect from{r.x, r.y, r.w, r.h}, to{area.x + r.x, area.y + r.y, r.w, r.h};
            SDL_BlitSurface(src, &from, ws, &to);
            onScreen.push_back(SDL_Rect{area.x + r.x, area.y + r.y, r.w, r.h});
        }
        SDL_UpdateWindowSurfaceRects(window_, onScreen.data(), static_cast<int>(onScreen.size()));
    } else {
        // Scaled (or the window is new): the whole frame, smoothed as it is stretched.
        SDL_FillRect(ws, nullptr, SDL_MapRGB(ws->format, 0, 0, 0));
        SDL_Rect to = area;
        if (sameSize) SDL_BlitSurface(src, nullptr, ws, &to);
        else if (ws->format->format != SDL_PIXELFORMAT_ARGB8888 && ws->format->format != SDL_PIXELFORMAT_RGB888)
            SDL_BlitScaled(src, nullptr, ws, &to);
        else {
            // The window's format holds the same bytes (its alpha unused): stretched straight in.
            SDL_Surface* same = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint32_t*>(frame.data()),
                                                                   frame.width(), frame.height(), 32,
                                                                   frame.width() * 4, ws->format->format);
            if (same) SDL_SoftStretchLinear(same, nullptr, ws, &to);
            SDL_FreeSurface(same);
        }
        SDL_UpdateWindowSurface(window_);
        wholeNext_ = false;
    }
    SDL_FreeSurface(src);
}

void SdlDisplay::repaint() {
    // The window was uncovered or resized: the last frame, whole.
    wholeNext_ = true;
    if (last_) present(*last_);
}

void SdlDisplay::poll(std::vector<InputEvent>& out) {
    auto key = [&](InputEvent::Kind kind, int vk) { out.push_back(InputEvent{kind, vk, 0, 0, {}}); };
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        switch (e.type) {
            // The system asks the program to end (a signal, the session ending): it does.
            case SDL_QUIT: out.push_back(InputEvent{InputEvent::Kind::Quit, 0, 0, 0, {}}); break;
            case SDL_KEYDOWN: {
                // The game makes its own repeats, the same on every desktop.
                if (e.key.repeat) break;
                // Alt+Enter switches between the window and fullscreen.
                if (e.key.keysym.sym == SDLK_RETURN && (e.key.keysym.mod & KMOD_ALT)) {
                    setFullscreen(!fullscreen_);
                    break;
                }
                if (int vk = virtualKeyFor(e.key.keysym.sym, e.key.keysym.scancode)) key(InputEvent::Kind::KeyDown, vk);
                break;
            }
            case SDL_KEYUP:
                if (int vk = virtualKeyFor(e.key.keysym.sym, e.key.keysym.scancode)) key(InputEvent::Kind::KeyUp, vk);
                break;
            // A game pad's Start pauses, as Esc does.
            case SDL_CONTROLLERBUTTONDOWN:
            case SDL_CONTROLLERBUTTONUP:
                if (e.cbutton.button == SDL_CONTROLLER_BUTTON_START)
                    key(e.type == SDL_CONTROLLERBUTTONDOWN ? InputEvent::Kind::KeyDown : InputEvent::Kind::KeyUp,
                        vk::Escape);
                break;
            case SDL_WINDOWEVENT:
                // The window's close button: the game decides (during a game it asks).
                if (e.window.event == SDL_WINDOWEVENT_CLOSE)
                    out.push_back(InputEvent{InputEvent::Kind::Close, 0, 0, 0, {}});
                if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST)
                    out.push_back(InputEvent{InputEvent::Kind::FocusLost, 0, 0, 0, {}});
                if (e.window.event == SDL_WINDOWEVENT_EXPOSED || e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)
                    repaint();
                break;
            case SDL_TEXTINPUT: out.push_back(InputEvent{InputEvent::Kind::Text, 0, 0, 0, e.text.text}); break;
            case SDL_MOUSEBUTTONDOWN:
                if (e.button.button == SDL_BUTTON_LEFT) {
                    Point p = framePoint(e.button.x, e.button.y);
                    out.push_back(InputEvent{InputEvent::Kind::Click, 0, p.x, p.y, {}});
                }
                break;
            default: break;
        }
    }
}

SdlDisplay::Point SdlDisplay::framePoint(int x, int y) {
    // A renderer maps the pointer to the frame itself; the window's own pixels do not.
    if (!surfaceMode_) return Point{x, y};
    SDL_Surface* ws = SDL_GetWindowSurface(window_);
    if (!ws) return Point{x, y};
    const SDL_Rect area = frameArea(ws->w, ws->h);
    auto floorDiv = [](int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); };
    return Point{floorDiv((x - area.x) * 800, area.w), floorDiv((y - area.y) * 600, area.h)};
}

std::uint64_t SdlDisplay::wallMs() { return SDL_GetTicks64(); }

void SdlDisplay::sleepMs(int ms) {
    if (ms > 0) SDL_Delay(static_cast<Uint32>(ms));
}

void SdlDisplay::waitForInput(int ms) {
    // Leaves the event in the queue for poll(); returns early for any event.
    if (ms > 0) SDL_WaitEventTimeout(nullptr, ms);
}

int SdlDisplay::refreshHz() {
    if (refreshHz_ > 0) return refreshHz_;
    SDL_DisplayMode m;
    int index = SDL_GetWindowDisplayIndex(window_);
    const bool known = SDL_GetCurrentDisplayMode(index < 0 ? 0 : index, &m) == 0 && m.refresh_rate > 0;
    refreshHz_ = known ? m.refresh_rate : 60;
    return refreshHz_;
}

int SdlDisplay::showCursor(bool show) {
    cursorCount_ += show ? 1 : -1;
    SDL_ShowCursor(cursorCount_ >= 0 ? int(SDL_ENABLE) : int(SDL_DISABLE));
    return cursorCount_;
}

int SdlDisplay::screenWidth() {
    SDL_DisplayMode m;
    if (SDL_GetDesktopDisplayMode(0, &m) != 0) return 800;
    return m.w;
}

int SdlDisplay::screenHeight() {
    SDL_DisplayMode m;
    if (SDL_GetDesktopDisplayMode(0, &m) != 0) return 600;
    return m.h;
}

Color readBackColour(Color c, int bitsPerPixel, int redBits, int greenBits, int blueBits) {
    if (bitsPerPixel <= 8) {
        // The system palette's primaries: each component goes to 0 or 255.
        auto snap = [](int v) { return v >= 128 ? 255 : 0; };
        return Color(snap(c.r), snap(c.g), snap(c.b));
    }
    auto keep = [](int v, int bits) {
        if (bits <= 0) return 0;
        if (bits >= 8) return v;
        return (v >> (8 - bits)) << (8 - bits);
    };
    return Color(keep(c.r, redBits), keep(c.g, greenBits), keep(c.b, blueBits));
}

Color SdlDisplay::displayedColour(Color c) {
    Uint32 fmt = SDL_GetWindowPixelFormat(window_);
    if (fmt == SDL_PIXELFORMAT_UNKNOWN) return c;
    SDL_PixelFormat* pf = SDL_AllocFormat(fmt);
    if (!pf) return c;
    auto bits = [](Uint32 mask) {
        int n = 0;
        for (; mask; mask >>= 1) n += int(mask & 1u);
        return n;
    };
    Color out = readBackColour(c, pf->BitsPerPixel, bits(pf->Rmask), bits(pf->Gmask), bits(pf->Bmask));
    SDL_FreeFormat(pf);
    return out;
}

void SdlDisplay::setFullscreen(bool on) {
    if (on == fullscreen_) return;
    if (SDL_SetWindowFullscreen(window_, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) == 0) fullscreen_ = on;
    refreshHz_ = 0;   // the window may now be on another screen
}

int SdlDisplay::setDisplayMode(int width, int height) {
    // The frame is always 800 x 600; "switching" to it means filling the screen
    // with it, which is always possible. Any other size means going back.
    bool wantFull = width == 800 && height == 600;
    if (forced_) wantFull = *forced_;
    setFullscreen(wantFull);
    return 0;
}

}  // namespace kv::platform
