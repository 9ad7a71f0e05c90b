// The panels' tests: a hidden GL window with the skins and fonts, the application's words reset, the
// panels a test needs made as start-up makes them, and the link's words put back after each test.
#pragma once

#include "GuiTestSupport.h"
#include "sim/Px2950Sim.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>

class PanelFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // A simulated processor linked as COMn, unpaced.
    Px2950Sim& AddSim(int com);
    void AddDeadPort(int com);
    // Draws `panel` once per 2 ms (the connecting panel runs its step in its draw) until `done`.
    bool DrawUntil(AWndFrame* panel, const std::function<bool()>& done, uint32_t timeoutMs);
    // A press and release at (x, y) through the application's routing of the message and connecting
    // panels: the panel alone gets them.
    void ClickOn(AWndFrame* panel, int x, int y);

    std::string dir_;
    std::vector<std::unique_ptr<Px2950Sim>> sims_;
};
