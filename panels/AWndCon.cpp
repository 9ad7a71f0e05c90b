// SPDX-License-Identifier: GPL-3.0-or-later
#include "panels/AWndCon.h"

#include "app/ui/AppState.h"
#include "app/ui/Textures.h"
#include "common/Tick.h"
#include "gui/SkinPieces.h"
#include "gui/TextRenderer.h"
#include "link/LinkState.h"
#include "link/ParamMap.h"
#include "panels/Panels.h"

#include <GL/gl.h>
#include <cstdio>
#include <iterator>

namespace {

const LabelPair Title = {{"Device Connecting", "设备检测"}};
const LabelPair ConnectLabel = {{"Connect", "连接"}};
const LabelPair CloseLabel = {{"Close", "关闭"}};
const LabelPair ScanAgainLabel = {{"Scan again", "重新扫描"}};
const LabelPair ScanText = {{"Auto to scan device: Port %s ...", "自动检测设备检测设备：扫描 %s 端口..."}};
const LabelPair SuccessText = {
    {"Connect succeed：Downloading data to computer...", "连接成功：下载设备数据到计算机..."}};
const LabelPair FinishedText = {{"All data download succeed ...", "数据同步成功，设备连接状态..."}};
const LabelPair FailedText = {{"Connect failed：Nothing device...", "连接失败：没有检测到端口设备..."}};
const LabelPair PortLabel = {{": PortName", ": 端口"}};
const LabelPair UploadText = {{"Updata...", "Updata..."}};
// The reason beside the failure text, by ConnectFailureKind (from NoSuchPort on); formats take the port,
// then the group or the system's words, or the counts.
const LabelPair FailureReasons[8] = {
    {{"%s: no such serial port", "%s：没有这个串口"}},
    {{"%s: %s", "%s：%s"}},
    {{"%s: the processor did not answer", "%s：设备没有应答"}},
    {{"%s: in use by another program", "%s：已被其他程序占用"}},
    {{"%s: no permission, join group '%s'", "%s：没有权限，请加入 '%s' 组"}},
    {{"Download stopped at %u of %u", "下载在 %u / %u 处中断"}},
    {{"PC mode written only in part: %u of %u", "PC 模式只写入了一部分：%u / %u"}},
    {{"%s: the link was lost", "%s：连接已中断"}},
};
const LabelPair NoPortFound = {{"No serial port was found", "没有找到串口"}};
const LabelPair HeldByProcess = {{"%s: in use by process %d", "%s：已被进程 %d 占用"}};

// The picture band under the title, and the progress bar's pieces, from ex.png and wf.png.

void OnButton(uint32_t id) {
    AWndCon* panel = ConPanel;
    if (!panel) return;
    switch (id) {
    case AWndCon::ConnectButton:
        LinkConnectTo(panel->portName.text);
        break;
    case AWndCon::CloseButton:
        if (LinkLost) {
            DownloadAbort = 1;
            ConnectState |= ConnectDownloading;
        }
        UploadAbort = 1;
        panel->fadeStart = TickNow();
        panel->frameFlags |= FrameClosing;
        break;
    case AWndCon::ScanAgainButton:
        LinkScanAgain();
        break;
    default:
        break;
    }
}

// The port box took the focus: the hot keys leave the typing alone.
void OnPortBoxFocus(uint32_t) {
    if (ConPanel) ActiveTextEdit = &ConPanel->portName.focused;
}

} // namespace

void AWndCon::Build() {
    // The box, its label and "Connect" share the row: narrower than the Part's 72 pixels and with the
    // button 4 pixels further right, ": PortName" fits between them.
    portName.Create(DxTexture, "COM1", 20, 164, 66, 26, 0, FontNormal, 3, OnPortBoxFocus, this);
    portName.maxLength = 60;
    connect.Create(164, 166, 64, 24, ConnectLabel[0], FontNormal, GBaseBtn::TintPress, UiTexture,
                   ConnectButton, OnButton, this);
    close.Create(230, 166, 64, 24, CloseLabel[0], FontNormal, GBaseBtn::TintPress, UiTexture, CloseButton,
                 OnButton, this);
    scanAgain.Create(95, 120, 120, 24, ScanAgainLabel[0], FontNormal, GBaseBtn::TintPress, UiTexture,
                     ScanAgainButton, OnButton, this);
    Relabel(Language);
}

