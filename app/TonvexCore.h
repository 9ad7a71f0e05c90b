// SPDX-License-Identifier: GPL-3.0-or-later
// The one application object: receives the window's events, keeps the input state every widget reads,
// routes input to the panels, owns the panel lists, polls the hot keys, runs the intro and draws each
// frame.
#pragma once

#include <string>

#include "app/GWindowMessage.h"
#include "gui/PartialFrame.h"
#include "gui/PanelLists.h"

#include <cstdint>

class PlatformWindow;
class AWndFrame;

enum CoreState : uint32_t {
    GlReady = 0x1,
    Started = 0x2,
    Running = 0x4,
    QuitRequested = 0x8,
    LogoDone = 0x10,
    IntroDone = 0x40,
    ModeFileNotice = 0x80, // "mode.dat" could not be read: say so once the intro has ended
};

class TonvexCore : public GWindowMessage {
  public:
    static TonvexCore& Instance();

    int Run();
    int CreateMainWindow();
    // The link's frame trace on standard output too (--trace); the log always has it.
    bool traceOnTerminal = true;
    // --scale: 1, 1.5, 2 or 3 pixels a unit; 0 takes the settings' tonvex_scale, else the screen's.
    float requestedScale = 0.0f;
    // The scale to draw at and why (the settings' and the screen's are brought down to one at which
    // the window fits the screen).
    float ChooseScale(std::string* why) const;
    void StartUp();

    // What one pass of the main loop did.
    // IdleStill: an idle frame was due, but nothing on the screen can have changed since the last one.
    enum class Pass { Minimized, AfterRestore, Active, IdleFull, IdleSlowFrame, IdleSlowWait, IdleStill };
    Pass LoopPass();

    void PollKeys() override;
    void NoteSettledInput();
    void OnClose() override;
    void OnPaint(uint32_t flags) override;
    void OnGetMinMaxInfo(int* minWidth, int* minHeight) override;
    void OnSize(uint32_t width, uint32_t height) override;
    void OnMinimize() override;
    void OnRestore() override;
    int OnChar(uint32_t code, uint32_t flags) override;
    int OnKeyDown(uint32_t virtualKey) override;
    void OnKeyEdge(uint32_t virtualKey, bool down) override;
    void OnShortcut(uint32_t key, uint32_t modifiers, bool repeat) override;
    void OnDropFile(const char* path) override;
    bool AnswerKey(uint32_t key);
    bool StepKey(uint32_t key, bool shift);
    void BringPanelsInside(int w, int h);
    // Full screen was just left: the next size the window reports brings every panel inside it.
    bool panelsInsideOnNextSize = false;
    void OnKillFocus() override;
    void OnMouseMove(int x, int y) override;
    void OnLButtonDown(int x, int y) override;
    void OnLButtonUp(int x, int y) override;
    void OnRButtonDown(int x, int y) override;
    void OnRButtonUp(int x, int y) override;
    void OnMouseWheel(int delta) override;

    void OpenPanel(AWndFrame* panel);
    void FocusPanel(AWndFrame* panel);
    void ClosePanel(AWndFrame* panel);
    void MinimizePanel(AWndFrame* panel);
    void ShowStatus(const char* text);
    uint32_t SetLanguage(uint32_t language);
    // After a download or a PC-mode load: every value panel re-reads its controls, in the order the
    // panels depend on one another (the tab bar after the volume panel's limits), then the labels.
    void RefreshPanels();
    void RenderFrame();

    PlatformWindow* window = nullptr;
    int32_t clientWidth = 0;
    int32_t clientHeight = 0;
    void* hWnd = nullptr;
    void* hDC = nullptr;
    uint32_t state = 0;

    uint32_t SlowFrameTick = 0;
    // Frames the loop asked for (drawn or not: RenderFrame itself returns early before start-up ends).
    uint32_t frameRequests = 0;
    // Frames drawn whole and drawn partly since start-up; whether the window keeps its back buffer.
    uint32_t wholeFrames = 0, partialFrames = 0;
    bool keepsBackBuffer = false;
    // Input since the undo history last looked (NoteSettledInput).
    bool settleWanted = false;
    uint32_t settledInputTick = 0;
    // A still screen is drawn again after this long all the same.
    static constexpr uint32_t StillRedrawMs = 2000;
    // The words a still screen is drawn from, besides the widgets' looks.
    static constexpr int ScreenWordCount = 23;
    // How the loop waits. Tests replace them to run passes without real time passing.
    void (*sleepMs)(uint32_t ms) = nullptr;
    bool (*waitEvent)(uint32_t ms) = nullptr;

    // After a frame is shown: the first panel whose close or minimise fade has ended leaves the screen.
    void FinishCloseOrMinimise();

    // Back to the state of a new object (tests).
    void ResetForTest();

  private:
    // Steps of StartUp that are the application's own.
    void SayWhenSettingsAreNotKept();
    void LoadPcModes();
    void SetLinkHooks();
    TonvexCore();
    void Sleep(uint32_t ms);
    // One frame asked for by the loop; afterwards it notes what the screen was drawn from.
    void LoopFrame();
    bool ScreenIsStill();

    // What the last loop frame was drawn from: the words a still screen depends on, and whether a
    // widget's look was still changing with time.
    uint64_t lastScreen[ScreenWordCount] = {};
    bool lastLookChanging = true;
    uint32_t lastFrameTick = 0;

    // Frames drawn again only where a drag changes them (gui/PartialFrame.h), on a window that keeps
    // its back buffer. The next frame is whole after anything that leaves the back buffer holding
    // something else; a partial one needs the same drag followed in the frame before, with the same
    // screen words (less the sends) and no look that kept changing.
    bool ChoosePartialFrame(PartialFrame* frame);
    bool wholeFrameNext = true;
    PartialFrame lastFollowed;
    uint32_t lastFrameEvents = 0;
    uint64_t lastFrameWords[ScreenWordCount] = {};
    bool lastFrameLookChanging = true;

    void PaintStatus();
    void DrawLogo();
};
