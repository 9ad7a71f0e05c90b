// The thirteen panels, made by the application at start-up (null before and in tests that make none).
#pragma once

class AWndBar;
class AWndIcon;
class AWndCon;
class AWndHelp;
class AWndMic;
class AWndMsg;
class AWndImg;
class AWndMusic;
class AWndMVol;
class AWndREQ;
class AWndSC;
class AWndSub;
class AWndSys;

extern AWndBar* BarPanel;
extern AWndIcon* IconPanel;
extern AWndCon* ConPanel;
extern AWndHelp* HelpPanel;
extern AWndMic* MicPanel;
extern AWndMsg* MsgPanel;
extern AWndImg* ImgPanel;
extern AWndMusic* MusicPanel;
extern AWndMVol* MVolPanel;
extern AWndREQ* REQPanel;
extern AWndSC* SCPanel;
extern AWndSub* SubPanel;
extern AWndSys* SysPanel;

// Forgets every panel (tests; the panels themselves are the caller's).
void ResetPanelPointers();
