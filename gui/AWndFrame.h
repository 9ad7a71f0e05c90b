// SPDX-License-Identifier: GPL-3.0-or-later
// The framed panel: skinned frame, title and title buttons, drag, resize grip, double-click enlarge,
// animated size toggle and the opacity fades of opening, closing, focus and dragging.
//
//   state            | event                                        | next
//   -----------------+----------------------------------------------+--------------------------------------
//   closed           | the application opens it (fadeStart = now)   | opening: opacity 0 -> 1 in 200 ms,
//                    |                                              | then shown
//   shown, focused   | another panel takes the focus                | unfocused: 1 -> 0.6 in 200 ms
//   unfocused        | raised and focused again                     | 0.6 -> 1 in 200 ms
//   open             | press on the title (claims)                  | moving, dims to 80 % in 200 ms
//   moving           | release                                      | back to 100 % in 200 ms
//   open             | press on the grip (claims)                   | resizing until the release
//   open             | second press < 320 ms after a title press    | enlarged to nearly the window (or
//                    |                                              | back); a third quick press does nothing
//   open             | press on the size toggle                     | size animates to the other size in
//                    |                                              | 200 ms, compact flips
//   open             | press and release on close / minimise        | closing: 1 -> 0 in 200 ms; the
//                    |                                              | application then closes or minimises
#pragma once

#include "gui/GUIWnd.h"
#include "gui/PartialFrame.h"

#include <cstdint>

enum FrameFlag : uint32_t {
    FrameOpen = 0x1,
    FrameMinimised = 0x4,
    FrameFixedSize = 0x8,
    FrameMoving = 0x10,
    FrameResizing = 0x20,
    FrameClosing = 0x40,
    FrameToMinimise = 0x80,
    FrameHasClose = 0x100,
    FrameHasMinimise = 0x200,
    FrameHasSizeToggle = 0x400,
    FrameShown = 0x800,
    FrameNoDragFade = 0x1000,
    FrameOpensAtRight = 0x2000, // opened 20 px from the right edge (the help panel), not centred
};

// layoutFlags (the base's `texture` word): the panel is at, or animating towards, its alternative size.
constexpr uint32_t LayoutCompact = 0x400;

// A user-visible label in both languages: text[0] English, text[1] Chinese (GBK). Each panel keeps
// its own pairs next to its code; the label shown is the pair's text for Language.
struct LabelPair {
    const char* text[2];
    const char* operator[](uint32_t language) const { return text[language != 0]; }
};

class AWndFrame : public GUIWnd {
  public:
    AWndFrame();

    void Create(int x, int y, int width, int height, int minWidth, int minHeight, const char* title);

    GUIWnd* ActivateAt(int x, int y) override;
    void Draw(float alpha) override;
    void OnMouseMove(int x, int y, uint32_t buttonDown, uint32_t* claimed, uint32_t clickSerial) override;
    void OnMouseDown(int x, int y, uint32_t* claimed, uint32_t clickSerial) override;
    void OnMouseUp(int x, int y, uint32_t clickSerial) override;
    virtual void OnClose();
    // What the title bar's close button does (a fade-out, then OnClose's work), for Escape. False when
    // the panel has no close button or is not open.
    bool CloseAsTitleButtonDoes();
    // The control the keyboard steps: Tab and Shift+Tab move it among the panel's controls that take
    // it and lie inside the panel as drawn (from none, to the first or the last); null for none.
    GUIWnd* keyFocus = nullptr;
    void MoveKeyFocus(bool back);
    // Whether control `w` is shown now (a panel of pages hides the others' controls); the keyboard's
    // control is stepped and framed only while it is.
    virtual bool ShowsControl(const GUIWnd* w) const {
        (void)w;
        return true;
    }
    // A thin frame around the keyboard's control, drawn over the panel (after its widgets).
    void DrawKeyFocus(float alpha) const;
    // Re-reads every control from its value field (after a download or a PC-mode load). Panels that
    // hold no processor values keep this empty one.
    virtual void RefreshFromValues() {}
    // The reverse: every value field takes what its control shows (a PC-mode save reads the fields).
    // Controls that are their own value fields need nothing.
    virtual void StoreToValues() {}
    // Points every language-dependent label and the title at its text for `language` (0 English,
    // 1 Chinese), including labels that follow a control's own state.
    virtual void Relabel(uint32_t language) { (void)language; }

    // While a drag on this panel changes only some of its parts, those parts (gui/PartialFrame.h);
    // false when the next frame may change anything of it.
    virtual bool FollowsDrag(PartialFrame* frame) const {
        (void)frame;
        return false;
    }
    // Where the inside's grey lies (between the frame's pieces).
    UnitRect InsideRect() const { return UnitRect{x + 51, y + 54, width - 100, height - 100}; }
    // The grey again over `r` inside it, as the frame fills it at full opacity.
    void FillInsideAgain(const UnitRect& r) const;

    bool IsOpen() const { return frameFlags & FrameOpen; }
    bool IsMinimised() const { return frameFlags & FrameMinimised; }
    // Open and not minimised: the panel draws and takes input.
    bool IsActive() const { return IsOpen() && !IsMinimised(); }
    bool HasFocus() const;
    bool IsCompact() const { return texture & LayoutCompact; }

    uint32_t& layoutFlags() { return texture; }
    int32_t& sizeAnimStart() { return value; }
    int32_t sizeAnimStart() const { return value; }

    float opacity = 0.0f;
    int32_t minWidth = 0;
    int32_t minHeight = 0;
    const char* title = nullptr;
    uint32_t frameFlags = 0;
    uint32_t pressSerial = 0;
    uint32_t dragFadeStart = 0;
    uint32_t fadeStart = 0;
    uint32_t pressedButton = 0;
    int32_t toggleFromWidth = 0, toggleFromHeight = 0;
    int32_t toggleToWidth = 460, toggleToHeight = 320;
    float toggleProgress = 0.0f;
    int32_t savedX = 0, savedY = 0, savedWidth = 0, savedHeight = 0;
    uint32_t filled = 0;
    uint32_t lastTitlePress = 0;

  protected:
    void DrawFrameSkin();
    void DrawTitleButtons();
    // The inside's grey between (left, top) and (right, bottom).
    void FillInside(int left, int top, int right, int bottom);
    // A rectangle this frame's drawing will paint over at full strength right after the frame (what is
    // filled under it would never be seen); false when there is none.
    virtual bool OpaqueOverInside(int* ox, int* oy, int* ow, int* oh) const {
        (void)ox, (void)oy, (void)ow, (void)oh;
        return false;
    }

    // Where the current drag or resize started.
    int pressX = 0, pressY = 0;
    int pressLeft = 0, pressTop = 0;
    int pressWidth = 0, pressHeight = 0;
    int gripRight = 0, gripBottom = 0;
};
