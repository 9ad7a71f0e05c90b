// SPDX-License-Identifier: GPL-3.0-or-later
#include "panels/AWndBar.h"

#include "app/ui/AppState.h"
#include "app/ui/Textures.h"
#include "common/Tick.h"
#include "gui/PanelLists.h"
#include "gui/SkinPieces.h"
#include "gui/TextRenderer.h"
#include "link/LinkState.h"
#include "link/ParamCodes.h"
#include "link/ParamMap.h"
#include "panels/AWndCon.h"
#include "panels/AWndMsg.h"
#include "panels/History.h"
#include "panels/Panels.h"

#include <GL/gl.h>
#include <cstdio>

namespace {

const LabelPair LevelLabels[3] = {{{"Effect", "效果"}}, {{"Mic", "话筒"}}, {{"Music", "音乐"}}};

constexpr int TabHeight = 23;

// Q/A step "Effect", W/S "Mic", E/D "Music", up and down.
struct LevelKey {
    uint8_t key;
    int level;
    int step;
};
constexpr LevelKey LevelKeys[6] = {{'Q', 0, 1},  {'A', 0, -1}, {'W', 1, 1},
                                   {'S', 1, -1}, {'E', 2, 1},  {'D', 2, -1}};

// What the comparison's last switch did, "%s" the setting now live.
const LabelPair CompareSending = {{"%s: sending %d changes ...", "%s：正在发送 %d 项 ..."}};
const LabelPair CompareSent = {{"%s: %d changes sent in %u ms", "%s：已发送 %d 项，用时 %u 毫秒"}};
const LabelPair CompareSentOne = {{"%s: 1 change sent in %u ms", "%s：已发送 1 项，用时 %u 毫秒"}};
const LabelPair CompareSame = {{"%s: nothing differs", "%s：没有不同"}};
constexpr uint32_t CompareReportMs = 4000;

const char* CompareName() {
    switch (CompareLive()) {
    case Compare::A:
        return "A";
    case Compare::B:
        return "B";
    default:
        return "A/B";
    }
}

void OnCompare(uint32_t) {
    CompareSwitch();
}

void OnLevel(uint32_t id) {
    if (!BarPanel || id > 2) return;
    LinkSend(Code::EffectLevel + id, static_cast<uint32_t>(BarPanel->levels[id].value));
}

bool PanelIsOpen(const AWndFrame* panel) {
    return panel && panel->IsOpen();
}

} // namespace

void AWndBar::Build() {
    for (int i = 0; i < 3; ++i) {
        levels[i].Create(0, 32, 124, 8, 0, 0, 62, LevelLabels[i][0], FontNormal,
                         GPushBar::SlowRise | GPushBar::AltFill, UiTexture, static_cast<uint32_t>(i), OnLevel,
                         this);
        levels[i].bubbleTexture = WfTexture;
    }
    compareButton.Create(0, 1, 40, 21, "A/B", FontNormal, 0, UiTexture, 0, OnCompare, this);
    Relabel(Language);
}

void AWndBar::Relabel(uint32_t language) {
    for (int i = 0; i < 3; ++i)
        levels[i].label = LevelLabels[i][language];
}

void AWndBar::BindTargets(ParamTargets& targets) {
    for (int i = 0; i < 3; ++i)
        targets.barLevels[i] = reinterpret_cast<uint32_t*>(&levels[i].value);
}

void AWndBar::RefreshFromValues() {
    for (GPushBar& level : levels)
        level.SetValue(level.value);
}

int AWndBar::OpenCount() const {
    int n = 0;
    for (const GUIWnd* p = OpenPanels; p; p = p->openNext)
        if (static_cast<const AWndFrame*>(p)->IsOpen()) ++n;
    return n;
}

int AWndBar::TabWidth(int count) const {
    if (count <= 0) return 120;
    int t = (width - 200) / count;
    return t > 120 ? 120 : t < 64 ? 64 : t;
}

void AWndBar::LevelKeyEdge(uint32_t virtualKey, bool down, uint32_t tick) {
    for (int k = 0; k < 6; ++k) {
        if (LevelKeys[k].key != virtualKey) continue;
        if (down && !keyHeld[k]) {
            keyPending[k] = 1;
            keyNextStep[k] = tick + 321;
        }
        keyHeld[k] = down;
    }
}

void AWndBar::ReleaseLevelKeys() {
    for (uint8_t& held : keyHeld)
        held = 0;
}

