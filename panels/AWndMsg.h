// SPDX-License-Identifier: GPL-3.0-or-later
// The message panel: one of fifteen fixed messages (some with a line of detail) with an "确定" button, or a
// question with "是" / "否". Every panel that reports a result or asks for a confirmation goes through
// ShowMessage or AskYesNo.
#pragma once

#include "gui/AWndFrame.h"
#include "gui/GBaseBtn.h"

#include <cstdint>

// Message bits (one per message of the table in AWndMsg.cpp).
enum MessageBits : uint32_t {
    MsgLinkLost = 0x1,
    MsgKeypadPasswordDone = 0x10,
    MsgKeypadPasswordFailed = 0x20,
    MsgSystemPasswordDone = 0x40,
    MsgSystemPasswordFailed = 0x80,
    MsgAskSaveToDevice = 0x100,
    MsgDataSaved = 0x200,
    MsgAskLoadPcMode = 0x400,
    MsgPcModeSaved = 0x800,
    MsgAskEqReset = 0x1000,
    MsgUserModeCannotSave = 0x2000,
    MsgPcModeNotSaved = 0x4000,
    MsgModeFileNotRead = 0x8000,
    MsgEqFiltersTaken = 0x10000,
    MsgEqFiltersRefused = 0x20000,
};
constexpr int MessageCount = 15;

// Which message the panel shows, and the value handed back to the System panel with the answer.
extern uint32_t MessageCode;
extern uint32_t MessageArg;
// The System panel's control callback, which takes the answers to 0x100, 0x200 and 0x400 (set by the
// System panel when it is built; none before).
extern void (*SystemControlCallback)(uint32_t id);

class AWndMsg : public AWndFrame {
  public:
    enum ButtonId : uint32_t { OkButton = 0, YesButton = 1, NoButton = 2 };

    void Build();
    void Draw(float alpha) override;
    void OnMouseMove(int x, int y, uint32_t buttonDown, uint32_t* claimed, uint32_t clickSerial) override;
    void OnMouseDown(int x, int y, uint32_t* claimed, uint32_t clickSerial) override;
    void OnMouseUp(int x, int y, uint32_t clickSerial) override;
    void Relabel(uint32_t language) override;
    // A question (0x100, 0x400, 0x1000) shows "是" / "否"; every other message "确定".
    bool AsksYesNo() const;

    GBaseBtn yesButton, noButton, okButton;
    const char* texts[MessageCount] = {};
    // Called with 1 when "是" answers an EQ reset question.
    void (*confirmAction)(uint32_t answer) = nullptr;
};

// The answer of one of the message panel's buttons (0 OK, 1 Yes, 2 No).
void OnMessageButton(uint32_t id);

// Opens the message panel (360 x 120) on `code`; `arg` is handed back to the System panel's control
// callback with the answer where the message needs it.
void ShowMessage(uint32_t code, uint32_t arg = 0);
// ShowMessage with a second line under the message, in dark red (the system's words for a failure).
void ShowMessageDetail(uint32_t code, const char* detail);
// Opens a yes/no question; `confirm` (for MsgAskEqReset) is called with 1 when "是" answers it.
void AskYesNo(uint32_t code, void (*confirm)(uint32_t answer), uint32_t arg = 0);
