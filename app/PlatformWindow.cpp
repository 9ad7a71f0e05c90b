// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/PlatformWindow.h"

#include "app/ui/Projection.h"
#include "common/Embed.h"
#include "common/GbkText.h"
#include "common/Trace.h"

#include <GL/gl.h>
#include <SDL.h>
#include <algorithm>
#include <cmath>
#include <dlfcn.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

uint32_t SizeMoveFlags;

// The window's own icon: the desktop icon at 64 x 64, RGBA, drawn by the art tool and built in.
TONVEX_EMBED(tonvex_window_icon, TONVEX_WINDOW_ICON);
extern "C" const uint8_t tonvex_window_icon_start[], tonvex_window_icon_end[];

uint8_t VirtualKeyFromScancode(int sc) {
    if (sc >= SDL_SCANCODE_A && sc <= SDL_SCANCODE_Z)
        return static_cast<uint8_t>('A' + (sc - SDL_SCANCODE_A));
    if (sc >= SDL_SCANCODE_1 && sc <= SDL_SCANCODE_9)
        return static_cast<uint8_t>('1' + (sc - SDL_SCANCODE_1));
    if (sc == SDL_SCANCODE_0) return '0';
    if (sc >= SDL_SCANCODE_F1 && sc <= SDL_SCANCODE_F12)
        return static_cast<uint8_t>(0x70 + (sc - SDL_SCANCODE_F1));
    if (sc >= SDL_SCANCODE_KP_1 && sc <= SDL_SCANCODE_KP_9)
        return static_cast<uint8_t>(0x61 + (sc - SDL_SCANCODE_KP_1));
    switch (sc) {
    case SDL_SCANCODE_KP_0:
        return 0x60;
    case SDL_SCANCODE_BACKSPACE:
        return 8;
    case SDL_SCANCODE_TAB:
        return 9;
    case SDL_SCANCODE_RETURN:
        return 13;
    case SDL_SCANCODE_KP_ENTER:
        return 13;
    case SDL_SCANCODE_LSHIFT:
    case SDL_SCANCODE_RSHIFT:
        return 0x10;
    case SDL_SCANCODE_LCTRL:
    case SDL_SCANCODE_RCTRL:
        return 0x11;
    case SDL_SCANCODE_LALT:
    case SDL_SCANCODE_RALT:
        return 0x12;
    case SDL_SCANCODE_ESCAPE:
        return 27;
    case SDL_SCANCODE_SPACE:
        return 32;
    case SDL_SCANCODE_PAGEUP:
        return 33;
    case SDL_SCANCODE_PAGEDOWN:
        return 34;
    case SDL_SCANCODE_END:
        return 35;
    case SDL_SCANCODE_HOME:
        return 36;
    case SDL_SCANCODE_LEFT:
        return 37;
    case SDL_SCANCODE_UP:
        return 38;
    case SDL_SCANCODE_RIGHT:
        return 39;
    case SDL_SCANCODE_DOWN:
        return 40;
    case SDL_SCANCODE_INSERT:
        return 45;
    case SDL_SCANCODE_DELETE:
        return 46;
    default:
        return 0;
    }
}

PlatformWindow& PlatformWindow::Instance() {
    static PlatformWindow instance;
    return instance;
}

const char* PlatformWindow::MissingDisplay() {
    auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value && value[0];
    };
    if (set("DISPLAY") || set("WAYLAND_DISPLAY") || set("SDL_VIDEODRIVER")) return nullptr;
    return "no display: neither DISPLAY nor WAYLAND_DISPLAY is set, so there is nowhere to show the "
           "console. Start it from a desktop session, or under a virtual X server: "
           "xvfb-run -a -s \"-screen 0 1280x800x24\" tonvex (the README's run command does this by itself).";
}

namespace {

// SDL's video, started once; false when it cannot start.
bool VideoReady() {
    return SDL_WasInit(SDL_INIT_VIDEO) != 0 || SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
}

// A pixel of the window as the unit it lies in.
int Unit(int pixel, float scale) {
    return static_cast<int>(std::floor(pixel / scale));
}

} // namespace

