// SPDX-License-Identifier: GPL-3.0-or-later
#include "panels/AWndMsg.h"

#include "app/ui/AppState.h"
#include "app/ui/Textures.h"
#include "common/Tick.h"
#include "common/Trace.h"
#include "gui/PanelLists.h"
#include "gui/SkinPieces.h"
#include "gui/TextRenderer.h"
#include "panels/Panels.h"

#include <GL/gl.h>
#include <cstdio>

uint32_t MessageCode = 0;
uint32_t MessageArg = 0;
void (*SystemControlCallback)(uint32_t id) = nullptr;

namespace {

const LabelPair Title = {{"Message", "消息"}};
// In the order of the message bits 0x1, 0x10, 0x20, ... 0x20000.
const LabelPair Texts[MessageCount] = {
    {{"Device disconnected, please connect again !", "设备已经断开连接, 请重新连接 !"}},
    {{"Keybard password reset succeed", "键盘密码修改成功...:"}},
    {{"Keybard password reset failed", "键盘密码修改失败! 请重新输入 ..."}},
    {{"System password reset succeed", "系统密码修改成功..."}},
    {{"System password reset failed", "系统密码修改失败! 请重新输入 ..."}},
    {{"save data to machine?", "是否保存当前设置到设备 ?"}},
    {{"Sata saved", "模式数据保存成功 ..."}},
    {{"Load PC mode?", "是否加载 PC 模式 ? ..."}},
    {{"PC mode saved", "PC 模式数据保存成功 ..."}},
    {{"EQ Reset ?", "EQ 是否复位 ?"}},
    {{"User Mode cannot save data!", "您没有权限修改模式数据."}},
    {{"PC mode not saved: disk error", "PC 模式数据保存失败 (磁盘错误)"}},
    {{"PC modes not read, kept in memory only:", "PC 模式未能读取，只保存在内存中："}},
    {{"EQ filters taken in:", "均衡滤波器已导入："}},
    {{"EQ filters not taken in, nothing changed:", "均衡滤波器未导入，设置未改变："}},
};
// The line under the message (empty for most).
char MessageDetail[160];
const LabelPair YesLabel = {{"Yes", "是"}};
const LabelPair NoLabel = {{"No", "否"}};
const LabelPair OkLabel = {{"OK", "确定"}};
constexpr uint32_t Bits[MessageCount] = {0x1,   0x10,   0x20,   0x40,   0x80,   0x100,   0x200,  0x400,
                                         0x800, 0x1000, 0x2000, 0x4000, 0x8000, 0x10000, 0x20000};

void StartClosing() {
    if (!MsgPanel) return;
    MsgPanel->fadeStart = TickNow();
    MsgPanel->frameFlags |= FrameClosing;
}

} // namespace

// The answer is to the message as it stood: a follow-up may raise the next message at once (which
// then stays open, see OpenPanel), and its code must not be taken for this one's.
void OnMessageButton(uint32_t id) {
    const uint32_t code = MessageCode;
    const uint32_t arg = MessageArg;
    if (id == AWndMsg::OkButton) {
        StartClosing();
        if ((code & MsgDataSaved) && SystemControlCallback) SystemControlCallback(arg);
    }
    if (code & MsgAskLoadPcMode) {
        StartClosing();
        if (id == AWndMsg::YesButton && SystemControlCallback) SystemControlCallback(arg);
    }
    if (code & (MsgAskSaveToDevice | MsgAskEqReset)) {
        StartClosing();
        if (code & MsgAskEqReset) {
            if (id == AWndMsg::YesButton && MsgPanel && MsgPanel->confirmAction) MsgPanel->confirmAction(1);
        } else if (SystemControlCallback) {
            SystemControlCallback(id == AWndMsg::YesButton ? 301 : 300);
        }
    }
}

void AWndMsg::Build() {
    yesButton.Create(88, 84, 64, 24, YesLabel[0], FontNormal, GBaseBtn::TintPress, UiTexture, YesButton,
                     OnMessageButton, this);
    noButton.Create(208, 84, 64, 24, NoLabel[0], FontNormal, GBaseBtn::TintPress, UiTexture, NoButton,
                    OnMessageButton, this);
    okButton.Create(148, 84, 64, 24, OkLabel[0], FontNormal, GBaseBtn::TintPress, UiTexture, OkButton,
                    OnMessageButton, this);
    Relabel(Language);
}

