// SPDX-License-Identifier: GPL-3.0-or-later
// What one exchange costs on this machine before the console does anything: one byte through a
// pseudo-terminal to a thread that echoes it, and back, with the line idle for 5 ms between
// exchanges as it is between a reply and the next request. Each of the link's exchanges pays this
// (the simulator's wake-up for the request, the console's for the reply) on top of the wire time;
// a real serial port has delays of its own instead.
#pragma once

#include <algorithm>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

// The median round trip in seconds over `count` exchanges; 0 when no pseudo-terminal could be had.
inline double PtyRoundTripSeconds(int count = 200) {
    int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        if (master >= 0) close(master);
        return 0;
    }
    int slave = open(ptsname(master), O_RDWR | O_NOCTTY);
    if (slave < 0) {
        close(master);
        return 0;
    }
    termios tio;
    tcgetattr(slave, &tio);
    cfmakeraw(&tio);
    tcsetattr(slave, TCSANOW, &tio);
    std::thread echo([&] {
        char byte;
        for (int i = 0; i < count; ++i) {
            pollfd p = {master, POLLIN, 0};
            if (poll(&p, 1, 2000) <= 0 || read(master, &byte, 1) != 1) return;
            if (write(master, &byte, 1) != 1) return;
        }
    });
    std::vector<double> trips;
    for (int i = 0; i < count; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        char byte = 'x';
        auto start = std::chrono::steady_clock::now();
        if (write(slave, &byte, 1) != 1) break;
        pollfd p = {slave, POLLIN, 0};
        if (poll(&p, 1, 2000) <= 0 || read(slave, &byte, 1) != 1) break;
        trips.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    echo.join();
    close(slave);
    close(master);
    if (trips.empty()) return 0;
    std::sort(trips.begin(), trips.end());
    return trips[trips.size() / 2];
}
