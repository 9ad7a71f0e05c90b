// SPDX-License-Identifier: GPL-3.0-or-later
// A one-line text entry: caret, mouse selection with auto-scroll, horizontal scrolling, GBK double-byte
// awareness, a digits-only mode and an Enter callback. The owning panel calls its operations directly
// (Track from its mouse handlers, DrawBox from its Draw, InsertChar / Backspace / CaretLeft / CaretRight
// from its OnChar and OnKeyDown); only a focused box reacts to typing.
//
//   state      | event                                          | next
//   -----------+------------------------------------------------+-------------------------------------
//   unfocused  | press inside, flag clear (claims)              | focused, callback (focus gained),
//              |                                                | caret at the press
//   focused    | held after its own press, pointer moved        | caret follows the pointer, anchor
//              |                                                | stays (selection); beyond an edge the
//              |                                                | text scrolls one character per 20 ms
//   focused    | Enter                                          | callback; stays focused
//   focused    | a press elsewhere in the window                | unfocused, callback (focus lost)
//   any        | caret blink                                    | toggles every 400 ms
#pragma once

#include "gui/GUIWnd.h"

class TextRenderer;

class GTextBox : public GUIWnd {
  public:
    enum Style : uint32_t {
        DigitsOnly = 0x40,
        NoFocusCallback = 0x100,
        NoPoint = 0x200,
        // With DigitsOnly: a '-' is taken as the first character (values that may be negative).
        Signed = 0x800,
    };
    static constexpr int TextCapacity = 1024;

    void Create(uint32_t texture, const char* initialText, int x, int y, int width, int height,
                uint32_t style, TextRenderer* font, uint32_t id, WidgetCallback callback, GUIWnd* parent);

    void Track(int mouseX, int mouseY, uint32_t buttonDown, uint32_t* claimed, uint32_t clickSerial);
    void DrawBox(float alpha, int windowWidth, int windowHeight, int mouseX, int mouseY, uint32_t buttonDown,
                 uint32_t* claimed, uint32_t clickSerial);
    // Replaces the text (nullptr clears it) and puts the caret at its start, the scroll back to 0 and
    // the selection away, so that a rewritten box shows its new text from the left.
    void SetText(const char* newText);
    // One typed byte. A GBK lead byte waits for its trail byte: the two go in together, or neither
    // when they would not fit within maxLength.
    void InsertChar(const char* chars);
    void Backspace();
    void CaretLeft(int keepSelection);
    void CaretRight(int keepSelection);

    void OnMouseMove(int x, int y, uint32_t buttonDown, uint32_t* claimed, uint32_t clickSerial) override;
    void OnMouseDown(int x, int y, uint32_t* claimed, uint32_t clickSerial) override;

    bool HasSelection() const { return anchorChar != caretChar; }

    uint32_t style = 0;
    int32_t maxLength = 1020;
    float borderRatio = 0.18f;
    char text[TextCapacity] = {};
    TextRenderer* font = nullptr;
    uint32_t id = 0;
    WidgetCallback callback = nullptr;
    int32_t scrollX = 0;
    uint32_t pressSerial = 0;
    float selectionColour[3] = {0.0f, 0.0f, 0.0f};
    float border = 5.0f;
    float innerWidth = 0.0f;
    float borderHeight = 0.0f;
    float innerHeight = 0.0f;
    uint32_t blinkOn = 0;
    uint32_t blinkTick = 0;
    uint32_t focused = 0;
    float pressX = 0.0f;
    int32_t caretX = 0;
    int32_t caretByte = 0;
    int32_t caretChar = 0;
    int32_t anchorChar = 0;
    int32_t anchorByte = 0;
    uint32_t scrollTick = 0;
    uint32_t pressOnBorder = 0;
    char pendingLead = 0; // a typed lead byte waiting for its trail byte

  private:
    void InsertBytes(const char* bytes, int count);
    void Measure();
    bool InTextArea(int px, int py) const;
    void PlaceCaretAt(int targetX);
    void CaretXFromByte();
    void DropSelection();
    void LoseFocus();
    void BlinkOnAnew();
    int Length() const;
    void ClampIndexes();
};