void AWndMsg::Relabel(uint32_t language) {
    title = Title[language];
    for (int i = 0; i < MessageCount; ++i)
        texts[i] = Texts[i][language];
    yesButton.label = YesLabel[language];
    noButton.label = NoLabel[language];
    okButton.label = OkLabel[language];
}

bool AWndMsg::AsksYesNo() const {
    return MessageCode & (MsgAskSaveToDevice | MsgAskLoadPcMode | MsgAskEqReset);
}

void AWndMsg::Draw(float alpha) {
    if (!IsActive()) return;
    AWndFrame::Draw(alpha);
    BeginSkin(WfTexture, 1.0f, 1.0f, 1.0f, opacity);
    DrawSkinQuad(Rect(Piece::MessageIcon), x + 22, y + 36, 31, 29);
    if (AsksYesNo()) {
        yesButton.Draw(opacity);
        noButton.Draw(opacity);
    } else {
        okButton.x = (width - okButton.width) / 2; // 148 at the usual width, centred on a wider one
        okButton.Draw(opacity);
    }
    if (!FontNormal) return;
    glColor4f(0.0f, 0.0f, 0.0f, opacity);
    for (int i = 0; i < MessageCount; ++i)
        if ((MessageCode & Bits[i]) && texts[i]) FontNormal->DrawText(x + 82, y + 42, "%s", texts[i]);
    if (MessageDetail[0]) {
        // A reason in dark red; where a saved PC mode went in the text's own grey.
        if (MessageCode == MsgPcModeSaved)
            glColor4f(0.25f, 0.25f, 0.25f, opacity);
        else
            glColor4f(0.4f, 0.0f, 0.0f, opacity);
        FontNormal->DrawText(x + 82, y + 60, "%s", MessageDetail);
    }
}

void AWndMsg::OnMouseMove(int px, int py, uint32_t buttonDown, uint32_t* claimed, uint32_t clickSerial) {
    if (!IsActive()) return;
    AWndFrame::OnMouseMove(px, py, buttonDown, claimed, clickSerial);
    if (AsksYesNo()) {
        yesButton.OnMouseMove(px, py, buttonDown, claimed, clickSerial);
        noButton.OnMouseMove(px, py, buttonDown, claimed, clickSerial);
    } else {
        okButton.OnMouseMove(px, py, buttonDown, claimed, clickSerial);
    }
}

void AWndMsg::OnMouseDown(int px, int py, uint32_t* claimed, uint32_t clickSerial) {
    if (!IsActive()) return;
    AWndFrame::OnMouseDown(px, py, claimed, clickSerial);
    if (AsksYesNo()) {
        yesButton.OnMouseDown(px, py, claimed, clickSerial);
        noButton.OnMouseDown(px, py, claimed, clickSerial);
    } else {
        okButton.OnMouseDown(px, py, claimed, clickSerial);
    }
}

void AWndMsg::OnMouseUp(int px, int py, uint32_t clickSerial) {
    if (!IsActive()) return;
    AWndFrame::OnMouseUp(px, py, clickSerial);
    if (AsksYesNo()) {
        yesButton.OnMouseUp(px, py, clickSerial);
        noButton.OnMouseUp(px, py, clickSerial);
    } else {
        okButton.OnMouseUp(px, py, clickSerial);
    }
}

void ShowMessage(uint32_t code, uint32_t arg) {
    AskYesNo(code, nullptr, arg);
}

void ShowMessageDetail(uint32_t code, const char* detail) {
    AskYesNo(code, nullptr, 0);
    std::snprintf(MessageDetail, sizeof MessageDetail, "%s", detail ? detail : "");
    // Wide enough for the detail, within the window.
    if (MsgPanel && FontNormal) {
        int wanted = 82 + FontNormal->TextWidth("%s", MessageDetail) + 24;
        if (wanted > ClientWidth - 40) wanted = ClientWidth - 40;
        if (wanted > MsgPanel->width) {
            MsgPanel->width = wanted;
            MsgPanel->x = (ClientWidth - wanted) / 2;
        }
    }
}

void AskYesNo(uint32_t code, void (*confirm)(uint32_t answer), uint32_t arg) {
    if (!MsgPanel) return;
    MessageCode = code;
    MessageArg = arg;
    MessageDetail[0] = 0;
    MsgPanel->confirmAction = confirm;
    MsgPanel->width = 360;
    MsgPanel->height = 120;
    OpenPanel(MsgPanel);
    Trace(7, "Message 0x%X\n", code);
}
