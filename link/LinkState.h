// The device link's state words. They are shared between the window thread and the link threads, so
// each is an atomic 32-bit word; the window thread only polls them.
#pragma once

#include <atomic>
#include <cstdint>

// 1 while the connecting panel is drawn: the main loop keeps its full pace then.
extern std::atomic<uint32_t> ConnectPanelActive;
