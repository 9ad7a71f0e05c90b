// SPDX-License-Identifier: GPL-3.0-or-later
// A port the user may not open: the trace names the device behind the pinned link and the group. Run
// as root too, from a child that gives up root first.
#include "common/Paths.h"
#include "common/Trace.h"
#include "link/Serial.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <grp.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

TEST(SerialPermission, DeniedOpenNamesTheDeviceAndTheGroup) {
    char pattern[] = "/tmp/tonvex-perm-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    std::string dir = pattern;
    ASSERT_TRUE(MakeDirs(dir + "/tonvex/ports"));
    for (const std::string& d : {dir, dir + "/tonvex", dir + "/tonvex/ports"})
        ASSERT_EQ(chmod(d.c_str(), 0755), 0);
    std::string device = dir + "/ttyFake0";
    int fd = open(device.c_str(), O_CREAT | O_WRONLY, 0);
    ASSERT_GE(fd, 0);
    close(fd);
    ASSERT_EQ(symlink(device.c_str(), (dir + "/tonvex/ports/COM5").c_str()), 0);

    int out[2];
    ASSERT_EQ(pipe(out), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // A user outside the device's group: root gives itself up for "nobody".
        if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0))
            _exit(3);
        dup2(out[1], 1);
        setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
        OpenTrace(nullptr);
        uint32_t opened = SerialOpen("COM5");
        // What the connecting panel will say: the kind and the group to join.
        std::printf("\nkind %d group '%s'\n", static_cast<int>(SerialOpenProblemKind()),
                    SerialOpenGroup().c_str());
        std::fflush(stdout);
        _exit(opened ? 1 : 0);
    }
    close(out[1]);
    std::string text;
    char buffer[512];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<size_t>(n));
    close(out[0]);
    int status = 0;
    waitpid(child, &status, 0);
    unlink((dir + "/tonvex/ports/COM5").c_str());
    unlink(device.c_str());
    rmdir((dir + "/tonvex/ports").c_str());
    rmdir((dir + "/tonvex").c_str());
    rmdir(dir.c_str());

    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0) << "the port opened, or the child could not drop root: " << text;
    EXPECT_NE(text.find("Permission denied"), std::string::npos) << text;
    EXPECT_NE(text.find("owns " + device), std::string::npos) << text;
    EXPECT_NE(text.find("dialout"), std::string::npos) << text;
    const group* owner = getgrgid(getegid());
    std::string expected = "kind " + std::to_string(static_cast<int>(PortProblem::PermissionDenied)) +
                           " group '" + (owner ? owner->gr_name : "dialout") + "'";
    EXPECT_NE(text.find(expected), std::string::npos) << text;
}
