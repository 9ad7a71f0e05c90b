// SPDX-License-Identifier: GPL-3.0-or-later
// The equaliser section the five EQ panels share. In this file, in order:
//   - the widgets' callbacks, which find their section and band from the widget id
//   - Create and the layout (columns that fit, what is shown at the panel's size)
//   - Draw, and the routing of the mouse and keys to the graph, faders and text boxes
//   - what a change sends (Send, SendMove: only codes that differ from the last sent)
//   - the band edits: drag, type button, fader, typed gain, frequency and Q, reset
//   - values in and out: RefreshFromCodes, Store and Load of the bands' codes, the filter handles
#include "panels/EqSection.h"

#include "app/ui/AppState.h"
#include "app/ui/Textures.h"
#include "common/Tick.h"
#include "gui/AWndFrame.h"
#include "gui/TextRenderer.h"
#include "link/LinkState.h"
#include "link/LinkWait.h"
#include "panels/AWndMsg.h"

#include <GL/gl.h>
#include <cassert>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

uint32_t SendEnabled = 1;

namespace {

constexpr int MaxSections = 8;
EqSection* Sections[MaxSections];
// The section whose reset question is open.
EqSection* ResetAsker;

EqSection* SectionOf(uint32_t id) {
    assert((id >> 8) < MaxSections && "a widget id names an equaliser section that was never made");
    return Sections[id >> 8];
}
int BandOf(uint32_t id) {
    return static_cast<int>(id & 0xFF);
}

void OnTypeButton(uint32_t id) {
    if (EqSection* s = SectionOf(id)) s->TypeChanged(BandOf(id));
}
void OnGainFader(uint32_t id) {
    if (EqSection* s = SectionOf(id)) s->FaderChanged(BandOf(id));
}
// A box's callback also comes when it gains the focus (it is not focused yet then): nothing was typed.
void OnGainText(uint32_t id) {
    EqSection* s = SectionOf(id);
    if (s && s->gainBoxes[BandOf(id)].focused) s->GainTyped(BandOf(id));
}
void OnFreqText(uint32_t id) {
    EqSection* s = SectionOf(id);
    if (s && s->freqBoxes[BandOf(id)].focused) s->FreqTyped(BandOf(id));
}
void OnQText(uint32_t id) {
    EqSection* s = SectionOf(id);
    if (s && s->qBoxes[BandOf(id)].focused) s->QTyped(BandOf(id));
}
void OnResetAnswer(uint32_t answer) {
    if (answer == 1 && ResetAsker) ResetAsker->Reset();
}

void SetBoxText(GTextBox& box, float v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", static_cast<double>(v));
    box.SetText(text);
}

// The parsers write the rounded value back into the box's text; the box then shows it from its start.
template <class Parser> float ParseBox(GTextBox& box, Parser parse, int32_t* code) {
    float v = parse(box.text, code);
    char rounded[GTextBox::TextCapacity];
    std::memcpy(rounded, box.text, sizeof rounded);
    uint32_t focused = box.focused;
    box.SetText(rounded);
    box.focused = focused;
    return v;
}

const char* ModeText(EqBandType type) {
    switch (type) {
    case EqBandType::LowShelf:
        return "Mode: LSEQ";
    case EqBandType::HighShelf:
        return "Mode: HSEQ";
    default:
        return "Mode: PEQ";
    }
}

} // namespace

