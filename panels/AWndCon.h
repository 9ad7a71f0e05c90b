#pragma once

#include "gui/AWndFrame.h"

class AWndCon : public AWndFrame {
public:
};
