// SPDX-License-Identifier: GPL-3.0-or-later
// PC modes between the panels and "mode.dat": a save takes every value the panels show (both Sing and
// Disco sets of the music and sub-woofer panels), a load puts a stored mode into the panels.
#pragma once

// Every value panel's fields from its controls, or its controls from its fields (in the order a
// download refreshes them: microphone, room EQ, center/surround, sub-woofer, music, volume, tab bar,
// System).
void StoreValuePanels();
void RefreshValuePanels();

// PC mode `slot` (0-based) takes `name` and the panels' values, and the file is written. False when
// the write did not reach the disk: the slot then keeps what it held.
bool SavePcMode(int slot, const char* name);
// The panels take PC mode `slot`, each byte held within its parameter's range, and are relabelled.
void LoadPcMode(int slot);
