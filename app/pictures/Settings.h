// SPDX-License-Identifier: GPL-3.0-or-later
// The user's settings: lines "name=value" in $XDG_CONFIG_HOME/tonvex/settings (tonvex_bg, tonvex_lang).
// A missing or unreadable file, or a line that is not of that form, counts as missing.
#pragma once

#include <cstdint>
#include <string>

std::string SettingsPath();
// True and the value when the name is present.
bool SettingsRead(const char* name, std::string* value);
bool SettingsReadU32(const char* name, uint32_t* value);
// Rewrites the whole file through a temporary file and a rename. False when the value did not reach the
// disk, and SettingsProblem() says why.
bool SettingsWrite(const char* name, const std::string& value);
const std::string& SettingsProblem();
