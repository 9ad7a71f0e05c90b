// SPDX-License-Identifier: GPL-3.0-or-later
// The System page against the simulated processor: the password steps, the new passwords read back,
// and the control mode.
#include "PanelFixture.h"
#include "gui/PanelLists.h"

namespace {

class SystemPage : public PanelFixture {
  protected:
    void SetUp() override {
        PanelFixture::SetUp();
        MakePanels();
        OpenPanel(sys.get());
        for (int n = 2; n <= 6; ++n)
            AddDeadPort(n);
        sim = &AddSim(1);
        ASSERT_TRUE(Download());
        ConnectPanelActive = 0;
    }
    // Digits typed into the emptied box, and Enter.
    void Enter(AWndSys::PasswordBox id, const char* digits) {
        GTextBox& box = sys->passwordBoxes[id];
        box.SetText(nullptr);
        box.focused = 1;
        for (const char* c = digits; *c; ++c)
            sys->OnChar(static_cast<uint8_t>(*c));
        sys->OnChar(13);
    }
    Px2950Sim* sim = nullptr;
};

} // namespace

TEST_F(SystemPage, PasswordStepsAgainstTheProcessor) {
    size_t before = sim->LogSize();
    Enter(AWndSys::KeypadCheck, "123");
    EXPECT_EQ(sys->passwordStep, 11u);
    EXPECT_EQ(sim->LogSize(), before) << "a short password is not checked with the processor";

    Enter(AWndSys::KeypadCheck, "1234");
    ASSERT_EQ(sys->passwordStep, 1u);
    EXPECT_TRUE(sys->passwordBoxes[AWndSys::NewKeypad].focused);
    EXPECT_STREQ(sys->passwordBoxes[AWndSys::KeypadCheck].text, "");
    Enter(AWndSys::NewKeypad, "9876");
    EXPECT_EQ(sys->passwordStep, 0u);
    EXPECT_EQ(MessageCode, MsgKeypadPasswordDone);
    EXPECT_EQ(sim->KeypadPassword(), "9876");
    Enter(AWndSys::KeypadCheck, "9876");
    EXPECT_EQ(sys->passwordStep, 1u) << "the new password is the one the next check reads";
    ClickOn(sys.get(), sys->x + 150, sys->y + 80); // away from the new box: the step ends
    EXPECT_EQ(sys->passwordStep, 0u);

    Enter(AWndSys::SystemCheck, "000000");
    EXPECT_EQ(sys->passwordStep, 22u);
    Enter(AWndSys::SystemCheck, "123456");
    ASSERT_EQ(sys->passwordStep, 2u);
    Enter(AWndSys::NewSystem, "65");
    EXPECT_EQ(MessageCode, MsgSystemPasswordFailed) << "a short new password fails";
    EXPECT_EQ(sim->SystemPassword(), "123456");

    // The control mode: neither choice shown selected, a press on "Project" sends it, the release ends it.
    Enter(AWndSys::ControlCheck, "123456");
    ASSERT_EQ(sys->passwordStep, 3u);
    EXPECT_EQ(sys->controlPair[0].value, 0);
    EXPECT_EQ(sys->controlPair[1].value, 0);
    const GBCheck& project = sys->controlPair[1];
    ClickOn(sys.get(), project.WindowX() + 20, project.WindowY() + 10);
    EXPECT_EQ(sys->passwordStep, 0u);
    EXPECT_EQ(SystemControlMode, 1u);
    ASSERT_TRUE(PanelFixture::DrawUntil(
        sys.get(), [&] { return sim->ControlMode() == 1; }, 2000));
}

