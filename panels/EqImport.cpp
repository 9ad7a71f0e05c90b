// SPDX-License-Identifier: GPL-3.0-or-later
#include "panels/EqImport.h"

#include "app/ui/AppState.h"
#include "eq/EqFilterText.h"
#include "panels/AWndEq.h"
#include "panels/AWndMsg.h"

#include <cstdio>
#include <vector>

namespace {

const LabelPair TakenDetail = {{"%d filters, snapped by at most %.2f %% (frequency), %.1f dB, Q %.2f",
                                "%d 个滤波器，取整误差最大 %.2f %%（频率）、%.1f dB、Q %.2f"}};
const LabelPair PreampLeftOut = {{"; the preamp is left out", "；前置增益未导入"}};
const LabelPair LineDetail = {{"line %d: %s", "第 %d 行：%s"}};
const LabelPair LockedDetail = {{"the equaliser is on Auto", "均衡器处于自动模式"}};
const LabelPair OfflineDetail = {{"no processor is connected", "设备未连接"}};

void Refuse(const char* detail) {
    ShowMessageDetail(MsgEqFiltersRefused, detail);
}

} // namespace

bool TakesEqFilters(const AWndFrame* panel) {
    return dynamic_cast<const AWndEq*>(panel) != nullptr;
}

bool ImportEqFilters(AWndFrame* frame, const std::string& text) {
    auto* panel = dynamic_cast<AWndEq*>(frame);
    if (!panel) return false;
    EqSection& eq = panel->eq;
    if (eq.locked || !panel->EqTakesChanges()) {
        Refuse(LockedDetail[Language]);
        return false;
    }
    EqFilterImport filters = ReadEqFilters(text, eq.setup.bandCount);
    char detail[200];
    if (!filters.problem.empty()) {
        if (filters.problemLine) {
            std::snprintf(detail, sizeof detail, LineDetail[Language], filters.problemLine,
                          filters.problem.c_str());
        } else {
            std::snprintf(detail, sizeof detail, "%s", filters.problem.c_str());
        }
        Refuse(detail);
        return false;
    }
    std::vector<uint8_t> flat(filters.bands.size() * 4);
    for (size_t i = 0; i < filters.bands.size(); ++i) {
        const EqBandCodes& b = filters.bands[i];
        flat[4 * i] = b.type, flat[4 * i + 1] = b.freq, flat[4 * i + 2] = b.gain, flat[4 * i + 3] = b.q;
    }
    if (!eq.TakeBandCodes(reinterpret_cast<const uint8_t(*)[4]>(flat.data()),
                          static_cast<int>(filters.bands.size()))) {
        Refuse(OfflineDetail[Language]);
        return false;
    }
    int n =
        std::snprintf(detail, sizeof detail, TakenDetail[Language], static_cast<int>(filters.bands.size()),
                      filters.worstHzPercent, filters.worstDb, filters.worstQ);
    if (filters.preampIgnored && n > 0 && static_cast<size_t>(n) < sizeof detail)
        std::snprintf(detail + n, sizeof detail - static_cast<size_t>(n), "%s", PreampLeftOut[Language]);
    ShowMessageDetail(MsgEqFiltersTaken, detail);
    return true;
}
