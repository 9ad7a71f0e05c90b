// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ui/AppState.h"

#include <cstring>

int32_t MouseX, MouseY;
uint32_t LeftDown;
uint32_t LeftReleased;
uint32_t PressClaimed;
uint32_t RightDown;
uint32_t RightClaimed;
uint32_t ClickSerial = 1;
uint32_t FocusSerial = 10000;
uint32_t LastInputTick;
const uint32_t* ActiveTextEdit;
char TypedChar[2];
uint8_t KeyState[256];
uint8_t PrevKeyState[256];
AWndFrame* TopPanel;
AWndFrame* OpenPanels;
int32_t ClientWidth, ClientHeight;
uint32_t Minimized;
uint32_t RestoreTick;
const char* StatusText = "准备启动 ...";
uint32_t Language;
uint32_t BgWaitStart;
uint32_t BgFadeStart;
uint32_t LogoStart, LogoShownAt, LogoFadeOutStart;
uint32_t FirstBgFrameTick = 0xFFFFFFFF;
uint32_t ConnectAutoOpen = 0xFFFFFFFF;
uint32_t IntroEnded;

void ResetAppState() {
    MouseX = MouseY = 0;
    LeftDown = LeftReleased = PressClaimed = RightDown = RightClaimed = 0;
    ClickSerial = 1;
    FocusSerial = 10000;
    LastInputTick = 0;
    ActiveTextEdit = nullptr;
    std::memset(TypedChar, 0, sizeof TypedChar);
    std::memset(KeyState, 0, sizeof KeyState);
    std::memset(PrevKeyState, 0, sizeof PrevKeyState);
    TopPanel = OpenPanels = nullptr;
    ClientWidth = ClientHeight = 0;
    Minimized = RestoreTick = 0;
    StatusText = "准备启动 ...";
    Language = 0;
    BgWaitStart = BgFadeStart = 0;
    LogoStart = LogoShownAt = LogoFadeOutStart = 0;
    FirstBgFrameTick = ConnectAutoOpen = 0xFFFFFFFF;
    IntroEnded = 0;
}