bool PlatformWindow::Create(GWindowMessage* receiver, const char* caption, int clientWidth,
                            int clientHeight) {
    owner = receiver;
    if (!VideoReady()) {
        lastError = SDL_GetError();
        return false;
    }
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SetDrawScale(scale, Pixels(clientHeight));
    window =
        SDL_CreateWindow(caption, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, Pixels(clientWidth),
                         Pixels(clientHeight), SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE | SDL_WINDOW_HIDDEN);
    if (!window) {
        lastError = SDL_GetError();
        return false;
    }
    // The GL context is made while the window is still hidden: an X error that showing, raising and
    // focusing the window may draw arrives asynchronously, and one that lands while SDL traps errors
    // for the context's creation fails that creation. SetupGL tries again if this one failed.
    context = SDL_GL_CreateContext(window);
    SDL_SetWindowMinimumSize(window, Pixels(MinClientWidth), Pixels(MinClientHeight));
    constexpr int IconSize = 64;
    if (tonvex_window_icon_end - tonvex_window_icon_start == IconSize * IconSize * 4) {
        SDL_Surface* icon =
            SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint8_t*>(tonvex_window_icon_start), IconSize,
                                               IconSize, 32, IconSize * 4, SDL_PIXELFORMAT_RGBA32);
        if (icon) {
            SDL_SetWindowIcon(window, icon);
            SDL_FreeSurface(icon);
        }
    }
    int top = 0, left = 0, bottom = 0, right = 0;
    SDL_GetWindowBordersSize(window, &top, &left, &bottom, &right);
    width = Pixels(clientWidth) + left + right;
    height = Pixels(clientHeight) + top + bottom;
    SDL_GetWindowPosition(window, &x, &y);
    SDL_ShowWindow(window);
    SDL_RaiseWindow(window);
    SDL_StartTextInput();
    // A window that is shown reports its client size before anything else happens.
    int shownWidth = Pixels(clientWidth), shownHeight = Pixels(clientHeight);
    SDL_GetWindowSize(window, &shownWidth, &shownHeight);
    ReportSize(shownWidth, shownHeight);
    return true;
}

int PlatformWindow::Pixels(int units) const {
    return static_cast<int>(std::lround(units * scale));
}

void PlatformWindow::ReportSize(int pixelWidth, int pixelHeight) {
    SetDrawScale(scale, pixelHeight);
    owner->OnSize(static_cast<uint32_t>(Unit(pixelWidth, scale)),
                  static_cast<uint32_t>(Unit(pixelHeight, scale)));
}

namespace {

// Xft.dpi from the X server's resources, read through libX11 when it is there (SDL has loaded it
// already on X11); 0 when there is none.
float XftDpi() {
    void* x11 = dlopen("libX11.so.6", RTLD_LAZY | RTLD_LOCAL);
    if (!x11) return 0.0f;
    using Open = void* (*)(const char*);
    using Close = int (*)(void*);
    using Resources = char* (*)(void*);
    auto open = reinterpret_cast<Open>(dlsym(x11, "XOpenDisplay"));
    auto close = reinterpret_cast<Close>(dlsym(x11, "XCloseDisplay"));
    auto resources = reinterpret_cast<Resources>(dlsym(x11, "XResourceManagerString"));
    float dpi = 0.0f;
    if (open && close && resources) {
        if (void* display = open(nullptr)) {
            if (const char* text = resources(display)) {
                // One resource a line: "Xft.dpi:\t192".
                for (const char* line = text; line && *line;) {
                    if (std::strncmp(line, "Xft.dpi:", 8) == 0) {
                        dpi = std::strtof(line + 8, nullptr);
                        break;
                    }
                    line = std::strchr(line, '\n');
                    if (line) ++line;
                }
            }
            close(display);
        }
    }
    dlclose(x11);
    return dpi > 0.0f ? dpi : 0.0f;
}

} // namespace

float SnapScale(float wanted) {
    if (!(wanted > 0.0f) || wanted < 1.25f) return 1.0f;
    if (wanted < 1.75f) return 1.5f;
    if (wanted < 2.5f) return 2.0f;
    return 3.0f;
}

