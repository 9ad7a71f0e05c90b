// SPDX-License-Identifier: GPL-3.0-or-later
// The application object. In this file, in order:
//   - the screen's stillness (ReadScreenWords: what the next frame would draw differently)
//   - Run, CreateMainWindow, and StartUp with its steps (SayWhenSettingsAreNotKept, LoadPcModes,
//     SetLinkHooks; the others live with the layers they build)
//   - the main loop: LoopPass, LoopFrame, ScreenIsStill, PollKeys (the hot keys)
//   - the window's events: OnPaint, OnSize, minimise and restore, keys, the mouse, routed to the panels
//   - the panel lists, the status text, the language, RefreshPanels
//   - the frame: RenderFrame (intro, background, title strip, panels, dock), DrawLogo
#include "app/TonvexCore.h"

#include "app/ui/AppState.h"
#include "app/pictures/Embedded.h"
#include "app/PlatformWindow.h"
#include "app/ui/Projection.h"
#include "app/pictures/Resources.h"
#include "app/pictures/Settings.h"
#include "app/ui/Textures.h"
#include "common/Paths.h"
#include "common/Tick.h"
#include "common/Trace.h"
#include "common/vorcore_memory.h"
#include "gui/PanelLists.h"
#include "gui/SkinPieces.h"
#include "gui/TextRenderer.h"
#include "link/LinkState.h"
#include "link/ModeFile.h"
#include "link/ParamMap.h"
#include "panels/AWndBar.h"
#include "panels/AWndCon.h"
#include "panels/EqImport.h"
#include "panels/History.h"
#include "panels/AWndHelp.h"
#include "panels/AWndIcon.h"
#include "panels/AWndImg.h"
#include "panels/AWndMVol.h"
#include "panels/AWndMic.h"
#include "panels/AWndMsg.h"
#include "panels/AWndMusic.h"
#include "panels/AWndREQ.h"
#include "panels/AWndSC.h"
#include "panels/AWndSub.h"
#include "panels/AWndSys.h"
#include "panels/Panels.h"
#include "panels/PcModes.h"

#include <GL/gl.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>

