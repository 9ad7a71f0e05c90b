#include "panels/AWndMsg.h"

#include "app/AppState.h"

uint32_t MessageCode = 0;
uint32_t MessageArg = 0;

void ShowMessage(uint32_t code, uint32_t arg) {
    AskYesNo(code, nullptr, arg);
}

void AskYesNo(uint32_t code, void (*confirm)(uint32_t answer), uint32_t arg) {
    if (!MsgPanel) return;
    MessageCode = code;
    MessageArg = arg;
    MsgPanel->confirmAction = confirm;
    MsgPanel->width = 360;
    MsgPanel->height = 120;
    OpenPanel(MsgPanel);
}
