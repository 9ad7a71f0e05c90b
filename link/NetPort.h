// SPDX-License-Identifier: GPL-3.0-or-later
// Serial lines reached over the network through a serial device server (a hardware box, or ser2net on
// a small machine): "tcp://HOST:PORT" carries the line's bytes as they are (the server is set to
// 19200 8N1), "rfc2217://HOST:PORT" is a telnet connection through which the console sets the line
// itself (RFC 2217). Behind link/Serial nothing else knows the difference.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum class NetKind { None, Raw, Rfc2217 };

// The kind a port name asks for (None: not a network port).
NetKind NetPortKind(const std::string& name);

// Connects to the server, within a few seconds, and for RFC 2217 asks for 19200 baud, 8 data bits and
// no flow control (parity and stop bits stay as the server has them, as a local port's do). Returns a
// non-blocking socket, or -1 with *problem saying why in the system's words ("Connection refused",
// "host not found") and *hostMissing set when the name did not resolve.
int NetPortOpen(const std::string& name, std::string* problem, bool* hostMissing);

// The telnet side of an RFC 2217 connection.
class TelnetLink {
  public:
    // Data bytes as they go out: 0xFF doubled.
    static std::vector<uint8_t> Escape(const uint8_t* bytes, size_t count);
    // Takes the commands and negotiation out of received bytes, in place, and returns how many data
    // bytes are left. What the server asks is answered in *replies (to be sent back): the com-port
    // option and binary transmission are agreed to, anything else refused.
    size_t Filter(uint8_t* bytes, size_t count, std::vector<uint8_t>* replies);
    // The bytes that open the negotiation: our com-port option and binary mode, and the line's settings.
    static std::vector<uint8_t> Opening();

  private:
    enum class State { Data, Command, Option, Sub, SubCommand } state_ = State::Data;
    uint8_t verb_ = 0;
};
