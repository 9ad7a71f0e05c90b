// SPDX-License-Identifier: GPL-3.0-or-later
// The System panel. In this file, in order:
//   - Build, the rows' placing and labels, BindTargets, RefreshFromValues
//   - the Mode page's flows: the processor's stored modes (read the control mode, recall, store,
//     save a name) and the PC modes (save, name, upload)
//   - the System page's choices (language, music input, key lock) and the password change
//   - drawing: the tabs, each page, the password step
//   - input: the mouse, typing and keys, routed to the page shown
#include "panels/AWndSys.h"

#include "app/ui/AppState.h"
#include "app/ui/Textures.h"
#include "common/Tick.h"
#include "gui/PanelLists.h"
#include "gui/SkinPieces.h"
#include "gui/TextRenderer.h"
#include "link/LinkState.h"
#include "link/LinkWait.h"
#include "link/ModeFile.h"
#include "link/Packet.h"
#include "link/ParamCodes.h"
#include "link/ParamMap.h"
#include "panels/AWndCon.h"
#include "panels/AWndMsg.h"
#include "panels/Panels.h"
#include "panels/PcModes.h"

#include <GL/gl.h>
#include <algorithm>
#include <cstring>

void (*SystemLanguageSwitch)(uint32_t language) = nullptr;

namespace {

const LabelPair Title = {{"System", "系统"}};
const LabelPair CloseLabel = {{"Close", "关闭"}};
const LabelPair Tabs[2] = {{{"Mode", "模式"}}, {{"System", "系统"}}};
const LabelPair Rows[6] = {
    {{"Language", "语言选择"}},
    {{"Music Input Port", "音乐输出口"}},
    {{"Auto Keyset Lock", "自动键盘锁"}},
    {{"Keyset Password", "键盘密码设置"}},
    {{"System Password", "系统密码设置"}},
    {{"System Control", "系统模式选择"}},
};
const LabelPair Steps[4] = {
    {{"New keybaord password:", "输入键盘密码:"}},
    {{"Password do not match", "键盘密码错误!"}},
    {{"New system password", "输入系统密码:"}},
    {{"Password do not match", "系统密码错误!"}},
};
const LabelPair ModeRows[2] = {{{"Equipment Mode", "设备模式："}}, {{"PC Mode", "PC 模式："}}};
const LabelPair SaveLabel = {{"Save", "保存"}};
const LabelPair DownloadLabel = {{"Download", "下载"}};
const LabelPair ChooseMode = {{"Choose system mode:", "选择系统模式："}};

void OnSysButton(uint32_t id) {
    if (SysPanel) SysPanel->OnButton(id);
}
void OnSysList(uint32_t id) {
    if (SysPanel) SysPanel->OnButton(id);
}
void OnSysPassword(uint32_t id) {
    if (SysPanel) SysPanel->OnPassword(id);
}

} // namespace

