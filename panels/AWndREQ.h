// The room equaliser: fifteen bands on the graph and in fifteen columns, nothing else.
#pragma once

#include "gui/AWndFrame.h"
#include "panels/EqSection.h"

struct ParamTargets;

class AWndREQ : public AWndFrame {
  public:
    static constexpr int BandCount = 15;

    void Build();
    void Draw(float alpha) override;
    void OnMouseMove(int x, int y, uint32_t buttonDown, uint32_t* claimed, uint32_t clickSerial) override;
    void OnMouseDown(int x, int y, uint32_t* claimed, uint32_t clickSerial) override;
    void OnMouseUp(int x, int y, uint32_t clickSerial) override;
    void OnChar(uint32_t ch) override;
    void OnKeyDown(uint32_t key) override;
    void RefreshFromValues() override;
    void StoreToValues() override;
    void Relabel(uint32_t language) override;
    void BindTargets(ParamTargets& targets);

    EqSection eq;
};
