// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/GTextBox.h"

#include "app/ui/AppState.h"
#include "app/ui/Projection.h"
#include "common/Tick.h"
#include "gui/TextRenderer.h"
#include "gui/WidgetSkins.h"

#include <GL/gl.h>
#include <cstring>

namespace {

// A GBK lead byte takes the byte after it; the pair is one character.
bool IsLead(char c) {
    return static_cast<unsigned char>(c) > 0x80;
}

// Byte index of the character boundary before `byteIndex`, found by walking from the start: a trail
// byte may itself look like a lead byte, so looking backwards alone cannot tell.
int PreviousBoundary(const char* text, int byteIndex) {
    int at = 0, previous = 0;
    while (at < byteIndex && text[at]) {
        previous = at;
        at += (IsLead(text[at]) && text[at + 1]) ? 2 : 1;
    }
    return previous;
}

int NextBoundary(const char* text, int byteIndex) {
    if (!text[byteIndex]) return byteIndex;
    return byteIndex + ((IsLead(text[byteIndex]) && text[byteIndex + 1]) ? 2 : 1);
}

// Whole characters covering the first `byteIndex` bytes.
int CharsBefore(const char* text, int byteIndex) {
    int at = 0, count = 0;
    while (at < byteIndex && text[at]) {
        at += (IsLead(text[at]) && text[at + 1]) ? 2 : 1;
        ++count;
    }
    return count;
}

// Nine-piece drawing with the vertices at depth 1, as the box's skin is drawn.
void DrawDepthQuad(const SkinRect& piece, float x, float y, float w, float h) {
    const SkinRect r = ScaledSkinRect(piece);
    glBegin(GL_QUADS);
    glTexCoord2f(r.s0, r.t0);
    glVertex3f(x, y, 1.0f);
    glTexCoord2f(r.s1, r.t0);
    glVertex3f(x + w, y, 1.0f);
    glTexCoord2f(r.s1, r.t1);
    glVertex3f(x + w, y + h, 1.0f);
    glTexCoord2f(r.s0, r.t1);
    glVertex3f(x, y + h, 1.0f);
    glEnd();
}

} // namespace

void GTextBox::Create(uint32_t skinTexture, const char* initialText, int left, int top, int w, int h,
                      uint32_t styleBits, TextRenderer* textFont, uint32_t boxId, WidgetCallback onEvent,
                      GUIWnd* owner) {
    texture = skinTexture;
    if (initialText) {
        std::strncpy(text, initialText, TextCapacity - 1);
        text[TextCapacity - 1] = '\0';
    }
    x = left;
    y = top;
    width = w;
    height = h;
    style = styleBits;
    font = textFont;
    id = boxId;
    callback = onEvent;
    parent = owner;
    Measure();
}

void GTextBox::Measure() {
    innerWidth = static_cast<float>(width - 10);
    borderHeight = static_cast<float>(static_cast<int>(height * borderRatio));
    innerHeight = height - 2.0f * borderHeight;
}

int GTextBox::Length() const {
    return static_cast<int>(std::strlen(text));
}

bool GTextBox::InTextArea(int px, int py) const {
    int left = WindowX(), top = WindowY();
    return px > left + 5 && px <= left + 5 + innerWidth && py > top + borderHeight &&
           py <= top + borderHeight + innerHeight;
}

void GTextBox::BlinkOnAnew() {
    blinkOn = 1;
    blinkTick = TickNow();
}

// The caret goes to the character boundary nearest to `targetX` (pixels from the text start).
void GTextBox::PlaceCaretAt(int targetX) {
    if (font) {
        font->CaretFromX(scrollX, targetX, &caretX, &caretByte, &caretChar, "%s", text);
    } else {
        caretX = scrollX;
        caretByte = caretChar = 0;
    }
}

void GTextBox::CaretXFromByte() {
    caretChar = CharsBefore(text, caretByte);
    caretX = (font ? font->TextXAtByte(caretByte, "%s", text) : 0) + scrollX;
}

// The anchor comes to the caret, so the caret's byte and character indexes stay where the caret is drawn.
void GTextBox::DropSelection() {
    anchorChar = caretChar;
    anchorByte = caretByte;
}

void GTextBox::LoseFocus() {
    if (focused && !(style & NoFocusCallback) && callback) callback(id);
    focused = 0;
    DropSelection();
}

