// SPDX-License-Identifier: GPL-3.0-or-later
// The one top-level window over SDL2, its GL 2.1 compatibility context, and the event pump that turns
// SDL events into the GWindowMessage operations.
#pragma once

#include <string>

#include "app/GWindowMessage.h"

#include <cstdint>

struct SDL_Window;

class PlatformWindow {
  public:
    static constexpr int MinClientWidth = 620;
    static constexpr int MinClientHeight = 400;

    static PlatformWindow& Instance();

    // Why no window can be made here: no display named and no video driver asked for (SDL would fall
    // back to a driver that shows nothing). Null when there is a display, or a driver was asked for.
    static const char* MissingDisplay();
    // The scale the screen asks for: GDK_SCALE, else Xft.dpi / 96, else the display's DPI / 96, put to
    // the nearest of 1, 1.5, 2 and 3; `how` says which it was.
    static float ScreenScale(std::string* how);
    // The largest of 3, 2, 1.5 and 1 not above `wanted` at which a client of the given units fits the
    // screen's usable area.
    static float FittingScale(float wanted, int clientWidth, int clientHeight);

    // Units to pixels and back: the window is `scale` pixels a unit, and everything the owner gets
    // (sizes, the pointer) is in units. Set before Create.
    float scale = 1.0f;
    // Creates the window centred on the screen with the given client size in units. Returns false on
    // failure (SDL's reason in LastError()).
    bool Create(GWindowMessage* owner, const char* caption, int clientWidth, int clientHeight);
    void ToggleFullScreen();
    // Makes the GL context current with the default state. Returns the context, or null.
    void* SetupGL();
    // 0 or -1 when the driver cannot set it.
    int SetSwapInterval(int interval);
    void SwapBuffers();
    // Whether the back buffer still holds what was drawn in it after a swap, so that a frame may draw
    // again only what changed. The software renderers copy the back buffer out and keep it; other
    // drivers may hand back another buffer. Looked at once, after SetupGL (two near-black frames).
    bool KeepsBackBuffer();
    // The clipboard's text (UTF-8), empty when it holds none.
    std::string ClipboardText() const;

    // Takes at most one event and hands it to the owner (a run of mouse moves counts as one, the last).
    // Returns true when an event was handled.
    bool PumpOne();
    // Events handled other than pointer moves (keys, buttons, the wheel, the window's own), counted.
    uint32_t eventsBesidesMotion = 0;
    // Waits until an event is queued or `timeoutMs` passes, without taking the event.
    bool WaitForEvent(uint32_t timeoutMs);
    // Fills a 256-byte virtual-key snapshot (bit 0x80 = down).
    void ReadKeyState(uint8_t keys[256]);
    void CaptureMouse(bool on);
    // A message box; the text goes to standard error as well, so a box that cannot be shown hides
    // nothing.
    void ShowMessage(const char* caption, const char* text);
    const char* LastError() const { return lastError.c_str(); }
    // Asks the window to redraw (an expose that reaches OnPaint).
    void Invalidate();

    SDL_Window* Handle() const { return window; }
    int width = 0, height = 0, x = 0, y = 0;
    int savedRect[4] = {};
    int fullScreen = 0;
    std::string lastError;

  private:
    int Pixels(int units) const;
    // Tells the owner the client size (in units) of a drawable this many pixels.
    void ReportSize(int pixelWidth, int pixelHeight);
    void Dispatch(const void* event);
    void DispatchWindowEvent(const void* event);

    SDL_Window* window = nullptr;
    void* context = nullptr;
    // Keys whose press was handed out since the last snapshot: a tap that is over before the next
    // snapshot still shows as down in it once.
    uint8_t pressedSinceSnapshot[256] = {};
    GWindowMessage* owner = nullptr;
};

// The nearest of 1, 1.5, 2 and 3 to a wanted scale (1 for anything below 1.25 or not a number).
float SnapScale(float wanted);

// Virtual-key code for an SDL scancode, 0 when it has none.
uint8_t VirtualKeyFromScancode(int scancode);
