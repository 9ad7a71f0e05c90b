// The skin pieces the graph draws.
#pragma once

#include "gui/GUIWnd.h"

// A handle shows the whole "eq.png" picture.
constexpr SkinRect EqHandleSkin{0.0f, 0.0f, 1.0f, 1.0f};
// The 25 x 11 reset button of "ui.png" (a 128-texel picture: s 67 to 92, t 31 to 20).
constexpr SkinRect EqResetSkin = SkinTexels(67, 31, 92, 20, 128);