void AWndSys::Build() {
    auto pair = [this](GBCheck* members, int y, const char* left, const char* right, uint32_t id) {
        members[0].Create(130, y, 64, 22, left, left, FontNormal, 0, GBaseBtn::LatchOn | GBaseBtn::JoinRight,
                          UiTexture, id, OnSysButton, this);
        members[1].Create(193, y, 64, 22, right, right, FontNormal, 0, GBaseBtn::LatchOn | GBaseBtn::JoinLeft,
                          UiTexture, id + 1, OnSysButton, this);
    };
    pair(languagePair, 64, "English", "中文", EnglishButton);
    pair(inputPortPair, 96, "1", "2", InputPort1);
    pair(keyLockPair, 128, "OFF", "ON", KeyLockOff);
    controlPair[0].Create(48, 284, 64, 22, "User", "User", FontNormal, 0,
                          GBaseBtn::LatchOn | GBaseBtn::JoinRight, UiTexture, UserButton, OnSysButton, this);
    controlPair[1].Create(111, 284, 64, 22, "Project", "Project", FontNormal, 0,
                          GBaseBtn::LatchOn | GBaseBtn::JoinLeft, UiTexture, ProjectButton, OnSysButton,
                          this);
    const int boxY[5] = {160, 192, 224, 284, 284};
    const int boxX[5] = {130, 130, 130, 48, 48};
    const int lengths[5] = {4, 6, 6, 4, 6};
    for (uint32_t i = 0; i < 5; ++i) {
        passwordBoxes[i].Create(DxTexture, nullptr, boxX[i], boxY[i], 120, 26,
                                GTextBox::DigitsOnly | GTextBox::NoFocusCallback | GTextBox::NoPoint,
                                FontNormal, i, OnSysPassword, this);
        passwordBoxes[i].maxLength = lengths[i];
    }
    close.Create(220, 310, 64, 24, CloseLabel[0], FontNormal, GBaseBtn::TintPress, UiTexture, CloseButton,
                 OnSysButton, this);
    auto list = [this](GListBox& l, int ly, int count, uint32_t id) {
        l.x = 100;
        l.y = ly;
        l.itemCount = count;
        l.listId = id;
        l.width = 56;
        l.height = 22;
        l.listCallback = OnSysList;
        l.AttachTo(this);
    };
    list(equipmentList, 64, 20, EquipmentList);
    list(pcList, 140, ModeSlotCount, PcList);
    equipmentName.Create(DxTexture, nullptr, 162, 64, 120, 26, 0, FontNormal, 40, nullptr, this);
    pcName.Create(DxTexture, nullptr, 162, 140, 120, 26, 0, FontNormal, 41, nullptr, this);
    equipmentName.maxLength = pcName.maxLength = ModeNameBytes;
    equipmentSave.Create(220, 96, 64, 24, SaveLabel[0], FontNormal, GBaseBtn::TintPress, UiTexture,
                         EquipmentSave, OnSysButton, this);
    pcDownload.Create(150, 172, 64, 24, DownloadLabel[0], FontNormal, GBaseBtn::TintPress, UiTexture,
                      PcDownload, OnSysButton, this);
    pcSave.Create(220, 172, 64, 24, SaveLabel[0], FontNormal, GBaseBtn::TintPress, UiTexture, PcSave,
                  OnSysButton, this);
    SystemControlCallback = OnSysButton;
    Relabel(Language);
}

// The Mode page's lists start after the longer row label ("Equipment Mode" is wider than the 82
// pixels the lists leave it), and the name boxes take what is left of the row.
void AWndSys::PlaceModeRows() {
    int labelRight = 0;
    for (const char* label : modeRows)
        if (FontNormal && label) labelRight = std::max(labelRight, 18 + FontNormal->TextWidth("%s", label));
    int listX = std::max(100, labelRight + 6);
    int nameX = listX + 62;
    for (GListBox* list : {&equipmentList, &pcList})
        list->x = listX;
    for (GTextBox* name : {&equipmentName, &pcName}) {
        name->x = nameX;
        name->width = 282 - nameX;
    }
}

void AWndSys::Relabel(uint32_t language) {
    title = Title[language];
    close.label = CloseLabel[language];
    for (int i = 0; i < 2; ++i)
        tabLabels[i] = Tabs[i][language];
    for (int i = 0; i < 6; ++i)
        rowLabels[i] = Rows[i][language];
    for (int i = 0; i < 4; ++i)
        stepTexts[i] = Steps[i][language];
    stepTexts[4] = ChooseMode[language];
    for (int i = 0; i < 2; ++i)
        modeRows[i] = ModeRows[i][language];
    equipmentSave.label = pcSave.label = SaveLabel[language];
    pcDownload.label = DownloadLabel[language];
    PlaceModeRows();
    // The language choice shows the language now in use.
    Choose(languagePair, language ? 1 : 0);
}

void AWndSys::BindTargets(ParamTargets& targets) {
    targets.musicInputPort = &inputPortValue;
    targets.keysetLock = &keyLockValue;
}

void AWndSys::Choose(GBCheck members[2], int member) {
    members[0].SetState(member == 0);
    members[1].SetState(member == 1);
}

void AWndSys::RefreshFromValues() {
    Choose(inputPortPair, inputPortValue ? 1 : 0);
    Choose(keyLockPair, keyLockValue ? 1 : 0);
    uint32_t mode = DeviceModeIndex < 20 ? DeviceModeIndex : 0;
    equipmentList.value = static_cast<int32_t>(mode);
    char name[12];
    int n = 0;
    while (n < 10 && static_cast<unsigned char>(ModeNames[mode][n]) >= 32) {
        name[n] = ModeNames[mode][n];
        ++n;
    }
    name[n] = 0;
    equipmentName.SetText(name);
}

