// The fixture of the link's threaded tests: a private ports folder, simulated processors linked as COM
// ports, the ParamMap bound as start-up binds it, and the link threads stopped after each test.
#pragma once

#include "sim/Px2950Sim.h"

#include <cstdint>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

class LinkFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // A simulator linked as COMn (n from 1), unpaced and answering at once unless the test says so.
    Px2950Sim& AddSim(int com);
    // COMn as a link to nothing: the port cannot be opened.
    void AddDeadPort(int com);
    // Runs ConnectStep every 2 ms, as the connecting panel's frames would, until `done` or the time
    // runs out. Returns whether `done` became true.
    bool StepUntil(const std::function<bool()>& done, uint32_t timeoutMs);
    static bool WaitFor(const std::function<bool()>& done, uint32_t timeoutMs);
    // Scan from COM1 (the 1000 ms wait before the scan skipped) until the download is done.
    bool Connect(uint32_t timeoutMs = 10000);

    std::string dir_;
    std::vector<std::unique_ptr<Px2950Sim>> sims_;
    // The words behind a PC mode record's parameter bytes (kept by the link), and the five the
    // record does not hold: the tab bar's levels, the input port and the key lock.
    uint32_t* fields_[209] = {};
    uint32_t bar_[3] = {}, inputPort_ = 0, keyLock_ = 0;
};

// Hook counters shared with the tests.
extern int g_downloadApplied;
extern int g_uploadFinished;
extern int g_closeRequests;
