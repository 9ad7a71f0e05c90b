// SPDX-License-Identifier: GPL-3.0-or-later
// The serial port on Linux: names, exclusive open, reads, and the open-failure trace.
#include "LinkFixture.h"
#include "common/Trace.h"
#include "link/Serial.h"

#include "link/UucpLock.h"

#include <cerrno>
#include <fstream>
#include <sys/wait.h>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using SerialPort = LinkFixture;

TEST_F(SerialPort, NamesResolveToPinnedLinksOrPaths) {
    std::string ports = dir_ + "/tonvex/ports/";
    AddDeadPort(2);
    EXPECT_EQ(ResolvePortName("COM2"), ports + "COM2")
        << "a pinned port stays pinned when its device is gone";
    EXPECT_EQ(ResolvePortName("com2"), ports + "COM2");
    EXPECT_EQ(ResolvePortName("/dev/ttyUSB7"), "/dev/ttyUSB7");
    EXPECT_EQ(ResolvePortName("LPT1"), "");
    EXPECT_EQ(ResolvePortName("COM"), "");
    EXPECT_EQ(ResolvePortName("COM0"), "");
    EXPECT_EQ(ResolvePortName(""), "");
}

TEST_F(SerialPort, OpenFailureIsTracedWithTheReason) {
    AddDeadPort(4);
    OpenTrace(nullptr);
    testing::internal::CaptureStdout();
    EXPECT_EQ(SerialOpen("COM4"), 0u);
    EXPECT_EQ(SerialOpen("/dev/no-such-tty"), 0u);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("Error: open serialport 'COM4'"), std::string::npos) << out;
    EXPECT_NE(out.find("No such file or directory"), std::string::npos) << out;
    EXPECT_NE(out.find("Error: open serialport '/dev/no-such-tty'"), std::string::npos) << out;
}

TEST_F(SerialPort, ExclusiveOpenReopenAndReads) {
    Px2950Sim& sim = AddSim(1);
    PortOpen = SerialOpen("COM1");
    ASSERT_EQ(PortOpen, 1u);
    // Nobody else gets the port while we hold it (a non-root process gets EBUSY).
    if (geteuid() != 0) {
        int other = open(sim.DevicePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        EXPECT_LT(other, 0);
        if (other >= 0) close(other);
    }
    // Opening again closes the first descriptor first, so the lock does not stand in the way.
    PortOpen = SerialOpen("COM1");
    ASSERT_EQ(PortOpen, 1u);

    uint8_t buffer[1024];
    EXPECT_EQ(SerialRead(buffer, sizeof buffer), 0u); // nothing queued: at once
    EXPECT_FALSE(SerialWait(20));

    // A ping, answered: the reply is there to read.
    const uint8_t ping[10] = {0xFF, 0xFF, 0x08, 0x02, 0x01, 0x00, 0x00, 0x00, 0xF6, 0xFC};
    EXPECT_EQ(SerialWrite(ping, 10), 10u);
    ASSERT_TRUE(SerialWait(500));
    uint32_t got = 0;
    for (int i = 0; i < 50 && got < 10; ++i) {
        got += SerialRead(buffer + got, sizeof buffer - got);
        if (got < 10) SerialWait(20);
    }
    EXPECT_EQ(got, 10u);
    EXPECT_EQ(buffer[3], 3);
    EXPECT_EQ(buffer[8], 0xF6);
    EXPECT_EQ(buffer[9], 0xFC);

    // Without an open port every transfer is 0.
    PortOpen = 0;
    EXPECT_EQ(SerialWrite(ping, 10), 0u);
    EXPECT_EQ(SerialRead(buffer, sizeof buffer), 0u);
}

TEST_F(SerialPort, AReadTakesAtMostMaxCountAndLeavesTheRestQueued) {
    int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    std::string device = ptsname(master);
    PortOpen = SerialOpen(device.c_str());
    ASSERT_EQ(PortOpen, 1u);
    std::vector<uint8_t> bytes(3000);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<uint8_t>(i);
    ASSERT_EQ(write(master, bytes.data(), bytes.size()), 3000);
    ASSERT_TRUE(SerialWait(500));
    usleep(20000);
    uint8_t buffer[1100];
    EXPECT_EQ(SerialRead(buffer, 1024), 1024u);
    EXPECT_EQ(buffer[1023], static_cast<uint8_t>(1023));
    uint32_t rest = 0;
    while (uint32_t n = SerialRead(buffer, 1024))
        rest += n;
    EXPECT_EQ(rest, 3000u - 1024u);
    SerialClose();
    close(master);
}

// Another serial program's UUCP lock file (minicom, cu) keeps the port from us while its process
// lives, in the ASCII form and the old binary one; a lock whose process has ended is taken over, ours
// names this process while we hold the port and is gone when we let it go.
TEST_F(SerialPort, UucpLockFilesOfLiveProcessesRefuseThePortAndStaleOnesAreTakenOver) {
    Px2950Sim& sim = AddSim(2);
    const std::string lock = UucpLockPath(sim.DevicePath());
    EXPECT_EQ(lock, dir_ + "/lock/LCK.." + sim.DevicePath().substr(5).replace(3, 1, "_"));
    auto writeLock = [&](const std::string& bytes) { std::ofstream(lock, std::ios::binary) << bytes; };
    auto readLock = [&] {
        std::ifstream in(lock, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    };
    const pid_t live = getppid();
    char ascii[16];
    std::snprintf(ascii, sizeof ascii, "%10d\n", static_cast<int>(live));
    int32_t binaryPid = live;
    for (const std::string& held :
         {std::string(ascii), std::string(reinterpret_cast<char*>(&binaryPid), 4)}) {
        writeLock(held);
        EXPECT_EQ(SerialOpen("COM2"), 0u);
        EXPECT_EQ(SerialOpenProblemKind(), PortProblem::InUse);
        EXPECT_EQ(SerialOpenHolder(), static_cast<int>(live));
        EXPECT_NE(SerialOpenProblem().find("in use by process " + std::to_string(live)), std::string::npos)
            << SerialOpenProblem();
        EXPECT_EQ(readLock(), held) << "another program's lock is left as it is";
    }

    pid_t ended = fork();
    if (ended == 0) _exit(0);
    ASSERT_GT(ended, 0);
    waitpid(ended, nullptr, 0);
    writeLock(std::to_string(ended) + "\n");
    ASSERT_EQ(SerialOpen("COM2"), 1u);
    char ours[16];
    std::snprintf(ours, sizeof ours, "%10d\n", static_cast<int>(getpid()));
    EXPECT_EQ(readLock(), ours);
    SerialClose();
    EXPECT_NE(access(lock.c_str(), F_OK), 0);
}