void EqSection::Create(AWndFrame* panel, const EqSectionSetup& s, uint32_t index) {
    owner = panel;
    setup = s;
    assert(index < MaxSections && "more equaliser sections than the table holds");
    section = index;
    Sections[section] = this;
    int n = setup.bandCount;
    for (int i = 0; i < n; ++i) {
        EqGraphBand& b = bands[i];
        b = EqGraphBand{};
        b.freq = EqFreqTable[static_cast<int>(static_cast<float>(i) / n * 250.0f + 1.0f)];
        b.gain = 0.0f;
        b.q = 3.0f;
        b.type = EqBandType::Peak;
        uint32_t id = section << 8 | static_cast<uint32_t>(i);
        int x = setup.columnX + ColumnPitch * i;
        typeButtons[i].Create(x, 32, 26, 26, 0, 0, UiTexture, id, OnTypeButton, owner);
        // As wide as the frequency and Q boxes below it: "-12.4" does not fit in fewer pixels.
        gainBoxes[i].Create(DxTexture, nullptr, x - 12, 60, 50, 24, GTextBox::DigitsOnly | GTextBox::Signed,
                            FontNormal, id, OnGainText, owner);
        gainFaders[i].Create(x + 8, 88, 8, 154, 120, 0, 180, UiTexture, id, OnGainFader, owner);
        freqBoxes[i].Create(DxTexture, nullptr, x - 12, 242, 50, 24, GTextBox::DigitsOnly, FontNormal, id,
                            OnFreqText, owner);
        qBoxes[i].Create(DxTexture, nullptr, x - 12, 268, 50, 24, GTextBox::DigitsOnly, FontNormal, id,
                         OnQText, owner);
        for (GTextBox* box : {&gainBoxes[i], &freqBoxes[i], &qBoxes[i]})
            box->maxLength = 8;
        WriteBoxes(i);
        int32_t freqCode = 0, gainCode = 0, qCode = 0;
        ParseFreqText(freqBoxes[i].text, &freqCode);
        ParseGainText(gainBoxes[i].text, &gainCode);
        ParseQText(qBoxes[i].text, &qCode);
        uint32_t codes[4] = {0, static_cast<uint32_t>(freqCode), static_cast<uint32_t>(gainCode),
                             static_cast<uint32_t>(qCode)};
        std::memcpy(bandCodes[i], codes, sizeof codes);
        std::memcpy(sentCodes[i], codes, sizeof codes);
    }
    for (int f = 0; f < setup.filterCount; ++f)
        bands[n + f] = EqGraphBand{};
    std::memset(sumCurve, 0, sizeof sumCurve);
    std::memset(litCurve, 0, sizeof litCurve);
    recalcPending = 1;
}

void EqSection::WriteBoxes(int band) {
    const EqGraphBand& b = bands[band];
    int32_t code = 0;
    SetBoxText(gainBoxes[band], b.gain);
    ParseBox(gainBoxes[band], ParseGainText, &code);
    SetBoxText(freqBoxes[band], b.freq);
    ParseBox(freqBoxes[band], ParseFreqText, &code);
    SetBoxText(qBoxes[band], b.q);
    ParseBox(qBoxes[band], ParseQText, &code);
}

bool EqSection::ColumnFits(int band) const {
    return owner && setup.columnX + 8 + ColumnPitch * band + 32 <= owner->width;
}

bool EqSection::ShowsControls() const {
    return !(owner->IsCompact() && owner->sizeAnimStart() == 0);
}

bool EqSection::PanelTakesInput() const {
    return owner && owner->IsActive() && owner->HasFocus() && ShowsControls();
}

float EqSection::ControlsAlpha() const {
    float a = owner->opacity;
    if (owner->sizeAnimStart() != 0) {
        float t = owner->toggleProgress;
        a = owner->IsCompact() ? (1.0f - t) * owner->opacity * 0.6f : owner->opacity * t;
    }
    return a;
}

void EqSection::GraphRect(int* gx, int* gy, int* gw, int* gh) const {
    int px = owner->x, py = owner->y;
    int top = owner->IsCompact() ? py + 22 : py + 300;
    if (owner->sizeAnimStart() != 0) {
        float t = owner->toggleProgress;
        if (owner->IsCompact()) {
            top = static_cast<int>((py - 22) + 322 * (1.0f - t));
            if (top < py + 22) top = py + 22;
        } else {
            top = static_cast<int>((py + 300) - 322 * (1.0f - t));
            if (top < py + 22) top = py + 22;
            if (top > py + 300) top = py + 300;
        }
    }
    *gx = px + 1;
    *gw = owner->width - 2;
    *gy = top;
    *gh = owner->height - (top - py) - 24;
}