float PlatformWindow::ScreenScale(std::string* how) {
    if (!VideoReady()) return 1.0f;
    if (const char* gdk = std::getenv("GDK_SCALE"); gdk && std::atof(gdk) > 0.0) {
        if (how) *how = std::string("GDK_SCALE=") + gdk;
        return SnapScale(static_cast<float>(std::atof(gdk)));
    }
    if (float dpi = XftDpi(); dpi > 0.0f) {
        if (how) *how = "Xft.dpi " + std::to_string(static_cast<int>(dpi));
        return SnapScale(dpi / 96.0f);
    }
    float dpi = 0.0f;
    if (SDL_GetDisplayDPI(0, &dpi, nullptr, nullptr) == 0 && dpi > 0.0f) {
        if (how) *how = "the display's " + std::to_string(static_cast<int>(dpi)) + " dpi";
        return SnapScale(dpi / 96.0f);
    }
    if (how) *how = "no screen setting";
    return 1.0f;
}

float PlatformWindow::FittingScale(float wanted, int clientWidth, int clientHeight) {
    if (!VideoReady()) return wanted;
    SDL_Rect usable{0, 0, 0, 0};
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0 || usable.w <= 0 || usable.h <= 0) return wanted;
    static const float Steps[] = {3.0f, 2.0f, 1.5f, 1.0f};
    for (float step : Steps)
        if (step <= wanted && clientWidth * step <= usable.w && clientHeight * step <= usable.h) return step;
    return 1.0f;
}

// Full screen as a borderless, top-most window covering its display, and back to the rectangle it had:
// this works with any window manager, and with none.
void PlatformWindow::ToggleFullScreen() {
    if (!window) return;
    if (!fullScreen) {
        int w = 0, h = 0;
        SDL_GetWindowPosition(window, &savedRect[0], &savedRect[1]);
        SDL_GetWindowSize(window, &w, &h);
        savedRect[2] = savedRect[0] + w;
        savedRect[3] = savedRect[1] + h;
        SDL_Rect screen{0, 0, 0, 0};
        int display = SDL_GetWindowDisplayIndex(window);
        if (SDL_GetDisplayBounds(display < 0 ? 0 : display, &screen) != 0) return;
        SDL_SetWindowBordered(window, SDL_FALSE);
        SDL_SetWindowResizable(window, SDL_FALSE);
        SDL_SetWindowPosition(window, screen.x, screen.y);
        SDL_SetWindowSize(window, screen.w, screen.h);
        SDL_SetWindowAlwaysOnTop(window, SDL_TRUE);
        fullScreen = 1;
    } else {
        SDL_SetWindowBordered(window, SDL_TRUE);
        SDL_SetWindowResizable(window, SDL_TRUE);
        SDL_SetWindowAlwaysOnTop(window, SDL_FALSE);
        SDL_SetWindowSize(window, savedRect[2] - savedRect[0], savedRect[3] - savedRect[1]);
        SDL_SetWindowPosition(window, savedRect[0], savedRect[1]);
        SDL_ShowWindow(window);
        fullScreen = 0;
    }
}

void* PlatformWindow::SetupGL() {
    if (!window) return nullptr;
    // Once more after a moment: a server that is busy (a loaded machine, a virtual display just
    // started) may refuse the first one.
    for (int attempt = 0; attempt < 2 && !context; ++attempt) {
        if (attempt > 0) SDL_Delay(200);
        context = SDL_GL_CreateContext(window);
    }
    if (!context) {
        lastError = std::string("no OpenGL context: ") + SDL_GetError();
        return nullptr;
    }
    if (SDL_GL_MakeCurrent(window, static_cast<SDL_GLContext>(context)) != 0) {
        lastError = std::string("the OpenGL context cannot be made current: ") + SDL_GetError();
        return nullptr;
    }
    SetDefaultGLState();
    return context;
}

int PlatformWindow::SetSwapInterval(int interval) {
    if (!context) return -1;
    return SDL_GL_SetSwapInterval(interval) == 0 ? 0 : -1;
}

void PlatformWindow::SwapBuffers() {
    if (window && context) SDL_GL_SwapWindow(window);
}