namespace {

void RealSleep(uint32_t ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

bool RealWait(uint32_t ms) {
    return PlatformWindow::Instance().WaitForEvent(ms);
}

int MessageBoxReporter(const char* text, const char* caption) {
    PlatformWindow::Instance().ShowMessage(caption, text);
    return 1;
}

bool BarHasFocus() {
    return BarPanel && BarPanel->focusSerial == FocusSerial;
}

bool PanelOpen(const AWndFrame* panel) {
    return panel && panel->IsOpen();
}

AWndFrame* Below(AWndFrame* panel) {
    return static_cast<AWndFrame*>(panel->zNext);
}

uint64_t Mix(uint64_t hash, uint64_t word) {
    return (hash ^ word) * 1099511628211u;
}

uint64_t Address(const void* p) {
    return reinterpret_cast<uintptr_t>(p);
}

// What a still screen shows, besides the widgets' own looks, and what can change while nobody touches
// the console: the link's words (a reply, a loss, a download's progress, what the threads posted), the
// message, the panel lists and each panel's place and flags, the text being edited, the language, the
// window's size and the background.
// Whether the last key snapshot holds a key down.
bool AnyKeyHeld() {
    for (uint8_t key : KeyState)
        if (key & 0x80) return true;
    return false;
}

// `sends`: with what the link is sending; a drag sends what it changes, and the screen shows none of it.
void ReadScreenWords(uint64_t* words, bool sends = true) {
    uint64_t panels = 14695981039346656037u;
    for (AWndFrame* p = TopPanel; p; p = Below(p))
        for (int64_t word : {int64_t(p->frameFlags), int64_t(p->x), int64_t(p->y), int64_t(p->width),
                             int64_t(p->height), int64_t(p->focusSerial)})
            panels = Mix(panels, static_cast<uint64_t>(word));
    uint32_t link =
        LinkLost | LinkBroken << 1 | LinkIdle << 2 | ReplyReceived << 3 | (sends && LinkHasPosts()) << 4;
    uint64_t size = uint64_t(uint32_t(ClientWidth)) << 32 | uint32_t(ClientHeight);
    uint64_t bar = BarPanel ? uint64_t(uint32_t(BarPanel->width)) << 32 | BarPanel->focusSerial : 0u;
    const uint64_t read[] = {ConnectState,
                             ConnectPanelActive,
                             static_cast<uint32_t>(ScanPortIndex.load()),
                             DownloadIndex,
                             UploadIndex,
                             link,
                             sends ? RequestIndex.load() : 0u,
                             sends ? RequestCodes[0].load() : 0u,
                             sends ? RequestValues[0].load() : 0u,
                             sends ? RequestCodes[1].load() : 0u,
                             sends ? RequestValues[1].load() : 0u,
                             MessageCode,
                             Language,
                             size,
                             FocusSerial,
                             Address(TopPanel),
                             Address(OpenPanels),
                             Address(ActiveTextEdit),
                             ActiveTextEdit ? *ActiveTextEdit : 0u,
                             uint64_t(BackgroundTextures[0]) << 32 | BackgroundTextures[1],
                             Address(StatusText),
                             panels,
                             bar};
    static_assert(sizeof read / sizeof read[0] == TonvexCore::ScreenWordCount, "one entry a screen word");
    std::memcpy(words, read, sizeof read);
}

} // namespace

TonvexCore& TonvexCore::Instance() {
    static TonvexCore instance;
    return instance;
}

TonvexCore::TonvexCore() : sleepMs(RealSleep), waitEvent(RealWait) {}

void TonvexCore::ResetForTest() {
    window = nullptr;
    clientWidth = clientHeight = 0;
    hWnd = hDC = nullptr;
    state = 0;
    SlowFrameTick = 0;
    frameRequests = 0;
    std::memset(lastScreen, 0, sizeof lastScreen);
    lastLookChanging = true;
    lastFrameTick = 0;
    keepsBackBuffer = false;
    wholeFrameNext = true;
    lastFollowed = PartialFrame{};
    lastFrameLookChanging = true;
    wholeFrames = partialFrames = 0;
    sleepMs = RealSleep;
    waitEvent = RealWait;
}

void TonvexCore::Sleep(uint32_t ms) {
    sleepMs(ms);
}

int TonvexCore::Run() {
    if (CreateMainWindow() != 0) return 1;
    StartUp();
    state |= Started | Running;
    while (!(state & QuitRequested))
        LoopPass();
    Trace(7, "frames: %u whole, %u drawn only where a drag changed them\n", wholeFrames, partialFrames);
    LinkShutdown();
    return 0;
}

namespace {

// After a start that failed: where the run's log is, to send with a report.
void SayWhereTheLogIs() {
    if (!LogPath().empty()) std::fprintf(stderr, "tonvex: this run's log: %s\n", LogPath().c_str());
}

} // namespace

float TonvexCore::ChooseScale(std::string* why) const {
    if (requestedScale > 0.0f) {
        *why = "--scale";
        return requestedScale;
    }
    std::string kept;
    float wanted;
    if (SettingsRead("tonvex_scale", &kept) && std::atof(kept.c_str()) > 0.0) {
        wanted = SnapScale(static_cast<float>(std::atof(kept.c_str())));
        *why = "tonvex_scale " + kept + " in the settings";
    } else {
        wanted = PlatformWindow::ScreenScale(why);
    }
    float fitting = PlatformWindow::FittingScale(wanted, 960, 600);
    if (fitting < wanted) {
        char note[64];
        std::snprintf(note, sizeof note, "; %g would not fit the screen", wanted);
        *why += note;
    }
    return fitting;
}

int TonvexCore::CreateMainWindow() {
    window = &PlatformWindow::Instance();
    if (const char* why = PlatformWindow::MissingDisplay()) {
        ReportProblem("%s", why);
        SayWhereTheLogIs();
        return -1;
    }
    vor_set_reporter(MessageBoxReporter);
    std::string scaleWhy;
    window->scale = ChooseScale(&scaleWhy);
    bool created = window->Create(this, "Tonvex 1.0.3 : PX2950", 960, 600);
    if (!created) ReportProblem("no window: %s", window->LastError());
    hWnd = created ? window->Handle() : nullptr;
    StatusText = "准备启动 ...";
    hDC = created ? window->SetupGL() : nullptr;
    if (!hDC) {
        // The Part's words, and why: the windowing system's own reason.
        std::string text = std::string("error HDC\n\n") + window->LastError();
        if (created) ReportProblem("%s", window->LastError());
        SayWhereTheLogIs();
        if (!LogPath().empty()) text += "\n\nLog: " + LogPath();
        window->ShowMessage("error", text.c_str());
        return -1;
    }
    window->SetSwapInterval(0);
    keepsBackBuffer = window->KeepsBackBuffer();
    state |= GlReady;
    OpenTrace("Tonvex 1.0.3", traceOnTerminal);
    Trace(7, "drawn at scale %g (%s)\n", window->scale, scaleWhy.c_str());
    if (keepsBackBuffer) Trace(7, "the window keeps its back buffer: a drag redraws only what it changes\n");
    // Glyphs are rendered monochrome (hard-edged), so there is no font-smoothing switch to turn off.
    CreateSenderThread();
    return 0;
}

// Start-up in named steps, each with the status text the window shows while it runs.
void TonvexCore::StartUp() {
    // The status texts are drawn with FontNormal, so it is made before the first of them is shown.
    MakeStatusFont();
    ShowStatus(StatusText);
    SayWhenSettingsAreNotKept();
    SetPictureStatusReporter([](const char* text) { TonvexCore::Instance().ShowStatus(text); });
    LoadPictures();

    ShowStatus("加载纹理 ...");
    LoadStoredBackground();
    LoadSkinTextures();
    MakeOtherFonts();

    ShowStatus("更新数据 (创建窗口) ...");
    MakePanels();

    ShowStatus("更新数据 (窗口连接) ...");
    BuildPanels();
    SystemLanguageSwitch = [](uint32_t language) { TonvexCore::Instance().SetLanguage(language); };
    StackPanels();

    ShowStatus("更新数据 (其它设置) ...");
    uint32_t language = 0;
    SettingsReadU32("tonvex_lang", &language);
    SetLanguage(language != 0);
    BindPanelParameters();
    LoadPcModes();
    SysPanel->ShowPcModeName();
    SetLinkHooks();

    ShowStatus("正在启动 ...");
}

void TonvexCore::SayWhenSettingsAreNotKept() {
    if (!ConfigDir().empty()) return;
    ReportProblem("HOME is not set: the settings (language, background) and the serial-port links would be "
                  "kept in $HOME/.config/tonvex (or $XDG_CONFIG_HOME/tonvex); this run keeps none of them");
}

void TonvexCore::LoadPcModes() {
    const std::string modeFile = ModeFilePath();
    Trace(7, "PC modes: %s\n", modeFile.c_str());
    if (LoadModeFile(modeFile.c_str()) != ModeFileStatus::Loaded && !ModeFileProblem().empty()) {
        ReportProblem("%s", ModeFileProblem().c_str());
        state |= ModeFileNotice; // told in the window once the intro has ended
    }
}

void TonvexCore::SetLinkHooks() {
    LinkSetHook(HookDownloadApplied, [] {
        TonvexCore::Instance().RefreshPanels();
        HistoryRestart();
    });
    LinkSetHook(HookCloseConnectPanel, [] {
        if (!ConPanel) return;
        ConPanel->fadeStart = TickNow();
        ConPanel->frameFlags |= FrameClosing;
    });
}

TonvexCore::Pass TonvexCore::LoopPass() {
    if (window) window->PumpOne();
    if (state & QuitRequested) return Pass::Minimized;
    if (Minimized) {
        // Nothing is drawn or polled while minimised; wait for the event that restores the window.
        waitEvent(50);
        return Pass::Minimized;
    }
    if (RestoreTick != 0 && TickSince(RestoreTick) < 60) return Pass::AfterRestore;
    if (RestoreTick != 0) {
        LastInputTick = TickNow();
        RestoreTick = 0;
    }
    std::memcpy(PrevKeyState, KeyState, sizeof KeyState);
    if (window) window->ReadKeyState(KeyState);
    PollKeys();
    NoteSettledInput();

    if (LeftDown || RightDown || TickSince(LastInputTick) < 1000) {
        LoopFrame();
        Sleep(8);
        return Pass::Active;
    }
    // The connecting panel keeps the full pace while something on it moves; its still failure display
    // is drawn at the idle pace.
    bool connectMoving = ConnectPanelActive && !(ConPanel && ConPanel->IsStill());
    if (!(state & IntroDone) || connectMoving) {
        Sleep(1);
        LoopFrame();
        Sleep(2);
        return Pass::IdleFull;
    }
    uint32_t since = TickSince(SlowFrameTick);
    if (since > 400) {
        SlowFrameTick = TickNow();
        // A screen whose pixels cannot have changed is not drawn again (now and then it is, all the
        // same, in case something changed that the still test does not know of).
        if (ScreenIsStill() && TickSince(lastFrameTick) < StillRedrawMs) return Pass::IdleStill;
        LoopFrame();
        return Pass::IdleSlowFrame;
    }
    // Instead of waking every millisecond to look, wait for input until the next slow frame is due.
    waitEvent(401 - since);
    return Pass::IdleSlowWait;
}

void TonvexCore::LoopFrame() {
    ++frameRequests;
    RenderFrame();
    lastLookChanging = TakeLookChanging();
    ReadScreenWords(lastScreen);
    lastFrameTick = TickNow();
}

bool TonvexCore::ScreenIsStill() {
    // A look may also have said so in a frame drawn outside the loop (an expose).
    if (TakeLookChanging()) lastLookChanging = true;
    if (lastLookChanging) return false;
    if (AnyKeyHeld()) return false; // a held key may repeat
    uint64_t now[ScreenWordCount];
    ReadScreenWords(now);
    return std::memcmp(now, lastScreen, sizeof now) == 0;
}

void TonvexCore::PollKeys() {
    if (KeyPressed(VkF5)) ClearTrace();
    if (KeyPressed(VkF2) && window) {
        window->ToggleFullScreen();
        wholeFrameNext = true;
        // The window comes back to its old size: the panels placed on the whole screen follow it in.
        if (!window->fullScreen) panelsInsideOnNextSize = true;
    }
    if (KeyPressed(VkF4)) SetLanguage(Language == 0 ? 1 : 0);
    if ((ActiveTextEdit && *ActiveTextEdit) || PanelOpen(ConPanel) || PanelOpen(MsgPanel) ||
        !(state & IntroDone))
        return;
    if (KeyPressed(VkF1) && HelpPanel) {
        HelpPanel->frameFlags &= ~FrameMinimised;
        OpenPanel(HelpPanel);
    }
    AWndFrame* byDigit[7] = {MicPanel, MusicPanel, SubPanel, SCPanel, REQPanel, MVolPanel, SysPanel};
    for (int i = 0; i < 7; ++i)
        if (KeyPressed(static_cast<uint8_t>('1' + i)) && byDigit[i]) OpenPanel(byDigit[i]);
}

// A step of the undo history ends when input has settled after a gesture: no button and no key held.
void TonvexCore::NoteSettledInput() {
    bool held = LeftDown || RightDown;
    for (int k = 0; k < 256 && !held; ++k)
        held = (KeyState[k] & 0x80) != 0;
    if (held) {
        settleWanted = true;
        return;
    }
    if (!settleWanted && LastInputTick == settledInputTick) return;
    settleWanted = false;
    settledInputTick = LastInputTick;
    // Steps are kept per connection: from a download on, while the link holds.
    if ((state & IntroDone) && ParamMapCount > 0 && DownloadIndex == ParamMapCount && !LinkLost)
        HistoryNoteSettled();
}

void TonvexCore::OnClose() {
    state |= QuitRequested;
}

void TonvexCore::OnPaint(uint32_t) {
    if ((state & GlReady) && (state & Started)) {
        RenderFrame();
        return;
    }
    PaintStatus();
}

void TonvexCore::PaintStatus() {
    if (!(state & GlReady)) return;
    int w = clientWidth > 0 ? clientWidth : 960;
    int h = clientHeight > 0 ? clientHeight : 600;
    SetPixelProjection(w, h, 0, 1.0f);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    wholeFrameNext = true;
    if (StatusText && FontNormal) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_TEXTURE_2D);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        int tw = FontNormal->TextWidth("%s", StatusText);
        FontNormal->DrawText((w - tw) / 2, 260, "%s", StatusText);
    }
    if (window) window->SwapBuffers();
}

