// SPDX-License-Identifier: GPL-3.0-or-later
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

struct ParamTargets;

// Start-up, in this order. MakePanels makes the thirteen panels; BuildPanels builds them, the framed
// ones from their table (position, size, least size, title, frame flags), for a client area of
// ClientWidth x ClientHeight, which it first holds within the least and largest sizes the console
// takes. StackPanels puts them in their first z-order: the connecting panel on top and focused, the
// system panel at the bottom. BindPanelParameters points the ParamMap at the panels' value words.
void MakePanels();
void BuildPanels();
void StackPanels();
void BindPanelParameters();
