// The tab bar across the top of the window: the task list of open panels, the three master levels
// with their keys, and the lamp that shows whether the processor is reachable. It is never in the
// z-order list and draws no frame.
#pragma once

#include "gui/AWndFrame.h"
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
    void RefreshFromValues() override;
    // The three levels are the targets of codes 17, 18 and 19.
    void BindTargets(ParamTargets& targets);
    void Relabel(uint32_t language) override;

    // Open panels in the task list, and the width of one tab for them.
    int OpenCount() const;
    int TabWidth(int count) const;
    // The level keys Q/A, W/S, E/D: one step at once, then after 321 ms one about every 40 ms; one send
    // per pass for the level stepped last.
    void PollLevelKeys();

    GPushBar levels[3];
    // LinkLost as the previous draw saw it (the loss message opens on its rising edge).
    uint32_t lostSeen = 1;

  private:
    void DrawTasks();
    uint32_t keyPressTick[6] = {};
    uint32_t keyStepTick[6] = {};
};