void TonvexCore::OnGetMinMaxInfo(int* minWidth, int* minHeight) {
    if (minWidth) *minWidth = 620;
    if (minHeight) *minHeight = 400;
}

void TonvexCore::OnSize(uint32_t width, uint32_t height) {
    if (width == 0 || height == 0) return;
    int w = width < 620 ? 620 : static_cast<int>(width);
    int h = height < 400 ? 400 : static_cast<int>(height);
    clientWidth = ClientWidth = w;
    clientHeight = ClientHeight = h;
    if (BarPanel) BarPanel->width = w;
    // Whole, and the frame after as well: the drawable may take its new size only then.
    wholeFrameNext = true;
    if (state & GlReady) RenderFrame();
    wholeFrameNext = true;
    if (IconPanel) {
        IconPanel->width = w;
        IconPanel->height = h;
    }
    if (panelsInsideOnNextSize) {
        panelsInsideOnNextSize = false;
        BringPanelsInside(w, h);
        return;
    }
    for (AWndFrame* p = TopPanel; p; p = Below(p)) {
        if (p->x > w - 24) p->x = w - 24;
        if (p->y > h - 24) p->y = h - 24;
    }
}

// Every panel wholly inside the client area: moved in, and made smaller (down to its least size) where
// it is larger than the window.
void TonvexCore::BringPanelsInside(int w, int h) {
    for (AWndFrame* p = TopPanel; p; p = Below(p)) {
        if (p->width > w) p->width = w > p->minWidth ? w : p->minWidth;
        if (p->height > h) p->height = h > p->minHeight ? h : p->minHeight;
        if (p->x + p->width > w) p->x = w - p->width;
        if (p->y + p->height > h) p->y = h - p->height;
        if (p->x < 0) p->x = 0;
        if (p->y < 0) p->y = 0;
    }
}

