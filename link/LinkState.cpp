#include "link/LinkState.h"

std::atomic<uint32_t> ConnectPanelActive{1};