GUIWnd* AWndSys::OpenDropDown() {
    if (!IsActive() || page) return nullptr;
    if (equipmentList.open) return &equipmentList;
    if (pcList.open) return &pcList;
    return nullptr;
}

// A step the processor did not answer (its own request: the wait ran out, the sender gave up, or the
// link took nothing): the flow stops there and the user is told the link is gone, never that the step
// was done.
static bool NoAnswer() {
    ShowMessage(MsgLinkLost);
    return false;
}

bool AWndSys::ReadControlMode() {
    LinkSend(Code::ControlMode | ReadCurrentBit, SystemControlMode);
    if (LinkWaitAnswered(LinkWaitBoundFor(3)) != 0) return NoAnswer();
    SystemControlMode = LastReply[6];
    return true;
}

void AWndSys::EquipmentChosen() {
    equipmentList.open = 0;
    if (static_cast<uint32_t>(equipmentList.value) == DeviceModeIndex) return;
    if (!ReadControlMode()) return;
    if (SystemControlMode == 0)
        RecallEquipmentMode();
    else
        ShowMessage(MsgAskSaveToDevice);
}

// The chosen mode becomes current on the processor, and every parameter is read again (no new scan).
void AWndSys::RecallEquipmentMode() {
    DeviceModeIndex = static_cast<uint32_t>(equipmentList.value);
    LinkSend(Code::DeviceMode, DeviceModeIndex | 0x200);
    if (LinkWaitAnswered(LinkWaitBoundFor(32)) != 0) {
        NoAnswer();
        return;
    }
    LinkDownloadAgain();
    if (ConPanel) OpenPanel(ConPanel);
}

void AWndSys::StoreEquipmentMode(uint32_t answerArg) {
    DeviceModeIndex = static_cast<uint32_t>(equipmentList.value);
    LinkSend(Code::DeviceMode, DeviceModeIndex | 0x400);
    if (LinkWaitAnswered(LinkWaitBoundFor(32)) != 0) {
        NoAnswer();
        return;
    }
    ShowMessage(MsgDataSaved, answerArg);
}

void AWndSys::SaveEquipmentMode() {
    if (!ReadControlMode()) return;
    if (SystemControlMode == 0) {
        ShowMessage(MsgUserModeCannotSave);
        return;
    }
    uint8_t payload[10] = {};
    for (int i = 0; i < 10 && equipmentName.text[i]; ++i)
        payload[i] = static_cast<uint8_t>(equipmentName.text[i] - 32);
    LinkSendPayload(Code::DeviceModeName, payload);
    if (LinkWaitAnswered(LinkWaitBoundFor(33)) != 0) {
        NoAnswer();
        return;
    }
    StoreEquipmentMode(1000);
}

void AWndSys::SavePcModeChosen() {
    if (SavePcMode(pcList.value, pcName.text))
        ShowMessageDetail(MsgPcModeSaved, ModeFileInUse().c_str()); // where the modes are kept
    else
        ShowMessageDetail(MsgPcModeNotSaved, ModeFileProblem().c_str());
}

void AWndSys::ShowPcModeName() {
    char name[ModeNameBytes + 1];
    ModeSlotName(pcList.value, name);
    pcName.SetText(name);
}

void AWndSys::UploadPcModeChosen() {
    int slot = pcList.value;
    LoadPcMode(slot);
    ShowPcModeName();
    uint8_t record[ModeRecordBytes];
    ClampedModeRecord(slot, record);
    LinkBeginUpload(record);
    if (ConPanel) OpenPanel(ConPanel);
}

void AWndSys::Pick(GBCheck members[2], uint32_t* word, uint32_t member, uint32_t code) {
    *word = member;
    Choose(members, static_cast<int>(member));
    LinkSend(code, member);
}

bool AWndSys::Ask(uint32_t code) {
    LinkSend(code, 0);
    return LinkWaitAnswered(LinkWaitBoundFor(code)) == 0;
}

GTextBox* AWndSys::NewPasswordBox() {
    if (passwordStep == 1) return &passwordBoxes[NewKeypad];
    if (passwordStep == 2) return &passwordBoxes[NewSystem];
    return nullptr;
}

