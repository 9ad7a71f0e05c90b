// SPDX-License-Identifier: GPL-3.0-or-later
// ser2net, the serial device server, in front of simulated processors for a test: one loopback TCP
// port a line, raw or RFC 2217, its configuration in the test's folder, no UUCP locks of its own.
#pragma once

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

class Ser2Net {
  public:
    struct Line {
        std::string device;
        bool rfc2217;
    };
    ~Ser2Net() { Stop(); }

    static bool Installed() { return access("/usr/sbin/ser2net", X_OK) == 0; }

    // Serves each line on a free loopback port and waits until all of them accept connections.
    bool Start(const std::vector<Line>& lines, const std::string& dir) {
        std::string config = dir + "/ser2net.yaml";
        std::ofstream out(config);
        out << "%YAML 1.1\n---\n";
        for (size_t i = 0; i < lines.size(); ++i) {
            ports_.push_back(FreePort());
            out << "connection: &line" << i << "\n"
                << "  accepter: " << (lines[i].rfc2217 ? "telnet(rfc2217),tcp," : "tcp,") << "127.0.0.1,"
                << ports_.back() << "\n"
                << "  connector: serialdev," << lines[i].device << ",19200n81,local\n"
                << "  options:\n    kickolduser: true\n";
        }
        out.close();
        pid_ = fork();
        if (pid_ == 0) {
            // Its own words (it has no mDNS here, and says so) go to a file beside its configuration.
            int log = open((dir + "/ser2net.log").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (log >= 0) {
                dup2(log, STDOUT_FILENO);
                dup2(log, STDERR_FILENO);
            }
            execl("/usr/sbin/ser2net", "ser2net", "-n", "-u", "-c", config.c_str(), "-P",
                  (dir + "/ser2net.pid").c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        for (int port : ports_)
            if (!WaitForPort(port)) return false;
        return pid_ > 0;
    }
    int Port(size_t i) const { return ports_.at(i); }
    std::string Url(size_t i, bool rfc2217) const {
        return std::string(rfc2217 ? "rfc2217" : "tcp") + "://127.0.0.1:" + std::to_string(Port(i));
    }
    void Stop() {
        if (pid_ <= 0) return;
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

    static int FreePort() {
        int fd = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof a;
        bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
        getsockname(fd, reinterpret_cast<sockaddr*>(&a), &length);
        close(fd);
        return ntohs(a.sin_port);
    }

  private:
    static bool WaitForPort(int port) {
        for (int tries = 0; tries < 100; ++tries) {
            int fd = socket(AF_INET, SOCK_STREAM, 0);
            sockaddr_in a{};
            a.sin_family = AF_INET;
            a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            a.sin_port = htons(static_cast<uint16_t>(port));
            bool up = connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
            close(fd);
            if (up) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return false;
    }

    pid_t pid_ = -1;
    std::vector<int> ports_;
};
