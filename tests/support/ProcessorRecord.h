// SPDX-License-Identifier: GPL-3.0-or-later
// What a simulated processor holds for each parameter byte of a PC mode record (offsets 26 to 234),
// in record order, written out from the record's layout rather than from the link's tables.
#pragma once

#include "sim/Px2950Sim.h"

#include <cstdint>
#include <initializer_list>
#include <vector>

inline std::vector<uint32_t> ProcessorRecord(Px2950Sim& sim) {
    std::vector<uint32_t> v;
    auto codes = [&](std::initializer_list<int> list, int set = -1) {
        for (int c : list)
            v.push_back(sim.Param(static_cast<uint16_t>(c), 0, set));
    };
    auto bands = [&](int first, int count, int set = -1) {
        for (int b = 0; b < count; ++b)
            for (int k = 0; k < 4; ++k)
                v.push_back(sim.Param(static_cast<uint16_t>(first + k), b, set));
    };
    codes({256, 258, 260, 261, 262, 263, 257, 259, 513, 514, 515, 512, 516});
    bands(545, 7);
    codes({768, 769});
    codes({770, 771}, 0);
    bands(801, 7, 0);
    codes({770, 771}, 1);
    bands(801, 7, 1);
    codes({1024, 1025});
    codes({1026, 1027}, 0);
    codes({1026, 1027}, 1);
    codes({1028, 1029, 1030});
    bands(1057, 3);
    codes({1280, 1281, 1282, 1283, 1285, 1286, 1284, 1287});
    bands(1313, 3);
    bands(1569, 15);
    codes({1792, 1793, 1794, 1795, 1796});
    return v;
}
