#include "panels/Panels.h"

AWndBar* BarPanel;
AWndIcon* IconPanel;
AWndCon* ConPanel;
AWndHelp* HelpPanel;
AWndMic* MicPanel;
AWndMsg* MsgPanel;
AWndImg* ImgPanel;
AWndMusic* MusicPanel;
AWndMVol* MVolPanel;
AWndREQ* REQPanel;
AWndSC* SCPanel;
AWndSub* SubPanel;
AWndSys* SysPanel;

void ResetPanelPointers() {
    BarPanel = nullptr;
    IconPanel = nullptr;
    ConPanel = nullptr;
    HelpPanel = nullptr;
    MicPanel = nullptr;
    MsgPanel = nullptr;
    ImgPanel = nullptr;
    MusicPanel = nullptr;
    MVolPanel = nullptr;
    REQPanel = nullptr;
    SCPanel = nullptr;
    SubPanel = nullptr;
    SysPanel = nullptr;
}