void AWndSys::OnButton(uint32_t id) {
    switch (id) {
    case EnglishButton:
    case ChineseButton:
        if (SystemLanguageSwitch) SystemLanguageSwitch(id == ChineseButton ? 1 : 0);
        Choose(languagePair, static_cast<int>(id));
        break;
    case InputPort1:
    case InputPort2:
        Pick(inputPortPair, &inputPortValue, id - InputPort1, Code::MusicInputPort);
        break;
    case KeyLockOff:
    case KeyLockOn:
        Pick(keyLockPair, &keyLockValue, id - KeyLockOff, Code::KeysetLock);
        break;
    case UserButton:
    case ProjectButton:
        Pick(controlPair, &SystemControlMode, id - UserButton, Code::ControlMode);
        break;
    case CloseButton:
        fadeStart = TickNow();
        frameFlags |= FrameClosing;
        break;
    case EquipmentList:
        EquipmentChosen();
        break;
    case RecallAnswer:
        RecallEquipmentMode();
        break;
    case StoreAnswer:
        StoreEquipmentMode(RecallAnswer);
        break;
    case EquipmentSave:
        SaveEquipmentMode();
        break;
    case PcSave:
        SavePcModeChosen();
        break;
    case PcDownload:
        ShowMessage(MsgAskLoadPcMode, LoadAnswer);
        break;
    case LoadAnswer:
        UploadPcModeChosen();
        break;
    case PcList:
        pcList.open = 0;
        ShowPcModeName();
        break;
    default:
        break;
    }
}

void AWndSys::OnPassword(uint32_t id) {
    if (id <= ControlCheck) CheckPassword(id);
    if ((id == NewKeypad && passwordStep == 1) || (id == NewSystem && passwordStep == 2))
        WriteNewPassword(id);
}

void AWndSys::CheckPassword(uint32_t id) {
    static const uint32_t wrongStep[3] = {11, 22, 33};
    GTextBox& box = passwordBoxes[id];
    int digits = id == KeypadCheck ? 4 : 6;
    uint32_t code = id == KeypadCheck ? Code::KeypadPassword : Code::SystemPassword;
    if (static_cast<int>(std::strlen(box.text)) != digits) {
        passwordStep = wrongStep[id];
        return;
    }
    // An unanswered read leaves LastReply holding an older packet, which may even match: no answer is
    // a lost link, and the check goes nowhere.
    if (!Ask(code)) {
        passwordStep = 0;
        box.SetText(nullptr);
        NoAnswer();
        return;
    }
    bool match = LastReply[4] == code && LastReply[5] == 0;
    for (int i = 0; i < digits && match; ++i)
        match = box.text[i] == '0' + LastReply[6 + i];
    if (!match) {
        passwordStep = wrongStep[id];
        return;
    }
    box.SetText(nullptr);
    if (id == ControlCheck) {
        passwordStep = 3;
        box.focused = 0;
        controlPair[0].SetState(0);
        controlPair[1].SetState(0);
        return;
    }
    passwordStep = id == KeypadCheck ? 1 : 2;
    box.focused = 0;
    GTextBox* fresh = NewPasswordBox();
    fresh->SetText(nullptr);
    fresh->focused = 1;
    ActiveTextEdit = &fresh->focused;
}

void AWndSys::WriteNewPassword(uint32_t id) {
    GTextBox& box = passwordBoxes[id];
    int digits = id == NewKeypad ? 4 : 6;
    uint32_t code = id == NewKeypad ? Code::NewKeypadPassword : Code::NewSystemPassword;
    bool done = false;
    bool answered = true;
    if (static_cast<int>(std::strlen(box.text)) == digits) {
        uint8_t payload[10] = {};
        for (int i = 0; i < digits; ++i)
            payload[i] = static_cast<uint8_t>(box.text[i] - '0');
        LinkSendPayload(code, payload);
        answered = LinkWaitAnswered(LinkWaitBoundFor(code)) == 0;
        done = answered && LastReply[4] == code && LastReply[5] == 0;
    }
    box.SetText(nullptr);
    box.focused = 0;
    passwordStep = 0;
    if (!answered) {
        NoAnswer();
        return;
    }
    if (id == NewKeypad)
        ShowMessage(done ? MsgKeypadPasswordDone : MsgKeypadPasswordFailed);
    else
        ShowMessage(done ? MsgSystemPasswordDone : MsgSystemPasswordFailed);
}