void AWndCon::Relabel(uint32_t language) {
    title = Title[language];
    connect.label = ConnectLabel[language];
    close.label = CloseLabel[language];
    scanAgain.label = ScanAgainLabel[language];
    scanText = ScanText[language];
    successText = SuccessText[language];
    finishedText = FinishedText[language];
    failedText = FailedText[language];
    portLabel = PortLabel[language];
    uploadText = UploadText[language];
}

AWndCon::Display AWndCon::Showing() const {
    uint32_t state = ConnectState;
    if (!(state & ConnectStarted)) return Display::Waiting;
    if (state & ConnectDownloading) return Display::Downloading;
    if (state & ConnectDownloaded) return Display::Downloaded;
    if (state & ConnectUploading) return Display::Uploading;
    if (ScanPortIndex < ScanPortCount) return Display::Scanning;
    return Display::Failed;
}

bool AWndCon::IsStill() const {
    constexpr uint32_t FadeMs = 200;
    return Showing() == Display::Failed && !(frameFlags & FrameClosing) && TickSince(fadeStart) > FadeMs &&
           TickSince(dragFadeStart) > FadeMs;
}

void AWndCon::MessageText(char* out, int size) const {
    out[0] = 0;
    // The port: the typed name while waiting and for a typed port, the port being tried while
    // scanning, the one that answered afterwards.
    const char* port = portName.text;
    bool typed = (ConnectState & ConnectManualPort) != 0;
    switch (Showing()) {
    case Display::Waiting:
        std::snprintf(out, static_cast<size_t>(size), scanText, portName.text);
        break;
    case Display::Scanning:
        if (!typed) port = PortTable[ScanPortIndex];
        std::snprintf(out, static_cast<size_t>(size), scanText, port);
        break;
    case Display::Downloading:
        std::snprintf(out, static_cast<size_t>(size), "%s", successText);
        break;
    case Display::Downloaded:
        std::snprintf(out, static_cast<size_t>(size), "%s", finishedText);
        break;
    case Display::Uploading:
        std::snprintf(out, static_cast<size_t>(size), "%s", uploadText);
        break;
    case Display::Failed:
        std::snprintf(out, static_cast<size_t>(size), "%s", failedText);
        break;
    }
}

void AWndCon::FailureReason(char* out, int size) const {
    out[0] = 0;
    const ConnectFailureInfo& f = ConnectFailure();
    size_t n = static_cast<size_t>(size);
    uint32_t language = Language != 0;
    int k = static_cast<int>(f.kind) - static_cast<int>(ConnectFailureKind::NoSuchPort);
    if (k < 0 || k >= static_cast<int>(std::size(FailureReasons))) return;
        // The formats are the program's own, each taking the arguments written beside it.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    const char* format = FailureReasons[k][language];
    switch (f.kind) {
    case ConnectFailureKind::NoSuchPort:
        // A scan that found no port at all names none of the six.
        if (!(ConnectState & ConnectManualPort))
            std::snprintf(out, n, "%s", NoPortFound[language]);
        else
            std::snprintf(out, n, format, f.port);
        break;
    case ConnectFailureKind::OpenError:
        std::snprintf(out, n, format, f.port, f.detail);
        break;
    case ConnectFailureKind::PermissionDenied:
        std::snprintf(out, n, format, f.port, f.group);
        break;
    case ConnectFailureKind::PortInUse:
        if (f.holder > 0)
            std::snprintf(out, n, HeldByProcess[language], f.port, f.holder);
        else
            std::snprintf(out, n, format, f.port);
        break;
    case ConnectFailureKind::DownloadPartWay:
    case ConnectFailureKind::UploadPartWay:
        std::snprintf(out, n, format, f.done, f.total);
        break;
    default:
        std::snprintf(out, n, format, f.port);
        break;
    }
#pragma GCC diagnostic pop
}