void TonvexCore::OnMinimize() {
    Minimized = 1;
    RestoreTick = 0;
}

void TonvexCore::OnRestore() {
    Minimized = 0;
    wholeFrameNext = true;
    RestoreTick = TickNow();
}

int TonvexCore::OnChar(uint32_t code, uint32_t) {
    TypedChar[0] = static_cast<char>(code & 0xFF);
    TypedChar[1] = '\0';
    for (AWndFrame* p = TopPanel; p; p = Below(p))
        p->OnChar(code);
    return 1;
}

int TonvexCore::OnKeyDown(uint32_t virtualKey) {
    LastInputTick = TickNow();
    for (AWndFrame* p = TopPanel; p; p = Below(p))
        p->OnKeyDown(virtualKey);
    return 0;
}

// Undo and redo (Ctrl+Z; Ctrl+Y or Ctrl+Shift+Z, repeating while held) and the A/B comparison (F6), on
// the key's own event: with Ctrl and the letter tapped quickly, the key state read at the next pass may
// show Ctrl already up.
void TonvexCore::OnShortcut(uint32_t key, uint32_t modifiers, bool repeat) {
    if ((ActiveTextEdit && *ActiveTextEdit) || !(state & IntroDone)) return;
    if (!repeat && !modifiers && (key == VkEscape || key == VkReturn) && AnswerKey(key)) return;
    if (PanelOpen(ConPanel) || PanelOpen(MsgPanel)) return;
    if (!(modifiers & ShortcutCtrl) && StepKey(key, (modifiers & ShortcutShift) != 0)) return;
    bool ctrl = (modifiers & ShortcutCtrl) != 0, shift = (modifiers & ShortcutShift) != 0;
    if (ctrl && key == 'Z' && !shift) HistoryUndo();
    if (ctrl && (key == 'Y' || (key == 'Z' && shift))) HistoryRedo();
    if (!ctrl && key == VkF6 && !repeat) CompareSwitch();
    if (ctrl && key == 'V' && !repeat && window && TakesEqFilters(TopPanel))
        ImportEqFilters(TopPanel, window->ClipboardText());
}

