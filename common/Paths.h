// SPDX-License-Identifier: GPL-3.0-or-later
// Per-user folders: settings and serial-port links under $XDG_CONFIG_HOME/tonvex (default
// ~/.config/tonvex), the picture cache under $XDG_CACHE_HOME/tonvex (default ~/.cache/tonvex), the
// PC modes under $XDG_DATA_HOME/tonvex (default ~/.local/share/tonvex), the log under
// $XDG_STATE_HOME/tonvex (default ~/.local/state/tonvex).
#pragma once

#include <string>

// The folder path (no trailing slash). Empty when neither the XDG variable nor HOME is set.
std::string ConfigDir();
std::string CacheDir();
std::string DataDir();
std::string StateDir();
// Creates the folder and its parents with mode 0700. Returns false when it cannot.
bool MakeDirs(const std::string& path);

// Where the PC modes are kept: "mode.dat" in the working folder when there is one there (a console
// started in a venue's folder keeps that venue's modes), else the per-user file under DataDir(), its
// folder made; "mode.dat" in the working folder when there is no per-user folder to be had.
std::string ModeFilePath();
