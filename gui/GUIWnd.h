// SPDX-License-Identifier: GPL-3.0-or-later
// The base of every widget and panel: one record layout and one table of virtual operations.
//
// Press claiming: at each left press the application clears PressClaimed and increments ClickSerial.
// The first widget hit that finds the flag clear sets it and keeps the serial; drags and releases act
// only for that owner (pressSerial == clickSerial). Positions are window pixels for panels and
// panel-relative for widgets; WindowX()/WindowY() give a widget's window position.
#pragma once

#include <cstdint>

// A widget's callback: a plain function given the widget's id. Its result is ignored.
using WidgetCallback = void (*)(uint32_t id);

// Texture coordinates of one skin piece: (s0, t0) maps to the quad's top-left corner, (s1, t1) to its
// bottom-right corner.
struct SkinRect {
    float s0, t0, s1, t1;
};

// Builds a SkinRect from texel ranges of a texture `size` texels square (256 or 512).
constexpr SkinRect SkinTexels(int s0, int t0, int s1, int t1, int size = 256) {
    return SkinRect{float(s0) / size, float(t0) / size, float(s1) / size, float(t1) / size};
}

class GUIWnd {
  public:
    GUIWnd() = default;

    virtual GUIWnd* ActivateAt(int x, int y);
    virtual void Draw(float alpha);
    virtual void OnMouseMove(int x, int y, uint32_t buttonDown, uint32_t* claimed, uint32_t clickSerial);
    virtual void OnMouseDown(int x, int y, uint32_t* claimed, uint32_t clickSerial);
    virtual void OnMouseUp(int x, int y, uint32_t clickSerial);
    virtual void OnWheel(int delta);
    virtual void OnChar(uint32_t ch);
    virtual void OnKeyDown(uint32_t key);

    // Keyboard focus (Tab) and stepping (arrow keys): a control that takes them moves its value by
    // `steps` within its range and fires as a change by the mouse would; true when the value moved.
    virtual bool TakesKeyFocus() const { return false; }
    virtual bool StepByKey(int /*steps*/) { return false; }
    // Sets the owner, and adds this widget to the owner's widgets in the order they are made.
    void AttachTo(GUIWnd* owner);

    // A widget's left and top edges in window pixels (its parent's position plus its own).
    int WindowX() const { return parent ? parent->x + x : x; }
    int WindowY() const { return parent ? parent->y + y : y; }
    // X <= px < X + W and Y <= py < Y + H in window pixels.
    bool Contains(int px, int py) const {
        int left = WindowX(), top = WindowY();
        return px >= left && px < left + width && py >= top && py < top + height;
    }

    int32_t width = 0;
    int32_t height = 0;
    int32_t x = 0;
    int32_t y = 0;
    GUIWnd* openNext = nullptr;
    GUIWnd* parent = nullptr;
    GUIWnd* firstChild = nullptr; // a panel's widgets, in the order they were made
    GUIWnd* nextSibling = nullptr;
    GUIWnd* zPrev = nullptr;
    GUIWnd* zNext = nullptr;
    uint32_t texture = 0; // panels: layoutFlags
    uint32_t focusSerial = 0;
    int32_t value = 0; // panels: sizeAnimStart

  protected:
    ~GUIWnd() = default;
};

// A piece of the bound texture as it is drawn at DrawScale: at 1 the piece itself; larger, the piece
// less half a texel at each edge.
SkinRect ScaledSkinRect(const SkinRect& rect);
// One textured quad with integer corners (x, y) .. (x + w, y + h), using the current colour and the
// currently bound texture. The caller sets the GL state first.
void DrawSkinQuad(const SkinRect& rect, int x, int y, int w, int h);
void DrawSkinQuadF(const SkinRect& rect, float x, float y, float w, float h);

// The state every skinned Draw starts from: source-alpha blending, `texture` bound, 2D texturing on,
// colour (r, g, b, a).
void BeginSkin(uint32_t texture, float r, float g, float b, float a);
// Untextured fills (list rows, client areas, the caret): texturing off, colour set. Whoever draws a
// skin next turns texturing on again.
void BeginFlat(float r, float g, float b, float a);
// A horizontal three-piece skin: 16-pixel left cap, middle stretched over w - 32, 16-pixel right cap,
// all h high.
void DrawThreePiece(const SkinRect pieces[3], int x, int y, int w, int h);

// Elapsed part of a `durationMs` interval that began at `start`: (now - start) / duration, by unsigned
// tick difference, so it survives the wrap of the tick count. Not clamped.
float TickProgress(uint32_t start, uint32_t durationMs);

// A widget whose look goes on changing with time alone (a fade, a lit value bubble, a blinking caret,
// icons easing into place) says so while it draws, so that the next idle frame is drawn. The main loop
// leaves a screen on which nothing said so, and whose state did not change, as it stands.
void LookKeepsChanging();
// Whether anything said so since the last call; clears it.
bool TakeLookChanging();
// Whether a look has said so since the flag was last taken (the flag stays).
bool LookChangingSoFar();