// Escape closes the panel that takes the keys (a message or the connecting panel first, else the top
// panel), as its close button does; Enter presses a message's default button ("OK", or "Yes" in a
// question). True when the key was used.
bool TonvexCore::AnswerKey(uint32_t key) {
    if (PanelOpen(MsgPanel)) {
        if (key == VkEscape) return MsgPanel->CloseAsTitleButtonDoes();
        OnMessageButton(MsgPanel->AsksYesNo() ? AWndMsg::YesButton : AWndMsg::OkButton);
        return true;
    }
    if (key != VkEscape) return false;
    if (PanelOpen(ConPanel)) return ConPanel->CloseAsTitleButtonDoes();
    // The highest panel that is shown and not already fading out.
    for (AWndFrame* p = TopPanel; p; p = Below(p))
        if (p->IsActive() && p->CloseAsTitleButtonDoes()) return true;
    return false;
}

// Tab and Shift+Tab move the top panel's keyboard focus; the arrow keys step its control by one (up and
// right raise it), Page Up and Page Down by ten, each step sent as the control's change. True when the
// key was used.
bool TonvexCore::StepKey(uint32_t key, bool shift) {
    if (!TopPanel || !TopPanel->IsActive()) return false;
    if (key == 9) {
        TopPanel->MoveKeyFocus(shift);
        return true;
    }
    int steps = key == 38 || key == 39   ? 1
                : key == 37 || key == 40 ? -1
                : key == 33              ? 10
                : key == 34              ? -10
                                         : 0;
    if (steps == 0 || !TopPanel->keyFocus || !TopPanel->ShowsControl(TopPanel->keyFocus)) return false;
    TopPanel->keyFocus->StepByKey(steps);
    LastInputTick = TickNow();
    return true;
}

// A text file of EQ filters dropped on the window goes to the equaliser panel on top.
void TonvexCore::OnDropFile(const char* path) {
    if (PanelOpen(ConPanel) || PanelOpen(MsgPanel) || !(state & IntroDone) || !TakesEqFilters(TopPanel))
        return;
    std::ifstream in(path, std::ios::binary);
    std::string text;
    char chunk[4096];
    // A filter list is a few kilobytes; a large file is not one, and is not read whole.
    while (in && text.size() < 65536) {
        in.read(chunk, sizeof chunk);
        text.append(chunk, static_cast<size_t>(in.gcount()));
    }
    LastInputTick = TickNow();
    ImportEqFilters(TopPanel, text);
}