void GTextBox::Track(int px, int py, uint32_t buttonDown, uint32_t* claimed, uint32_t clickSerial) {
    Measure();
    int left = WindowX(), top = WindowY();
    if (!(px > left && px < left + width && py > top && py < top + height) || !buttonDown || *claimed) return;
    *claimed = 1;
    if (!focused && !(style & NoFocusCallback) && callback) callback(id);
    focused = 1;
    pressSerial = clickSerial;
    if (InTextArea(px, py)) {
        pressOnBorder = 0;
        BlinkOnAnew();
        pressX = static_cast<float>(px - (left + 8));
        PlaceCaretAt(static_cast<int>(pressX));
        DropSelection();
    } else {
        pressOnBorder = 1;
    }
}

void GTextBox::OnMouseMove(int px, int py, uint32_t buttonDown, uint32_t* claimed, uint32_t clickSerial) {
    Track(px, py, buttonDown, claimed, clickSerial);
}

void GTextBox::OnMouseDown(int px, int py, uint32_t* claimed, uint32_t clickSerial) {
    Track(px, py, 1, claimed, clickSerial);
    if (pressSerial != clickSerial) LoseFocus();
}

void GTextBox::DrawBox(float alpha, int windowWidth, int windowHeight, int mouseX, int mouseY,
                       uint32_t buttonDown, uint32_t*, uint32_t clickSerial) {
    Measure();
    int left = WindowX(), top = WindowY();
    uint32_t now = TickNow();
    bool pointerInside = mouseX > left && mouseX < left + width && mouseY > top && mouseY < top + height;

    float boxAlpha = focused ? alpha * 0.8f : alpha * 0.6f;
    if (pointerInside && !focused) boxAlpha = alpha * 0.9f;

    if (!pointerInside && buttonDown && clickSerial != pressSerial) LoseFocus();

    if (focused && buttonDown && !pressOnBorder) {
        pressX = static_cast<float>(mouseX - (left + 8));
        if (pressX >= innerWidth - 4) pressX = innerWidth - 2;
        PlaceCaretAt(static_cast<int>(pressX));
        if (now - scrollTick >= 20) {
            if (pressX < 0) {
                CaretLeft(1);
                scrollTick = now;
            } else if (pressX > innerWidth - 4) {
                CaretRight(1);
                scrollTick = now;
            }
        }
    }

    BeginSkin(texture, 1.0f, 1.0f, 1.0f, boxAlpha);
    float bh = borderHeight, iw = innerWidth, ih = innerHeight;
    float midX = left + 5.0f, rightX = left + 5.0f + iw, midY = top + bh, lowY = top + bh + ih;
    DrawDepthQuad(TextBoxSkin[0], left, top, 5, bh);
    DrawDepthQuad(TextBoxSkin[1], midX, top, iw, bh);
    DrawDepthQuad(TextBoxSkin[2], rightX, top, 5, bh);
    DrawDepthQuad(TextBoxSkin[3], left, midY, 5, ih);
    DrawDepthQuad(TextBoxSkin[4], midX, midY, iw, ih);
    DrawDepthQuad(TextBoxSkin[5], rightX, midY, 5, ih);
    DrawDepthQuad(TextBoxSkin[6], left, lowY, 5, bh);
    DrawDepthQuad(TextBoxSkin[7], midX, lowY, iw, bh);
    DrawDepthQuad(TextBoxSkin[8], rightX, lowY, 5, bh);

    if (now - blinkTick >= 400) {
        blinkOn = !blinkOn;
        blinkTick = now;
    }
    if (focused) LookKeepsChanging(); // the caret blinks

    if (!font) return;
    int viewWidth = static_cast<int>(iw) - 4;
    SetViewportProjection(viewWidth, static_cast<int>(ih), left + 8,
                          windowHeight - static_cast<int>(top + bh + ih));
    int fontHeight = font->Size();
    int row = (static_cast<int>(ih) - fontHeight) / 2;
    glEnable(GL_TEXTURE_2D);
    glColor4f(0.0f, 0.0f, 0.0f, alpha);
    // The text is the user's: drawn as text, never as a format.
    if (HasSelection())
        font->DrawTextSelected(scrollX + 2, row, caretChar, anchorChar, focused, selectionColour, "%s", text);
    else
        font->DrawText(scrollX + 2, row, "%s", text);
    if (blinkOn && focused) {
        float shade = caretChar < anchorChar ? 1.0f : 0.0f;
        BeginFlat(shade, shade, shade, 1.0f);
        glRecti(caretX + 2, row, caretX + 4, row + fontHeight + 1);
    }
    SetPixelProjection(windowWidth, windowHeight, 0, 1.0f);
}

// The owner may rewrite `text` directly; indexes past its end are pulled back to it.
void GTextBox::ClampIndexes() {
    int length = Length();
    if (caretByte > length) caretByte = length;
    if (caretByte < 0) caretByte = 0;
    if (anchorByte > length) anchorByte = length;
    if (anchorByte < 0) anchorByte = 0;
}