bool EqSection::FollowsDrag(PartialFrame* frame) const {
    if (!owner || locked || !LeftDown || !PanelTakesInput() || owner->sizeAnimStart() != 0) return false;
    if (owner->opacity < 1.0f || owner->fadeStart != 0 || owner->dragFadeStart != 0 ||
        (owner->frameFlags & (FrameClosing | FrameToMinimise)))
        return false;
    // A filter band moves a slider of the panel's own as well; a Q drag goes on wherever the pointer is.
    int band = -1;
    for (int i = 0; i < setup.bandCount + setup.filterCount; ++i) {
        if (bands[i].qDragging || (bands[i].moving && i >= setup.bandCount)) return false;
        if (bands[i].moving) band = i;
    }
    if (band < 0) return false;
    int gx, gy, gw, gh;
    GraphRect(&gx, &gy, &gw, &gh);
    if (MouseX < gx || MouseX >= gx + gw || MouseY < gy || MouseY >= gy + gh) return false;
    PartialFrame f;
    f.panel = owner;
    f.part = band;
    // The graph and the information line below it, clear of the frame's edges and rounded corners
    // (translucent: drawn again over themselves, they would darken).
    f.scene = UnitRect{gx, gy - 2, gw, owner->y + owner->height - 3 - (gy - 2)};
    if (ShowsControls() && ColumnFits(band)) {
        // From under the type button to over the graph, between the neighbours' boxes.
        const int x = owner->x + setup.columnX + ColumnPitch * band;
        f.own = UnitRect{x - 13, owner->y + 59, ColumnPitch, gy - 2 - (owner->y + 59)};
        // A unit clear of the grey's edge: at a scale of 1.5 the rectangle is widened to whole pixels.
        UnitRect grey = owner->InsideRect();
        grey = UnitRect{grey.x + 1, grey.y + 1, grey.width - 2, grey.height - 2};
        if (!f.own.Inside(grey)) return false;
    }
    *frame = f;
    return true;
}