void AWndSys::Draw(float alpha) {
    if (!IsActive()) return;
    AWndFrame::Draw(alpha);
    float a = opacity;
    DrawTabs(a);
    close.Draw(a);
    if (!FontNormal) return;
    if (!page)
        DrawModePage(a);
    else
        DrawSystemPage(a);
}

void AWndSys::DrawTabs(float a) {
    BeginSkin(ExTexture, 1.0f, 1.0f, 1.0f, a);
    DrawSkinQuad(Rect(Piece::SysBand), x + 1, y + 22, width - 2, 27);
    DrawSkinQuad(Rect(Piece::SysTabHighlight), x + (page ? 72 : 12), y + 24, 62, 22);
    if (!FontNormal) return;
    for (int t = 0; t < 2; ++t) {
        float shade = static_cast<uint32_t>(t) == page ? 1.0f : 0.0f;
        glColor4f(shade, shade, shade, a);
        int left = x + 12 + 60 * t;
        FontNormal->DrawText(left + (62 - FontNormal->TextWidth("%s", tabLabels[t])) / 2, y + 28, "%s",
                             tabLabels[t]);
    }
}

// "Mode": the processor's stored modes and the PC modes, each a list, a name and its buttons.
void AWndSys::DrawModePage(float a) {
    for (int i = 0; i < 2; ++i) {
        glEnable(GL_TEXTURE_2D);
        glColor4f(0.0f, 0.0f, 0.0f, a);
        FontNormal->DrawText(x + 18, y + 66 + 76 * i, "%s", modeRows[i]);
    }
    equipmentName.DrawBox(a, ClientWidth, ClientHeight, MouseX, MouseY, LeftDown, &PressClaimed, ClickSerial);
    pcName.DrawBox(a, ClientWidth, ClientHeight, MouseX, MouseY, LeftDown, &PressClaimed, ClickSerial);
    equipmentSave.Draw(a);
    pcDownload.Draw(a);
    pcSave.Draw(a);
    equipmentList.Draw(a);
    pcList.Draw(a);
    // An unfolded list lies over everything else.
    if (equipmentList.open) equipmentList.DrawList();
    if (pcList.open) pcList.DrawList();
}

// "System": language, music input, key lock, and the password rows with the step the change is at.
void AWndSys::DrawSystemPage(float a) {
    glColor4f(0.0f, 0.0f, 0.0f, a);
    const int rowY[6] = {70, 102, 134, 166, 198, 230};
    for (int i = 0; i < 6; ++i) {
        glEnable(GL_TEXTURE_2D);
        glColor4f(0.0f, 0.0f, 0.0f, a);
        FontNormal->DrawText(x + 22, y + rowY[i] - 4, "%s", rowLabels[i]);
    }
    for (GBCheck* pairs : {languagePair, inputPortPair, keyLockPair})
        for (int m = 0; m < 2; ++m)
            pairs[m].Draw(a);
    for (int i = 0; i < 3; ++i)
        passwordBoxes[i].DrawBox(a, ClientWidth, ClientHeight, MouseX, MouseY, LeftDown, &PressClaimed,
                                 ClickSerial);
    DrawPasswordStep(a);
    if (GTextBox* fresh = NewPasswordBox())
        fresh->DrawBox(a, ClientWidth, ClientHeight, MouseX, MouseY, LeftDown, &PressClaimed, ClickSerial);
    if (passwordStep == 3)
        for (GBCheck& c : controlPair)
            c.Draw(a);
}

// What the password change asks for next, in dark red where something went wrong.
void AWndSys::DrawPasswordStep(float a) {
    const char* step = nullptr;
    bool red = false;
    switch (passwordStep) {
    case 1:
        step = stepTexts[0];
        break;
    case 11:
        step = stepTexts[1];
        red = true;
        break;
    case 2:
        step = stepTexts[2];
        break;
    case 22:
    case 33:
        step = stepTexts[3];
        red = true;
        break;
    case 3:
        step = stepTexts[4];
        red = true;
        break;
    default:
        break;
    }
    if (!step) return;
    glEnable(GL_TEXTURE_2D);
    glColor4f(red ? 0.4f : 0.0f, 0.0f, 0.0f, a);
    FontNormal->DrawText(x + 22, y + 266, "%s", step);
}

