#include "panels/AWndREQ.h"

#include "app/ui/AppState.h"
#include "link/LinkState.h"
#include "link/ParamMap.h"

namespace {
const LabelPair Title = {{"R.EQ", "房间均衡"}};
}

void AWndREQ::Build() {
    eq.Create(this, EqSectionSetup{BandCount, 1569, 24, 0, "R.EQ"}, 4);
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

void AWndREQ::OnMouseMove(int px, int py, uint32_t buttonDown, uint32_t* claimed, uint32_t clickSerial) {
    if (!IsActive()) return;
    AWndFrame::OnMouseMove(px, py, buttonDown, claimed, clickSerial);
    if (eq.PanelTakesInput()) eq.RouteMove(px, py, buttonDown, claimed, clickSerial);
}

void AWndREQ::OnMouseDown(int px, int py, uint32_t* claimed, uint32_t clickSerial) {
    if (!IsActive()) return;
    AWndFrame::OnMouseDown(px, py, claimed, clickSerial);
    if (!eq.PanelTakesInput() || !LinkIdle) return;
    eq.RouteDown(px, py, claimed, clickSerial);
    eq.NotePress();
}

void AWndREQ::RefreshFromValues() {
    SendEnabled = 0;
    eq.RefreshFromCodes();
    SendEnabled = 1;
}

void AWndREQ::StoreToValues() {
    eq.StoreCodes();
}
