// The message panel's answers: each button reaches the callback its message names, with the argument
// it needs; the close button answers nothing.
#include "PanelFixture.h"

#include "panels/AWndMsg.h"

namespace {

std::vector<uint32_t> SystemCalls;
std::vector<uint32_t> Confirms;

class MessagePanel : public PanelFixture {
  protected:
    void SetUp() override {
        PanelFixture::SetUp();
        panel = std::make_unique<AWndMsg>();
        MsgPanel = panel.get();
        panel->Create(400, 100, 380, 320, 200, 200, "Message");
        panel->frameFlags = (panel->frameFlags & ~FrameHasMinimise) | FrameFixedSize;
        panel->Build();
        SystemCalls.clear();
        Confirms.clear();
        SystemControlCallback = [](uint32_t id) { SystemCalls.push_back(id); };
    }
    void TearDown() override {
        SystemControlCallback = nullptr;
        MsgPanel = nullptr;
        PanelFixture::TearDown();
    }
    // Opens `code` (a question with a confirmation for 0x1000) and answers with `button`.
    void Answer(uint32_t code, uint32_t arg, const GBaseBtn& button) {
        panel->frameFlags &= ~FrameClosing;
        if (code == MsgAskEqReset)
            AskYesNo(code, [](uint32_t answer) { Confirms.push_back(answer); });
        else
            ShowMessage(code, arg);
        EXPECT_EQ(panel->width, 360);
        EXPECT_EQ(panel->height, 120);
        ClickOn(panel.get(), button.WindowX() + 30, button.WindowY() + 12);
        EXPECT_TRUE(panel->frameFlags & FrameClosing) << std::hex << code;
    }
    std::unique_ptr<AWndMsg> panel;
};

} // namespace

TEST_F(MessagePanel, EachAnswerReachesItsCallback) {
    Answer(MsgDataSaved, 77, panel->okButton);
    Answer(MsgPcModeSaved, 78, panel->okButton);
    Answer(MsgAskLoadPcMode, 5, panel->yesButton);
    Answer(MsgAskLoadPcMode, 6, panel->noButton);
    Answer(MsgAskSaveToDevice, 0, panel->yesButton);
    Answer(MsgAskSaveToDevice, 0, panel->noButton);
    EXPECT_EQ(SystemCalls, (std::vector<uint32_t>{77, 5, 301, 300}));
    Answer(MsgAskEqReset, 0, panel->noButton);
    Answer(MsgAskEqReset, 0, panel->yesButton);
    EXPECT_EQ(Confirms, (std::vector<uint32_t>{1}));
    EXPECT_EQ(SystemCalls.size(), 4u);

    // The close button only closes.
    panel->frameFlags &= ~FrameClosing;
    ShowMessage(MsgAskLoadPcMode, 9);
    ClickOn(panel.get(), panel->x + panel->width - 12, panel->y + 12);
    EXPECT_TRUE(panel->frameFlags & FrameClosing);
    EXPECT_EQ(SystemCalls.size(), 4u);
    EXPECT_EQ(Confirms.size(), 1u);
}