void AWndSys::OnMouseMove(int px, int py, uint32_t buttonDown, uint32_t* claimed, uint32_t clickSerial) {
    if (!IsActive()) return;
    AWndFrame::OnMouseMove(px, py, buttonDown, claimed, clickSerial);
    close.OnMouseMove(px, py, buttonDown, claimed, clickSerial);
    if (!page) {
        equipmentList.OnMouseMove(px, py, buttonDown, claimed, clickSerial);
        pcList.OnMouseMove(px, py, buttonDown, claimed, clickSerial);
        for (GBaseBtn* button : {&equipmentSave, &pcDownload, &pcSave})
            button->OnMouseMove(px, py, buttonDown, claimed, clickSerial);
        return;
    }
    for (int i = 0; i < 3; ++i)
        passwordBoxes[i].OnMouseMove(px, py, buttonDown, claimed, clickSerial);
    if (GTextBox* fresh = NewPasswordBox()) fresh->OnMouseMove(px, py, buttonDown, claimed, clickSerial);
}

void AWndSys::OnMouseDown(int px, int py, uint32_t* claimed, uint32_t clickSerial) {
    if (!IsActive()) return;
    AWndFrame::OnMouseDown(px, py, claimed, clickSerial);
    close.OnMouseDown(px, py, claimed, clickSerial);
    int rx = px - x, ry = py - y;
    if (!*claimed && ry > 22 && ry < 46) {
        if (rx > 12 && rx < 74) page = 0;
        if (rx > 72 && rx < 134) page = 1;
    }
    if (!page) {
        equipmentList.OnMouseDown(px, py, claimed, clickSerial);
        pcList.OnMouseDown(px, py, claimed, clickSerial);
        for (GBaseBtn* button : {&equipmentSave, &pcDownload, &pcSave})
            button->OnMouseDown(px, py, claimed, clickSerial);
        for (GTextBox* box : {&equipmentName, &pcName}) {
            box->OnMouseDown(px, py, claimed, clickSerial);
            if (box->focused) ActiveTextEdit = &box->focused;
        }
        return;
    }
    for (GBCheck* pairs : {languagePair, inputPortPair, keyLockPair})
        for (int m = 0; m < 2; ++m)
            pairs[m].OnMouseDown(px, py, claimed, clickSerial);
    if (passwordStep == 3)
        for (GBCheck& c : controlPair)
            c.OnMouseDown(px, py, claimed, clickSerial);
    for (int i = 0; i < 3; ++i) {
        passwordBoxes[i].OnMouseDown(px, py, claimed, clickSerial);
        if (passwordBoxes[i].focused) ActiveTextEdit = &passwordBoxes[i].focused;
    }
    if (GTextBox* fresh = NewPasswordBox()) {
        fresh->OnMouseDown(px, py, claimed, clickSerial);
        if (!fresh->focused) passwordStep = 0;
    }
}

void AWndSys::OnMouseUp(int px, int py, uint32_t clickSerial) {
    if (!IsActive()) return;
    AWndFrame::OnMouseUp(px, py, clickSerial);
    close.OnMouseUp(px, py, clickSerial);
    if (!page)
        for (GBaseBtn* button : {&equipmentSave, &pcDownload, &pcSave})
            button->OnMouseUp(px, py, clickSerial);
    if (passwordStep == 3) passwordStep = 0;
}

void AWndSys::TypingBoxes(GTextBox* boxes[4]) {
    if (!page) {
        boxes[0] = &equipmentName;
        boxes[1] = &pcName;
        boxes[2] = boxes[3] = nullptr;
        return;
    }
    for (int i = 0; i < 3; ++i)
        boxes[i] = &passwordBoxes[i];
    boxes[3] = NewPasswordBox();
}

void AWndSys::OnChar(uint32_t ch) {
    if (!IsActive()) return;
    char typed[2] = {static_cast<char>(ch), 0};
    GTextBox* boxes[4];
    TypingBoxes(boxes);
    for (GTextBox* box : boxes) {
        if (!box || !box->focused) continue;
        if (ch == 8)
            box->Backspace();
        else
            box->InsertChar(typed);
    }
}

void AWndSys::OnKeyDown(uint32_t key) {
    if (!IsActive()) return;
    GTextBox* boxes[4];
    TypingBoxes(boxes);
    for (GTextBox* box : boxes) {
        if (!box) continue;
        if (key == 37) box->CaretLeft(0);
        if (key == 39) box->CaretRight(0);
    }
}
