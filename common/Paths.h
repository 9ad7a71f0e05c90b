// Per-user folders: settings and serial-port links under $XDG_CONFIG_HOME/tonvex (default
// ~/.config/tonvex), the picture cache under $XDG_CACHE_HOME/tonvex (default ~/.cache/tonvex).
#pragma once

#include <string>

// The folder path (no trailing slash). Empty when neither the XDG variable nor HOME is set.
std::string ConfigDir();
std::string CacheDir();
// Creates the folder and its parents with mode 0700. Returns false when it cannot.
bool MakeDirs(const std::string& path);
