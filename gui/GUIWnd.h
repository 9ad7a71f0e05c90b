// The base of every widget and panel: one record layout and one table of virtual operations.
//
// Press claiming: at each left press the application clears PressClaimed and increments ClickSerial.
// The first widget hit that finds the flag clear sets it and keeps the serial; drags and releases act
// only for that owner (pressSerial == clickSerial). Positions are window pixels for panels and
// panel-relative for widgets; WindowX()/WindowY() give a widget's window position.
#pragma once

#include <cstdint>

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

    // A widget's left and top edges in window pixels (its parent's position plus its own).
    int WindowX() const { return parent ? parent->x + x : x; }
    int WindowY() const { return parent ? parent->y + y : y; }

    int32_t width = 0;
    int32_t height = 0;
    int32_t x = 0;
    int32_t y = 0;
    GUIWnd* openNext = nullptr;
    GUIWnd* parent = nullptr;
    GUIWnd* zPrev = nullptr;
    GUIWnd* zNext = nullptr;
    uint32_t texture = 0; // panels: layoutFlags
    uint32_t focusSerial = 0;
    int32_t value = 0; // panels: sizeAnimStart

protected:
    ~GUIWnd() = default;
};

// One textured quad with integer corners (x, y) .. (x + w, y + h), using the current colour and the
// currently bound texture. The caller sets the GL state first.
void DrawSkinQuad(const SkinRect& rect, int x, int y, int w, int h);
void DrawSkinQuadF(const SkinRect& rect, float x, float y, float w, float h);