void AWndCon::DrawProgress(uint32_t done, uint32_t total) {
    int fill = total ? static_cast<int>(260ull * (done > total ? total : done) / total) : 0;
    int top = y + 110;
    BeginSkin(WfTexture, 1.0f, 1.0f, 1.0f, opacity);
    DrawSkinQuad(Rect(Piece::ProgressLeftCap), x + 22, top, 2, 11);
    DrawSkinQuad(Rect(Piece::ProgressTrack), x + 24, top, 260, 11);
    DrawSkinQuad(Rect(Piece::ProgressRightCap), x + 284, top, 2, 11);
    if (fill > 0) DrawSkinQuad(Rect(Piece::ProgressFill), x + 24, top, fill, 11);
}

void AWndCon::Draw(float alpha) {
    if (!IsActive()) return;
    AWndFrame::Draw(alpha);
    ConnectPanelActive = 1;
    BeginSkin(ExTexture, 1.0f, 1.0f, 1.0f, opacity);
    DrawSkinQuad(Rect(Piece::ConnectBand), x + 1, y + 22, 308, 48);
    close.Draw(opacity);

    ConnectStep();

    char message[256];
    MessageText(message, sizeof message);
    Display showing = Showing();
    if (showing == Display::Downloading) DrawProgress(DownloadIndex, ParamMapCount);
    if (showing == Display::Uploading) DrawProgress(UploadIndex, UploadCount);
    if (showing == Display::Failed) {
        portName.DrawBox(opacity, ClientWidth, ClientHeight, MouseX, MouseY, LeftDown, &PressClaimed,
                         ClickSerial);
        connect.Draw(opacity);
        scanAgain.Draw(opacity);
    }
    if (FontNormal) {
        glColor4f(0.0f, 0.0f, 0.0f, opacity);
        FontNormal->DrawText(x + 22, y + 86, "%s", message);
        if (showing == Display::Failed) {
            FontNormal->DrawText(x + 92, y + 170, "%s", portLabel);
            char reason[160];
            FailureReason(reason, sizeof reason);
            glColor4f(0.4f, 0.0f, 0.0f, opacity);
            FontNormal->DrawText(x + 22, y + 102, "%s", reason);
        }
    }
}

void AWndCon::OnMouseMove(int px, int py, uint32_t buttonDown, uint32_t* claimed, uint32_t clickSerial) {
    if (!IsActive()) return;
    AWndFrame::OnMouseMove(px, py, buttonDown, claimed, clickSerial);
    close.OnMouseMove(px, py, buttonDown, claimed, clickSerial);
    if (!FailedControlsLive()) return;
    connect.OnMouseMove(px, py, buttonDown, claimed, clickSerial);
    scanAgain.OnMouseMove(px, py, buttonDown, claimed, clickSerial);
    portName.OnMouseMove(px, py, buttonDown, claimed, clickSerial);
}

void AWndCon::OnMouseDown(int px, int py, uint32_t* claimed, uint32_t clickSerial) {
    if (!IsActive() || (frameFlags & FrameClosing)) return;
    AWndFrame::OnMouseDown(px, py, claimed, clickSerial);
    close.OnMouseDown(px, py, claimed, clickSerial);
    if (!FailedControlsLive()) return;
    connect.OnMouseDown(px, py, claimed, clickSerial);
    scanAgain.OnMouseDown(px, py, claimed, clickSerial);
    portName.OnMouseDown(px, py, claimed, clickSerial);
}

void AWndCon::OnMouseUp(int px, int py, uint32_t clickSerial) {
    if (!IsActive()) return;
    AWndFrame::OnMouseUp(px, py, clickSerial);
    close.OnMouseUp(px, py, clickSerial);
    if (!FailedControlsLive()) return;
    connect.OnMouseUp(px, py, clickSerial);
    scanAgain.OnMouseUp(px, py, clickSerial);
}

void AWndCon::OnChar(uint32_t ch) {
    if (!IsActive() || !portName.focused) return;
    if (ch == 8) {
        portName.Backspace();
        return;
    }
    char typed[2] = {static_cast<char>(ch), 0};
    portName.InsertChar(typed);
}

void AWndCon::OnKeyDown(uint32_t key) {
    if (!IsActive() || !portName.focused) return;
    if (key == 37) portName.CaretLeft(0);
    if (key == 39) portName.CaretRight(0);
}

void AWndCon::OnClose() {
    UploadAbort = 1;
    DownloadAbort = 1;
    ConnectState |= ConnectDownloading;
    ConnectPanelActive = 0;
}