TEST_F(SystemPage, EquipmentModesStoreOnlyInProjectModeAndRecallWithoutAScan) {
    sys->page = 0;
    // User mode (the processor's own at start): a store is refused.
    sys->equipmentName.SetText("Karaoke 7");
    sys->OnButton(AWndSys::EquipmentSave);
    EXPECT_EQ(MessageCode, MsgUserModeCannotSave);
    EXPECT_NE(sim->ModeName(4), "Karaoke 7 ");

    // Project mode: the name and the store reach the processor.
    LinkSend(3, 1, 0xFFFFFFFF, 0xFFFFFFFF);
    ASSERT_EQ(LinkWaitIdle(2000), 0);
    sys->equipmentList.value = 4;
    sys->OnButton(AWndSys::EquipmentSave);
    EXPECT_EQ(MessageCode, MsgDataSaved);
    EXPECT_EQ(sim->ModeName(4), "Karaoke 7 ");
    EXPECT_EQ(sim->CurrentMode(), 4);

    // Choosing the current mode does nothing.
    size_t before = sim->LogSize();
    sys->OnButton(AWndSys::EquipmentList);
    EXPECT_EQ(sim->LogSize(), before);

    // Another mode in Project mode: the question, "是" stores, "确定" recalls and downloads again.
    sys->equipmentList.value = 6;
    sys->OnButton(AWndSys::EquipmentList);
    ASSERT_EQ(MessageCode, MsgAskSaveToDevice);
    OnMessageButton(AWndMsg::YesButton);
    ASSERT_EQ(MessageCode, MsgDataSaved);
    sim->ClearLog();
    OnMessageButton(AWndMsg::OkButton);
    EXPECT_EQ(DeviceModeIndex, 6u);
    ASSERT_TRUE(StepUntil([] { return (ConnectState & ConnectDownloaded) != 0; }, 8000));
    auto log = sim->Log();
    size_t pings = 0;
    for (const auto& f : log)
        pings += (f.bytes[4] | f.bytes[5] << 8) == 1;
    EXPECT_EQ(pings, 0u) << "no new scan";
    EXPECT_EQ(log.size(), 1u + ParamMapCount); // the recall, then every entry

    // A processor that stops answering: the store stops and says the link is gone, never "saved".
    sim->PauseAfter(0, 2000);
    sys->equipmentList.value = 5;
    sys->OnButton(AWndSys::EquipmentSave);
    EXPECT_EQ(MessageCode, MsgLinkLost);
}

// The lists from the keyboard: Tab reaches them on the Mode page only; an arrow step is a row picked
// (the PC list shows that mode's name, the equipment list asks as a pick does), folded, within range.
TEST_F(SystemPage, TheModeListsTakeTabAndArrowKeysOnTheirPageOnly) {
    sys->page = 1;
    sys->MoveKeyFocus(false);
    EXPECT_EQ(sys->keyFocus, nullptr) << "the System page has nothing to step";
    sys->page = 0;
    sys->MoveKeyFocus(false);
    EXPECT_EQ(sys->keyFocus, &sys->equipmentList);
    sys->MoveKeyFocus(false);
    ASSERT_EQ(sys->keyFocus, &sys->pcList);

    sys->pcList.value = 0;
    sys->pcList.open = 1;
    size_t before = sim->LogSize();
    EXPECT_TRUE(sys->pcList.StepByKey(1));
    EXPECT_EQ(sys->pcList.value, 1);
    EXPECT_EQ(sys->pcList.open, 0u);
    EXPECT_EQ(sim->LogSize(), before) << "a PC mode chosen is only shown";
    EXPECT_TRUE(sys->pcList.StepByKey(-10));
    EXPECT_EQ(sys->pcList.value, 0);
    EXPECT_FALSE(sys->pcList.StepByKey(-1)) << "nothing before the first";
    sys->pcList.value = sys->pcList.itemCount - 1;
    EXPECT_FALSE(sys->pcList.StepByKey(10));

    // Project mode: a step on the equipment list asks, as a row picked does.
    LinkSend(3, 1, 0xFFFFFFFF, 0xFFFFFFFF);
    ASSERT_EQ(LinkWaitIdle(2000), 0);
    sys->equipmentList.value = static_cast<int32_t>(DeviceModeIndex);
    EXPECT_TRUE(sys->equipmentList.StepByKey(1));
    EXPECT_EQ(MessageCode, MsgAskSaveToDevice);

    // Off its page the list keeps the focus but is neither framed nor stepped.
    sys->page = 1;
    EXPECT_FALSE(sys->ShowsControl(sys->keyFocus));
}

