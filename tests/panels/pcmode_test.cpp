// SPDX-License-Identifier: GPL-3.0-or-later
// PC modes through the panels: a save takes what every panel shows (both Sing and Disco sets), a
// restart and load gives it back, a save that does not reach the disk says so, and an upload writes
// the saved values to the processor.
#include "PanelFixture.h"

#include "link/ModeFile.h"
#include "panels/PcModes.h"
#include "tests/support/ProcessorRecord.h"

#include <fstream>
#include <iterator>

namespace {

class PcModes : public PanelFixture {
  protected:
    void SetUp() override {
        PanelFixture::SetUp();
        path = dir_ + "/mode.dat";
        MakePanels();
        ASSERT_EQ(LoadModeFile(path.c_str()), ModeFileStatus::Created);
    }
    std::vector<uint8_t> FileBytes() {
        std::ifstream in(path, std::ios::binary);
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
    }
    // The record bytes the panels' values make now.
    std::vector<uint8_t> PanelBytes() {
        StoreValuePanels();
        uint8_t record[ModeRecordBytes] = {};
        RecordFromFields(record);
        return std::vector<uint8_t>(record + ModeRecordFirstField,
                                    record + ModeRecordFirstField + ModeRecordFieldCount);
    }
    void Fader(EqSection& eq, int band, int code) {
        eq.gainFaders[band].SetValue(code);
        eq.FaderChanged(band);
    }
    void Style(AWndMusic& panel, int style) {
        panel.styleButton.value = style;
        panel.ModeChanged(1);
    }

    std::string path;
};

} // namespace

TEST_F(PcModes, SaveRestartAndLoadGiveEveryPanelItsValuesBothSetsIncluded) {
    LinkTapStart();
    mic->sliders[2].SetValue(33);
    mic->eq.typeButtons[1].value = 2;
    mic->eq.TypeChanged(1);
    room->eq.gainFaders[14].SetValue(10);
    room->eq.FaderChanged(14);
    sc->sliders[5].SetValue(150);
    sc->pathButton.SetState(1);
    volume->bars[AWndMVol::EffectStart].SetValue(20);
    music->modeButton.SetState(1);
    Fader(music->eq, 2, 150);
    music->slopeButton.SetState(1);
    Style(*music, AWndMusic::Disco);
    Fader(music->eq, 5, 40);
    music->hpfSlider.SetValue(30);
    sub->modeButton.SetState(1);
    sub->sliders[0].SetValue(70);
    sub->styleButton.value = 1;
    sub->ModeChanged(1);
    sub->sliders[0].SetValue(20);
    sub->sliders[AWndSub::LowPassSlider].SetValue(33);
    std::vector<uint8_t> shown = PanelBytes();

    sys->pcList.value = 3;
    sys->pcName.SetText("TenCharsAB");
    sys->OnButton(AWndSys::PcSave);
    EXPECT_EQ(MessageCode, MsgPcModeSaved);
    std::vector<uint8_t> file = FileBytes();
    ASSERT_EQ(file.size(), 5120u);
    EXPECT_EQ(std::string(file.begin() + 768 + 16, file.begin() + 768 + 26), "TenCharsAB");
    EXPECT_EQ(std::vector<uint8_t>(file.begin() + 768 + 26, file.begin() + 768 + 235), shown);
    for (size_t i = 0; i < file.size(); ++i)
        ASSERT_TRUE((i >= 768 && i < 1024) || file[i] == 0) << "byte " << i << " of another record";

    // A save that does not reach the disk says so and leaves the slot as it was.
    ModeFileStopBeforeRenameForTest(true);
    sys->pcName.SetText("Lost");
    mic->sliders[2].SetValue(1);
    sys->OnButton(AWndSys::PcSave);
    ModeFileStopBeforeRenameForTest(false);
    EXPECT_EQ(MessageCode, MsgPcModeNotSaved);
    EXPECT_EQ(FileBytes(), file);
    char name[ModeNameBytes + 1];
    ModeSlotName(3, name);
    EXPECT_STREQ(name, "TenCharsAB");

    // A restart: new panels, the file read again, the mode loaded.
    MakePanels();
    ASSERT_EQ(LoadModeFile(path.c_str()), ModeFileStatus::Loaded);
    sys->pcList.value = 3;
    LoadPcMode(3);
    // The record again from what the widgets show (both sets), and what is drawn from the values.
    EXPECT_EQ(PanelBytes(), shown);
    EXPECT_EQ(mic->eq.bands[1].type, EqBandType::HighShelf);
    ASSERT_EQ(music->styleButton.value, AWndMusic::Disco);
    Style(*music, AWndMusic::Sing);
    EXPECT_EQ(music->eq.gainFaders[2].value, 150);
    EXPECT_EQ(music->eq.bands[AWndMusic::HighPassBand].type, EqBandType::HighPass24);
}

TEST_F(PcModes, AnUploadWritesTheSavedValuesToTheProcessor) {
    for (int n = 2; n <= 6; ++n)
        AddDeadPort(n);
    Px2950Sim& sim = AddSim(1);
    sim.SetParam(769, 0, 0, 1);   // Disco selected on the music channel
    sim.SetParam(803, 6, 1, 170); // one Disco band of its own
    LinkSetHook(HookDownloadApplied, [] { RefreshValuePanels(); });
    ASSERT_TRUE(Download());
    ConnectPanelActive = 0;
    std::vector<uint32_t> saved = ProcessorRecord(sim);
    sys->pcList.value = 0;
    sys->pcName.SetText("Room 4");
    sys->OnButton(AWndSys::PcSave);
    ASSERT_EQ(MessageCode, MsgPcModeSaved);

    // The processor is set up differently, then the mode goes back to it.
    sim.SetParam(256, 0, 0, 77);
    sim.SetParam(769, 0, 0, 0);
    sim.SetParam(770, 0, 1, 0);
    sim.SetParam(803, 6, 1, 20);
    sim.SetParam(1026, 0, 1, 5);
    sim.SetParam(1571, 9, 0, 3);
    sim.SetParam(1796, 0, 0, 1);
    ASSERT_NE(ProcessorRecord(sim), saved);
    sys->OnButton(AWndSys::PcDownload);
    ASSERT_EQ(MessageCode, MsgAskLoadPcMode);
    OnMessageButton(AWndMsg::YesButton);
    EXPECT_TRUE(ConnectState & ConnectUploading);
    ASSERT_TRUE(DrawUntil(
        con.get(), [] { return !(ConnectState & ConnectUploading); }, 10000));
    EXPECT_EQ(UploadIndex, UploadCount);
    std::vector<uint32_t> now = ProcessorRecord(sim);
    for (size_t i = 0; i < now.size(); ++i)
        EXPECT_EQ(now[i], saved[i]) << "record byte " << 26 + i;
    EXPECT_EQ(sim.UploadBracket(), 0);
    EXPECT_STREQ(sys->pcName.text, "Room 4");

    // A processor that stops answering mid-upload: the upload ends as a failed connection.
    DrawUntil(
        con.get(), [] { return (ConnectState & ConnectClosing) != 0; }, 3000);
    sim.PauseAfter(3, 1500);
    sys->OnButton(AWndSys::PcDownload);
    OnMessageButton(AWndMsg::YesButton);
    ASSERT_TRUE(DrawUntil(
        con.get(), [] { return !(ConnectState & ConnectUploading); }, 3000));
    EXPECT_LT(UploadIndex, UploadCount);
    EXPECT_EQ(ScanPortIndex, 64u);
    EXPECT_FALSE(ConnectState & (ConnectDownloading | ConnectDownloaded));
}
