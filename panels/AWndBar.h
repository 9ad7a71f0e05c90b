// SPDX-License-Identifier: GPL-3.0-or-later
// The tab bar across the top of the window: the task list of open panels, the three master levels
// with their keys, and the lamp that shows whether the processor is reachable. It is never in the
// z-order list and draws no frame.
#pragma once

#include "gui/AWndFrame.h"
#include "gui/GBaseBtn.h"
#include "gui/GPushBar.h"

struct ParamTargets;

class AWndBar : public AWndFrame {
  public:
    enum Level { Effect = 0, Mic = 1, Music = 2 };

    AWndBar() {
        x = y = 0;
        frameFlags |= FrameOpen;
    }
    void Build();
    void Draw(float alpha) override;
    void OnMouseMove(int x, int y, uint32_t buttonDown, uint32_t* claimed, uint32_t clickSerial) override;
    void OnMouseDown(int x, int y, uint32_t* claimed, uint32_t clickSerial) override;
    void OnMouseUp(int x, int y, uint32_t clickSerial) override;
    void RefreshFromValues() override;
    // The three levels are the targets of codes 17, 18 and 19.
    void BindTargets(ParamTargets& targets);
    void Relabel(uint32_t language) override;

    // Open panels in the task list, and the width of one tab for them.
    int OpenCount() const;
    int TabWidth(int count) const;
    // A level key (Q/A, W/S, E/D) went down or up: the key events, not the key state, which the
    // platform may update ahead of them. Auto-repeated presses are not edges.
    void LevelKeyEdge(uint32_t virtualKey, bool down, uint32_t tick);
    // Every level key counts as up (the window lost the keyboard).
    void ReleaseLevelKeys();
    // Once per drawn frame: a key pressed since the last frame steps its level once; a key held 321 ms
    // steps it again every 40 ms. Each stepped level is sent (at most two levels a frame, one pair;
    // a third waits for the next frame).
    void PollLevelKeys();

    GPushBar levels[3];
    // The A/B comparison, left of the lamp: "A/B" until first used, then the setting that is live.
    GBaseBtn compareButton;
    // LinkLost as the previous draw saw it (the loss message opens on its rising edge).
    uint32_t lostSeen = 1;

  private:
    void DrawTasks();
    // Left of the comparison's button for a few seconds after a switch: what it sent and how long that
    // took.
    void DrawCompareReport(float alpha);
    //   state    | event                           | next
    //   up       | key down event                  | pending (press time noted)
    //   pending  | next polled frame               | held: one step
    //   held     | frame at or after the next beat  | held: one step; the beats fall 321 ms
    //            |                                  | after the press, then every 40 ms
    //   any      | key up event, focus lost        | up (a pending press still steps once)
    //   pending  | frame where the keys do not act | the press is dropped (a text box was typed in)
    uint8_t keyHeld[6] = {};
    uint8_t keyPending[6] = {};
    uint32_t keyNextStep[6] = {};
};
