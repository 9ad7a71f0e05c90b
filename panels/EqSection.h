// SPDX-License-Identifier: GPL-3.0-or-later
// The equaliser every EQ panel shows: the graph with its bands and filter bands, one column of
// controls per band (type button, gain box, gain fader, frequency box, Q box), the information line,
// the drag and control sends of the band parameters, the reset, and the reload from the band codes.
// Each EQ panel holds one by value and routes its frame's events to it; the panel keeps what is its
// own (its sliders, its check boxes, what its filter bands mean).
#pragma once

#include "eq/EqGraph.h"
#include "gui/GEQCheck.h"
#include "gui/PartialFrame.h"
#include "gui/GScrollBar.h"
#include "gui/GTextBox.h"

#include <cstdint>

class AWndFrame;

// 0 while a panel reloads its controls, so that their callbacks send nothing (one for the process).
extern uint32_t SendEnabled;

// A filter band's frequency for its slider's step: 5 Hz a step, the first four steps 2.5 Hz from 10 Hz.
inline float FilterSliderHz(int step) {
    float h = 5.0f * step;
    return h < 20.0f ? 10.0f + h / 2.0f : h;
}
// The slider step nearest a dragged filter band's frequency (below 20 Hz, 2.5 Hz a step).
inline int FilterSliderStep(float hz) {
    if (hz < 20.0f) hz = 2.0f * (hz - 10.0f);
    return static_cast<int>(hz / 5.0f + 0.5f);
}

struct EqSectionSetup {
    int bandCount;        // equaliser bands: 7, 3 or 15
    uint32_t firstCode;   // the first band parameter: 545, 801, 1057, 1313, 1569
    int columnX;          // x of the first column's type button, relative to the panel
    int filterCount;      // filter bands after the equaliser bands (high- and low-pass), 0 to 2
    const char* infoName; // "MI.EQ", ... for the information line
};

class EqSection {
  public:
    static constexpr int MaxBands = 15;
    static constexpr int MaxFilters = 2;
    static constexpr int ColumnPitch = 52;

    // One equaliser's state apart from its widgets, to put away and bring back whole (the music
    // panel's Sing and Disco sets).
    struct LiveSet {
        EqGraphBand bands[MaxBands + MaxFilters];
        uint32_t bandCodes[MaxBands][4];
        uint32_t sentCodes[MaxBands][4];
        int32_t faderValues[MaxBands];
        int32_t typeValues[MaxBands];
        char texts[3][MaxBands][16];
    };

    // `section` tells the widgets' callbacks which section they belong to (0 to 7, one per panel).
    void Create(AWndFrame* owner, const EqSectionSetup& setup, uint32_t section);

    // The graph (with the mouse), then the columns when the panel is not compact, then the information
    // line. Returns the filter band dragged in this frame (its index among all bands), or -1.
    int Draw();
    // The columns' share of the panel's routing (the panel guards focus, LinkIdle and compactness).
    void RouteMove(int x, int y, uint32_t buttonDown, uint32_t* claimed, uint32_t clickSerial);
    void RouteDown(int x, int y, uint32_t* claimed, uint32_t clickSerial);
    // The release reaches every fader, shown or not: none repeats past it.
    void RouteUp(int x, int y, uint32_t clickSerial);
    // After a press went round the panel: the box being edited lights its band; the lit curve goes.
    void NotePress();
    void OnChar(uint32_t ch);
    void OnKeyDown(uint32_t key);

