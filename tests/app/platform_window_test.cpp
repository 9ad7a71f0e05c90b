// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/PlatformWindow.h"

#include <SDL.h>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct Recorder : GWindowMessage {
    std::vector<std::string> calls;
    void Add(const std::string& s) { calls.push_back(s); }
    void OnClose() override { Add("close"); }
    void OnSize(uint32_t w, uint32_t h) override {
        Add("size " + std::to_string(w) + "x" + std::to_string(h));
    }
    void OnSizeDone() override { Add("sizedone"); }
    void OnMouseMove(int x, int y) override { Add("move " + std::to_string(x) + "," + std::to_string(y)); }
    void OnLButtonDown(int x, int y) override { Add("ldown " + std::to_string(x) + "," + std::to_string(y)); }
    void OnRButtonUp(int x, int y) override { Add("rup " + std::to_string(x) + "," + std::to_string(y)); }
    void OnMouseWheel(int delta) override { Add("wheel " + std::to_string(delta)); }
    int OnKeyDown(uint32_t vk) override {
        Add("key " + std::to_string(vk));
        return 0;
    }
    int OnChar(uint32_t code, uint32_t) override {
        Add("char " + std::to_string(code));
        return 1;
    }
};

} // namespace

class PlatformEvents : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(PlatformWindow::Instance().Create(&recorder, "platform test", 960, 600))
            << SDL_GetError();
    }
    void SetUp() override {
        while (PlatformWindow::Instance().PumpOne()) {
        }
        recorder.calls.clear();
    }
    void Push(SDL_Event event) {
        event.common.timestamp = SDL_GetTicks();
        SDL_PushEvent(&event);
    }
    std::vector<std::string> PumpAll() {
        while (PlatformWindow::Instance().PumpOne()) {
        }
        return recorder.calls;
    }
    Uint32 WindowId() { return SDL_GetWindowID(PlatformWindow::Instance().Handle()); }

    static Recorder recorder;
};

Recorder PlatformEvents::recorder;

using Calls = std::vector<std::string>;

TEST_F(PlatformEvents, MouseEventsReachTheirSlotsInClientPixels) {
    SDL_Event e{};
    e.type = SDL_MOUSEBUTTONDOWN;
    e.button.windowID = WindowId();
    e.button.button = SDL_BUTTON_LEFT;
    e.button.x = 12;
    e.button.y = 34;
    Push(e);
    e.type = SDL_MOUSEBUTTONUP;
    e.button.button = SDL_BUTTON_RIGHT;
    Push(e);
    SDL_Event w{};
    w.type = SDL_MOUSEWHEEL;
    w.wheel.windowID = WindowId();
    w.wheel.y = -2; // towards the user
    Push(w);
    EXPECT_EQ(PumpAll(), (Calls{"ldown 12,34", "rup 12,34", "wheel -240"}));
}

TEST_F(PlatformEvents, ARunOfMovesIsHandledAsItsLastMove) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.windowID = WindowId();
    for (int i = 1; i <= 3; ++i) {
        e.motion.x = i * 10;
        e.motion.y = i;
        Push(e);
    }
    SDL_Event b{};
    b.type = SDL_MOUSEBUTTONDOWN;
    b.button.windowID = WindowId();
    b.button.button = SDL_BUTTON_LEFT;
    b.button.x = 30;
    b.button.y = 3;
    Push(b);
    EXPECT_TRUE(PlatformWindow::Instance().PumpOne());
    EXPECT_EQ(recorder.calls, (Calls{"move 30,3"}));
    EXPECT_EQ(PumpAll(), (Calls{"move 30,3", "ldown 30,3"}));
}

TEST_F(PlatformEvents, KeysArriveAsVirtualKeysAndTypedTextAsGbkBytes) {
    SDL_Event k{};
    k.type = SDL_KEYDOWN;
    k.key.windowID = WindowId();
    k.key.keysym.scancode = SDL_SCANCODE_F4;
    Push(k);
    k.key.keysym.scancode = SDL_SCANCODE_BACKSPACE;
    Push(k);
    SDL_Event t{};
    t.type = SDL_TEXTINPUT;
    t.text.windowID = WindowId();
    // "a", the euro sign (no GBK character: refused), and the character for "middle", GBK D6 D0.
    std::strcpy(t.text.text, "a\xE2\x82\xAC\xE4\xB8\xAD");
    Push(t);
    EXPECT_EQ(PumpAll(), (Calls{"key 115", "key 8", "char 8", "char 97", "char 214", "char 208"}));
}

TEST_F(PlatformEvents, AQuickTapStillShowsInTheNextKeySnapshot) {
    SDL_Event k{};
    k.type = SDL_KEYDOWN;
    k.key.windowID = WindowId();
    k.key.keysym.scancode = SDL_SCANCODE_F2;
    Push(k);
    k.type = SDL_KEYUP;
    Push(k);
    uint8_t keys[256];
    EXPECT_TRUE(PlatformWindow::Instance().PumpOne()); // the press; the release is already pumped
    PlatformWindow::Instance().ReadKeyState(keys);
    EXPECT_EQ(keys[0x71], 0x80);
    PumpAll();
    PlatformWindow::Instance().ReadKeyState(keys);
    EXPECT_EQ(keys[0x71], 0);
}

TEST_F(PlatformEvents, CloseRequestsReachOnCloseAndTheWindowStays) {
    SDL_Event q{};
    q.type = SDL_QUIT;
    Push(q);
    EXPECT_EQ(PumpAll(), (Calls{"close"}));
    EXPECT_NE(PlatformWindow::Instance().Handle(), nullptr);
}