void AWndBar::PollLevelKeys() {
    uint32_t now = TickNow();
    int stepped[2] = {-1, -1};
    int steps = 0;
    for (int k = 0; k < 6; ++k) {
        const LevelKey& key = LevelKeys[k];
        GPushBar& level = levels[key.level];
        bool known = (steps > 0 && stepped[0] == key.level) || (steps > 1 && stepped[1] == key.level);
        // One pair a frame: a third level keeps its press or repeat for the next frame.
        if (steps == 2 && !known) continue;
        bool repeat = keyHeld[k] && !keyPending[k] && static_cast<int32_t>(now - keyNextStep[k]) >= 0;
        if (!keyPending[k] && !repeat) continue;
        keyPending[k] = 0;
        // The repeats keep a 40 ms beat however the frames fall; one that fell a whole beat behind
        // (a slow frame) starts the beat again rather than catching up in a burst.
        if (repeat) keyNextStep[k] = now - keyNextStep[k] < 40 ? keyNextStep[k] + 40 : now + 40;
        int v = level.value + key.step;
        if (v < level.minValue) v = level.minValue;
        if (v > level.maxValue) v = level.maxValue;
        // At the end of the range a held key has nothing to send.
        if (v == level.value) continue;
        // The slider's limit and slow rise are for the mouse; the keys step the value itself.
        int savedLimit = level.limit;
        level.limit = -10000;
        level.SetValue(v);
        level.limit = savedLimit;
        if (!known) stepped[steps++] = key.level;
    }
    if (steps == 0) return;
    uint32_t code1 = 0xFFFFFFFF, value1 = 0xFFFFFFFF;
    if (steps == 2) {
        code1 = Code::EffectLevel + static_cast<uint32_t>(stepped[1]);
        value1 = static_cast<uint32_t>(levels[stepped[1]].value);
    }
    LinkSend(Code::EffectLevel + static_cast<uint32_t>(stepped[0]),
             static_cast<uint32_t>(levels[stepped[0]].value), code1, value1);
}

void AWndBar::Draw(float alpha) {
    opacity = alpha;
    if (!IsOpen()) return;
    int W = width;
    if ((!ActiveTextEdit || !*ActiveTextEdit) && !PanelIsOpen(ConPanel) && !PanelIsOpen(MsgPanel) &&
        IntroEnded)
        PollLevelKeys();
    else
        for (uint8_t& pending : keyPending)
            pending = 0;

    uint32_t lost = LinkLost;
    if (lost && !lostSeen && DownloadIndex > 0 && !PanelIsOpen(ConPanel)) ShowMessage(MsgLinkLost);
    lostSeen = lost;

    BeginSkin(WbTexture, 1.0f, 1.0f, 1.0f, alpha);
    DrawSkinQuad(Rect(Piece::BarLeft), 0, 0, W - 560, 64);
    DrawSkinQuad(Rect(Piece::BarMiddle), W - 560, 0, 54, 64);
    DrawSkinQuad(Rect(Piece::BarRight), W - 506, 0, 506, 64);
    BeginSkin(UiTexture, 1.0f, 1.0f, 1.0f, alpha);
    DrawSkinQuad(lost ? Rect(Piece::LampLinkLost) : Rect(Piece::LampLinkPresent), W - 24, 3, 16, 16);

    for (int i = 0; i < 3; ++i) {
        levels[i].x = W + 168 * i - 476;
        levels[i].Draw(alpha);
    }
    compareButton.x = W - 72;
    compareButton.label = CompareName();
    compareButton.Draw(alpha);
    CompareTrack();
    DrawCompareReport(alpha);
    DrawTasks();
}

void AWndBar::DrawCompareReport(float alpha) {
    const CompareReport& report = LastCompareReport();
    if (report.startTick == 0 || !FontNormal) return;
    if (report.endTick != 0 && TickSince(report.endTick) > CompareReportMs) return;
    LookKeepsChanging(); // the text changes with time alone, and goes
    char text[96];
    if (report.changes == 0) {
        std::snprintf(text, sizeof text, CompareSame[Language], CompareName());
    } else if (report.endTick == 0) {
        std::snprintf(text, sizeof text, CompareSending[Language], CompareName(), report.changes);
    } else if (report.changes == 1) {
        std::snprintf(text, sizeof text, CompareSentOne[Language], CompareName(),
                      report.endTick - report.startTick);
    } else {
        std::snprintf(text, sizeof text, CompareSent[Language], CompareName(), report.changes,
                      report.endTick - report.startTick);
    }
    glEnable(GL_TEXTURE_2D);
    glColor4f(0.0f, 0.0f, 0.0f, alpha);
    FontNormal->DrawText(compareButton.x - 10 - FontNormal->TextWidth("%s", text), 4, "%s", text);
}

