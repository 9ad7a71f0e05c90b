// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/NetPort.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// Telnet (RFC 854) and its com-port option (RFC 2217).
constexpr uint8_t Iac = 255, Dont = 254, Do = 253, Wont = 252, Will = 251, Sb = 250, Se = 240;
constexpr uint8_t Binary = 0, ComPort = 44;
constexpr uint8_t SetBaudRate = 1, SetDataSize = 2, SetControl = 5;
constexpr uint8_t NoFlowControl = 1;
constexpr int ConnectMs = 3000;

bool SplitHostPort(const std::string& rest, std::string* host, std::string* port) {
    size_t colon = rest.rfind(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 == rest.size()) return false;
    *host = rest.substr(0, colon);
    *port = rest.substr(colon + 1);
    if (host->size() > 2 && host->front() == '[' && host->back() == ']')
        *host = host->substr(1, host->size() - 2);
    return port->find_first_not_of("0123456789") == std::string::npos;
}

int ConnectWithin(const addrinfo* a, int ms, int* error) {
    int fd = socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK, a->ai_protocol);
    if (fd < 0) {
        *error = errno;
        return -1;
    }
    if (connect(fd, a->ai_addr, a->ai_addrlen) != 0 && errno != EINPROGRESS) {
        *error = errno;
        close(fd);
        return -1;
    }
    pollfd p{fd, POLLOUT, 0};
    int ready = poll(&p, 1, ms);
    int soError = 0;
    socklen_t length = sizeof soError;
    if (ready <= 0 || getsockopt(fd, SOL_SOCKET, SO_ERROR, &soError, &length) != 0 || soError != 0) {
        *error = ready == 0 ? ETIMEDOUT : soError ? soError : errno;
        close(fd);
        return -1;
    }
    // Frames are small and each waits for its answer: no coalescing delay.
    int on = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    return fd;
}

void Put32(std::vector<uint8_t>* out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        uint8_t b = static_cast<uint8_t>(v >> shift);
        out->push_back(b);
        if (b == Iac) out->push_back(Iac);
    }
}

} // namespace

NetKind NetPortKind(const std::string& name) {
    if (name.rfind("tcp://", 0) == 0) return NetKind::Raw;
    if (name.rfind("rfc2217://", 0) == 0) return NetKind::Rfc2217;
    return NetKind::None;
}

int NetPortOpen(const std::string& name, std::string* problem, bool* hostMissing) {
    *hostMissing = false;
    NetKind kind = NetPortKind(name);
    std::string host, port;
    if (kind == NetKind::None || !SplitHostPort(name.substr(name.find("://") + 3), &host, &port)) {
        *problem = "not HOST:PORT";
        *hostMissing = true;
        return -1;
    }
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    int looked = getaddrinfo(host.c_str(), port.c_str(), &hints, &found);
    if (looked != 0) {
        *problem = std::string("host not found: ") + gai_strerror(looked);
        *hostMissing = true;
        return -1;
    }
    int fd = -1, error = 0;
    for (const addrinfo* a = found; a && fd < 0; a = a->ai_next)
        fd = ConnectWithin(a, ConnectMs, &error);
    freeaddrinfo(found);
    if (fd < 0) {
        *problem = std::strerror(error);
        return -1;
    }
    if (kind == NetKind::Rfc2217) {
        std::vector<uint8_t> opening = TelnetLink::Opening();
        if (send(fd, opening.data(), opening.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(opening.size())) {
            *problem = std::string("the line could not be set: ") + std::strerror(errno);
            close(fd);
            return -1;
        }
    }
    return fd;
}

std::vector<uint8_t> TelnetLink::Escape(const uint8_t* bytes, size_t count) {
    std::vector<uint8_t> out;
    out.reserve(count + 8);
    for (size_t i = 0; i < count; ++i) {
        out.push_back(bytes[i]);
        if (bytes[i] == Iac) out.push_back(Iac);
    }
    return out;
}

std::vector<uint8_t> TelnetLink::Opening() {
    std::vector<uint8_t> out = {Iac, Will, ComPort, Iac, Will, Binary, Iac, Do, Binary};
    auto sub = [&](uint8_t command, std::vector<uint8_t> value) {
        out.insert(out.end(), {Iac, Sb, ComPort, command});
        out.insert(out.end(), value.begin(), value.end());
        out.insert(out.end(), {Iac, Se});
    };
    std::vector<uint8_t> baud;
    Put32(&baud, 19200);
    sub(SetBaudRate, baud);
    sub(SetDataSize, {8});
    sub(SetControl, {NoFlowControl});
    return out;
}

size_t TelnetLink::Filter(uint8_t* bytes, size_t count, std::vector<uint8_t>* replies) {
    size_t kept = 0;
    for (size_t i = 0; i < count; ++i) {
        uint8_t b = bytes[i];
        switch (state_) {
        case State::Data:
            if (b == Iac)
                state_ = State::Command;
            else
                bytes[kept++] = b;
            break;
        case State::Command:
            if (b == Iac) {
                bytes[kept++] = Iac; // an escaped data byte
                state_ = State::Data;
            } else if (b == Will || b == Wont || b == Do || b == Dont) {
                verb_ = b;
                state_ = State::Option;
            } else if (b == Sb) {
                state_ = State::Sub;
            } else {
                state_ = State::Data; // NOP, GA and the like: nothing to do
            }
            break;
        case State::Option: {
            // Agreed: the com-port option and binary transmission, in either direction. Our own offers
            // were made in Opening, so an agreement to them needs no answer; anything else is refused.
            bool wanted = b == ComPort || b == Binary;
            if (!wanted && verb_ == Do) replies->insert(replies->end(), {Iac, Wont, b});
            if (!wanted && verb_ == Will) replies->insert(replies->end(), {Iac, Dont, b});
            state_ = State::Data;
            break;
        }
        case State::Sub: // the server's notifications and the settings it confirms: not needed
            if (b == Iac) state_ = State::SubCommand;
            break;
        case State::SubCommand:
            state_ = b == Se ? State::Data : State::Sub;
            break;
        }
    }
    return kept;
}
