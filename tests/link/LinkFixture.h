// SPDX-License-Identifier: GPL-3.0-or-later
// The fixture of the link's threaded tests: a private ports folder, simulated processors linked as COM
// ports, the ParamMap bound as start-up binds it, and the link threads stopped after each test.
#pragma once

#include "tests/support/SimPorts.h"

#include <cstdint>
#include <gtest/gtest.h>

class LinkFixture : public ::testing::Test, protected SimPorts {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Scan from COM1 (the 1000 ms wait before the scan skipped) until the download is done.
    bool Connect(uint32_t timeoutMs = 10000);

    // The words behind a PC mode record's parameter bytes (kept by the link), and the five the
    // record does not hold: the tab bar's levels, the input port and the key lock.
    uint32_t* fields_[209] = {};
    uint32_t bar_[3] = {}, inputPort_ = 0, keyLock_ = 0;
};

// Hook counters shared with the tests.
extern int g_downloadApplied;
extern int g_uploadFinished;
extern int g_closeRequests;