void AWndBar::DrawTasks() {
    int n = OpenCount();
    if (n == 0 || !FontNormal) return;
    int t = TabWidth(n);
    float a = opacity;
    glShadeModel(GL_SMOOTH);
    auto separator = [a](int left) {
        BeginFlat(0.0f, 0.34f, 0.82f, a * 0.06f);
        glBegin(GL_LINE_STRIP);
        glColor4f(0.0f, 0.34f, 0.82f, a * 0.06f);
        glVertex2f(left + 0.5f, 0.0f);
        glColor4f(0.0f, 0.34f, 0.82f, a * 0.3f);
        glVertex2f(left + 0.5f, 10.0f);
        glColor4f(0.0f, 0.34f, 0.82f, a * 0.06f);
        glVertex2f(left + 0.5f, 23.0f);
        glEnd();
    };
    int k = 0;
    for (GUIWnd* p = OpenPanels; p; p = p->openNext) {
        AWndFrame* panel = static_cast<AWndFrame*>(p);
        if (!panel->IsOpen()) continue;
        int left = 46 + k * t;
        separator(left);
        bool white = false;
        if (panel->HasFocus() && !panel->IsMinimised()) {
            BeginFlat(0.0f, 0.34f, 0.82f, a);
            glBegin(GL_QUADS);
            glColor4f(0.0f, 0.34f, 0.82f, a * 0.5f);
            glVertex2i(left, 0);
            glVertex2i(left + t, 0);
            glColor4f(0.0f, 0.34f, 0.82f, a);
            glVertex2i(left + t, TabHeight);
            glVertex2i(left, TabHeight);
            glEnd();
            white = true;
        } else if (MouseX >= left && MouseX < left + t && MouseY >= 0 && MouseY < TabHeight) {
            BeginFlat(0.3f, 0.3f, 0.3f, a * 0.1f);
            glBegin(GL_QUADS);
            glColor4f(0.3f, 0.3f, 0.3f, a * 0.05f);
            glVertex2i(left, 0);
            glVertex2i(left + t, 0);
            glColor4f(0.3f, 0.3f, 0.3f, a * 0.1f);
            glVertex2i(left + t, TabHeight - 1);
            glVertex2i(left, TabHeight - 1);
            glEnd();
        }
        glEnable(GL_TEXTURE_2D);
        glColor4f(white ? 1.0f : 0.0f, white ? 1.0f : 0.0f, white ? 1.0f : 0.0f, a);
        if (panel->title) FontNormal->DrawText(54 + k * t, 4, "%s", panel->title);
        ++k;
    }
    separator(46 + n * t);
    glShadeModel(GL_FLAT);
}

void AWndBar::OnMouseMove(int px, int py, uint32_t buttonDown, uint32_t* claimed, uint32_t clickSerial) {
    for (GPushBar& level : levels)
        level.OnMouseMove(px, py, buttonDown, claimed, clickSerial);
    compareButton.OnMouseMove(px, py, buttonDown, claimed, clickSerial);
}

void AWndBar::OnMouseUp(int px, int py, uint32_t clickSerial) {
    compareButton.OnMouseUp(px, py, clickSerial);
}

void AWndBar::OnMouseDown(int px, int py, uint32_t* claimed, uint32_t clickSerial) {
    if (!LinkIdle || PanelIsOpen(ConPanel) || !IntroEnded) return;
    for (GPushBar& level : levels)
        level.OnMouseDown(px, py, claimed, clickSerial);
    compareButton.OnMouseDown(px, py, claimed, clickSerial);
    int W = width;
    if (px >= W - 24 && px <= W - 8 && py >= 3 && py <= 19 && !*claimed && ConPanel) {
        if (LinkLost) LinkReopenAfterLoss();
        OpenPanel(ConPanel);
    }
    int n = OpenCount();
    int t = TabWidth(n);
    int k = 0;
    for (GUIWnd* p = OpenPanels; p && !*claimed; p = p->openNext) {
        AWndFrame* panel = static_cast<AWndFrame*>(p);
        if (!panel->IsOpen()) continue;
        int left = 46 + k * t;
        ++k;
        if (!(px >= left && px < left + t && py >= 0 && py < TabHeight)) continue;
        focusSerial = FocusSerial;
        *claimed = 1;
        panel->fadeStart = TickNow();
        if (!panel->HasFocus() || panel->IsMinimised()) {
            panel->frameFlags &= ~FrameMinimised;
            FocusPanel(panel);
        } else {
            panel->frameFlags |= FrameClosing | FrameToMinimise;
        }
        return;
    }
    if (!*claimed && (py < 24 || (px >= W - 528 && py < 50))) {
        focusSerial = FocusSerial;
        *claimed = 1;
    }
}
