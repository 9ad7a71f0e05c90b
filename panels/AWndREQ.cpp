// SPDX-License-Identifier: GPL-3.0-or-later
#include "panels/AWndREQ.h"

#include "app/ui/AppState.h"
#include "link/LinkState.h"
#include "link/ParamCodes.h"
#include "link/ParamMap.h"

namespace {
const LabelPair Title = {{"R.EQ", "房间均衡"}};
}

void AWndREQ::Build() {
    eq.Create(this, EqSectionSetup{BandCount, Code::RoomBand, 24, 0, "R.EQ"}, 4);
    Relabel(Language);
}

void AWndREQ::Relabel(uint32_t language) {
    title = Title[language];
}

void AWndREQ::BindTargets(ParamTargets& targets) {
    for (int b = 0; b < BandCount; ++b)
        targets.roomBands[b] = eq.bandCodes[b];
}

void AWndREQ::Draw(float alpha) {
    if (!IsActive()) return;
    AWndFrame::Draw(alpha);
    eq.Draw();
}

void AWndREQ::RefreshFromValues() {
    SendEnabled = 0;
    eq.RefreshFromCodes();
    SendEnabled = 1;
}

void AWndREQ::StoreToValues() {
    eq.StoreCodes();
}