    // Bands from bandCodes (after a download or a PC-mode load), with sending off.
    void RefreshFromCodes();
    // The equaliser bands from `codes` (type, frequency, gain, Q codes a band; the bands past the
    // list set flat), the parameters that change sent as one list of changes. False, changing
    // nothing, when the link takes nothing.
    bool TakeBandCodes(const uint8_t (*codes)[4], int count);
    // The confirmed reset: every equaliser band Peak, 0 dB, Q 1.4, spread over the frequency table;
    // what changed is sent band by band.
    void Reset();
    void Store(LiveSet& set) const;
    void Load(const LiveSet& set);
    // The band codes a set's controls show: its type buttons and what the parsers make of its texts.
    void CodesFromSet(const LiveSet& set, uint32_t (*codes)[4]) const;
    // bandCodes from the live controls.
    void StoreCodes();
    // A filter band moved by its slider: the graph draws it anew at `hz`.
    void MoveFilter(int band, float hz);
    // A dragged filter band put on its slider's step `hz`. The drag goes on (a recompute request would
    // stop the graph's edits for a frame); the curves follow once the drag has ended.
    void SnapFilter(int band, float hz);
    // The high-pass band of a panel with a slope button: at the slider's `step`, 24 or 12 dB deep.
    void MoveHighPass(int band, int step, bool steep);

    // Handles of the graph and band columns.
    bool ColumnFits(int band) const;
    // The alpha the panel's own controls are drawn with (fading with the compact toggle).
    float ControlsAlpha() const;
    bool ShowsControls() const;
    // The panel takes mouse input: open, not minimised, focused and not showing only its graph.
    bool PanelTakesInput() const;
    void GraphRect(int* x, int* y, int* width, int* height) const;
    // While the left button drags an equaliser band on the graph of the focused panel at full
    // opacity, with the pointer over the graph: the parts of the panel the drag changes (the graph
    // and the information line as `scene`, the band's column as `own`; gui/PartialFrame.h).
    bool FollowsDrag(PartialFrame* frame) const;
    void OnBandDragged(int band, uint32_t rightDown);

    // Callback work, by band.
    void TypeChanged(int band);
    void FaderChanged(int band);
    void GainTyped(int band);
    void FreqTyped(int band);
    void QTyped(int band);
    // Texts of band `band`'s boxes from its values, run through the parsers (which round them).
    void WriteBoxes(int band);

    AWndFrame* owner = nullptr;
    EqSectionSetup setup{};
    uint32_t section = 0;
    EqGraphBand bands[MaxBands + MaxFilters] = {};
    float sumCurve[EqCurveCapacity] = {};
    float litCurve[EqCurveCapacity] = {};
    EqBandShare shares[MaxBands + MaxFilters] = {};
    int32_t recalcPending = 1;
    // The graph and the columns take no input and the columns are drawn at half alpha (the music
    // panel's "Auto"); the panel then routes them no presses either.
    int32_t locked = 0;
    int32_t selectedBand = 0;
    uint32_t bandCodes[MaxBands][4] = {};
    // Each band's codes as the processor holds them: what was last received (a download, a PC-mode
    // load) or sent. A band parameter goes out only when it differs from its entry here, so a press
    // that changes nothing, a drag that lands on the same code and a box committed twice send nothing.
    uint32_t sentCodes[MaxBands][4] = {};
    GEQCheck typeButtons[MaxBands];
    GScrollBar gainFaders[MaxBands];
    GTextBox gainBoxes[MaxBands], freqBoxes[MaxBands], qBoxes[MaxBands];
    // The graph's reset button asked for a reset in the last frame.
    int32_t resetAsked = 0;
    // The press the graph last saw: only the first frame of a press may grab a handle or the reset
    // button; a held button passing over them grabs nothing.
    uint32_t pressSeen = 0;
    // A filter band was put on its step during a drag: the curves are recomputed when it ends.
    int32_t snapPending = 0;

  private:
    int BandOfBox(const GTextBox* box) const;
    // Waits for the link before a band callback hands it a change; false when the wait ran out.
    bool LinkReady() const;
    // Sends band parameter `item` (0 type, 1 frequency, 2 gain, 3 Q) when its code differs from what
    // the processor holds; true when it went out.
    bool Send(int item, int band, uint32_t code);
    // The frequency and gain of a moved band, together, when either differs.
    void SendMove(int band, uint32_t freqCode, uint32_t gainCode);
};