// The tab bar's level keys step on these edges: the key state read at each pass may show a key
// before its event has been handled, or after its release.
void TonvexCore::OnKeyEdge(uint32_t virtualKey, bool down) {
    if (BarPanel) BarPanel->LevelKeyEdge(virtualKey, down, TickNow());
}

void TonvexCore::OnKillFocus() {
    if (BarPanel) BarPanel->ReleaseLevelKeys();
}

void TonvexCore::OnMouseMove(int x, int y) {
    MouseX = x;
    MouseY = y;
    if (PanelOpen(MsgPanel)) {
        MsgPanel->OnMouseMove(x, y, LeftDown, &PressClaimed, ClickSerial);
    } else if (PanelOpen(ConPanel)) {
        ConPanel->OnMouseMove(x, y, LeftDown, &PressClaimed, ClickSerial);
    } else {
        if (IconPanel) IconPanel->UpdateHover(x, y);
        for (AWndFrame* p = TopPanel; p; p = Below(p))
            if (p->IsOpen()) p->OnMouseMove(x, y, LeftDown, &PressClaimed, ClickSerial);
        if (BarPanel) BarPanel->OnMouseMove(x, y, LeftDown, &PressClaimed, ClickSerial);
    }
}

void TonvexCore::OnLButtonDown(int x, int y) {
    ClickSerial += 1;
    LeftDown = 1;
    LeftReleased = 0;
    RightDown = 0;
    PressClaimed = 0;
    RightClaimed = 1;
    if (window) window->CaptureMouse(true);
    ActiveTextEdit = nullptr;
    LastInputTick = TickNow();
    if (TopPanel) TopPanel->keyFocus = nullptr; // the mouse takes over from the keys

    if (PanelOpen(MsgPanel)) {
        MsgPanel->OnMouseDown(x, y, &PressClaimed, ClickSerial);
        PressClaimed = 1;
        return;
    }
    if (PanelOpen(ConPanel)) {
        ConPanel->OnMouseDown(x, y, &PressClaimed, ClickSerial);
        PressClaimed = 1;
        return;
    }
    if (SysPanel) {
        if (GUIWnd* list = SysPanel->OpenDropDown()) {
            list->OnMouseDown(x, y, &PressClaimed, ClickSerial);
            return;
        }
    }
    if ((state & IntroDone) && IconPanel) IconPanel->PressAt();
    if (BarHasFocus()) BarPanel->OnMouseDown(x, y, &PressClaimed, ClickSerial);
    // A press on a lower panel raises and focuses it before it gets the press. A minimised panel is
    // invisible and is passed over.
    for (AWndFrame* p = TopPanel; p; p = Below(p)) {
        if (p->IsActive() && p->ActivateAt(x, y)) {
            if (BarPanel) BarPanel->focusSerial = 0;
            break;
        }
    }
    if (TopPanel) TopPanel->OnMouseDown(x, y, &PressClaimed, ClickSerial);
    if (BarPanel && !BarHasFocus()) BarPanel->OnMouseDown(x, y, &PressClaimed, ClickSerial);
}

void TonvexCore::OnLButtonUp(int x, int y) {
    LeftDown = 0;
    LeftReleased = 1;
    PressClaimed = 1;
    if (window) window->CaptureMouse(false);
    LastInputTick = TickNow();
    if (PanelOpen(MsgPanel)) {
        MsgPanel->OnMouseUp(x, y, ClickSerial);
    } else if (PanelOpen(ConPanel)) {
        ConPanel->OnMouseUp(x, y, ClickSerial);
    } else {
        if ((state & IntroDone) && IconPanel) IconPanel->ReleaseAt();
        if (TopPanel) TopPanel->OnMouseUp(x, y, ClickSerial);
        if (BarPanel) BarPanel->OnMouseUp(x, y, ClickSerial);
    }
}

void TonvexCore::OnRButtonDown(int, int) {
    RightDown = 1;
    RightClaimed = 0;
    if (window) window->CaptureMouse(true);
    LastInputTick = TickNow();
}

void TonvexCore::OnRButtonUp(int, int) {
    RightDown = 0;
    RightClaimed = 1;
    if (window) window->CaptureMouse(false);
    LastInputTick = TickNow();
}

void TonvexCore::OnMouseWheel(int delta) {
    if (TopPanel) TopPanel->OnWheel(delta);
    LastInputTick = TickNow();
}

