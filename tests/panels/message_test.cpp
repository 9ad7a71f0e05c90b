// SPDX-License-Identifier: GPL-3.0-or-later
// The message panel's answers: each button reaches the callback its message names, with the argument
// it needs; the close button answers nothing.
#include "PanelFixture.h"
#include "panels/Panels.h"

namespace {

std::vector<uint32_t> SystemCalls;
std::vector<uint32_t> Confirms;

class MessagePanel : public PanelFixture {
  protected:
    void SetUp() override {
        PanelFixture::SetUp();
        msg = Make(&MsgPanel, 400, 100, 380, 320, "Message");
        msg->frameFlags = (msg->frameFlags & ~FrameHasMinimise) | FrameFixedSize;
        SystemCalls.clear();
        Confirms.clear();
        SystemControlCallback = [](uint32_t id) { SystemCalls.push_back(id); };
    }
    void TearDown() override {
        SystemControlCallback = nullptr;
        PanelFixture::TearDown();
    }
    // Opens `code` (a question with a confirmation for 0x1000) and answers with `button`.
    void Answer(uint32_t code, uint32_t arg, const GBaseBtn& button) {
        msg->frameFlags &= ~FrameClosing;
        if (code == MsgAskEqReset)
            AskYesNo(code, [](uint32_t answer) { Confirms.push_back(answer); });
        else
            ShowMessage(code, arg);
        EXPECT_EQ(msg->width, 360);
        EXPECT_EQ(msg->height, 120);
        ClickOn(msg.get(), button.WindowX() + 30, button.WindowY() + 12);
        EXPECT_TRUE(msg->frameFlags & FrameClosing) << std::hex << code;
    }
};

} // namespace

TEST_F(MessagePanel, EachAnswerReachesItsCallback) {
    Answer(MsgDataSaved, 77, msg->okButton);
    Answer(MsgPcModeSaved, 78, msg->okButton);
    Answer(MsgAskLoadPcMode, 5, msg->yesButton);
    Answer(MsgAskLoadPcMode, 6, msg->noButton);
    Answer(MsgAskSaveToDevice, 0, msg->yesButton);
    Answer(MsgAskSaveToDevice, 0, msg->noButton);
    EXPECT_EQ(SystemCalls, (std::vector<uint32_t>{77, 5, 301, 300}));
    Answer(MsgAskEqReset, 0, msg->noButton);
    Answer(MsgAskEqReset, 0, msg->yesButton);
    EXPECT_EQ(Confirms, (std::vector<uint32_t>{1}));
    EXPECT_EQ(SystemCalls.size(), 4u);

    // The close button only closes.
    msg->frameFlags &= ~FrameClosing;
    ShowMessage(MsgAskLoadPcMode, 9);
    ClickOn(msg.get(), msg->x + msg->width - 12, msg->y + 12);
    EXPECT_TRUE(msg->frameFlags & FrameClosing);
    EXPECT_EQ(SystemCalls.size(), 4u);
    EXPECT_EQ(Confirms.size(), 1u);
}

// With English chosen every message and button reads in English; with Chinese, in Chinese. A message
// raised while the previous one fades out is opened again, not closed with it.
TEST_F(MessagePanel, EnglishThroughoutAndARaisedMessageStays) {
    auto ascii = [](const char* text) {
        for (const char* c = text; c && *c; ++c)
            if (static_cast<unsigned char>(*c) >= 0x80) return false;
        return text != nullptr;
    };
    msg->Relabel(0);
    for (int i = 0; i < MessageCount; ++i)
        EXPECT_TRUE(ascii(msg->texts[i])) << i << ": " << msg->texts[i];
    for (const GBaseBtn* b : {&msg->yesButton, &msg->noButton, &msg->okButton})
        EXPECT_TRUE(ascii(b->label)) << b->label;
    msg->Relabel(1);
    EXPECT_FALSE(ascii(msg->texts[0]));
    EXPECT_FALSE(ascii(msg->okButton.label));

    ShowMessage(MsgAskSaveToDevice);
    msg->fadeStart = TickNow();
    msg->frameFlags |= FrameClosing; // answered: fading out
    ShowMessage(MsgDataSaved, 300);
    EXPECT_EQ(msg->frameFlags & FrameClosing, 0u);
    EXPECT_TRUE(msg->IsOpen());
    EXPECT_EQ(MessageCode, MsgDataSaved);
}