namespace {

// The processor on COM3, with COM1 and COM2 absent: the scan's pings to them were given up on before
// the processor answered.
class ModesOnCom3 : public SystemPage {
  protected:
    void SetUp() override {
        PanelFixture::SetUp();
        MakePanels();
        OpenPanel(sys.get());
        for (int n : {1, 2, 4, 5, 6})
            AddDeadPort(n);
        sim = &AddSim(3);
        ASSERT_TRUE(Download());
        ConnectPanelActive = 0;
        sys->page = 0;
    }
    // The writes of `code` the processor received (the download reads code 32 too).
    size_t Count(uint16_t code) {
        size_t n = 0;
        for (const auto& f : sim->Log())
            n += (f.bytes[4] | f.bytes[5] << 8) == code && f.bytes[3] != 0;
        return n;
    }
    // The message panel drawn about every 16 ms for `ms` (the download put the ticks on the clock).
    void Fade(uint32_t ms) {
        for (uint32_t start = TickNow(); TickSince(start) < ms;) {
            Frame(msg.get());
            std::this_thread::sleep_for(std::chrono::milliseconds(16));
        }
    }
    // What the store, the question and the recall do, from a Project-mode processor.
    void StoreThenRecall(int mode) {
        LinkSend(3, 1, 0xFFFFFFFF, 0xFFFFFFFF);
        ASSERT_EQ(LinkWaitAnswered(2000), 0);
        sys->equipmentName.SetText("Room 3");
        sys->equipmentList.value = mode;
        sim->ClearLog();
        sys->OnButton(AWndSys::EquipmentSave);
        ASSERT_EQ(MessageCode, MsgDataSaved);
        EXPECT_EQ(sim->ModeName(mode), "Room 3    ");
        EXPECT_EQ(Count(33), 1u);
        EXPECT_EQ(Count(32), 1u) << "the name, then the store";
        OnMessageButton(AWndMsg::OkButton);

        // Another mode: "是" stores it, and the message that follows stays open until its "确定",
        // which recalls the mode and downloads every parameter.
        sys->equipmentList.value = mode + 1;
        sys->OnButton(AWndSys::EquipmentList);
        ASSERT_EQ(MessageCode, MsgAskSaveToDevice);
        Fade(300);
        sim->ClearLog();
        OnMessageButton(AWndMsg::YesButton);
        ASSERT_EQ(MessageCode, MsgDataSaved);
        Fade(1000);
        EXPECT_TRUE(msg->IsOpen());
        EXPECT_EQ(msg->frameFlags & FrameClosing, 0u) << "the first answer's fade took the new message";
        EXPECT_GT(msg->opacity, 0.9f);
        OnMessageButton(AWndMsg::OkButton);
        ASSERT_TRUE(StepUntil([] { return (ConnectState & ConnectDownloaded) != 0; }, 8000));
        EXPECT_EQ(sim->CurrentMode(), mode + 1);
        EXPECT_EQ(Count(32), 2u); // the store and the recall
        EXPECT_EQ(sim->LogSize(), 2u + ParamMapCount) << "then the whole download, no scan";
        ConnectPanelActive = 0;
    }
};

} // namespace

TEST_F(ModesOnCom3, RecallAndStoreWorkWhateverTheScanMetAndAfterALostLink) {
    ASSERT_EQ(LinkBroken, 1u) << "the scan gave up on COM1 and COM2";
    StoreThenRecall(4);

    // The link lost (the processor silent for a while), then "Scan again": the same flows work.
    sim->PauseAfter(0, 1500);
    LinkSend(17, 9, 0xFFFFFFFF, 0xFFFFFFFF);
    ASSERT_NE(LinkWaitAnswered(3000), 0);
    ASSERT_EQ(LinkLost, 1u);
    std::this_thread::sleep_for(std::chrono::milliseconds(1600));
    ConnectState = 0;
    ScanPortIndex = 0;
    ScanAttempts = 0;
    ScanTimer = 0;
    ASSERT_TRUE(StepUntil([] { return (ConnectState & ConnectDownloaded) != 0; }, 12000));
    ConnectPanelActive = 0;
    StoreThenRecall(8);
}

// A processor that stops answering during the password steps: the lost link is told, and no step
// moves on, though LastReply still holds the answer to the last good check.
TEST_F(ModesOnCom3, ASilentProcessorPassesNoPasswordCheck) {
    sys->page = 1;
    Enter(AWndSys::KeypadCheck, "1234");
    ASSERT_EQ(sys->passwordStep, 1u);
    Enter(AWndSys::NewKeypad, "1234");
    ASSERT_EQ(MessageCode, MsgKeypadPasswordDone);
    sim->PauseAfter(0, 3000);
    Enter(AWndSys::KeypadCheck, "1234");
    EXPECT_EQ(sys->passwordStep, 0u);
    EXPECT_EQ(MessageCode, MsgLinkLost);
    EXPECT_FALSE(sys->passwordBoxes[AWndSys::NewKeypad].focused);
}