void TonvexCore::OpenPanel(AWndFrame* panel) {
    ::OpenPanel(panel);
}
void TonvexCore::FocusPanel(AWndFrame* panel) {
    ::FocusPanel(panel);
}
void TonvexCore::ClosePanel(AWndFrame* panel) {
    ::ClosePanel(panel);
}
void TonvexCore::MinimizePanel(AWndFrame* panel) {
    ::MinimizePanel(panel);
}

void TonvexCore::ShowStatus(const char* text) {
    StatusText = text;
    PaintStatus();
    if (window) window->Invalidate();
}

void TonvexCore::RefreshPanels() {
    RefreshValuePanels();
    SetLanguage(Language);
}

uint32_t TonvexCore::SetLanguage(uint32_t language) {
    Language = language;
    // The help and image panels keep their titles (the image panel relabels its button only).
    AWndFrame* relabelled[] = {ConPanel, BarPanel, MicPanel, MusicPanel, MVolPanel, REQPanel,
                               SCPanel,  SubPanel, SysPanel, MsgPanel,   IconPanel, ImgPanel};
    for (AWndFrame* panel : relabelled)
        if (panel) panel->Relabel(language);
    // Without HOME the start-up has said already that nothing is kept.
    static bool toldNotKept = false;
    if (!SettingsWrite("tonvex_lang", std::to_string(language)) && !ConfigDir().empty() && !toldNotKept) {
        ReportProblem("the language is not kept for the next start: %s", SettingsProblem().c_str());
        toldNotKept = true;
    }
    return language;
}

void TonvexCore::RenderFrame() {
    if (LinkApplyPending()) wholeFrameNext = true;
    if (!(state & GlReady) || !(state & Running)) return;
    if (RestoreTick != 0 && TickSince(RestoreTick) < 60) return;

    SetPixelProjection(clientWidth, clientHeight, 0, 1.0f);
    PartialFrame partial;
    if (ChoosePartialFrame(&partial)) {
        BeginPartialFrame(partial);
        // Without the background nothing opaque lies under the panels.
        if (!BackgroundTextures[0] || !BackgroundTextures[1]) glClear(GL_COLOR_BUFFER_BIT);
        ++partialFrames;
    } else {
        // Nothing tests depth: only the colours are cleared.
        glClear(GL_COLOR_BUFFER_BIT);
        ++wholeFrames;
    }
    glLoadIdentity();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_TEXTURE_2D);

    int bw = static_cast<int>(clientHeight * 1024.0 / 640.0);
    if (bw < clientWidth) bw = clientWidth;
    int bx = (clientWidth - bw) / 2;

    if (BgFadeStart == 0) {
        if (BgWaitStart == 0) BgWaitStart = TickNow();
        if (TickSince(BgWaitStart) > 2000) BgFadeStart = TickNow();
    } else {
        float a = 1.0f;
        if (BgFadeStart == 1) {
            glDisable(GL_BLEND);
        } else {
            a = TickSince(BgFadeStart) / 2000.0f;
            if (a >= 1.0f) {
                a = 1.0f;
                BgFadeStart = 1;
            }
        }
        glColor4f(1.0f, 1.0f, 1.0f, a);
        int stripHeight = static_cast<int>(clientHeight * 0.2);
        if (BackgroundTextures[1]) {
            glBindTexture(GL_TEXTURE_2D, BackgroundTextures[1]);
            DrawSkinQuad(WholePicture, bx, 0, bw, stripHeight);
        }
        if (BackgroundTextures[0]) {
            glBindTexture(GL_TEXTURE_2D, BackgroundTextures[0]);
            DrawSkinQuad(WholePicture, bx, stripHeight, bw, clientHeight - stripHeight);
        }
        glEnable(GL_BLEND);
        if (ExTexture) {
            float stripAlpha = (BarPanel && BarPanel->width < 760) ? a * 0.3f : a;
            glColor4f(1.0f, 1.0f, 1.0f, stripAlpha);
            glBindTexture(GL_TEXTURE_2D, ExTexture);
            DrawSkinQuad(Rect(Piece::TitleStrip), 8, 30, 240, 22);
        }
        if (BarPanel && !BarHasFocus()) BarPanel->Draw(a);
        AWndFrame* bottom = TopPanel;
        while (bottom && bottom->zNext)
            bottom = Below(bottom);
        for (AWndFrame* p = bottom; p; p = static_cast<AWndFrame*>(p->zPrev))
            p->Draw(a);
        if (TopPanel) TopPanel->DrawKeyFocus(a);
        if (BarPanel && BarHasFocus()) BarPanel->Draw(a);

        if (FirstBgFrameTick == 0xFFFFFFFF) FirstBgFrameTick = TickNow();
        if (TickSince(FirstBgFrameTick) > 4000 && ConnectAutoOpen == 0xFFFFFFFF && ConPanel) {
            ConPanel->frameFlags = (ConPanel->frameFlags | FrameOpen | FrameFixedSize) & ~FrameHasMinimise;
            ConPanel->x = (ClientWidth - ConPanel->width) / 2 - 20;
            ConPanel->y = (ClientHeight - ConPanel->height) / 2;
            ConPanel->fadeStart = TickNow();
            ConnectAutoOpen = 0;
        }
        if (IconPanel) IconPanel->Draw(a);
        if ((state & ModeFileNotice) && (state & IntroDone)) {
            state &= ~ModeFileNotice;
            ShowMessageDetail(MsgModeFileNotRead, ModeFileProblem().c_str());
        }
    }
    // The start-up's own fades and its opening of the connecting panel go on with time alone.
    if (BgFadeStart != 1 || ConnectAutoOpen == 0xFFFFFFFF) LookKeepsChanging();
    if (!(state & LogoDone)) {
        LookKeepsChanging();
        DrawLogo();
    }
    EndPartialFrame();
    lastFrameLookChanging = LookChangingSoFar();
    if (window) window->SwapBuffers();
    FinishCloseOrMinimise();
}