void GTextBox::SetText(const char* newText) {
    std::strncpy(text, newText ? newText : "", TextCapacity - 1);
    text[TextCapacity - 1] = '\0';
    scrollX = 0;
    caretByte = caretChar = 0;
    pendingLead = 0;
    CaretXFromByte();
    DropSelection();
}

void GTextBox::InsertChar(const char* chars) {
    if (!focused || !chars) return;
    ClampIndexes();
    char c = chars[0];
    if (c == '\0') return;
    if (pendingLead) {
        char lead = pendingLead;
        pendingLead = 0;
        unsigned char trail = static_cast<unsigned char>(c);
        if (trail >= 0x40 && trail != 0x7F && trail != 0xFF) {
            const char pair[2] = {lead, c};
            InsertBytes(pair, 2);
            return;
        }
        // Not a trail byte: the lead is dropped and this byte counts on its own.
    }
    if (style & DigitsOnly) {
        bool digit = c >= '0' && c <= '9';
        bool point = c == '.' && !(style & NoPoint);
        bool minus = c == '-' && (style & Signed) && caretByte == 0 && text[0] != '-';
        if (!digit && !point && !minus && c != '\r') return;
    }
    if (c == '\r') {
        if (callback) callback(id);
        return;
    }
    // Typed text stays text: a '%' is never taken.
    if (c == '%') return;
    unsigned char byte = static_cast<unsigned char>(c);
    if (byte >= 0x80) {
        // 0x80 and 0xFF start no GBK character; a lead byte waits for its trail.
        if (IsLead(c) && byte != 0xFF) pendingLead = c;
        return;
    }
    InsertBytes(&c, 1);
}

void GTextBox::InsertBytes(const char* bytes, int count) {
    ClampIndexes();
    int length = Length();
    // What is typed over a selection must fit in maxLength too; when it does not, the text and the
    // selection stay as they were.
    int selected =
        HasSelection() ? (caretByte > anchorByte ? caretByte - anchorByte : anchorByte - caretByte) : 0;
    if (length - selected + count > maxLength) return;
    if (HasSelection()) {
        Backspace();
        length = Length();
    }
    if (KeyDown(VkControl)) return;
    if (length + count > TextCapacity - 1) return;
    std::memmove(text + caretByte + count, text + caretByte, length - caretByte + 1);
    std::memcpy(text + caretByte, bytes, static_cast<size_t>(count));
    caretByte += count;
    CaretXFromByte();
    if (caretX > innerWidth - 8) {
        scrollX -= caretX - static_cast<int>(innerWidth - 8);
        CaretXFromByte();
    }
    DropSelection();
}

void GTextBox::Backspace() {
    if (!focused) return;
    ClampIndexes();
    int length = Length();
    if (HasSelection()) {
        int low = caretByte < anchorByte ? caretByte : anchorByte;
        int high = caretByte < anchorByte ? anchorByte : caretByte;
        if (high > length) high = length;
        if (low < high) std::memmove(text + low, text + high, length - high + 1);
        caretByte = low;
    } else {
        if (caretByte <= 0) return;
        int from = PreviousBoundary(text, caretByte);
        std::memmove(text + from, text + caretByte, length - caretByte + 1);
        caretByte = from;
    }
    CaretXFromByte();
    if (scrollX != 0 && caretX < 0) {
        scrollX += 24 - caretX;
        if (scrollX > 0) scrollX = 0;
        CaretXFromByte();
    }
    if (caretByte == 0) {
        scrollX = 0;
        CaretXFromByte();
    }
    DropSelection();
    BlinkOnAnew();
}

void GTextBox::CaretLeft(int keepSelection) {
    if (!focused) return;
    ClampIndexes();
    if (!keepSelection) DropSelection();
    caretByte = PreviousBoundary(text, caretByte);
    CaretXFromByte();
    if (caretX < 0) {
        scrollX -= caretX;
        CaretXFromByte();
    }
    if (caretByte == 0) {
        scrollX = 0;
        CaretXFromByte();
    }
    if (!keepSelection) DropSelection();
    BlinkOnAnew();
}

void GTextBox::CaretRight(int keepSelection) {
    if (!focused) return;
    ClampIndexes();
    if (!keepSelection) DropSelection();
    caretByte = NextBoundary(text, caretByte);
    CaretXFromByte();
    int rightmost = static_cast<int>(innerWidth) - 4;
    if (caretX > rightmost) {
        scrollX -= caretX - rightmost + 6;
        CaretXFromByte();
    }
    if (!keepSelection) DropSelection();
    BlinkOnAnew();
}