int EqSection::Draw() {
    uint32_t leftCopy = 1, rightCopy = 1;
    uint32_t* leftClaim = &PressClaimed;
    uint32_t* rightClaim = &RightClaimed;
    if (!LinkIdle) PressClaimed = RightClaimed = 1;
    bool focused = owner->HasFocus();
    if (!focused || locked) {
        leftClaim = &leftCopy;
        rightClaim = &rightCopy;
    }
    // A band already being dragged goes on; a new grab needs a press that began in this frame.
    bool freshPress = LeftDown && ClickSerial != pressSeen;
    // A frame that only recomputes edits nothing: the press is still new in the next one.
    if (LeftDown && !recalcPending) pressSeen = ClickSerial;
    if (focused && LeftDown && !freshPress && !*leftClaim) {
        leftCopy = 1;
        leftClaim = &leftCopy;
    }
    int gx, gy, gw, gh;
    GraphRect(&gx, &gy, &gw, &gh);
    int32_t dragged = -1, reset = 0;
    EqGraphRun(MouseX, MouseY, LeftDown, leftClaim, RightDown, rightClaim, owner->opacity,
               owner->frameFlags & (FrameClosing | FrameToMinimise), gx, gy, gw, gh,
               setup.bandCount + setup.filterCount, bands, sumCurve, litCurve, recalcPending, &dragged,
               &reset, shares);
    recalcPending = 0;
    // A drag going on holds the press for the panel, as a grab does.
    if (focused && dragged >= 0 && LeftDown) PressClaimed = 1;
    if (snapPending && dragged < setup.bandCount) {
        recalcPending = 1;
        snapPending = 0;
    }
    int filterDragged = -1;
    if (dragged >= setup.bandCount)
        filterDragged = dragged;
    else
        OnBandDragged(dragged, RightDown);

    if (ShowsControls()) {
        float a = locked ? ControlsAlpha() / 2.0f : ControlsAlpha();
        uint32_t lockedClaim = 1;
        uint32_t* boxClaim = locked ? &lockedClaim : &PressClaimed;
        for (int i = 0; i < setup.bandCount; ++i) {
            if (!ColumnFits(i)) continue;
            OwnPartScope own(DrawingPartial.panel == owner && DrawingPartial.part == i);
            typeButtons[i].Draw(a);
            gainFaders[i].Draw(a);
            gainBoxes[i].DrawBox(a, ClientWidth, ClientHeight, MouseX, MouseY, LeftDown, boxClaim,
                                 ClickSerial);
            freqBoxes[i].DrawBox(a, ClientWidth, ClientHeight, MouseX, MouseY, LeftDown, boxClaim,
                                 ClickSerial);
            bool peak = bands[i].type == EqBandType::Peak;
            qBoxes[i].DrawBox(peak ? a : a * 0.4f, ClientWidth, ClientHeight, MouseX, MouseY, LeftDown,
                              boxClaim, ClickSerial);
        }
    }

    if (FontNormal) {
        int band = selectedBand >= 0 && selectedBand < setup.bandCount ? selectedBand : 0;
        int lineX = owner->x + 6, lineY = owner->y + owner->height - 20;
        glEnable(GL_TEXTURE_2D);
        glColor4f(0.0f, 0.0f, 0.0f, owner->opacity);
        FontNormal->DrawText(lineX, lineY, "%s: %d", setup.infoName ? setup.infoName : "EQ", band + 1);
        FontNormal->DrawText(lineX + 64, lineY, "%s", ModeText(bands[band].type));
        FontNormal->DrawText(lineX + 164, lineY, "Fre: %s Hz", freqBoxes[band].text);
        FontNormal->DrawText(lineX + 264, lineY, "Gain: %s dB", gainBoxes[band].text);
        FontNormal->DrawText(lineX + 364, lineY, "Q: %s", qBoxes[band].text);
    }

    resetAsked = reset;
    if (reset) {
        ResetAsker = this;
        AskYesNo(MsgAskEqReset, OnResetAnswer);
    }
    return filterDragged;
}

void EqSection::RouteMove(int px, int py, uint32_t buttonDown, uint32_t* claimed, uint32_t clickSerial) {
    for (int i = 0; i < setup.bandCount; ++i) {
        if (!ColumnFits(i)) continue;
        typeButtons[i].OnMouseMove(px, py, buttonDown, claimed, clickSerial);
        gainFaders[i].OnMouseMove(px, py, buttonDown, claimed, clickSerial);
        gainBoxes[i].OnMouseMove(px, py, buttonDown, claimed, clickSerial);
        freqBoxes[i].OnMouseMove(px, py, buttonDown, claimed, clickSerial);
        if (bands[i].type == EqBandType::Peak)
            qBoxes[i].OnMouseMove(px, py, buttonDown, claimed, clickSerial);
    }
}

void EqSection::RouteDown(int px, int py, uint32_t* claimed, uint32_t clickSerial) {
    for (int i = 0; i < setup.bandCount; ++i) {
        if (!ColumnFits(i)) continue;
        typeButtons[i].OnMouseDown(px, py, claimed, clickSerial);
        gainFaders[i].OnMouseDown(px, py, claimed, clickSerial);
        gainBoxes[i].OnMouseDown(px, py, claimed, clickSerial);
        freqBoxes[i].OnMouseDown(px, py, claimed, clickSerial);
        if (bands[i].type == EqBandType::Peak) qBoxes[i].OnMouseDown(px, py, claimed, clickSerial);
    }
}

void EqSection::RouteUp(int px, int py, uint32_t clickSerial) {
    for (int i = 0; i < setup.bandCount; ++i)
        gainFaders[i].OnMouseUp(px, py, clickSerial);
}