bool TonvexCore::ChoosePartialFrame(PartialFrame* frame) {
    uint64_t words[ScreenWordCount];
    ReadScreenWords(words, false);
    PartialFrame now;
    bool follows = keepsBackBuffer && BgFadeStart == 1 && (state & LogoDone) && TopPanel && !BarHasFocus() &&
                   TopPanel->FollowsDrag(&now);
    // What is drawn over the panel afterwards must lie clear of the part it draws again on its own.
    if (follows && !now.own.Empty()) {
        if (IconPanel && now.own.y + now.own.height > IconPanel->TopReached()) follows = false;
        const GUIWnd* key = TopPanel->keyFocus;
        if (key && now.own.Overlaps(
                       UnitRect{key->WindowX() - 4, key->WindowY() - 4, key->width + 8, key->height + 8}))
            follows = false;
    }
    // Input besides the pointer's moves may change anything (a level key, the wheel), and a held key
    // may repeat.
    const uint32_t events = window ? window->eventsBesidesMotion : 0;
    const bool same = follows && !wholeFrameNext && now == lastFollowed && !lastFrameLookChanging &&
                      events == lastFrameEvents && !AnyKeyHeld() &&
                      std::memcmp(words, lastFrameWords, sizeof words) == 0;
    lastFrameEvents = events;
    lastFollowed = follows ? now : PartialFrame{};
    std::memcpy(lastFrameWords, words, sizeof words);
    wholeFrameNext = false;
    if (same) *frame = now;
    return same;
}

void TonvexCore::DrawLogo() {
    float a;
    if (LogoFadeOutStart == 0) {
        if (LogoStart == 0) LogoStart = TickNow();
        a = TickSince(LogoStart) / 2000.0f;
        if (a >= 1.0f) {
            a = 1.0f;
            LogoShownAt = LogoFadeOutStart = TickNow();
        }
    } else if (TickSince(LogoShownAt) < 3400) {
        a = 1.0f;
    } else {
        if (LogoFadeOutStart == LogoShownAt) LogoFadeOutStart = TickNow();
        float out = TickSince(LogoFadeOutStart) / 500.0f;
        if (out >= 1.0f) {
            state |= LogoDone | IntroDone;
            IntroEnded = 1;
            out = 1.0f;
        }
        a = 1.0f - out;
    }
    if (!LogoTexture || a <= 0.0f) return;
    glEnable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glColor4f(1.0f, 1.0f, 1.0f, a);
    glBindTexture(GL_TEXTURE_2D, LogoTexture);
    DrawSkinQuad(Rect(Piece::Logo), (clientWidth - 256) / 2, (clientHeight - 256) / 2, 256, 256);
}

void TonvexCore::FinishCloseOrMinimise() {
    for (AWndFrame* p = TopPanel; p; p = Below(p)) {
        if (!p->zNext || !(p->frameFlags & FrameClosing) || p->opacity >= 0.01f) continue;
        if (p->frameFlags & FrameToMinimise)
            ::MinimizePanel(p);
        else
            ::ClosePanel(p);
        p->frameFlags &= ~(FrameClosing | FrameToMinimise | FrameShown);
        ActiveTextEdit = nullptr;
        if (p == static_cast<AWndFrame*>(ConPanel)) ConnectPanelActive = 0;
        return;
    }
}
