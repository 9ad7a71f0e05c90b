// SPDX-License-Identifier: GPL-3.0-or-later
// The room equaliser: fifteen bands on the graph and in fifteen columns, nothing else.
#pragma once

#include "panels/AWndEq.h"

struct ParamTargets;

class AWndREQ : public AWndEq {
  public:
    static constexpr int BandCount = 15;

    void Build();
    void Draw(float alpha) override;
    void RefreshFromValues() override;
    void StoreToValues() override;
    void Relabel(uint32_t language) override;
    void BindTargets(ParamTargets& targets);
};