void EqSection::NotePress() {
    const GTextBox* editing = nullptr;
    for (int i = 0; i < setup.bandCount && !editing; ++i)
        for (const GTextBox* box : {&gainBoxes[i], &freqBoxes[i], &qBoxes[i]})
            if (box->focused) editing = box;
    if (editing) {
        ActiveTextEdit = &editing->focused;
        int band = BandOfBox(editing);
        for (int i = 0; i < setup.bandCount; ++i)
            bands[i].changed = i == band;
        recalcPending = 1;
    }
    std::memset(litCurve, 0, sizeof litCurve);
}

int EqSection::BandOfBox(const GTextBox* box) const {
    for (int i = 0; i < setup.bandCount; ++i)
        if (box == &gainBoxes[i] || box == &freqBoxes[i] || box == &qBoxes[i]) return i;
    return -1;
}

void EqSection::OnChar(uint32_t ch) {
    char typed[2] = {static_cast<char>(ch), 0};
    for (int i = 0; i < setup.bandCount; ++i)
        for (GTextBox* box : {&gainBoxes[i], &freqBoxes[i], &qBoxes[i]}) {
            if (!box->focused) continue;
            if (ch == 8)
                box->Backspace();
            else
                box->InsertChar(typed);
        }
}

void EqSection::OnKeyDown(uint32_t key) {
    for (int i = 0; i < setup.bandCount; ++i)
        for (GTextBox* box : {&gainBoxes[i], &freqBoxes[i], &qBoxes[i]}) {
            if (key == 37) box->CaretLeft(0);
            if (key == 39) box->CaretRight(0);
        }
}

bool EqSection::LinkReady() const {
    return LinkWaitIdle() == 0;
}

bool EqSection::Send(int item, int band, uint32_t code) {
    if (!SendEnabled || sentCodes[band][item] == code) return false;
    sentCodes[band][item] = code;
    LinkSend(setup.firstCode + static_cast<uint32_t>(item), static_cast<uint32_t>(band) << 8 | code);
    return true;
}

void EqSection::SendMove(int band, uint32_t freqCode, uint32_t gainCode) {
    uint32_t* sent = sentCodes[band];
    if (!SendEnabled || (sent[1] == freqCode && sent[2] == gainCode)) return;
    sent[1] = freqCode;
    sent[2] = gainCode;
    uint32_t b = static_cast<uint32_t>(band) << 8;
    LinkSend(setup.firstCode + 1, b | freqCode, setup.firstCode + 2, b | gainCode);
}

// A drag sends each new code once: a press that has not moved the handle, and a move that lands on
// the codes already sent, send nothing.
void EqSection::OnBandDragged(int band, uint32_t rightDown) {
    if (band < 0 || band >= setup.bandCount) return;
    selectedBand = band;
    const EqGraphBand& b = bands[band];
    int32_t gainCode = 0, freqCode = 0, qCode = 0;
    SetBoxText(gainBoxes[band], b.gain);
    ParseBox(gainBoxes[band], ParseGainText, &gainCode);
    SetBoxText(freqBoxes[band], b.freq);
    ParseBox(freqBoxes[band], ParseFreqText, &freqCode);
    SetBoxText(qBoxes[band], b.q);
    ParseBox(qBoxes[band], ParseQText, &qCode);
    gainFaders[band].touched = 1;
    gainFaders[band].SetValue(gainCode);
    if (rightDown) {
        Send(3, band, static_cast<uint32_t>(qCode));
        for (int i = 0; i < setup.bandCount; ++i)
            gainFaders[i].touched = i == band;
        return;
    }
    SendMove(band, static_cast<uint32_t>(freqCode), static_cast<uint32_t>(gainCode));
}

void EqSection::TypeChanged(int band) {
    if (!LinkReady()) return;
    int v = typeButtons[band].value;
    if (v < 0 || v > 2) v = 0;
    bands[band].type = static_cast<EqBandType>(v);
    bands[band].changed = 1;
    recalcPending = 1;
    Send(0, band, static_cast<uint32_t>(v));
}

