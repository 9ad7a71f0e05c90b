// SPDX-License-Identifier: GPL-3.0-or-later
// Simulated processors linked as COM ports in a private configuration folder (XDG_CONFIG_HOME points
// at it, and the UUCP lock folder is in it), ports linked to nothing, and waits on the link. ClosePorts stops
// the simulators and removes the folder.
#pragma once

#include "common/Paths.h"
#include "common/Tick.h"
#include "link/LinkState.h"
#include "link/UucpLock.h"
#include "sim/Px2950Sim.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

class SimPorts {
  protected:
    void OpenPorts() {
        char pattern[] = "/tmp/tonvex-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        setenv("XDG_CONFIG_HOME", dir_.c_str(), 1);
        ASSERT_TRUE(MakeDirs(dir_ + "/tonvex/ports"));
        // The serial programs' lock files of this test, not the machine's.
        ASSERT_TRUE(MakeDirs(dir_ + "/lock"));
        SetUucpLockDir(dir_ + "/lock");
    }
    void ClosePorts() {
        for (auto& sim : sims_)
            sim->Stop();
        sims_.clear();
        std::error_code ignored;
        if (!dir_.empty()) std::filesystem::remove_all(dir_, ignored);
    }
    // A simulator linked as COMn (n from 1), unpaced and answering at once unless the test says so.
    Px2950Sim& AddSim(int com) {
        sims_.push_back(std::make_unique<Px2950Sim>());
        Px2950Sim& sim = *sims_.back();
        sim.SetPaced(false);
        EXPECT_TRUE(sim.Start());
        EXPECT_TRUE(sim.LinkAs(PortPath(com)));
        return sim;
    }
    // COMn as a link to nothing: the port cannot be opened.
    void AddDeadPort(int com) {
        unlink(PortPath(com).c_str());
        EXPECT_EQ(symlink("/dev/null-no-such-device", PortPath(com).c_str()), 0);
    }
    // Runs ConnectStep every 2 ms, as the connecting panel's frames would, until `done` or the time
    // runs out. Returns whether `done` became true.
    static bool StepUntil(const std::function<bool()>& done, uint32_t timeoutMs) {
        return WaitFor(done, timeoutMs, [] { ConnectStep(); });
    }
    static bool WaitFor(
        const std::function<bool()>& done, uint32_t timeoutMs, const std::function<void()>& step = [] {}) {
        for (uint32_t start = TickNow(); !done();) {
            if (TickSince(start) > timeoutMs) return false;
            step();
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return true;
    }
    std::string PortPath(int com) const { return dir_ + "/tonvex/ports/COM" + std::to_string(com); }

    std::string dir_;
    std::vector<std::unique_ptr<Px2950Sim>> sims_;
};
