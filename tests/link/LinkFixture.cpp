// SPDX-License-Identifier: GPL-3.0-or-later
#include "LinkFixture.h"

#include "link/ParamMap.h"

int g_downloadApplied = 0;
int g_uploadFinished = 0;
int g_closeRequests = 0;

void LinkFixture::SetUp() {
    LinkResetForTest();
    TickUseClock();
    OpenPorts();

    ParamTargets t{};
    for (int i = 0; i < 3; ++i)
        t.barLevels[i] = &bar_[i];
    t.musicInputPort = &inputPort_;
    t.keysetLock = &keyLock_;
    BuildParamMap(t);
    ModeRecordFields(fields_);

    g_downloadApplied = g_uploadFinished = g_closeRequests = 0;
    LinkSetHook(HookDownloadApplied, [] { ++g_downloadApplied; });
    LinkSetHook(HookUploadFinished, [] { ++g_uploadFinished; });
    LinkSetHook(HookCloseConnectPanel, [] { ++g_closeRequests; });
    CreateSenderThread();
}

void LinkFixture::TearDown() {
    LinkShutdown();
    ClosePorts();
    LinkResetForTest();
}

bool LinkFixture::Connect(uint32_t timeoutMs) {
    ConnectState = ConnectStarted;
    return StepUntil([] { return (ConnectState & ConnectDownloaded) != 0; }, timeoutMs);
}