// Also called when a press takes the fader without moving it: the band is selected, nothing is sent.
void EqSection::FaderChanged(int band) {
    selectedBand = band;
    int v = gainFaders[band].value;
    bands[band].gain = v * 0.2f - 24.0f;
    SetBoxText(gainBoxes[band], bands[band].gain);
    bands[band].changed = 1;
    recalcPending = 1;
    Send(2, band, static_cast<uint32_t>(v));
}

// A box's Enter and the focus leaving it afterwards (or a text typed back to what it was) send once.
void EqSection::GainTyped(int band) {
    if (!LinkReady()) return;
    selectedBand = band;
    int32_t code = 0;
    bands[band].gain = ParseBox(gainBoxes[band], ParseGainText, &code);
    gainFaders[band].SetValue(code);
    bands[band].changed = 1;
    recalcPending = 1;
    Send(2, band, static_cast<uint32_t>(code));
}

void EqSection::FreqTyped(int band) {
    if (!LinkReady()) return;
    selectedBand = band;
    int32_t code = 0;
    bands[band].freq = ParseBox(freqBoxes[band], ParseFreqText, &code);
    bands[band].changed = 1;
    recalcPending = 1;
    Send(1, band, static_cast<uint32_t>(code));
}

void EqSection::QTyped(int band) {
    if (!LinkReady()) return;
    selectedBand = band;
    int32_t code = 0;
    bands[band].q = ParseBox(qBoxes[band], ParseQText, &code);
    bands[band].changed = 1;
    recalcPending = 1;
    Send(3, band, static_cast<uint32_t>(code));
}

void EqSection::Reset() {
    int n = 0;
    for (int i = 0; i < setup.bandCount; ++i)
        if (static_cast<int>(bands[i].type) < 3) ++n;
    // The targets go into the boxes and through the callbacks, which send what differs from the band.
    char text[32];
    for (int i = 0; i < setup.bandCount; ++i) {
        if (static_cast<int>(bands[i].type) >= 3) continue;
        float freq = EqFreqTable[n > 1 ? static_cast<int>(static_cast<float>(i) / (n - 1) * 255.0f) : 0];
        if (typeButtons[i].value != 0) {
            typeButtons[i].value = 0;
            TypeChanged(i);
        }
        if (std::strcmp(gainBoxes[i].text, "0.0") != 0) {
            gainBoxes[i].SetText("0.00");
            GainTyped(i);
        }
        std::snprintf(text, sizeof text, "%.2f", static_cast<double>(freq));
        freqBoxes[i].SetText(text);
        FreqTyped(i);
        if (std::strcmp(qBoxes[i].text, "1.4") != 0) {
            qBoxes[i].SetText("1.40");
            QTyped(i);
        }
    }
    recalcPending = 1;
}

bool EqSection::TakeBandCodes(const uint8_t (*codes)[4], int count) {
    uint32_t next[MaxBands][4];
    std::memcpy(next, bandCodes, sizeof next);
    std::vector<LinkChange> changes;
    for (int b = 0; b < setup.bandCount; ++b) {
        if (b < count) {
            for (int k = 0; k < 4; ++k)
                next[b][k] = codes[b][k];
        } else {
            next[b][2] = 120; // 0 dB
        }
        for (int k = 0; k < 4; ++k)
            if (next[b][k] != sentCodes[b][k])
                changes.push_back(
                    {setup.firstCode + static_cast<uint32_t>(k), static_cast<uint32_t>(b) << 8 | next[b][k]});
    }
    if (!changes.empty() && !LinkSendChanges(changes)) return false;
    std::memcpy(bandCodes, next, sizeof next);
    RefreshFromCodes();
    return true;
}