bool PlatformWindow::KeepsBackBuffer() {
    if (!window || !context) return false;
    const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    if (!renderer || (!std::strstr(renderer, "llvmpipe") && !std::strstr(renderer, "softpipe"))) return false;
    // Each level drawn, swapped, and read back from the back buffer: a driver that hands back the other
    // buffer shows the level before (or nothing) at least once.
    bool kept = true;
    glReadBuffer(GL_BACK);
    for (int level : {1, 2}) {
        glClearColor(level / 255.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        SDL_GL_SwapWindow(window);
        uint8_t pixel[4] = {};
        glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
        if (pixel[0] != level) kept = false;
    }
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    return kept;
}

bool PlatformWindow::WaitForEvent(uint32_t timeoutMs) {
    if (!window) {
        SDL_Delay(timeoutMs);
        return false;
    }
    return SDL_WaitEventTimeout(nullptr, static_cast<int>(timeoutMs)) == 1;
}

void PlatformWindow::ReadKeyState(uint8_t keys[256]) {
    std::memset(keys, 0, 256);
    if (!window) return;
    int count = 0;
    const Uint8* state = SDL_GetKeyboardState(&count);
    for (int sc = 0; sc < count; ++sc) {
        if (!state[sc]) continue;
        uint8_t vk = VirtualKeyFromScancode(sc);
        if (vk) keys[vk] = 0x80;
    }
    for (int vk = 0; vk < 256; ++vk)
        if (pressedSinceSnapshot[vk]) keys[vk] = 0x80;
    std::memset(pressedSinceSnapshot, 0, sizeof pressedSinceSnapshot);
}

void PlatformWindow::CaptureMouse(bool on) {
    if (window) SDL_CaptureMouse(on ? SDL_TRUE : SDL_FALSE);
}

void PlatformWindow::ShowMessage(const char* caption, const char* text) {
    ReportProblem("%s: %s", caption ? caption : "", text ? text : "");
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption, text, window);
}

void PlatformWindow::Invalidate() {
    if (!window) return;
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = SDL_WINDOWEVENT_EXPOSED;
    event.window.windowID = SDL_GetWindowID(window);
    SDL_PushEvent(&event);
}

bool PlatformWindow::PumpOne() {
    if (!window) return false;
    SDL_Event event;
    if (SDL_PollEvent(&event) != 1) return false;
    // Like the pointer position of a desktop window, mouse motion is a state, not a queue: of a run of
    // moves only the last one matters, and handling each would let the pointer lag behind.
    if (event.type == SDL_MOUSEMOTION) {
        SDL_Event next;
        while (SDL_PeepEvents(&next, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1 &&
               next.type == SDL_MOUSEMOTION)
            SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_MOUSEMOTION, SDL_MOUSEMOTION);
    } else {
        ++eventsBesidesMotion;
    }
    Dispatch(&event);
    return true;
}

namespace {

void DispatchMouse(GWindowMessage* owner, const SDL_Event& event, float scale) {
    switch (event.type) {
    case SDL_MOUSEMOTION:
        owner->OnMouseMove(Unit(static_cast<int16_t>(event.motion.x), scale),
                           Unit(static_cast<int16_t>(event.motion.y), scale));
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        int mx = Unit(static_cast<int16_t>(event.button.x), scale);
        int my = Unit(static_cast<int16_t>(event.button.y), scale);
        bool down = event.type == SDL_MOUSEBUTTONDOWN;
        if (event.button.button == SDL_BUTTON_LEFT)
            down ? owner->OnLButtonDown(mx, my) : owner->OnLButtonUp(mx, my);
        else if (event.button.button == SDL_BUTTON_RIGHT)
            down ? owner->OnRButtonDown(mx, my) : owner->OnRButtonUp(mx, my);
        else if (event.button.button == SDL_BUTTON_MIDDLE)
            down ? owner->OnMButtonDown(mx, my) : owner->OnMButtonUp(mx, my);
        break;
    }
    case SDL_MOUSEWHEEL: {
        int notches = event.wheel.y;
        if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) notches = -notches;
        if (notches != 0) owner->OnMouseWheel(notches * 120);
        break;
    }
    default:
        break;
    }
}

