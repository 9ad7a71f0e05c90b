// SPDX-License-Identifier: GPL-3.0-or-later
// The panel lists: the z-order (TopPanel, zNext downward) and the open order (OpenPanels, openNext).
// They live with the frame, which asks for focus itself; the application calls them for its hot keys
// and its panels.
#pragma once

class AWndFrame;

void FocusPanel(AWndFrame* panel);
void OpenPanel(AWndFrame* panel);
void ClosePanel(AWndFrame* panel);
void MinimizePanel(AWndFrame* panel);