void EqSection::RefreshFromCodes() {
    for (int i = 0; i < setup.bandCount; ++i) {
        const uint32_t* codes = bandCodes[i];
        uint32_t type = codes[0] > 2 ? 2 : codes[0];
        uint32_t freq = codes[1] > 255 ? 255 : codes[1];
        uint32_t gain = codes[2] > 180 ? 180 : codes[2];
        uint32_t q = codes[3] > 179 ? 179 : codes[3];
        // What the processor sent, as it sent it: a code beyond its range is shown clamped, and a
        // change back to the clamped value still goes out.
        std::memcpy(sentCodes[i], codes, sizeof sentCodes[i]);
        typeButtons[i].value = static_cast<int32_t>(type);
        EqGraphBand& b = bands[i];
        b.type = static_cast<EqBandType>(type);
        b.freq = EqFreqTable[freq];
        b.gain = gain * 0.2f - 24.0f;
        b.q = q * 0.2f + 0.2f;
        WriteBoxes(i);
        gainFaders[i].SetValue(static_cast<int>(gain));
    }
    recalcPending = 1;
    std::memset(litCurve, 0, sizeof litCurve);
}

void EqSection::Store(LiveSet& set) const {
    std::memcpy(set.bands, bands, sizeof set.bands);
    std::memcpy(set.bandCodes, bandCodes, sizeof set.bandCodes);
    std::memcpy(set.sentCodes, sentCodes, sizeof set.sentCodes);
    for (int i = 0; i < MaxBands; ++i) {
        set.faderValues[i] = gainFaders[i].value;
        set.typeValues[i] = typeButtons[i].value;
        std::snprintf(set.texts[0][i], sizeof set.texts[0][i], "%s", gainBoxes[i].text);
        std::snprintf(set.texts[1][i], sizeof set.texts[1][i], "%s", freqBoxes[i].text);
        std::snprintf(set.texts[2][i], sizeof set.texts[2][i], "%s", qBoxes[i].text);
    }
}

void EqSection::CodesFromSet(const LiveSet& set, uint32_t (*codes)[4]) const {
    for (int i = 0; i < setup.bandCount; ++i) {
        char text[3][16];
        for (int k = 0; k < 3; ++k)
            std::memcpy(text[k], set.texts[k][i], sizeof text[k]);
        int32_t gain = 0, freq = 0, q = 0;
        ParseGainText(text[0], &gain);
        ParseFreqText(text[1], &freq);
        ParseQText(text[2], &q);
        int32_t type = set.typeValues[i];
        codes[i][0] = type >= 0 && type <= 2 ? static_cast<uint32_t>(type) : 0;
        codes[i][1] = static_cast<uint32_t>(freq);
        codes[i][2] = static_cast<uint32_t>(gain);
        codes[i][3] = static_cast<uint32_t>(q);
    }
}

void EqSection::StoreCodes() {
    LiveSet live;
    Store(live);
    CodesFromSet(live, bandCodes);
}

void EqSection::Load(const LiveSet& set) {
    std::memcpy(bands, set.bands, sizeof bands);
    std::memcpy(bandCodes, set.bandCodes, sizeof bandCodes);
    std::memcpy(sentCodes, set.sentCodes, sizeof sentCodes);
    for (int i = 0; i < MaxBands; ++i) {
        gainFaders[i].SetValue(set.faderValues[i]);
        typeButtons[i].value = set.typeValues[i];
        gainBoxes[i].SetText(set.texts[0][i]);
        freqBoxes[i].SetText(set.texts[1][i]);
        qBoxes[i].SetText(set.texts[2][i]);
    }
    recalcPending = 1;
}

void EqSection::MoveFilter(int band, float hz) {
    bands[band].freq = hz;
    bands[band].changed = 1;
    recalcPending = 1;
}

void EqSection::SnapFilter(int band, float hz) {
    bands[band].freq = hz;
    snapPending = 1;
}

void EqSection::MoveHighPass(int band, int step, bool steep) {
    bands[band].type = steep ? EqBandType::HighPass24 : EqBandType::HighPass12;
    MoveFilter(band, FilterSliderHz(step));
}
