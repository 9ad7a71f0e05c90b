// SPDX-License-Identifier: GPL-3.0-or-later
// The connecting panel: finds the processor, shows the download's progress and the upload's, and offers
// a typed port, "Connect" and "Scan again" when the connection failed. It runs one step of the
// connection state machine per drawn frame.
#pragma once

#include "gui/AWndFrame.h"
#include "gui/GBaseBtn.h"
#include "gui/GTextBox.h"

class AWndCon : public AWndFrame {
  public:
    enum ButtonId : uint32_t { ConnectButton = 0, CloseButton = 1, ScanAgainButton = 2 };

    // Makes the controls; the frame itself comes from start-up's Create.
    void Build();
    void Draw(float alpha) override;
    void OnMouseMove(int x, int y, uint32_t buttonDown, uint32_t* claimed, uint32_t clickSerial) override;
    void OnMouseDown(int x, int y, uint32_t* claimed, uint32_t clickSerial) override;
    void OnMouseUp(int x, int y, uint32_t clickSerial) override;
    void OnChar(uint32_t ch) override;
    void OnKeyDown(uint32_t key) override;
    void OnClose() override;
    void Relabel(uint32_t language) override;

    // What the panel shows for the current link state.
    enum class Display { Waiting, Scanning, Downloading, Downloaded, Uploading, Failed };
    Display Showing() const;
    // The message line as drawn now (the port name filled in).
    void MessageText(char* out, int size) const;
    // With the failure display, the line under it: why (the port that tells most and what it found,
    // or how far a transfer got), in the language shown; empty when nothing is known.
    void FailureReason(char* out, int size) const;
    // Nothing on the panel moves: it shows the failure and no fade runs. The main loop then draws it
    // at the idle pace, as any still screen.
    bool IsStill() const;

    GBaseBtn connect, close, scanAgain;
    GTextBox portName;
    const char* scanText = nullptr;
    const char* successText = nullptr;
    const char* finishedText = nullptr;
    const char* failedText = nullptr;
    const char* portLabel = nullptr;
    const char* uploadText = nullptr;

  private:
    // Connect, Scan again and the port box take input only while they are shown.
    bool FailedControlsLive() const { return Showing() == Display::Failed; }
    void DrawProgress(uint32_t done, uint32_t total);
};
