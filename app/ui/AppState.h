// SPDX-License-Identifier: GPL-3.0-or-later
// Process-wide application state that the panels and widgets read. Everything here lives on the window
// thread. (The panel list operations are in gui/PanelLists.h, the panel pointers in panels/Panels.h.)
#pragma once

#include <cstdint>

class AWndFrame;

extern int32_t MouseX, MouseY;
extern uint32_t LeftDown;
extern uint32_t LeftReleased;
extern uint32_t PressClaimed;
extern uint32_t RightDown;
extern uint32_t RightClaimed;
extern uint32_t ClickSerial;
extern uint32_t FocusSerial;
extern uint32_t LastInputTick;
// A panel points this at a word that is non-zero while one of its text boxes is edited; hot keys are
// off while it is.
extern const uint32_t* ActiveTextEdit;
extern char TypedChar[2];
extern uint8_t KeyState[256];
extern uint8_t PrevKeyState[256];
extern AWndFrame* TopPanel;
extern AWndFrame* OpenPanels;
extern int32_t ClientWidth, ClientHeight;
extern uint32_t Minimized;
extern uint32_t RestoreTick;
extern const char* StatusText;
extern uint32_t Language;
extern uint32_t BgWaitStart;
extern uint32_t BgFadeStart; // 0 = not yet, 1 = finished
extern uint32_t LogoStart, LogoShownAt, LogoFadeOutStart;
extern uint32_t FirstBgFrameTick;
extern uint32_t ConnectAutoOpen;
// 1 once the start-up intro has ended: the tab bar's keys and presses work from then on.
extern uint32_t IntroEnded;

// Virtual-key codes used by the hot keys and the widgets (KeyState is indexed by them).
enum VirtualKey : uint8_t {
    VkBack = 8,
    VkReturn = 13,
    VkEscape = 27,
    VkShift = 0x10,
    VkControl = 0x11,
    VkLeft = 37,
    VkRight = 39,
    VkF1 = 0x70,
    VkF2 = 0x71,
    VkF4 = 0x73,
    VkF5 = 0x74,
    VkF6 = 0x75,
};

inline bool KeyDown(uint8_t vk) {
    return KeyState[vk] & 0x80;
}
// Went down in this pass of the main loop.
inline bool KeyPressed(uint8_t vk) {
    return (KeyState[vk] & 0x80) && !(PrevKeyState[vk] & 0x80);
}

// Puts every word above back to its initial value (tests).
void ResetAppState();
