// SPDX-License-Identifier: GPL-3.0-or-later
// px2950-sim in a process of its own, paced as a 19200-baud line and answering at once, linked as COM1
// of a private settings folder that XDG_CONFIG_HOME points to. For the link's benchmarks.
#pragma once

#include "common/Paths.h"

#include <filesystem>
#include <cstdlib>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

class SimProcess {
  public:
    // Starts `program` and waits (up to 2 s) for its link to appear.
    bool Start(const char* program) {
        char pattern[] = "/tmp/tonvex-bench-XXXXXX";
        if (!mkdtemp(pattern)) return false;
        dir_ = pattern;
        setenv("XDG_CONFIG_HOME", dir_.c_str(), 1);
        MakeDirs(dir_ + "/tonvex/ports");
        std::string com1 = dir_ + "/tonvex/ports/COM1";
        pid_ = fork();
        if (pid_ == 0) {
            execl(program, program, "--link", com1.c_str(), "--latency", "0", static_cast<char*>(nullptr));
            _exit(127);
        }
        for (int i = 0; i < 200 && access(com1.c_str(), F_OK) != 0; ++i)
            usleep(10000);
        return access(com1.c_str(), F_OK) == 0;
    }
    // Ends the simulator and removes the folder.
    void Stop() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
            pid_ = -1;
        }
        std::error_code ignored;
        if (!dir_.empty()) std::filesystem::remove_all(dir_, ignored);
        dir_.clear();
    }
    const std::string& Dir() const { return dir_; }

  private:
    std::string dir_;
    pid_t pid_ = -1;
};