// `pressed` is the window's pressed-since-snapshot array: a key counts as pressed even when its release
// comes before the next snapshot.
void DispatchKeys(GWindowMessage* owner, const SDL_Event& event, uint8_t* pressed) {
    switch (event.type) {
    case SDL_KEYDOWN: {
        uint8_t vk = VirtualKeyFromScancode(event.key.keysym.scancode);
        if (vk) pressed[vk] = 1;
        if (vk && !event.key.repeat) owner->OnKeyEdge(vk, true);
        if (vk) owner->OnKeyDown(vk);
        if (vk) {
            SDL_Keycode sym = event.key.keysym.sym;
            uint32_t key = sym >= SDLK_a && sym <= SDLK_z ? static_cast<uint32_t>('A' + (sym - SDLK_a)) : vk;
            uint32_t modifiers = ((event.key.keysym.mod & KMOD_CTRL) ? GWindowMessage::ShortcutCtrl : 0u) |
                                 ((event.key.keysym.mod & KMOD_SHIFT) ? GWindowMessage::ShortcutShift : 0u);
            owner->OnShortcut(key, modifiers, event.key.repeat != 0);
        }
        // Backspace and Enter also arrive as characters, as typed text would.
        if (vk == 8 || vk == 13) owner->OnChar(vk, 0);
        break;
    }
    case SDL_KEYUP: {
        uint8_t vk = VirtualKeyFromScancode(event.key.keysym.scancode);
        if (vk) owner->OnKeyEdge(vk, false);
        break;
    }
    case SDL_TEXTINPUT: {
        char gbk[64];
        size_t n = Utf8ToGbkDropping(event.text.text, gbk, sizeof gbk);
        for (size_t i = 0; i < n; ++i)
            owner->OnChar(static_cast<uint8_t>(gbk[i]), 0);
        break;
    }
    default:
        break;
    }
}

} // namespace

void PlatformWindow::Dispatch(const void* raw) {
    const SDL_Event& event = *static_cast<const SDL_Event*>(raw);
    if (!owner) return;
    switch (event.type) {
    case SDL_QUIT:
        owner->OnClose();
        break;
    case SDL_WINDOWEVENT:
        DispatchWindowEvent(raw);
        break;
    case SDL_MOUSEMOTION:
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
    case SDL_MOUSEWHEEL:
        DispatchMouse(owner, event, scale);
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
    case SDL_TEXTINPUT:
        DispatchKeys(owner, event, pressedSinceSnapshot);
        break;
    case SDL_DROPFILE:
        if (event.drop.file) {
            owner->OnDropFile(event.drop.file);
            SDL_free(event.drop.file);
        }
        break;
    default:
        break;
    }
}

std::string PlatformWindow::ClipboardText() const {
    if (!window || !SDL_HasClipboardText()) return std::string();
    char* text = SDL_GetClipboardText();
    std::string copy = text ? text : "";
    SDL_free(text);
    return copy;
}

void PlatformWindow::DispatchWindowEvent(const void* raw) {
    const SDL_WindowEvent& event = static_cast<const SDL_Event*>(raw)->window;
    switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE:
        owner->OnClose();
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        owner->OnSetFocus();
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        owner->OnKillFocus();
        break;
    case SDL_WINDOWEVENT_EXPOSED:
        if (!(SizeMoveFlags & 1)) owner->OnPaint(SizeMoveFlags);
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED: {
        // The minimum size is a hint to the window manager; without one the window is put back.
        int leastWidth = Pixels(MinClientWidth), leastHeight = Pixels(MinClientHeight);
        if (event.data1 < leastWidth || event.data2 < leastHeight) {
            SDL_SetWindowSize(window, std::max(event.data1, leastWidth), std::max(event.data2, leastHeight));
            break;
        }
        ReportSize(event.data1, event.data2);
        if (!(SizeMoveFlags & 1)) owner->OnSizeDone();
        break;
    }
    case SDL_WINDOWEVENT_MOVED:
        SDL_GetWindowPosition(window, &x, &y);
        break;
    case SDL_WINDOWEVENT_MINIMIZED:
        owner->OnMinimize();
        break;
    case SDL_WINDOWEVENT_RESTORED:
        owner->OnRestore();
        break;
    default:
        break;
    }
}
